#include "ReceiveBuffer.h"

#include <vector>

#include "ProtocolFrame.h"
#include "modEvents.h"
#include "runtime/ErrorGuard.h"

namespace skx {

std::string ReceiveBuffer;

std::string UnimplementedCommandText(char command) {
    return "Client Used UnImplemented Command: " + std::string(1, command);
}

void DispatchReceived(bool connected, const std::function<void(char)>& reportUnimplemented) {
    if (!connected) return;
    // The pass keeps its frames in a list of its own: a handler that turns the message loop
    // may let a nested pass handle text that arrived meanwhile.
    std::vector<ServerFrame> frames = TakeWholeFrames(ReceiveBuffer);
    for (ServerFrame& frame : frames) {
        CommandRoute route = RouteCommand(frame.command);
        switch (route.kind) {
            case CommandKind::Handler:
                route.handler(frame.data);
                break;
            case CommandKind::Ignored:
                break;
            case CommandKind::Unimplemented:
                if (reportUnimplemented) reportUnimplemented(frame.command);
                break;
        }
    }
}

}  // namespace skx
