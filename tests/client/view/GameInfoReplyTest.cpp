// The game-information reply's sections read without any window.
#include <gtest/gtest.h>

#include "GameInfoReply.h"

using namespace skx;

TEST(GameInfoReply, SummaryIsTrimmedAndNeedsThreeFields) {
    const auto game = ReadGameSummary(" Survival ; 4:59 ;2");
    ASSERT_TRUE(game);
    EXPECT_EQ(game->GameType + "|" + game->TimeLeft + "|" + game->Teams, "Survival|4:59|2");
    EXPECT_FALSE(ReadGameSummary("Survival;4:59"));
}

TEST(GameInfoReply, PlayersTakeZeroOnlyAsTheWholeFieldAndKeepShortAndEmptyEntriesApart) {
    auto names = [](const std::string& data) {
        std::string out;
        const auto players = ReadGamePlayers(data);
        for (const GamePlayer& p : *players) out += p.Name + ":" + p.Team + ":" + p.Splats + "|";
        return out;
    };
    EXPECT_EQ(names("amy:Red:3~bob:Blue:0"), "amy:Red:3|bob:Blue:0|");
    EXPECT_EQ(names(" zero "), "");
    EXPECT_EQ(names("ZeroCool:Red:1"), "ZeroCool:Red:1|");
    EXPECT_EQ(names("amy~bo:Red"), "amy::|bo:Red:|");
    EXPECT_EQ(names("amy:Red:3~"), "amy:Red:3|");
    EXPECT_FALSE(ReadGamePlayers("a:b:1;c:d:2"));
}

TEST(GameInfoReply, TeamsKeepTheirPartsUntrimmedAndTakeNoneOnlyAsTheWholeField) {
    const auto teams = ReadGameTeams("Red; Hunt ; A~B~");
    ASSERT_TRUE(teams);
    EXPECT_EQ(teams->YourTeam + "|" + teams->GameInfo, "Red|Hunt");
    EXPECT_EQ(teams->Teams, (std::vector<std::string>{" A", "B"}));
    EXPECT_TRUE(ReadGameTeams("Red;Hunt; NONE ")->Teams.empty());
    EXPECT_EQ(ReadGameTeams("Red;Hunt;Nonesuch")->Teams, std::vector<std::string>{"Nonesuch"});
    EXPECT_FALSE(ReadGameTeams("Red;Hunt"));
}
