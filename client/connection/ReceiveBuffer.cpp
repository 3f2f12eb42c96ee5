#include "ReceiveBuffer.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <utility>

#include "ProtocolFrame.h"
#include "modEvents.h"

namespace skx {

std::string ReceiveBuffer;

namespace {
// Frames already cut off the buffer and not yet handled, oldest first: shared by nested passes.
std::deque<ServerFrame> pendingFrames;
size_t pendingBytes = 0;  // the wire characters of pendingFrames
int passDepth = 0;
bool droppedReported = false;
bool readingPaused = false;
bool framesHeld = false;
using Clock = std::chrono::steady_clock;
Clock::time_point heldAt{}, lastPassAt{};
bool passed = false;
uint64_t handedOn = 0;

int64_t MsSince(Clock::time_point then) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - then).count();
}

// What a frame took on the wire: start, command, separator, data, end.
size_t WireSize(const ServerFrame& f) { return f.data.size() + 4; }

struct PassLevel {
    PassLevel() { ++passDepth; }
    ~PassLevel() {
        --passDepth;
        lastPassAt = Clock::now();
        passed = true;
    }
    PassLevel(const PassLevel&) = delete;
    PassLevel& operator=(const PassLevel&) = delete;
};
}  // namespace

std::string UnimplementedCommandText(char command) {
    return "Client Used UnImplemented Command: " + std::string(1, command);
}

void ClearReceiveBuffer() {
    ReceiveBuffer.clear();
    pendingFrames.clear();
    pendingBytes = 0;
    droppedReported = false;
    readingPaused = false;
    framesHeld = false;
}

bool HasReceivedData() { return !ReceiveBuffer.empty() || !pendingFrames.empty(); }

size_t WaitingBytes() { return ReceiveBuffer.size() + pendingBytes; }

bool RoomToRead() { return WaitingBytes() + kReadPiece <= kReadPauseBytes; }

void SetReadingPaused(bool paused) { readingPaused = paused; }

bool ReadingPaused() { return readingPaused; }

void HoldFrames(bool hold) {
    if (hold && !framesHeld) heldAt = Clock::now();
    framesHeld = hold;
}

bool FramesHeld() { return framesHeld; }

int64_t FramesHeldForMs() { return framesHeld ? MsSince(heldAt) : 0; }

int64_t SinceLastPassMs() { return passed ? MsSince(lastPassAt) : -1; }

uint64_t FramesHandedOn() { return handedOn; }

bool DispatchPassRunning() { return passDepth > 0; }

bool HasWholeFrames() {
    return !pendingFrames.empty() || ReceiveBuffer.find(FrameEnd[0]) != std::string::npos;
}

bool DispatchReceived(const std::function<bool()>& connected, const DispatchReport& report, uint32_t budgetMs) {
    if (passDepth >= kMaxDispatchDepth) return false;  // the passes below go on with the frames
    PassLevel level;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(budgetMs);
    for (bool first = true;; first = false) {
        if (framesHeld || !connected()) return false;  // what is left waits (or goes with Clean_Up)
        if (budgetMs && !first && Clock::now() >= until) return HasWholeFrames();
        if (pendingFrames.empty()) {
            size_t dropped = 0;
            std::vector<ServerFrame> cut = TakeWholeFrames(ReceiveBuffer, &dropped, kCutPiece);
            if (dropped && !droppedReported) {
                droppedReported = true;
                if (report.dropped) report.dropped(dropped);
            }
            if (cut.empty()) return false;
            for (ServerFrame& f : cut) {
                pendingBytes += WireSize(f);
                pendingFrames.push_back(std::move(f));
            }
        }
        ServerFrame frame = std::move(pendingFrames.front());
        pendingFrames.pop_front();
        pendingBytes -= std::min(pendingBytes, WireSize(frame));
        ++handedOn;
        CommandRoute route = RouteCommand(frame.command);
        switch (route.kind) {
            case CommandKind::Handler:
                if (report.starting) report.starting(frame.command);
                route.handler(frame.data);
                if (report.handled) report.handled(frame.command);
                break;
            case CommandKind::Ignored:
                break;
            case CommandKind::Unimplemented:
                if (report.unimplemented) report.unimplemented(frame.command);
                break;
        }
    }
}

}  // namespace skx
