// What the account message ('v') unlocks, and the news check ('D'): the information label, the
// custom command buttons and staff menu items a level shows, and whether news is wanted.
// Nothing here touches a window.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "CustomButtons.h"
#include "MainWindowLinks.h"

namespace skx {

constexpr int16_t UnregisteredLevel = 1;   // the registration window comes up
constexpr int16_t WizardTabLevel = 90;     // the "Wizard Chat" tab comes back

// The main window's information label: "  " & user & " / " & level & " - $" & money.
std::string InformationText(const std::string& user, int16_t level, int32_t money);

struct MenuShown {
    MainMenu item;
    bool shown;
    bool operator==(const MenuShown&) const = default;
};
// The staff items a level shows or hides; items a level does not name keep their state.
std::vector<MenuShown> StaffItemsShown(int16_t level);

// True when the news numbered number is newer than the stored one (or none is stored).
bool NewsWanted(const std::string& stored, const std::string& number);
// The news number as Game.DAT keeps it: without characters below 32.
std::string StoredNewsValue(const std::string& number);

}  // namespace skx
