#include "frmSound.h"

namespace skx {

frmSoundForm::frmSoundForm() : FeatureDialog("frmSound", "Sound Options", 420, 340) {}

frmSoundForm& frmSound() { return TheForm<frmSoundForm>(); }

}  // namespace skx
