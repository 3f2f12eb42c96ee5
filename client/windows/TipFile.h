// The tip file ToTD.Dat beside the program: one tip per line, read whole, and the random
// choice of the tip on show.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skx {

constexpr char TipFileName[] = "ToTD.Dat";

// The tips of the file's bytes: a line ends at CR or at CR LF (a lone LF stays in the line),
// every line is a tip, an empty one too, and a line end after the last line adds none.
std::vector<std::string> ReadTips(const std::string& bytes);

// The number (from 1) of the tip to show for a random fraction r in [0, 1): Int(r * count + 1).
int32_t PickTip(float r, int32_t count);

// What the window shows when the file is not there.
std::string TipFileMissingText();

}  // namespace skx
