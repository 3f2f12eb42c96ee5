// The demo session of tools/testserver as a test meets it: a scratch copy of the client whose
// Game.DAT points at the scripted server (playing the demo script) and at a local web host
// serving the demo's map, started with its test hook; and a person's mouse and keys, sent to
// it with SendInput.
#pragma once
#include <windows.h>

#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScreenPicture.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"

namespace clienttest {

class DemoSession {
public:
    explicit DemoSession(const std::string& name) : dir(name), run(dir.Path()) {}
    // Starts the web host, the server (with extra arguments, such as "--rate 10") and the
    // client; Options are Game.DAT [Options] lines put in before the start.
    bool Start(const std::string& serverArgs = {}, const std::string& options = {});
    // Logs in as "tester" through the connect dialog, with the mouse and the keyboard.
    bool LogIn();
    bool Dump(const std::string& form, const std::string& piece, uint32_t timeoutMs = 15000);
    // How many times the server has received a frame that holds this JSON text.
    int Received(const std::string& frame) const;
    bool WaitReceived(const std::string& frame, uint32_t timeoutMs = 10000) const;
    HWND MainWindow() const;
    // The client's main window as it shows (the map's last frame in its place), from its hook.
    testsupport::ScreenPicture Picture(const std::string& bmpFile);
    // A control of the main window by its name (its id from the window's dump).
    HWND MainControl(const std::string& name);
    // The first child of the client's window with that caption.
    HWND ChildOf(const std::string& caption);

    testsupport::ScratchDir dir;
    ClientRun run;
    testsupport::ScriptedServer server;
    testsupport::ChildProcess web;
    testsupport::HookClient hook;
    std::string last;  // the last dump Dump read
};

// The visible control of the client with that dialog id (in any of its top-level windows).
HWND ClientControl(DWORD pid, int id);
// A press and release of the mouse at a point of a window's client area (its middle when none).
void ClickAt(HWND window, bool right = false, POINT at = {-1, -1});
// A press and release of a key by its virtual-key code, with its scan code for DirectInput,
// Shift held around it when asked.
void PressKey(WORD vk, bool extended = false, bool shift = false);
// Text typed as characters.
void TypeText(const std::string& text);

}  // namespace clienttest
