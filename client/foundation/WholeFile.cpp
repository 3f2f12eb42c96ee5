#include "WholeFile.h"

namespace skx {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    FileHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < data.size()) {
        DWORD n = 0;
        if (!ReadFile(f.get(), data.data() + done, static_cast<DWORD>(data.size() - done), &n, nullptr))
            return false;
        if (n == 0) break;
        done += n;
    }
    data.resize(done);
    bytes = std::move(data);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    FileHandle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        if (!WriteFile(f.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &n, nullptr) ||
            n == 0)
            return false;
        done += n;
    }
    return f.reset();
}

bool IsFilePresent(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
    TemporaryFile fresh(path + ".new");
    if (!WriteWholeFile(fresh.Path(), bytes)) return false;
    // Another program reading the file at that moment (a virus scanner, an indexer) keeps it
    // from being replaced: the move is tried again a few times (100 ms at most) before the
    // write is given up.
    constexpr int kTries = 6;
    constexpr DWORD kRetryMs = 20;
    for (int tries = 1;; ++tries) {
        if (MoveFileExA(fresh.Path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) break;
        const DWORD error = GetLastError();
        if (tries == kTries || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) return false;
        Sleep(kRetryMs);
    }
    fresh.Keep();
    return true;
}

}  // namespace skx
