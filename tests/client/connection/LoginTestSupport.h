// What the login and connection-state tests share: the main window loaded once in this test
// program with the real socket control, a scratch Dat folder, the scripted game server on
// loopback, the frames it recorded, and every error report collected.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "ScreenPicture.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"

namespace logintest {

// A frame the server recorded: the command, then the fields.
using Frame = std::vector<std::string>;
// The frames of the server's JSON answer to "frames".
std::vector<Frame> ParseFrames(const std::string& json);

struct Report {
    std::string module, procedure;
    int32_t number;
};
std::vector<Report>& Reports();

// The main window with its socket control (events routed), loaded once for the program.
void EnsureMainWindow();

// Windows as the screen shows them.
using testsupport::CaptureWindow;
using testsupport::SavePicture;
using testsupport::ScreenPicture;

// Sizes the map picture's drawing area, in pixels.
void SetMapPicture(int width, int height);
// The chat text of a pane of the chat window.
std::string PaneText(int pane);
// Number of times text occurs in a text.
int Occurrences(const std::string& text, const std::string& what);

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The frames the server recorded, without the markers of SentSoFar.
    std::vector<Frame> Frames() const;
    // Frames of one command letter.
    std::vector<Frame> FramesOf(const std::string& command) const;
    bool ClientConnected();
    // Handles the messages posted so far, then sends a marker frame and waits until the server
    // has it: what the client sent before the marker is recorded by then, since one connection
    // keeps its frames' order. False when the marker did not come (no connection).
    bool SentSoFar();
    // Connects the main window's control to the server without the dialog; true once its
    // connected event has run (the login it sends is at the server).
    bool ConnectDirectly();
    // Ends the connection without the close sequence (no box, no wait).
    void DropConnection();
    std::string GameDat() const { return dat.File("Game.DAT"); }
    std::string Ini(const std::string& section, const std::string& key) const;
    void WriteGameDat(const std::string& text) const;

    testsupport::ScriptedServer server;
    testsupport::ScratchDir dat{"login-dat"};
};

}  // namespace logintest
