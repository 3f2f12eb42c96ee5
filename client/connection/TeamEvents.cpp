// The handler of the server's team replies ('t'): a team's information for the team console,
// or the result of creating a team.
#include <string>
#include <vector>

#include "ProtocolFrame.h"
#include "ServerTextBoxes.h"
#include "TextUtilities.h"
#include "frmTeams.h"
#include "modEvents.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr int32_t PlainBox = 6;  // a single OK button, no icon
}  // namespace

void EventLT(std::string& data) {
    Guard("modEvents", "EventLT", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        const std::string& kind = f[0];
        if (kind != "1" && kind != "2") return;
        if (f.size() < 2) Raise(errSubscriptOutOfRange, "modEvents");
        if (kind == "1") {
            frmTeams().RecvData(f[1]);
        } else {
            // The server tells a failure by a number other than 0; an empty text reads as 0.
            const bool created = Val(f[1]) == 0;
            ServerTextBox("EventLT", created ? "Your Team was created sucessfully!" : "Creation of your team has failed!",
                          PlainBox, "Team Console");
        }
    });
}

}  // namespace skx
