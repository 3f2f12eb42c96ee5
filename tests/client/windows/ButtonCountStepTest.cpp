#include <gtest/gtest.h>

#include "ButtonCountStep.h"

using namespace skx;

namespace {
// The first `low` of buttons 0 to 16 and the first `high` of 35 to 54 shown, the others hidden;
// 35 to 54 left alone when not `touched`.
std::vector<ButtonShown> Shown(int low, int high, bool touched = true) {
    std::vector<ButtonShown> b;
    for (int i = 0; i <= 16; ++i) b.push_back({i, i < low});
    for (int i = 35; touched && i <= 54; ++i) b.push_back({i, i - 35 < high});
    return b;
}
}  // namespace

TEST(ButtonCountStep, ACountShowsExactlyThatManyButtons) {
    struct Case { const char* text; int16_t level; int16_t count; std::vector<ButtonShown> buttons; };
    const Case cases[] = {
        {"5", 30, 5, Shown(5, 0)},      {"17", 30, 17, Shown(17, 0)},  {"20", 30, 20, Shown(17, 3)},
        {"20", 29, 20, Shown(17, 0)},   {"54", 30, 54, Shown(17, 20)}, {"2.5", 30, 2, Shown(2, 0)},
        {"0", 30, 17, Shown(17, 0, false)},
    };
    for (const Case& c : cases) {
        const ButtonCountResult r = ButtonCountStep(c.text, c.level);
        EXPECT_EQ(r.Text, c.text);
        EXPECT_TRUE(r.CountSet) << c.text;
        EXPECT_EQ(r.Count, c.count) << c.text;
        EXPECT_EQ(r.Buttons, c.buttons) << c.text << " at " << c.level;
    }
}

TEST(ButtonCountStep, TextsThatAreNoCountChangeTheBox) {
    const ButtonCountResult letters = ButtonCountStep("abc", 30);
    EXPECT_EQ(letters.Text, "");
    EXPECT_FALSE(letters.CountSet);
    EXPECT_TRUE(letters.Buttons.empty());
    EXPECT_FALSE(ButtonCountStep("", 30).CountSet);
    for (const char* outside : {"-3", "60", "54.6"}) {
        const ButtonCountResult r = ButtonCountStep(outside, 30);
        EXPECT_EQ(r.Text, "17") << outside;
        EXPECT_EQ(r.Count, 17) << outside;
        EXPECT_EQ(r.Buttons, Shown(17, 0)) << outside;
    }
}
