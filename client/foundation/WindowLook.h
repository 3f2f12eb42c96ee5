// The look of the client's windows (module modFormDesign): the drop shadow of dialogs on
// Windows XP, translucent inactive dialogs on Windows 2000, and the Scroll Lock hook that
// holds a chat pane still while text is appended.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace skx {

// Adds the drop-shadow class style to the window's class when the system is "Windows XP".
void DropShadow(HWND hWnd);
// On "Windows 2000": makes the window layered with the constant opacity Alpha (0 to 255) and
// returns 0; an Alpha outside 0 to 255 returns 1 and changes nothing. Elsewhere returns 0.
int32_t MakeTransparent(HWND hWnd, int32_t Alpha);
// On "Windows 2000": makes the window fully opaque again. Always returns 0.
int32_t MakeOpaque(HWND hWnd);

// What every dialog does: the shadow when it loads, opaque while active, alpha 90 while not.
constexpr int32_t InactiveDialogAlpha = 90;
void DialogLookOnLoad(HWND hWnd);
void DialogLookOnActivate(HWND hWnd, bool active);

// Scroll Lock: Enable hooks the chat pane hWnd; disabling unhooks hWnd when it is the hooked
// pane, and otherwise every hooked pane (the selected tab may have changed meanwhile).
void SetHook(HWND hWnd, bool Enable);
// The hook's window procedure.
LRESULT CALLBACK AppWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// True while hWnd is hooked.
bool IsHooked(HWND hWnd);

// The operating system's name as the window look decides by it ("Windows XP", ...).
std::string LookOsName();
// Points the window look at another source of the system's name (null: the built-in one).
using OsNameSource = std::string (*)();
void SetOsNameSource(OsNameSource source);

}  // namespace skx
