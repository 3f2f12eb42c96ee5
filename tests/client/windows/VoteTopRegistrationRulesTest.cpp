// The text rules of the vote, top-25, registration and level-up windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "LevelUpTable.h"
#include "RegistrationRules.h"
#include "TopList.h"
#include "VoteTally.h"
#include "runtime/RunTimeError.h"

using namespace skx;

TEST(VoteRules, TallySkipsShortAndRepeatedRecordsIconsAndCommandTexts) {
    const VoteTally t = ReadVoteTally("A:1;a:2;B:3;short;:4");
    ASSERT_EQ(t.Records.size(), 2u);
    EXPECT_TRUE(t.Records[1].Game == "B" && t.Records[1].Votes == "3");
    EXPECT_TRUE(t.Skipped == 3 && t.FirstSkipped == "a:2" && t.FirstSkippedRepeats);
    EXPECT_TRUE(ReadVoteTally("").Records.empty() && ReadVoteTally("").Skipped == 0);
    EXPECT_EQ(VoteIconFor("CTF", " ctf ", "True"), VoteIcon::Voted);
    for (const char* hated : {"tRUE", "2", " -1 "}) EXPECT_EQ(VoteIconFor("Hunt", "None", hated), VoteIcon::Hated) << hated;
    for (const char* other : {"False", "0", "yes", ""}) EXPECT_EQ(VoteIconFor("Hunt", "None", other), VoteIcon::Other) << other;
    EXPECT_EQ(VoteCommand("Capture The Flag"), "vote 'Capture The Flag'");
    EXPECT_EQ(HateCommand("Capture The Flag", true), "game hate CaptureTheFlag");
    EXPECT_EQ(HateCommand(" Hunt ", false), "game like Hunt");
    EXPECT_EQ(VoteTallyLine("A:1;B:2;C:3"), "A:1 B:2 C:3 ");
}

TEST(TopListRules, ShortRecordsLeftOutAndValuesOrderByTheirNumbers) {
    const std::vector<TopRecord> r = ReadTopList("bob:100:d1:extra;ann:9;carl::d3");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(r[0].Date == "d1" && r[1].Name == "carl" && r[1].Value.empty());
    std::vector<std::string> values{"9", "007", "", "100", "10", "12345678901234", "5x"};
    std::stable_sort(values.begin(), values.end(), [](auto& a, auto& b) { return CompareTopValues(a, b) < 0; });
    EXPECT_EQ(values, (std::vector<std::string>{"", "5x", "007", "9", "10", "100", "12345678901234"}));
}

TEST(RegistrationRules, AddressStepsInOrderWarningsAndTheCodeRule) {
    int warnings = 0;
    auto valid = [&](const std::string& a) { return ValidateEmail(a, [&] { ++warnings; }); };
    for (const char* good : {"john.doe@example.com", "Ab@CD.ef", "a_b-c@x-y.co.uk"}) EXPECT_TRUE(valid(good)) << good;
    for (const char* bad : {"", "ab", "a@b.co", "ab@b.c", "ab@bco", ".ab@x.co", "ab.@x.co", "a..b@x.co", "ab@x@y.co",
                            "a+b@x.co", "a b@x.co"}) {
        EXPECT_FALSE(valid(bad)) << bad;
    }
    EXPECT_EQ(warnings, 0);
    EXPECT_FALSE(valid("hotmail.yahoo@x"));  // both warnings, then no dot in the domain
    EXPECT_EQ(warnings, 2);
    EXPECT_FALSE(valid("a+hotmail@x.co"));  // warned before the character check fails
    EXPECT_EQ(warnings, 3);
    EXPECT_EQ(RegistrationCode("'ABC1234'"), "ABC1234");
    EXPECT_EQ(RegistrationCode("ABC1234"), "ABC1234");
    for (const char* bad : {"'ABC1234", "ABC12345", "'ABC12345", "\x01\x02\x03\x04\x05\x06\x07"}) {
        EXPECT_FALSE(RegistrationCode(bad)) << bad;
    }
}

TEST(LevelUpRules, CostSplatsAndBonusCashOverTheListEntries) {
    auto calc = [](const std::string& start, const std::string& goal) {
        LevelUpBoxes b{"c", "s", "k"};
        CalculateCost(start, goal, b);
        return b.Cash + "|" + b.Splats + "|" + b.Cost;
    };
    EXPECT_EQ(LevelChoices().size(), 32u);
    EXPECT_EQ(calc("25", "30"), "$3250|------|$10.00");
    EXPECT_EQ(calc("30", "45"), "$5500|------|$15.00");
    EXPECT_EQ(calc("30", "75"), "$10000|------|$45.00");
    EXPECT_EQ(calc("5", "6"), "------|250|------");
    EXPECT_EQ(calc("12", "25"), "------|14500|------");
    EXPECT_EQ(calc("20", "10"), "c|s|k");
    EXPECT_EQ(calc("", "30"), "c|s|k");
    EXPECT_EQ(calc("40", "40"), "------|------|------");
    EXPECT_EQ(calc("------", "30"), "------|------|------");
    EXPECT_EQ(calc("33", "40"), "$4750|------|$45.00");
    EXPECT_EQ(calc("-40", "30"), "$3250|------|$10.00");  // no sign: the start reads 0
    // A start too large for a whole number: error 6, with what the steps before wrote.
    LevelUpBoxes b{"c", "s", "k"};
    try {
        CalculateCost("3000000000", "4000000000", b);
        ADD_FAILURE();
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), errOverflow);
    }
    EXPECT_TRUE(b.Cash.empty() && b.Splats == "------" && b.Cost.empty());
}
