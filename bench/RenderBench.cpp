// One frame of the map view on the Direct3D 8 device (as the frame timer draws it) for three
// view sizes, layer densities of 0, 5 and 100 % of the visible squares, names off and on (50
// named players) and rain with lightning on; beside the last a bare frame (clear, begin and
// end scene, present) on the same device, the kinds in turns of 50 frames. Frames reach the
// picture as the program presents them (through GDI where a child window's presentation does
// not show); the bare frame is timed both that way and with the device's own present. 500
// timed frames after 20 of warm-up.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ArenaModel.h"
#include "AtlasTextures.h"
#include "D3DFrameDevice.h"
#include "DirectXObjects.h"
#include "FrameLoop.h"
#include "FrameTiming.h"
#include "LightAndWeather.h"
#include "MapPasses.h"
#include "SoundEffects.h"
#include "ViewServices.h"
#include "modDirectX8.h"
#include "runtime/ErrorGuard.h"
#include "runtime/PictureBox.h"

using namespace skx;

namespace {

int g_errors = 0;

using bench::FrameFigures;
using bench::TimeFrames;

// Every sprite layer holds a value on that share of the visible squares (trails that stay
// lit); 50 named players stand in view when the share is above 0.
void Populate(double share, std::mt19937& rng) {
    SetupArrays();
    MapTrails.fill({});
    std::uniform_real_distribution<double> roll(0, 1);
    for (int y = 0; y <= SquaresDown; ++y) {
        for (int x = 0; x <= SquaresAcross; ++x) {
            MapTerrain(x, y) = static_cast<int16_t>(rng() % 256);
            auto maybe = [&](MapGrid& g, int16_t v) {
                if (roll(rng) < share) g(x, y) = v;
            };
            maybe(MapSplats, static_cast<int16_t>(rng() % 16));
            maybe(MapObjects, static_cast<int16_t>(rng() % 64));
            maybe(MapPaintballs, static_cast<int16_t>(rng() % 16));
            maybe(MapBots, static_cast<int16_t>(rng() % 16));
            maybe(MapTargets, 1);
            maybe(MapOutline, -1);
            if (roll(rng) < share) MapTrails[static_cast<size_t>(x + 150 * y)] = {32767, -1, static_cast<int16_t>(rng() % 16)};
        }
    }
    for (int k = 0; k < 101; ++k) Players[static_cast<size_t>(k)] = PlayerRecord{static_cast<int16_t>(rng() % 256), {}};
    if (share <= 0) return;
    for (int k = 0; k < 50; ++k) {
        Players[static_cast<size_t>(k)].Name = "player" + std::to_string(k);
        MapPlayers(static_cast<int32_t>(rng() % static_cast<unsigned>(SquaresAcross)),
                   static_cast<int32_t>(rng() % static_cast<unsigned>(SquaresDown))) = static_cast<int16_t>(k);
    }
}

void Run(int width, int height) {
    HWND top = CreateWindowExA(0, "STATIC", "Map", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                               nullptr, nullptr);
    HWND picture = CreateWindowExA(0, PictureBoxClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, width, height, top, nullptr,
                                   nullptr, nullptr);
    if (!InitDirectX(picture) || !LoadTextures() || !LoadSounds() || !LoadBkgrndSounds()) {
        std::printf("%dx%d: no device\n", width, height);
        return;
    }
    InitMap();
    std::printf("\n%d x %d (%d x %d squares drawn)\n", ViewWidth, ViewHeight, SquaresAcross + 1, SquaresDown + 1);
    std::printf("%-36s %8s %8s %8s %7s\n", "frame (500, in blocks)", "mean ms", "p95 ms", "max ms", "calls");
    D3DFrameDevice device;
    FrameLoop loop;
    std::mt19937 rng(22);
    auto print = [](const std::string& what, const FrameFigures& f) {
        std::printf("%-36s %8.2f %8.2f %8.2f %7.1f\n", what.c_str(), f.mean, f.p95, f.max, f.calls);
    };
    auto bare = [&] {
        device.Clear(0x00FFFFFF);
        device.BeginScene();
        device.EndScene();
        device.Present(ViewWidth, ViewHeight);
    };
    auto bareDevice = [&] {
        device.Clear(0x00FFFFFF);
        device.BeginScene();
        device.EndScene();
        const RECT destination{0, 0, ViewWidth, ViewHeight};
        D3DDevice->Present(nullptr, &destination, nullptr, nullptr);
    };
    auto map = [&](bool names) { return [&loop, &device, names] { loop.Render(&device, {95, names}); }; };
    for (double share : {0.0, 0.05, 1.0}) {
        Populate(share, rng);
        print("map, " + std::to_string(static_cast<int>(share * 100)) + " % a layer", TimeFrames(device, 500, 500, map(false))[0]);
    }
    Populate(0.05, rng);
    print("map 5 %, 50 names", TimeFrames(device, 500, 500, map(true))[0]);
    // Every pass at work beside a bare frame, in turns of 50 frames each.
    InitRain();
    InitLightning();
    const auto [full, plain, plainDevice] = TimeFrames(device, 500, 50, map(true), bare, bareDevice);
    UninitRain();
    UninitLightning();
    print("map 5 %, 50 names, rain, lightning", full);
    print("bare: clear, scene, present", plain);
    print("bare, the device's own present", plainDevice);
    std::printf("every pass at work / bare frame: %.2f\n", full.mean / plain.mean);
    std::printf("every pass at work / bare frame with the device's own present: %.2f\n", full.mean / plainDevice.mean);
    ReleaseDirectX();
    DestroyWindow(top);
}

}  // namespace

int main(int argc, char** argv) {
    SetReportErrorHook([](const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
        if (g_errors++ < 5) std::printf("error %d in %s.%s\n", n, m.c_str(), p.c_str());
    });
    SetAtmosphere(1);
    // Sizes to run may be named ("1024x768 ..."); all three by default.
    std::vector<std::pair<int, int>> sizes;
    for (int i = 1; i < argc; ++i) {
        int w = 0, h = 0;
        if (std::sscanf(argv[i], "%dx%d", &w, &h) == 2) sizes.emplace_back(w, h);
    }
    if (sizes.empty()) sizes = {{600, 400}, {1024, 768}, {1600, 1200}};
    for (auto [w, h] : sizes) Run(w, h);
    std::printf("\nerrors reported: %d\n", g_errors);
    return 0;
}
