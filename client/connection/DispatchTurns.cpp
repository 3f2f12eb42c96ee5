#include "DispatchTurns.h"

#include <windows.h>

#include <utility>

#include "ReceiveBuffer.h"

namespace skx {

namespace {

// The thread timer of the continuation; killed with it.
class ContinuationTimer {
public:
    ~ContinuationTimer() { Stop(); }
    void Start(std::function<bool()> pass) {
        pass_ = std::move(pass);
        if (!id_) id_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Tick);
    }
    void Stop() {
        if (id_) KillTimer(nullptr, id_);
        id_ = 0;
        pass_ = nullptr;
    }
    bool Running() const { return id_ != 0; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR id_ = 0;
    std::function<bool()> pass_;
};

ContinuationTimer& Continuation() {
    static ContinuationTimer timer;
    return timer;
}

void CALLBACK ContinuationTimer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    ContinuationTimer& self = Continuation();
    if (DispatchPassRunning()) return;
    std::function<bool()> pass = self.pass_;  // a pass may arm the continuation again
    if (!pass || !pass()) self.Stop();
}

}  // namespace

void ContinueDispatchSoon(std::function<bool()> pass) { Continuation().Start(std::move(pass)); }

bool DispatchContinues() { return Continuation().Running(); }

}  // namespace skx
