// Whole-file reads and writes as byte strings, and an owning file handle.
#pragma once
#include <windows.h>

#include <string>
#include <utility>

namespace skx {

class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { reset(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    FileHandle& operator=(FileHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    // Closes the file; true when it was closed cleanly (or nothing was open).
    bool reset() {
        if (!*this) return true;
        return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// The file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Creates the file (replacing one of that name) holding exactly bytes; false on any failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool IsFilePresent(const std::string& path);

// Replaces the file with one holding exactly bytes, safely: the bytes go to a temporary file
// beside it, which then takes the file's place in one step. On any failure the old file
// stays as it was and false comes back. A file another program holds open for a moment is
// waited for (100 ms at most).
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

// A file that is deleted when this goes, unless kept.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!kept_) DeleteFileA(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    std::string path_;
    bool kept_ = false;
};

}  // namespace skx
