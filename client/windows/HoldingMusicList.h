// HoldingMusic.DAT in the Dat folder: the holding-music playlist, one line per entry in list
// order, each a double quote, the file's path, a double quote and CR LF; no count, no header.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace skx {

inline constexpr const char* HoldingMusicDat = "HoldingMusic.DAT";

// The file's text for the entries (empty for none).
std::string HoldingMusicText(const std::vector<std::string>& entries);
// The entries of the file's text: each line's text between its first and last double quote;
// a line without two quotes is passed over.
std::vector<std::string> HoldingMusicEntries(std::string_view text);

}  // namespace skx
