#include "GuiThreadCalls.h"

#include <windows.h>

#include <deque>
#include <mutex>
#include <utility>

#include "MessageWindow.h"

namespace skx {

struct GuiCallQueue {
    std::mutex lock;
    std::deque<std::function<void()>> calls;
    HWND window = nullptr;  // the receiving window's, while it stands
    DWORD thread = 0;       // the GUI thread's
};

namespace {

constexpr UINT kRunCalls = WM_APP + 0x51;
// How long a thread waits before it posts again into a full queue.
constexpr DWORD kFullQueueRetryMs = 20;

const std::shared_ptr<GuiCallQueue>& Queue() {
    static const std::shared_ptr<GuiCallQueue> queue = std::make_shared<GuiCallQueue>();
    return queue;
}

LRESULT CALLBACK Receive(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kRunCalls) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // One message for each call posted: each runs the oldest one waiting, so a call that turns
    // the message loop lets the next run inside it only in the order they came.
    std::function<void()> call;
    {
        GuiCallQueue& q = *Queue();
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
    ReceivingWindow() : queue(Queue()) {
        HWND hwnd = CreateMessageWindow("SkxGuiThreadCalls", &Receive);
        std::lock_guard<std::mutex> hold(queue->lock);
        queue->window = hwnd;
        queue->thread = GetCurrentThreadId();
    }
    ~ReceivingWindow() {
        HWND hwnd = nullptr;
        {
            std::lock_guard<std::mutex> hold(queue->lock);
            std::swap(hwnd, queue->window);
        }
        if (hwnd) DestroyWindow(hwnd);
    }
    ReceivingWindow(const ReceivingWindow&) = delete;
    ReceivingWindow& operator=(const ReceivingWindow&) = delete;
    std::shared_ptr<GuiCallQueue> queue;  // made first, so it outlives the window
};

}  // namespace

bool PrepareGuiThreadCalls() {
    static ReceivingWindow receiver;
    std::lock_guard<std::mutex> hold(receiver.queue->lock);
    return receiver.queue->window != nullptr;
}

GuiThreadPoster::GuiThreadPoster() : queue_(Queue()) {}

bool GuiThreadPoster::Post(const std::function<void()>& call) const {
    GuiCallQueue& q = *queue_;
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(q.lock);
            if (!q.window) return false;
            q.calls.push_back(call);
            if (PostMessageA(q.window, kRunCalls, 0, 0)) return true;
            const DWORD error = GetLastError();
            q.calls.pop_back();
            // Only a full queue has room again later, and only for a thread other than the one
            // that empties it.
            if (error != ERROR_NOT_ENOUGH_QUOTA || GetCurrentThreadId() == q.thread) return false;
        }
        Sleep(kFullQueueRetryMs);
    }
}

}  // namespace skx
