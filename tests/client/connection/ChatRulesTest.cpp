// The wording and routing tables of the chat and account messages, against golden tables:
// every notice 0 to 60, every chat kind, the command buttons of a count and level, the staff
// items of a level and the news check.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "AccountRules.h"
#include "ChatLines.h"
#include "ServerNoticeTable.h"

using namespace skx;
using E = NoticeEffect;

namespace {

struct Row {  // text null: no line
    int id;
    const char *d1, *text;
    E effect = E::None;
    int sound = -1, colour = 0;
    bool bold = false, echo = true;
};
// D2 is "arm" and D3 "bob" throughout; the own name is "Me".
const Row Golden[] = {
    {0, "x", nullptr}, {1, "x", "You have fired your weapon!", E::None, 0},
    {2, "x", "You cannot move out of the holding arena!", E::HoldPosition}, {3, "x", "Can't buy anything here!"},
    {4, "x", nullptr}, {5, "x", "You fired your x!"}, {6, "x", "Sorry, You can't leave the game!", E::HoldPosition},
    {7, "3abc", "You have entered a Invaders game.", E::ClearSplats, 3},
    {7, "3.5", "You have entered a UNKNOWN game.", E::ClearSplats, 3}, {8, "x", "You are out of ammunition!"},
    {9, "x", "You do not have a free hand to buy that!"}, {10, "3.0", "An Invaders game has started.", E::ClearSplats},
    {10, "9", "An UNKNOWN game has started.", E::ClearSplats},
    {10, "3.5", "An UNKNOWN game has started.", E::ClearSplats},
    {10, "abc", "A Survival game has started.", E::ClearSplats}, {11, "x", "The game has ended.", E::GameEnd, 4},
    {12, "x", "Your paintball has died!"},
    {13, "5", "You have been charged $5 for playing in this game.", E::None, -1, 255},
    {14, "5", "You have been awarded $5 for winning in this game.", E::None, -1, 255},
    {15, "x", "New account created, Thank-you for registering."}, {16, "x", "The paintball has run out of power!"},
    {17, "x", "x has just fired a shot!"}, {18, "yEs", "You are READY for the next game", E::ReadyState},
    {18, "no", "You are NOT ready for the next game", E::ReadyState}, {18, "maybe", nullptr, E::ReadyState},
    {18, "Auto", "You are AUTO-READY for the next game", E::ReadyState}, {19, "x", "You are not wearing a weapon!"},
    {20, "x", "Your weapon jams!"}, {21, "x", "The game could not be started!"},
    {22, "x", "GAME: You have started the game."}, {23, "x", "x robots have been released.", E::None, 7},
    {24, "x", "Sorry, this location isn't a store!"},
    {25, "x",
     "Sorry, your IP address is already logged on to the server. Please only use one character at a time.",
     E::None, -1, 0, 0, 0},
    {26, "x", "Welcome to Skirmora.\r\nConnection (10.0.0.7) Logged.\r\nReview the End-User License Agreement.",
     E::None, -1, 0, 1},
    {27, "x", "User account already logged in."}, {28, "x", "You have been banned."}, {29, "x", nullptr, E::Quit},
    {30, "sam", "Sam has splatted arm in the bob!"}, {31, "x", "Team already exists."},
    {32, "x", "Team 'x' has been created."}, {33, "x", "A x has bounced off your arm", E::None, 1},
    {34, "x", "A x has bounced off of bobs' arm!", E::None, 1}, {35, "x", "You are already on a team."},
    {36, "x", "Team Create Team_Name"}, {38, "x", "Team plan what?", E::None, -1, 0, 0, 0},
    {37, "x", "You have changed your team's website to: 'x'."}, {39, "x", "Sorry, but 'x' is not online!"},
    {40, "x", "You have changed your team's news and events to: 'x'."}, {41, "x", "Fine whom how much ?"},
    {42, "x", "Goto whoms position ?"}, {43, "x", "'x' is not online!"}, {44, "x", "Reply to who?"},
    {45, "hi there", "Hi there"}, {45, "", ""}, {46, "x", nullptr}, {47, "x", nullptr}, {48, "x", nullptr, E::AdminBox},
    {49, "bye", "bye", E::Quit, -1, 255, 1}, {50, "v:Hunt", nullptr, E::VoteInformation},
    {51, "x", "x", E::None, -1, 0, 1}, {52, "x", "Message ID: 52 is unsupported."},
    {53, "x", "Message ID: 53 is unsupported."}, {54, "x", "Message ID: 54 is unsupported."},
    {55, "x", "Message ID: 55 is unsupported."}, {56, "x", "Message ID: 56 is unsupported."},
    {57, "x", "Message ID: 57 is unsupported."}, {58, "x", "Message ID: 58 is unsupported."},
    {59, "x", "Message ID: 59 is unsupported."}, {60, "x", nullptr}};

const NoticeContext Me{"Me", false, [] { return std::string("10.0.0.7"); }};

}  // namespace

TEST(ServerNoticeTable, EveryNoticeFrom0To60AndEverySplatReportMatchTheGoldenTable) {
    std::set<int> seen;
    for (const Row& r : Golden) {
        SCOPED_TRACE("notice " + std::to_string(r.id) + " D1 " + r.d1);
        seen.insert(r.id);
        const NoticeAction a = DescribeNotice(static_cast<int16_t>(r.id), r.d1, "arm", "bob", Me);
        EXPECT_TRUE(a.writes == (r.text != nullptr) && a.text == (r.text ? r.text : "") && a.colour == r.colour &&
                    a.bold == r.bold && a.echo == r.echo && a.effect == r.effect && a.sound == r.sound);
    }
    EXPECT_EQ(seen.size(), 61u);
    EXPECT_EQ(DescribeNotice(18, "AUTO", "", "", Me).ready, ReadyChoice::AutoReady);
    // The splat report: the own name in any case, the victim's form first; others' splats ignorable.
    auto text = [](const char* d1, const char* d2, bool ignore) {
        NoticeContext context = Me;
        context.ignoreSplats = ignore;
        const NoticeAction a = DescribeNotice(30, d1, d2, "leg", context);
        return (a.writes ? a.text : "<none>") + "|" + std::to_string(a.sound);
    };
    EXPECT_EQ(text("sam", "ME", true), "Sam has splatted you in the leg!|10");
    EXPECT_EQ(text("mE", "sam", true), "You have splatted sam in the leg!|2");
    EXPECT_EQ(text("me", "Me", false), "Me has splatted you in the leg!|10");
    EXPECT_EQ(text("sam", "tom", true), "<none>|-1");
}

TEST(ChatLines, EveryKindGoesToItsPaneInItsColoursWithBoldNamesOnAndOff) {
    ChatLook look{"[t] ", false, {1, 2, ""}, {3, 4, ""}, {5, 6, ""}, {7, 8, ""}};
    for (bool bold : {false, true}) {
        look.boldNames = bold;
        auto two = [&](int pane, const std::string& name, int32_t dark, int32_t light) {
            return std::vector<ChatPiece>{{pane, "[t] " + name, dark, false, bold, bold}, {pane, "hi", light, true}};
        };
        const std::map<int, std::vector<ChatPiece>> expected{
            {0, two(2, "bob chats: ", 1, 2)}, {1, {{2, "[t] bob hi", 0x0A4B4B, true}}},
            {2, two(3, "bob tells you: ", 3, 4)}, {3, two(3, "You tell bob: ", 3, 4)},
            {4, {{1, "[t] Hi", 0, true}}}, {5, {{1, "[t] Hi", 0, true}}}, {6, two(2, "bob announces: ", 7, 8)},
            {7, two(4, "bob Team Plans: ", 5, 6)}, {8, two(4, "bob Game Plans: ", 0x464614, 0x8C8C28)},
            {9, two(5, "bob wizs: ", 0x644614, 0xC88C28)}, {10, two(2, "bob says: ", 0x6AB3E2, 0x7D7D7D)},
            {11, {{1, "[t] hi", 0, true}}}};
        for (const auto& [kind, pieces] : expected) EXPECT_EQ(ChatPieces(kind, "bob", "hi", look), pieces) << kind;
    }
    EXPECT_TRUE(ChatPieces(12, "bob", "hi", look).empty());
    EXPECT_TRUE(IsLockerList("CONTENTS of your locker:x") && !IsLockerList("Contents of your locker:"));
}

TEST(AccountRules, CommandButtonsShowExactlyTheCount) {
    auto shown = [](int16_t count, int16_t level) {
        std::string out;
        for (const ButtonShown& b : CommandButtonsShown(count, level)) out += b.shown ? "+" : "-";
        return std::to_string(count) + ":" + out;
    };
    const std::string first17(17, '+'), none20(20, '-');
    EXPECT_EQ(shown(0, 50) + shown(55, 50), "17:" + first17 + "17:" + first17);
    EXPECT_EQ(shown(10, 50), "10:" + std::string(10, '+') + std::string(7, '-') + none20);
    EXPECT_EQ(shown(17, 50), "17:" + first17 + none20);
    EXPECT_EQ(shown(20, 29), "20:" + first17 + none20);
    EXPECT_EQ(shown(20, 30), "20:" + first17 + "+++" + std::string(17, '-'));
    EXPECT_EQ(shown(54, 30), "54:" + first17 + std::string(20, '+'));
}

TEST(AccountRules, StaffItemsFollowTheLevelAndKeepWhatALevelDoesNotName) {
    auto after = [](std::initializer_list<int16_t> levels) {
        std::map<MainMenu, bool> state;
        for (int16_t level : levels) for (const MenuShown& m : StaffItemsShown(level)) state[m.item] = m.shown;
        std::string out;  // AdminBar, Reset, Kick, Shutup, Ban, Debug, DebugBar: the first 7 of MainMenu
        for (int m = 0; m < 7; ++m) out += state.count(MainMenu(m)) ? (state[MainMenu(m)] ? "+" : "-") : ".";
        return out;
    };
    EXPECT_EQ(after({89}) + after({90}) + after({92}) + after({96}), "-------++.....++++...+++++..");
    EXPECT_EQ(after({100}) + after({96, 91}) + after({100, 50}), "++++++++++++..-------");
}

TEST(AccountRules, NewsIsWantedWhenNoneIsStoredOrTheNumberIsGreater) {
    EXPECT_TRUE(NewsWanted("  ", "0") && NewsWanted("5", "7") && NewsWanted("9", "10"));  // numbers, not texts
    EXPECT_FALSE(NewsWanted(" 7 ", "5") || NewsWanted("7", "7"));
    EXPECT_EQ(StoredNewsValue("7\r\n[x]"), "7[x]");
}
