#include "MsgBox.h"

#include <windows.h>

#include "App.h"

namespace skx {

void MsgBox(const std::string& text) { MessageBoxA(nullptr, text.c_str(), App::Title().c_str(), MB_OK | MB_TASKMODAL); }

}  // namespace skx
