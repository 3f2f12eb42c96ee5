// Sending to the game server (frmMain.Server), the read event that fills the receive buffer,
// and the traffic counter.
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

// The control's read event: reads up to kReadPiece characters into ReceiveBuffer.
void sckConnect_OnRead();
void ReadInto(DispatchObject& sck);
// Reads one piece (up to kReadPiece characters) of what the socket holds into ReceiveBuffer and
// counts it: Nothing when it held nothing readable or the read failed; Overflow when the buffer
// is now past its bound.
enum class PieceRead { Nothing, Read, Overflow };
PieceRead ReadPiece(DispatchObject& sck);
// Whether the control holds a connection.
bool IsConnected(DispatchObject& sck);
// Appends received text to ReceiveBuffer, dropping (and reporting) an unfinished frame that grew
// past its bound; true when the buffer is past its own bound (the connection must close).
bool AppendReceived(const std::string& text);

// Adds a count to the traffic total and shows it in panel 4 of the main window's status bar.
void UpdateDataLength(int16_t iDataLength);
// "5120 (5 Kb)": the total and the total / 1024 rounded half to even.
std::string TrafficText(int64_t total);

// A write that found the connection reset by the peer runs this (the app links the connect toggle).
extern std::function<void()> OnConnectionReset;
// Received text past its bound runs this (the app links the close of the connection).
extern std::function<void()> OnReceiveOverflow;

// Reads up to maxCount characters from the control (Read with the buffer by reference). A read
// the control fails raises its error with kSocketErrorSource as the source; the control has
// raised its error event for it already.
inline constexpr const char* kSocketErrorSource = "sckConnect";
int16_t ReadFromControl(DispatchObject& sck, std::string& buffer, int32_t maxCount);

}  // namespace skx
