#include "frmNotes.h"

namespace skx {

frmNotesForm::frmNotesForm() : FeatureWindow("frmNotes", IDD_NOTES) {}

void frmNotesForm::Update(const std::string& Data) { notesData_ = Data; }

frmNotesForm& frmNotes() { return TheForm<frmNotesForm>(); }

}  // namespace skx
