#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "AtlasCells.h"
#include "AtlasTable.h"
#include "BitmapDecode.h"
#include "FacedPicture.h"
#include "ProgramResources.h"
#include "ScreenPicture.h"
#include "WaveFile.h"

using namespace skx;

namespace {

constexpr uint32_t Magenta = 0xFFFF00FF;
const char* const Directions[] = {"North", "NorthEast", "East", "SouthEast", "South", "SouthWest", "West", "NorthWest"};

std::optional<Texels> Picture(const ProgramResources& exe, const std::string& name) {
    return DecodeDib(exe.Bytes(name.c_str(), MAKEINTRESOURCEA(2)));
}

uint32_t At(const Texels& t, int x, int y) { return t.Argb[static_cast<size_t>(y * t.Width + x)]; }

}  // namespace

TEST(Resources, AtlasesReadAsTheProgramReadsThemWithNoTwoCellsAlike) {
    ProgramResources exe;
    const testsupport::AtlasCells atlas;
    ASSERT_TRUE(exe.module && atlas.Loaded());
    InitImage_ID();
    for (int slot = 0; slot < AtlasCount; ++slot) {
        auto t = Picture(exe, AtlasResourceNames[slot]);
        ASSERT_TRUE(t) << slot;
        ASSERT_TRUE(t->Width == AtlasPixelSize[slot] && t->Height == AtlasPixelSize[slot]) << slot;
        // The renderer's reading agrees with the system's, which the picture checks compare with.
        int differing = 0;
        for (int y = 0; y < t->Height; ++y)
            for (int x = 0; x < t->Width; ++x) differing += (At(*t, x, y) & 0xFFFFFF) != atlas.Texel(slot, x, y);
        EXPECT_EQ(differing, 0) << slot;
        // A square's picture tells its cell: no two cells of an atlas alike.
        std::set<testsupport::Cell> cells;
        for (int k = 0; k < atlas.Count(slot); ++k) EXPECT_TRUE(cells.insert(atlas.At(slot, k)).second) << slot << " " << k;
    }
}

TEST(Resources, SoundsArePcmMonoWithTheirRateAndLength) {
    // By SoundEffect index, then RAIN and WIND.
    const std::pair<std::string, uint32_t> sounds[] = {
        {"FIRE", 22050},   {"BOUNCE", 11025}, {"SPLAT", 11025},   {"SIREN", 11025}, {"UNSIREN", 11025},
        {"STEP", 11025},   {"WATER", 8000},   {"RELEASE", 6000},  {"THROW", 11025}, {"BUY", 11025},
        {"HITYOU", 22050}, {"SNOW", 22050},   {"THUNDER", 11025}, {"RAIN", 22050},  {"WIND", 11025}};
    ProgramResources exe;
    for (int i = 0; i < 15; ++i) {
        const auto& [name, rate] = sounds[i];
        auto b = exe.Bytes(name.c_str(), "WAVE");
        ASSERT_GE(b.size(), 44u) << name;
        auto u32 = [&](size_t at) {
            return uint32_t{b[at]} | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24;
        };
        auto text = [&](size_t at, size_t n) { return std::string(reinterpret_cast<const char*>(&b[at]), n); };
        // "RIFF" size "WAVE", exactly "fmt " (16 bytes: PCM, mono, the rate, 2 bytes a sample, 16 bits), "data".
        EXPECT_EQ(text(0, 4) + text(8, 8) + text(36, 4), "RIFFWAVEfmt data");
        EXPECT_EQ(std::tuple(u32(4) + 8, u32(16), u32(20), u32(24), u32(32)),
                  std::tuple(b.size(), 16u, 0x10001u, rate, 0x100002u))
            << name;
        ASSERT_EQ(u32(40), b.size() - 44) << name;
        const WaveSound wave = ParseWave(b).value();  // as the loads read it
        EXPECT_EQ(std::tuple(wave.Format.SamplesPerSec, wave.Format.BitsPerSample, wave.Format.Channels,
                             wave.Samples.data(), wave.Samples.size()), std::tuple(rate, 16, 1, &b[44], b.size() - 44));
        // Steps as short as a step; effects under three seconds; the loops long enough not to
        // be heard repeating.
        const double ms = 1000.0 * (u32(40) / 2) / rate;
        const bool step = name == "STEP" || name == "WATER" || name == "SNOW";
        EXPECT_TRUE(step ? ms >= 100 && ms <= 150 : i < 13 ? ms <= 3000 : ms >= 2000) << name << " " << ms;
    }
}

TEST(Resources, ScannerTargetAndToolbarPicturesAndTheCursors) {
    ProgramResources exe;
    for (const char* d : Directions) {
        auto dark = Picture(exe, std::string("b") + d);
        auto lit = Picture(exe, std::string("r") + d);
        ASSERT_TRUE(dark && lit) << d;
        // Dark grey: red, green and blue alike, at most half bright.
        for (uint32_t p : dark->Argb) ASSERT_TRUE((p & 0xFFFFFF) == (p & 0xFF) * 0x10101u && (p & 0xFF) <= 128) << d;
        for (uint32_t p : lit->Argb)
            ASSERT_GT(static_cast<int>((p >> 16) & 0xFF) - static_cast<int>((p >> 8) & 0xFF), 100) << d;
    }
    for (int i = 0; i < 9; ++i) EXPECT_TRUE(Picture(exe, "TARGET_" + std::to_string(i))) << i;
    for (const char* name : {"GAME_INFO", "GAME_PLAYERS", "GAME_TEAMS"}) {
        auto t = Picture(exe, name);
        ASSERT_TRUE(t) << name;
        EXPECT_EQ(At(*t, 0, 15), Magenta) << name;  // the mask colour around the figure
    }
    for (const char* cursor : {"Cursor1.cur", "Cursor2.cur"}) {
        HANDLE h = LoadImageA(nullptr, (testsupport::ProgramFolder() + "\\" + cursor).c_str(), IMAGE_CURSOR, 0, 0,
                              LR_LOADFROMFILE);
        EXPECT_TRUE(h) << cursor;
        if (h) DestroyCursor(static_cast<HCURSOR>(h));
    }
}

// On a desktop whose button face is not the usual grey, a targeting button and the About box's
// finger show the face itself around their ink (in an X capture), not a square of other colour.
TEST(Resources, ButtonPicturesShowTheButtonFaceAroundThem) {
    ProgramResources exe;
    const int element = COLOR_BTNFACE;
    const COLORREF usual = GetSysColor(COLOR_BTNFACE), face = RGB(70, 130, 180);
    ASSERT_TRUE(SetSysColors(1, &element, &face));
    struct Restore {
        COLORREF colour;
        ~Restore() {
            const int e = COLOR_BTNFACE;
            SetSysColors(1, &e, &colour);
        }
    } restore{usual};
    GdiObject<HBITMAP> arrow = LoadFacedPicture("TARGET_3", exe.module), finger = LoadFacedPicture("ABOUT_FINGER", exe.module);
    ASSERT_TRUE(arrow && finger);
    HWND button = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "", WS_POPUP | BS_PUSHBUTTON | BS_BITMAP, 60, 60, 40, 40,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND still = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | SS_BITMAP, 140, 60, 16, 16, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(button && still);
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(arrow.Get()));
    SendMessageA(still, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(finger.Get()));
    ShowWindow(button, SW_SHOWNA);
    ShowWindow(still, SW_SHOWNA);
    // Inside the button's frame, and all over the finger's picture: the face colour, a dark
    // ink texel or (the finger's) skin, and no other colour; the face all around the ink.
    struct Look {
        int face = 0, ink = 0, other = -1;
    };
    auto look = [&](const testsupport::ScreenPicture& p, const RECT& r) {
        Look l{0, 0, 0};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = p.At(x, y);
                if (c == face) ++l.face;
                else if (testsupport::Luminance(c) < 60) ++l.ink;
                else if (c != RGB(255, 208, 160)) ++l.other;
            }
        return l;
    };
    Look onButton, onFace;
    const bool shown = testsupport::PumpUntil([&] {
        const auto p = testsupport::CaptureDisplay(testsupport::ProgramFolder() + "\\button-face.bmp");
        onButton = look(p, RECT{60 + 4, 60 + 4, 60 + 36, 60 + 36});  // 32 x 32 inside the frame
        onFace = look(p, RECT{140, 60, 156, 76});                       // the finger's 16 x 16
        return onButton.face > 32 * 32 - 200 && onButton.ink > 20 && onButton.other == 0 && onFace.face > 100 &&
               onFace.ink > 10 && onFace.other == 0;
    }, 10000);
    EXPECT_TRUE(shown) << "button: " << onButton.face << " face, " << onButton.ink << " ink, " << onButton.other
                       << " other; finger: " << onFace.face << " face, " << onFace.ink << " ink, " << onFace.other
                       << " other";
    DestroyWindow(button);
    DestroyWindow(still);
}
