// The handler of the server's game-information replies ('e').
#include <string>
#include <vector>

#include "ProtocolFrame.h"
#include "TextUtilities.h"
#include "frmGame.h"
#include "modEvents.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

void EventLE(std::string& data) {
    Guard("modEvents", "EventLE", [&] {
        const std::vector<std::string> fields = SplitB2(data, FieldSeparator);
        frmGameForm& game = frmGame();
        // Asking loads the window hidden when it was not loaded yet.
        if (!game.Visible() || fields.size() != 2) return;
        const int Section = CInt(fields[0]);
        game.Update(fields[1], Section);
    });
}

}  // namespace skx
