#include "Control.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <unordered_map>

#include "ControlHost.h"
#include "DrawingHold.h"
#include "ErrorGuard.h"
#include "Form.h"
#include "RunTimeError.h"

namespace skx {

namespace {

void InitCommonControlsOnce() { LoadControlClasses(); }

}  // namespace

Control::Control(ControlHost& host, int id, std::string name, int index)
    : host_(&host), id_(id), name_(std::move(name)), index_(index) {
    host.Register(*this);
}

Control::~Control() {
    UnhookMouse();
    if (host_) host_->Unregister(*this);
}

void Control::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!hwnd_) return;
    if (textSet_) {
        settingText_ = true;
        SetWindowTextA(hwnd_, text_.c_str());
        settingText_ = false;
    } else {
        text_ = Caption();
    }
    if (visibleSet_) ShowWindow(hwnd_, visible_ ? SW_SHOWNA : SW_HIDE);
    else visible_ = (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (enabledSet_) EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
    else enabled_ = IsWindowEnabled(hwnd_) != FALSE;
    HookMouse();
    OnCreated();
    ApplyTip();
}

void Control::Detach() {
    UnhookMouse();
    hwnd_ = nullptr;
    tips_ = nullptr;
    tipAdded_ = false;
    if (host_) {
        // The next window of the template starts from the template again.
        textSet_ = visibleSet_ = enabledSet_ = false;
        text_.clear();
        visible_ = enabled_ = true;
    }
}

void Control::RunEvent(const char* event, const std::function<void()>& handler) {
    if (!handler) return;
    std::string proc = name_ + "_" + event;
    detail::HandlerScope scope;
    Guard(host_ ? host_->OwnerName().c_str() : "Control", proc.c_str(), [&] { handler(); });
}

namespace {
int MouseButtons(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}
int ShiftKeys() {
    return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
           ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}
}  // namespace

namespace {
// The windows whose mouse messages a control watches: the control (null once it let go) and
// the window's own procedure. A plain procedure in front of the window's: the platform's
// subclass helper costs many times more per message under Wine, and lists get thousands.
struct MouseHook {
    Control* control;
    WNDPROC original;
};
std::unordered_map<HWND, MouseHook>& MouseHooks() {
    static std::unordered_map<HWND, MouseHook> hooks;
    return hooks;
}
}  // namespace

LRESULT CALLBACK Control::MouseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto it = MouseHooks().find(hwnd);
    if (it == MouseHooks().end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const WNDPROC original = it->second.original;
    Control* self = it->second.control;
    if (msg == WM_NCDESTROY) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == &Control::MouseProc) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        }
        MouseHooks().erase(it);
        if (self) self->mouseHooked_ = false;
        return CallWindowProcA(original, hwnd, msg, wParam, lParam);
    }
    if (!self || msg < WM_MOUSEFIRST || msg > WM_MOUSELAST) return CallWindowProcA(original, hwnd, msg, wParam, lParam);
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    self->OnMouseMessage(msg, wParam, lParam);
    switch (msg) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: {
            int button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
            self->RunEvent("MouseDown", [&] { if (self->MouseDown) self->MouseDown(button, ShiftKeys(), x, y); });
            if (!self->MouseDownHandled) break;
            const LRESULT r = CallWindowProcA(original, hwnd, msg, wParam, lParam);
            // The window may have gone with its control while it had the press.
            auto after = MouseHooks().find(hwnd);
            if (after != MouseHooks().end() && after->second.control == self) {
                self->RunEvent("MouseDown", [&] { self->MouseDownHandled(button, ShiftKeys(), x, y); });
            }
            return r;
        }
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
            int button = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
            LRESULT r = CallWindowProcA(original, hwnd, msg, wParam, lParam);
            self->RunEvent("MouseUp", [&] { if (self->MouseUp) self->MouseUp(button, ShiftKeys(), x, y); });
            return r;
        }
        case WM_MOUSEMOVE:
            self->RunEvent("MouseMove", [&] { if (self->MouseMove) self->MouseMove(MouseButtons(wParam), ShiftKeys(), x, y); });
            break;
        default:
            break;
    }
    return CallWindowProcA(original, hwnd, msg, wParam, lParam);
}

void Control::HookMouse() {
    if (mouseHooked_ || !hwnd_ || !WantsMouse()) return;
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC));
    MouseHooks()[hwnd_] = MouseHook{this, original};
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::MouseProc));
    mouseHooked_ = true;
}

void Control::UnhookMouse() {
    if (!mouseHooked_ || !hwnd_) return;
    mouseHooked_ = false;
    auto it = MouseHooks().find(hwnd_);
    if (it == MouseHooks().end()) return;
    // Out of the chain when nothing was put in front meanwhile; else it only stops watching.
    if (IsWindow(hwnd_) && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == &Control::MouseProc) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
        MouseHooks().erase(it);
    } else {
        it->second.control = nullptr;
    }
}

bool Control::Create(HWND parent, const char* windowClass, DWORD style, DWORD exStyle, int id) {
    InitCommonControlsOnce();
    style |= WS_CHILD;
    if (visible_) style |= WS_VISIBLE;
    else style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (!enabled_) style |= WS_DISABLED;
    hwnd_ = CreateWindowExA(exStyle, windowClass, text_.c_str(), style, rect_.left, rect_.top,
                            rect_.right - rect_.left, rect_.bottom - rect_.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                            nullptr);
    if (!hwnd_) return false;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    HookMouse();
    OnCreated();
    return true;
}

std::string Control::Caption() const {
    if (!hwnd_) return text_;
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<size_t>(std::max(n, 0)) + 1, '\0');
    n = GetWindowTextA(hwnd_, s.data(), static_cast<int>(s.size()));
    s.resize(static_cast<size_t>(std::max(n, 0)));
    return s;
}

void Control::SetCaption(const std::string& text) {
    text_ = text;
    textSet_ = true;
    if (hwnd_) {
        settingText_ = true;
        SetWindowTextA(hwnd_, text.c_str());
        settingText_ = false;
    }
    OnTextSet();
}

void Control::SetToolTipText(const std::string& tip) {
    tip_ = tip;
    ApplyTip();
}

void Control::UseToolTips(HWND tips) {
    tips_ = tips;
    tipAdded_ = false;
    ApplyTip();
}

void Control::ApplyTip() {
    if (hwnd_ && !tips_ && host_ && !tip_.empty()) tips_ = host_->ToolTipWindow(GetParent(hwnd_));
    if (!hwnd_ || !tips_) return;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(hwnd_);
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    ti.lpszText = const_cast<char*>(tip_.c_str());
    if (!tipAdded_) {
        tipAdded_ = SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    } else {
        SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    visibleSet_ = true;
    // A held window looks hidden already: hiding it would do nothing and letting it go later would
    // show it again, so it is let go first.
    LetDrawingGo(hwnd_);
    if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    enabledSet_ = true;
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Control::Move(int left, int top, int width, int height) {
    rect_ = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    if (hwnd_) MoveWindow(hwnd_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

RECT Control::Bounds() const {
    if (!hwnd_) return rect_;
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

HWND CreateToolTips(HWND owner) {
    InitCommonControlsOnce();
    return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// ---- StatusBar ----

bool StatusBar::Create(HWND parent, const std::vector<int>& panelWidths) {
    widths_ = panelWidths;
    panels_.resize(widths_.size());
    return Control::Create(parent, STATUSCLASSNAMEA, SBARS_SIZEGRIP);
}

void StatusBar::SetPanels(const std::vector<int>& panelWidths) {
    widths_ = panelWidths;
    panels_.resize(widths_.size());
    if (hwnd_) OnCreated();
}

void StatusBar::OnCreated() {
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < widths_.size(); ++i) {
        x += widths_[i];
        edges.push_back(i + 1 == widths_.size() ? -1 : x);
    }
    if (!edges.empty()) {
        SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
    for (size_t i = 0; i < panels_.size(); ++i) {
        SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(panels_[i].c_str()));
    }
}

std::string StatusBar::PanelText(int panel) const {
    if (panel < 1 || panel > PanelCount()) Raise(35600);
    return panels_[static_cast<size_t>(panel - 1)];
}

void StatusBar::SetPanelText(int panel, const std::string& text) {
    if (panel < 1 || panel > PanelCount()) Raise(35600);
    panels_[static_cast<size_t>(panel - 1)] = text;
    if (hwnd_) SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(text.c_str()));
}

int StatusBar::BarHeight() const {
    if (!hwnd_ || !Visible()) return 0;
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r.bottom - r.top;
}

void StatusBar::Reposition() {
    if (hwnd_) SendMessageA(hwnd_, WM_SIZE, 0, 0);
}

// ---- RichTextBox ----

bool RichTextBox::Create(HWND parent, DWORD extraStyle, int id) {
    static HMODULE richEdit = LoadLibraryA("riched20.dll");
    if (!richEdit) return false;
    return Control::Create(parent, RICHEDIT_CLASSA,
                           WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | extraStyle,
                           WS_EX_CLIENTEDGE, id);
}

namespace {
struct StreamSource {
    HANDLE file;
};
DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* src = reinterpret_cast<StreamSource*>(cookie);
    DWORD got = 0;
    if (!ReadFile(src->file, buffer, static_cast<DWORD>(size), &got, nullptr)) return 1;
    *read = static_cast<LONG>(got);
    return 0;
}
struct FileCloser {
    HANDLE h;
    ~FileCloser() { if (h != INVALID_HANDLE_VALUE) CloseHandle(h); }
};
}  // namespace

bool RichTextBox::LoadFile(const std::string& path) {
    if (!hwnd_) return false;
    FileCloser file{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return false;
    StreamSource src{file.h};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
    es.pfnCallback = &ReadStream;
    SendMessageA(hwnd_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return es.dwError == 0;
}

void RichTextBox::OnCreated() {
    if (!SelChange) return;
    LRESULT mask = SendMessageA(hwnd_, EM_GETEVENTMASK, 0, 0);
    SendMessageA(hwnd_, EM_SETEVENTMASK, 0, mask | ENM_SELCHANGE);
}

bool RichTextBox::OnNotify(const NMHDR& hdr, LRESULT& result) {
    if (hdr.code != EN_SELCHANGE) return false;
    RunEvent("SelChange", SelChange);
    result = 0;
    return true;
}

void RichTextBox::Refresh() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
}

// ---- TabStrip ----

bool TabStrip::Create(HWND parent, const std::vector<std::string>& tabs, int id) {
    tabs_ = tabs;
    highlighted_.assign(tabs_.size(), false);
    return Control::Create(parent, WC_TABCONTROLA, WS_CLIPSIBLINGS, 0, id);
}

void TabStrip::SetTabs(const std::vector<std::string>& tabs) {
    tabs_ = tabs;
    highlighted_.assign(tabs_.size(), false);
    if (hwnd_) OnCreated();
}

void TabStrip::OnCreated() {
    SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < tabs_.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tabs_[i].c_str());
        SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        if (highlighted_[i]) SendMessageA(hwnd_, TCM_HIGHLIGHTITEM, i, MAKELPARAM(TRUE, 0));
    }
    if (selected_ >= 1 && selected_ <= TabCount()) SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(selected_ - 1), 0);
    ApplyTabTips();
}

void TabStrip::SetTabTips(const std::vector<std::string>& tips) {
    tips_ = tips;
    ApplyTabTips();
}

void TabStrip::ApplyTabTips() {
    if (!hwnd_ || tips_.empty() || !Host()) return;
    HWND tips = Host()->ToolTipWindow(GetParent(hwnd_));
    for (size_t i = 0; i < tips_.size() && i < tabs_.size(); ++i) {
        // Each tab is a tool of its own over the tab's rectangle; the control's own tools are
        // numbered by their windows, which never come this low.
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = hwnd_;
        ti.uId = i + 1;
        SendMessageA(hwnd_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&ti.rect));
        ti.lpszText = const_cast<char*>(tips_[i].c_str());
        SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

std::string TabStrip::TabCaption(int index) const {
    if (index < 1 || index > TabCount()) Raise(35600);
    return tabs_[static_cast<size_t>(index - 1)];
}

void TabStrip::AddTab(const std::string& caption) {
    tabs_.push_back(caption);
    highlighted_.push_back(false);
    if (hwnd_) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(caption.c_str());
        SendMessageA(hwnd_, TCM_INSERTITEMA, tabs_.size() - 1, reinterpret_cast<LPARAM>(&item));
    }
}

void TabStrip::RemoveTab(int index) {
    if (index < 1 || index > TabCount()) Raise(35600);
    tabs_.erase(tabs_.begin() + (index - 1));
    highlighted_.erase(highlighted_.begin() + (index - 1));
    if (hwnd_) SendMessageA(hwnd_, TCM_DELETEITEM, static_cast<WPARAM>(index - 1), 0);
    if (SelectedIndex() > TabCount() || SelectedIndex() == 0) Select(TabCount() > 0 ? 1 : 0);
}

int TabStrip::SelectedIndex() const {
    if (!hwnd_) return selected_;
    LRESULT sel = SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0);
    return sel < 0 ? 0 : static_cast<int>(sel) + 1;
}

void TabStrip::Select(int index) {
    if (index < 0 || index > TabCount()) Raise(35600);
    selected_ = index;
    if (hwnd_ && index > 0) SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index - 1), 0);
}

bool TabStrip::Highlighted(int index) const {
    if (index < 1 || index > TabCount()) Raise(35600);
    return highlighted_[static_cast<size_t>(index - 1)];
}

void TabStrip::SetHighlighted(int index, bool on) {
    if (index < 1 || index > TabCount()) Raise(35600);
    // Unchanged, the tab is not drawn again (a pane written line by line lights its tab each line).
    if (highlighted_[static_cast<size_t>(index - 1)] == on) return;
    highlighted_[static_cast<size_t>(index - 1)] = on;
    if (hwnd_) SendMessageA(hwnd_, TCM_HIGHLIGHTITEM, static_cast<WPARAM>(index - 1), MAKELPARAM(on ? TRUE : FALSE, 0));
}

bool TabStrip::OnNotify(const NMHDR& hdr, LRESULT& result) {
    if (hdr.code != TCN_SELCHANGE) return false;
    selected_ = SelectedIndex();
    RunEvent("Click", Click);
    result = 0;
    return true;
}

// ---- ComboBox ----

bool ComboBox::Create(HWND parent, const std::vector<std::string>& items, int id) {
    list_ = items;
    return Control::Create(parent, WC_COMBOBOXA, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0, id);
}

void ComboBox::SetList(const std::vector<std::string>& items) {
    list_ = items;
    if (hwnd_) OnCreated();
}

void ComboBox::OnCreated() {
    const std::string text = Caption();  // emptying the list empties the box too
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const auto& s : list_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (index_ >= 0) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
    else SetWindowTextA(hwnd_, text.c_str());
}

std::string ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall);
    return list_[static_cast<size_t>(index)];
}

int ComboBox::ListIndex() const {
    if (!hwnd_) return index_;
    return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue);
    index_ = index;
    if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ComboBox::OnCommand(int code) {
    if (code == CBN_SELCHANGE) RunEvent("Click", SelChange);
    else if (code == CBN_SELENDOK) RunEvent("Click", SelEndOk);
    else return false;
    return true;
}

void ComboBox::AddItem(const std::string& text, int index) {
    if (index < 0 || index > ListCount()) index = ListCount();
    list_.insert(list_.begin() + index, text);
    if (hwnd_) SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

HWND ComboBox::EditWindow() const { return hwnd_ ? FindWindowExA(hwnd_, nullptr, "Edit", nullptr) : nullptr; }

void ComboBox::SetSelection(int start, int length) {
    if (!hwnd_) return;
    const int end = length < 0 ? -1 : start + length;
    SendMessageA(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

}  // namespace skx
