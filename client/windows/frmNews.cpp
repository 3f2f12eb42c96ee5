#include "frmNews.h"

#include "runtime/Conversions.h"

namespace skx {

namespace {
constexpr int16_t CountDownSeconds = 10;
}

frmNewsForm::frmNewsForm()
    : FeatureWindow("frmNews", IDD_NEWS), tmrClose("frmNews", "tmrClose", [this] { tmrClose_Timer(); }) {
    tmrClose.SetInterval(1000);
    cmdClose.Click = [] { ReleaseForm<frmNewsForm>(); };
}

void frmNewsForm::FormLoad() {
    SendMessageA(rtbNews.hWnd(), EM_SETREADONLY, TRUE, 0);
    cmdClose.SetCaption("&Close");
    cmdClose.SetEnabled(false);
    countDown_ = CountDownSeconds;
    tmrClose.SetEnabled(true);
}

void frmNewsForm::tmrClose_Timer() {
    cmdClose.SetCaption(CStr(countDown_) + "...");
    const int16_t before = countDown_--;
    if (before == 1) {
        cmdClose.SetCaption("&Close");
        cmdClose.SetEnabled(true);
        tmrClose.SetEnabled(false);
    }
}

bool frmNewsForm::OnQueryUnload(UnloadMode mode) {
    // Only the user's own close (title bar or Esc) waits for the count-down.
    return mode == UnloadMode::FormControlMenu && tmrClose.Enabled();
}

bool frmNewsForm::OnUnload() {
    tmrClose.SetEnabled(false);
    return false;
}

frmNewsForm& frmNews() { return TheForm<frmNewsForm>(); }

}  // namespace skx
