// The main window's option menu items whose check states the settings keep, reached through
// the app's link (ClientLinks().OptionItem): without it no item is checked and a change is dropped.
#pragma once

namespace skx {

class MenuItem;

enum class MenuOption {
    ShowErrors,        // mnuOptionsShowErrors
    Keypad,            // mnuOptionsKeypad
    WASD,              // mnuOptionsWASD
    ShowSatellite,     // mnuOptionsShowSatellite
    AutoCenter,        // mnuAutoCenter
    TrueMovement,      // mnuOptionsTrue
    LangFilter,        // mnuOptionLangFilter
    AutoChat,          // mnuOptionsChat
    SplatIgnore,       // mnuOptionSplatIgnore
    ScrollLock,        // mnuOptionsScroll
    AutoTileWindows,   // mnuWindowAutoTileWindows
    GameInformation,   // mnuOptionsGameInformation
    LocationScanner,   // mnuLocationScanner
    DisplayTimeStamp,  // mnuDisplayTimeStamp
    Count
};

// The main window's item of an option (its state lives in the item, window or not).
MenuItem& OptionItem(MenuOption option);
bool MenuChecked(MenuOption option);
void SetMenuChecked(MenuOption option, bool checked);

}  // namespace skx
