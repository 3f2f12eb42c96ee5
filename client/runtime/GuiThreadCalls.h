// Work that ends on another thread and finishes on the GUI thread: a call posted from any
// thread runs on the GUI thread as a posted message, in the order posted, whatever loop takes
// it (the main loop, a box's modal loop, a menu's), so nothing waits on the stack for it.
#pragma once
#include <functional>

namespace skx {

// Makes the GUI thread's receiving window; call on the GUI thread before anything is posted
// (later calls do nothing).
void PrepareGuiThreadCalls();

// Posts call to the GUI thread (safe from any thread). False when it cannot be posted (no
// receiving window, or the program is ending): the call is then dropped unrun.
bool PostToGuiThread(std::function<void()> call);

}  // namespace skx
