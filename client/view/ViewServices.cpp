#include "ViewServices.h"

namespace skx {

namespace {
ViewServices* current = nullptr;
}  // namespace

ViewServices& View() {
    static ViewServices none;
    return current ? *current : none;
}

void SetViewServices(ViewServices* services) { current = services; }

}  // namespace skx
