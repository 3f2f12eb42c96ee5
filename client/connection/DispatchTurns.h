// A long dispatch in passes, with the message loop's turn between them: after a pass that left
// whole frames waiting, the next pass runs from a thread timer. The loop hands out timer ticks
// only once no posted message, input or painting waits, so each pass comes as soon as those have
// been served, never ahead of them.
#pragma once
#include <functional>

namespace skx {

// Runs pass on the next turn of the message loop, and again while it answers true (frames are
// left). A pass that is running already (a handler below turned the loop) is not joined: that
// pass goes on by itself once the handler returns.
void ContinueDispatchSoon(std::function<bool()> pass);
// True while a continuation waits for its turn.
bool DispatchContinues();

}  // namespace skx
