#include "OptionMenuItems.h"

#include "frmMain.h"
#include "runtime/RunTimeError.h"

namespace skx {

MenuItem& OptionItem(MenuOption option) {
    frmMainForm& main = frmMain();
    switch (option) {
        case MenuOption::ShowErrors: return main.mnuOptionsShowErrors;
        case MenuOption::Keypad: return main.mnuOptionsKeypad;
        case MenuOption::WASD: return main.mnuOptionsWASD;
        case MenuOption::ShowSatellite: return main.mnuOptionsShowSatellite;
        case MenuOption::AutoCenter: return main.mnuAutoCenter;
        case MenuOption::TrueMovement: return main.mnuOptionsTrue;
        case MenuOption::LangFilter: return main.mnuOptionLangFilter;
        case MenuOption::AutoChat: return main.mnuOptionsChat;
        case MenuOption::SplatIgnore: return main.mnuOptionSplatIgnore;
        case MenuOption::ScrollLock: return main.mnuOptionsScroll;
        case MenuOption::AutoTileWindows: return main.mnuWindowAutoTileWindows;
        case MenuOption::GameInformation: return main.mnuOptionsGameInformation;
        case MenuOption::LocationScanner: return main.mnuLocationScanner;
        case MenuOption::DisplayTimeStamp: return main.mnuDisplayTimeStamp;
        case MenuOption::Count: break;
    }
    Raise(errSubscriptOutOfRange, "OptionItem");
}

bool MenuChecked(MenuOption option) { return OptionItem(option).Checked(); }

void SetMenuChecked(MenuOption option, bool checked) { OptionItem(option).SetChecked(checked); }

}  // namespace skx
