#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <string>

#include "WinTestSupport.h"
#include "WindowLook.h"

using namespace skx;

namespace {

const char* kBackupKey = "Software\\VB and VBA Program Settings\\RtbScrol\\WndProc";

// A parent window with two rich-text chat panes, each filled with numbered lines and shown
// from its first line.
class Panes {
public:
    Panes() {
        LoadLibraryA("riched20.dll");
        parent_ = CreateWindowExA(0, "STATIC", "panes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        for (HWND& p : pane_) {
            p = CreateWindowExA(0, "RichEdit20A", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 380, 120,
                                parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
            std::string text;
            for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
            SetWindowTextA(p, text.c_str());
            SendMessageA(p, EM_SETSEL, 0, 0);
            SendMessageA(p, WM_VSCROLL, SB_TOP, 0);
        }
    }
    ~Panes() {
        if (IsWindow(parent_)) DestroyWindow(parent_);
    }
    HWND Pane(int i) const { return pane_[i]; }
    HWND Parent() const { return parent_; }

private:
    HWND parent_ = nullptr;
    HWND pane_[2] = {};
};

// What the chat output does to append a line: caret to the end, then the new text.
void Append(HWND pane, const std::string& text) {
    SendMessageA(pane, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    SendMessageA(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(pane, EM_SCROLLCARET, 0, 0);
}

LRESULT FirstLine(HWND pane) { return SendMessageA(pane, EM_GETFIRSTVISIBLELINE, 0, 0); }

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)); }

}  // namespace

TEST(ScrollLockHook, HookedPaneStaysStillWhileTextIsAppended) {
    testsupport::RegDeleteTree(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\RtbScrol");
    Panes panes;
    HWND pane = panes.Pane(0);
    // Without the hook the pane follows the new text.
    Append(pane, "free\r\n");
    EXPECT_GT(FirstLine(pane), 100);
    SendMessageA(pane, WM_VSCROLL, SB_TOP, 0);
    ASSERT_EQ(FirstLine(pane), 0);

    WNDPROC original = ProcOf(pane);
    SetHook(pane, true);
    EXPECT_EQ(ProcOf(pane), &AppWndProc);
    EXPECT_TRUE(IsHooked(pane));
    for (int i = 0; i < 20; ++i) Append(pane, "held " + std::to_string(i) + "\r\n");
    EXPECT_EQ(FirstLine(pane), 0);
    // The text did arrive.
    EXPECT_GT(GetWindowTextLengthA(pane), 2000);
    // The first message wrote the backup of the pane's own procedure as decimal text.
    auto backup = testsupport::RegReadString(HKEY_CURRENT_USER, kBackupKey, "WndProc");
    ASSERT_TRUE(backup.has_value());
    EXPECT_EQ(*backup, std::to_string(reinterpret_cast<uintptr_t>(original)));

    SetHook(pane, false);
    EXPECT_EQ(ProcOf(pane), original);
    EXPECT_FALSE(IsHooked(pane));
    EXPECT_FALSE(testsupport::RegReadString(HKEY_CURRENT_USER, kBackupKey, "WndProc").has_value());
    Append(pane, "free again\r\n");
    EXPECT_GT(FirstLine(pane), 100);

    // Hooked anew: the backup is written again.
    SetHook(pane, true);
    Append(pane, "x");
    EXPECT_TRUE(testsupport::RegReadString(HKEY_CURRENT_USER, kBackupKey, "WndProc").has_value());
    SetHook(pane, false);
    EXPECT_EQ(ProcOf(pane), original);
}

TEST(ScrollLockHook, UnhookAfterATabChangeRestoresTheHookedPane) {
    Panes panes;
    WNDPROC original0 = ProcOf(panes.Pane(0));
    WNDPROC original1 = ProcOf(panes.Pane(1));
    SetHook(panes.Pane(0), true);
    SetHook(panes.Pane(0), true);  // a second hook of the same pane changes nothing
    Append(panes.Pane(0), "a");
    // The selected tab changed: the menu now names the other pane.
    SetHook(panes.Pane(1), false);
    EXPECT_EQ(ProcOf(panes.Pane(0)), original0);
    EXPECT_EQ(ProcOf(panes.Pane(1)), original1);
    EXPECT_FALSE(IsHooked(panes.Pane(0)));
    // Both panes still work.
    Append(panes.Pane(0), "after\r\n");
    Append(panes.Pane(1), "after\r\n");
    EXPECT_GT(FirstLine(panes.Pane(0)), 100);
    // Unhooking with nothing hooked does nothing.
    SetHook(panes.Pane(0), false);
    EXPECT_EQ(ProcOf(panes.Pane(0)), original0);
}

TEST(ScrollLockHook, DestroyedHookedPaneLeavesNothingBehind) {
    Panes panes;
    HWND pane = panes.Pane(1);
    SetHook(pane, true);
    Append(pane, "bye");
    DestroyWindow(pane);
    EXPECT_FALSE(IsHooked(pane));
    EXPECT_FALSE(testsupport::RegReadString(HKEY_CURRENT_USER, kBackupKey, "WndProc").has_value());
    SetHook(pane, false);  // a stale handle: nothing to do, nothing called
    SetHook(pane, true);
    EXPECT_FALSE(IsHooked(pane));
}

TEST(ScrollLockHook, HookedPaneDoesNotTakeTheFocus) {
    Panes panes;
    HWND pane = panes.Pane(0);
    SetHook(pane, true);
    // The pane never handles the focus message, so it shows no caret of its own.
    EXPECT_EQ(SendMessageA(pane, WM_SETFOCUS, 0, 0), -1);
    EXPECT_EQ(SendMessageA(pane, EM_SCROLLCARET, 0, 0), -1);
    SetHook(pane, false);
}
