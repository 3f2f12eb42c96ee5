// The view services' scanner entries: the displays of the main window's scanner panel.
#include "ScannerPanel.h"
#include "ViewServices.h"

namespace skx {

void ViewServices::BotScan(const std::string& direction) {
    std::string code = direction;
    if (ScannerPanel* panel = ScannerPanel::Current()) panel->BotScan(code);
}

void ViewServices::PlayerScan(const std::string& direction) {
    std::string code = direction;
    if (ScannerPanel* panel = ScannerPanel::Current()) panel->PlayerScan(code);
}

}  // namespace skx
