// The note editor: a note to a player or to the forum, with cash and the signature.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmWriteNoteForm : public FeatureWindow {
public:
    frmWriteNoteForm();
};

frmWriteNoteForm& frmWriteNote();

}  // namespace skx
