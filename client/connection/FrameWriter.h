// Sending to the game server (frmMain.Server), the read event that fills the receive buffer,
// the traffic counter, and the dispatcher pass run by the frame timer.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/DispatchObject.h"

namespace skx {

// Frames CtrlChar and Msg and writes the frame on the main window's socket control when it
// is connected and writable; otherwise the frame is dropped without a word.
void Server(const std::string& CtrlChar, const std::string& Msg);
void ServerOn(DispatchObject& sck, const std::string& CtrlChar, const std::string& Msg);

// The control's read event: reads up to 4096 characters into ReceiveBuffer.
void sckConnect_OnRead();
void ReadInto(DispatchObject& sck);

// Adds a count to the traffic total and shows it in panel 4 of the main window's status bar.
void UpdateDataLength(int16_t iDataLength);
// "5120 (5 Kb)": the total and the total / 1024 rounded half to even.
std::string TrafficText(int32_t total);

// One dispatcher pass over ReceiveBuffer (the frame timer calls it when the buffer is not
// empty); unknown commands write the unimplemented-command line into the "Game" pane.
void ProcessData();

// The connection reset path of the frame writer (the login life cycle sets it).
extern std::function<void()> OnConnectionReset;

// Reads up to maxCount characters from the control (Read with the buffer by reference).
int16_t ReadFromControl(DispatchObject& sck, std::string& buffer, int32_t maxCount);

}  // namespace skx
