#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "Layout.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "Renderer.h"
#include "../foundation/SelfRun.h"
#include "WinTestSupport.h"
#include "frmChatBar.h"
#include "frmGame.h"
#include "frmMain.h"
#include "frmMapDisp.h"

using namespace skx;

namespace {

class LayoutChild : public ::testing::Test {
protected:
    void SetUp() override {
        if (frmMain().Released()) GTEST_SKIP() << "the main window was released by an earlier test";
        savedDatPath_ = DatPath;
        DatPath = dir_.Path() + "\\";
        SetDefaultSettings();
        for (MenuOption o : {MenuOption::GameInformation, MenuOption::LocationScanner, MenuOption::AutoTileWindows}) {
            SetMenuChecked(o, false);
        }
        RestartLayout();
    }
    void TearDown() override {
        if (frmMain().Released()) return;
        for (MenuOption o : {MenuOption::GameInformation, MenuOption::LocationScanner, MenuOption::AutoTileWindows}) {
            SetMenuChecked(o, false);
        }
        if (frmGame().IsLoaded()) frmGame().Hide();
        DatPath = savedDatPath_;
    }
    void Game(const char* section, const char* key, const std::string& value) {
        WritePrivateProfileStringA(section, key, value.c_str(), dir_.File("Game.DAT").c_str());
    }
    void Button(int index, const char* key, const std::string& value) {
        std::string section = "Button" + std::to_string(index);
        WritePrivateProfileStringA(section.c_str(), key, value.c_str(), dir_.File("Buttons.DAT").c_str());
    }

    testsupport::ScratchDir dir_{"layout"};
    std::string savedDatPath_;
};

}  // namespace

TEST_F(LayoutChild, DISABLED_WindowsTakeTheirSavedPlaces) {
    Game("Form", "MapTop", "300");
    Game("Form", "MapLeft", "450");
    Game("Form", "MapWidth", "4500");
    Game("Form", "MapHeight", "3000");
    Game("Form", "GameTop", "150");
    Game("Form", "GameLeft", "6000");
    Game("Form", "ChatTop", "3600");
    Game("Form", "ChatLeft", "300");
    Game("Form", "ChatWidth", "6000");
    Game("Form", "ChatHeight", "2400");
    Game("Form", "Splitter", "3000");
    Game("Form", "Buttons", " 5 ");
    Game("Options", "GameInfo", "True");
    Game("Options", "Scanner", "True");
    Button(3, "Name", "  Hello  ");
    Button(3, "Tip", "Says hello");
    Button(3, "Command", "say hello");
    InitiateLayout();

    EXPECT_TRUE(IsWindowVisible(frmMain().Handle()));
    EXPECT_EQ(frmMapDisp().Top(), 300);
    EXPECT_EQ(frmMapDisp().Left(), 450);
    EXPECT_EQ(frmMapDisp().Width(), 4500);
    EXPECT_EQ(frmMapDisp().Height(), 3000);
    EXPECT_EQ(frmGame().Top(), 150);
    EXPECT_EQ(frmGame().Left(), 6000);
    EXPECT_EQ(frmChatBar().Top(), 3600);
    EXPECT_EQ(frmChatBar().Left(), 300);
    EXPECT_EQ(frmChatBar().Width(), 6000);
    EXPECT_EQ(frmChatBar().Height(), 2400);
    EXPECT_EQ(frmChatBar().Splitter(), 3000);
    EXPECT_EQ(ButtonCount, 5);
    EXPECT_EQ(Buttons[3].Name, "Hello");
    EXPECT_EQ(Buttons[3].Command, "say hello");
    EXPECT_TRUE(MenuChecked(MenuOption::GameInformation));
    EXPECT_TRUE(IsWindowVisible(frmGame().Handle()));
    EXPECT_TRUE(MenuChecked(MenuOption::LocationScanner));
    EXPECT_TRUE(frmMain().picSpace.Visible());
}

TEST_F(LayoutChild, DISABLED_ResizeKeepsWhatChangedSinceStartUp) {
    Game("Form", "Buttons", "5");
    Game("Options", "GameInfo", "True");
    Game("Form", "MapTop", "600");
    InitiateLayout();
    ASSERT_EQ(ButtonCount, 5);
    // The user changes the button count and hides the game information afterwards.
    ButtonCount = 9;
    SetMenuChecked(MenuOption::GameInformation, false);
    MapTop = 900;
    InitiateLayout();  // a resize
    EXPECT_EQ(ButtonCount, 9);
    EXPECT_FALSE(MenuChecked(MenuOption::GameInformation));
    EXPECT_EQ(frmMapDisp().Top(), 900);  // laid out again from the values held
}

TEST_F(LayoutChild, DISABLED_EmptyButtonsKeyGivesSeventeenAndMissingKeysLeaveWindowsAlone) {
    Game("Form", "Buttons", "   ");
    frmMapDisp().Move(1500, 1200, 3000, 2000);
    InitiateLayout();
    EXPECT_EQ(ButtonCount, 17);
    EXPECT_EQ(frmMapDisp().Left(), 1500);
    EXPECT_EQ(frmMapDisp().Top(), 1200);
    EXPECT_EQ(frmMapDisp().Width(), 3000);
}

TEST_F(LayoutChild, DISABLED_RendererStartsOnce) {
    InitiateLayout();
    EXPECT_TRUE(LayoutPreloaded());
    EXPECT_TRUE(DirectXReady);
    CleanUp();
    InitiateLayout();
    InitiateLayout();
    EXPECT_FALSE(DirectXReady);  // not started a second time
}

TEST_F(LayoutChild, DISABLED_AutoTileTilesTheChildWindows) {
    Game("Options", "AutoTile", "True");
    Game("Form", "MapTop", "3000");
    Game("Form", "MapLeft", "3000");
    frmMapDisp().Show();
    frmChatBar().Show();
    InitiateLayout();
    EXPECT_TRUE(MenuChecked(MenuOption::AutoTileWindows));
    // Tiled: the map window no longer stands where the settings put it, on either axis.
    EXPECT_NE(frmMapDisp().Top(), 3000);
    EXPECT_NE(frmMapDisp().Left(), 3000);
}

// The layout shows the main window, which lives until the program ends; so the layout's
// tests run in a program of their own.
TEST(Layout, PlacesWindowsReadsOnceAndStartsTheRendererOnce) {
    testsupport::ScratchDir dir("layoutrun");
    int code = -1;
    std::string out = selfrun::Run(selfrun::ThisProgram(),
                                   "--gtest_also_run_disabled_tests --gtest_filter=LayoutChild.*", dir.Path(), code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find("[  PASSED  ] 5 tests."), std::string::npos) << out;
}
