#include <windows.h>

#include "Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return skx::Main(); }
