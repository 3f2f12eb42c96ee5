// The sound window: sound effects, music switches, holding music and the music of each game kind.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmSoundForm : public FeatureDialog {
public:
    frmSoundForm();
};

frmSoundForm& frmSound();

}  // namespace skx
