#include "frmWriteNote.h"

namespace skx {

frmWriteNoteForm::frmWriteNoteForm() : FeatureDialog("frmWriteNote", "Write Notes", 420, 340) {}

frmWriteNoteForm& frmWriteNote() { return TheForm<frmWriteNoteForm>(); }

}  // namespace skx
