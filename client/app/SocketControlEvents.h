// Routes the socket control's events to the main window's handlers.
#pragma once

namespace skx {

class frmMainForm;

// Connects the main window's control sckConnect to its handlers: OnConnect, OnDisconnect and
// OnError (Error, Description) to the window's sckConnect_On... members, OnRead to the read
// event. False when the control is missing or refuses the sink (then no event arrives).
bool ConnectSocketControlEvents(frmMainForm& form);

}  // namespace skx
