#include "StartupLayout.h"

#include <windows.h>

#include "Renderer.h"
#include "frmMain.h"
#include "runtime/MessagePump.h"

namespace skx {

namespace {
bool g_rendererPreloaded = false;
}

void StartupLayout() {
    frmMainForm& main = frmMain();
    main.Show();
    while (main.Handle() && !IsWindowVisible(main.Handle()) && !QuitSeen()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        DoEvents();
    }
    if (!g_rendererPreloaded) {
        PreLoadDirectX();
        g_rendererPreloaded = true;
    }
}

}  // namespace skx
