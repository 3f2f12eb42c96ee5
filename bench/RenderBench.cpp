// One frame of the map view on the Direct3D 8 device (as the frame timer draws it) for three
// view sizes, layer densities of 0, 5 and 100 % of the visible squares, names off and on (50
// named players) and rain with lightning on; beside the last a bare frame (clear, begin and
// end scene, present) on the same device. 500 timed frames after 20 of warm-up.
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
#include "LightAndWeather.h"
#include "MapPasses.h"
#include "SoundEffects.h"
#include "ViewServices.h"
#include "modDirectX8.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {

int g_errors = 0;

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER q;
        QueryPerformanceFrequency(&q);
        return q;
    }();
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Figures {
    double mean = 0, p95 = 0, max = 0, calls = 0;
};

// Times 500 frames of each of the kinds given, one of each in turn (after 20 rounds of
// warm-up), so that a change in the machine's load weighs on all alike.
template <class... Frame>
std::array<Figures, sizeof...(Frame)> Time(D3DFrameDevice& device, Frame... frame) {
    constexpr size_t kinds = sizeof...(Frame);
    for (int i = 0; i < 20; ++i) (frame(), ...);
    std::array<std::vector<double>, kinds> ms;
    std::array<int64_t, kinds> calls{};
    for (int i = 0; i < 500; ++i) {
        size_t k = 0;
        auto one = [&](auto& f) {
            LARGE_INTEGER t0, t1;
            const int64_t before = device.DrawCalls();
            QueryPerformanceCounter(&t0);
            f();
            QueryPerformanceCounter(&t1);
            calls[k] += device.DrawCalls() - before;
            ms[k++].push_back(Ms(t0, t1));
        };
        (one(frame), ...);
    }
    std::array<Figures, kinds> figures;
    for (size_t k = 0; k < kinds; ++k) {
        Figures& f = figures[k];
        f.calls = static_cast<double>(calls[k]) / 500;
        for (double m : ms[k]) f.mean += m / 500;
        std::sort(ms[k].begin(), ms[k].end());
        f.p95 = ms[k][474];
        f.max = ms[k].back();
    }
    return figures;
}

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
    HWND picture = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, width, height, top, nullptr, nullptr,
                                   nullptr);
    if (!InitDirectX(picture) || !LoadTextures() || !LoadSounds() || !LoadBkgrndSounds()) {
        std::printf("%dx%d: no device\n", width, height);
        return;
    }
    InitMap();
    std::printf("\n%d x %d (%d x %d squares drawn)\n", ViewWidth, ViewHeight, SquaresAcross + 1, SquaresDown + 1);
    std::printf("%-34s %9s %9s %9s %11s\n", "frame", "mean ms", "p95 ms", "max ms", "calls/frame");
    D3DFrameDevice device;
    FrameLoop loop;
    std::mt19937 rng(22);
    auto print = [](const char* what, const Figures& f) {
        std::printf("%-34s %9.2f %9.2f %9.2f %11.1f\n", what, f.mean, f.p95, f.max, f.calls);
    };
    auto bare = [&] {
        device.Clear(0x00FFFFFF);
        device.BeginScene();
        device.EndScene();
        device.Present(ViewWidth, ViewHeight);
    };
    for (double share : {0.0, 0.05, 1.0}) {
        Populate(share, rng);
        const std::string what = "map, " + std::to_string(static_cast<int>(share * 100)) + " % a layer";
        print(what.c_str(), Time(device, [&] { loop.Render(&device, {95, false}); })[0]);
    }
    Populate(0.05, rng);
    print("map 5 %, 50 names", Time(device, [&] { loop.Render(&device, {95, true}); })[0]);
    // Every pass at work and a bare frame, each in a block of its own and then in turns (where
    // the rasterizer's work still under way at the end of a full frame is paid by the bare one).
    InitRain();
    InitLightning();
    auto full = [&] { loop.Render(&device, {95, true}); };
    const Figures fullBlock = Time(device, full)[0], bareBlock = Time(device, bare)[0];
    const auto [fullTurn, bareTurn] = Time(device, full, bare);
    UninitRain();
    UninitLightning();
    print("map 5 %, 50 names, rain, lightning", fullBlock);
    print("bare: clear, scene, present", bareBlock);
    print("  the two in turns: full", fullTurn);
    print("  the two in turns: bare", bareTurn);
    std::printf("every pass at work / bare frame: %.2f in blocks, %.2f in turns\n", fullBlock.mean / bareBlock.mean,
                fullTurn.mean / bareTurn.mean);
    ReleaseDirectX();
    DestroyWindow(top);
}

}  // namespace

int main() {
    SetReportErrorHook([](const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
        if (g_errors++ < 5) std::printf("error %d in %s.%s\n", n, m.c_str(), p.c_str());
    });
    SetAtmosphere(1);
    for (auto [w, h] : {std::pair(600, 400), std::pair(1024, 768), std::pair(1600, 1200)}) Run(w, h);
    std::printf("\nerrors reported: %d\n", g_errors);
    return 0;
}
