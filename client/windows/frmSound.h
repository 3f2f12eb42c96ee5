// The sound window: sound effects, music switches, holding music and the music of each game kind.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmSoundForm : public FeatureWindow {
public:
    frmSoundForm();
};

frmSoundForm& frmSound();

}  // namespace skx
