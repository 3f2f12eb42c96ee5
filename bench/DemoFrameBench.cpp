// One frame of the demo session (tools/testserver: its map and what its script puts on it: the
// own player and two others with their names, a bot and a splat, the view centred on the own
// player) drawn at 1024 x 768 on the Direct3D 8 device, as the frame timer draws it; beside it
// a bare frame (clear, begin and end scene, present). 500 timed frames of each, in turns of
// blocks of 50 (so that the drawing a demo frame leaves to the rasterizer is not charged to a
// bare frame after it), after 20 of warm-up.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ArenaModel.h"
#include "AtlasTextures.h"
#include "D3DFrameDevice.h"
#include "DirectXObjects.h"
#include "FrameLoop.h"
#include "FrameTiming.h"
#include "LightAndWeather.h"
#include "MapFiles.h"
#include "SoundEffects.h"
#include "ViewServices.h"
#include "WholeFile.h"
#include "modDirectX8.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {

int g_errors = 0;

void Print(const char* what, const bench::FrameFigures& f) {
    std::printf("%-30s %9.2f %9.2f %9.2f %7.1f\n", what, f.mean, f.p95, f.max, f.calls);
}

// The session as the demo script leaves it a few seconds after the login.
void DemoSession(const std::string& map) {
    SetupArrays();
    ParseMap(map);
    const struct {
        int x, y, index, kind, level;
        const char* name;
    } players[] = {{12, 12, 1, 0, 10, "newcomer"}, {18, 8, 2, 1, 25, "amy"}, {9, 15, 3, 2, 40, "bob"}};
    for (const auto& p : players) {
        Players[static_cast<size_t>(p.index)].Name = p.name;
        MapPoint at{static_cast<float>(p.x), static_cast<float>(p.y)};
        DrawPlayer(at, static_cast<int16_t>(p.index), p.kind, static_cast<int16_t>(p.level));
    }
    MapPoint bot{15, 10}, splat{14, 13};
    DrawObject(bot, 5, 2);
    DrawObject(splat, 2, 3);
    OwnPosition = MapPoint{12, 12};
    ViewOrigin = MapPoint{static_cast<float>((12 + 149 - (SquaresAcross + 1) / 2) % 150),
                          static_cast<float>((12 + 149 - (SquaresDown + 1) / 2) % 150)};
}

}  // namespace

int main() {
    SetReportErrorHook([](const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
        if (g_errors++ < 5) std::printf("error %d in %s.%s\n", n, m.c_str(), p.c_str());
    });
    char root[MAX_PATH] = {};
    GetEnvironmentVariableA("SKIRMORA_ROOT", root, MAX_PATH);
    std::string map;
    if (!ReadWholeFile(std::string("Z:") + root + "/tools/testserver/maps/Demo.map", map) || map.size() != 22500) {
        std::printf("no demo map (SKIRMORA_ROOT unset?)\n");
        return 1;
    }
    HWND top = CreateWindowExA(0, "STATIC", "Map", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr, nullptr, nullptr);
    HWND picture = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 1024, 768, top, nullptr, nullptr, nullptr);
    SetAtmosphere(1);
    if (!InitDirectX(picture) || !LoadTextures()) {
        std::printf("no device\n");
        return 1;
    }
    InitMap();
    DemoSession(map);
    D3DFrameDevice device;
    FrameLoop loop;
    auto demo = [&] { loop.Render(&device, {10, true}); };
    auto bare = [&] {
        device.Clear(0x00FFFFFF);
        device.BeginScene();
        device.EndScene();
        device.Present(ViewWidth, ViewHeight);
    };
    const auto [demoFrame, bareFrame] = bench::TimeFrames(device, 500, 50, demo, bare);
    std::printf("%d x %d, %d x %d squares\n%-30s %9s %9s %9s %7s\n", ViewWidth, ViewHeight, SquaresAcross + 1,
                SquaresDown + 1, "frame (500, in blocks of 50)", "mean ms", "p95 ms", "max ms", "calls");
    Print("demo session, names on", demoFrame);
    Print("bare: clear, scene, present", bareFrame);
    std::printf("demo frame / bare frame: %.2f\n", demoFrame.mean / bareFrame.mean);
    std::printf("errors reported: %d\n", g_errors);
    ReleaseDirectX();
    DestroyWindow(top);
    return 0;
}
