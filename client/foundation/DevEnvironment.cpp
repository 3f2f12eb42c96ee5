#include "SystemServices.h"

namespace skx {

// The switch is given to this file alone, so that a development build differs from the
// delivered one in this one object.
bool InDevEnvironment() {
#ifdef SKIRMEX_IMAGE_FOLDER
    return true;
#else
    return false;
#endif
}

}  // namespace skx
