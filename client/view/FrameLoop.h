// The frame timer's work: each tick dispatches the received frames, then, while a map is
// loaded and the socket connected, draws one frame of the arena.
#pragma once
#include <cstdint>
#include <functional>

#include "DrawDevice.h"
#include "MapPasses.h"

namespace skx {

// What the main window tells a frame: the account's access level and the names option.
struct FrameInput {
    int16_t AccessLevel = 0;
    bool ShowNames = false;
};

class FrameLoop {
public:
    // One frame: skipped while the device is lost, after a reset when it needs one; cleared
    // white, the map, the weather that runs, the names when asked, then presented. Without a
    // device it returns at once (reported once a run).
    void Render(FrameDevice* device, const FrameInput& input);
    MapPasses& Passes() { return passes_; }

private:
    MapPasses passes_;
    bool noDeviceReported_ = false;
};

// The steps of a tick, as the main window takes them.
struct TickSteps {
    std::function<bool()> HasReceivedData;
    std::function<void()> ProcessData;
    std::function<bool()> ShouldDraw;  // a map is loaded and the socket connected
    std::function<void()> Draw;        // one frame, then the message loop's turn
};
// A tick that arrives while another runs (through the message loop of a wait or a box)
// returns at once.
void FrameTick(const TickSteps& steps);

}  // namespace skx
