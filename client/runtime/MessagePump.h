// The message loop of the client's one GUI thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

namespace skx {

// Handles every message waiting for the thread and returns the number of loaded forms.
// A WM_QUIT seen here is posted again for the main loop.
int DoEvents();

// Handles messages until pred() holds or the time runs out; true when pred() held.
bool PumpUntil(const std::function<bool()>& pred, uint32_t timeoutMs);

// The main loop: until WM_QUIT; returns its exit code.
int RunMessageLoop();

// True once a WM_QUIT has been seen by DoEvents or PumpUntil.
bool QuitSeen();

// Dispatches one message through the forms' pre-translation.
void DispatchOne(MSG& msg);

// A turn of the message loop inside the program's own work: DoEvents, the waits above, a modal
// form's loop, the platform's message box. While one runs it is counted, and a hook runs as it
// starts: what a handler holds back for its end (drawing) is done before the loop serves the
// user, and work done inside the turn can tell it is not the handler's own.
class LoopTurn {
public:
    LoopTurn();
    ~LoopTurn();
    LoopTurn(const LoopTurn&) = delete;
    LoopTurn& operator=(const LoopTurn&) = delete;
};
// How many such turns run now (none in the main loop itself).
int LoopTurnDepth();
// The hook run as each turn starts (one; null for none).
void SetLoopTurnHook(void (*hook)());

}  // namespace skx
