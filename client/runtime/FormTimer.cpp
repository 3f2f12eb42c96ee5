#include "FormTimer.h"

#include <windows.h>

#include <map>

#include "ErrorGuard.h"
#include "Form.h"
#include "MessageWindow.h"

namespace skx {

struct TimerHost {
    static std::map<uintptr_t, FormTimer*>& Timers() {
        static std::map<uintptr_t, FormTimer*> timers;
        return timers;
    }
    static HWND Window() {
        static HWND hwnd = nullptr;
        if (!hwnd) hwnd = CreateMessageWindow("SkirmexTimerHost", &TimerHost::Proc);
        return hwnd;
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_TIMER) {
            FormTimer::Fire(static_cast<uintptr_t>(wParam));
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
};

namespace {
uintptr_t g_nextId = 1;
}

FormTimer::FormTimer(std::string owner, std::string name, std::function<void()> tick)
    : owner_(std::move(owner)), name_(std::move(name)), tick_(std::move(tick)), id_(g_nextId++) {
    TimerHost::Timers()[id_] = this;
}

FormTimer::~FormTimer() {
    if (running_) KillTimer(TimerHost::Window(), id_);
    TimerHost::Timers().erase(id_);
}

void FormTimer::SetInterval(uint32_t ms) {
    interval_ = ms;
    Apply();
}

void FormTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

void FormTimer::Apply() {
    HWND host = TimerHost::Window();
    if (enabled_ && interval_ > 0) {
        SetTimer(host, id_, interval_, nullptr);  // resets the count-down, as the control does
        running_ = true;
    } else if (running_) {
        KillTimer(host, id_);
        running_ = false;
    }
}

void FormTimer::Fire(uintptr_t id) {
    auto& timers = TimerHost::Timers();
    auto it = timers.find(id);
    if (it == timers.end()) return;
    FormTimer* t = it->second;
    if (!t->enabled_ || !t->tick_) return;
    static thread_local std::map<uintptr_t, bool> inTick;
    if (inTick[id]) return;  // a tick does not re-enter itself from a message loop it runs
    inTick[id] = true;
    detail::HandlerScope scope;  // a tick that lets its own form go finishes first
    std::string proc = t->name_ + "_Timer";
    Guard(t->owner_.c_str(), proc.c_str(), [&] { t->tick_(); });
    inTick[id] = false;
}

void FormTimer::ForEach(const std::function<void(const FormTimer&)>& visit) {
    for (const auto& [id, timer] : TimerHost::Timers()) visit(*timer);
}

}  // namespace skx
