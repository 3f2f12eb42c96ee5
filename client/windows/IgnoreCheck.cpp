#include "IgnoreCheck.h"

#include <windows.h>

#include <vector>

#include "frmIgnore.h"
#include "runtime/ErrorGuard.h"

namespace skx {

bool IsIgnored(const std::string& Name) {
    bool result = false;
    Guard("modMiscFunctionsOne", "IsIgnored", [&] {
        HWND list = frmIgnore().lstIgnored();
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT index = 0; index < count; ++index) {
            const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
            if (length < 0 || static_cast<size_t>(length) != Name.size()) continue;
            std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
            const LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(text.data()));
            if (got == length && std::string(text.data(), static_cast<size_t>(got)) == Name) {
                result = true;
                return;
            }
        }
    });
    return result;
}

}  // namespace skx
