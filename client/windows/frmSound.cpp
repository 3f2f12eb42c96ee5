#include "frmSound.h"

#include "window_ids.h"

namespace skx {

frmSoundForm::frmSoundForm() : FeatureWindow("frmSound", IDD_SOUND) {}

frmSoundForm& frmSound() { return TheForm<frmSoundForm>(); }

}  // namespace skx
