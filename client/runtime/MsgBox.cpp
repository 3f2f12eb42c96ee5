#include "MsgBox.h"

#include <windows.h>

#include "App.h"
#include "MessagePump.h"

namespace skx {

void MsgBox(const std::string& text) {
    LoopTurn turn;  // the box runs a loop of its own
    MessageBoxA(nullptr, text.c_str(), App::Title().c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace skx
