// The handler of the server's top-25 lists ('O').
#include <string>
#include <vector>

#include "ProtocolFrame.h"
#include "TextUtilities.h"
#include "frmTop25.h"
#include "modEvents.h"
#include "runtime/ErrorGuard.h"

namespace skx {

void EventUO(std::string& data) {
    Guard("modEvents", "EventUO", [&] {
        const std::vector<std::string> fields = SplitB2(data, FieldSeparator);
        frmTop25().Update(fields[0]);  // the window is made, hidden, when it does not exist
    });
}

}  // namespace skx
