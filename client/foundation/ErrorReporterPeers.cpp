#include "ErrorReporter.h"
#include "MessageBox.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"

namespace skx {

ErrorReporterPeers ClientErrorReporterPeers() {
    ErrorReporterPeers peers;
    peers.AccountName = [] { return Username; };
    peers.ShowErrors = [] { return MenuChecked(MenuOption::ShowErrors); };
    peers.ShowBox = [](const std::string& text, int32_t style, const std::string& title) {
        return CSendMessage(text, style, title, 0, true, true, -1, "Tahoma", nullptr);
    };
    return peers;
}

}  // namespace skx
