#include "ClientLinks.h"

#include <windows.h>

#include <array>

namespace skx {

namespace {
std::array<bool, static_cast<size_t>(MenuOption::Count)>& FallbackChecks() {
    static std::array<bool, static_cast<size_t>(MenuOption::Count)> checks{};
    return checks;
}
}  // namespace

ClientLinkTable& ClientLinks() {
    static ClientLinkTable links;
    return links;
}

bool MenuChecked(MenuOption option) {
    if (ClientLinks().MenuChecked) return ClientLinks().MenuChecked(option);
    return FallbackChecks().at(static_cast<size_t>(option));
}

void SetMenuChecked(MenuOption option, bool checked) {
    if (ClientLinks().SetMenuChecked) {
        ClientLinks().SetMenuChecked(option, checked);
        return;
    }
    FallbackChecks().at(static_cast<size_t>(option)) = checked;
}

int ShowClientMessage(const std::string& text, int32_t style, const std::string& title) {
    if (ClientLinks().ShowMessageBox) return ClientLinks().ShowMessageBox(text, style, title);
    // The icon bits of the style word match the platform's; the buttons become OK.
    UINT icon = static_cast<UINT>(style) & 0xF0u;
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_TASKMODAL | icon);
}

}  // namespace skx
