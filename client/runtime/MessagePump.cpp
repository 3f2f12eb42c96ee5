#include "MessagePump.h"

#include <algorithm>
#include <vector>

#include "Form.h"

namespace skx {

namespace {
bool g_quitSeen = false;
int g_turnDepth = 0;
void (*g_turnHook)() = nullptr;
}  // namespace

LoopTurn::LoopTurn() {
    if (g_turnHook) g_turnHook();
    ++g_turnDepth;
}

LoopTurn::~LoopTurn() { --g_turnDepth; }

int LoopTurnDepth() { return g_turnDepth; }

void SetLoopTurnHook(void (*hook)()) { g_turnHook = hook; }

bool QuitSeen() { return g_quitSeen; }

void DispatchOne(MSG& msg) {
    // Copy: a form may unload (and leave the list) while it translates.
    std::vector<Form*> forms = LoadedForms();
    for (Form* f : forms) {
        if (f->Handle() && f->PreTranslate(msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int DoEvents() {
    LoopTurn turn;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_quitSeen = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchOne(msg);
    }
    return static_cast<int>(LoadedForms().size());
}

bool PumpUntil(const std::function<bool()>& pred, uint32_t timeoutMs) {
    LoopTurn turn;
    DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return pred();
        DWORD wait = timeoutMs - elapsed;
        if (wait > 20) wait = 20;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
        DoEvents();
    }
}

int RunMessageLoop() {
    MSG msg;
    for (;;) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0) return static_cast<int>(msg.wParam);
        if (r < 0) return -1;
        DispatchOne(msg);
    }
}

}  // namespace skx
