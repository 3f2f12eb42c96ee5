// Sentences for Direct3D 8 result codes, as the error reports print them.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// One English sentence for each Direct3D result code known here (and for the run-time
// numbers 5 and 7); the empty text for every other number. Never fails.
std::string D3DErrorText(int32_t number);

}  // namespace skx
