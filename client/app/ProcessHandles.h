// The kernel handles a process holds, for the test hook's reading of the client's own use and
// for a test reading the client from outside.
#pragma once
#include <windows.h>

namespace skx {

// GetProcessHandleCount where the platform answers it; else the process's entries in the
// system's list of open handles (one request, where asking for each possible handle value is
// one request a value: seconds of the asking thread on a busy machine). -1 when neither says.
double ProcessHandles(HANDLE process, DWORD pid);

}  // namespace skx
