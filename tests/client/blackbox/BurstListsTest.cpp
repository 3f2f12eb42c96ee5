// Bursts of frames whose work grows with a number they carry: replies naming more rows than a
// list takes, wide outlines, logins after a long who list, log lines, filtered chat. The client
// answers its user throughout, and each list filled from one reply stops at 2,000 rows.
#include "LoggedInClient.h"

using namespace clienttest;

namespace {
// count pieces piece(i) joined by separator: a JSON frame's field, or its frames.
std::string Join(int count, const std::function<std::string(int)>& piece, const std::string& separator) {
    std::string s;
    for (int i = 0; i < count; ++i) s += (i ? separator : "") + piece(i);
    return s;
}
std::string N(int i) { return std::to_string(i); }
// Three letters from a number below 17,576: a who list of 5,900 names stays a frame of 59 KB.
std::string Name(int i) { return {char('a' + i / 676), char('a' + i / 26 % 26), char('a' + i % 26)}; }
const std::string Who = R"(["w", ")" + Join(5900, [](int i) { return Name(i) + "::::::"; }, ";") + R"("])";

class BurstLists : public ClientTest {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }
    void Expect(const std::string& frames, int count) {
        const BurstOutcome out = Burst(frames, count);
        EXPECT_TRUE(out.answered && out.slowest < 2000) << out.slowest << " ms: " << frames.substr(0, 60);
    }
    // Holds rows rows of prefix exactly.
    bool Holds(const char* form, const std::string& prefix, int rows) {
        return Dump(form, prefix + N(rows) + " ") && !Has(last, prefix + N(rows + 1) + " ");
    }
};
}  // namespace

TEST_F(BurstLists, EveryListFilledFromOneReplyStopsAtTwoThousandRowsAndTellsOnce) {
    struct Case { std::vector<const char*> open; std::string frame; const char* form; std::string prefix; int rows; };
    const std::vector<Case> cases = {
        {{"menu mnuViewWho"}, Who, "frmWho", "row gridWhoWindow ", 2000},
        {{}, R"(["O", ")" + Join(2100, [](int i) { return "n" + N(i) + ":1:d"; }, ";") + R"("])", "frmTop25", "row lvResults ", 2000},
        {{}, R"(["t", "1", "T\r5\rw\rn\r)" + Join(2100, [](int i) { return "m" + N(i) + "abcd\\b3"; }, "\\t") + R"("])",
         "frmTeams", "row ListTeam ", 2000},
        {{}, R"(["N", "1", ")" + Join(2100, [](int i) { return N(i + 1) + "~x~s~j~all"; }, ";") + R"("])", "frmNotes",
         "row gridNoteWindow(1) ", 2000},
        {{}, R"(["a", "0;)" + Join(2100, [](int i) { return "a" + N(i) + ":c"; }, ",") + R"(,;"])", "frmAlias", "row lvAliases ", 2000},
        {{"menu mnuVote"}, R"(["n", ")" + Join(2100, [](int i) { return "g" + N(i) + ":1"; }, ";") + R"("])", "frmVote",
         "row gridVoteWindow ", 2000},
        {{"menu mnuTournament"}, R"(["T", "1", )" + Join(210, [](int i) { return R"("t)" + N(i) + R"(:1:2:a~b~c~d~e~f~g~h~i")"; }, ", ") + R"(, ""])",
         "frmTournament", "node trvTeams(4) ", 2000},
        {{"menu mnuOptionsGameInformation"}, R"(["e", "2", ")" + Join(2100, [](int i) { return "p" + N(i) + ":R:1"; }, "~") + R"("])",
         "frmGame", "row lstPlayers ", 2000},
        {{}, R"(["l", ")" + Join(2100, [](int i) { return "[2]x" + N(i) + ":1:1"; }, "\\r") + R"(\rx"])", "frmShop", "node ListView ", 6006},
        {{"frmChatBar.WhoList select 1", "menu mnuMiscProfile"}, R"(["h", "2", ")" + Join(700, [](int) { return "a3"; }, ";") + R"("])",
         "frmProfile", "row lsvAwards ", 2000}};
    for (const Case& c : cases) {
        for (const char* r : c.open) ASSERT_EQ(hook.Ask(r), "ok") << r;
        ASSERT_TRUE(c.open.empty() || Shown(c.form)) << last;
        // An error of another number first (a report like the last is not written again), then a
        // second of its own for the cut (a report's file is named by its second).
        const int before = Reports();
        Send(R"(["v", "95"])");
        testsupport::PumpUntil([&] { return Reports() > before; }, 3000);
        SYSTEMTIME then{}, now{};
        GetLocalTime(&then);
        testsupport::PumpUntil([&] { return GetLocalTime(&now), now.wSecond != then.wSecond; }, 1500);
        const int reports = Reports();
        Expect(c.frame, 2);
        EXPECT_TRUE(Holds(c.form, c.prefix, c.rows)) << c.form << last.substr(0, 2000);
        EXPECT_EQ(Reports(), reports + 1) << c.form;
    }
    EXPECT_TRUE(Holds("frmChatBar", "row WhoList ", 2000)) << last.substr(0, 2000);
}

TEST_F(BurstLists, LoginsOutlinesLogLinesAndFilteredChatCostLittleEach) {
    Expect(Who + ", " + Join(20000, [](int i) { return R"(["L", "1", "7", ")" + Name(i % 5900) + R"(", "77"])"; }, ", "), 20001);
    EXPECT_TRUE(Dump("frmChatBar", R"(key="cyx" text="cyx" icon=0 selected=0 level="77")")) << last.substr(0, 2000);
    Expect(R"(["g", "0", "0", "32767", "32767"])", 5000);
    ASSERT_TRUE(hook.Ask("menu mnuTournament") == "ok" && Shown("frmTournament")) << last;
    Expect(Join(500, [](int i) { return R"(["T", "2", "line )" + N(i) + R"("])"; }, ", "), 500);
    EXPECT_TRUE(Dump("frmTournament", "line 499\\r\\n\"")) << last.substr(0, 2000);
    ASSERT_EQ(hook.Ask("menu mnuOptionLangFilter"), "ok");
    Expect(R"(["c", "srv", ")" + Join(12000, [](int) { return "damn"; }, " ") + R"(", "1"])", 4);
    EXPECT_TRUE(Dump("frmChatBar", "srv ") && !Has(last, "damn")) << last.substr(0, 2000);
}
