// Start-up of the client.
#pragma once

namespace skx {

// The program's entry: starts the client and runs its message loop; returns the exit code.
int Main();

}  // namespace skx
