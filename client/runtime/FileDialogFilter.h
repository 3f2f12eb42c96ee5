// The file-type filter of the open-file dialog.
#pragma once
#include <string>

namespace skx {

// "Description|pattern|Description|pattern" as the platform's dialog takes it: each part
// ended by a NUL and the whole by a second NUL. A description without a pattern is left out;
// no pair at all gives an empty text (no filter).
std::string DialogFilterPairs(const std::string& filter);

}  // namespace skx
