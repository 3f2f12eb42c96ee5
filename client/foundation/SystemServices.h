// Small window and program services: class names, the help file, system-menu trimming and
// the development-environment test.
#pragma once
#include <windows.h>

#include <array>
#include <string>

namespace skx {

// The window's class name; empty when the platform gives none.
std::string ClassName(HWND hWnd);

// Opens the client's help file (SKMXHELP.HLP, else skirmex.hlp, in the program folder) at its
// contents for the owner (the main window); nothing when neither file exists.
void LoadHelpFile(HWND owner);

// Deletes, by position, the items of the window's system menu whose flag is set; flags[n]
// stands for position n. Positions go highest first, so the lower ones stay valid.
void RemoveMenus(HWND hWnd, const std::array<bool, 7>& flags);

// True only in a development build (configured with SKIRMEX_IMAGE_FOLDER); the delivered
// program never is.
bool InDevEnvironment();

}  // namespace skx
