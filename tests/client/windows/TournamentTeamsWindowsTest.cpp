#include <gtest/gtest.h>

#include "ProtocolSeparators.h"
#include "TeamCommands.h"
#include "TeamInfo.h"
#include "TournamentCommands.h"

using namespace skx;

TEST(TournamentCommands, SignupQuotingPasswordBlanksDonationAndStart) {
    const SignupCommand plain = TournamentSignup("Alpha", "my pass");
    EXPECT_EQ(plain.Password, "mypass");
    EXPECT_EQ(plain.Line, "tournament signup 'Alpha' 'mypass'");
    EXPECT_EQ(TournamentSignup("'Red Devils'", "mypass").Line, "tournament signup 'Red Devils' mypass");
    EXPECT_EQ(TournamentSignup("'Red Devils' ", "mypass").Line, "tournament signup ''Red Devils'' 'mypass'");
    EXPECT_EQ(TournamentSignup("O'Brien", "mypass").Line, "tournament signup 'O'Brien' 'mypass'");
    EXPECT_EQ(TournamentSignup("Alpha", "   ").Line, "tournament signup 'Alpha' ''");

    EXPECT_EQ(TournamentDonation("-12.50"), "tournament donate 12.5");
    EXPECT_EQ(TournamentDonation(" 25 "), "tournament donate 25");
    EXPECT_EQ(TournamentDonation("12,5"), "");

    const std::vector<std::string> start{"tournament start 500", "tournament min 3", "tournament max 8",
                                         "tournament rules 'Dont camp'"};
    EXPECT_EQ(TournamentStart(" 500 ", "3", "8", "Don't camp"), start);
}

TEST(TournamentCommands, TeamTextGameStartButtonsAndTheLogRule) {
    EXPECT_EQ(TournamentTeamText("Red Devils"), "'Red Devils'");
    EXPECT_EQ(TournamentTeamText("Alpha"), "Alpha");
    EXPECT_EQ(TournamentKick("Red Devils"), "tournament kick Red Devils");
    EXPECT_EQ(TournamentDisqualify("Red Devils"), "tournament dq Red Devils");
    EXPECT_EQ(TournamentGameStart(" Blue", "'Red Devils' "), "game start Blue 'Red Devils'");
    EXPECT_EQ(TournamentButtonCommand("watch %1 %2\r", "", ""), "watch %1 %2");
    EXPECT_EQ(TournamentButtonCommand("watch %1 %2", "Alpha", ""), "watch Alpha ");
    EXPECT_EQ(TournamentButtonCommand("watch %1 %2", "Alpha\x01", "'Red Devils'"), "watch Alpha 'Red Devils'");

    EXPECT_TRUE(TournamentLogHolds("Round 1\r\n", "Round 1"));
    EXPECT_TRUE(TournamentLogHolds("Round 1", "Round 1"));
    EXPECT_FALSE(TournamentLogHolds("Round 0\r\nRound 1\r\n", "Round 1"));
    EXPECT_FALSE(TournamentLogHolds("", "Round 1"));
    // A log of 5 double-byte characters and its line break: 7 characters, the line 10 bytes.
    EXPECT_TRUE(TournamentLogMayHold(7, 10, 2));
}

TEST(TeamInfo, FieldsMembersRanksAndOwnName) {
    const TeamInfoRead read =
        ReadTeamInfo("O'Neil's\r1234\rrd.exa'mple\rWe' win\rTester0001\bx\b3\tann0002\b8\t\tbob\b9\tcarl0003\bZ\t", "tester");
    ASSERT_EQ(read.Is, TeamInfoRead::Kind::Team);
    EXPECT_EQ(*read.Name, "ONeils");
    EXPECT_EQ(*read.Splats, "1234");
    EXPECT_EQ(*read.Website, "rd.example");
    EXPECT_EQ(*read.News, "We win");
    ASSERT_EQ(read.Members.size(), 4u);  // the empty entries are no members
    EXPECT_EQ(read.Members[0].Text, "Major Tester");
    EXPECT_TRUE(read.Members[0].Own);
    EXPECT_EQ(read.Members[1].Text, "Private ann");
    EXPECT_FALSE(read.Members[1].Own);
    EXPECT_EQ(read.Members[2].Text, " bob");  // too short to cut; 9 is no rank
    EXPECT_EQ(read.Members[3].Text, " carl");
    EXPECT_EQ(GetRank(2) + GetRank(5), "ColonelLieutanent");
    EXPECT_FALSE(ReadTeamInfo("x\r1\r\r\rtesters0001\b1", "tester").Members[0].Own);

    const TeamInfoRead shortReply = ReadTeamInfo("Reds\r5", "tester");
    EXPECT_TRUE(shortReply.Members.empty() && shortReply.Splats && !shortReply.Website);
    EXPECT_EQ(ReadTeamInfo("X", "tester").Is, TeamInfoRead::Kind::NoTeam);
    EXPECT_EQ(ReadTeamInfo("", "tester").Is, TeamInfoRead::Kind::Nothing);
}

TEST(TeamCommands, LookUpCreateNewsWebsiteAndMemberLines) {
    SetProtocolSeparators();
    EXPECT_EQ(TeamStatsData(" Red Devils "), std::string("'Red Devils'\0", 13));
    EXPECT_EQ(TeamStatsData("Alpha "), std::string("Alpha\0", 6));
    EXPECT_EQ(TeamCreate("The Reds"), "team create 'The Reds'");
    EXPECT_EQ(TeamCreate("Reds "), "team create 'Reds'");
    EXPECT_EQ(TeamCreate("Reds"), "team create Reds");
    EXPECT_EQ(TeamNews(" big news "), "team news 'big news'");
    EXPECT_EQ(TeamWebsite("site.example "), "team website 'site.example '");
    EXPECT_EQ(TeamPromote("Private Bob"), "team promote Private Bob");
    EXPECT_EQ(TeamDemote("Private Bob"), "team demote 'Private Bob'");
    EXPECT_EQ(TeamKick("Private Bob"), "team kick 'Private Bob'");
}
