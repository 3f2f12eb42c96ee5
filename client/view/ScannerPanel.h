// The location scanner panel of the main window (inside its picture box picSpace): the nine
// targeting buttons under "Can Target", and the two direction displays "Bot Locator" and
// "Player Locator" that the server's scanner messages light.
#pragma once
#include <array>
#include <string>

#include "GdiHandle.h"
#include "runtime/ControlHost.h"
#include "runtime/DialogControls.h"
#include "window_ids.h"

namespace skx {

// One 3 x 3 direction display: the eight direction buttons and the centre.
struct ScannerDisplay {
    ScannerDisplay(ControlHost& host, int baseId, const std::string& prefix);
    // NW, N, NE, W, centre, E, SW, S, SE.
    std::array<Button, 9> places;
    // The picture key each place shows ("" for none yet).
    std::array<std::string, 9> shown;
};

class ScannerPanel : public DialogPage {
public:
    ScannerPanel();
    ~ScannerPanel() override;

    ControlArray<Button, 9> cmdTarget{*this, IDC_SCANNER_CMDTARGET, "cmdTarget"};
    Label lblTarget{*this, IDC_SCANNER_LBLTARGET, "lblTarget"};
    Label lblBot{*this, IDC_SCANNER_LBLBOT, "lblBot"};
    Label lblPlayer{*this, IDC_SCANNER_LBLPLAYER, "lblPlayer"};
    ScannerDisplay Bots{*this, IDC_SCANNER_BOT, "cmdBot"};
    ScannerDisplay PlayersShown{*this, IDC_SCANNER_PLAYER, "cmdPlayer"};

    // Makes the panel inside the picture box and puts the pictures on its buttons.
    bool Create(HWND parent);
    // Darkens the eight directions of the display, then lights the one of the ScanDirection
    // code (1 North ... 8 SouthEast); any other number lights none, and a text that is no
    // number is raised (13, or 6 beyond an Integer) after the darkening.
    // Errors go to the error reporter as the main window's BotScan and PlayerScan.
    void BotScan(std::string& sDirection);
    void PlayerScan(std::string& sDirection);

    // The command line of a targeting button.
    static const char* TargetCommand(int index);
    // The panel the main window holds (null before it is made).
    static ScannerPanel* Current();

private:
    void Scan(ScannerDisplay& display, const std::string& sDirection);
    void Show(ScannerDisplay& display, int place, const std::string& key);
    HBITMAP Picture(const std::string& key);

    std::array<GdiObject<HBITMAP>, 16> pictures_;
    std::array<GdiObject<HBITMAP>, 9> targetPictures_;
};

}  // namespace skx
