// The map names the client accepts from the server, and their form in an address. Pure text work.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// The largest map file the client downloads: a map is 22,500 characters and nothing past them
// is read; an announced size above this is refused without a request.
constexpr int32_t MaxMapDownload = 64 * 1024;
// The longest map name the client accepts.
constexpr size_t MaxMapName = 64;

// True when name can only name a file of its own in the Map folder: at most 64 characters,
// no "\", "/", ":", "..", control character or character Windows refuses in file names
// (< > " | ? *), not a device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM and LPT with a
// digit or a superscript 1 to 3; any case, also before blanks or a "."), and not
// ending in "." or a blank.
bool IsAcceptableMapName(const std::string& name);

// Text with every byte but letters, digits and "-._~" written as "%" and two upper-case
// hexadecimal digits.
std::string PercentEncode(const std::string& text);

// What one connection may ask of the map host: at most MostDownloads maps, and none for PauseMs
// after a download that ran out of time (a silent host would hold each later announcement
// as long). Times are tick counts in milliseconds.
class MapDownloadBudget {
public:
    static constexpr int MostDownloads = 100;
    static constexpr uint32_t PauseMs = 60000;

    bool Allows(uint32_t now) const { return count_ < MostDownloads && (!paused_ || now - pausedAt_ >= PauseMs); }
    void Started() { ++count_; }
    void RanOutOfTime(uint32_t now) {
        paused_ = true;
        pausedAt_ = now;
    }

private:
    int count_ = 0;
    bool paused_ = false;
    uint32_t pausedAt_ = 0;
};

}  // namespace skx
