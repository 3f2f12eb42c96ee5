#include <gtest/gtest.h>

#include <windows.h>

#include "TestDialogs.h"
#include "WholeFile.h"
#include "WinTestSupport.h"
#include "runtime/DialogControls.h"
#include "runtime/DialogForm.h"
#include "runtime/ErrorGuard.h"
#include "runtime/KeyedListView.h"
#include "runtime/KeyedTreeView.h"
#include "runtime/MessagePump.h"
#include "runtime/RichTextEditing.h"

using namespace skx;

namespace {

int g_destroyed = 0;
int g_destroyedInHandler = -1;
std::vector<int32_t> g_reported;
void Capture(const std::string&, const std::string&, int16_t, int32_t number, const std::string&) {
    g_reported.push_back(number);
}

struct TestDialog : DialogForm {
    TestDialog() : DialogForm("frmTest", IDD_TEST_DIALOG) {
        txtNote.Change = [this] { ++changes; };
        chkTick.Click = [this] { ++ticks; };
        cmdNext.Click = [this] { ++nexts; };
        cmdGo.Click = [this] {
            ++gos;
            if (!releaseOnGo) return;
            ReleaseForm<TestDialog>();
            g_destroyedInHandler = g_destroyed;
        };
    }
    ~TestDialog() override { ++g_destroyed; }
    TextBox txtLine{*this, IDC_TEST_LINE, "txtLine"};
    TextBox txtNote{*this, IDC_TEST_NOTE, "txtNote"};
    CheckBox chkTick{*this, IDC_TEST_TICK, "chkTick"};
    Button cmdNext{*this, IDC_TEST_NEXT, "cmdNext"};
    Button cmdGo{*this, IDC_TEST_GO, "cmdGo"};
    KeyedListView lvList{*this, IDC_TEST_LIST, "lvList"};
    KeyedTreeView trvTree{*this, IDC_TEST_TREE, "trvTree"};
    RichTextBox rtbText{*this, IDC_TEST_RICH, "rtbText"};
    int changes = 0, ticks = 0, nexts = 0, gos = 0;
    bool releaseOnGo = false;
};

void PostKey(HWND to, UINT msg, WPARAM key) { PostMessageA(to, msg, key, 1); }

void ClickAt(HWND window, POINT at, bool right = false) {
    LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageA(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, where);
    PostMessageA(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, where);
}

class DialogForms : public ::testing::Test {
protected:
    void SetUp() override {
        g_reported.clear();
        SetReportErrorHook(&Capture);
        form().Show();
    }
    void TearDown() override {
        form().Unload();
        SetReportErrorHook(nullptr);
    }
    static TestDialog& form() { return TheForm<TestDialog>(); }
};

}  // namespace

TEST_F(DialogForms, TabEnterMnemonicsAndEscWorkInsideAWait) {
    TestDialog& f = form();
    SetForegroundWindow(f.Handle());
    SetFocus(f.txtLine.hWnd());
    PostKey(f.txtLine.hWnd(), WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == f.txtNote.hWnd(); }, 2000));
    SetFocus(f.txtLine.hWnd());
    PostKey(f.txtLine.hWnd(), WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return f.gos == 1; }, 2000));
    PostKey(f.txtLine.hWnd(), WM_SYSCHAR, 'n');
    EXPECT_TRUE(PumpUntil([&] { return f.nexts == 1; }, 2000));
    PostKey(f.txtLine.hWnd(), WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !f.IsLoaded(); }, 2000));
}

TEST_F(DialogForms, ProgramTextRunsChangeOnceAndProgramTickNoClick) {
    TestDialog& f = form();
    f.txtNote.SetText("set by the program");  // a multi-line box tells no change itself
    EXPECT_EQ(f.changes, 1);
    SendMessageA(f.txtNote.hWnd(), WM_CHAR, 'x', 1);
    EXPECT_EQ(f.changes, 2);
    f.chkTick.SetValue(1);
    EXPECT_EQ(f.ticks, 0);
    SendMessageA(f.chkTick.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.ticks, 1);
    EXPECT_EQ(f.chkTick.Value(), 0);
}

TEST_F(DialogForms, ReleaseWaitsForTheAskingHandlerToEnd) {
    TestDialog& f = form();
    const int before = g_destroyed;
    f.releaseOnGo = true;
    SendMessageA(f.cmdGo.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(g_destroyedInHandler, before);  // the handler still had its form
    EXPECT_EQ(g_destroyed, before + 1);       // gone once it ended
    EXPECT_EQ(form().gos, 0);                 // the next use makes a fresh one
}

TEST_F(DialogForms, RichTextBoxTakesServerTextAsPlainText) {
    RtbSetPlainText(form().rtbText, "{\\rtf1 x}");
    EXPECT_EQ(form().rtbText.Text(), "{\\rtf1 x}");
}

TEST_F(DialogForms, KeyedListRefusesEmptyAndRepeatedKeysOncePerFillAndSortsByHeader) {
    KeyedListView& list = form().lvList;
    list.SetColumns({{"name", "Name", 80}, {"level", "Level", 50}});
    list.SetComparator("level", [](const std::string& a, const std::string& b) { return atoi(a.c_str()) - atoi(b.c_str()); });
    for (const char* name : {"bob", "BOB", "", "al", "cy"}) {
        if (int row = list.Add(name, name)) list.SetSubItem(row, "level", name[0] == 'a' ? "10" : "9");
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(g_reported, std::vector<int32_t>{35602});  // once in the fill
    list.AddUnkeyed("nobody looks me up");
    list.AddUnkeyed("nobody looks me up");
    EXPECT_EQ(list.Count(), 5);

    HWND header = reinterpret_cast<HWND>(SendMessageA(list.hWnd(), LVM_GETHEADER, 0, 0));
    RECT level{};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&level));
    ClickAt(header, POINT{(level.left + level.right) / 2, (level.top + level.bottom) / 2});
    PumpUntil([&] { return list.SortDescending(); }, 2000);
    EXPECT_EQ(list.ItemAt(1).Text, "al");  // 10 above 9: by number, descending first
    ClickAt(header, POINT{(level.left + level.right) / 2, (level.top + level.bottom) / 2});
    PumpUntil([&] { return !list.SortDescending(); }, 2000);
    EXPECT_EQ(list.ItemAt(5).Text, "al");  // the rows without a level (0) first
    EXPECT_EQ(list.IndexOf("AL"), 5);

    list.Clear();
    list.Add("x", "x");
    list.Add("x", "x");
    EXPECT_EQ(g_reported.size(), 2u);  // a new fill reports again
}

TEST_F(DialogForms, KeyedListSelectsOneOrManyAndClicksOnlyFromTheUser) {
    KeyedListView& list = form().lvList;
    list.SetColumns({{"name", "Name", 80}});
    int clicked = 0;
    list.ItemClick = [&](int row) { clicked = row; };
    for (const char* name : {"a", "b", "c"}) list.Add(name, name);
    list.SetMultiSelect(true);
    list.SetSelected(1, true);
    list.SetSelected(2, true);
    EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{1, 2}));
    list.SetMultiSelect(false);
    list.Select(3);
    list.SetSelected(1, true);
    EXPECT_EQ(list.SelectedIndexes(), std::vector<int>{1});
    EXPECT_EQ(clicked, 0);
    RECT row = list.ItemRect(2);
    ClickAt(list.hWnd(), POINT{row.left + 4, (row.top + row.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return clicked == 2; }, 2000));
}

TEST_F(DialogForms, KeyedTreeNodesAreBoldColouredHitAndNotEdited) {
    KeyedTreeView& tree = form().trvTree;
    int team = tree.Add(0, "Reds", "Reds (2W 1L)");
    tree.AddUnkeyed(team, "ann");
    EXPECT_EQ(tree.Add(0, "reds", "again"), 0);
    tree.SetBold(team, true);
    tree.SetForeColor(team, RGB(200, 0, 0));
    EXPECT_EQ(tree.Count(), 2);
    EXPECT_EQ(g_reported.size(), 1u);
    RECT r = tree.NodeRect(team);
    EXPECT_EQ(tree.HitTest(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), team);
    TVITEMA item{};
    item.mask = TVIF_STATE;
    item.stateMask = TVIS_BOLD;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree.hWnd(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SendMessageA(tree.hWnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.state & TVIS_BOLD);
    EXPECT_FALSE(GetWindowLongA(tree.hWnd(), GWL_STYLE) & TVS_EDITLABELS);
}

TEST(SafeReplace, ReplacesWholeOrKeepsTheOldFile) {
    testsupport::ScratchDir dir("replace");
    const std::string file = dir.File("Notes.DAT");
    ASSERT_TRUE(WriteWholeFile(file, "old"));
    EXPECT_TRUE(ReplaceWholeFile(file, "new"));
    EXPECT_EQ(testsupport::ReadFileBytes(file), "new");
    EXPECT_FALSE(testsupport::FileExists(file + ".new"));
    CreateDirectoryA((file + ".new").c_str(), nullptr);  // the temporary cannot be written
    EXPECT_FALSE(ReplaceWholeFile(file, "lost"));
    EXPECT_EQ(testsupport::ReadFileBytes(file), "new");
    RemoveDirectoryA((file + ".new").c_str());
    // Another program reading the file for a moment: a plain move over it fails while it reads...
    HANDLE reader = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(WriteWholeFile(file + ".other", "plain"));
    EXPECT_FALSE(MoveFileExA((file + ".other").c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
    DeleteFileA((file + ".other").c_str());
    // ...and the replace tries again for a while (100 ms) before it gives up, the old file kept...
    const DWORD start = GetTickCount();
    EXPECT_FALSE(ReplaceWholeFile(file, "lost"));
    EXPECT_GE(GetTickCount() - start, 80u);
    EXPECT_EQ(testsupport::ReadFileBytes(file), "new");
    // ...and once the reader lets go, it replaces the file.
    CloseHandle(reader);
    EXPECT_TRUE(ReplaceWholeFile(file, "newer"));
    EXPECT_EQ(testsupport::ReadFileBytes(file), "newer");
}
