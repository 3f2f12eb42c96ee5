// The handler of the server's alias replies ('a').
#include <string>

#include "AliasCommands.h"
#include "AliasReply.h"
#include "FrameWriter.h"
#include "ServerTextBoxes.h"
#include "frmAlias.h"
#include "modEvents.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr int32_t InformationBox = 70;  // the information icon and a single OK button
}  // namespace

void EventLA(std::string& data) {
    Guard("modEvents", "EventLA", [&] {
        const AliasReplyAction action = ReadAliasReply(data);
        if (action.ToConsole) {
            frmAliasForm& console = frmAlias();
            console.Load();  // hidden when it was not loaded yet
            console.ProcessAlias(data);
        }
        if (!action.Box.empty()) ServerTextBox("EventLA", action.Box, InformationBox, "Alias Console");
        if (action.AskForList) Server("a", AliasListRequest());
    });
}

}  // namespace skx
