#include "KeyedListView.h"

#include <algorithm>
#include <numeric>

#include "Conversions.h"
#include "ControlHost.h"
#include "ErrorGuard.h"
#include "RunTimeError.h"

namespace skx {

namespace {
// Text order as the list sorts: letter case ignored.
int CompareText(const std::string& a, const std::string& b) {
    int r = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()));
    return r == 0 ? 0 : r - CSTR_EQUAL;
}
}  // namespace

std::string KeyedListView::Item::SubItem(const std::string& subItemKey) const {
    for (const auto& [key, text] : SubItems) {
        if (key == subItemKey) return text;
    }
    return {};
}

void KeyedListView::SetColumns(std::vector<Column> columns) {
    columns_ = std::move(columns);
    if (hwnd_) OnCreated();
}

void KeyedListView::SetComparator(const std::string& columnKey, Comparator compare) {
    comparators_[columnKey] = std::move(compare);
}

const std::string& KeyedListView::SubItemKeyOf(size_t column) const {
    const Column& c = columns_[column];
    return c.SubItemKey.empty() ? c.Key : c.SubItemKey;
}

int KeyedListView::ColumnOf(const std::string& subItemKey) const {
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (SubItemKeyOf(i) == subItemKey) return static_cast<int>(i);
    }
    return -1;
}

const KeyedListView::Item& KeyedListView::ItemAt(int index) const {
    if (index < 1 || index > Count()) Raise(35600, Name(), "Index out of bounds");
    return items_[static_cast<size_t>(index - 1)];
}

int KeyedListView::IndexOf(const std::string& key) const { return keys_.Find(key); }

int KeyedListView::Add(const std::string& key, const std::string& text, int smallIcon) {
    if (!keys_.Take(key, Count() + 1, *this)) return 0;
    return Append(Item{key, text, smallIcon, {}, {}});
}

int KeyedListView::AddUnkeyed(const std::string& text, int smallIcon) {
    return Append(Item{{}, text, smallIcon, {}, {}});
}

int KeyedListView::Append(Item item) {
    const int row = Count();
    items_.push_back(std::move(item));
    selected_.push_back(false);
    if (hwnd_) ShowRow(row, true);
    return row + 1;
}

void KeyedListView::ShowRow(int row, bool inserting) {
    Item& item = items_[static_cast<size_t>(row)];
    LVITEMA lv{};
    lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    lv.iItem = row;
    lv.pszText = const_cast<char*>(item.Text.c_str());
    lv.iImage = item.SmallIcon - 1;
    SendMessageA(hwnd_, inserting ? LVM_INSERTITEMA : LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&lv));
    for (size_t c = 1; c < columns_.size(); ++c) {
        std::string text = item.SubItem(SubItemKeyOf(c));
        if (inserting && text.empty()) continue;
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(c);
        sub.pszText = const_cast<char*>(text.c_str());
        SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

void KeyedListView::SetText(int index, const std::string& text) {
    ItemAt(index);
    items_[static_cast<size_t>(index - 1)].Text = text;
    if (hwnd_) ShowRow(index - 1, false);
}

void KeyedListView::SetSubItem(int index, const std::string& subItemKey, const std::string& text) {
    ItemAt(index);
    auto& subs = items_[static_cast<size_t>(index - 1)].SubItems;
    auto it = std::find_if(subs.begin(), subs.end(), [&](const auto& s) { return s.first == subItemKey; });
    if (it == subs.end()) subs.emplace_back(subItemKey, text);
    else it->second = text;
    int column = ColumnOf(subItemKey);
    if (hwnd_ && column > 0) {
        LVITEMA sub{};
        sub.iSubItem = column;
        sub.pszText = const_cast<char*>(text.c_str());
        SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&sub));
    }
}

void KeyedListView::SetSmallIcon(int index, int smallIcon) {
    ItemAt(index);
    items_[static_cast<size_t>(index - 1)].SmallIcon = smallIcon;
    if (hwnd_) ShowRow(index - 1, false);
}

void KeyedListView::SetToolTip(int index, const std::string& tip) {
    ItemAt(index);
    items_[static_cast<size_t>(index - 1)].ToolTip = tip;
}

void KeyedListView::Remove(int index) {
    ItemAt(index);
    items_.erase(items_.begin() + (index - 1));
    selected_.erase(selected_.begin() + (index - 1));
    if (hwnd_) SendMessageA(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(index - 1), 0);
    Reindex();
}

void KeyedListView::Clear() {
    items_.clear();
    selected_.clear();
    keys_.Clear(true);
    if (hwnd_) SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
}

KeyedListView::Batch::Batch(KeyedListView& list) : hwnd_(list.hWnd()) {
    if (hwnd_) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
}

KeyedListView::Batch::~Batch() {
    if (!hwnd_ || !IsWindow(hwnd_)) return;
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void KeyedListView::Reindex() {
    keys_.Clear(false);
    for (size_t i = 0; i < items_.size(); ++i) keys_.Put(items_[i].Key, static_cast<int>(i) + 1);
}

bool KeyedListView::IsSelected(int index) const {
    if (index < 1 || index > Count()) return false;
    if (!hwnd_) return selected_[static_cast<size_t>(index - 1)];
    return SendMessageA(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(index - 1), LVIS_SELECTED) != 0;
}

int KeyedListView::SelectedIndex() const {
    if (!hwnd_) {
        auto it = std::find(selected_.begin(), selected_.end(), true);
        return it == selected_.end() ? 0 : static_cast<int>(it - selected_.begin()) + 1;
    }
    LRESULT i = SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return i < 0 ? 0 : static_cast<int>(i) + 1;
}

std::vector<int> KeyedListView::SelectedIndexes() const {
    std::vector<int> rows;
    for (int i = 1; i <= Count(); ++i) {
        if (IsSelected(i)) rows.push_back(i);
    }
    return rows;
}

void KeyedListView::SetSelected(int index, bool selected) {
    ItemAt(index);
    selected_[static_cast<size_t>(index - 1)] = selected;
    if (!hwnd_) return;
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | (selected ? LVIS_FOCUSED : 0);
    state.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&state));
    if (selected) SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index - 1), FALSE);
}

void KeyedListView::Select(int index) {
    if (index < 0 || index > Count()) Raise(35600, Name(), "Index out of bounds");
    std::fill(selected_.begin(), selected_.end(), false);
    if (hwnd_) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    }
    if (index > 0) SetSelected(index, true);
}

void KeyedListView::SetMultiSelect(bool on) {
    multiSelect_ = on;
    if (hwnd_) ApplyStyle();
}

void KeyedListView::ApplyStyle() {
    LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    LONG wanted = multiSelect_ ? (style & ~LVS_SINGLESEL) : (style | LVS_SINGLESEL);
    if (wanted != style) SetWindowLongA(hwnd_, GWL_STYLE, wanted);
}

void KeyedListView::SetSmallIcons(HIMAGELIST images) {
    smallIcons_ = images;
    if (hwnd_) SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void KeyedListView::Sort(int column, bool descending) {
    if (column < 0 || (column >= static_cast<int>(columns_.size()) && column > 0)) Raise(35600, Name(), "Index out of bounds");
    sortColumn_ = column;
    descending_ = descending;
    std::vector<bool> selected(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) selected[i] = IsSelected(static_cast<int>(i) + 1);
    auto textOf = [&](const Item& item) {
        return column == 0 ? item.Text : item.SubItem(SubItemKeyOf(static_cast<size_t>(column)));
    };
    Comparator compare = CompareText;
    if (!columns_.empty()) {
        auto it = comparators_.find(columns_[static_cast<size_t>(column)].Key);
        if (it != comparators_.end()) compare = it->second;
    }
    std::vector<size_t> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        int r = compare(textOf(items_[a]), textOf(items_[b]));
        return descending ? r > 0 : r < 0;
    });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (size_t i : order) sorted.push_back(std::move(items_[i]));
    items_ = std::move(sorted);
    for (size_t i = 0; i < order.size(); ++i) selected_[i] = selected[order[i]];
    Reindex();
    if (!hwnd_) return;
    for (int row = 0; row < Count(); ++row) {
        ShowRow(row, false);
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED;
        state.state = selected_[static_cast<size_t>(row)] ? LVIS_SELECTED : 0;
        SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
}

RECT KeyedListView::ItemRect(int index) const {
    RECT r{LVIR_LABEL, 0, 0, 0};
    if (hwnd_ && index >= 1 && index <= Count()) {
        SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&r));
    } else {
        r = RECT{0, 0, 0, 0};
    }
    return r;
}

void KeyedListView::OnCreated() {
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP,
                 LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    ApplyStyle();
    while (SendMessageA(hwnd_, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = columns_[i].Width;
        col.pszText = const_cast<char*>(columns_[i].Caption.c_str());
        SendMessageA(hwnd_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    if (smallIcons_) SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallIcons_));
    SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < Count(); ++row) ShowRow(row, true);
    for (int row = 0; row < Count(); ++row) {
        if (selected_[static_cast<size_t>(row)]) SetSelected(row + 1, true);
    }
}

bool KeyedListView::OnNotify(const NMHDR& hdr, LRESULT& result) {
    switch (hdr.code) {
        case LVN_COLUMNCLICK: {
            const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
            const int column = nm.iSubItem;
            RunEvent("ColumnClick", [&] {
                Sort(column, !descending_);
                if (ColumnClick) ColumnClick(column);
            });
            result = 0;
            return true;
        }
        case NM_CLICK: {
            // The row under the point the click was made at.
            const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(hdr);
            LVHITTESTINFO hit{};
            hit.pt = click.ptAction;
            LRESULT row = SendMessageA(hwnd_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (row >= 0 && row < Count()) RunEvent("ItemClick", [&] { if (ItemClick) ItemClick(static_cast<int>(row) + 1); });
            result = 0;
            return true;
        }
        case LVN_GETINFOTIPA: {
            auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(hdr));
            if (tip.iItem >= 0 && tip.iItem < Count() && tip.pszText && tip.cchTextMax > 0 &&
                !items_[static_cast<size_t>(tip.iItem)].ToolTip.empty()) {
                lstrcpynA(tip.pszText, items_[static_cast<size_t>(tip.iItem)].ToolTip.c_str(), tip.cchTextMax);
            }
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace skx
