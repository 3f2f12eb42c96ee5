// The map passes, the weather and the frame over a device that records what it is asked to
// draw: each quad as its texture slot, square, atlas cell, facing and colour.
#include <gtest/gtest.h>

#include <cmath>

#include "ArenaTestSupport.h"
#include "AtlasTable.h"
#include "DxMath.h"
#include "FrameLoop.h"
#include "LightAndWeather.h"
#include "RandomNumbers.h"
#include "runtime/VbRandom.h"

using namespace skx;

namespace {

struct Drawn {
    int slot, j, i, cell;
    bool mirrored;
    uint32_t colour;
};

class RecordingDevice : public FrameDevice {
public:
    std::vector<Drawn> quads;
    std::vector<std::string> log;
    std::vector<TLVertex> lines;
    int missing = -2;  // a slot without texture
    DeviceState state = DeviceState::Usable;

    bool SetTexture(int32_t s) override { return Log("texture", slot_ = s), s != missing; }
    void SetAlphaSource(AlphaSource a) override { Log(a == AlphaSource::Texture ? "alpha texture" : "alpha both"); }
    void SetBlending(Blending b) override { Log(b == Blending::Normal ? "blend normal" : "blend add"); }
    void DrawQuad(const Quad& q) override { quads.push_back(Decode(q.data())); }
    void DrawStrip(const TLVertex* v, size_t n) override {
        Log("strip", n);
        for (size_t k = 0; k + 4 <= n; k += 4) quads.push_back(Decode(v + k));
    }
    void DrawLines(const TLVertex* v, size_t n) override { lines.assign(v, v + n); }
    void DrawPoints(const TLVertex*, size_t n) override { Log("points", n); }
    void DrawString(const std::string& t, const PixelRect& r, uint32_t) override { Log(t, r.Left, r.Top, r.Right, r.Bottom); }
    DeviceState TestCooperativeLevel() override { return state; }
    void Reset() override { Log("reset"), state = DeviceState::Usable; }
    void Clear(uint32_t) override { Log("clear"); }
    void BeginScene() override { Log("begin"); }
    void EndScene() override { Log("end"); }
    void Present(int32_t w, int32_t h) override { Log("present", w, h); }

    // The quads drawn on view square (j, i), top first.
    std::vector<Drawn> On(int j, int i) const {
        std::vector<Drawn> out;
        for (const Drawn& d : quads)
            if (d.j == j && d.i == i) out.insert(out.begin(), d);
        return out;
    }

private:
    template <class... T>
    void Log(const std::string& what, T... numbers) {
        log.push_back(what);
        ((log.back() += " " + std::to_string(numbers)), ...);
    }
    Drawn Decode(const TLVertex* v) const {
        const int j = static_cast<int>(v[0].X) / 16, i = static_cast<int>(v[0].Y) / 16;
        if (slot_ < 0) return {slot_, j, i, -1, false, v[0].Colour};
        const float c = AtlasCellSize[slot_], u = std::min(v[0].TU, v[2].TU);
        const int cell = static_cast<int>(std::lround(u / c) * std::lround(1 / c) + std::lround(v[0].TV / c));
        return {slot_, j, i, cell, v[0].TU > v[2].TU, v[0].Colour};
    }
    int slot_ = NoTexture;
};

class MapRenderer : public viewtest::ArenaTest {
protected:
    void SetUp() override {
        ArenaTest::SetUp();
        InitImage_ID();
        MeasureView(600, 400);  // 39 x 26 squares drawn
        ViewOrigin = {0, 0};
        RainOn = SnowOn = LightningOn = false;
        SetAtmosphere(1);
        MapTrails.fill({});
    }
    RecordingDevice d;
    MapPasses passes;
    viewtest::RecordingView view;
};

}  // namespace

TEST_F(MapRenderer, VisitOrdersAndTheViewWrappingRoundTheArena) {
    for (int x = 0; x < 150; ++x) MapTerrain(x, 0) = static_cast<int16_t>(x);
    ViewOrigin = {140, -150};  // row -150 is row 0
    MapSplats(141, 1) = 1, MapSplats(141, 0) = 2, MapSplats(142, 0) = 3;
    Players[7].Name = "fifth", Players[8].Name = "sixth";
    MapPlayers(142, 3) = 7, MapPlayers(143, 1) = 8;
    passes.RenderMap(d, 0);
    passes.RenderNames(d);
    std::vector<int> firstRow, splats;
    for (const Drawn& q : d.quads) {
        if (q.slot == TERRAIN_16 && q.i == 0) firstRow.push_back(q.cell);
        if (q.slot == SPLATS_16) splats.push_back(q.cell);
    }
    std::vector<int> across;  // 140 .. 149, then 0 .. 28
    for (int j = 0; j < 39; ++j) across.push_back((140 + j) % 150);
    EXPECT_EQ(firstRow, across);
    EXPECT_EQ(d.quads[39].i, 1);  // terrain row after row, then the layers column after column
    EXPECT_EQ(splats, (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(std::count(d.log.begin(), d.log.end(), "strip 156"), 26);
    // Names row after row; five letters on view squares (3, 1) and (2, 3).
    EXPECT_EQ(std::vector<std::string>(d.log.end() - 2, d.log.end()),
              (std::vector<std::string>{"sixth 58 15 108 31", "fifth 42 47 92 63"}));
}

TEST_F(MapRenderer, LayersStackOnASquareStoresOnTopTheSecretOneAtLevel95) {
    MapSplats(4, 4) = 1, MapObjects(4, 4) = 2, MapPaintballs(4, 4) = 3, MapBots(4, 4) = 4;
    MapTargets(4, 4) = 1, MapOutline(4, 4) = -1, MapPlayers(4, 4) = 0;
    Players[0] = {5, "amy"};
    MapTrails[4 + 150 * 4] = {25, -1, 6};
    MapTerrain(4, 4) = 9;
    SetAtmosphere(0);
    const uint32_t tint = 0x007EBA9A;
    passes.RenderMap(d, 94);
    // Slot:cell, top first: store, bot, player (mirrored), outline, target, paintball, trail, object, splat, terrain.
    std::string stack;
    for (const Drawn& q : d.On(4, 4)) {
        stack += std::to_string(q.slot) + ":" + std::to_string(q.cell) + (q.mirrored ? "m " : " ");
        EXPECT_EQ(q.colour, q.slot == JETTRAILS_16 ? argb(25, 126, 186, 154) : tint);
    }
    EXPECT_EQ(stack, "1:0 3:4 2:5m 1:26 1:25 5:3 4:6 1:2 6:1 0:9 ");
    const std::string trailStates[] = {"alpha both", "alpha texture"};
    EXPECT_NE(std::search(d.log.begin(), d.log.end(), trailStates, trailStates + 2), d.log.end());
    EXPECT_EQ(d.On(7, 10).size(), 1u);
    // The trail fades 25, 15, 5, then is gone; the fifth store shows from level 95.
    for (int frame = 0; frame < 3; ++frame) passes.RenderMap(d, 95);
    std::vector<uint32_t> alphas;
    for (const Drawn& q : d.quads)
        if (q.slot == JETTRAILS_16) alphas.push_back(q.colour >> 24);
    EXPECT_EQ(alphas, (std::vector<uint32_t>{25, 15, 5}));
    EXPECT_EQ(d.On(7, 10).front().cell, 21);
}

TEST_F(MapRenderer, PlayersFaceTheWayOfTheirLastColumnChangeAndEmptySlotsStayHidden) {
    Players[3] = {12, "bo"};
    Players[4] = {12, ""}, MapPlayers(1, 1) = 4;
    std::vector<bool> facing;
    ViewOrigin = {140, 0};
    for (int x : {10, 11, 11, 10, 149, 0}) {
        for (int c = 0; c < 150; ++c) MapPlayers(c, 5) = c == x ? 3 : -1;
        d.quads.clear();
        passes.RenderMap(d, 0);
        for (const Drawn& q : d.quads)
            if (q.slot == PLAYERS_16) facing.push_back(q.mirrored);
    }
    EXPECT_EQ(facing, (std::vector<bool>{true, true, true, false, true, false}));
    passes.RenderNames(d);
    EXPECT_EQ(d.log.back(), "bo 170 79 190 95");  // column 0 is view column 10
}

TEST_F(MapRenderer, ValuesOutsideTheirAtlasOrAMissingTextureLeaveOutOnlyThatAndAreReportedOnce) {
    MapSplats(3, 3) = 16, MapSplats(4, 3) = 15, MapTerrain(5, 0) = 256, MapPlayers(6, 6) = 32767;
    d.missing = BOTS_16, MapBots(2, 2) = 1;
    for (int frame = 0; frame < 3; ++frame) {
        d.quads.clear();
        passes.RenderMap(d, 0);
    }
    EXPECT_EQ(errors, (std::vector<int32_t>{9, 9, 9}));
    EXPECT_EQ(std::tuple(d.On(3, 3).size(), d.On(5, 0).size(), d.On(4, 3).front().cell, d.On(2, 2).size()), std::tuple(1u, 0u, 15, 1u));
    EXPECT_EQ(std::count(d.log.begin(), d.log.end(), "strip 20"), 3);  // row 0 cut before square 5
}

TEST_F(MapRenderer, LightModesTintByTheWeatherAtTheCall) {
    for (auto [mode, colour] : {std::pair(0, 0x007EBA9Au), {2, 0x007EAF9Au}, {3, 0x005B9290u}, {7, 0x005B9290u}, {1, 0xFFFFFFFFu}})
        EXPECT_EQ((SetAtmosphere(static_cast<uint8_t>(mode)), LightColour), colour) << mode;
    RainOn = true;
    SetAtmosphere(1);
    RainOn = false;  // the tint stays until the next call
    EXPECT_EQ(std::tuple(LightColour, LightRed, LightBlue), std::tuple(0xFF9F9F9Fu, 159, 159));
    SnowOn = RainOn = true;
    SetAtmosphere(1);
    EXPECT_EQ(std::tuple(LightColour, LightRed, LightBlue), std::tuple(0xFFBFBFFFu, 191, 255));
}

TEST_F(MapRenderer, RainFallsHalfItsLengthAndLightningFlashesAboutOnceIn71Frames) {
    InitRain();
    RainDrops[0] = {5, 396, 8};
    RenderRain(d);
    EXPECT_EQ(RainDrops[0].Y, 400.0f);  // on the bottom edge: not yet restarted
    RenderRain(d);
    EXPECT_EQ(std::tuple(d.lines.size(), d.lines[0].Y, d.lines[1].Y, d.lines[1].Colour, RainDrops[0].Y),
              std::tuple(512u, 400.0f, 408.0f, 0xFFFFFFFFu, 0.0f));
    UninitRain();
    EXPECT_TRUE(RainDrops.empty());
    SeedRandomNumbers(), Randomize(22);
    for (int frame = 0; frame < 7100; ++frame) RenderLightning(d);
    EXPECT_NEAR(static_cast<double>(d.quads.size()), 100, 35);
    for (const Drawn& q : d.quads) EXPECT_EQ(std::tuple(q.slot, q.colour), std::tuple(NoTexture, 0xFF505050u));
    EXPECT_EQ(std::count(d.log.begin(), d.log.end(), "blend add"), std::count(d.log.begin(), d.log.end(), "blend normal"));
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "PlaySound 12"), static_cast<long>(d.quads.size()));
    EXPECT_EQ(std::tie(view.calls[0], view.calls[1]), std::tuple("PlayBkgrndSound 0", "StopBkgrndSound 0"));
}

TEST_F(MapRenderer, FramesSkipALostDeviceResetOneThatAsksAndTicksNeverNest) {
    FrameLoop loop;
    d.state = DeviceState::Lost;
    loop.Render(&d, {});
    EXPECT_TRUE(d.log.empty() && d.quads.empty());
    d.state = DeviceState::NeedsReset, SnowOn = true;
    loop.Render(&d, {0, true});
    EXPECT_EQ(std::vector<std::string>(d.log.begin(), d.log.begin() + 4), (std::vector<std::string>{"reset", "clear", "begin", "texture 0"}));
    EXPECT_EQ(std::vector<std::string>(d.log.end() - 4, d.log.end()),
              (std::vector<std::string>{"texture -1", "points 0", "end", "present 600 400"}));
    int dispatched = 0, drawn = 0;
    TickSteps steps{[] { return true; }, [&] { ++dispatched; }, [] { return true; },
                    [&] { ++drawn, FrameTick(steps), loop.Render(nullptr, {}); }};
    FrameTick(steps), FrameTick(steps);
    EXPECT_EQ(std::tuple(dispatched, drawn), std::tuple(2, 2));
    EXPECT_EQ(errors, std::vector<int32_t>{91});  // no device: said once
}
