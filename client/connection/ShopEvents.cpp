// The handler of the server's shop lists ('l').
#include <string>
#include <vector>

#include "ProtocolFrame.h"
#include "TextUtilities.h"
#include "frmShop.h"
#include "modEvents.h"
#include "runtime/ErrorGuard.h"

namespace skx {

void EventLL(std::string& data) {
    Guard("modEvents", "EventLL", [&] {
        const std::vector<std::string> fields = SplitB2(data, FieldSeparator);
        frmShopForm& shop = frmShop();
        shop.Load();  // hidden when it was not loaded yet: its load asks for the list first
        shop.ParseShopData(fields[0]);
    });
}

}  // namespace skx
