#include <gtest/gtest.h>

#include <windows.h>

#include "BoxDriver.h"
#include "MessageBox.h"
#include "runtime/App.h"

using namespace skx;
using boxtest::Driver;
using boxtest::FindBox;

namespace {

// Opens an input box with the default text "start", types text over it and ends it with
// the given action; returns what the box returned.
std::string Answer(const std::string& typed, const std::function<void(frmMsgBox*)>& finish,
                   std::string* selectedOnOpen = nullptr) {
    Driver d({[&] {
        frmMsgBox* box = FindBox("Name?");
        if (!box || !IsWindowVisible(box->Handle())) return false;
        if (selectedOnOpen) {
            DWORD from = 0, to = 0;
            SendMessageA(box->UserText(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            *selectedOnOpen = std::to_string(from) + "-" + std::to_string(to) +
                              (GetFocus() == box->UserText() ? " focused" : "");
        }
        SetWindowTextA(box->UserText(), typed.c_str());
        finish(box);
        return true;
    }});
    std::string title = "Name?";
    std::string text = "start";
    std::string r = CInputMessage("Your name:", title, text);
    EXPECT_FALSE(d.TimedOut());
    return r;
}

}  // namespace

TEST(ClientInputBox, OkReturnsTheText) {
    std::string selected;
    EXPECT_EQ(Answer("Ginger", [](frmMsgBox* b) { PostMessageA(b->Button(0), BM_CLICK, 0, 0); }, &selected),
              "Ginger");
    EXPECT_EQ(selected, "0-5 focused");  // the default text is selected whole
    EXPECT_EQ(Answer("", [](frmMsgBox* b) { PostMessageA(b->Button(0), BM_CLICK, 0, 0); }), "");
}

TEST(ClientInputBox, EnterInTheFieldPressesOk) {
    EXPECT_EQ(Answer("Typed", [](frmMsgBox* b) { boxtest::PressKey(b, VK_RETURN); }), "Typed");
}

TEST(ClientInputBox, CancelEscapeAndCloseReturnNothing) {
    EXPECT_EQ(Answer("Lost", [](frmMsgBox* b) { PostMessageA(b->Button(1), BM_CLICK, 0, 0); }), "");
    EXPECT_EQ(Answer("Lost", [](frmMsgBox* b) { boxtest::PressKey(b, VK_ESCAPE); }), "");
    EXPECT_EQ(Answer("Lost", [](frmMsgBox* b) { boxtest::ClickCloseImage(b); }), "");
}

TEST(ClientInputBox, EmptyTitleBecomesTheProgramTitle) {
    std::string shown;
    Driver d({[&] {
        HWND h = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
        frmMsgBox* box = frmMsgBox::FromWindow(h);
        if (!box || !IsWindowVisible(h)) return false;
        shown = box->TitleText();
        PostMessageA(box->Button(1), BM_CLICK, 0, 0);
        return true;
    }});
    std::string title;
    std::string text;
    CInputMessage("Prompt", title, text);
    EXPECT_EQ(shown, App::Title());
    EXPECT_EQ(title, App::Title());
}

TEST(ClientInputBox, FieldSitsBelowThePromptAndTheButtonsBelowTheField) {
    RECT label{}, field{}, ok{}, box{};
    Driver d({[&] {
        frmMsgBox* b = FindBox("Layout");
        if (!b || !IsWindowVisible(b->Handle())) return false;
        GetWindowRect(b->Handle(), &box);
        GetWindowRect(b->MessageLabel(), &label);
        GetWindowRect(b->UserText(), &field);
        GetWindowRect(b->Button(0), &ok);
        PostMessageA(b->Button(1), BM_CLICK, 0, 0);
        return true;
    }});
    CInputMessage("Prompt", std::string("Layout"), std::string("x"));
    EXPECT_EQ(field.left - box.left, 25);
    EXPECT_EQ(field.top, label.bottom + 10);
    EXPECT_EQ(field.right - field.left, (label.right - label.left) - 25);
    EXPECT_EQ(ok.top, field.bottom + 10);
    EXPECT_EQ(box.right - box.left, 5000 / 15);
    EXPECT_EQ(box.bottom, ok.bottom + 10);
}
