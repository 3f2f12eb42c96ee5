// Menu items on a real window's menu bar: states kept without a window, hidden items left out,
// a rebuilt bar keeping its states, command identifiers.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/MenuItem.h"

using namespace skx;

namespace {

class MenuWindow {
public:
    MenuWindow() {
        hwnd = CreateWindowExA(0, "STATIC", "menus", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    ~MenuWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

std::string Text(HMENU menu, int pos) {
    char buf[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(pos), buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

TEST(MenuItem, StatesLiveInTheItemAndReachTheBuiltMenu) {
    MenuItem bar{"bar", ""}, file{"mnuFile", "&File"}, a{"mnuA", "A"}, sep{"mnuSep", "-"}, b{"mnuB", "B", true};
    bar.Add(file);
    for (MenuItem* m : {&a, &sep, &b}) file.Add(*m);
    a.SetChecked(true);  // before any window
    EXPECT_TRUE(a.Checked());
    MenuWindow w;
    bar.AttachTo(w.hwnd);
    HMENU popup = GetSubMenu(GetMenu(w.hwnd), 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_CHECKED);
    a.SetEnabled(false);
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    b.SetCaption("Bee");
    EXPECT_EQ(Text(popup, 2), "Bee");
    EXPECT_EQ(MenuItem::FromId(b.Id()), &b);
    EXPECT_EQ(bar.FindPopup(popup), &file);

    // Hiding takes the item out; showing puts it back in its place with its states.
    a.SetVisible(false);
    popup = GetSubMenu(GetMenu(w.hwnd), 0);
    EXPECT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(Text(popup, 1), "Bee");
    a.SetVisible(true);
    popup = GetSubMenu(GetMenu(w.hwnd), 0);
    EXPECT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(Text(popup, 0), "A");
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    // A hidden menu's items can be set; they show so when it comes back.
    file.SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(GetMenu(w.hwnd)), 0);
    b.SetChecked(false);
    file.SetVisible(true);
    popup = GetSubMenu(GetMenu(w.hwnd), 0);
    EXPECT_FALSE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_CHECKED);
    bar.Release();
    EXPECT_EQ(GetMenu(w.hwnd), nullptr);
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    b.Click();
    a.Click();  // no command: nothing happens
    EXPECT_EQ(clicks, 1);
}

}  // namespace
