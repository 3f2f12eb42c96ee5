// Work that ends on another thread and finishes on the GUI thread: a call posted from any
// thread runs on the GUI thread as a posted message, in the order posted, whatever loop takes
// it (the main loop, a box's modal loop, a menu's), so nothing waits on the stack for it.
#pragma once
#include <functional>
#include <memory>

namespace skx {

// Makes the GUI thread's receiving window; call on the GUI thread before anything is posted
// (later calls only answer). False when the window could not be made: nothing can be posted.
bool PrepareGuiThreadCalls();

struct GuiCallQueue;

// What another thread posts with, taken on the GUI thread once the receiving window stands: it
// keeps the queue it posts to, so a thread that outlives the program's own objects at its end
// posts into nothing destroyed.
class GuiThreadPoster {
public:
    GuiThreadPoster();
    // Posts call (safe from any thread). While the GUI thread's queue is full another thread
    // tries again until it has room. False when it cannot be posted (the receiving window is
    // gone, the program is ending): the call is then dropped unrun.
    bool Post(const std::function<void()>& call) const;

private:
    std::shared_ptr<GuiCallQueue> queue_;
};

}  // namespace skx
