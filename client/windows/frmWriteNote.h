// The note editor: a note to a player or to the forum, with cash and the signature.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmWriteNoteForm : public FeatureDialog {
public:
    frmWriteNoteForm();
};

frmWriteNoteForm& frmWriteNote();

}  // namespace skx
