// Bursts of frames whose work grows with a number they carry: the client answers its user
// throughout, and each list filled from one reply stops at 2,000 rows.
#include <filesystem>

#include "ErrorReporter.h"
#include "LoggedInClient.h"
#include "clsCrypto.h"

using namespace clienttest;
namespace {
// head, then count pieces piece(i) joined by sep, then tail: a JSON frame, or a run of frames.
std::string Join(const std::string& head, int count, std::string (*piece)(int), const char* sep, const std::string& tail) {
    std::string s = head;
    for (int i = 0; i < count; ++i) s += (i ? sep : "") + piece(i);
    return s + tail;
}
std::string N(int i) { return std::to_string(i); }
std::string Name(int i) { return {char('a' + i / 676), char('a' + i / 26 % 26), char('a' + i % 26)}; }  // 5,900 in 64 KB
const std::string Who = Join(R"(["w", ")", 5900, [](int i) { return Name(i) + "::::::"; }, ";", R"("])");
class BurstLists : public ClientTest {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }
    void Expect(const std::string& frames, int count) { EXPECT_TRUE(Burst(frames, count).Bearable()) << frames.substr(0, 60); }
    bool Holds(const char* form, const std::string& prefix, int rows) {
        return Dump(form, prefix + N(rows) + " ") && !Has(last, prefix + N(rows + 1) + " ");
    }
};
}  // namespace
TEST_F(BurstLists, EveryListFilledFromOneReplyStopsAtTwoThousandRowsAndIsReported) {
    struct Case { std::vector<const char*> open; std::string frame; const char* form; std::string prefix; int rows = 2000; };
    const std::vector<Case> cases = {
        {{"menu mnuViewWho"}, Who, "frmWho", "row gridWhoWindow "},
        {{}, Join(R"(["O", ")", 2100, [](int i) { return "n" + N(i) + ":1:d"; }, ";", R"("])"), "frmTop25", "row lvResults "},
        {{}, Join(R"(["t", "1", "T\r5\rw\rn\r)", 2100, [](int i) { return "m" + N(i) + "abcd\\b3"; }, "\\t", R"("])"), "frmTeams", "row ListTeam "},
        {{}, Join(R"(["N", "1", ")", 2100, [](int i) { return N(i + 1) + "~x~s~j~all"; }, ";", R"("])"), "frmNotes", "row gridNoteWindow(1) "},
        {{}, Join(R"(["a", "0;)", 2100, [](int i) { return "a" + N(i) + ":c"; }, ",", R"(,;"])"), "frmAlias", "row lvAliases "},
        {{"menu mnuVote"}, Join(R"(["n", ")", 2100, [](int i) { return "g" + N(i) + ":1"; }, ";", R"("])"), "frmVote", "row gridVoteWindow "},
        {{"menu mnuTournament"}, Join(R"(["T", "1", )", 210, [](int i) { return R"("t)" + N(i) + R"(:1:2:a~b~c~d~e~f~g~h~i")"; }, ", ", R"(, ""])"), "frmTournament", "node trvTeams(4) "},
        {{"menu mnuOptionsGameInformation"}, Join(R"(["e", "2", ")", 2100, [](int i) { return "p" + N(i) + ":R:1"; }, "~", R"("])"), "frmGame", "row lstPlayers "},
        {{}, Join(R"(["l", ")", 2100, [](int i) { return "[2]x" + N(i) + ":1:1"; }, "\\r", R"(\rx"])"), "frmShop", "node ListView ", 6006},
        {{"frmChatBar.WhoList select 1", "menu mnuMiscProfile"}, Join(R"(["h", "2", ")", 700, [](int) { return std::string("a3"); }, ";", R"("])"), "frmProfile", "row lsvAwards "}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        for (const char* r : c.open) ASSERT_EQ(hook.Ask(r), "ok") << r;
        ASSERT_TRUE(c.open.empty() || Shown(c.form)) << last;
        Expect(c.frame, 2);
        EXPECT_TRUE(Holds(c.form, c.prefix, c.rows)) << c.form << last.substr(0, 2000);
        // The first cut is reported (the who reply's by the chat bar's list); every later one has
        // the same number as the last report, so it makes none, whichever list it was.
        EXPECT_TRUE(testsupport::PumpUntil([&] { return Reports() == 1; }, kComes)) << c.form << " " << Reports();
    }
    EXPECT_TRUE(Holds("frmChatBar", "row WhoList ", 2000)) << last.substr(0, 2000);
    EXPECT_TRUE(Dump("frmWho", "caption=\"Who's Online - 5900 Players Online.\"")) << last.substr(0, 300);
    // Errors a file of the run covers already are counted in the last file; their count, written
    // at most once a second, is complete at the program's end.
    Expect(R"(["V", "x"], ["V", "1e10"])", 6);
    ASSERT_TRUE(Exit());
    std::vector<std::string> counts;
    for (const auto& f : std::filesystem::directory_iterator(dir.Path())) {
        if (f.path().extension() != ".log") continue;
        skx::clsCrypto c;
        c.SetPassword(skx::kLogPassword);
        c.SetInBuffer(testsupport::ReadFileBytes(f.path().string()).value_or(""));
        if (c.GeneratePasswordKey() && c.DecryptFileData() && Has(c.OutBuffer(), "Further errors")) counts.push_back(c.OutBuffer());
    }
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_TRUE(Has(counts[0], "Further errors since this report (not reported in files of their own): 4\r\n")) << counts[0];
}

TEST_F(BurstLists, LoginsOutlinesLogLinesNoticesAndFilteredChatCostLittleEach) {
    Expect(Join(Who + ", ", 20000, [](int i) { return R"(["L", "1", "7", ")" + Name(i % 5900) + R"(", "77"])"; }, ", ", ""), 20001);
    EXPECT_TRUE(Dump("frmChatBar", R"(key="cyx" text="cyx" icon=0 selected=0 level="77")")) << last.substr(0, 2000);
    Expect(R"(["g", "0", "0", "32767", "32767"])", 5000);
    ASSERT_TRUE(hook.Ask("menu mnuTournament") == "ok" && Shown("frmTournament")) << last;
    Expect(Join("", 3000, [](int i) { return R"(["T", "2", "line )" + N(i) + R"("])"; }, ", ", ""), 3000);
    EXPECT_TRUE(Dump("frmTournament", "line 2999\\r\\n\"")) << last.substr(0, 2000);
    // Game-end notices, each a line in the Game pane and "General", which shows: all of them are
    // through (their time is the chat lines benchmark's), and the shown pane is drawn with the
    // last, the line "U" writes after them.
    const BurstOutcome notices = Burst(R"(["M", "11"])", 70000, 600000);
    EXPECT_TRUE(notices.answered) << notices.receiving;
    EXPECT_TRUE(Dump("frmChatBar", [](const std::string& d) {
        return testsupport::DumpLineHas(d, "control 4000 txtStatus(0)", R"(The game has ended.\r\nScreen Centered.\r\n" visible=1)");
    })) << last.substr(0, 2000);
    ASSERT_EQ(hook.Ask("menu mnuOptionLangFilter"), "ok");
    Expect(Join(R"(["c", "srv", ")", 12000, [](int) { return std::string("damn"); }, " ", R"(", "1"])"), 15);
    EXPECT_TRUE(Dump("frmChatBar", "srv ") && !Has(last, "damn")) << last.substr(0, 2000);
}
