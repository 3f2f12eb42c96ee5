#include "AccountRules.h"

#include "runtime/Conversions.h"

namespace skx {

std::string InformationText(const std::string& user, int16_t level, int32_t money) {
    return "  " + user + " / " + CStr(level) + " - $" + CStr(money);
}

std::vector<MenuShown> StaffItemsShown(int16_t level) {
    if (level < 90) {
        std::vector<MenuShown> hidden;
        for (MainMenu m : {MainMenu::AdminBar, MainMenu::MiscReset, MainMenu::MiscKick, MainMenu::MiscShutup,
                           MainMenu::MiscBan, MainMenu::Debug, MainMenu::DebugBar}) {
            hidden.push_back({m, false});
        }
        return hidden;
    }
    std::vector<MenuShown> shown{{MainMenu::AdminBar, true}, {MainMenu::MiscReset, true}};
    if (level >= 92) shown.insert(shown.end(), {{MainMenu::MiscKick, true}, {MainMenu::MiscShutup, true}});
    if (level >= 96) shown.push_back({MainMenu::MiscBan, true});
    if (level == 100) shown.insert(shown.end(), {{MainMenu::Debug, true}, {MainMenu::DebugBar, true}});
    return shown;
}

bool NewsWanted(const std::string& stored, const std::string& number) {
    const std::string trimmed = Trim(stored);
    return trimmed.empty() || Val(number) > Val(trimmed);
}

std::string StoredNewsValue(const std::string& number) {
    std::string value = number;
    std::erase_if(value, [](char c) { return static_cast<unsigned char>(c) < 32; });
    return value;
}

}  // namespace skx
