#include "GuiThreadCalls.h"

#include <windows.h>

#include <deque>
#include <mutex>
#include <utility>

#include "MessageWindow.h"

namespace skx {

namespace {

constexpr UINT kRunCalls = WM_APP + 0x51;

struct CallQueue {
    std::mutex lock;
    std::deque<std::function<void()>> calls;
    HWND window = nullptr;  // the receiving window's, while it stands
};
CallQueue& Queue() {
    static CallQueue queue;
    return queue;
}

LRESULT CALLBACK Receive(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kRunCalls) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // One message for each call posted: each runs the oldest one waiting, so a call that turns
    // the message loop lets the next run inside it only in the order they came.
    std::function<void()> call;
    {
        CallQueue& q = Queue();
        std::lock_guard<std::mutex> hold(q.lock);
        if (q.calls.empty()) return 0;
        call = std::move(q.calls.front());
        q.calls.pop_front();
    }
    if (call) call();
    return 0;
}

// The receiving window, destroyed with the program.
struct ReceivingWindow {
    ReceivingWindow() {
        CallQueue& q = Queue();  // made first, so it outlives the window
        HWND hwnd = CreateMessageWindow("SkxGuiThreadCalls", &Receive);
        std::lock_guard<std::mutex> hold(q.lock);
        q.window = hwnd;
    }
    ~ReceivingWindow() {
        CallQueue& q = Queue();
        HWND hwnd = nullptr;
        {
            std::lock_guard<std::mutex> hold(q.lock);
            std::swap(hwnd, q.window);
        }
        if (hwnd) DestroyWindow(hwnd);
    }
    ReceivingWindow(const ReceivingWindow&) = delete;
    ReceivingWindow& operator=(const ReceivingWindow&) = delete;
};

}  // namespace

void PrepareGuiThreadCalls() { static ReceivingWindow receiver; }

bool PostToGuiThread(std::function<void()> call) {
    CallQueue& q = Queue();
    std::lock_guard<std::mutex> hold(q.lock);
    if (!q.window) return false;
    q.calls.push_back(std::move(call));
    if (PostMessageA(q.window, kRunCalls, 0, 0)) return true;
    q.calls.pop_back();
    return false;
}

}  // namespace skx
