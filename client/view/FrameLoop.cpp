#include "FrameLoop.h"

#include "LightAndWeather.h"
#include "ServerTextBoxes.h"
#include "ViewServices.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr uint32_t FrameClearColour = 0x00FFFFFF;
}

void FrameLoop::Render(FrameDevice* device, const FrameInput& input) {
    Guard("modDirectX8", "Render", [&] {
        if (!device) {
            if (noDeviceReported_) return;
            noDeviceReported_ = true;
            Raise(errObjectNotSet);
        }
        switch (device->TestCooperativeLevel()) {
            case DeviceState::Lost: return;
            case DeviceState::NeedsReset: device->Reset(); break;
            case DeviceState::Usable: break;
        }
        device->Clear(FrameClearColour);
        device->BeginScene();
        // Each step reports its own failure and returns, so the scene begun is always ended.
        passes_.RenderMap(*device, input.AccessLevel);
        if (RainOn) RenderRain(*device);
        if (SnowOn) RenderSnow(*device);
        if (LightningOn) RenderLightning(*device);
        if (input.ShowNames) passes_.RenderNames(*device);
        device->EndScene();
        device->Present(ViewWidth, ViewHeight);
    });
}

void FrameTick(const TickSteps& steps) {
    static bool running = false;
    if (running) return;
    running = true;
    struct Done {
        ~Done() { running = false; }
    } done;
    if (steps.HasReceivedData()) steps.ProcessData();
    FlushServerTextCount();
    if (steps.ShouldDraw()) steps.Draw();
}

}  // namespace skx
