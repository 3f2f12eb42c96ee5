// The map names the client accepts from the server, and their form in an address. Pure text work.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// The largest map file the client downloads.
constexpr int32_t MaxMapDownload = 1 << 20;
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

}  // namespace skx
