#include "frmMsgBox.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "MsgBoxStyle.h"
#include "runtime/App.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/LateBound.h"
#include "runtime/MessagePump.h"
#include "runtime/Twips.h"

namespace skx {

namespace {

constexpr int ButtonIdBase = 100;
constexpr int UserTextId = 110;
constexpr int MessageId = 111;
// Design-time layout of the buttons and the text field (pixels).
constexpr int ButtonLeft0 = 8;
constexpr int ButtonStep = 80;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int UserTextHeight = 21;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

int ButtonLeft(int index) { return ButtonLeft0 + index * ButtonStep; }

FontHandle MakeFont(const std::string& face, int points, bool bold = false) {
    WindowDC screen(nullptr);
    int height = -MulDiv(points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    std::string name = face.empty() ? std::string("Tahoma") : face.substr(0, LF_FACESIZE - 1);
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    return FontHandle(CreateFontIndirectA(&lf));
}

std::string WindowText(HWND h) {
    int n = GetWindowTextLengthA(h);
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(n, 0)));
    return s;
}

// Modeless boxes live here until they have been closed.
std::vector<std::unique_ptr<frmMsgBox>>& ModelessBoxes() {
    static std::vector<std::unique_ptr<frmMsgBox>> boxes;
    return boxes;
}

void ReleaseClosedModelessBoxes() {
    auto& boxes = ModelessBoxes();
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [](const std::unique_ptr<frmMsgBox>& b) { return !b->IsLoaded(); }),
                boxes.end());
}

}  // namespace

frmMsgBox::frmMsgBox()
    : Form("frmMsgBox", FormKind::Dialog), Timer1_("frmMsgBox", "Timer1", [this] { Timer1_Timer(); }) {
    style_ = WS_POPUP | WS_CLIPCHILDREN;
    exStyle_ = 0;
    initialRect_ = RECT{0, 0, PixelsFromTwips(1500), PixelsFromTwips(800)};
    initialCaption_.clear();
    Timer1_.SetInterval(1000);
}

frmMsgBox::~frmMsgBox() { Timer1_.SetEnabled(false); }

const char* frmMsgBox::BoxClassName() {
    static const bool registered = (RegisterFormClass("SkirmexMsgBox", false), true);
    (void)registered;
    return "SkirmexMsgBox";
}

frmMsgBox* frmMsgBox::FromWindow(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return nullptr;
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) != BoxClassName()) return nullptr;
    return static_cast<frmMsgBox*>(Form::FromHandle(hwnd));
}

HWND frmMsgBox::CreateFormWindow(HWND owner) {
    return CreateWindowExA(exStyle_, BoxClassName(), initialCaption_.c_str(), style_, initialRect_.left,
                           initialRect_.top, initialRect_.right, initialRect_.bottom, owner, nullptr,
                           Instance(), this);
}

void frmMsgBox::OnLoad() {
    HWND self = Handle();
    for (int i = 0; i < 4; ++i) {
        cmdButton_[static_cast<size_t>(i)] =
            CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, ButtonLeft(i), 60,
                            ButtonWidth, ButtonHeight, self,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ButtonIdBase + i)), Instance(), nullptr);
    }
    txtUserText_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 25, 60,
                                   200, UserTextHeight, self,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(UserTextId)), Instance(), nullptr);
    txtMessage_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                                  8, 40, 80, 16, self, reinterpret_cast<HMENU>(static_cast<INT_PTR>(MessageId)),
                                  Instance(), nullptr);
    buttonFont_ = MakeFont("Tahoma", 8);
    for (HWND b : cmdButton_) SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.Get()), FALSE);
    SendMessageA(txtUserText_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.Get()), FALSE);
}

bool frmMsgBox::OnUnload() {
    Timer1_.SetEnabled(false);
    return false;
}

HWND frmMsgBox::Button(int index) const {
    return index >= 0 && index < 4 ? cmdButton_[static_cast<size_t>(index)] : nullptr;
}

int16_t frmMsgBox::ButtonResult(int index) const {
    return index >= 0 && index < 4 ? buttonTag_[static_cast<size_t>(index)] : 0;
}

void frmMsgBox::SetupButton(int index, const char* caption, int16_t tag) {
    HWND b = Button(index);
    if (!b) return;
    SetWindowTextA(b, caption);
    buttonTag_[static_cast<size_t>(index)] = tag;
    ShowWindow(b, SW_SHOWNA);
}

void frmMsgBox::ApplyButtonSet(int32_t sIcon, bool extraOnly) {
    MsgBoxButtonSet set = ButtonSetOf(sIcon);
    if (extraOnly) {
        // The modeless box: only set 6 gets its one button.
        if ((sIcon & 15) == 6) {
            SetupButton(0, "Ok", 1);
            cancelButton_ = 0;
        }
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const MsgBoxButton& b = set.Buttons[static_cast<size_t>(i)];
        if (b.Caption) SetupButton(i, b.Caption, b.Result);
    }
    cancelButton_ = set.EscapeButton;
    if (sIcon & ExtraButtonBit) SetupButton(3, ExtraButtonCaption(), ExtraButtonResult);
}

int16_t frmMsgBox::SMessageModal(const std::string& sText, int32_t sIcon, const std::string& sTitle,
                                 int32_t lAutoCloseSeconds, bool bShowClose, bool bCenter, int32_t lWidth,
                                 const std::string& sFont, Form* OwnerForm) {
    bool laidOut = Guard("frmMsgBox", "SMessageModal", [&] {
        Load();
        int32_t iconCode = sIcon & 240;
        defaultButton_ = DefaultButtonOf(sIcon);
        // A box that never closes by itself always shows its close image.
        if (lAutoCloseSeconds <= 0) bShowClose = true;
        ApplyButtonSet(sIcon, false);
        DisplayMessage(sText, iconCode, sTitle, lAutoCloseSeconds, bShowClose, bCenter, lWidth, sFont);
        DoEvents();
    });
    if (!laidOut || !IsLoaded()) {
        Unload();
        return 0;
    }
    // From here on a failure is passed over: the box is shown whatever happens.
    MakeTopmost(OwnerForm);
    Guard("frmMsgBox", "SMessageModal", [&] { Show(ShowMode::Modal); });
    int16_t result = result_;
    DoEvents();
    Unload();
    return result;
}

std::string frmMsgBox::SInputBox(const std::string& sPrompt, std::string& sTitle, std::string& sDefault,
                                 int32_t /*lAutoCloseSeconds*/, bool bCenter, const std::string& sFont) {
    bool laidOut = Guard("frmMsgBox", "SInputBox", [&] {
        Load();
        SetupButton(0, "Ok", 1);
        enterButton_ = 0;
        SetupButton(1, "Cancel", 2);
        cancelButton_ = 1;
        ShowWindow(txtUserText_, SW_SHOWNA);
        inputMode_ = true;
        if (sTitle.empty()) sTitle = App::Title();
        DisplayInputBox(sPrompt, sTitle, sDefault, bCenter, sFont);
        DoEvents();
    });
    if (!laidOut || !IsLoaded()) {
        Unload();
        return {};
    }
    MakeTopmost(nullptr);
    std::string text;
    Guard("frmMsgBox", "SInputBox", [&] {
        Show(ShowMode::Modal);
        // Only "Ok" hands the text back; Cancel, Escape and the close image give "".
        if (result_ == 1 && txtUserText_ && IsWindow(txtUserText_)) text = WindowText(txtUserText_);
    });
    Unload();
    return text;
}

frmMsgBox* frmMsgBox::SMessage(const std::string& sText, int32_t sIcon, const std::string& sTitle,
                               int32_t lAutoCloseSeconds, bool bShowClose, bool bCenter, int32_t lWidth,
                               const std::string& sFont, Form* OwnerForm) {
    ReleaseClosedModelessBoxes();
    auto box = std::make_unique<frmMsgBox>();
    frmMsgBox* self = box.get();
    bool ok = Guard("frmMsgBox", "SMessage", [&] {
        self->Load();
        self->closeOnPress_ = true;
        if (lAutoCloseSeconds <= 0) bShowClose = true;
        self->ApplyButtonSet(sIcon, true);
        self->DisplayMessage(sText, sIcon & 240, sTitle, lAutoCloseSeconds, bShowClose, bCenter, lWidth, sFont);
        self->Show(ShowMode::Modeless, OwnerForm);
        SetWindowPos(self->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    });
    if (!ok || !self->IsLoaded()) return nullptr;
    ModelessBoxes().push_back(std::move(box));
    return self;
}

void frmMsgBox::MakeTopmost(Form* OwnerForm) {
    // A box for a visible owner stays in that owner's place; any other box floats on top.
    bool ownerShown = OwnerForm && OwnerForm->Handle() && IsWindowVisible(OwnerForm->Handle());
    if (!ownerShown && Handle()) {
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// ---- Layout ----------------------------------------------------------------------------

void frmMsgBox::ApplyFonts(const std::string& sFont) {
    windowFont10_ = MakeFont(sFont, 10);
    windowFont8_ = MakeFont(sFont, 8);
    if (windowFont10_) SendMessageA(txtMessage_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont10_.Get()), FALSE);
    closeState_ = CloseImageState::Normal;
}

void frmMsgBox::RecordCursor() {
    POINT p{};
    if (!GetCursorPos(&p)) Raise(errInvalidProcedureCall, "frmMsgBox", "The mouse position cannot be read");
    cursorTwips_ = POINT{TwipsFromPixels(p.x), TwipsFromPixels(p.y)};
}

int frmMsgBox::TextWidthPx(HFONT font, const std::string& text) const {
    WindowDC dc(Handle());
    SelectInDC use(dc.Get(), font);
    int widest = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        SIZE sz{};
        if (!line.empty() && GetTextExtentPoint32A(dc.Get(), line.data(), static_cast<int>(line.size()), &sz)) {
            widest = std::max(widest, static_cast<int>(sz.cx));
        }
        start = end + 1;
    }
    return widest;
}

void frmMsgBox::SetTitle(const std::string& title) {
    lblTitle_ = title;
    // The window carries the shown title too, so the box can be found by it.
    if (Handle()) {
        SetWindowTextA(Handle(), title.c_str());
        InvalidateRect(Handle(), &titleRect_, TRUE);
    }
}

void frmMsgBox::SetSizeTwips(int widthTwips, int heightTwips) {
    RECT r{};
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, 0, 0, PixelsFromTwips(widthTwips), PixelsFromTwips(heightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int frmMsgBox::InnerWidth() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.right;
}

int frmMsgBox::InnerHeight() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    return r.bottom;
}

namespace {
// The tallest the message label may grow: the box, with its title band and buttons, stays
// within the screen's work area.
int LabelHeightBound() {
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return std::max<int>(static_cast<int>(work.bottom - work.top) - 40 - 10 - ButtonHeight - 10 - 20, 40);
}
}  // namespace

int frmMsgBox::PlaceMessageLabel(const std::string& text) {
    const int left = 8, top = 40;
    int width = std::max(InnerWidth() - 20, 1);
    int height = InnerHeight() - 50;
    std::string shown = text;
    // The label grows downwards to hold its wrapped text, up to the screen's height: a longer
    // text is cut (at the longest beginning that fits) and ends in "...".
    {
        WindowDC dc(txtMessage_);
        SelectInDC use(dc.Get(), windowFont10_ ? windowFont10_.Get() : buttonFont_.Get());
        auto measure = [&](const std::string& t) {
            RECT calc{0, 0, width, 0};
            const std::string measured = t.empty() ? std::string(" ") : t;
            DrawTextA(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &calc,
                      DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
            return static_cast<int>(calc.bottom);
        };
        const int bound = LabelHeightBound();
        int needed = measure(shown);
        if (needed > bound) {
            size_t fits = 0, over = text.size();
            while (over - fits > 1) {
                const size_t mid = fits + (over - fits) / 2;
                if (measure(text.substr(0, mid) + "...") <= bound) fits = mid;
                else over = mid;
            }
            shown = text.substr(0, fits) + "...";
            needed = measure(shown);
        }
        height = std::max<int>(height, std::min(needed, bound));
    }
    SetWindowTextA(txtMessage_, shown.c_str());
    MoveWindow(txtMessage_, left, top, width, height, TRUE);
    int bottom = top + height;
    if (bottom >= InnerHeight() - 10) {
        RECT r{};
        GetWindowRect(Handle(), &r);
        SetSizeTwips(TwipsFromPixels(r.right - r.left), TwipsFromPixels(bottom + 10));
    }
    return bottom;
}

int frmMsgBox::PlaceButtons(int top, int& widthTwips) {
    int last = 0;
    for (int i = 3; i >= 1; --i) {
        if (buttonTag_[static_cast<size_t>(i)] > 0) {
            last = i;
            break;
        }
    }
    for (int i = 0; i < 4; ++i) MoveWindow(Button(i), ButtonLeft(i), top, ButtonWidth, ButtonHeight, TRUE);
    int needed = TwipsFromPixels(ButtonLeft(last) + ButtonWidth + 15);
    if (needed > widthTwips) widthTwips = needed;
    return TwipsFromPixels(top + ButtonHeight + 10);
}

void frmMsgBox::FinishSkin() {
    int w = InnerWidth();
    closeRect_ = RECT{w - CloseImageSize - 8, 4, w - 8, 4 + CloseImageSize};
    titleRect_ = RECT{2, 5, 2 + w, 5 + 25};
    RECT r{};
    GetWindowRect(Handle(), &r);
    ClipToRoundedRegion(Handle(), r.right - r.left, r.bottom - r.top);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void frmMsgBox::DisplayMessage(const std::string& sText, int32_t iconCode, const std::string& sTitle,
                               int32_t lAutoCloseSeconds, bool bShowClose, bool bCenter, int32_t lWidth,
                               const std::string& sFont) {
    // Fonts and pictures first; a failure there is skipped.
    try {
        ApplyFonts(sFont);
    } catch (...) {
    }
    RecordCursor();

    std::string title = sTitle;
    MsgBoxIcon icon = IconOf(iconCode);
    if (title.empty() && icon.EmptyTitle) title = icon.EmptyTitle;
    if (icon.Beep >= 0) MessageBeep(static_cast<UINT>(icon.Beep));
    iconId_ = icon.IconId;
    countdownTitle_ = title;

    int width;
    if (lWidth == -1) {
        width = std::min(TwipsFromPixels(TextWidthPx(windowFont10_.Get(), sText) + 20), 5000);
    } else {
        width = std::clamp(lWidth, 0, 60000);
    }
    if (width < 1500) width = 1500;

    std::string shown = title;
    if (lAutoCloseSeconds > 0) shown = title.empty() ? CStr(lAutoCloseSeconds) : title + " -" + CStr(lAutoCloseSeconds);

    int titleWidth = TwipsFromPixels(TextWidthPx(windowFont8_.Get(), shown) + 90);
    if (titleWidth > width) width = titleWidth;

    SetTitle(shown);
    SetSizeTwips(width, 800);

    int labelBottom = PlaceMessageLabel(sText);

    if (buttonTag_[0] > 0 || buttonTag_[3] > 0) {
        int height = PlaceButtons(labelBottom + 10, width);
        SetSizeTwips(width, height);
    }

    closeVisible_ = bShowClose;

    if (lAutoCloseSeconds <= 0) {
        Timer1_.SetEnabled(false);
    } else {
        if (!countdownTitle_.empty()) countdownTitle_ += " -";
        autoCloseSeconds_ = lAutoCloseSeconds;
        elapsed_ = 0;
        Timer1_.SetEnabled(true);
    }

    FinishSkin();
    icon_.Reset();
    if (iconId_ != 0) {
        if (icon.FromShell32) {
            PaintIcon(iconId_);
        } else {
            icon_ = IconHandle(LoadIconA(nullptr, MAKEINTRESOURCEA(iconId_)), false);
        }
    }

    if (!bCenter) SetWindowPos(Handle(), nullptr, PixelsFromTwips(cursorTwips_.x), PixelsFromTwips(cursorTwips_.y),
                               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PositionForm(bCenter);
}

void frmMsgBox::DisplayInputBox(const std::string& sPrompt, const std::string& sTitle, const std::string& sDefault,
                                bool bCenter, const std::string& sFont) {
    try {
        ApplyFonts(sFont);
    } catch (...) {
    }
    RecordCursor();
    SetWindowTextA(txtUserText_, sDefault.c_str());
    countdownTitle_ = sTitle;

    int width = 5000;
    int titleWidth = TwipsFromPixels(TextWidthPx(windowFont8_.Get(), sTitle) + 90);
    if (titleWidth > width) width = titleWidth;
    SetTitle(sTitle);
    SetSizeTwips(width, 800);

    int labelBottom = PlaceMessageLabel(sPrompt);
    RECT label{};
    GetWindowRect(txtMessage_, &label);
    int labelWidth = label.right - label.left;
    int textTop = labelBottom + 10;
    MoveWindow(txtUserText_, 25, textTop, std::max(labelWidth - 25, 20), UserTextHeight, TRUE);

    int height = PlaceButtons(textTop + UserTextHeight + 10, width);
    SetSizeTwips(width, height);
    closeVisible_ = true;
    Timer1_.SetEnabled(false);

    FinishSkin();
    if (!bCenter) SetWindowPos(Handle(), nullptr, PixelsFromTwips(cursorTwips_.x), PixelsFromTwips(cursorTwips_.y),
                               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PositionForm(bCenter);
    SendMessageA(txtUserText_, EM_SETSEL, 0, static_cast<LPARAM>(sDefault.size()));
}

void frmMsgBox::PaintIcon(int32_t iconNumber) {
    char folder[MAX_PATH] = {};
    UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    std::string path = std::string(folder) + "\\Shell32.dll";
    static const auto extract = LateBound<decltype(&ExtractIconA)>("shell32.dll", "ExtractIconA");
    if (!extract) return;
    UINT count = static_cast<UINT>(reinterpret_cast<UINT_PTR>(extract(Instance(), path.c_str(), 0xFFFFFFFFu)));
    if (iconNumber < 0 || count <= static_cast<UINT>(iconNumber)) return;
    HICON h = extract(Instance(), path.c_str(), static_cast<UINT>(iconNumber));
    if (reinterpret_cast<UINT_PTR>(h) > 1) icon_ = IconHandle(h, true);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void frmMsgBox::PositionForm(bool bCenter) {
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const int wTop = TwipsFromPixels(work.top), wLeft = TwipsFromPixels(work.left);
    const int wBottom = TwipsFromPixels(work.bottom), wRight = TwipsFromPixels(work.right);
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int height = TwipsFromPixels(r.bottom - r.top), width = TwipsFromPixels(r.right - r.left);
    int top = TwipsFromPixels(r.top), left = TwipsFromPixels(r.left);
    if (bCenter) {
        top = static_cast<int>(std::lround(std::fabs(wBottom / 2.0 - height / 2.0)));
        left = static_cast<int>(std::lround(std::fabs(wRight / 2.0 - width / 2.0)));
        if (top < wTop) top = wTop;
        if (wBottom - height < top) top = wBottom - height;
        if (left < wLeft) left = wLeft;
    } else {
        const int margin = 150;
        const int curTop = top, curLeft = left;
        if (curTop - margin < wTop) top = wTop + margin;
        if (curLeft - margin < wLeft) left = wLeft + margin;
        if (curTop + height + margin > wBottom) top = wBottom - height - margin;
        if (curLeft + width + margin > wRight) left = wRight - width - margin;
    }
    SetWindowPos(Handle(), nullptr, PixelsFromTwips(left), PixelsFromTwips(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Behaviour -------------------------------------------------------------------------

void frmMsgBox::Press(int index) {
    HWND b = Button(index);
    if (!b || !IsWindowVisible(b)) return;
    result_ = buttonTag_[static_cast<size_t>(index)];
    Timer1_.SetEnabled(false);
    if (closeOnPress_) {
        Unload();
    } else {
        Hide();  // ends the modal loop of the caller
    }
}

void frmMsgBox::FocusDefault() {
    HWND b = Button(defaultButton_);
    if (b && IsWindowVisible(b)) SetFocus(b);
    if (inputMode_ && txtUserText_) SetFocus(txtUserText_);
    BringWindowToTop(Handle());
}

void frmMsgBox::Timer1_Timer() {
    ++elapsed_;
    if (elapsed_ < autoCloseSeconds_) {
        SetTitle(countdownTitle_ + CStr(autoCloseSeconds_ - elapsed_));
    } else {
        Timer1_.SetEnabled(false);
        result_ = 0;
        Unload();
    }
}

void frmMsgBox::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (!dc) return;
    RECT r{};
    GetWindowRect(Handle(), &r);
    PaintTitleBand(dc, InnerWidth());
    PaintSkinBorders(dc, r.right - r.left, r.bottom - r.top);
    {
        SelectInDC font(dc, windowFont8_ ? windowFont8_.Get() : buttonFont_.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        RECT t = titleRect_;
        DrawTextA(dc, lblTitle_.c_str(), static_cast<int>(lblTitle_.size()), &t,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (closeVisible_) PaintCloseImage(dc, closeRect_, closeState_);
    if (icon_) DrawIcon(dc, 4, 4, icon_.Get());
    EndPaint(Handle(), &ps);
}

void frmMsgBox::OnMouse(UINT msg, int x, int y) {
    POINT p{x, y};
    bool onClose = closeVisible_ && PtInRect(&closeRect_, p);
    auto setState = [&](CloseImageState s) {
        if (closeState_ != s) {
            closeState_ = s;
            InvalidateRect(Handle(), &closeRect_, FALSE);
        }
    };
    switch (msg) {
        case WM_MOUSEMOVE:
            if (onClose) {
                if (closeState_ != CloseImageState::Pressed) setState(CloseImageState::Hover);
            } else {
                setState(CloseImageState::Normal);
            }
            break;
        case WM_LBUTTONDOWN:
            if (onClose) {
                setState(CloseImageState::Pressed);
                if (GetCapture() != Handle()) SetCapture(Handle());
                break;
            }
            [[fallthrough]];
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (!onClose && PtInRect(&titleRect_, p) && !IsZoomed(Handle())) {
                // Dragging by the title: let the system move the borderless window.
                ReleaseCapture();
                SendMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
            }
            break;
        case WM_LBUTTONUP: {
            bool wasPressed = closeState_ == CloseImageState::Pressed;
            if (GetCapture() == Handle()) ReleaseCapture();
            if (wasPressed && onClose) {
                Timer1_.SetEnabled(false);
                result_ = 0;
                Unload();
            } else {
                setState(onClose ? CloseImageState::Hover : CloseImageState::Normal);
            }
            break;
        }
        default:
            break;
    }
}

bool frmMsgBox::PreTranslate(MSG& msg) {
    HWND self = Handle();
    if (!self || !(msg.hwnd == self || IsChild(self, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        if (cancelButton_ >= 0) Press(cancelButton_);
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        int pressed = -1;
        for (int i = 0; i < 4; ++i) {
            if (GetFocus() == Button(i)) pressed = i;
        }
        if (pressed < 0) pressed = enterButton_;
        if (pressed >= 0) Press(pressed);
        return true;
    }
    return IsDialogMessageA(self, &msg) != FALSE;
}

LRESULT frmMsgBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            if (HIWORD(wParam) == BN_CLICKED && id >= ButtonIdBase && id < ButtonIdBase + 4) {
                Press(id - ButtonIdBase);
                return 0;
            }
            break;
        }
        case WM_ACTIVATE: {
            LRESULT r = Form::WindowProc(msg, wParam, lParam);
            if (LOWORD(wParam) != WA_INACTIVE) FocusDefault();
            return r;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnMouse(msg, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            // Losing the mouse to another window cancels a press on the close image.
            if (closeState_ == CloseImageState::Pressed && reinterpret_cast<HWND>(lParam) != Handle()) {
                closeState_ = CloseImageState::Normal;
                InvalidateRect(Handle(), &closeRect_, FALSE);
            }
            break;
        default:
            break;
    }
    return Form::WindowProc(msg, wParam, lParam);
}

}  // namespace skx
