#include <gtest/gtest.h>

#include <deque>

#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "WinTestSupport.h"
#include "frmChatBar.h"
#include "frmOptions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MenuItem.h"
#include "runtime/MessagePump.h"

using namespace skx;

namespace {

std::vector<std::string> g_errors;
void Capture(const std::string& module, const std::string& proc, int16_t, int32_t number, const std::string&) {
    g_errors.push_back(module + "." + proc + " " + std::to_string(number));
}

struct OptionsFrame : Form {
    OptionsFrame() : Form("frmOptionsFrame", FormKind::MdiFrame) {}
};

// The options window over stand-ins of the main window's menu items and buttons, at level 30.
class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        g_errors.clear();
        SetReportErrorHook(&Capture);
        if (!Form::MdiFrame()) TheForm<OptionsFrame>().Load();  // the chat bar's frame
        saved_ = ClientLinks();
        ClientLinks().OptionItem = [this](MenuOption o) -> MenuItem& { return Item(o); };
        ClientLinks().AccountLevel = [] { return int16_t{30}; };
        ClientLinks().ShowCommandButtons = [this](const std::vector<ButtonShown>& b) { shown_ = b; };
        ClientLinks().FocusEntryLine = [this] { ++focused_; };
        for (int i = 0; i < static_cast<int>(MenuOption::Count); ++i) items_.emplace_back("mnuOption", "Option");
    }
    void TearDown() override {
        frmOptions().Unload();
        ClientLinks() = saved_;
        SetReportErrorHook(nullptr);
        EXPECT_EQ(g_errors, std::vector<std::string>{});
    }
    MenuItem& Item(MenuOption o) { return items_[static_cast<size_t>(o)]; }
    static void Click(Control& c) { SendMessageA(c.hWnd(), BM_CLICK, 0, 0); }

    ClientLinkTable saved_;
    std::deque<MenuItem> items_;
    std::vector<ButtonShown> shown_;
    int focused_ = 0;
};

}  // namespace

TEST_F(OptionsWindow, BoxesActAtOnceKeysResyncAndUnloadAppliesTheRest) {
    Item(MenuOption::WASD).SetChecked(true);
    Item(MenuOption::Keypad).SetChecked(true);
    const std::string font = FontType;
    frmOptionsForm& o = frmOptions();
    o.Show();
    EXPECT_EQ(o.chkWASD.Value(), 1);
    Click(o.chkWASD);
    EXPECT_FALSE(Item(MenuOption::WASD).Checked());
    EXPECT_TRUE(Item(MenuOption::Keypad).Checked());  // independent here

    // Ctrl+Tab twice, with the chat bar the frame's active child: the window's keys, not the frame's.
    Item(MenuOption::AutoChat).SetChecked(true);
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    for (int i = 0; i < 2; ++i) PostMessageA(o.chkWASD.hWnd(), WM_KEYDOWN, VK_TAB, 1);
    DoEvents();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(o.chkAutoChat.Value(), 1);  // the key brought the box up to date
    EXPECT_EQ(o.tbsOptions.SelectedIndex(), 3);
    EXPECT_TRUE(IsWindowVisible(GetParent(o.cmbChat.hWnd())));
    EXPECT_FALSE(IsWindowVisible(GetParent(o.chkWASD.hWnd())));

    Click(o.chkInstantCenter);
    o.txtType.SetText("Impact");
    o.cmdCancel.PerformClick();
    EXPECT_FALSE(o.IsLoaded());
    EXPECT_EQ(FontType, font);
    EXPECT_TRUE(Item(MenuOption::AutoCenter).Checked());
    EXPECT_EQ(focused_, 1);
}

TEST_F(OptionsWindow, ButtonCountGoesToTheMainWindowAndApplyStoresARoundedSize) {
    ButtonCount = 20;
    frmOptionsForm& o = frmOptions();
    o.Load();
    EXPECT_TRUE(o.txtButtons.Visible());
    EXPECT_EQ(std::count_if(shown_.begin(), shown_.end(), [](const ButtonShown& b) { return b.shown; }), 20);
    o.txtButtons.SetText("60");  // the box becomes "17", which runs the step again
    EXPECT_EQ(o.txtButtons.Text(), "17");
    EXPECT_EQ(ButtonCount, 17);

    o.txtType.SetText("Verdana");
    o.txtFontSize.SetText("12.5");
    o.cmbChat.SetText("Red");
    o.cmdApply.PerformClick();
    EXPECT_EQ(FontSize, 12);
    EXPECT_EQ(FontType, "Verdana");
    EXPECT_EQ(ChatColours.Name, "Red");
    EXPECT_TRUE(o.IsLoaded());
}
