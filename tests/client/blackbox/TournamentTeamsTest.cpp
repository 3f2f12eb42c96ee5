// The tournament console and the team console in the running client, logged in to the
// scripted server through the connect dialog and driven through the test hook.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "ClientProcess.h"
#include "DemoSession.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"
#include "window_ids.h"

using namespace clienttest;
using testsupport::DumpLine;

namespace {

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

int Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

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

class Consoles : public ::testing::Test {
protected:
    void TearDown() override { run_.process.Kill(); }
    void LogIn(const char* level) {
        ASSERT_TRUE(testsupport::RegisterSocketControl());
        ASSERT_TRUE(server_.Start());
        server_.Command(std::string(R"({"cmd": "script", "script": {"on": {"!": [["v", ")") + level +
                        R"(", "100", "False", "False"]]}}})");
        const std::string game = run_.DatFile("Game.DAT");
        WritePrivateProfileStringA("LASTSERVER", "Host", "127.0.0.1", game.c_str());
        WritePrivateProfileStringA("LASTSERVER", "Port", std::to_string(server_.GamePort()).c_str(), game.c_str());
        WritePrivateProfileStringA("Button29", "Command", "watch %1 %2", run_.DatFile("Buttons.DAT").c_str());
        ASSERT_TRUE(run_.Start(hook_) && LogInThroughTheDialog(hook_));
        ASSERT_TRUE(Sent(R"(["!", "tester", "secret1")"));
    }
    bool Sent(const std::string& frame) {
        return testsupport::PumpUntil([&] { return Has(server_.Frames(), frame); }, 10000);
    }
    bool Dump(const std::string& form, const std::string& piece) {
        return hook_.WaitForDump(form, [&](const std::string& d) { return Has(d, piece); }, 10000, &dump_);
    }
    void Ask(const std::string& request) { ASSERT_EQ(hook_.Ask(request), "ok") << request; }
    // The open box that shows text: its button pressed, or its input typed and "Ok" pressed.
    bool Answer(const std::string& text, const std::string& button, const std::string& input = {}) {
        const std::string marker = " class=Button text=\"" + button + "\" visible=1";
        if (!Dump("frmMsgBox", text) || !Dump("frmMsgBox", marker)) return false;
        auto idBefore = [&](const std::string& piece) {
            const size_t at = dump_.find(piece);
            const size_t id = dump_.rfind('#', at);
            return dump_.substr(id, at - id);
        };
        if (!input.empty() && hook_.Ask("frmMsgBox." + idBefore(" class=Edit") + " set " + input) != "ok") return false;
        // The box has gone once its wait has ended (a box opened before that would be another).
        return hook_.Ask("frmMsgBox." + idBefore(marker) + " click") == "ok" && Dump("frmMsgBox", "not loaded");
    }
    int ReportFiles() const {
        int n = 0;
        WIN32_FIND_DATAA found{};
        HANDLE h = FindFirstFileA((dir_.Path() + "\\*.log").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return 0;
        do ++n; while (FindNextFileA(h, &found));
        FindClose(h);
        return n;
    }

    testsupport::ScratchDir dir_{"tournamentteams"};
    ClientRun run_{dir_.Path()};
    std::string dump_;
    testsupport::ScriptedServer server_;
    testsupport::HookClient hook_;
};

}  // namespace

TEST_F(Consoles, TournamentConsoleShowsTeamsAndSendsEveryCommand) {
    LogIn("95");
    Ask("menu mnuTournament");
    ASSERT_TRUE(Sent(R"(["t", ""])"));
    server_.Send({{"T", "0", "Master", "today", "500", "8", "3", "No camping", "1500"}});
    ASSERT_TRUE(Dump("frmTournament", "txtPot class=Edit text=\"1500\"")) << dump_;
    EXPECT_TRUE(Has(dump_, "txtTM class=Edit text=\"Master\"") && Has(dump_, "txtRules class=Edit text=\"No camping\"")) << dump_;
    server_.Send({{"T", "1", "Red Devils:3:1:bob~ann", "Alpha:0:0:carl~bob", ""}});
    ASSERT_TRUE(Dump("frmTournament", "node trvTeams(4) 6 ")) << dump_;
    for (int tree = 1; tree <= 4; ++tree) {
        const std::string node = "node trvTeams(" + std::to_string(tree) + ") ";
        EXPECT_TRUE(Has(dump_, node + "1 parent=0 key=\"Red Devils\" text=\"Red Devils (3W 1L)\"")) << dump_;
        EXPECT_TRUE(Has(DumpLine(dump_, node + "3 "), "parent=1 key=\"\" text=\"ann\"")) << dump_;
        EXPECT_TRUE(Has(dump_, node + "4 parent=0 key=\"Alpha\" text=\"Alpha (0W 0L)\"")) << dump_;
        EXPECT_TRUE(Has(DumpLine(dump_, node + "6 "), "parent=4 key=\"\" text=\"bob\"")) << dump_;
    }
    EXPECT_EQ(ReportFiles(), 0);

    Ask("frmTournament.tabTournament click 2");
    Ask("frmTournament.txtTeam set Alpha");
    Ask("frmTournament.txtPassword set my pass");
    Ask("frmTournament.cmdCreateJoin click");
    EXPECT_TRUE(Sent(R"(["C", "tournament signup 'Alpha' 'mypass'"])"));
    Ask("frmTournament.txtDonate set -12.50");
    Ask("frmTournament.cmdDonate click");
    EXPECT_TRUE(Sent(R"(["C", "tournament donate 12.5"])"));

    Ask("frmTournament.tabTournament click 4");
    Ask("frmTournament.txtGameFee set  500 ");
    Ask("frmTournament.txtMinMembers set 3");
    Ask("frmTournament.txtMaxTeams set 8");
    Ask("frmTournament.txtGameRules set Don't camp");
    Ask("frmTournament.cmdStart click");
    ASSERT_TRUE(Sent(R"(["C", "tournament rules 'Dont camp'"])"));
    const std::string frames = server_.Frames();
    const size_t start = frames.find(R"(["C", "tournament start 500"])"), min = frames.find(R"(["C", "tournament min 3"])"),
                 max = frames.find(R"(["C", "tournament max 8"])"), rules = frames.find("tournament rules");
    EXPECT_TRUE(start < min && min < max && max < rules) << frames;
    Ask("frmTournament.trvTeams(3) select 2");
    Ask("frmTournament.cmdKick click");
    EXPECT_TRUE(Sent(R"(["C", "tournament kick Red Devils"])"));

    Ask("frmTournament.tabTournament click 5");
    Ask("frmTournament.optTeamA click");
    Ask("frmTournament.trvTeams(4) click 4");
    ASSERT_TRUE(Dump("frmTournament", "txtTeamA class=Edit text=\"Alpha\"")) << dump_;
    Ask("frmTournament.optTeamB click");
    Ask("frmTournament.trvTeams(4) click 1");
    ASSERT_TRUE(Dump("frmTournament", "txtTeamB class=Edit text=\"'Red Devils'\"")) << dump_;
    Ask("frmTournament.cmdStartGame click");
    EXPECT_TRUE(Sent(R"(["C", "game start Alpha 'Red Devils'"])"));
    Ask("frmTournament.cmdAlias(29) click");
    EXPECT_TRUE(Sent(R"(["C", "watch Alpha 'Red Devils'"])"));

    server_.Send({{"T", "1", "Alpha:1:1:x", "Alpha:2:2:y", ""}});
    ASSERT_TRUE(Dump("frmTournament", "node trvTeams(1) 2 parent=1 key=\"\" text=\"x\"")) << dump_;
    EXPECT_FALSE(Has(dump_, "node trvTeams(1) 3 ")) << dump_;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ReportFiles() == 1; }, 5000));

    Ask("frmTournament.tabTournament click 3");
    EXPECT_TRUE(Sent(R"(["C", "tournament log"])"));
    server_.Send({{"T", "2", "Round 1 begins"}, {"T", "2", "Round 1 begins"}, {"T", "0", "After", "", "", "", "", "", ""}});
    ASSERT_TRUE(Dump("frmTournament", "txtTM class=Edit text=\"After\"")) << dump_;
    EXPECT_EQ(Count(DumpLine(dump_, "control 19107 rtbTLog"), "Round 1 begins"), 1) << dump_;

    const int requests = Count(server_.Frames(), R"(["t", ""])");
    Ask("frmTournament.cmdDone click");
    ASSERT_TRUE(Dump("frmTournament", "not loaded"));
    server_.Send({{"T", "2", "Round 2"}});
    EXPECT_TRUE(Dump("frmChatBar", "Round 2")) << dump_;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Count(server_.Frames(), R"(["t", ""])") == requests + 1; }, 10000));
    EXPECT_TRUE(Dump("frmTournament", "form frmTournament caption=\"<- Skirmora Tournament ->\" visible=0")) << dump_;
}

TEST_F(Consoles, TournamentConsoleBelowLevel90HasThreeTabs) {
    LogIn("50");
    Ask("menu mnuTournament");
    ASSERT_TRUE(Dump("frmTournament", "tab tabTournament 3 caption=\"Log\"")) << dump_;
    EXPECT_FALSE(Has(dump_, "tab tabTournament 4 ")) << dump_;
    EXPECT_TRUE(Has(dump_, "lblTeamA class=Static text=\"%1 - Team A\" visible=0")) << dump_;
    EXPECT_TRUE(Has(dump_, "lblTeamB class=Static text=\"%2 - Team B\" visible=0")) << dump_;
}

TEST_F(Consoles, TeamConsoleLooksUpShowsMembersAndSendsMemberCommands) {
    LogIn("95");
    const std::string team = "Red Devils\r1234\rrd.example\rWe win\rtester0001\bx\b3\tann0002\b8";
    server_.Send({{"t", "1", team}});
    ASSERT_TRUE(Dump("frmTeams", "row ListTeam 2 ")) << dump_;
    EXPECT_TRUE(Has(DumpLine(dump_, "form frmTeams"), "visible=0")) << dump_;
    EXPECT_FALSE(Has(server_.Frames(), R"(["p")"));

    Ask("menu mnuViewTeam");
    Ask("frmTeams.txtTeamName set Red Devils");
    Ask("frmTeams.cmdUpdate click");
    ASSERT_TRUE(Sent(R"(["p", "'Red Devils'", ""])"));
    ASSERT_TRUE(Dump("frmTeams", "txtTeamNews class=Edit text=\"We win\" visible=1 enabled=0")) << dump_;
    server_.Send({{"t", "1", team}});
    ASSERT_TRUE(Dump("frmTeams", "txtTeamNews class=Edit text=\"We win\" visible=1 enabled=1")) << dump_;
    EXPECT_TRUE(Has(dump_, "row ListTeam 1 key=\"\" text=\"Major tester\" icon=1")) << dump_;
    EXPECT_TRUE(Has(dump_, "row ListTeam 2 key=\"\" text=\"Private ann\" icon=1")) << dump_;
    EXPECT_TRUE(Has(dump_, "txtPlayers class=Static text=\"2\"")) << dump_;
    EXPECT_TRUE(Has(dump_, "cmdChangeWebsite class=Button text=\"&Change\" visible=1 enabled=1")) << dump_;
    // The list's pop-up, with the mouse and the keys: the row right-clicked is the one kicked.
    Ask("frmTeams.ListTeam select 1");
    HWND list = ClientControl(run_.process.Pid(), IDC_TEAMS_LISTTEAM);
    ASSERT_TRUE(list && SetForegroundWindow(GetParent(list)));
    ClickAt(list, true, RowMiddle(list, 1));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return FindProcessWindow(run_.process.Pid(), "#32768", nullptr); }, 5000));
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    EXPECT_TRUE(Sent(R"(["C", "team kick 'Private ann'"])"));
    Ask("menu mnuTeamPromote");
    EXPECT_TRUE(Sent(R"(["C", "team promote Private ann"])"));
    EXPECT_FALSE(Has(server_.Frames(), "Major tester")) << server_.Frames();

    server_.Send({{"t", "1", "X"}});
    ASSERT_TRUE(Answer("Team you are trying to stat does not exist!", "Ok")) << dump_;
    ASSERT_TRUE(Dump("frmTeams", "txtTeamNews class=Edit text=\"We win\" visible=1 enabled=0")) << dump_;
    EXPECT_TRUE(Has(dump_, "row ListTeam 2 key=\"\" text=\"Private ann\"")) << dump_;

    Ask("frmTeams.cmdCreate click");
    ASSERT_TRUE(Answer("Please enter a team name.", "Ok", "The Reds")) << dump_;
    EXPECT_TRUE(Sent(R"(["C", "team create 'The Reds'"])"));
    server_.Send({{"t", "2", "0"}});
    EXPECT_TRUE(Answer("Your Team was created sucessfully!", "Ok")) << dump_;
    server_.Send({{"t", "2", ""}});
    EXPECT_TRUE(Answer("Your Team was created sucessfully!", "Ok")) << dump_;
    server_.Send({{"t", "2", "1"}});
    EXPECT_TRUE(Answer("Creation of your team has failed!", "Ok")) << dump_;
}
