#include <gtest/gtest.h>

#include "TournamentTeams.h"

using namespace skx;

TEST(TournamentTeams, RecordsUpToTheNextToLastFieldAndAShortRecordEndsTheReading) {
    const TournamentTeamsRead read = ReadTournamentTeams({"1", "Red Devils:3:1:bob~~ann", "Alpha:0:0:", "Late:1:1:x"});
    ASSERT_EQ(read.Teams.size(), 2u);  // the last field is never read
    EXPECT_FALSE(read.Malformed);
    EXPECT_EQ(read.Teams[0].Text, "Red Devils (3W 1L)");
    EXPECT_EQ(read.Teams[0].Members, (std::vector<std::string>{"bob", "ann"}));
    EXPECT_TRUE(read.Teams[1].Members.empty());
    EXPECT_TRUE(ReadTournamentTeams({"1"}).Teams.empty());
    const TournamentTeamsRead twice = ReadTournamentTeams({"1", "Alpha:1:1:x", "alpha:2:2:y", ":0:0:z", "Beta:0:0:", ""});
    ASSERT_EQ(twice.Teams.size(), 2u);
    EXPECT_TRUE(twice.Refused && twice.RefusedName == "alpha" && twice.Teams[1].Name == "Beta");

    const TournamentTeamsRead bad = ReadTournamentTeams({"1", "Alpha:1:1:x", "Beta:2:2", "Gamma:0:0:y", ""});
    EXPECT_TRUE(bad.Malformed);
    ASSERT_EQ(bad.Teams.size(), 1u);
    EXPECT_EQ(bad.Teams[0].Name, "Alpha");
}
