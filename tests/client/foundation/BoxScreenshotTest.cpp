#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "BoxDriver.h"
#include "MessageBox.h"
#include "MsgBoxSkin.h"
#include "ScreenPicture.h"
#include "WinTestSupport.h"

using namespace skx;
using boxtest::Driver;
using boxtest::FindBox;

namespace {

using Capture = testsupport::ScreenPicture;
using testsupport::CaptureWindow;

void SaveBmp(const Capture& c, const std::string& path) { testsupport::SavePicture(c, path); }

}  // namespace

// Every button set once as it is painted on the screen: the title band, the clipped
// corners and the buttons. With SKIRMEX_BOX_SHOTS set to a folder, each box is saved there.
TEST(MessageBoxSkin, EachButtonSetIsPaintedWithItsSkin) {
    const char* shots = std::getenv("SKIRMEX_BOX_SHOTS");
    const int32_t styles[] = {mbOkOnly | mbInformation, mbOkCancel | mbQuestion, mbAbortRetryIgnore | mbCritical,
                              mbYesNoCancel | mbExclamation | mbExtraButton, mbYesNo | mbQuestion | mbDefaultButton2,
                              mbRetryCancel};
    for (int32_t style : styles) {
        SCOPED_TRACE("style " + std::to_string(style));
        std::string title = "Skin " + std::to_string(style);
        Capture shot;
        DWORD shownAt = 0;
        Driver d({[&] {
                      frmMsgBox* box = FindBox(title);
                      if (!box || !IsWindowVisible(box->Handle())) return false;
                      shownAt = GetTickCount();
                      return true;
                  },
                  [&] {
                      // Captured again until it shows what is checked below, for at most 5 s.
                      frmMsgBox* box = FindBox(title);
                      shot = CaptureWindow(box->Handle());
                      const bool painted = shot.width > 40 && shot.height > TitleBandHeight + 8 &&
                                           shot.At(shot.width / 4, 2) == TitleBandColour &&
                                           shot.At(shot.width / 2, TitleBandHeight - 1) == TitleBandColour &&
                                           shot.At(shot.width - 6, TitleBandHeight + 8) == GetSysColor(COLOR_BTNFACE) &&
                                           shot.At(0, 0) != TitleBandColour;
                      if (!painted && GetTickCount() - shownAt < 5000) return false;
                      PostMessageA(box->Button(0), BM_CLICK, 0, 0);
                      return true;
                  }});
        CSendMessage("The quick brown fox jumps over the lazy dog.\r\nA second line of the message.", style, title);
        EXPECT_FALSE(d.TimedOut());
        ASSERT_GT(shot.width, 40);
        // The title band across the top, left of the close image.
        EXPECT_EQ(shot.At(shot.width / 4, 2), TitleBandColour);
        EXPECT_EQ(shot.At(shot.width / 2, TitleBandHeight - 1), TitleBandColour);
        // Below the band: the box's face.
        EXPECT_EQ(shot.At(shot.width - 6, TitleBandHeight + 8), GetSysColor(COLOR_BTNFACE));
        // The rounded region clips the corner away.
        EXPECT_NE(shot.At(0, 0), TitleBandColour);
        if (shots) SaveBmp(shot, std::string(shots) + "\\box-" + std::to_string(style) + ".bmp");
    }
}
