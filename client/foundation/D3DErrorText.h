// Sentences for Direct3D result codes, as the error reports print them.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// The sentence of a Direct3D result code (and of the run-time numbers 5 and 7), compared
// exactly; the empty text for every other number. Never fails.
std::string D3DErrorText(int32_t number);

}  // namespace skx
