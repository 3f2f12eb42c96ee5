#include <gtest/gtest.h>

#include "ColourSets.h"

using namespace skx;

namespace {
constexpr int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
}

TEST(ColourSets, EveryNameGivesItsTwoColours) {
    const struct {
        const char* name;
        int32_t dark, light;
    } table[] = {
        {"Red", Rgb(128, 0, 0), Rgb(192, 64, 64)},       {"Blue", Rgb(0, 0, 128), Rgb(64, 64, 192)},
        {"Green", Rgb(0, 128, 0), Rgb(64, 192, 64)},     {"Pink", Rgb(128, 0, 128), Rgb(192, 64, 192)},
        {"Yellow", Rgb(128, 128, 0), Rgb(192, 192, 64)}, {"Turquoise", Rgb(0, 128, 128), Rgb(64, 192, 192)},
        {"Grey", Rgb(128, 128, 128), Rgb(192, 192, 192)}, {"Maroon", Rgb(154, 4, 57), Rgb(202, 1, 74)},
        {"Orange", Rgb(188, 106, 0), Rgb(243, 139, 3)},  {"Purple", Rgb(100, 2, 156), Rgb(152, 3, 237)},
    };
    for (const auto& row : table) {
        ColourSet set;
        SetColor(set, row.name);
        EXPECT_EQ(set.Name, row.name);
        EXPECT_EQ(set.Dark, row.dark) << row.name;
        EXPECT_EQ(set.Light, row.light) << row.name;
    }
}

TEST(ColourSets, OtherNamesChangeOnlyTheName) {
    for (const char* name : {"", "blue", "RED", "Gray", "Turquoise ", "Chartreuse"}) {
        ColourSet set{Rgb(1, 2, 3), Rgb(4, 5, 6), "Before"};
        SetColor(set, name);
        EXPECT_EQ(set.Name, name);
        EXPECT_EQ(set.Dark, Rgb(1, 2, 3)) << name;
        EXPECT_EQ(set.Light, Rgb(4, 5, 6)) << name;
    }
}

TEST(ColourSets, DefaultSettingsUseTheReadDefaults) {
    SetDefaultSettings();
    EXPECT_EQ(ChatColours.Name, "Blue");
    EXPECT_EQ(ChatColours.Dark, Rgb(0, 0, 128));
    EXPECT_EQ(TellColours.Name, "Red");
    EXPECT_EQ(PlanColours.Name, "Turquoise");
    EXPECT_EQ(AnnounceColours.Name, "Grey");
    EXPECT_EQ(AnnounceColours.Light, Rgb(192, 192, 192));
    EXPECT_EQ(FontType, "MS Sans Serif");
    EXPECT_EQ(FontType2, "Arial");
    EXPECT_EQ(FontSize, 10);
    EXPECT_EQ(LeftClick, "CENTER");
    EXPECT_EQ(RightClick, "CENTER");
    EXPECT_EQ(LastNote, 1);
    EXPECT_EQ(ButtonCount, 17);
    EXPECT_EQ(GameMusic[6], "<none>");
}
