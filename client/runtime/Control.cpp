#include "Control.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <utility>

#include "RunTimeError.h"

namespace skx {

namespace {

void InitCommonControlsOnce() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);
    done = true;
}

}  // namespace

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
    if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
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
    if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
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

void RichTextBox::Refresh() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
}

// ---- TabStrip ----

bool TabStrip::Create(HWND parent, const std::vector<std::string>& tabs, int id) {
    tabs_ = tabs;
    return Control::Create(parent, WC_TABCONTROLA, WS_CLIPSIBLINGS, 0, id);
}

void TabStrip::OnCreated() {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tabs_[i].c_str());
        SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    if (selected_ >= 1 && selected_ <= TabCount()) SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(selected_ - 1), 0);
}

std::string TabStrip::TabCaption(int index) const {
    if (index < 1 || index > TabCount()) Raise(35600);
    return tabs_[static_cast<size_t>(index - 1)];
}

void TabStrip::AddTab(const std::string& caption) {
    tabs_.push_back(caption);
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
    if (hwnd_) SendMessageA(hwnd_, TCM_DELETEITEM, static_cast<WPARAM>(index - 1), 0);
    if (selected_ > TabCount()) Select(TabCount() > 0 ? 1 : 0);
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

// ---- ListView ----

bool ListView::Create(HWND parent, const std::vector<std::string>& columns, int id) {
    columns_ = columns;
    return Control::Create(parent, WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                           WS_EX_CLIENTEDGE, id);
}

void ListView::OnCreated() {
    for (size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = i == 0 ? 110 : 50;
        col.pszText = const_cast<char*>(columns_[i].c_str());
        SendMessageA(hwnd_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    Redraw();
}

const ListView::Item& ListView::ItemAt(int index) const {
    if (index < 1 || index > Count()) Raise(35600);
    return items_[static_cast<size_t>(index - 1)];
}

void ListView::Add(const std::string& text, const std::string& key) {
    items_.push_back(Item{text, key, {}});
    Redraw();
}

void ListView::SetItems(std::vector<Item> items) {
    items_ = std::move(items);
    selected_ = 0;
    Redraw();
}

void ListView::SetSubItem(int index, const std::string& key, const std::string& text) {
    if (index < 1 || index > Count()) Raise(35600);
    auto& subs = items_[static_cast<size_t>(index - 1)].SubItems;
    auto it = std::find_if(subs.begin(), subs.end(), [&](const auto& s) { return s.first == key; });
    if (it == subs.end()) subs.emplace_back(key, text);
    else it->second = text;
    Redraw();
}

void ListView::Clear() {
    items_.clear();
    selected_ = 0;
    Redraw();
}

int ListView::SelectedIndex() const {
    if (!hwnd_) return selected_;
    LRESULT i = SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return i < 0 ? 0 : static_cast<int>(i) + 1;
}

void ListView::Select(int index) {
    if (index < 0 || index > Count()) Raise(35600);
    selected_ = index;
    if (!hwnd_) return;
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (index > 0) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&state));
    }
}

void ListView::Redraw() {
    if (!hwnd_) return;
    // One repaint after the whole list, not one per row (a hidden list paints nothing, and is
    // left alone: turning drawing back on would show it).
    const bool shown = (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, items_.size(), 0);
    for (size_t i = 0; i < items_.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(items_[i].Text.c_str());
        SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (size_t s = 0; s < items_[i].SubItems.size() && s + 1 < columns_.size(); ++s) {
            LVITEMA sub{};
            sub.iSubItem = static_cast<int>(s + 1);
            sub.pszText = const_cast<char*>(items_[i].SubItems[s].second.c_str());
            SendMessageA(hwnd_, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
        }
    }
    if (shown) {
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

// ---- ComboBox ----

bool ComboBox::Create(HWND parent, const std::vector<std::string>& items, int id) {
    list_ = items;
    return Control::Create(parent, WC_COMBOBOXA, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0, id);
}

void ComboBox::OnCreated() {
    for (const auto& s : list_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

}  // namespace skx
