#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>

#include "BoxDriver.h"
#include "MessageBox.h"
#include "WinTestSupport.h"
#include "runtime/App.h"
#include "runtime/Form.h"
#include "runtime/Twips.h"

using namespace skx;
using boxtest::Driver;
using boxtest::FindBox;
using boxtest::TextOf;

namespace {

bool Shown(frmMsgBox* box) { return box && IsWindowVisible(box->Handle()); }
constexpr UINT KeyHandledMarker = WM_APP + 0x3f1;

std::vector<std::string> VisibleCaptions(frmMsgBox* box) {
    std::vector<std::string> captions;
    for (int i = 0; i < 4; ++i) {
        if (IsWindowVisible(box->Button(i))) captions.push_back(TextOf(box->Button(i)));
    }
    return captions;
}

int WidthTwips(frmMsgBox* box) {
    RECT r{};
    GetWindowRect(box->Handle(), &r);
    return TwipsFromPixels(r.right - r.left);
}

}  // namespace

TEST(ClientMessageBox, ButtonPressReturnsItsResult) {
    std::vector<std::string> captions;
    Driver d({[&] {
        frmMsgBox* box = FindBox("Pick one");
        if (!Shown(box)) return false;
        captions = VisibleCaptions(box);
        PostMessageA(box->Button(1), BM_CLICK, 0, 0);
        return true;
    }});
    int32_t r = CSendMessage("Yes, no or cancel?", mbYesNoCancel, "Pick one");
    EXPECT_FALSE(d.TimedOut());
    EXPECT_EQ(r, mbrNo);
    EXPECT_EQ(captions, (std::vector<std::string>{"Yes", "No", "Cancel"}));
}

// Every button set: its captions, the results stored on its buttons, and what Escape does
// (a set without an Escape button stays open until a button is pressed).
TEST(ClientMessageBox, ButtonSetsAndEscape) {
    struct Expect {
        std::vector<std::string> captions;
        std::vector<int16_t> results;
        int32_t escapeResult;  // 0: Escape presses nothing
    };
    const Expect ok{{"Ok"}, {1}, 1};
    std::map<int, Expect> table{
        {0, ok},
        {1, {{"Ok", "Cancel"}, {1, 2}, 2}},
        {2, {{"Abort", "Retry", "Ignore"}, {3, 4, 5}, 0}},
        {3, {{"Yes", "No", "Cancel"}, {6, 7, 2}, 2}},
        {4, {{"Yes", "No"}, {6, 7}, 0}},
        {5, {{"Retry", "Cancel"}, {4, 2}, 2}},
    };
    for (int s = 6; s <= 15; ++s) table[s] = ok;
    for (const auto& [style, expect] : table) {
        SCOPED_TRACE("style " + std::to_string(style));
        std::string title = "Set " + std::to_string(style);
        std::vector<std::string> captions;
        std::vector<int16_t> results;
        bool stillOpenAfterEscape = false;
        Driver d({[&] {
                      frmMsgBox* box = FindBox(title);
                      if (!Shown(box)) return false;
                      captions = VisibleCaptions(box);
                      for (int i = 0; i < 4; ++i) {
                          if (IsWindowVisible(box->Button(i))) results.push_back(box->ButtonResult(i));
                      }
                      boxtest::PressKey(box, VK_ESCAPE);
                      // A thread message behind the key: once the box's loop has taken it, the
                      // key has been handled (a thread's posted messages keep their order).
                      PostThreadMessageA(GetCurrentThreadId(), KeyHandledMarker, 0, 0);
                      return true;
                  },
                  [&] {
                      MSG marker;
                      if (PeekMessageA(&marker, reinterpret_cast<HWND>(-1), KeyHandledMarker, KeyHandledMarker, PM_NOREMOVE)) return false;
                      frmMsgBox* box = FindBox(title);
                      if (!Shown(box)) return true;  // Escape closed it
                      stillOpenAfterEscape = true;
                      PostMessageA(box->Button(0), BM_CLICK, 0, 0);
                      return true;
                  }});
        int32_t r = CSendMessage("Which button?", style, title);
        EXPECT_FALSE(d.TimedOut());
        EXPECT_EQ(captions, expect.captions);
        EXPECT_EQ(results, expect.results);
        if (expect.escapeResult) {
            EXPECT_EQ(r, expect.escapeResult);
            EXPECT_FALSE(stillOpenAfterEscape);
        } else {
            EXPECT_TRUE(stillOpenAfterEscape);
            EXPECT_EQ(r, expect.results[0]);
        }
    }
}

TEST(ClientMessageBox, DefaultButtonTakesTheFocusAndEnterPressesIt) {
    struct Case {
        int32_t style;
        int focused;     // index of the focused button, -1 for none
        int32_t result;  // after Enter (and Escape when nothing has the focus)
    };
    const Case cases[] = {
        {292, 1, mbrNo},                           // Yes/No, question icon, second button
        {mbYesNoCancel | mbDefaultButton3, 2, mbrCancel},
        {mbOkOnly, 0, mbrOk},
        {mbOkOnly | mbDefaultButton4, -1, mbrOk},  // the hidden fourth button takes nothing
        {mbYesNo | mbExtraButton | mbDefaultButton4, 3, mbrExtra},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style));
        int focused = -2;
        Driver d({[&] {
            frmMsgBox* box = FindBox("Default");
            if (!Shown(box)) return false;
            focused = -1;
            for (int i = 0; i < 4; ++i) {
                if (GetFocus() == box->Button(i)) focused = i;
            }
            boxtest::PressKey(box, focused >= 0 ? VK_RETURN : VK_ESCAPE);
            return true;
        }});
        int32_t r = CSendMessage("Enter?", c.style, "Default");
        EXPECT_FALSE(d.TimedOut());
        EXPECT_EQ(focused, c.focused);
        EXPECT_EQ(r, c.result);
    }
}

TEST(ClientMessageBox, ExtraFourthButton) {
    std::vector<std::string> captions;
    int widthTwips = 0;
    RECT extra{};
    Driver d({[&] {
        frmMsgBox* box = FindBox("Four");
        if (!Shown(box)) return false;
        captions = VisibleCaptions(box);
        widthTwips = WidthTwips(box);
        GetWindowRect(box->Button(3), &extra);
        MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&extra), 2);
        PostMessageA(box->Button(3), BM_CLICK, 0, 0);
        return true;
    }});
    int32_t r = CSendMessage("x", mbYesNoCancel | mbExtraButton, "Four");
    EXPECT_FALSE(d.TimedOut());
    EXPECT_EQ(r, mbrExtra);
    EXPECT_EQ(captions, (std::vector<std::string>{"Yes", "No", "Cancel", "Help"}));
    // The box widens to hold the fourth button with a margin of 15 pixels.
    EXPECT_EQ(widthTwips, TwipsFromPixels(extra.right + 15));
}

TEST(ClientMessageBox, CountDownClosesWithoutAResult) {
    std::vector<std::string> titles;
    bool closeShown = true;
    Driver d({[&] {
                 if (frmMsgBox* box = FindBox("Leaving -10")) {
                     closeShown = box->CloseImageVisible();
                     return true;
                 }
                 return false;
             },
             [&] {
                 HWND h = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
                 if (!h) return true;
                 std::string t = TextOf(h);
                 if (titles.empty() || titles.back() != t) titles.push_back(t);
                 return false;
             }},
             20000, 100);
    DWORD start = GetTickCount();
    int32_t r = CSendMessage("Closing soon", mbYesNo, "Leaving", 10, false);
    DWORD took = GetTickCount() - start;
    EXPECT_FALSE(d.TimedOut());
    EXPECT_EQ(r, mbrNone);
    EXPECT_FALSE(closeShown);  // with a count-down the caller may hide the close image
    EXPECT_GE(took, 9500u);
    std::vector<std::string> expected;
    for (int s = 10; s >= 1; --s) expected.push_back("Leaving -" + std::to_string(s));
    EXPECT_EQ(titles, expected);
}

TEST(ClientMessageBox, CountDownWithoutTitleShowsTheSecondsOnly) {
    std::string first, second;
    Driver d({[&] {
                  HWND h = FindWindowA(frmMsgBox::BoxClassName(), "2");
                  if (!h) return false;
                  first = TextOf(h);
                  return true;
              },
              [&] {
                  HWND h = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
                  if (!h) return true;
                  second = TextOf(h);
                  return second != first;
              }},
             10000, 50);
    EXPECT_EQ(CSendMessage("Soon", mbOkOnly, "", 2), mbrNone);
    EXPECT_FALSE(d.TimedOut());
    EXPECT_EQ(first, "2");
    EXPECT_EQ(second, "1");
}

TEST(ClientMessageBox, CloseImageClosesWithResultZero) {
    bool visible = false;
    CloseImageState afterMove = CloseImageState::Normal, afterDown = CloseImageState::Normal;
    Driver d({[&] {
                  frmMsgBox* box = FindBox("Closable");
                  if (!Shown(box)) return false;
                  visible = box->CloseImageVisible();
                  RECT r = box->CloseImageRect();
                  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                  SendMessageA(box->Handle(), WM_MOUSEMOVE, 0, at);
                  afterMove = box->CloseImage();
                  SendMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
                  afterDown = box->CloseImage();
                  return true;
              },
              [&] {
                  boxtest::ClickCloseImage(FindBox("Closable"));
                  return true;
              }});
    // No count-down: the close image shows even when the caller asked to hide it.
    int32_t r = CSendMessage("Close me", mbYesNo, "Closable", 0, false);
    EXPECT_FALSE(d.TimedOut());
    EXPECT_EQ(r, mbrNone);
    EXPECT_TRUE(visible);
    EXPECT_EQ(afterMove, CloseImageState::Hover);
    EXPECT_EQ(afterDown, CloseImageState::Pressed);
}

TEST(ClientMessageBox, WidthFollowsTextAndTitle) {
    auto widthOf = [](const std::string& text, const std::string& title, int32_t style = 0) {
        int width = 0;
        std::string shownTitle;
        Driver d({[&] {
            HWND h = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
            frmMsgBox* box = frmMsgBox::FromWindow(h);
            if (!Shown(box)) return false;
            width = WidthTwips(box);
            shownTitle = box->TitleText();
            PostMessageA(box->Button(0), BM_CLICK, 0, 0);
            return true;
        }});
        CSendMessage(text, style, title);
        return std::make_pair(width, shownTitle);
    };
    // 1500 and 5000 twips, as whole pixels.
    EXPECT_EQ(widthOf("Hi", "T").first, TwipsFromPixels(PixelsFromTwips(1500)));
    EXPECT_EQ(widthOf(std::string(400, 'w'), "T").first, TwipsFromPixels(PixelsFromTwips(5000)));
    auto longTitle = widthOf("Hi", std::string(120, 'W'));
    EXPECT_GT(longTitle.first, 5000);
    EXPECT_EQ(widthOf("Careful", "", mbExclamation).second, "Warning!");
    EXPECT_EQ(widthOf("Careful", "Mine", mbExclamation).second, "Mine");
    EXPECT_EQ(widthOf("Bad", "", mbCritical).second, "ERROR!");
    EXPECT_EQ(widthOf("Plain", "", mbOkOnly).second, "");
}

TEST(ClientMessageBox, LongTextWrapsAndTheBoxGrowsDownwards) {
    int shortHeight = 0, longHeight = 0, buttonTop = 0, labelBottom = 0;
    auto open = [&](const std::string& text, int& height) {
        Driver d({[&] {
            frmMsgBox* box = FindBox("Tall");
            if (!Shown(box)) return false;
            RECT w{}, b{}, l{};
            GetWindowRect(box->Handle(), &w);
            GetWindowRect(box->Button(0), &b);
            GetWindowRect(box->MessageLabel(), &l);
            height = w.bottom - w.top;
            buttonTop = b.top - w.top;
            labelBottom = l.bottom - w.top;
            PostMessageA(box->Button(0), BM_CLICK, 0, 0);
            return true;
        }});
        CSendMessage(text, mbOkOnly, "Tall");
    };
    open("One line", shortHeight);
    std::string many;
    for (int i = 0; i < 60; ++i) many += "many words in a long text ";
    open(many, longHeight);
    EXPECT_GT(longHeight, shortHeight + 60);
    EXPECT_EQ(buttonTop, labelBottom + 10);

    // A text taller than the screen is cut: the box, its button with it, stays within the work area.
    std::string huge;
    for (int i = 0; i < 3000; ++i) huge += "line " + std::to_string(i) + "\r\n";
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    open(huge, longHeight);
    EXPECT_LE(longHeight, work.bottom - work.top);
    EXPECT_EQ(buttonTop, labelBottom + 10);
    EXPECT_LT(labelBottom, longHeight);
}

// A timer opens a second box while the first one waits: each box keeps its own result.
TEST(ClientMessageBox, NestedBoxesKeepTheirOwnResults) {
    int32_t inner = -1;
    bool outerStillOpen = false;
    skx::FormTimer opener("test", "tmrOpener", [&] {
        static bool once = false;
        if (once) return;
        once = true;
        inner = CSendMessage("Inner question", mbYesNo, "Inner");
        frmMsgBox* outer = FindBox("Outer");
        outerStillOpen = Shown(outer);
        if (outer) PostMessageA(outer->Button(1), BM_CLICK, 0, 0);
    });
    opener.SetInterval(100);
    Driver d({[&] {
        frmMsgBox* box = FindBox("Inner");
        if (!Shown(box)) return false;
        PostMessageA(box->Button(0), BM_CLICK, 0, 0);
        return true;
    }});
    bool waited = false;
    Driver starter({[&] {
        if (!Shown(FindBox("Outer"))) return false;
        opener.SetEnabled(true);
        waited = true;
        return true;
    }});
    int32_t outer = CSendMessage("Outer question", mbOkCancel, "Outer");
    opener.SetEnabled(false);
    EXPECT_TRUE(waited);
    EXPECT_EQ(inner, mbrYes);
    EXPECT_EQ(outer, mbrCancel);
    EXPECT_TRUE(outerStillOpen);
}

namespace {
struct PlainForm : Form {
    PlainForm() : Form("frmPlain") {}
};
struct OtherForm : Form {
    OtherForm() : Form("frmOther") {}
};
}  // namespace

TEST(ClientMessageBox, ModalBoxReEnablesOnlyWhatItDisabled) {
    PlainForm& a = TheForm<PlainForm>();
    OtherForm& b = TheForm<OtherForm>();
    a.Show();
    b.Show();
    b.SetEnabled(false);  // held disabled by someone else, as under the agreement window
    bool aDisabled = false;
    Driver d({[&] {
        frmMsgBox* box = FindBox("Modal");
        if (!Shown(box)) return false;
        aDisabled = !IsWindowEnabled(a.Handle());
        PostMessageA(box->Button(0), BM_CLICK, 0, 0);
        return true;
    }});
    EXPECT_EQ(CSendMessage("Modal", mbOkOnly, "Modal"), mbrOk);
    EXPECT_TRUE(aDisabled);
    EXPECT_TRUE(IsWindowEnabled(a.Handle()));
    EXPECT_FALSE(IsWindowEnabled(b.Handle()));
    // The box is gone: a fresh one opens on the next call.
    EXPECT_EQ(FindWindowA(frmMsgBox::BoxClassName(), nullptr), nullptr);
    a.Unload();
    b.Unload();
}

TEST(ClientMessageBox, BoxIsTopmostAndCentred) {
    LONG_PTR ex = 0;
    RECT r{}, work{};
    Driver d({[&] {
        frmMsgBox* box = FindBox("Where");
        if (!Shown(box)) return false;
        ex = GetWindowLongPtrA(box->Handle(), GWL_EXSTYLE);
        GetWindowRect(box->Handle(), &r);
        PostMessageA(box->Button(0), BM_CLICK, 0, 0);
        return true;
    }});
    CSendMessage("Centre", mbInformation, "Where");
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_NEAR((r.left + r.right) / 2, work.right / 2, 2);
    EXPECT_NEAR((r.top + r.bottom) / 2, work.bottom / 2, 2);
}

TEST(ClientMessageBox, IconsComeFromTheSystem) {
    struct Case {
        int32_t style;
        bool icon;
    };
    for (Case c : {Case{mbCritical, true}, Case{mbInformation, true}, Case{128, true}, Case{144, true},
                   Case{0, false}, Case{208, false}}) {
        SCOPED_TRACE("style " + std::to_string(c.style));
        bool has = !c.icon;
        Driver d({[&] {
            HWND h = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
            frmMsgBox* box = frmMsgBox::FromWindow(h);
            if (!Shown(box)) return false;
            has = box->HasIcon();
            PostMessageA(box->Button(0), BM_CLICK, 0, 0);
            return true;
        }});
        EXPECT_EQ(CSendMessage("Icon", c.style, "Icon"), mbrOk);
        EXPECT_EQ(has, c.icon);
    }
}

TEST(ClientMessageBox, ModelessBoxClosesItselfOnItsButton) {
    frmMsgBox* box = frmMsgBox::SMessage("Saved.", 6, "Modeless", 0, true, true, -1, "Tahoma", nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(IsWindowVisible(box->Handle()));
    EXPECT_EQ(VisibleCaptions(box), (std::vector<std::string>{"Ok"}));
    HWND h = box->Handle();
    PostMessageA(box->Button(0), BM_CLICK, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(h); }, 3000));
    // Any other button set shows no button at all.
    frmMsgBox* plain = frmMsgBox::SMessage("Note", mbYesNo, "Modeless 2", 0, true, true, -1, "Tahoma", nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(VisibleCaptions(plain).empty());
    HWND p = plain->Handle();
    boxtest::ClickCloseImage(plain);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(p); }, 3000));
}
