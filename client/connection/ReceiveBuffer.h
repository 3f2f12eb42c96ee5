// The received text not yet dispatched, and the dispatcher that cuts whole frames off it and
// hands each command letter to its handler.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

// Program-wide: appended by the read event, cut by the dispatcher, emptied by Clean_Up.
extern std::string ReceiveBuffer;

// Bounds of the received text: an unfinished frame longer than kMaxFrameTail is dropped (up
// to the next FrameStart); a buffer longer than kMaxReceiveBuffer ends the connection.
inline constexpr size_t kMaxFrameTail = 64 * 1024;
inline constexpr size_t kMaxReceiveBuffer = 4 * 1024 * 1024;
// How deep dispatcher passes may nest (handlers that turn the message loop start new ones).
inline constexpr int kMaxDispatchDepth = 4;
// How long one dispatcher pass of the client may run before it leaves the rest to the next pass,
// so that painting, input and the menus get their turn during a long burst.
inline constexpr uint32_t kDispatchBudgetMs = 50;
// How much of the buffer is cut into frames at a time (a pass then cuts the next piece).
inline constexpr size_t kCutPiece = 64 * 1024;
// Reading from the socket stops while more than this would wait for the dispatcher after the
// next read (a read takes at most kReadPiece characters), and goes on once the dispatcher has
// worked the backlog down: a server faster than the client is held back by the connection
// itself instead of filling the buffer.
inline constexpr size_t kReadPiece = 4096;
inline constexpr size_t kReadPauseBytes = 1024 * 1024;

// Empties the buffer and the frames cut but not yet handled, and starts a new connection's
// reporting (Clean_Up uses it at every connect and disconnect).
void ClearReceiveBuffer();
// True while received text or cut frames wait for the dispatcher.
bool HasReceivedData();
// The characters that wait: the buffer's and those of the frames cut but not yet handled.
size_t WaitingBytes();
// True when another read may add to what waits without passing kReadPauseBytes.
bool RoomToRead();
// Reading held back: set when a read was left for want of room, cleared when reading goes on
// (and by ClearReceiveBuffer).
void SetReadingPaused(bool paused);
bool ReadingPaused();

// While held (a map is fetched for the arena), no pass hands on a frame: the frames after the
// one that holds them wait, in order, until it lets go. ClearReceiveBuffer lets go as well.
void HoldFrames(bool hold);
bool FramesHeld();
// Milliseconds since the frames were held (0 while they are not), and since the last pass ended
// (-1 before the first).
int64_t FramesHeldForMs();
int64_t SinceLastPassMs();
// How many frames the passes have handed on (to a handler, or as unknown or ignored) since the
// program started.
uint64_t FramesHandedOn();

struct DispatchReport {
    std::function<void(char command)> unimplemented;  // a command without a handler
    std::function<void(size_t count)> dropped;        // text that was no frame (once a connection)
    std::function<void(char command)> starting;       // a frame whose handler is about to run (for measurements)
    std::function<void(char command)> handled;        // a frame whose handler has run (for measurements)
};

// One dispatcher pass: while connected() holds and the frames are not held, takes the oldest whole frame and hands it to
// its command's handler, until none is left or, with a budget, until budgetMs have passed
// (after at least one frame); the unfinished tail stays in the buffer, and frames left for
// the budget wait, in order, for the next pass. True when whole frames are left waiting. A
// handler that turns the message loop may start a nested pass, which simply goes on with the
// next frame, so frames are handled once each and in the order they arrived; passes nest at
// most kMaxDispatchDepth deep (a deeper one leaves the frames to the passes below it).
bool DispatchReceived(const std::function<bool()>& connected, const DispatchReport& report,
                      uint32_t budgetMs = 0);
// True while whole frames wait for a pass (not only an unfinished tail).
bool HasWholeFrames();
// True while a pass runs (at any depth).
bool DispatchPassRunning();

// The chat line for a command without a handler.
std::string UnimplementedCommandText(char command);

}  // namespace skx
