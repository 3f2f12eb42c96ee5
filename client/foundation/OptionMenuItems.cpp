#include "OptionMenuItems.h"

#include "ClientLinks.h"
#include "runtime/MenuItem.h"
#include "runtime/RunTimeError.h"

namespace skx {

MenuItem& OptionItem(MenuOption option) {
    const ClientLinkTable& links = ClientLinks();
    if (!links.OptionItem) Raise(errObjectNotSet, "OptionItem");
    return links.OptionItem(option);
}

bool MenuChecked(MenuOption option) { return ClientLinks().OptionItem && OptionItem(option).Checked(); }

void SetMenuChecked(MenuOption option, bool checked) {
    if (ClientLinks().OptionItem) OptionItem(option).SetChecked(checked);
}

}  // namespace skx
