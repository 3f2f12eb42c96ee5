#include <gtest/gtest.h>

#include <set>

#include "ButtonCountStep.h"

using namespace skx;

namespace {
std::set<int> Where(const ButtonCountResult& r, bool shown) {
    std::set<int> s;
    for (const ButtonShown& b : r.Buttons) if (b.shown == shown) s.insert(b.index);
    return s;
}
std::set<int> Range(int first, int last) {
    std::set<int> s;
    for (int i = first; i <= last; ++i) s.insert(i);
    return s;
}
std::set<int> Union(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}
}  // namespace

TEST(ButtonCountStep, ACountShowsExactlyThatManyButtons) {
    struct Case { const char* text; int16_t level; int16_t count; std::set<int> shown; std::set<int> hidden; };
    const Case cases[] = {
        {"5", 30, 5, Range(0, 4), Union(Range(5, 16), Range(35, 54))},
        {"17", 30, 17, Range(0, 16), Range(35, 54)},
        {"20", 30, 20, Union(Range(0, 16), Range(35, 37)), Range(38, 54)},
        {"20", 29, 20, Range(0, 16), Range(35, 54)},
        {"54", 30, 54, Union(Range(0, 16), Range(35, 54)), {}},
        {"2.5", 30, 2, Range(0, 1), Union(Range(2, 16), Range(35, 54))},
        {"0", 30, 17, Range(0, 16), {}},  // 35 to 54 left as they are
    };
    for (const Case& c : cases) {
        const ButtonCountResult r = ButtonCountStep(c.text, c.level);
        EXPECT_EQ(r.Text, c.text);
        EXPECT_TRUE(r.CountSet) << c.text;
        EXPECT_EQ(r.Count, c.count) << c.text;
        EXPECT_EQ(Where(r, true), c.shown) << c.text << " at " << c.level;
        EXPECT_EQ(Where(r, false), c.hidden) << c.text << " at " << c.level;
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
        EXPECT_EQ(Where(r, true), Range(0, 16)) << outside;
    }
}
