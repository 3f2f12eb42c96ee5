// The map picture as a person sees it: frames drawn on the real device, checked in captures of
// the X display against the atlases' own texels.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "ArenaModel.h"
#include "AtlasCells.h"
#include "AtlasTextures.h"
#include "DirectXObjects.h"
#include "LightAndWeather.h"
#include "ProgramResources.h"
#include "Renderer.h"
#include "ScreenPicture.h"
#include "ViewGeometry.h"
#include "ViewServices.h"
#include "modDirectX8.h"
#include "runtime/PictureBox.h"

using namespace skx;
using testsupport::AtlasCells;

namespace {

// The window's client area on the screen.
RECT OnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Squares of the frame (view origin 0, 0) that do not show their terrain cell tinted.
int WrongSquares(const testsupport::ScreenPicture& shown, const RECT& picture, const AtlasCells& cells,
                 uint32_t tint = 0xFFFFFF) {
    int wrong = 0;
    for (int i = 0; i < 240 / 16; ++i)
        for (int j = 0; j < 320 / 16; ++j) {
            const testsupport::Cell cell = testsupport::Tinted(cells.At(testsupport::Terrain16, MapTerrain(j, i)), tint);
            // The device's rounding of a tinted texel may differ by one.
            wrong += !Compare(cell, shown, picture.left + 16 * j, picture.top + 16 * i, tint == 0xFFFFFF ? 0 : 1).Matches();
        }
    return wrong;
}

// Pixels of the area that are not black.
int Lit(const testsupport::ScreenPicture& shown, const RECT& area) {
    int lit = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) lit += (shown.At(x, y) & 0xFFFFFF) != 0;
    return lit;
}

// Pixels of the area that differ from its top left one.
int Uneven(const testsupport::ScreenPicture& shown, const RECT& area) {
    int uneven = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) uneven += shown.At(x, y) != shown.At(area.left, area.top);
    return uneven;
}

}  // namespace

TEST(MapPicture, FramesReachTheScreenThroughAResetAResizeALightChangeAndAWindowClosedOverThem) {
    const AtlasCells cells;
    ASSERT_TRUE(cells.Loaded());
    // Below where the test programs that run meanwhile put their windows.
    HWND top = CreateWindowExA(0, "STATIC", "Map", WS_POPUP | WS_VISIBLE, 820, 776, 440, 248, nullptr, nullptr, nullptr,
                               nullptr);
    HWND picture = CreateWindowExA(0, PictureBoxClass(), "", WS_CHILD | WS_VISIBLE, 10, 4, 320, 240, top, nullptr, nullptr, nullptr);
    testsupport::ScratchDir dir("mappicture");
    // Captures the display until it shows what is looked for, leaving the last capture in shown:
    // the screen shows a frame once the X server has drawn it. At most 40 s, since one capture
    // may take seconds on a busy machine.
    testsupport::ScreenPicture shown;
    auto showing = [&](const std::function<bool(const testsupport::ScreenPicture&)>& looked) {
        return testsupport::PumpUntil([&] { return looked(shown = testsupport::CaptureDisplay(dir.File("screen.bmp"))); }, 40000);
    };
    auto terrain = [&](uint32_t tint) {
        return [&, tint](const testsupport::ScreenPicture& p) { return WrongSquares(p, OnScreen(picture), cells, tint) == 0; };
    };
    auto black = [&](const testsupport::ScreenPicture& p) { return Lit(p, OnScreen(picture)) == 0; };
    // No frame yet: the picture is black.
    EXPECT_TRUE(showing(black)) << Lit(shown, OnScreen(picture));

    ASSERT_TRUE(InitDirectX(picture));
    ProgramResources exe;
    ASSERT_TRUE(LoadTexturesFromModule(exe.module));
    InitMap();
    // Untinted daylight, no weather over the map.
    if (RainOn) UninitRain();
    if (SnowOn) UninitSnow();
    if (LightningOn) UninitLightning();
    SetAtmosphere(1);
    SetupArrays();
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x) MapTerrain(x, y) = static_cast<int16_t>((x + 16 * y) % 256);
    for (size_t i = 0; i < Stores.size(); ++i) Stores.At(i).X = Stores.At(i).Y = 100;  // out of view: terrain only
    ViewOrigin = MapPoint{0, 0};
    Render({0, false});
    EXPECT_TRUE(showing(terrain(0xFFFFFF))) << WrongSquares(shown, OnScreen(picture), cells);

    // A window over the picture, seen there, closed again: the picture repaints the frame.
    const RECT cover{870, 800, 1070, 950};  // 96 whole squares of the picture below it
    HWND over = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, cover.left, cover.top,
                                cover.right - cover.left, cover.bottom - cover.top, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(showing([&](const testsupport::ScreenPicture& p) {
        return Uneven(p, cover) == 0 && WrongSquares(p, OnScreen(picture), cells) >= 96;
    })) << Uneven(shown, cover) << " pixels unlike the cover's, " << WrongSquares(shown, OnScreen(picture), cells) << " squares covered";
    DestroyWindow(over);
    EXPECT_TRUE(showing(terrain(0xFFFFFF))) << WrongSquares(shown, OnScreen(picture), cells);

    DirectXReady = true;
    ResetDevice();
    // The test program carries no atlases of its own: they come from the program again.
    ASSERT_TRUE(LoadTexturesFromModule(exe.module));
    Render({0, false});
    EXPECT_TRUE(showing(terrain(0xFFFFFF))) << WrongSquares(shown, OnScreen(picture), cells);

    // Each light mode tints every texel, daylight by the weather at the call: rain grey, snow
    // blue; a weather changed after the call keeps the tint.
    for (auto [mode, weather, tint] : {std::tuple(0, "", 0x7EBA9Au), {2, "", 0x7EAF9Au}, {3, "", 0x5B9290u},
                                       {1, "rain", 0x9F9F9Fu}, {1, "snow", 0xBFBFFFu}}) {
        RainOn = weather == std::string("rain"), SnowOn = weather == std::string("snow");
        SetAtmosphere(static_cast<uint8_t>(mode));
        RainOn = SnowOn = false;  // no overlays over the map
        Render({0, false});
        EXPECT_TRUE(showing(terrain(tint))) << mode << " " << weather << ": " << WrongSquares(shown, OnScreen(picture), cells, tint);
    }
    SetAtmosphere(1);

    // A larger picture shows the frame at its top left and black beyond it.
    MoveWindow(picture, 10, 4, 420, 244, TRUE);
    Render({0, false});
    const RECT area = OnScreen(picture);
    EXPECT_TRUE(showing([&](const testsupport::ScreenPicture& p) {
        return WrongSquares(p, area, cells) == 0 && Lit(p, {area.left + 320, area.top, area.right, area.bottom}) == 0 &&
               Lit(p, {area.left, area.top + 240, area.right, area.bottom}) == 0;
    })) << WrongSquares(shown, area, cells) << " squares, " << Lit(shown, {area.left + 320, area.top, area.right, area.bottom})
        << " and " << Lit(shown, {area.left, area.top + 240, area.right, area.bottom}) << " lit beyond the frame";

    // Without the device the picture is black again.
    ReleaseDirectX();
    DirectXReady = false;
    EXPECT_TRUE(showing(black)) << Lit(shown, OnScreen(picture));
    DestroyWindow(top);
}
