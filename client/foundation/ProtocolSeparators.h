// The protocol's separators: program-wide texts set once at start-up (Main) and used by every
// builder and parser of frames and fields.
#pragma once
#include <string>

namespace skx {

extern std::string FieldSeparator;  // Chr(0)
extern std::string FrameEnd;        // Chr(1)
extern std::string FrameStart;      // Chr(27)
extern std::string EnqChar;         // Chr(5)
void SetProtocolSeparators();

}  // namespace skx
