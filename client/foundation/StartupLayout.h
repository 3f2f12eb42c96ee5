// The layout step of the start-up sequence.
#pragma once

namespace skx {

// Shows the main window (its load runs inside), runs pending messages until it is visible
// and starts the renderer the first time.
void StartupLayout();

}  // namespace skx
