// Which of the main window's custom command buttons (cmdAlias 0 to 16 and 35 to 54) show for
// a button count and an account level. Nothing here touches a window.
#pragma once
#include <cstdint>
#include <vector>

namespace skx {

constexpr int16_t ButtonRowLevel = 30;  // from this level buttons 35 to 54 may show
constexpr int16_t DefaultButtonCount = 17;
constexpr int16_t MaxButtonCount = 54;

// A custom command button (cmdAlias index) shown or hidden.
struct ButtonShown {
    int index;
    bool shown;
    bool operator==(const ButtonShown&) const = default;
};

// Exactly count buttons show: the first min(count, 17) of 0 to 16 and, at level 30 or more,
// the first min(count - 17, 20) of 35 to 54; the others are hidden. A count below 1 or above
// 54 becomes 17 and shows 0 to 16, leaving 35 to 54 as they are.
std::vector<ButtonShown> CommandButtonsShown(int16_t& count, int16_t level);

}  // namespace skx
