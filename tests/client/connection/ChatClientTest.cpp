// Chat, account and notice frames over the wire: the main window with the real socket control
// and frame timer, the scripted game server, recording view services, time stamps off.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "../foundation/BoxDriver.h"
#include "../view/ArenaTestSupport.h"
#include "../view/RecordingSound.h"
#include "LoginTestSupport.h"
#include "ProgramSettings.h"
#include "frmChatBar.h"
#include "frmGame.h"
#include "frmIgnore.h"
#include "frmMain.h"
#include "frmNews.h"
#include "frmRegistration.h"
#include "frmShop.h"
#include "runtime/RichTextEditing.h"

using namespace skx;
using namespace logintest;

namespace {

class ChatClient : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        frmMain().mnuDisplayTimeStamp.SetChecked(false);
        frmMain().mnuOptionsShowErrors.SetChecked(false);
        Username = "bob";
        frmMain().DXTimer.SetEnabled(true);
        server.Command("{\"cmd\": \"script\", \"script\": {}}");
        ASSERT_TRUE(ConnectDirectly());
        for (RichTextBox& pane : frmChatBar().txtStatus) pane.SetText("");
    }
    void TearDown() override {
        frmMain().DXTimer.SetEnabled(false);
        MainWindowTest::TearDown();
    }
    // Sends frames from the server and waits until the client has handled them.
    void Send(std::vector<Frame> frames) {
        frames.push_back({"B", std::to_string(++marker)});
        server.Send(frames);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return BotSplats == marker; }, 30000));
    }
    static int Reported(const char* procedure, int32_t number = 0) {
        return static_cast<int>(std::count_if(Reports().begin(), Reports().end(), [&](const Report& r) {
            return r.procedure == procedure && (!number || r.number == number);
        }));
    }
    // A pane's text with its line breaks as CR.
    static std::string Pane(int pane) {
        std::string text = PaneText(pane);
        std::erase(text, '\n');
        return text;
    }
    static inline int marker = 0;
    viewtest::RecordingView view;
};

}  // namespace

TEST_F(ChatClient, NoticesWriteQuitAndSetTheReadyStateWithoutAnswering) {
    Send({{"M", "3"}, {"M", "1"}, {"M", "29"}, {"M", "49", "bye"}, {"M", "18", "yes"}, {"M", "5", "a", "b", "c", "d"},
          {"M", "1e9"}});
    EXPECT_EQ(Pane(1).rfind("Can't buy anything here!\r", 0), 0u);
    EXPECT_NE(Pane(0).find("bye\rYou are READY for the next game"), std::string::npos);
    EXPECT_EQ(Pane(1).find("You fired"), std::string::npos);  // five fields
    EXPECT_EQ(view.calls, std::vector<std::string>{"PlaySound 0"});
    EXPECT_TRUE(Reported("EventUM", 6));
    EXPECT_TRUE(frmMain().mnuOptionsReadyYes.Checked() && !frmMain().mnuOptionsReadyNot.Checked() &&
                !frmMain().mnuOptionsReadyAuto.Checked());
    EXPECT_EQ(frmGame().cmbStatus.Text(), "Ready");
    ASSERT_TRUE(SentSoFar());  // what the notices made the client send is at the server
    EXPECT_EQ(FramesOf("C"), (std::vector<Frame>{{"C", "quit"}, {"C", "quit"}}));
    EXPECT_TRUE(FramesOf("R").empty());
}

TEST_F(ChatClient, NoticesPlayTheirEffectsThroughTheSoundBuffers) {
    SetViewServices(nullptr);  // the program's own: the sounds go to the recording outputs
    viewtest::RecordedSounds sounds;
    ASSERT_TRUE(LoadSounds());
    SoundOn = true;
    Send({{"M", "1"}, {"M", "7"}, {"M", "11"}, {"M", "23"}, {"M", "33"}, {"M", "30", "BOB", "ann", "head"},
          {"M", "30", "ann", "Bob", "leg"}});
    std::vector<std::string> played;
    for (const auto& [sound, action] : sounds.effects.log)
        if (action == "play") played.push_back(sound);
    EXPECT_EQ(played, (std::vector<std::string>{"FIRE", "SIREN", "UNSIREN", "RELEASE", "BOUNCE", "SPLAT", "HITYOU"}));
}

TEST_F(ChatClient, NewsCheckComparesNumbersAndStoresTheNumberClean) {
    WriteGameDat("[Options]\r\nNews=5\r\n");
    Send({{"D", "1", "7"}, {"D", "1", "5"}, {"D", ""}});
    ASSERT_TRUE(SentSoFar());  // the news request is at the server
    EXPECT_EQ(std::ranges::count(Frames(), Frame{"n", "2"}), 1);
    EXPECT_EQ(Ini("Options", "News"), "5");
    EXPECT_TRUE(Reported("EventUD", 13));
}

TEST_F(ChatClient, AccountInformationSetsTheLabelButtonsMenusAndRegistration) {
    ButtonCount = 20;
    Send({{"v", "50", "1234", "False", "False"}});
    frmMainForm& m = frmMain();
    EXPECT_EQ(m.lblInformation.Caption(), "  bob / 50 - $1234");
    EXPECT_TRUE(IsWindowVisible(m.cmdAlias(16).hWnd()) && IsWindowVisible(m.cmdAlias(37).hWnd()) &&
                !IsWindowVisible(m.cmdAlias(38).hWnd()));
    EXPECT_GT(m.cmdAlias(37).Bounds().top, m.cmdAlias(16).Bounds().top);  // the second row
    auto helpItems = [&] { return GetMenuItemCount(m.mnuHelp.SubMenu()); };
    const int withoutStaff = helpItems();
    Send({{"v", "100", "1", "1", "0"}, {"v", "91", "2", "True", "False"}, {"v", "96", "3"}});
    EXPECT_EQ(helpItems(), withoutStaff + 2);  // Debug and its bar
    EXPECT_TRUE(m.mnuMiscBan.Visible() && m.mnuMiscKick.Visible() && m.mnuAdminBar.Visible());
    EXPECT_EQ(m.lblInformation.Caption(), "  bob / 91 - $2");  // the short frame failed after the level
    EXPECT_TRUE(Reported("EventLV", 9));
    EXPECT_EQ(frmChatBar().tabChat.TabCount(), 6);
    for (int i = 0; i < 2; ++i) {
        frmRegistration().Hide();
        Send({{"v", "1", "0", "0", "0"}});
        EXPECT_TRUE(IsWindowVisible(frmRegistration().Handle()));
        EXPECT_EQ(GetWindow(frmRegistration().Handle(), GW_OWNER), m.Handle());
    }
    EXPECT_TRUE(m.mnuHelpRegistration.Visible());
    frmRegistration().Unload();
}

TEST_F(ChatClient, ChatLinesGoToTheirPanesAndTheirWindows) {
    frmIgnore().IgnoreAdd("pest");
    frmMain().mnuTargetSub[0].SetChecked(false);
    std::vector<Frame> frames{{"c", "pest", "ignored", "0"},
                              {"c", "pest", "k6", "6"},
                              {"c", "x", "contents of your locker:", "4"},
                              {"c", "x", "contents of your locker:y", "5"}};
    const std::map<int, int> paneOf{{0, 2}, {1, 2}, {2, 3}, {3, 3}, {7, 4}, {8, 4}, {9, 5}, {10, 2}, {11, 1}};
    for (auto [kind, pane] : paneOf) frames.push_back({"c", "amy", "k" + std::to_string(kind), std::to_string(kind)});
    Send(frames);
    for (auto [kind, pane] : paneOf) {
        const std::string k = "k" + std::to_string(kind) + "\r";
        EXPECT_TRUE(Pane(pane).find(k) != std::string::npos && Pane(0).find(k) != std::string::npos) << k;
    }
    EXPECT_EQ(Pane(0).find("ignored"), std::string::npos);
    EXPECT_NE(Pane(2).find("pest announces: k6"), std::string::npos);
    EXPECT_EQ(frmMain().StatBar.PanelText(3), "pest: k6");
    EXPECT_NE(Pane(1).find("Contents of your locker:\rContents of your locker:y\r"), std::string::npos);
    EXPECT_TRUE(frmMain().mnuTargetSub[0].Checked());
    frmShop().Show();
    frmMain().mnuOptionLangFilter.SetChecked(true);
    Send({{"c", "x", "Contents of your locker:z", "4"}, {"c", "amy", "damn it", "10"}});
    frmMain().mnuOptionLangFilter.SetChecked(false);
    frmShop().Unload();
    EXPECT_EQ(frmShop().ListLocker.Count(), 1);  // the store's locker list: "None" and no item
    EXPECT_EQ(Pane(1).find("locker:z"), std::string::npos);
    EXPECT_TRUE(Pane(2).find(" it\r") != std::string::npos && Pane(2).find("damn") == std::string::npos);
}

TEST_F(ChatClient, ServerBoxesStayWhileLaterFramesWait) {
    std::vector<std::string> texts;
    int waited = 0;
    DWORD openedAt = 0;
    boxtest::Driver driver({[&] {  // each box open for 400 ms, then answered
        frmMsgBox* box = frmMsgBox::FromWindow(FindWindowA(frmMsgBox::BoxClassName(), nullptr));
        if (!box || !IsWindowVisible(box->Handle())) return openedAt = 0, BotSplats == marker;
        if (!openedAt) openedAt = GetTickCount();
        if (GetTickCount() - openedAt < 400) return false;
        waited += BotSplats != marker && Pane(2).empty();
        texts.push_back(boxtest::TextOf(box->MessageLabel()));
        SendMessageA(box->Button(0), BM_CLICK, 0, 0);
        return false;
    }});
    Send({{"#", "e1", "more"}, {"#", "e2"}, {"c", "bob", "x"}, {"c", "amy", "after", "0"}});
    EXPECT_EQ(waited, 3);
    EXPECT_EQ(texts, (std::vector<std::string>{"Error notification from server! e1",
                                               "Error notification from server! e2",
                                               "Communication data incorrect: bob,,12"}));
    EXPECT_NE(Pane(2).find("after"), std::string::npos);
}

TEST_F(ChatClient, WhoListWithARepeatedNameFillsTheChatListOnce) {
    frmChatBar().Update("amy:5:0:0:t:1:0");
    frmChatBar().WhoList.Select(1);
    Send({{"w", "zed:1:0:0:t:1:0;amy:5:0:0:t:1:0;AMY:9:0:0:t:1:0;x:1;:3:0:0:t:1:0;cat:2:0:0:t:1:0;zed:1:0:0:t:1:0"}});
    KeyedListView& list = frmChatBar().WhoList;
    EXPECT_EQ(list.ItemAt(1).Text + list.ItemAt(2).Text + list.ItemAt(3).Text, "zedamycat");
    EXPECT_EQ(list.ItemAt(2).SubItem("level"), "5");
    EXPECT_EQ(list.SelectedIndex(), 2);
    EXPECT_EQ(Reported("WhoList_Add"), 1);
}

TEST_F(ChatClient, NewsOpensOwnedByTheMainWindowInBoldFromTheThirdCharacter) {
    Send({{"D", "2", "##Welcome back"}, {"D", "2", "x"}});
    frmNewsForm& news = frmNews();
    EXPECT_TRUE(IsWindowVisible(news.Handle()));
    EXPECT_EQ(GetWindow(news.Handle(), GW_OWNER), frmMain().Handle());
    EXPECT_EQ(RtbTextCrLf(news.rtbNews), "Welcome back\r\n\r\n");
    EXPECT_TRUE(RtbFormatAt(news.rtbNews, 0).bold.value_or(false));
    EXPECT_FALSE(news.Unload(UnloadMode::FormControlMenu));  // the count-down runs
    EXPECT_TRUE(news.Unload(UnloadMode::AppWindows));
}
