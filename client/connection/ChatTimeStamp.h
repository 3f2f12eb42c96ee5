// The time stamp that leads the client's own chat lines.
#pragma once
#include <string>

namespace skx {

// "[" & the current date and time & "] " when the main window's Display Time Stamp item is
// checked, else empty.
std::string ChatTimeStamp();

}  // namespace skx
