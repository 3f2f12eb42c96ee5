// The tournament console and the team console in the running client, logged in to the
// scripted server through the connect dialog and driven through the test hook.
#include "LoggedInClient.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "DemoSession.h"
#include "window_ids.h"

using namespace clienttest;
using testsupport::DumpLine;

namespace {

// The middle of a row (from 0) of a list view of another process, in the list's client area:
// the list writes the row's bounds into memory lent in that process.
POINT RowMiddle(HWND list, int row) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    const std::unique_ptr<void, decltype(&CloseHandle)> process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid), &CloseHandle);
    RECT r{LVIR_LABEL, 0, 0, 0};
    void* lent = process ? VirtualAllocEx(process.get(), nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    if (!lent) return POINT{-1, -1};
    if (WriteProcessMemory(process.get(), lent, &r, sizeof r, nullptr) &&
        SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(lent))) {
        ReadProcessMemory(process.get(), lent, &r, sizeof r, nullptr);
    }
    VirtualFreeEx(process.get(), lent, 0, MEM_RELEASE);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Consoles : public ClientTest {
protected:
    void LogInAt(const std::string& level) {
        ASSERT_TRUE(Start({.reply = LoginReply(level), .buttons = "[Button29]\r\nCommand=watch %1 %2\r\n"}));
    }
    void Ask(const std::string& request) { ASSERT_EQ(hook.Ask(request), "ok") << request; }
    // The open box that shows text: its input typed, then "Ok" pressed.
    bool AnswerWith(const std::string& text, const std::string& input) {
        if (!Dump("frmMsgBox", [&](const std::string& d) { return Has(d, text) && Has(d, " class=Edit"); })) return false;
        const size_t at = last.find(" class=Edit");
        const size_t id = last.rfind('#', at);
        return hook.Ask("frmMsgBox." + last.substr(id, at - id) + " set " + input) == "ok" && Answer(text, "Ok");
    }
};

}  // namespace

TEST_F(Consoles, TournamentConsoleShowsTeamsAndSendsEveryCommand) {
    LogInAt("95");
    Ask("menu mnuTournament");
    ASSERT_TRUE(WaitSent(R"(["t", ""])"));
    server.Send({{"T", "0", "Master", "today", "500", "8", "3", "No camping", "1500"}});
    ASSERT_TRUE(Dump("frmTournament", "txtPot class=Edit text=\"1500\"")) << last;
    EXPECT_TRUE(Has(last, "txtTM class=Edit text=\"Master\"") && Has(last, "txtRules class=Edit text=\"No camping\"")) << last;
    server.Send({{"T", "1", "Red Devils:3:1:bob~ann", "Alpha:0:0:carl~bob", ""}});
    ASSERT_TRUE(Dump("frmTournament", "node trvTeams(4) 6 ")) << last;
    for (int tree = 1; tree <= 4; ++tree) {
        const std::string node = "node trvTeams(" + std::to_string(tree) + ") ";
        EXPECT_TRUE(Has(last, node + "1 parent=0 key=\"Red Devils\" text=\"Red Devils (3W 1L)\"")) << last;
        EXPECT_TRUE(Has(DumpLine(last, node + "3 "), "parent=1 key=\"\" text=\"ann\"")) << last;
        EXPECT_TRUE(Has(last, node + "4 parent=0 key=\"Alpha\" text=\"Alpha (0W 0L)\"")) << last;
        EXPECT_TRUE(Has(DumpLine(last, node + "6 "), "parent=4 key=\"\" text=\"bob\"")) << last;
    }
    EXPECT_EQ(Reports(), 0);

    Ask("frmTournament.tabTournament click 2");
    Ask("frmTournament.txtTeam set Alpha");
    Ask("frmTournament.txtPassword set my pass");
    Ask("frmTournament.cmdCreateJoin click");
    EXPECT_TRUE(WaitSent(R"(["C", "tournament signup 'Alpha' 'mypass'"])"));
    Ask("frmTournament.txtDonate set -12.50");
    Ask("frmTournament.cmdDonate click");
    EXPECT_TRUE(WaitSent(R"(["C", "tournament donate 12.5"])"));

    Ask("frmTournament.tabTournament click 4");
    Ask("frmTournament.txtGameFee set  500 ");
    Ask("frmTournament.txtMinMembers set 3");
    Ask("frmTournament.txtMaxTeams set 8");
    Ask("frmTournament.txtGameRules set Don't camp");
    Ask("frmTournament.cmdStart click");
    ASSERT_TRUE(WaitSent(R"(["C", "tournament rules 'Dont camp'"])"));
    const std::string frames = server.Frames();
    const size_t start = frames.find(R"(["C", "tournament start 500"])"), min = frames.find(R"(["C", "tournament min 3"])"),
                 max = frames.find(R"(["C", "tournament max 8"])"), rules = frames.find("tournament rules");
    EXPECT_TRUE(start < min && min < max && max < rules) << frames;
    Ask("frmTournament.trvTeams(3) select 2");
    Ask("frmTournament.cmdKick click");
    EXPECT_TRUE(WaitSent(R"(["C", "tournament kick Red Devils"])"));

    Ask("frmTournament.tabTournament click 5");
    Ask("frmTournament.optTeamA click");
    Ask("frmTournament.trvTeams(4) click 4");
    ASSERT_TRUE(Dump("frmTournament", "txtTeamA class=Edit text=\"Alpha\"")) << last;
    Ask("frmTournament.optTeamB click");
    Ask("frmTournament.trvTeams(4) click 1");
    ASSERT_TRUE(Dump("frmTournament", "txtTeamB class=Edit text=\"'Red Devils'\"")) << last;
    Ask("frmTournament.cmdStartGame click");
    EXPECT_TRUE(WaitSent(R"(["C", "game start Alpha 'Red Devils'"])"));
    Ask("frmTournament.cmdAlias(29) click");
    EXPECT_TRUE(WaitSent(R"(["C", "watch Alpha 'Red Devils'"])"));

    server.Send({{"T", "1", "Alpha:1:1:x", "Alpha:2:2:y", ""}});
    ASSERT_TRUE(Dump("frmTournament", "node trvTeams(1) 2 parent=1 key=\"\" text=\"x\"")) << last;
    EXPECT_FALSE(Has(last, "node trvTeams(1) 3 ")) << last;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Reports() == 1; }, 5000));

    Ask("frmTournament.tabTournament click 3");
    EXPECT_TRUE(WaitSent(R"(["C", "tournament log"])"));
    server.Send({{"T", "2", "Round 1 begins"}, {"T", "2", "Round 1 begins"}, {"T", "0", "After", "", "", "", "", "", ""}});
    ASSERT_TRUE(Dump("frmTournament", "txtTM class=Edit text=\"After\"")) << last;
    EXPECT_EQ(Count(DumpLine(last, "control 19107 rtbTLog"), "Round 1 begins"), 1) << last;

    const int requests = Sent(R"(["t", ""])");
    Ask("frmTournament.cmdDone click");
    ASSERT_TRUE(Dump("frmTournament", "not loaded"));
    server.Send({{"T", "2", "Round 2"}});
    EXPECT_TRUE(Dump("frmChatBar", "Round 2")) << last;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Sent(R"(["t", ""])") == requests + 1; }, 10000));
    EXPECT_TRUE(Dump("frmTournament", "form frmTournament caption=\"<- Skirmora Tournament ->\" visible=0")) << last;
}

TEST_F(Consoles, TournamentConsoleBelowLevel90HasThreeTabs) {
    LogInAt("50");
    Ask("menu mnuTournament");
    ASSERT_TRUE(Dump("frmTournament", "tab tabTournament 3 caption=\"Log\"")) << last;
    EXPECT_FALSE(Has(last, "tab tabTournament 4 ")) << last;
    EXPECT_TRUE(Has(last, "lblTeamA class=Static text=\"%1 - Team A\" visible=0")) << last;
    EXPECT_TRUE(Has(last, "lblTeamB class=Static text=\"%2 - Team B\" visible=0")) << last;
}

TEST_F(Consoles, TeamConsoleLooksUpShowsMembersAndSendsMemberCommands) {
    LogInAt("95");
    const std::string team = "Red Devils\r1234\rrd.example\rWe win\rtester0001\bx\b3\tann0002\b8";
    server.Send({{"t", "1", team}});
    ASSERT_TRUE(Dump("frmTeams", "row ListTeam 2 ")) << last;
    EXPECT_TRUE(Has(DumpLine(last, "form frmTeams"), "visible=0")) << last;
    EXPECT_FALSE(Has(server.Frames(), R"(["p")"));

    Ask("menu mnuViewTeam");
    Ask("frmTeams.txtTeamName set Red Devils");
    Ask("frmTeams.cmdUpdate click");
    ASSERT_TRUE(WaitSent(R"(["p", "'Red Devils'", ""])"));
    ASSERT_TRUE(Dump("frmTeams", "txtTeamNews class=Edit text=\"We win\" visible=1 enabled=0")) << last;
    server.Send({{"t", "1", team}});
    ASSERT_TRUE(Dump("frmTeams", "txtTeamNews class=Edit text=\"We win\" visible=1 enabled=1")) << last;
    EXPECT_TRUE(Has(last, "row ListTeam 1 key=\"\" text=\"Major tester\" icon=1")) << last;
    EXPECT_TRUE(Has(last, "row ListTeam 2 key=\"\" text=\"Private ann\" icon=1")) << last;
    EXPECT_TRUE(Has(last, "txtPlayers class=Static text=\"2\"")) << last;
    EXPECT_TRUE(Has(last, "cmdChangeWebsite class=Button text=\"&Change\" visible=1 enabled=1")) << last;
    // The list's pop-up, with the mouse and the keys: the row right-clicked is the one kicked.
    Ask("frmTeams.ListTeam select 1");
    HWND list = ClientControl(run.process.Pid(), IDC_TEAMS_LISTTEAM);
    ASSERT_TRUE(list && SetForegroundWindow(GetParent(list)));
    // Keys reach the pop-up once its thread is in menu mode and holds the foreground; pressed
    // before that (a loaded machine shows the window first) they go to whichever window had it.
    const auto popup = [&] {
        HWND menu = FindProcessWindow(run.process.Pid(), "#32768", nullptr);
        return menu && IsWindowVisible(menu) ? menu : nullptr;
    };
    const auto popupTakesKeys = [&] {
        HWND menu = popup();
        const DWORD thread = menu ? GetWindowThreadProcessId(menu, nullptr) : 0;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return thread && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE) &&
               GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == thread;
    };
    // A pointer motion the display reports late (the right-click's own) takes the highlight off the
    // item the keys chose, and Enter then closes the pop-up with nothing chosen: the row is
    // right-clicked again then. Promote, sent after each pop-up closes, comes behind its command.
    const std::string kick = R"(["C", "team kick 'Private ann'"])", promote = R"(["C", "team promote Private ann"])";
    for (int popups = 1; popups <= 3 && !Sent(kick); ++popups) {
        POINT at = RowMiddle(list, 1);
        at.x += 12 * (popups - 1);  // apart enough that two presses are not taken as a double click
        ClickAt(list, true, at);
        ASSERT_TRUE(testsupport::PumpUntil(popupTakesKeys, 10000)) << "pop-up " << popups;
        PressKey(VK_UP);
        PressKey(VK_RETURN);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !popup(); }, kComes)) << "pop-up " << popups;
        Ask("menu mnuTeamPromote");
        ASSERT_TRUE(SentTimes(promote, popups)) << "pop-up " << popups << ": " << server.Frames();
    }
    EXPECT_EQ(Sent(kick), 1) << server.Frames();
    EXPECT_FALSE(Has(server.Frames(), "Major tester")) << server.Frames();

    server.Send({{"t", "1", "X"}});
    ASSERT_TRUE(Answer("Team you are trying to stat does not exist!", "Ok")) << last;
    ASSERT_TRUE(Dump("frmTeams", "txtTeamNews class=Edit text=\"We win\" visible=1 enabled=0")) << last;
    EXPECT_TRUE(Has(last, "row ListTeam 2 key=\"\" text=\"Private ann\"")) << last;

    Ask("frmTeams.cmdCreate click");
    ASSERT_TRUE(AnswerWith("Please enter a team name.", "The Reds")) << last;
    EXPECT_TRUE(WaitSent(R"(["C", "team create 'The Reds'"])"));
    server.Send({{"t", "2", "0"}});
    EXPECT_TRUE(Answer("Your Team was created sucessfully!", "Ok")) << last;
    server.Send({{"t", "2", ""}});
    EXPECT_TRUE(Answer("Your Team was created sucessfully!", "Ok")) << last;
    server.Send({{"t", "2", "1"}});
    EXPECT_TRUE(Answer("Creation of your team has failed!", "Ok")) << last;
}
