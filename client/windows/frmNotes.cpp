#include "frmNotes.h"

namespace skx {

frmNotesForm::frmNotesForm() : FeatureDialog("frmNotes", "Notes", 460, 400) {}

void frmNotesForm::CreateControls() {
    const struct {
        Control* box;
        const char* label;
    } rows[] = {{&txtSender, "From:"}, {&txtRoute, "To:"}, {&txtDate, "Date:"}, {&txtSubject, "Subject:"}};
    int w = ScaleWidth(), h = ScaleHeight();
    int y = 10;
    for (size_t i = 0; i < labels_.size(); ++i) {
        const auto& row = rows[i];
        labels_[i].SetCaption(row.label);
        AddControl(labels_[i], "STATIC", SS_RIGHT, 8, y + 3, 60, 18);
        AddControl(*row.box, "EDIT", ES_AUTOHSCROLL | ES_READONLY, 74, y, w - 84, 22, WS_EX_CLIENTEDGE);
        y += 28;
    }
    AddControl(txtMessage, "EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL, 8, y, w - 16, h - y - 8,
               WS_EX_CLIENTEDGE);
}

void frmNotesForm::Update(const std::string& Data) { notesData_ = Data; }

frmNotesForm& frmNotes() { return TheForm<frmNotesForm>(); }

}  // namespace skx
