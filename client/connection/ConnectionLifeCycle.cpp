// The connection's life on the main window: connect toggle, close, the control's connected,
// disconnected and error events, and the two polling timers.
#include "FrameWriter.h"
#include "frmMain.h"

namespace skx {

void frmMainForm::Server(const std::string& CtrlChar, const std::string& Msg) { skx::Server(CtrlChar, Msg); }

void frmMainForm::RequestConnect() {}
bool frmMainForm::CloseSocket() { return true; }
void frmMainForm::SetVoteInformation() {}
void frmMainForm::sckConnect_OnConnect() {}
void frmMainForm::sckConnect_OnDisconnect() {}
void frmMainForm::sckConnect_OnError(int32_t, const std::string&) {}
void frmMainForm::tmrGameInfo_Timer() {}
void frmMainForm::tmrSoundCheck_Timer() {}

}  // namespace skx
