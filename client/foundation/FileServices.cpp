#include "FileServices.h"

#include <windows.h>

#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

// An open directory search.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }

private:
    HANDLE h_;
};

// The attributes a search must be asked for before it reports an entry carrying them.
constexpr DWORD SelectiveAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

bool Allowed(const WIN32_FIND_DATAA& entry, DWORD mask) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // "." and ".." are not entries of their own.
        if (std::string(entry.cFileName) == "." || std::string(entry.cFileName) == "..") return false;
    }
    return (entry.dwFileAttributes & SelectiveAttributes & ~mask) == 0;
}

}  // namespace

bool FileExist(const std::string& FileName, int32_t Attributes) {
    bool result = false;
    Guard("modFileControl", "FileExist", [&] {
        if (Trim(FileName).empty()) return;
        std::string pattern = FileName;
        // A folder name ending in a separator lists that folder's entries.
        if (pattern.back() == '\\' || pattern.back() == '/') pattern += "*";
        WIN32_FIND_DATAA entry{};
        FindHandle search(FindFirstFileA(pattern.c_str(), &entry));
        if (!search.Valid()) return;
        const DWORD mask = static_cast<DWORD>(Attributes);
        do {
            if (Allowed(entry, mask)) {
                result = true;
                return;
            }
        } while (FindNextFileA(search.Get(), &entry));
    });
    return result;
}

std::string GetWinDir() {
    std::string result;
    Guard("modMiscFunctionsOne", "GetWinDir", [&] {
        char buffer[256] = {};
        UINT n = GetWindowsDirectoryA(buffer, 255);
        if (n > 0 && n < 255) result.assign(buffer, n);
    });
    return result;
}

}  // namespace skx
