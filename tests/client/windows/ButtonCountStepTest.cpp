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

TEST(ButtonCountStep, ACountShowsExactlyThatManyButtonsAndOtherTextsChangeTheBox) {
    struct Case { const char* text; int16_t level; const char* box; int16_t count; std::vector<ButtonShown> buttons; };
    const Case cases[] = {
        {"5", 30, "5", 5, Shown(5, 0)},       {"17", 30, "17", 17, Shown(17, 0)},  {"20", 30, "20", 20, Shown(17, 3)},
        {"20", 29, "20", 20, Shown(17, 0)},   {"54", 30, "54", 54, Shown(17, 20)}, {"2.5", 30, "2.5", 2, Shown(2, 0)},
        {"0", 30, "0", 17, Shown(17, 0, false)},
        {"-3", 30, "17", 17, Shown(17, 0)},   {"60", 30, "17", 17, Shown(17, 0)},  {"54.6", 30, "17", 17, Shown(17, 0)},
        {"abc", 30, "", 0, {}},               {"", 30, "", 0, {}},
    };
    for (const Case& c : cases) {
        const ButtonCountResult r = ButtonCountStep(c.text, c.level);
        EXPECT_EQ(r.Text, c.box) << c.text;
        EXPECT_EQ(r.CountSet, c.count != 0) << c.text;
        if (r.CountSet) { EXPECT_EQ(r.Count, c.count) << c.text; }
        EXPECT_EQ(r.Buttons, c.buttons) << c.text << " at " << c.level;
    }
}
