// The notes window: in-game mail and the public forum. The note-text reply writes the open
// note into its five boxes; header pages go to Update.
#pragma once
#include <array>
#include <string>

#include "FeatureDialog.h"

namespace skx {

class frmNotesForm : public FeatureDialog {
public:
    frmNotesForm();

    // The open note.
    Control txtSender;
    Control txtRoute;
    Control txtDate;
    Control txtSubject;
    Control txtMessage;

    // Takes a page of note headers.
    void Update(const std::string& Data);
    // The last page given to Update.
    const std::string& NotesData() const { return notesData_; }

protected:
    void CreateControls() override;

private:
    std::array<Control, 4> labels_;
    std::string notesData_;
};

frmNotesForm& frmNotes();

}  // namespace skx
