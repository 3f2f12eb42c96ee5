// The links through which the lower layers reach the app's windows: the foundation's client
// links and the connection's main-window links, set once at start-up.
#pragma once
#include "ClientLinks.h"

namespace skx {

// The foundation's links to the client's windows: the chat bar, map and game windows, the
// main window's option items, handle and scratch pane, the chat bar's "General" pane.
ClientLinkTable ClientWindowLinks();

// Sets every link of the lower layers to the app's windows (Main does it first).
void SetAppLinks();

}  // namespace skx
