// The handler of the server's vote tallies ('n').
#include <string>
#include <vector>

#include "ChatPanes.h"
#include "ChatTimeStamp.h"
#include "ProtocolFrame.h"
#include "TextUtilities.h"
#include "VoteTally.h"
#include "frmVote.h"
#include "modEvents.h"
#include "modRTFLinks.h"
#include "runtime/ErrorGuard.h"

namespace skx {

void EventLN(std::string& data) {
    Guard("modEvents", "EventLN", [&] {
        const std::vector<std::string> fields = SplitB2(data, FieldSeparator);
        // Asking loads the window, hidden, when it is not loaded; its load asks for the tally.
        if (frmVote().Visible()) {
            frmVote().Update(fields[0]);
        } else {
            AddToRTB(ChatTimeStamp() + VoteTallyLine(fields[0]), ChatPaneBox(1), 0, true, false, false, true);
        }
    });
}

}  // namespace skx
