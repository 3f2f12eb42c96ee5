#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "WhoButtonCommand.h"
#include "frmWho.h"

using namespace skx;

TEST(WhoWindow, ButtonCommandPerSelectedPlayerRepeatedNameSkippedAndEveryHeaderClickFlipsTheOrder) {
    EXPECT_TRUE(WhoButtonCommand("tell %1 hi", {}).empty() && WhoButtonCommand("tell %1 hi\r", {"bob"}) == "tell bob hi");
    EXPECT_EQ(WhoButtonCommand("tell %1 hi", {"bob", "ann"}), "tell bob hi & tell ann hi");
    KeyedListView& grid = frmWho().gridWhoWindow;
    frmWho().Update("a:1:1:x:t:9:0;b:1:1:x:t:10:0;A:2:2:x:t:1:0;c:1:1:x:t:2:0");
    EXPECT_EQ(frmWho().Caption(), "Who's Online - 3 Players Online.");
    auto clickThenRows = [&](int column) {  // a click on the header as the user's; the rows after it
        HWND header = ListView_GetHeader(grid.hWnd());
        RECT r{};
        Header_GetItemRect(header, column, &r);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(header, WM_LBUTTONUP, 0, at);
        std::string rows;
        for (int i = 1; i <= grid.Count(); ++i) rows += grid.ItemAt(i).Text;
        return rows;
    };
    EXPECT_EQ(clickThenRows(5), "acb");  // "Games Left" as text: 9, 2, 10
    EXPECT_EQ(clickThenRows(5), "bca");
    EXPECT_EQ(clickThenRows(0), "cba");  // another column flips on from ascending
    frmWho().Unload();
}
