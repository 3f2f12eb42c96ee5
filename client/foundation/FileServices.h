// File and folder look-ups.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// True when the name, trimmed, is not empty and a directory search for it finds an entry
// whose hidden, system and folder attributes are all allowed by Attributes (0: ordinary
// files only). Wildcards search as they do in a directory listing.
bool FileExist(const std::string& FileName, int32_t Attributes = 0);

// The Windows folder.
std::string GetWinDir();

}  // namespace skx
