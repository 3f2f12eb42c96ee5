#include <gtest/gtest.h>

#include <set>

#include "RandomNumbers.h"

using namespace skx;

TEST(RandomNumbers, StaysInsideTheBoundsAndRaisesTheUpperVariable) {
    std::set<int> seen;
    for (int n = 0; n < 400; ++n) {
        int16_t upper = 4, lower = 1;
        const int16_t r = GetRandomNumber(upper, lower);
        EXPECT_GE(r, 1);
        EXPECT_LE(r, 4);
        EXPECT_EQ(upper, 5);
        EXPECT_EQ(lower, 1);
        seen.insert(r);
    }
    // One generator seeded once: calls within the same second differ.
    EXPECT_EQ(seen.size(), 4u);
}

TEST(RandomNumbers, NegativeUpperBoundGivesZeroToNine) {
    std::set<int> seen;
    for (int n = 0; n < 400; ++n) {
        int16_t upper = -5, lower = 3;
        const int16_t r = GetRandomNumber(upper, lower);
        EXPECT_GE(r, 0);
        EXPECT_LE(r, 9);
        EXPECT_EQ(upper, 10);
        EXPECT_EQ(lower, 0);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST(RandomNumbers, LowerAboveUpperStartsAtZero) {
    for (int n = 0; n < 100; ++n) {
        int16_t upper = 2, lower = 7;
        const int16_t r = GetRandomNumber(upper, lower);
        EXPECT_GE(r, 0);
        EXPECT_LE(r, 2);
        EXPECT_EQ(lower, 0);
        EXPECT_EQ(upper, 3);
    }
    int16_t upper = 0, lower = 0;  // 0 to 0
    EXPECT_EQ(GetRandomNumber(upper, lower), 0);
    EXPECT_EQ(upper, 1);
}

TEST(RandomNumbers, EqualBoundsGiveThatNumber) {
    int16_t upper = 6, lower = 6;
    EXPECT_EQ(GetRandomNumber(upper, lower), 6);
}

TEST(RandomNumbers, LargestUpperBoundOverflowsToZero) {
    int16_t upper = 32767, lower = 0;
    EXPECT_EQ(GetRandomNumber(upper, lower), 0);
    EXPECT_EQ(upper, 32767);
}
