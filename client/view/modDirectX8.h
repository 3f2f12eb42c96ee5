// Bringing up Direct3D 8 on the map picture and DirectSound, measuring the view.
#pragma once
#include <windows.h>

#include <d3d8.h>

#include <optional>
#include <vector>

namespace skx {

// Makes the DirectX objects, opens both sound objects (a box says when they cannot be
// opened, and the program goes on without them), creates the device on window, sets its
// states and makes the name font. True when a device exists.
bool InitDirectX(HWND window);
// The first depth format the adapter takes for mode; 0 for none.
D3DFORMAT SupportedDevice(const D3DDISPLAYMODE& mode);
bool DoesDepthFormatExist(D3DFORMAT format, const D3DDISPLAYMODE& mode);
void RestoreDeviceObjects();
void CreateFont();
void DeleteFont();
// Measures the client area of MapHwnd (once, at start-up).
void InitMap();

// The sound devices the system lists, in its order: nothing for the default device.
using SoundDeviceList = std::vector<std::optional<GUID>>;
using SoundDeviceLister = SoundDeviceList (*)();
// Puts a lister in place of the system's (null: the system's again).
void SetSoundDeviceLister(SoundDeviceLister lister);
// SoundDevice / AmbienceDevice on the first device listed, at normal co-operation on MapHwnd.
bool InitDSound();
bool InitDSound2();

// The module whose "WAVE" resources LoadSounds and LoadBkgrndSounds read (null: this program).
void SetSoundModule(HMODULE module);

}  // namespace skx
