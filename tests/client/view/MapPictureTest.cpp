// The map picture as a person sees it: frames drawn on the real device, checked in captures of
// the X display against the atlases' own texels.
#include <gtest/gtest.h>

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

// Squares of the frame (view origin 0, 0) that do not show their terrain cell tinted by the light.
int WrongSquares(const testsupport::ScreenPicture& shown, const RECT& picture, const AtlasCells& cells, int tolerance) {
    int wrong = 0;
    for (int i = 0; i < 240 / 16; ++i)
        for (int j = 0; j < 320 / 16; ++j) {
            const testsupport::Cell cell = testsupport::Tinted(cells.At(testsupport::Terrain16, MapTerrain(j, i)), LightColour & 0xFFFFFF);
            wrong += !Compare(cell, shown, picture.left + 16 * j, picture.top + 16 * i, tolerance).Matches();
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

}  // namespace

TEST(MapPicture, FramesReachTheScreenThroughAResetAResizeALightChangeAndAWindowClosedOverThem) {
    const AtlasCells cells;
    ASSERT_TRUE(cells.Loaded());
    // Below where the test programs that run meanwhile put their windows.
    HWND top = CreateWindowExA(0, "STATIC", "Map", WS_POPUP | WS_VISIBLE, 820, 776, 440, 248, nullptr, nullptr, nullptr,
                               nullptr);
    HWND picture = CreateWindowExA(0, PictureBoxClass(), "", WS_CHILD | WS_VISIBLE, 10, 4, 320, 240, top, nullptr, nullptr, nullptr);
    testsupport::ScratchDir dir("mappicture");
    auto capture = [&] {
        testsupport::PumpFor(150);
        return testsupport::CaptureDisplay(dir.File("screen.bmp"));
    };
    // No frame yet: the picture is black.
    EXPECT_EQ(Lit(capture(), OnScreen(picture)), 0);

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
    EXPECT_EQ(WrongSquares(capture(), OnScreen(picture), cells, 0), 0);

    // A window over the picture, closed again: the picture shows the frame, not the window.
    HWND over = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 870, 800, 200, 150,
                                nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(over);
    testsupport::PumpFor(150);
    DestroyWindow(over);
    EXPECT_EQ(WrongSquares(capture(), OnScreen(picture), cells, 0), 0);

    DirectXReady = true;
    ResetDevice();
    // The test program carries no atlases of its own: they come from the program again.
    ASSERT_TRUE(LoadTexturesFromModule(exe.module));
    Render({0, false});
    EXPECT_EQ(WrongSquares(capture(), OnScreen(picture), cells, 0), 0);

    // Dusk tints every texel (the device's rounding may differ by one).
    SetAtmosphere(3);
    Render({0, false});
    EXPECT_EQ(WrongSquares(capture(), OnScreen(picture), cells, 1), 0);
    SetAtmosphere(1);

    // A larger picture shows the frame at its top left and black beyond it.
    MoveWindow(picture, 10, 4, 420, 244, TRUE);
    Render({0, false});
    const testsupport::ScreenPicture larger = capture();
    const RECT area = OnScreen(picture);
    EXPECT_EQ(WrongSquares(larger, area, cells, 0), 0);
    EXPECT_EQ(Lit(larger, {area.left + 320, area.top, area.right, area.bottom}), 0);
    EXPECT_EQ(Lit(larger, {area.left, area.top + 240, area.right, area.bottom}), 0);

    // Without the device the picture is black again.
    ReleaseDirectX();
    DirectXReady = false;
    EXPECT_EQ(Lit(capture(), OnScreen(picture)), 0);
    DestroyWindow(top);
}
