#include "ButtonCountStep.h"

#include "runtime/Conversions.h"

namespace skx {

ButtonCountResult ButtonCountStep(const std::string& text, int16_t level) {
    ButtonCountResult r;
    r.Text = text;
    if (text.empty()) return r;
    double n = 0;
    if (!TryParseNumber(text, n)) {
        r.Text.clear();  // and an empty box changes nothing
        return r;
    }
    if (n < 0 || n > MaxButtonCount) return ButtonCountStep(CStr(static_cast<int64_t>(DefaultButtonCount)), level);
    r.CountSet = true;
    r.Count = CInt(n);
    r.Buttons = CommandButtonsShown(r.Count, level);
    return r;
}

}  // namespace skx
