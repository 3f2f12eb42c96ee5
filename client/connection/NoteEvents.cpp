// The handler of the notes replies ('N'): a page of note headers, or the text of one note.
#include <string>
#include <vector>

#include "NoteRequests.h"
#include "ProtocolFrame.h"
#include "TextUtilities.h"
#include "frmNotes.h"
#include "modEvents.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
const std::string& Field(const std::vector<std::string>& f, size_t i) {
    if (i >= f.size()) Raise(errSubscriptOutOfRange, "modEvents");
    return f[i];
}
}  // namespace

void EventUN(std::string& data) {
    Guard("modEvents", "EventUN", [&] {
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        const std::string& kind = f[0];
        if (kind != "1" && kind != "0") return;
        frmNotesForm& notes = frmNotes();
        notes.Load();  // hidden when it was not loaded yet: its load asks for a page first
        if (kind == "1") {
            notes.Update(Field(f, 1));
            return;
        }
        // A short frame fills the boxes up to the missing field.
        notes.txtSender.SetText(Field(f, 2));
        notes.txtRoute.SetText(Field(f, 3));
        notes.txtDate.SetText(Field(f, 4));
        notes.txtSubject.SetText(Field(f, 6));
        notes.txtMessage.SetPlainText(NoteBodyText(Field(f, 7), Field(f, 5)));
    });
}

}  // namespace skx
