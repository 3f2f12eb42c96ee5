#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "frmWho.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {
std::vector<std::string> g_sent;  // "letter|data"
std::vector<int32_t> g_reported;
void Capture(const std::string&, const std::string&, int16_t, int32_t number, const std::string&) {
    g_reported.push_back(number);
}

class WhoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        g_sent.clear();
        g_reported.clear();
        SetReportErrorHook(&Capture);
        ClientLinks().Server = [](const std::string& c, const std::string& m) { g_sent.push_back(c + "|" + m); };
        ClientLinks().AccountLevel = [] { return int16_t{95}; };
        Buttons[23].Command = "tell %1 hi";
    }
    void TearDown() override {
        frmWho().Unload();
        ClientLinks() = {};
        SetReportErrorHook(nullptr);
    }
    static std::vector<std::string> Column(int column) {
        std::vector<std::string> texts;
        HWND list = frmWho().gridWhoWindow.hWnd();
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            char text[64] = {};
            ListView_GetItemText(list, row, column, text, sizeof text);
            texts.push_back(text);
        }
        return texts;
    }
};
}  // namespace

TEST_F(WhoWindow, RefillAndTheButtonCommandForTheSelectedRows) {
    frmWho().Update("bob:12:300:Idle:Red:3:0;ann:7:10:Playing::0:5;short:1:2;bob:1:1:1:1:1:1:8");
    EXPECT_EQ(g_sent, std::vector<std::string>{"w| "});  // the load asks for the list
    EXPECT_EQ(frmWho().Caption(), "Who's Online - 2 Players Online.");
    EXPECT_EQ(frmWho().StatusBar1.PanelText(1), "Updated");
    EXPECT_EQ(g_reported, std::vector<int32_t>{35602});  // the repeated bob, passed over
    EXPECT_EQ(Column(5), (std::vector<std::string>{"3", "0"}));  // "Games Left" shows sub-item "game"
    g_sent.clear();
    Button& tell = frmWho().cmdAlias.cmdAlias(23);
    tell.PerformClick();
    frmWho().gridWhoWindow.SetSelected(2, true);
    tell.PerformClick();
    frmWho().gridWhoWindow.SetSelected(1, true);
    tell.PerformClick();
    EXPECT_EQ(g_sent, (std::vector<std::string>{"C|", "C|tell ann hi", "C|tell bob hi & tell ann hi"}));
    SendMessageA(frmWho().chkAutoUpdate.hWnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(frmWho().tmrWho.Enabled());
}

TEST_F(WhoWindow, EveryHeaderClickFlipsTheTextOrder) {
    frmWho().Update("a:1:1:x:t:9:0;b:1:1:x:t:10:0;c:1:1:x:t:2:0");
    HWND header = ListView_GetHeader(frmWho().gridWhoWindow.hWnd());
    auto click = [&](int column) {
        RECT r{};
        Header_GetItemRect(header, column, &r);
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(header, WM_LBUTTONUP, 0, at);
    };
    click(5);
    EXPECT_EQ(Column(5), (std::vector<std::string>{"9", "2", "10"}));
    click(5);
    EXPECT_EQ(Column(5), (std::vector<std::string>{"10", "2", "9"}));
    click(0);  // another column flips on from ascending
    EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "b", "a"}));
}
