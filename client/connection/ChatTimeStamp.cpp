#include "ChatTimeStamp.h"

#include <windows.h>

#include "OptionMenuItems.h"

namespace skx {

std::string ChatTimeStamp() {
    if (!MenuChecked(MenuOption::DisplayTimeStamp)) return {};
    SYSTEMTIME st;
    GetLocalTime(&st);
    char date[64] = {}, time[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
    return "[" + std::string(date) + " " + time + "] ";
}

}  // namespace skx
