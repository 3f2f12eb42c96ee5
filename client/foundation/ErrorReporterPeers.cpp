#include "ErrorReporter.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "ServerTextBoxes.h"

namespace skx {

ErrorReporterPeers ClientErrorReporterPeers() {
    ErrorReporterPeers peers;
    peers.AccountName = [] { return Username; };
    peers.ShowErrors = [] { return MenuChecked(MenuOption::ShowErrors); };
    // A run of errors (a server sending bad values over and over) must not bury the user in
    // boxes: the reports' boxes keep the rule of the server's own texts.
    peers.ShowBox = [](const std::string& text, int32_t style, const std::string& title) {
        return ServerTextBox("ReportError", text, style, title, "Tahoma");
    };
    return peers;
}

}  // namespace skx
