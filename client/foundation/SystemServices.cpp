#include "SystemServices.h"

#include "FileServices.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"

namespace skx {

std::string ClassName(HWND hWnd) {
    std::string result;
    Guard("modMiscFunctionsOne", "ClassName", [&] {
        char buffer[1024] = {};
        int n = GetClassNameA(hWnd, buffer, sizeof buffer);
        if (n > 0) result.assign(buffer, static_cast<size_t>(n));
    });
    return result;
}

void LoadHelpFile(HWND owner) {
    Guard("modMiscFunctionsOne", "LoadHelpFile", [&] {
        std::string file = App::Path() + "\\SKMXHELP.HLP";
        if (!FileExist(file, 0)) {
            file = App::Path() + "\\skirmex.hlp";
            if (!FileExist(file, 0)) return;
        }
        WinHelpA(owner, file.c_str(), HELP_CONTENTS, 0);
    });
}

void RemoveMenus(HWND hWnd, const std::array<bool, 7>& flags) {
    Guard("modMiscFunctionsOne", "RemoveMenus", [&] {
        HMENU menu = GetSystemMenu(hWnd, FALSE);
        if (!menu) return;
        for (int position = 6; position >= 0; --position) {
            if (flags[static_cast<size_t>(position)]) DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
        }
    });
}

}  // namespace skx
