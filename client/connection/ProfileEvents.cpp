// The handlers of the server's profile replies ('h') and of its inert 'i' records.
#include <string>
#include <vector>

#include "ProtocolFrame.h"
#include "TextUtilities.h"
#include "frmProfile.h"
#include "modEvents.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

void EventLH(std::string& data) {
    Guard("modEvents", "EventLH", [&] {
        const std::vector<std::string> fields = SplitB2(data, FieldSeparator);
        frmProfileForm& profile = frmProfile();
        // Asking loads the window hidden when it was not loaded: with no player named yet,
        // its load asks for nothing.
        if (!profile.Visible()) return;
        const int16_t kind = CInt(fields[0]);
        if (kind < 1 || kind > 3) return;
        if (fields.size() < 2) Raise(errSubscriptOutOfRange, "modEvents");
        if (kind == 1) profile.ProcessPlayer(fields[1]);
        else if (kind == 2) profile.ProcessAwards(fields[1]);
        else profile.ProcessAdministrator(fields[1]);
    });
}

void EventLI(std::string& data) {
    Guard("modEvents", "EventLI", [&] {
        // Nothing is kept: a record's numbers are only read, so a part that is no Integer is
        // the one thing that shows (as a run-time error).
        for (const std::string& field : SplitB2(data, FieldSeparator)) {
            if (field.size() <= 2) continue;
            const std::vector<std::string> parts = SplitB2(field, "~");
            if (parts.size() != 4) continue;
            for (size_t i = 0; i < 3; ++i) static_cast<void>(CInt(parts[i]));
        }
    });
}

}  // namespace skx
