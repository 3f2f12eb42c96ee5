#include <gtest/gtest.h>

#include <windows.h>

#include "AccountState.h"
#include "frmTournament.h"

using namespace skx;

TEST(TournamentWindow, ShiftPressesOnTheGameTreeReadTheNodeTheTreeHasSelected) {
    AccessLevel = 95;
    frmTournamentForm& console = frmTournament();
    console.Load();
    KeyedTreeView& tree = console.trvTeams(4);
    const int red = tree.Add(0, "Red Devils", "Red Devils (3W 1L)");
    tree.AddUnkeyed(red, "bob");
    const int alpha = tree.Add(0, "Alpha", "Alpha (0W 0L)");
    tree.Select(red + 1);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    auto press = [&](UINT down, int node) {  // the release waits in the queue, as the tree expects
        const RECT r = tree.NodeRect(node);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(tree.hWnd(), down + 1, 0, at);
        SendMessageA(tree.hWnd(), down, (down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON) | MK_SHIFT, at);
    };
    press(WM_RBUTTONDOWN, alpha);  // a right press leaves the member of Red Devils selected
    press(WM_LBUTTONDOWN, alpha);  // a left press selects Alpha first
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(console.txtTeamB.Text(), "'Red Devils'");
    EXPECT_EQ(console.txtTeamA.Text(), "Alpha");
    console.Unload();
}
