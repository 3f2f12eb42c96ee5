// The arena commands over the wire: the main window with the real socket control and its frame
// timer, the scripted game server, recording view services, and a local web host for map files
// (tools/httpfiles.py serving a scratch folder and logging every request).
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "../view/ArenaSquares.h"
#include "../view/ArenaTestSupport.h"
#include "../view/RecordingSound.h"
#include "AccountState.h"
#include "ArenaHooks.h"
#include "AtlasTable.h"
#include "InternetFile.h"
#include "LightAndWeather.h"
#include "LoginTestSupport.h"
#include "MapFiles.h"
#include "RandomNumbers.h"
#include "Renderer.h"
#include "SoundEffects.h"
#include "frmChatBar.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "GdiPresentation.h"
#include "modEvents.h"
#include "runtime/RichTextEditing.h"
#include "runtime/VbRandom.h"
#include "DirectXObjects.h"  // after the automation headers

using namespace skx;
using namespace logintest;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;
using V = std::vector<int16_t>;

namespace {

// A whole map of "." with one square at (3, 3).
std::string MapWith(char c) { return std::string(453, '.') + c + std::string(22046, '.'); }

class ArenaClient : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        port_ = testsupport::StartPythonServer(web_, "tools/httpfiles.py", "--root " + testsupport::UnixPath(served.Path()) +
                                                                       " --log " + testsupport::UnixPath(log_));
        ASSERT_TRUE(port_ != 0 && WriteFileBytes(log_, ""));
        SetupArrays();  // as start-up does
        // The map view, once for the program, on a 400 x 320 map picture.
        static const bool drawing = (SetMapPicture(400, 320), PreLoadDirectX() && DirectXReady);
        ASSERT_TRUE(drawing);
        MapPath = maps.Path() + "\\";
        SetMapUrl("/maps/");
        frmMain().mnuAutoCenter.SetChecked(false);
        frmMain().mnuOptionsShowErrors.SetChecked(false);
        frmMain().DXTimer.SetEnabled(true);
        ASSERT_TRUE(ConnectDirectly());
    }
    void TearDown() override {
        frmMain().DXTimer.SetEnabled(false);
        MainWindowTest::TearDown();
    }
    void SetMapUrl(const std::string& path) {
        WriteGameDat("[LASTSERVER]\r\nMapURL=http://127.0.0.1:" + std::to_string(port_) + path + "\r\n");
    }
    // Sends frames from the server and waits until the client has handled them.
    void Send(std::vector<Frame> frames) {
        static int marker = 100;
        frames.push_back({"B", std::to_string(++marker)});
        server.Send(frames);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return BotSplats == marker; }, 60000));
    }
    std::string Requests() const { return ReadFileBytes(log_).value_or("?"); }
    std::string MapFile(const std::string& name) const { return ReadFileBytes(maps.File(name)).value_or("-"); }

    testsupport::ScratchDir maps{"arena-maps"}, served{"arena-served"};
    std::string log_ = served.File("requests.log");
    testsupport::ChildProcess web_;
    uint16_t port_ = 0;
    viewtest::RecordingView view;
};

}  // namespace

TEST_F(ArenaClient, ArenaCommandsFollowTheirFieldRules) {
    ParseMap(std::string(1057, '.') + ")(" + std::string(21441, '.'));  // (7, 7) water, (8, 7) snow
    OwnPosition = MoveTarget = MapPoint{7, 7};
    MapPlayers(3, 2) = MapPlayers(3, 4) = 5;
    RainOn = LightningOn = true;
    SnowOn = false;
    // "o" clears its square first unless y reads as 2; clearing (153, 4) fails, the splat still
    // lands on (3, 4). "W" without a caption field changes the weather, then fails.
    std::vector<Frame> frames{{"G", "5", "6", "2", "10"},   {"g", "148", "0", "3", "2"},     {"d", "12;40"},
                              {"d", "12"},                  {"o", "3", "2", "4", "9"},       {"o", "153", "4", "2", "8"},
                              {"r", "w", "2", "", "Forest"}, {"r", "W", "1", ""}};
    for (const char* x : {"7", "8", "9", "150", "32768"}) frames.push_back({"P", x, "7", "1", "12"});
    frames.push_back({"P", "3", "7", "x", "12"});  // the position moves; the sprite does not
    Send(frames);
    int outlined = 0;
    for (int i = 0; i < ArenaCells; ++i) outlined += MapOutline(i % 150, i / 150) == -1;
    EXPECT_EQ(outlined, 10);
    EXPECT_EQ(V({MapOutline(1, 0), MapOutline(148, 1), MapOutline(1, 1), MapOutline(0, 1), MapPlayers(5, 6),
                 MapTargets(12, 40), MapPlayers(3, 2), MapObjects(3, 2), MapSplats(3, 4), MapPlayers(9, 7),
                 MapPlayers(3, 7)}),
              V({-1, -1, -1, 0, 2, 1, 5, 9, 8, 1, -1}));
    std::erase(view.calls, "PlaySound 12");  // the thunder of a flash while lightning was on
    EXPECT_EQ(view.calls, (std::vector<std::string>{"UninitRain", "UninitLightning", "InitSnow", "UninitSnow",
                                                    "InitRain", "InitLightning", "PlaySound 6", "PlaySound 11",
                                                    "PlaySound 5"}));
    EXPECT_EQ(frmMapDisp().Caption(), "Map Display [Forest]");
    std::vector<int32_t> errors;
    for (const Report& r : Reports()) errors.push_back(r.number);
    EXPECT_EQ(errors, (std::vector<int32_t>{9, 9, 9, 6, 13}));
    EXPECT_EQ(OwnPosition.x, 3.0f);
    EXPECT_EQ(MoveTarget.x, 3.0f);  // an idle target follows
}

TEST_F(ArenaClient, OwnStepsSoundByTheTerrainUnderThemOneAtATime) {
    SetViewServices(nullptr);  // the program's own: the sounds go to the recording outputs
    Send({{"r", "W", "0", "", "Calm"}});  // no lightning left from before, whose flashes thunder
    viewtest::RecordedSounds sounds;
    ASSERT_TRUE(LoadSounds());
    ParseMap(std::string(1057, '.') + ")(" + std::string(21441, '.'));  // (7, 7) water, (8, 7) snow
    const Frame step{"P", "6", "7", "1", "12"};
    SoundOn = false, Send({step});
    SoundOn = true, Send({step, step});  // the second while the first still sounds
    sounds.effects.playing["STEP"] = false, Send({{"P", "7", "7", "1", "12"}, {"P", "8", "7", "1", "12"}, step});
    EXPECT_EQ(sounds.effects.log, (decltype(sounds.effects.log){{"STEP", "at 0"}, {"STEP", "play"}, {"WATER", "at 0"},
                                                              {"WATER", "play"}, {"SNOW", "at 0"}, {"SNOW", "play"},
                                                              {"STEP", "at 0"}, {"STEP", "play"}}));
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ArenaClient, MapIsLoadedAtItsAnnouncedSizeElseFetchedOnceIntoPlace) {
    ASSERT_TRUE(WriteFileBytes(maps.File("t1.map"), MapWith('(')) && WriteFileBytes(served.File("t1.map"), MapWith(')')));
    Send({{"?", "ID", "t1", "22500"}});
    EXPECT_EQ(Requests(), "");
    EXPECT_EQ(MapTerrain(3, 3), 55);
    // Missing, and present with another size: one request each, then the served map.
    ASSERT_TRUE(WriteFileBytes(served.File("Arena 7.map"), MapWith(')')) && WriteFileBytes(maps.File("t1.map"), "old") &&
                WriteFileBytes(served.File("t1.map"), MapWith('+')));
    Send({{"?", "ID", "Arena 7", "22500"}});
    EXPECT_EQ(MapFile("Arena 7.map"), MapWith(')'));
    EXPECT_EQ(MapTerrain(3, 3), 115);
    Send({{"?", "ID", "t1", "22500"}});
    EXPECT_EQ(MapFile("t1.map"), MapWith('+'));
    EXPECT_EQ(MapTerrain(3, 3), 119);
    EXPECT_EQ(Requests(), "/maps/Arena%207.map\n/maps/t1.map\n");
    EXPECT_EQ(MapName, "t1");
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ArenaClient, FailedFetchesAndRefusedNamesKeepTheFilesAndSaySoInRed) {
    ASSERT_TRUE(WriteFileBytes(maps.File("t1.map"), "old"));
    Send({{"?", "ID", "t1", "22500"}});  // 404
    ASSERT_TRUE(WriteFileBytes(served.File("t1.map"), std::string(100, '.')));
    Send({{"?", "ID", "t1", "22500"}});  // a short body
    InternetTransfer quick(1500);        // a stalled host, with a short time limit
    const ArenaHookTable saved = ArenaHooks();
    ArenaHooks().MapTransfer = [&]() -> InternetTransfer& { return quick; };
    SetMapUrl("/stall/");
    Send({{"?", "ID", "t1", "22500"}});
    ArenaHooks() = saved;
    SetMapUrl("/maps/");
    Send({{"?", "ID", "t1", "22500"}});  // in the pause after a host ran out of time: no request
    NewMapDownloads();                   // as at the next connect
    EXPECT_EQ(MapFile("t1.map"), "old");
    for (int pane : {0, 1}) {
        EXPECT_EQ(Occurrences(PaneText(pane), "Receiving Map 't1' FAILED!"), 4);
        RichTextBox& box = frmChatBar().txtStatus[static_cast<size_t>(pane)];
        EXPECT_EQ(RtbFormatAt(box, static_cast<int32_t>(RtbPlainText(box).rfind("Receiving"))).color, 255u);
    }
    std::vector<Frame> frames;
    for (std::string name : {"..\\t1", "a/b", "c:x", "..", "CON", "lpt1", "Nul.txt", "com9 .x", "x.", "x ", "a\tb",
                             "a\x7f", "m*", "m?", "COM\xC2\xB9", "lpt\xC2\xB2 .x", "conin$", "CONOUT$ .x", "", "m"}) {
        frames.push_back({"?", "ID", name.empty() ? std::string(65, 'm') : name == "m" ? std::string(64, 'm') : name, "3"});
    }
    Send(frames);  // only the last, of 64 characters, is a name
    EXPECT_EQ(Requests(), "/maps/t1.map\n/maps/t1.map\n/stall/t1.map\n/maps/" + std::string(64, 'm') + ".map\n");
    EXPECT_EQ(MapName, std::string(64, 'm'));
    EXPECT_EQ(Occurrences(PaneText(1), "FAILED!"), 4 + 20);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((maps.Path() + "\\*").c_str(), &entry);
    int entries = search != INVALID_HANDLE_VALUE;
    while (FindNextFileA(search, &entry)) ++entries;
    FindClose(search);
    EXPECT_EQ(entries, 3);  // ".", ".." and t1.map
}

TEST_F(ArenaClient, CentringSendsTheViewAndAutoCenterFollowsTheOwnPlayer) {
    SetMapPicture(400, 300);
    OwnPosition = {7, 7};
    server.Command("{\"cmd\": \"clear\"}");
    Send({{"U"}});
    frmMain().mnuAutoCenter.SetChecked(true);
    AccessLevel = 95;
    Send({{"P", "7", "10", "1", "95"}});  // on the secret store: no centring
    Send({{"P", "8", "8", "1", "95"}});
    AccessLevel = 10;
    Send({{"P", "7", "10", "1", "10"}});
    testsupport::PumpUntil([&] { return FramesOf("M").size() >= 3; }, 5000);  // the last one on its way
    EXPECT_EQ(FramesOf("M"), (std::vector<Frame>{{"M", "144", "147", "25", "18.75"},
                                                 {"M", "144", "148", "25", "18.75"},
                                                 {"M", "144", "0", "25", "18.75"}}));
    EXPECT_EQ(Occurrences(PaneText(1), "Screen Centered."), 1);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ArenaClient, HostileArenaFramesLeaveTheClientRunningWithinItsArrays) {
    std::mt19937 rng(1919);
    const std::vector<std::string> pool{"-1", "0", "7", "149", "150", "1e9", "32768", "-32769", "x", "",
                                        "1e39", "2.5", "-0.5", "ID", "W", "l", "0;0", "12;-1", "..\\m", "CON"};
    const std::string letters = "bgCodSBEGFRPUyzLr?";
    for (int batch = 0; batch < 20; ++batch) {
        std::vector<Frame> frames(500);
        for (Frame& f : frames) {
            f.push_back(std::string(1, letters[rng() % letters.size()]));
            // "P" needs four fields (fewer show a box); "B" is left to the markers.
            const size_t count = f[0] == "P" ? 4 + rng() % 2 : f[0] == "B" ? 0 : rng() % 6;
            for (size_t k = 0; k < count; ++k) f.push_back(pool[rng() % pool.size()]);
        }
        Send(frames);
    }
    server.Command("{\"cmd\": \"clear\"}");
    Send({{"U"}});
    testsupport::PumpUntil([&] { return !FramesOf("M").empty(); }, 5000);  // the answer on its way
    EXPECT_EQ(FramesOf("M").size(), 1u);
    EXPECT_TRUE(ClientConnected());
    EXPECT_TRUE(ArenaFencesIntact());
    EXPECT_FALSE(Reports().empty());
    for (const Report& r : Reports()) EXPECT_TRUE(r.number == 6 || r.number == 9 || r.number == 13) << r.procedure;
}

namespace {

// The picture the map device drew last, read from its back buffer: for checks of single frames
// drawn with the timer stopped, faster than the screen could be captured.
ScreenPicture BackBuffer() {
    ScreenPicture p{0, 0, 400, 320, {}};  // the map picture
    ComRef<IDirect3DSurface8> back, copy;
    D3DLOCKED_RECT r{};
    D3DDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, back.GetAddressOf());
    D3DDevice->CreateImageSurface(400, 320, D3DFMT_X8R8G8B8, copy.GetAddressOf());
    EXPECT_EQ(D3DDevice->CopyRects(back.Get(), nullptr, 0, copy.Get(), nullptr), D3D_OK);
    copy->LockRect(&r, nullptr, D3DLOCK_READONLY);
    for (int y = 0; y < p.height; ++y, r.pBits = static_cast<uint8_t*>(r.pBits) + r.Pitch)
        p.pixels.insert(p.pixels.end(), static_cast<uint32_t*>(r.pBits), static_cast<uint32_t*>(r.pBits) + p.width);
    copy->UnlockRect();
    return p;
}

// The atlases the map is drawn with: this program's own resources.
const testsupport::AtlasCells& Atlases() {
    static const testsupport::AtlasCells cells = [] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        return testsupport::AtlasCells(path);
    }();
    return cells;
}
// What view square (j, i) shows unlike the sprites, bottom first, texel for texel (tinted by
// tint): "" when it shows them.
std::string Unlike(const ScreenPicture& p, int j, int i, std::span<const testsupport::Sprite> sprites, uint32_t tint = 0xFFFFFF) {
    const testsupport::CellMatch m = Atlases().Compare(sprites, p, 16 * j, 16 * i, tint == 0xFFFFFF ? 0 : 1, tint);
    if (m.Matches()) return {};
    std::ostringstream out;
    out << " view square (" << j << ", " << i << "): " << m << ";";
    return out.str();
}
std::string Unlike(const ScreenPicture& p, int j, int i, std::initializer_list<testsupport::Sprite> sprites, uint32_t tint = 0xFFFFFF) {
    return Unlike(p, j, i, std::span(sprites.begin(), sprites.size()), tint);
}
// The view squares (from the origin at the top left) that do not show what the grids hold.
std::string WrongSquares(const ScreenPicture& p) {
    std::string wrong;
    for (int i = 0; i < p.height / 16; ++i)
        for (int j = 0; j < p.width / 16; ++j) {
            const int x = (static_cast<int>(ViewOrigin.x) + j) % 150, y = (static_cast<int>(ViewOrigin.y) + i) % 150;
            if (!Unlike(p, j, i, viewtest::SquareSprites(x, y, AccessLevel)).empty()) wrong += " (" + std::to_string(j) + ", " + std::to_string(i) + ")";
        }
    return wrong;
}
int PureWhite(const ScreenPicture& p, const RECT& area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += p.At(x, y) == RGB(255, 255, 255);
    return n;
}
// "" when the figure is as wanted, else the figure.
std::string Unwanted(const char* what, int n, bool wanted) { return wanted ? "" : " " + std::to_string(n) + " " + what + ";"; }

// The map as a person sees it: captures of the X display, cut to the 400 x 320 map picture,
// which shows each frame through the copy the frame ticks draw into it.
class ArenaPicture : public ArenaClient {
protected:
    void SetUp() override {
        ArenaClient::SetUp();
        SetMapPicture(400, 320);  // the back buffer's size, which a test before may have changed
        SetViewServices(nullptr);  // the program's own view services
        RainOn = SnowOn = LightningOn = false;
        LoadBkgrndSounds();  // the ambience a test before may have taken away
        SetAtmosphere(1), AccessLevel = 10, ViewOrigin = {0, 0};
        frmMain().mnuOptionsShowNames.SetChecked(false);
        for (int y = 1; y <= 3; ++y) map.replace(150 * y + 1, 3, "(((");
        ParseMap(map);
        // The map window in front, below the game window's place, its picture wholly on the
        // screen and nothing over it.
        SetForegroundWindow(frmMain().hWnd());
        SetWindowPos(frmMapDisp().hWnd(), HWND_TOP, 260, 230, 0, 0, SWP_NOSIZE);
        const RECT r = Area();
        ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right - r.left == 400 && r.bottom - r.top == 320)
            << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        for (POINT at : {POINT{r.left, r.top}, {r.right - 1, r.top}, {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}}) {
            const HWND there = WindowFromPoint(at);
            char cls[64] = {};
            GetClassNameA(there, cls, sizeof cls);
            ASSERT_TRUE(there == frmMapDisp().picMap.hWnd() || there == frmMapDisp().hWnd()) << "covered by a " << cls;
        }
    }
    // The part of the screen the picture shows: its client area within its window's.
    static RECT Area() { return testsupport::ShownClientArea(frmMapDisp().picMap.hWnd()); }
    ScreenPicture Shown() const {
        const ScreenPicture screen = testsupport::CaptureDisplay(screens.File("screen.bmp"));
        const RECT r = Area();
        ScreenPicture p{r.left, r.top, 400, 320, std::vector<uint32_t>(400 * 320, 0xFF00FF)};
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (r.left + x < screen.width && r.top + y < screen.height)
                    p.pixels[static_cast<size_t>(y * p.width + x)] = screen.pixels[static_cast<size_t>((r.top + y) * screen.width + r.left + x)];
        return p;
    }
    // Captures the picture until what it shows has nothing unlike what is looked for (at most
    // 20 s, the frames ticking meanwhile); what the last capture, left in shown, has unlike it.
    std::string Until(const std::function<std::string(const ScreenPicture&)>& unlike) {
        std::string wrong;
        testsupport::PumpUntil([&] { return (wrong = unlike(shown = Shown())).empty(); }, 20000);
        return wrong;
    }

    std::string map = std::string(22500, '.');
    testsupport::ScratchDir screens{"arena-screen"};
    ScreenPicture shown;
};

}  // namespace

TEST_F(ArenaPicture, TerrainPlayersObjectsAndStoresShowTheirAtlasCells) {
    using namespace testsupport;
    ASSERT_TRUE(Atlases().Loaded());
    // Before the map arrives the ticks come (each dispatches a frame from the server) and draw
    // nothing: the picture, let go of its frame, stays black.
    MapReady = false, ReleaseGdiPresentation(), InvalidateRect(frmMapDisp().picMap.hWnd(), nullptr, TRUE);
    auto black = [](const ScreenPicture& p) {
        int lit = 0;
        for (uint32_t pixel : p.pixels) lit += (pixel & 0xFFFFFF) != 0;
        return Unwanted("pixels lit", lit, lit == 0);
    };
    ASSERT_EQ(Until(black), "");
    for (int tick = 0; tick < 3; ++tick) {
        ASSERT_NO_FATAL_FAILURE(Send({}));
        EXPECT_EQ(black(Shown()), "") << "drawn before the map arrived";
    }
    MapReady = true;
    EXPECT_EQ(Until([](const ScreenPicture& p) {
                  const int tiles[3][3] = {{4, 20, 36}, {5, 21, 37}, {6, 22, 38}};
                  std::string wrong = Unlike(p, 0, 0, {{Terrain16, 43}});
                  for (int i = 0; i < 3; ++i)
                      for (int j = 0; j < 3; ++j) wrong += Unlike(p, 1 + j, 1 + i, {{Terrain16, tiles[i][j]}});
                  return wrong;
              }),
              "");

    Send({{"L", "1", "3", "amy", "12"}, {"P", "10", "5", "3", "12"}, {"o", "12", "5", "2", "3"}});
    EXPECT_EQ(Until([](const ScreenPicture& p) {
                  return Unlike(p, 10, 5, {{Terrain16, 43}, {Players16, 1, true}}) + Unlike(p, 12, 5, {{Terrain16, 43}, {Splats16, 3}});
              }),
              "") << "the player mirrored after its first step east";
    Send({{"P", "9", "5", "3", "12"}, {"C", "10", "5", ""}, {"g", "14", "2", "3", "2"}, {"d", "12;40"}});
    MapSplats(4, 4) = MapObjects(4, 4) = MapPaintballs(4, 4) = MapPlayers(4, 4) = MapBots(4, 4) = 1;
    EXPECT_EQ(Until([](const ScreenPicture& p) {
                  // Normal after a step west; the stores over all else, the fifth not below level 95.
                  std::string wrong = Unlike(p, 9, 5, {{Terrain16, 43}, {Players16, 1, false}}) + Unlike(p, 10, 5, {{Terrain16, 43}}) +
                                      Unlike(p, 4, 4, {{Terrain16, 43}, {Splats16, 1}, {Objects16, 1}, {Paintballs16, 1}, {Bots16, 1}, {Objects16, 0}});
                  for (auto [x, y, cell] : {std::tuple(4, 10, 8), {10, 4, 16}, {10, 10, 24}, {14, 2, 26}, {17, 3, 26}})
                      wrong += Unlike(p, x, y, {{Terrain16, 43}, {Objects16, cell}});
                  for (auto [x, y] : {std::pair(15, 3), {7, 10}}) wrong += Unlike(p, x, y, {{Terrain16, 43}});
                  return wrong + WrongSquares(p);
              }),
              "");
    AccessLevel = 95;
    ViewOrigin = {0, 30};
    EXPECT_EQ(Until([](const ScreenPicture& p) { return Unlike(p, 12, 10, {{Terrain16, 43}, {Objects16, 25}}) + WrongSquares(p); }), "");
    ViewOrigin = {0, 0};
    EXPECT_EQ(Until([](const ScreenPicture& p) { return Unlike(p, 7, 10, {{Terrain16, 43}, {Objects16, 21}}); }), "");
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ArenaPicture, LightWeatherAndNamesOverTheMap) {
    Send({{"L", "1", "3", "amy", "12"}, {"P", "9", "5", "3", "12"}, {"r", "L", "0", ""}});
    EXPECT_EQ(Until([](const ScreenPicture& p) { return Unlike(p, 2, 2, {{testsupport::Terrain16, 21}}, 0x7EBA9A); }), "");

    const RECT all{0, 0, 400, 320}, name{16 * 9 + 10, 79, 16 * 9 + 40, 95};
    auto clearSky = [&](const ScreenPicture& p) { return Unwanted("white", PureWhite(p, all), PureWhite(p, all) == 0); };
    Send({{"r", "W", "2", "", "Snow"}});
    EXPECT_EQ(Until([&](const ScreenPicture& p) { return Unwanted("white", PureWhite(p, all), PureWhite(p, all) > 50); }), "");
    Send({{"r", "W", "0", "", "Clear"}});
    EXPECT_EQ(Until(clearSky), "");
    const ScreenPicture clear = shown;
    Send({{"r", "W", "1", "", "Rain"}});
    EXPECT_EQ(Until([&](const ScreenPicture& p) {
                  int streaks = 0;  // runs of three changed pixels down a column
                  for (int x = 0; x < p.width; ++x)
                      for (int y = 2; y < p.height; ++y)
                          streaks += p.At(x, y) != clear.At(x, y) && p.At(x, y - 1) != clear.At(x, y - 1) &&
                                     p.At(x, y - 2) != clear.At(x, y - 2);
                  return Unwanted("streaks", streaks, streaks > 200);
              }),
              "");
    Send({{"r", "W", "0", "", "Clear"}});
    EXPECT_EQ(Until(clearSky), "");
    frmMain().mnuOptionsShowNames.SetChecked(true);
    EXPECT_EQ(Until([&](const ScreenPicture& p) { return Unwanted("white", PureWhite(p, name), PureWhite(p, name) > 5); }), "");
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ArenaPicture, HostileFramesLeaveTheFramesComingWithOneReportPerFault) {
    Send({{"P", "3", "3", "-1", "12"}, {"P", "3", "3", "101", "12"}, {"E", "3", "3", "32767", "12"}, {"P", "150", "3", "1", "1"},
          {"o", "-5", "8", "2", "1"}, {"o", "1e9", "8", "2", "1"}, {"o", "6", "6", "2", "16"}, {"o", "7", "6", "2", "40000"}});
    Send({}), Send({});  // frames go on showing the splat of 16
    Send({{"o", "8", "6", "2", "5"}});
    EXPECT_EQ(Until([](const ScreenPicture& p) {
                  return Unlike(p, 6, 6, {{testsupport::Terrain16, 43}}) +
                         Unlike(p, 8, 6, {{testsupport::Terrain16, 43}, {testsupport::Splats16, 5}});
              }),
              "");
    std::vector<int32_t> handlers, drawing;
    for (const Report& r : Reports()) (r.procedure == "RenderMap" ? drawing : handlers).push_back(r.number);
    EXPECT_EQ(handlers, (std::vector<int32_t>{9, 9, 9, 9, 6, 6}));
    EXPECT_EQ(drawing, std::vector<int32_t>{9});
    EXPECT_TRUE(ClientConnected() && ArenaFencesIntact());
}

TEST_F(ArenaClient, WeatherLoopsItsAmbienceAndAFlashThundersInTheFrameThatDrawsIt) {
    SetViewServices(nullptr);  // the program's own: the sounds go to the recording outputs
    Send({{"r", "W", "0", "", "Calm"}});  // no lightning left from before, whose flashes thunder
    viewtest::RecordedSounds sounds;
    ASSERT_TRUE(LoadSounds() && LoadBkgrndSounds());
    RainOn = SnowOn = LightningOn = false;
    const std::vector<Frame> weather{{"r", "W", "1", ""}, {"r", "W", "2", ""}, {"r", "W", "0", ""}};
    using Log = decltype(sounds.ambience.log);
    for (bool on : {true, false}) {  // with the sound option off nothing starts, but the stops still happen
        sounds.ambience.log.clear(), SoundOn = on;
        for (const Frame& w : weather) Send({w});
        Log expected{{"RAIN", "loop"}, {"RAIN", "stop"}, {"RAIN", "at 0"}, {"WIND", "loop"}, {"WIND", "stop"}, {"WIND", "at 0"}};
        if (!on) std::erase_if(expected, [](const auto& e) { return e.second == "loop"; });
        EXPECT_EQ(sounds.ambience.log, expected) << on;
    }
    SoundOn = true, Send({weather[0]}), frmMain().DXTimer.SetEnabled(false);
    SeedRandomNumbers(), Randomize(22);
    int flashes = 0;
    // A flash is told by its frame against the last frame that did not flash (two frames in a row
    // may flash); the first such frame is one drawn without the thunder.
    ScreenPicture before;
    for (int frame = 0; frame < 10 && (frame == 0 || !sounds.effects.log.empty()); ++frame) {
        sounds.effects.log.clear();
        Render({10, false});
        before = BackBuffer();
    }
    ASSERT_TRUE(sounds.effects.log.empty());
    // Which frames flash follows from the random numbers the rain's drops have taken too, and so
    // from how many frames the frame timer drew before: frames are drawn until three flashes,
    // within a bound that three flashes at one frame in 71 meet whatever came before.
    for (int frame = 0; frame < 3000 && flashes < 3; ++frame) {
        sounds.effects.log.clear(), sounds.effects.playing["THUNDER"] = false;
        Render({10, false});
        const ScreenPicture after = BackBuffer();
        int lighter = 0;  // pixels lighter by the flash's grey in every colour (or white)
        for (size_t i = 0; i < after.pixels.size(); ++i) {
            bool all = true;
            for (int c : {0, 8, 16}) all &= (after.pixels[i] >> c & 0xFF) >= std::min(255u, (before.pixels[i] >> c & 0xFF) + 64);
            lighter += all;
        }
        const bool flash = lighter > static_cast<int>(after.pixels.size()) / 2;
        flashes += flash;
        if (!flash) before = after;
        const Log thunder{{"THUNDER", "at 0"}, {"THUNDER", "play"}};
        EXPECT_EQ(sounds.effects.log, flash ? thunder : Log()) << frame;
    }
    EXPECT_EQ(flashes, 3);
    UninitRain(), UninitLightning();
}
