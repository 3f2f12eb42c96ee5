#include "ColourSets.h"

#include <array>

namespace skx {

namespace {

constexpr int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct NamedColours {
    const char* name;
    int32_t dark;
    int32_t light;
};

constexpr std::array<NamedColours, 10> Table{{
    {"Red", Rgb(128, 0, 0), Rgb(192, 64, 64)},
    {"Blue", Rgb(0, 0, 128), Rgb(64, 64, 192)},
    {"Green", Rgb(0, 128, 0), Rgb(64, 192, 64)},
    {"Pink", Rgb(128, 0, 128), Rgb(192, 64, 192)},
    {"Yellow", Rgb(128, 128, 0), Rgb(192, 192, 64)},
    {"Turquoise", Rgb(0, 128, 128), Rgb(64, 192, 192)},
    {"Grey", Rgb(128, 128, 128), Rgb(192, 192, 192)},
    {"Maroon", Rgb(154, 4, 57), Rgb(202, 1, 74)},
    {"Orange", Rgb(188, 106, 0), Rgb(243, 139, 3)},
    {"Purple", Rgb(100, 2, 156), Rgb(152, 3, 237)},
}};

}  // namespace

void SetColor(ColourSet& Set, const std::string& Name) {
    Set.Name = Name;
    for (const auto& entry : Table) {
        if (Name == entry.name) {
            Set.Dark = entry.dark;
            Set.Light = entry.light;
            return;
        }
    }
}

}  // namespace skx
