#include "frmAbout.h"

#include "AboutMotion.h"
#include "ClientLinks.h"
#include "FacedPicture.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"
#include "runtime/Twips.h"

namespace skx {

namespace {
constexpr uint32_t ScrollMs = 125;
constexpr int StripHeight = 255;  // twips: picExit's height, the folded window's
}  // namespace

frmAboutForm::frmAboutForm()
    : FeatureWindow("frmAbout", IDD_ABOUT), tmrAbout("frmAbout", "tmrAbout", [this] { tmrAbout_Timer(); }) {
    imgFinger.SetVisible(false);
    imgFinger.SetToolTipText("Stealing source code for profit is NOT cool!");
    lblBrindle.MouseMove = [this](int button, int, int, int) { imgFinger.SetVisible(button == 1); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    tmrAbout.SetInterval(ScrollMs);
}

void frmAboutForm::FormLoad() {
    closing_ = programEnding_ = false;
    lblVersion.SetCaption("v" + std::to_string(App::Major()) + "." + std::to_string(App::Minor()) + "." +
                          std::to_string(App::Revision()) + App::Comments());
    if (!fraAbout.Create(Handle())) Raise(errOutOfMemory, "frmAbout", "Unable to create the credits");
    // The finger on the credits' face: the template's picture again, in the face colour.
    if (HWND finger = imgFinger.hWnd()) {
        finger_ = LoadFacedPicture("ABOUT_FINGER");
        auto old = reinterpret_cast<HBITMAP>(
            SendMessageA(finger, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(finger_.Get())));
        if (old && old != finger_.Get()) DeleteObject(old);
    }
    RECT r{};
    GetWindowRect(fraAbout.hWnd(), &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    creditsLeft_ = r.left;
    creditsTop_ = TwipsFromPixels(r.top);  // the design position
    PlaceCredits();
    ShowWindow(fraAbout.hWnd(), SW_SHOWNA);
    if (HWND strip = picExit.hWnd()) {
        RECT s{};
        GetWindowRect(strip, &s);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&s), 2);
        MoveWindow(strip, s.left, s.top, s.right - s.left, PixelsFromTwips(StripHeight), FALSE);
    }
    tmrAbout.SetEnabled(true);
}

void frmAboutForm::PlaceCredits() {
    if (HWND page = fraAbout.hWnd()) {
        SetWindowPos(page, nullptr, creditsLeft_, PixelsFromTwips(creditsTop_), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void frmAboutForm::tmrAbout_Timer() {
    HWND page = fraAbout.hWnd();
    if (!page || !Handle()) return;
    RECT r{};
    GetWindowRect(page, &r);
    creditsTop_ = NextCreditsTop(creditsTop_, TwipsFromPixels(r.bottom - r.top), Height());
    PlaceCredits();
}

void frmAboutForm::cmdClose_Click() {
    if (closing_) return;
    tmrAbout.SetEnabled(false);
    ReleaseForm<frmAboutForm>();
}

bool frmAboutForm::OnQueryUnload(UnloadMode mode) {
    const auto& ending = ClientLinks().ProgramEnding;
    programEnding_ = mode == UnloadMode::AppWindows || QuitSeen() || (ending && ending());
    return false;
}

bool frmAboutForm::OnUnload() {
    tmrAbout.SetEnabled(false);
    if (closing_ || programEnding_) return false;
    closing_ = true;
    Guard("frmAbout", "Form_Unload", [&] {
        // Each step is painted before the next; the program's end cuts the animation short.
        auto step = [&](int left, int top, int height) {
            if (QuitSeen() || !Handle()) return false;
            Move(left, top, -1, height);
            DoEvents();
            return true;
        };
        const int left = Left();
        for (int h : FoldHeights(Height(), StripHeight)) {
            if (!step(left, Top(), h)) return;
        }
        for (int t : RiseTops(Top())) {
            if (!step(Left(), t, -1)) return;
        }
        for (int l : SlideLefts(Left(), TwipsFromPixels(GetSystemMetrics(SM_CXSCREEN)))) {
            if (!step(l, 0, -1)) return;
        }
    });
    return false;
}

frmAboutForm& frmAbout() { return TheForm<frmAboutForm>(); }

}  // namespace skx
