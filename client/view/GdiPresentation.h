// How the finished frame reaches the map picture where a Direct3D device presenting into a
// child window does not show on the screen. Wine's X11 driver renders the device of any window
// but a childless top-level one into an off-screen X window of the window's own, which clips
// the window's area out of everything else drawn there: neither the device's presents nor GDI
// drawing into the picture reach the screen, and the area keeps whatever lay on the screen
// before. There the device is made on a hidden top-level window of the program's own, with a
// back buffer of the picture's size, and each finished frame is copied from the back buffer
// into system memory, presented to the hidden window as usual, and drawn into the picture
// through GDI; the picture repaints itself from that copy (black beyond it, and black before
// the first frame).
#pragma once
#include <windows.h>

namespace skx {

// True where a device's presentation into a child window does not reach the screen.
bool ChildPresentationHidden();
// The window the device for the picture is made on: the picture itself, or where its
// presentation would not show, the hidden window (made on first use).
HWND DeviceWindow(HWND picture);
// Draws the device's finished frame into the picture and keeps it for repainting. The
// device's failure when its back buffer cannot be read or it cannot present; S_FALSE when
// GDI cannot draw the back buffer's format.
HRESULT PresentThroughGdi(HWND picture);
// Lets go of the frame kept (before the device goes); the picture paints its plain background.
void ReleaseGdiPresentation();
// Destroys the hidden window (after the device has gone).
void CloseDeviceWindow();

}  // namespace skx
