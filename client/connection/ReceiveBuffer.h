// The received text not yet dispatched, and the dispatcher that cuts whole frames off it and
// hands each command letter to its handler.
#pragma once
#include <functional>
#include <string>

namespace skx {

// Program-wide: appended by the read event, cut by the dispatcher, emptied by Clean_Up.
extern std::string ReceiveBuffer;

// One dispatcher pass. Does nothing while not connected (the buffer stays as it is). Every
// whole frame is handed to its command's handler in order; the unfinished tail stays in the
// buffer; an unknown command character goes to reportUnimplemented.
void DispatchReceived(bool connected, const std::function<void(char command)>& reportUnimplemented);

// The chat line for a command without a handler.
std::string UnimplementedCommandText(char command);

}  // namespace skx
