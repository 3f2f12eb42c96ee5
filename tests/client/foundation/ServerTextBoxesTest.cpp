// The rule of the boxes raised by the server's texts, on the test's own clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ServerTextBoxes.h"

using namespace skx;

TEST(BoxGate, ASpellShowsAFewBoxesOfEachKindAndTwentyOfAllKinds) {
    BoxGate gate;
    const char* kinds[] = {"EventERROR", "EventLC", "EventUM", "EventLA", "EventLT", "frmTeams.RecvData", "EventUP", "ReportError"};
    std::map<std::string, int64_t> shown;
    int64_t all = 0;
    uint32_t now = 0;
    for (int i = 0; i < 800; ++i, now += 100) {  // the kinds in turn, each box clicked away at once
        if (gate.MayOpen(kinds[i % 8], now, false)) ++all, ++shown[kinds[i % 8]];
    }
    EXPECT_EQ(all, 20);
    for (const auto& [kind, n] : shown) EXPECT_LE(n, 3) << kind;
    // Two rounds of the eight kinds, then the first four a third time: the 20th box.
    EXPECT_EQ(shown.size(), 8u);
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](const auto& k) { return k.second == 3; }), 4);
    // After a spell's length without texts a new spell begins; none while a box is open or quiet.
    now += kBoxSpellMs;
    gate.All().Opened();
    EXPECT_FALSE(gate.MayOpen("EventLC", now, false));
    gate.All().Closed();
    EXPECT_FALSE(gate.MayOpen("EventLC", now, true));
    EXPECT_TRUE(gate.MayOpen("EventLC", now, false));
    // The counts are 64-bit.
    EXPECT_EQ(DivertedCountText(int64_t{5} << 32),
              "21474836480 further messages of the server came instead of boxes; the first 20 are written above.");
}
