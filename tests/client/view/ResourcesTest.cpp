#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "AtlasTable.h"
#include "BitmapDecode.h"
#include "ProgramResources.h"
#include "WaveFile.h"

using namespace skx;

namespace {

constexpr uint32_t Magenta = 0xFFFF00FF;
const char* const Directions[] = {"North", "NorthEast", "East", "SouthEast", "South", "SouthWest", "West", "NorthWest"};

std::optional<Texels> Picture(const ProgramResources& exe, const std::string& name) {
    return DecodeDib(exe.Bytes(name.c_str(), MAKEINTRESOURCEA(2)));
}

uint32_t At(const Texels& t, int x, int y) { return t.Argb[static_cast<size_t>(y * t.Width + x)]; }

uint32_t Rgb(int r, int g, int b) { return 0xFF000000u | (r << 16) | (g << 8) | b; }

// The strength of a tone of freq in 16-bit samples (Goertzel).
double ToneStrength(const int16_t* s, size_t n, double rate, double freq) {
    const double c = 2 * std::cos(2 * 3.14159265358979 * freq / rate);
    double a = 0, b = 0;
    for (size_t i = 0; i < n; ++i) {
        const double v = s[i] + c * a - b;
        b = a;
        a = v;
    }
    return std::sqrt(a * a + b * b - c * a * b) / static_cast<double>(n);
}

}  // namespace

TEST(Resources, EveryAtlasCellCarriesItsCodeAndOnlyKeyedBordersAreMagenta) {
    ProgramResources exe;
    ASSERT_TRUE(exe.module);
    InitImage_ID();
    for (int slot = 0; slot < AtlasCount; ++slot) {
        auto t = Picture(exe, AtlasResourceNames[slot]);
        ASSERT_TRUE(t) << slot;
        ASSERT_EQ(t->Width, AtlasPixelSize[slot]);
        ASSERT_EQ(t->Height, AtlasPixelSize[slot]);
        const int n = t->Width / 16;
        const int inner = slot == TERRAIN_16 ? 2 : 3;  // the body: inner .. 15 - inner
        for (int k = 0; k < n * n; ++k) {
            const int x0 = 16 * (k / n), y0 = 16 * (k % n);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const uint32_t p = At(*t, x0 + x, y0 + y);
                    const bool body = x >= inner && x <= 15 - inner && y >= inner && y <= 15 - inner;
                    if (x >= 6 && x <= 9 && y >= 6 && y <= 9)
                        ASSERT_EQ(p, Rgb(8 + 16 * (k / n), 8 + 16 * (k % n), 32 + 24 * slot)) << slot << " " << k;
                    else if (slot == PLAYERS_16 && x >= 3 && x <= 4 && y >= 6 && y <= 9)
                        ASSERT_EQ(p, 0xFF000000u) << k;
                    else
                        ASSERT_EQ(p == Magenta, !body) << slot << " cell " << k << " (" << x << ", " << y << ")";
                }
        }
    }
    EXPECT_EQ(At(*Picture(exe, "TERRAIN_16"), 16 * (43 / 16) + 7, 16 * (43 % 16) + 7), Rgb(40, 184, 32));
}

TEST(Resources, SoundsArePcmMonoWithTheirRateLengthAndTone) {
    // By SoundEffect index, then RAIN and WIND: sound i carries a tone of 700 + 100 i Hz.
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
        const size_t count = u32(40) / 2;
        const double ms = 1000.0 * count / rate, tone = 700 + 100 * i;
        const bool step = name == "STEP" || name == "WATER" || name == "SNOW";
        EXPECT_TRUE(!step || (ms >= 100 && ms <= 150)) << name << " " << ms;
        // The loops: 2 s of whole cycles.
        EXPECT_TRUE(i < 13 || (ms == 2000 && count * static_cast<uint64_t>(tone) % rate == 0)) << name;
        const auto* samples = reinterpret_cast<const int16_t*>(&b[44]);
        const double strength = ToneStrength(samples, count, rate, tone);
        EXPECT_GT(strength, 10 * ToneStrength(samples, count, rate, tone + 100)) << name;
        EXPECT_GT(strength, 10 * ToneStrength(samples, count, rate, tone - 100)) << name;
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
