// The numbered server notices turned into chat lines, sounds and side effects (module
// modMiscFunctionsOne), called by the handler of 'M'.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// Writes notice MsgID with its data (missing data empty) and carries out its side effect.
void ShowMessage(int16_t MsgID, std::string D1, std::string D2, std::string D3);

}  // namespace skx
