// The ignore test of incoming chat lines.
#pragma once
#include <string>

namespace skx {

// True when an entry of the ignore window's list equals Name exactly (letter case counts);
// False for an empty list. The first use loads the ignore window.
bool IsIgnored(const std::string& Name);

}  // namespace skx
