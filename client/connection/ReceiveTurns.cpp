// The receiving side's turns on the message loop: budgeted dispatcher passes, reading resumed
// once the backlog has room, and the drain after the server's close. Each turn runs from the
// frame timer, a continuation timer or a posted completion, never from a wait inside a handler,
// so input and painting are served between any two turns.
#include <utility>

#include "ArenaHooks.h"
#include "ChatTimeStamp.h"
#include "ChatWriteBatch.h"
#include "ConnectionState.h"
#include "DispatchTurns.h"
#include "FrameWriter.h"
#include "InternetFile.h"
#include "MainWindowLinks.h"
#include "ReceiveBuffer.h"
#include "ReceiveTurns.h"
#include "ServerTextBoxes.h"
#include "frmChatBar.h"
#include "modRTFLinks.h"
#include "runtime/DispatchObject.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"
#include "runtime/ScopedCount.h"

namespace skx {

namespace {

DispatchReport ClientDispatchReport() {
    DispatchReport report;
    report.unimplemented = [](char command) {
        if (!MayWriteFloodLine()) return;  // counted, and the count written once they stop
        frmChatBar().Load();
        AddToRTB(ChatTimeStamp() + UnimplementedCommandText(command), frmChatBar().txtStatus[1], 255, true, true,
                 false, true);
    };
    report.dropped = [](size_t count) {
        ReportCaught("frmMain", "ProcessData", 0, errInvalidProcedureCall, "frmMain",
                     std::to_string(count) + " received characters were not part of a frame and were dropped");
    };
    return report;
}

// The drain after the server's close, for the connection that closed.
struct Drain {
    bool active = false;
    uint64_t generation = 0;
    bool exhausted = false;  // the socket has nothing more to read
    std::function<void()> close;
};
Drain g_drain;
bool g_stopped = false;
int g_turning = 0;  // a turn is under way (a box inside it turns the message loop)

// Reads what the closed socket still holds (its read events are not raised for a closed
// connection), as far as the backlog has room and at most kDrainReads pieces a turn. A read
// that fails ends the reading: the control has raised its error event for it (whose box is the
// report), and the drain goes on to its close with what it has.
constexpr int kDrainReads = 64;
void ReadClosedSocket(DispatchObject& sck) {
    const bool finished = Guard("frmMain", "sckConnect_OnRead", [&] {
        try {
            for (int reads = 0; reads < kDrainReads && !g_drain.exhausted && RoomToRead(); ++reads) {
                g_drain.exhausted = ReadPiece(sck) == PieceRead::Nothing;
            }
        } catch (const RunTimeError& e) {
            if (e.Source() != kSocketErrorSource) throw;
            g_drain.exhausted = true;
        }
    });
    if (!finished) g_drain.exhausted = true;
}

// Goes on reading a socket that was held back for the backlog, once it has room: one read
// takes up its notices again, and what else the socket holds follows as they come.
bool ResumeReading(DispatchObject& sck) {
    if (!ReadingPaused() || !RoomToRead()) return false;
    SetReadingPaused(false);
    ReadInto(sck);
    return true;
}

// One turn; true when another should follow soon (frames are left, or the drain goes on).
bool ReceiveTurn() {
    // A turn or pass already under way (a box or a handler inside it turned the message loop)
    // goes on with the rest itself once that returns: no turn starts inside it.
    if (g_turning) return !g_stopped;  // the continuation stays armed for the turn's own end
    if (g_stopped || DispatchPassRunning() || !MainWindowLinks().Socket) return g_drain.active && !g_stopped;
    const ScopedCount turning(g_turning);
    if (g_drain.active && g_drain.generation != ConnectionGeneration()) g_drain = Drain{};
    DispatchObject& sck = MainSocket();
    if (g_drain.active) ReadClosedSocket(sck);
    bool more = false;
    {
        ChatWriteBatch lines;  // the pass's chat lines are drawn once, at its end
        Guard("frmMain", "ProcessData", [&more, &sck] {
            more = DispatchReceived([&sck] { return IsConnected(sck); }, ClientDispatchReport(), kDispatchBudgetMs);
        });
    }
    if (g_stopped) return false;
    if (!g_drain.active) {
        const bool resumed = ResumeReading(sck);
        return more || (resumed && HasWholeFrames() && !FramesHeld());
    }
    if (g_drain.generation != ConnectionGeneration()) {  // a handler's Clean_Up took over
        g_drain = Drain{};
        return more;
    }
    if (FramesHeld()) return false;  // the map fetch's completion resumes the passes
    if (more || !g_drain.exhausted || HasWholeFrames()) return true;
    // Everything the server sent before it hung up has been handled: the close.
    std::function<void()> close = std::move(g_drain.close);
    g_drain = Drain{};
    if (close) Guard("frmMain", "sckConnect_OnDisconnect", close);
    return false;
}

}  // namespace

void ProcessData() {
    if (ReceiveTurn()) ContinueDispatchSoon(&ReceiveTurn);
}

void WorkBacklogSoon() {
    if (!g_stopped) ContinueDispatchSoon(&ReceiveTurn);
}

void DrainAfterServerClose(std::function<void()> close) {
    if (g_stopped) return;
    if (g_drain.active && g_drain.generation == ConnectionGeneration()) return;  // told once already
    g_drain = Drain{true, ConnectionGeneration(), false, std::move(close)};
    WorkBacklogSoon();  // in a turn of its own, not inside the control's close event
}

bool DrainingAfterServerClose() { return g_drain.active && g_drain.generation == ConnectionGeneration(); }

void EndDrainAfterServerClose() { g_drain = Drain{}; }

void StopReceiving() {
    g_stopped = true;
    g_drain = Drain{};
}

std::string ReceivingState() {
    const bool fetching = ArenaHooks().MapTransfer && ArenaHooks().MapTransfer().StillExecuting();
    const auto flag = [](bool b) { return b ? "1" : "0"; };
    return std::string("held=") + flag(FramesHeld()) + " held_ms=" + std::to_string(FramesHeldForMs()) +
           " fetching=" + flag(fetching) + " paused=" + flag(ReadingPaused()) + " waiting=" + std::to_string(WaitingBytes()) +
           " whole=" + flag(HasWholeFrames()) + " handed_on=" + std::to_string(FramesHandedOn()) + " pass=" + flag(DispatchPassRunning()) +
           " since_pass_ms=" + std::to_string(SinceLastPassMs()) + " continuing=" + flag(DispatchContinues()) +
           " draining=" + flag(DrainingAfterServerClose()) + " stopped=" + flag(g_stopped) +
           " generation=" + std::to_string(ConnectionGeneration());
}

}  // namespace skx
