// The platform's plain message box: the text, the program's title and an OK button, modal for
// the program's windows.
#pragma once
#include <string>

namespace skx {

void MsgBox(const std::string& text);

}  // namespace skx
