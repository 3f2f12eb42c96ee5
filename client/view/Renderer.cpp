#include "Renderer.h"

#include "frmMapDisp.h"

namespace skx {

namespace {
bool g_started = false;
}

void PreLoadDirectX() {
    // The map window and its picture are what the device will draw on.
    frmMapDisp().Load();
    g_started = true;
}

void CleanUp() { g_started = false; }

bool RendererStarted() { return g_started; }

}  // namespace skx
