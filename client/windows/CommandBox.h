// The commands of the command box, which the client carries out itself: "rate" (the frame
// timer's rate), "nodelay" (the socket's no-delay option) and "ignore" (a name onto the ignore
// list). They act through CommandTargets, which the app fills with the main window's frame
// timer and socket control, the ignore window and the message box.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

struct CommandTargets {
    std::function<void(bool enabled)> SetFrameTimerEnabled;   // frmMain.DXTimer.Enabled
    std::function<void(uint32_t ms)> SetFrameTimerInterval;   // frmMain.DXTimer.Interval
    std::function<void(bool on)> SetNoDelay;                  // frmMain.sckConnect.NoDelay
    std::function<void(const std::string& name)> IgnoreAdd;   // frmIgnore.IgnoreAdd
    // The client's message box: style 0, no title, "Tahoma".
    std::function<void(const std::string& text)> ShowBox;
};

// The program's targets (empty ones are skipped).
CommandTargets& CommandBoxTargets();

// Carries out one command line: words split at every blank (empty words kept), word 0 the
// command in any letter case, word 1 its value as typed. A value that is missing or empty
// for "nodelay" or "ignore", or no Boolean for "nodelay", raises a run-time error and
// changes nothing. A rate whose frame interval (1000 / value ms, halves to the even
// neighbour) would not lie from 1 to 32,767 ms is refused in a box and the timer runs on.
void ProcessCommand(const std::string& Line, const CommandTargets& targets);

// The frame timer's interval for a rate as typed; 0 when the rate gives no valid interval.
uint32_t FrameIntervalForRate(const std::string& value);

}  // namespace skx
