#include "DemoSession.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ArenaModel.h"
#include "MapFiles.h"
#include "frmMain.h"

namespace clienttest {

namespace {
void SendInputs(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

struct Found {
    DWORD pid;
    int id;
    HWND control;
};
BOOL CALLBACK FindControl(HWND top, LPARAM param) {
    auto* f = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(top, &pid);
    HWND c = pid == f->pid && IsWindowVisible(top) ? GetDlgItem(top, f->id) : nullptr;
    if (c && IsWindowVisible(c)) f->control = c;
    return f->control == nullptr;
}
}  // namespace

testing::AssertionResult DemoSession::Start(const std::string& serverArgs, const std::string& options) {
    const char* root = std::getenv("SKIRMORA_ROOT");
    if (!root) return testing::AssertionFailure() << "SKIRMORA_ROOT is not set";
    const uint16_t webPort = testsupport::StartPythonServer(web, "tools/httpfiles.py", std::string("--root ") + root + "/tools/testserver/maps");
    if (!webPort) return testing::AssertionFailure() << "the web host (tools/httpfiles.py) named no port";
    return LoggedInClient::Start({.reply = "", .serverArgs = "--script tools/testserver/demo.json " + serverArgs,
                                  .game = "MapURL=http://127.0.0.1:" + std::to_string(webPort) + "/maps/\r\n[Options]\r\n" + options,
                                  .logIn = false});
}

testing::AssertionResult DemoSession::LogIn() {
    if (!Dump("frmMain", "timer DXTimer enabled=1")) return testing::AssertionFailure() << "no frame timer: " << last;
    ClickAt(FindChild(MainWindow(), "Button", "&Connect"));
    if (!Dump("frmConnect", "visible=1")) return testing::AssertionFailure() << "no connect dialog: " << last;
    for (auto [id, text] : {std::pair(101, "tester"), std::pair(102, "secret1")}) {
        const HWND box = ClientControl(run.process.Pid(), id);
        ClickAt(box);
        if (!FocusIn(box)) return testing::AssertionFailure() << "the focus did not reach box " << id;
        PressKey(VK_END);
        PressKey(VK_HOME, true, true);
        PressKey(VK_DELETE, true);
        TypeText(text);
    }
    ClickAt(ClientControl(run.process.Pid(), 1));
    if (WaitSent(R"(["!", "tester", "secret1")")) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no login reached the server; the client " << run.process.State();
}

HWND DemoSession::MainWindow() const { return FindProcessWindow(run.process.Pid(), skx::MainWindowClass, nullptr); }

namespace {
// A window of that class whose parent has that caption.
struct InForm {
    std::string cls, caption;
    HWND found;
};
BOOL CALLBACK FindInForm(HWND h, LPARAM param) {
    auto* f = reinterpret_cast<InForm*>(param);
    char cls[128] = {};
    GetClassNameA(h, cls, sizeof cls);
    if ((f->cls.empty() || f->cls == cls) && WindowText(GetParent(h)) == f->caption) f->found = h;
    return f->found == nullptr;
}
}  // namespace

HWND DemoSession::MainControl(const std::string& name) {
    const std::string dump = hook.Ask("dump frmMain");
    const size_t at = dump.find(" " + name + " class=");
    if (at == std::string::npos) return nullptr;
    return GetDlgItem(MainWindow(), std::atoi(dump.c_str() + dump.rfind("control ", at) + 8));
}

HWND DemoSession::ChildOf(const std::string& caption) {
    InForm f{"", caption, nullptr};
    EnumChildWindows(MainWindow(), &FindInForm, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

MapView FindView(const testsupport::ScreenPicture& screen, const RECT& map, const testsupport::AtlasCells& cells) {
    const int across = (map.right - map.left) / 16, down = (map.bottom - map.top) / 16;
    // The terrain cell each square of the picture shows exactly (-1: none, a sprite lies on it).
    std::vector<int> shown(static_cast<size_t>(across * down), -1);
    for (int i = 0; i < down; ++i)
        for (int j = 0; j < across; ++j) {
            const std::vector<int> found = cells.Find(testsupport::Terrain16, screen, map.left + 16 * j, map.top + 16 * i);
            if (found.size() == 1) shown[static_cast<size_t>(i * across + j)] = found[0];
        }
    MapView best;
    for (int oy = 0; oy < 150; ++oy) {
        for (int ox = 0; ox < 150; ++ox) {
            MapView m{0, across * down, 0, ox, oy};
            for (int i = 0; i < down; ++i)
                for (int j = 0; j < across; ++j) {
                    const int x = (ox + j) % 150, y = (oy + i) % 150;
                    if (skx::MapTerrain(x, y) != shown[static_cast<size_t>(i * across + j)]) continue;
                    ++m.matching;
                    m.lake += skx::IsTerrain(x, y, 3);
                }
            if (m.matching > best.matching) best = m;
        }
    }
    return best;
}

testing::AssertionResult OwnPlayerShown(const testsupport::ScreenPicture& screen, const RECT& map, const MapView& view,
                                        const testsupport::AtlasCells& cells, int x, int y) {
    const int left = map.left + 16 * ((x - view.ox + 150) % 150), top = map.top + 16 * ((y - view.oy + 150) % 150);
    // PLAYERS_16 column 0 (the own player's kind), row 0 (levels 1 to 10): cell 0.
    constexpr int sprite = 0;
    testsupport::CellMatch match;
    for (bool mirrored : {false, true}) {
        match = Compare(cells.Square({{testsupport::Terrain16, skx::MapTerrain(x, y)}, {testsupport::Players16, sprite, mirrored}}),
                        screen, left, top);
        if (match.Matches()) return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure() << "square (" << x << ", " << y << "): " << match;
    // Where it shows instead, if anywhere.
    for (int i = 0; i < (map.bottom - map.top) / 16; ++i)
        for (int j = 0; j < (map.right - map.left) / 16; ++j)
            for (bool mirrored : {false, true}) {
                const int sx = (view.ox + j) % 150, sy = (view.oy + i) % 150;
                if (Compare(cells.Square({{testsupport::Terrain16, skx::MapTerrain(sx, sy)}, {testsupport::Players16, sprite, mirrored}}),
                            screen, map.left + 16 * j, map.top + 16 * i).Matches())
                    failure << "; shown on (" << sx << ", " << sy << ")";
            }
    return failure;
}

HWND ClientControl(DWORD pid, int id) {
    Found f{pid, id, nullptr};
    EnumWindows(&FindControl, reinterpret_cast<LPARAM>(&f));
    return f.control;
}

void ClickAt(HWND window, bool right, POINT at) {
    RECT r{};
    GetClientRect(window, &r);
    if (at.x < 0) at = POINT{r.right / 2, r.bottom / 2};
    ClientToScreen(window, &at);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The press and the release carry the point too: pointer motion that comes late from the
    // display (an earlier move's) cannot move them elsewhere.
    INPUT down = move, up = move;
    down.mi.dwFlags |= right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags |= right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInputs({move});
    SendInputs({down, up});
}

bool FocusIn(HWND window) {
    return testsupport::PumpUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus &&
               (info.hwndFocus == window || IsChild(window, info.hwndFocus));
    }, 60000);
}

namespace {
INPUT KeyInput(WORD vk, bool extended, bool up) {
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = vk;
    // The keypad's digits by their keys' scan codes, which DirectInput reads.
    constexpr WORD KeypadScans[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    key.ki.wScan = vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9 ? KeypadScans[vk - VK_NUMPAD0]
                                                        : static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    key.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return key;
}
}  // namespace

void PressKey(WORD vk, bool extended, bool shift) {
    if (shift) SendInputs({KeyInput(VK_SHIFT, false, false)});
    SendInputs({KeyInput(vk, extended, false)});
    SendInputs({KeyInput(vk, extended, true)});
    if (shift) SendInputs({KeyInput(VK_SHIFT, false, true)});
}

bool PressKey(WORD vk, const std::function<bool()>& heldUntil) {
    SendInputs({KeyInput(vk, false, false)});
    const bool held = testsupport::PumpUntil(heldUntil, 10000);
    SendInputs({KeyInput(vk, false, true)});
    return held;
}

void TypeText(const std::string& text) {
    std::vector<INPUT> keys;
    for (unsigned char c : text) {
        INPUT k{};
        k.type = INPUT_KEYBOARD;
        k.ki.wScan = c;
        k.ki.dwFlags = KEYEVENTF_UNICODE;
        keys.push_back(k);
        k.ki.dwFlags |= KEYEVENTF_KEYUP;
        keys.push_back(k);
    }
    SendInputs(keys);
}

}  // namespace clienttest
