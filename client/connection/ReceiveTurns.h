// The receiving side's turns on the message loop: the dispatcher's passes, reading resumed once
// the backlog has room, and the drain after the server's close.
#pragma once
#include <functional>
#include <string>

namespace skx {

// One dispatcher pass over ReceiveBuffer (the frame timer calls it when the buffer is not
// empty); unknown commands write the unimplemented-command line into the "Game" pane. A pass
// runs for at most kDispatchBudgetMs; what it leaves follows in further passes as soon as the
// message loop has served input and painting. After a pass, reading goes on when it was held
// back for the backlog and the backlog has room again.
void ProcessData();
// Starts the passes without waiting for the frame timer (reading has stopped for a full backlog).
void WorkBacklogSoon();

// After the server's close: what the socket still holds is read and handled in such passes, as
// any other frames (the server's last words are shown), and then close runs, only while the
// connection is still the one that closed. A Clean_Up meanwhile (the user's own close, a new
// login) ends the drain without its close.
void DrainAfterServerClose(std::function<void()> close);
// True while such a drain is under way.
bool DrainingAfterServerClose();
// Ends the drain without its close (the user's close has disconnected the socket).
void EndDrainAfterServerClose();
// Nothing more is read or handled: the program is ending.
void StopReceiving();

// Where the receiving side stands, as one line of "name=value" words: the frames held for a map
// fetch and for how long, a fetch running, reading paused, the characters waiting, whole frames
// waiting, the frames handed on so far, a pass running, the time since the last pass, a
// continuation armed, a drain under way, the connection's number.
std::string ReceivingState();

}  // namespace skx
