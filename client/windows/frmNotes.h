// The notes window: in-game mail and the public forum. The note-text reply writes the open
// note into its five boxes; header pages go to Update.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmNotesForm : public FeatureWindow {
public:
    frmNotesForm();

    // The open note.
    TextBox txtSender{*this, IDC_NOTES_TXTSENDER, "txtSender"};
    TextBox txtRoute{*this, IDC_NOTES_TXTROUTE, "txtRoute"};
    TextBox txtDate{*this, IDC_NOTES_TXTDATE, "txtDate"};
    TextBox txtSubject{*this, IDC_NOTES_TXTSUBJECT, "txtSubject"};
    TextBox txtMessage{*this, IDC_NOTES_TXTMESSAGE, "txtMessage"};

    // Takes a page of note headers.
    void Update(const std::string& Data);
    // The last page given to Update.
    const std::string& NotesData() const { return notesData_; }

private:
    std::string notesData_;
};

frmNotesForm& frmNotes();

}  // namespace skx
