#include "Renderer.h"

#include "AtlasTextures.h"
#include "D3DFrameDevice.h"
#include "DeviceChoice.h"
#include "DirectXObjects.h"
#include "GdiPresentation.h"
#include "LightAndWeather.h"
#include "MessageBox.h"
#include "SoundEffects.h"
#include "ViewServices.h"
#include "frmMapDisp.h"
#include "modDirectX8.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr uint8_t Daylight = 1;

FrameLoop& TheFrameLoop() {
    static FrameLoop loop;
    return loop;
}

bool StartUpFailed(const char* text) {
    CSendMessage(text, 0, "", 0, true, true, -1, "Tahoma", nullptr);
    return false;
}

}  // namespace

bool PreLoadDirectX() {
    bool carryOn = true;
    Guard("modDirectX8", "PreLoadDirectX", [&] {
        if (!frmMapDisp().Visible()) return;
        if (!InitDirectX(frmMapDisp().picMap.hWnd())) {
            carryOn = StartUpFailed("Create DirectX 8.1 Device FAILED!");
            return;
        }
        if (!LoadTextures()) {
            carryOn = StartUpFailed("Load Textures FAILED!");
            return;
        }
        // Without its sounds the program ends too, with the DirectX objects released first.
        if (!LoadSounds()) {
            carryOn = StartUpFailed("Unable to load our audio files into memory");
            CleanUp();
            return;
        }
        if (!LoadBkgrndSounds()) {
            carryOn = StartUpFailed("Unable to loud our background audio files into memory");
            CleanUp();
            return;
        }
        InitMap();
        SetAtmosphere(Daylight);
        DirectXReady = true;
    });
    return carryOn;
}

void Render(const FrameInput& input) {
    static D3DFrameDevice device;
    TheFrameLoop().Render(D3DDevice ? &device : nullptr, input);
}

void ResetDevice() {
    DeleteFont();
    UnloadTextures();
    if (!DirectXReady || !D3DDevice) return;
    D3DPRESENT_PARAMETERS p = ResetPresentParams(PresentParams, ViewWidth, ViewHeight, DeviceWindow(MapHwnd));
    D3DDevice->Reset(&p);
    PresentParams = p;
    CreateFont();
    LoadTextures();
    RestoreDeviceObjects();
}

void CleanUp() {
    Guard("modDirectX8", "CleanUp", [] {
        if (RainOn) UninitRain();
        if (SnowOn) UninitSnow();
        if (LightningOn) UninitLightning();
        ReleaseDirectX();
        DirectXReady = false;
    });
}

}  // namespace skx
