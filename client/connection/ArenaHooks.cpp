#include "ArenaHooks.h"

namespace skx {

ArenaHookTable& ArenaHooks() {
    static ArenaHookTable hooks;
    return hooks;
}

}  // namespace skx
