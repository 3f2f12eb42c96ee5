// The test hook, made only when the program starts with --test-hook: a hidden window of class
// "SkirmexTestHook" that answers text requests (TestHookRequest.h) sent with WM_COPYDATA, the
// asker's window in wParam, by a WM_COPYDATA to that window before it returns. A dump answers
// with the window's state; an action answers "ok" and is then carried out from the message
// loop, so a box it opens never holds up the answer. Clicks and keys go in as the mouse and
// keyboard messages a user's would make; set and select act as the program does.
#pragma once
#include <string>

namespace skx {

// A probe of whether the program's message loops take posted messages: a TestHookPingTaken sent
// to the hook window answers how many TestHookPing messages posted to it have been taken.
inline constexpr unsigned TestHookPing = 0x8000 + 2;  // WM_APP + 2
inline constexpr unsigned TestHookPingTaken = 0x8000 + 3;

// True when the command line asks for the hook.
bool TestHookRequested(const std::string& commandLine);
void StartTestHook();

}  // namespace skx
