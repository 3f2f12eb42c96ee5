// The demo session of tools/testserver as a test meets it: a scratch copy of the client whose
// Game.DAT points at the scripted server (playing the demo script) and at a local web host
// serving the demo's map, started with its test hook; and a person's mouse and keys, sent to
// it with SendInput.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "AtlasCells.h"
#include "LoggedInClient.h"
#include "ScreenPicture.h"

namespace clienttest {

// The demo's layout as Game.DAT [Options] lines: the map window at the top left, the game window
// beside it, the chat below.
constexpr char DemoLayout[] = "[Form]\r\nMapTop=0\r\nMapLeft=0\r\nMapWidth=9600\r\nMapHeight=6000\r\nGameTop=0\r\n"
                              "GameLeft=9700\r\nChatTop=6100\r\nChatLeft=0\r\nChatWidth=15000\r\nChatHeight=3300\r\n";

class DemoSession : public LoggedInClient {
public:
    explicit DemoSession(const std::string& name) : LoggedInClient(name) {}
    // Starts the web host, the server (with extra arguments, such as "--rate 10") and the
    // client; Options are Game.DAT [Options] lines put in before the start.
    testing::AssertionResult Start(const std::string& serverArgs = {}, const std::string& options = {});
    // Logs in as "tester" through the connect dialog, with the mouse and the keyboard.
    testing::AssertionResult LogIn();
    HWND MainWindow() const;
    // A control of the main window by its name (its id from the window's dump).
    HWND MainControl(const std::string& name);
    // The first child of the client's window with that caption.
    HWND ChildOf(const std::string& caption);

    testsupport::ChildProcess web;
};

// The view a capture shows: the origin (the square at the picture's top left) whose terrain the
// most whole squares show texel for texel, how many do of how many, and how many of those are
// lake. The map is the one skx::ParseMap read last.
struct MapView {
    int matching = 0, squares = 0, lake = 0;
    int ox = -1, oy = -1;
};
MapView FindView(const testsupport::ScreenPicture& screen, const RECT& map, const testsupport::AtlasCells& cells);

// The own player (the demo's level 10) on its square (x, y) of the view, facing either way,
// over the terrain; where it shows instead, if anywhere, when it does not.
testing::AssertionResult OwnPlayerShown(const testsupport::ScreenPicture& screen, const RECT& map, const MapView& view,
                                        const testsupport::AtlasCells& cells, int x, int y);

// The visible control of the client with that dialog id (in any of its top-level windows).
HWND ClientControl(DWORD pid, int id);
// A press and release of the mouse at a point of a window's client area (its middle when none).
void ClickAt(HWND window, bool right = false, POINT at = {-1, -1});
// Whether the keyboard's focus is in window (it or a child of it) within 60 s: keys go to the
// window that has the focus when they come, so a box clicked must have it before they are sent.
bool FocusIn(HWND window);
// A press and release of a key by its virtual-key code, Shift held around it when asked, for a
// window's own key messages.
void PressKey(WORD vk, bool extended = false, bool shift = false);
// A key the client reads through DirectInput, by its scan code: held until heldUntil() holds (at
// most 10 s), since the client reads the keys' state when DirectInput's notice reaches it, on a
// busy machine long after the press. False when it never held.
bool PressKey(WORD vk, const std::function<bool()>& heldUntil);
// Text typed as characters.
void TypeText(const std::string& text);

}  // namespace clienttest
