#include "CustomButtons.h"

namespace skx {

std::vector<ButtonShown> CommandButtonsShown(int16_t& count, int16_t level) {
    std::vector<ButtonShown> buttons;
    if (count < 1 || count > MaxButtonCount) {
        count = DefaultButtonCount;
        for (int i = 0; i <= 16; ++i) buttons.push_back({i, true});
        return buttons;
    }
    int shown = 0;
    auto walk = [&](int first, int last, bool allowed) {
        for (int i = first; i <= last; ++i) {
            const bool show = allowed && shown < count;
            if (show) ++shown;
            buttons.push_back({i, show});
        }
    };
    walk(0, 16, true);
    walk(35, 54, level >= ButtonRowLevel);
    return buttons;
}

}  // namespace skx
