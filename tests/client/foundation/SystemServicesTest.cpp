#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "SystemServices.h"
#include "runtime/Form.h"

using namespace skx;

namespace {
struct MenuWindow : Form {
    MenuWindow() : Form("frmMenuTest") {}
};

// The system menu's items as id and text, in order.
std::vector<std::string> Items(HWND hwnd) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    std::vector<std::string> items;
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
        items.push_back(std::to_string(GetMenuItemID(menu, pos)) + ":" + text);
    }
    return items;
}

// The menu after removing the flagged positions of the original.
std::vector<std::string> Without(const std::vector<std::string>& items, const std::array<bool, 7>& flags) {
    std::vector<std::string> left;
    for (size_t pos = 0; pos < items.size(); ++pos)
        if (pos >= 7 || !flags[pos]) left.push_back(items[pos]);
    return left;
}

void CheckRemoval(const std::array<bool, 7>& flags) {
    MenuWindow& w = TheForm<MenuWindow>();
    w.Load();
    HWND hwnd = w.Handle();
    GetSystemMenu(hwnd, TRUE);  // back to the standard menu
    const auto before = Items(hwnd);
    ASSERT_GE(before.size(), 7u);
    RemoveMenus(hwnd, flags);
    EXPECT_EQ(Items(hwnd), Without(before, flags));
    w.Unload();
}
}  // namespace

TEST(SystemServices, RemoveMenusDropsCloseAndItsSeparator) {
    MenuWindow& w = TheForm<MenuWindow>();
    w.Load();
    GetSystemMenu(w.Handle(), TRUE);
    HMENU menu = GetSystemMenu(w.Handle(), FALSE);
    ASSERT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(SC_CLOSE));
    ASSERT_EQ(GetMenuItemID(menu, 5), 0u);  // the separator above Close
    RemoveMenus(w.Handle(), {false, false, false, false, false, true, true});
    for (const auto& item : Items(w.Handle())) EXPECT_NE(item.rfind(std::to_string(SC_CLOSE) + ":", 0), 0u) << item;
    w.Unload();
    CheckRemoval({false, false, false, false, false, true, true});
}

TEST(SystemServices, RemoveMenusHighestPositionFirst) {
    // Each flag names an item of the original menu, although lower ones go as well.
    CheckRemoval({false, true, false, true, false, true, false});
    CheckRemoval({true, false, false, false, false, false, true});
    CheckRemoval({false, false, false, false, false, false, false});
    CheckRemoval({true, true, true, true, true, true, true});
}

TEST(SystemServices, ClassNameOfAWindow) {
    MenuWindow& w = TheForm<MenuWindow>();
    w.Load();
    EXPECT_EQ(ClassName(w.Handle()), "SkirmexForm");
    w.Unload();
    EXPECT_EQ(ClassName(nullptr), "");
}
