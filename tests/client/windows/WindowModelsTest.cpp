// The models of the tip, debug, profile and About windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "AboutMotion.h"
#include "DebugText.h"
#include "ProfileData.h"
#include "TipFile.h"

using namespace skx;

TEST(TipFile, LinesEndAtCrOrCrLfAndALoneLfStays) {
    EXPECT_EQ(ReadTips("a\r\nb\rc\nd\r\n\r\ne"), (std::vector<std::string>{"a", "b", "c\nd", "", "e"}));
    EXPECT_EQ(ReadTips("only\r\n"), std::vector<std::string>{"only"});
    EXPECT_TRUE(ReadTips("").empty());
    EXPECT_EQ(PickTip(0.0f, 1), 1);
    EXPECT_EQ(PickTip(0.9999999f, 20), 20);
    EXPECT_EQ(PickTip(0.5f, 4), 3);
}

TEST(DebugText, OneLinePerEntryWithAFreeEntryShowingTwoBlanks) {
    std::vector<DebugPlayer> table(101);
    table[0] = {"bob", 12};
    const std::string text = PlayerTableText(table);
    EXPECT_EQ(text.substr(0, 10), "0) bob [12");
    EXPECT_NE(text.find("\r\n5)  [-1]\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 12), "100)  [-1]\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 101);
}

TEST(ProfileData, ValueListsMustHaveTheExactCountWithEmptiesKept) {
    EXPECT_EQ(ProfileValues("bob;17;;40;5;300;55%;10;4;", PlayerInfoCount)->at(2), "");
    EXPECT_FALSE(ProfileValues("1;2;3;4;5;6;7;8;9", PlayerInfoCount));
    EXPECT_FALSE(ProfileValues("1;2;3;4;5;6;7;8;9;10;11", PlayerInfoCount));
    EXPECT_TRUE(ProfileValues(std::string(22, ';'), AdminFieldCount));
    EXPECT_EQ(ProfileRequestData("bob", 2), std::string("bob\0" "2", 5));
}

TEST(ProfileData, AwardTiersIgnoreLetterCaseAndSkipWhatIsNoAward) {
    const std::vector<AwardRow> rows = AwardRows("a3;c1;h2;C2;c;c0;x3;;b9");
    std::vector<std::string> texts;
    std::vector<int> icons;
    for (const AwardRow& r : rows) texts.push_back(r.Text), icons.push_back(r.Icon);
    EXPECT_EQ(texts, (std::vector<std::string>{"Emerald Bot Harvester", "Gold Bot Harvester", "Ruby Bot Harvester",
                                               "Emerald Evader", "Emerald Ironman", "Gold Ironman", "Emerald Evader",
                                               "Gold Evader", "Emerald Player Harvester", "Gold Player Harvester",
                                               "Ruby Player Harvester"}));
    EXPECT_EQ(icons, (std::vector<int>{1, 2, 3, 7, 22, 23, 7, 8, 4, 5, 6}));
    EXPECT_TRUE(AwardRows("").empty());
}

TEST(AboutMotion, CreditsWrapOnlyOnceWhollyAboveAndThePhasesSkipWhenAlreadyThere) {
    EXPECT_EQ(NextCreditsTop(-1000, 1000, 3000), -1025);
    EXPECT_EQ(NextCreditsTop(-1001, 1000, 3000), 2999 - 25);
    EXPECT_EQ(FoldHeights(400, 255), (std::vector<int>{360, 320, 280, 255}));
    EXPECT_EQ(FoldHeights(255, 255), std::vector<int>{255});
    EXPECT_TRUE(FoldHeights(200, 255).empty());
    EXPECT_TRUE(RiseTops(0).empty());
    EXPECT_EQ(RiseTops(120), (std::vector<int>{120, 70, 20}));
    EXPECT_EQ(SlideLefts(100, 400), (std::vector<int>{100, 205, 310}));
}
