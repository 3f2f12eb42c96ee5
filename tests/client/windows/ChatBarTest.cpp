#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "ClientLinks.h"
#include "CommandButtonBar.h"
#include "ProgramSettings.h"
#include "WhoListModel.h"
#include "WhoRefreshInterval.h"
#include "ScreenPicture.h"
#include "WinTestSupport.h"
#include "frmBtnEdit.h"
#include "frmChatBar.h"
#include "modRTFLinks.h"
#include "runtime/DialogForm.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"
#include "runtime/RichTextEditing.h"

using namespace skx;

namespace {

std::vector<int32_t> g_reported;
void Capture(const std::string&, const std::string&, int16_t, int32_t number, const std::string&) {
    g_reported.push_back(number);
}

struct TestFrame : Form {
    TestFrame() : Form("frmTestFrame", FormKind::MdiFrame) {}
};

std::string Ini(const testsupport::ScratchDir& dir, const char* key) {
    char buf[64] = {};
    GetPrivateProfileStringA("Options", key, "<absent>", buf, sizeof buf, dir.File("Game.DAT").c_str());
    return buf;
}

class ChatBar : public ::testing::Test {
protected:
    void SetUp() override {
        g_reported.clear();
        SetReportErrorHook(&Capture);
        DatPath = dir_.Path() + "\\";
        TheForm<TestFrame>().Load();
        frmChatBar().Load();  // hidden: never activated, so it asks nothing of the main window
    }
    void TearDown() override { SetReportErrorHook(nullptr); }
    // Unloads the chat, stores the auto-refresh setting (when given) and loads it again.
    void Reload(const char* stored = nullptr) {
        ASSERT_TRUE(frmChatBar().Unload());
        if (stored) WritePrivateProfileStringA("Options", "AutoChatUpdate", stored, dir_.File("Game.DAT").c_str());
        frmChatBar().Load();
    }
    testsupport::ScratchDir dir_{"chatbar"};
};

}  // namespace

TEST(WhoList, RecordsOfSevenFieldsOrMore) {
    WhoListModel model("bob:12:3:Idle:Reds:2:0;al:1;;cy:5:0:Play:-:0:9:extra;bob:1:1:1:1:1:1");
    const auto& r = model.Records();
    ASSERT_EQ(r.size(), 3u);  // the short and the empty record are left out; repeats are the list's affair
    EXPECT_EQ(r[0].Name, "bob");
    EXPECT_EQ(r[0].Level, "12");
    EXPECT_EQ(r[1].Idle, "9");
    EXPECT_TRUE(WhoListModel("").Records().empty());
}

TEST(WhoList, RefreshIntervalFollowsTheNumberOfPlayers) {
    EXPECT_EQ(WhoRefreshInterval(0), 4000u);
    EXPECT_EQ(WhoRefreshInterval(10), 4000u);
    for (auto [players, low, high] : {std::tuple{11, 8000u, 10000u}, {19, 8000u, 10000u}, {20, 15000u, 20000u}}) {
        uint32_t least = UINT32_MAX, most = 0;
        for (int i = 0; i < 60000; ++i) {
            uint32_t ms = WhoRefreshInterval(players);
            least = std::min(least, ms);
            most = std::max(most, ms);
        }
        EXPECT_EQ(least, low) << players;  // both ends are reached
        EXPECT_EQ(most, high) << players;
    }
}

TEST_F(ChatBar, RefillSkipsARepeatedNameOnceAndKeepsTheSelection) {
    frmChatBarForm& chat = frmChatBar();
    chat.Update("ann:3:0:a:b:c:d;bob:7:0:a:b:c:d");
    chat.WhoList.Select(2);
    chat.Update("cy:1:0:a:b:c:d;BOB:8:0:a:b:c:d;cy:2:0:a:b:c:d;dee:4:0:a:b:c:d");
    ASSERT_EQ(chat.WhoList.Count(), 3);
    EXPECT_EQ(chat.WhoList.ItemAt(3).Text, "dee");  // the refill went on past the repeat
    EXPECT_EQ(chat.WhoList.ItemAt(2).SubItem("level"), "8");
    EXPECT_EQ(chat.WhoList.SelectedIndex(), 2);
    EXPECT_EQ(g_reported, std::vector<int32_t>{35602});
    chat.Update("ann:3:0:a:b:c:d");
    EXPECT_EQ(chat.WhoList.SelectedIndex(), 0);  // gone: nobody selected
}

TEST_F(ChatBar, TextInAnotherPaneHighlightsItsTabUntilTheTabIsClicked) {
    frmChatBarForm& chat = frmChatBar();
    EXPECT_EQ(chat.tabChat.TabCount(), 5);  // no Wizard Chat below level 89
    chat.tabChat.Select(1);
    AddToRTB("ann tells you: psst", chat.txtStatus[3], 0, true, false, false, false);
    AddToRTB("wizard line", chat.txtStatus[5], 0, true, false, false, false);  // its tab is gone
    EXPECT_TRUE(chat.tabChat.Highlighted(4));
    EXPECT_FALSE(chat.tabChat.Highlighted(1));
    RECT tab{};
    SendMessageA(chat.tabChat.hWnd(), TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    PostMessageA(chat.tabChat.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(chat.tabChat.hWnd(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil([&] { return chat.tabChat.SelectedIndex() == 4; }, 2000));
    EXPECT_FALSE(chat.tabChat.Highlighted(4));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(chat.txtStatus[i].Visible(), i == 3) << i;
    EXPECT_TRUE(g_reported.empty());
}

TEST_F(ChatBar, ShiftDeleteEmptiesOnlyThatPane) {
    frmChatBarForm& chat = frmChatBar();
    for (int i = 0; i < 6; ++i) RtbSetPlainText(chat.txtStatus[i], "line");
    BYTE keys[256] = {};
    auto press = [&](bool ctrl) {
        keys[VK_SHIFT] = 0x80;
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(chat.txtStatus[3].hWnd(), WM_KEYDOWN, VK_DELETE, 1);
        DoEvents();
        keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    press(true);  // Ctrl+Shift+Delete does nothing
    EXPECT_EQ(chat.txtStatus[3].Text(), "line");
    press(false);
    EXPECT_EQ(chat.txtStatus[3].Text(), "");
    EXPECT_EQ(chat.txtStatus[2].Text(), "line");
}

TEST_F(ChatBar, RestoredDividerOutsideTheWindowComesBackInside) {
    frmChatBarForm& chat = frmChatBar();
    RECT inner{};
    GetClientRect(chat.Handle(), &inner);
    chat.SetSplitter(1000000);
    EXPECT_EQ(chat.Splitter() / 15, inner.right - 60 - 4);
    chat.SetSplitter(-300);
    EXPECT_EQ(chat.Splitter() / 15, 60);
}

TEST_F(ChatBar, AutoRefreshSettingIsReadAtLoadAndWrittenAtUnload) {
    frmChatBarForm& chat = frmChatBar();
    Reload("True");
    EXPECT_TRUE(chat.tmrUpdate.Enabled());
    EXPECT_EQ(chat.tmrUpdate.Interval(), 4000u);
    EXPECT_EQ(chat.chkAutoUpdate.Value(), 1);
    Reload("yes");
    EXPECT_FALSE(chat.tmrUpdate.Enabled());
    EXPECT_EQ(chat.chkAutoUpdate.Value(), 0);
    chat.chkAutoUpdate.SetValue(1);
    Reload();
    EXPECT_EQ(Ini(dir_, "AutoChatUpdate"), "1");
}

TEST_F(ChatBar, AsksForThePlayersFourSecondsAfterLoadThenAtTheRateOfTheList) {
    std::vector<DWORD> asked;
    ClientLinks().Server = [&](const std::string& command, const std::string& data) {
        if (command == "w" && data == " ") asked.push_back(GetTickCount());
    };
    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += "p" + std::to_string(i) + ":1:0:a:b:c:d;";
    Reload("1");
    const DWORD loaded = GetTickCount();
    asked.clear();  // what the load's activation asked
    frmChatBar().Update(twelve);
    EXPECT_TRUE(PumpUntil([&] { return !asked.empty(); }, 6000));
    ClientLinks().Server = nullptr;
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NEAR(static_cast<double>(asked[0] - loaded), 4000.0, 500.0);
    EXPECT_GE(frmChatBar().tmrUpdate.Interval(), 8000u);
    EXPECT_LE(frmChatBar().tmrUpdate.Interval(), 10000u);
}

TEST(CommandButtons, CaptionsFromButtonsRightPressEditsLeftClickGoesToTheWindow) {
    struct BarForm : DialogForm {
        BarForm() : DialogForm("frmBar", 600) { bar.Click = [this](int i) { clicked = i; }; }
        void OnLoad() override { bar.Refresh(); }
        CommandButtonBar bar{*this, 600, 17, 2};
        int clicked = -1;
    };
    Buttons[17] = ButtonRecord{"Buy", "Buys one", "buy 1"};
    BarForm& form = TheForm<BarForm>();
    form.Show();
    EXPECT_EQ(form.bar.cmdAlias(17).Caption(), "Buy");
    EXPECT_EQ(form.bar.cmdAlias(17).ToolTipText(), "Buys one");
    SendMessageA(form.bar.cmdAlias(18).hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicked, 18);
    PostMessageA(form.bar.cmdAlias(17).hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(PumpUntil([] { return frmBtnEdit().IsLoaded() && IsWindowVisible(frmBtnEdit().Handle()); }, 2000));
    EXPECT_EQ(frmBtnEdit().EditedIndex(), 17);
    EXPECT_EQ(form.clicked, 18);
    EXPECT_THROW(form.bar.cmdAlias(19), RunTimeError);
    frmBtnEdit().Unload();
    form.Unload();
}

TEST_F(ChatBar, TheScreenShowsAHighlightedTab) {
    frmChatBarForm& chat = frmChatBar();
    TheForm<TestFrame>().Show();
    MoveWindow(TheForm<TestFrame>().Handle(), 0, 0, 800, 500, TRUE);
    chat.Show();
    chat.Move(0, 0, 9000, 4000);
    chat.SetSplitter(6000);
    chat.tabChat.Select(1);
    chat.tabChat.SetHighlighted(4, true);
    testsupport::ScreenPicture shot;
    // The share of a tab's pixels that stand out from the button face.
    auto marked = [&](int tab) {
        RECT r{};
        SendMessageA(chat.tabChat.hWnd(), TCM_GETITEMRECT, static_cast<WPARAM>(tab - 1), reinterpret_cast<LPARAM>(&r));
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        int apart = 0, all = 0;
        for (int y = r.top + 3; y < r.bottom - 3; ++y) {
            for (int x = r.left + 3; x < r.right - 3; ++x, ++all) {
                COLORREF c = shot.At(x, y);
                int d = abs(GetRValue(c) - GetRValue(face)) + abs(GetGValue(c) - GetGValue(face)) + abs(GetBValue(c) - GetBValue(face));
                apart += d > 96 ? 1 : 0;
            }
        }
        return all ? apart * 100 / all : 0;
    };
    // Captured again until the strip has been painted so.
    PumpUntil([&] {
        shot = testsupport::CaptureWindow(chat.tabChat.hWnd());
        return marked(4) > 50 && marked(3) < 30;
    }, 5000);
    EXPECT_GT(marked(4), 50);
    EXPECT_LT(marked(3), 30);
    chat.Hide();
}
