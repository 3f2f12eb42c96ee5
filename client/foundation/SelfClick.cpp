#include "SelfClick.h"

#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

void ClickingOptions(bool LeftButton) {
    Guard("modMiscFunctionsOne", "ClickingOptions", [&] {
        const std::string command = LeftButton ? LeftClick : RightClick;
        if (command.empty()) return;
        const ClientLinkTable& links = ClientLinks();
        if (InStr(LCase(command), "center") > 0 && links.ScreenCenter) links.ScreenCenter(true);
        if (links.Server) links.Server("C", command);
    });
}

}  // namespace skx
