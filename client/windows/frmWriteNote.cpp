#include "frmWriteNote.h"

#include "window_ids.h"

namespace skx {

frmWriteNoteForm::frmWriteNoteForm() : FeatureWindow("frmWriteNote", IDD_WRITENOTE) {}

frmWriteNoteForm& frmWriteNote() { return TheForm<frmWriteNoteForm>(); }

}  // namespace skx
