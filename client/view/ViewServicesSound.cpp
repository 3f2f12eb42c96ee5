// The view services' sound entries: the program's effects and ambience (SoundEffects.h).
#include "SoundEffects.h"
#include "ViewServices.h"

namespace skx {

void ViewServices::PlaySound(int16_t index) { skx::PlaySound(index); }

void ViewServices::PlayBkgrndSound(int16_t index) { skx::PlayBkgrndSound(index); }

void ViewServices::StopBkgrndSound(int16_t index) { skx::StopBkgrndSound(index); }

}  // namespace skx
