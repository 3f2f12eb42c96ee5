#include <gtest/gtest.h>

#include <windows.h>

#include "BoxDriver.h"
#include "MessageBox.h"

using namespace skx;
using boxtest::Driver;
using boxtest::FindBox;

TEST(ClientMessageBox, ButtonPressReturnsItsResult) {
    std::vector<std::string> captions;
    Driver d({[&] {
        frmMsgBox* box = FindBox("Pick one");
        if (!box || !IsWindowVisible(box->Handle())) return false;
        for (int i = 0; i < 4; ++i) {
            if (IsWindowVisible(box->Button(i))) captions.push_back(boxtest::TextOf(box->Button(i)));
        }
        PostMessageA(box->Button(1), BM_CLICK, 0, 0);
        return true;
    }});
    int32_t r = CSendMessage("Yes, no or cancel?", mbYesNoCancel, "Pick one");
    EXPECT_FALSE(d.TimedOut());
    EXPECT_EQ(r, mbrNo);
    EXPECT_EQ(captions, (std::vector<std::string>{"Yes", "No", "Cancel"}));
}
