// Sending to the game server (frmMain.Server), the read event that fills the receive buffer,
// the traffic counter, and the dispatcher pass run by the frame timer.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/DispatchObject.h"

namespace skx {

// Frames CtrlChar and Msg and writes the frame on the main window's socket control when it
// is connected and writable; otherwise the frame is dropped without a word. A frame the
// socket takes only in part is completed as the socket takes more (bounded wait).
void Server(const std::string& CtrlChar, const std::string& Msg);
void ServerOn(DispatchObject& sck, const std::string& CtrlChar, const std::string& Msg);

// The control's read event: reads up to 4096 characters into ReceiveBuffer.
void sckConnect_OnRead();
void ReadInto(DispatchObject& sck);
// Appends received text to ReceiveBuffer, dropping (and reporting) an unfinished frame that grew
// past its bound; true when the buffer is past its own bound (the connection must close).
bool AppendReceived(const std::string& text);

// Adds a count to the traffic total and shows it in panel 4 of the main window's status bar.
void UpdateDataLength(int16_t iDataLength);
// "5120 (5 Kb)": the total and the total / 1024 rounded half to even.
std::string TrafficText(int64_t total);

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

// A write that found the connection reset by the peer runs this (the app links the connect toggle).
extern std::function<void()> OnConnectionReset;
// Received text past its bound runs this (the app links the close of the connection).
extern std::function<void()> OnReceiveOverflow;

// Reads up to maxCount characters from the control (Read with the buffer by reference).
int16_t ReadFromControl(DispatchObject& sck, std::string& buffer, int32_t maxCount);

}  // namespace skx
