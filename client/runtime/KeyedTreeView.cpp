#include "KeyedTreeView.h"

#include <cstring>

#include "Conversions.h"
#include "ControlHost.h"
#include "ErrorGuard.h"
#include "RunTimeError.h"

namespace skx {

const KeyedTreeView::Node& KeyedTreeView::NodeAt(int index) const {
    if (index < 1 || index > Count()) Raise(35600, Name(), "Index out of bounds");
    return nodes_[static_cast<size_t>(index - 1)];
}

int KeyedTreeView::IndexOf(const std::string& key) const { return keys_.Find(key); }

std::vector<int> KeyedTreeView::Children(int index) const {
    std::vector<int> children;
    for (size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i].Parent == index) children.push_back(static_cast<int>(i) + 1);
    }
    return children;
}

int KeyedTreeView::Add(int parent, const std::string& key, const std::string& text) {
    if (parent != 0) NodeAt(parent);
    if (!keys_.Take(key, Count() + 1, *this)) return 0;
    return Append(Node{key, text, false, CLR_DEFAULT, parent});
}

int KeyedTreeView::AddUnkeyed(int parent, const std::string& text) {
    if (parent != 0) NodeAt(parent);
    return Append(Node{{}, text, false, CLR_DEFAULT, parent});
}

int KeyedTreeView::Append(Node node) {
    const int index = Count() + 1;
    nodes_.push_back(std::move(node));
    handles_.push_back(nullptr);
    if (hwnd_) ShowNode(index);
    return index;
}

void KeyedTreeView::ShowNode(int index) {
    const Node& node = nodes_[static_cast<size_t>(index - 1)];
    TVINSERTSTRUCTA ins{};
    ins.hParent = node.Parent ? handles_[static_cast<size_t>(node.Parent - 1)] : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(node.Text.c_str());
    ins.item.lParam = index;
    handles_[static_cast<size_t>(index - 1)] =
        reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    ShowState(index);
}

void KeyedTreeView::ShowState(int index) {
    HTREEITEM h = handles_[static_cast<size_t>(index - 1)];
    if (!hwnd_ || !h) return;
    TVITEMA item{};
    item.mask = TVIF_STATE | TVIF_TEXT;
    item.hItem = h;
    item.stateMask = TVIS_BOLD;
    item.state = nodes_[static_cast<size_t>(index - 1)].Bold ? TVIS_BOLD : 0;
    item.pszText = const_cast<char*>(nodes_[static_cast<size_t>(index - 1)].Text.c_str());
    SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void KeyedTreeView::SetText(int index, const std::string& text) {
    NodeAt(index);
    nodes_[static_cast<size_t>(index - 1)].Text = text;
    ShowState(index);
}

void KeyedTreeView::SetBold(int index, bool bold) {
    NodeAt(index);
    nodes_[static_cast<size_t>(index - 1)].Bold = bold;
    ShowState(index);
}

void KeyedTreeView::SetForeColor(int index, COLORREF colour) {
    NodeAt(index);
    nodes_[static_cast<size_t>(index - 1)].ForeColor = colour;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void KeyedTreeView::Expand(int index) {
    NodeAt(index);
    if (hwnd_) SendMessageA(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handles_[static_cast<size_t>(index - 1)]));
}

void KeyedTreeView::Clear() {
    nodes_.clear();
    handles_.clear();
    keys_.Clear(true);
    if (hwnd_) SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

int KeyedTreeView::IndexOfHandle(HTREEITEM item) const {
    if (!item || !hwnd_) return 0;
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return 0;
    int index = static_cast<int>(tv.lParam);
    return index >= 1 && index <= Count() ? index : 0;
}

int KeyedTreeView::SelectedIndex() const {
    if (!hwnd_) return 0;
    return IndexOfHandle(reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void KeyedTreeView::Select(int index) {
    if (index != 0) NodeAt(index);
    if (hwnd_) {
        SendMessageA(hwnd_, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(index ? handles_[static_cast<size_t>(index - 1)] : nullptr));
    }
}

int KeyedTreeView::HitTest(POINT at) const {
    if (!hwnd_) return 0;
    TVHITTESTINFO hit{};
    hit.pt = at;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & TVHT_ONITEM) ? IndexOfHandle(item) : 0;
}

RECT KeyedTreeView::NodeRect(int index) const {
    RECT r{0, 0, 0, 0};
    if (!hwnd_ || index < 1 || index > Count()) return r;
    // The message takes the node in the rectangle's place.
    HTREEITEM node = handles_[static_cast<size_t>(index - 1)];
    memcpy(&r, &node, sizeof node);
    if (!SendMessageA(hwnd_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) r = RECT{0, 0, 0, 0};
    return r;
}

void KeyedTreeView::OnMouseMessage(UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN) pressed_ = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void KeyedTreeView::OnCreated() {
    // The labels are the program's: no editing.
    SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) & ~TVS_EDITLABELS);
    SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (int i = 1; i <= Count(); ++i) ShowNode(i);
}

bool KeyedTreeView::OnNotify(const NMHDR& hdr, LRESULT& result) {
    switch (hdr.code) {
        case NM_CUSTOMDRAW: {
            auto& draw = const_cast<NMTVCUSTOMDRAW&>(reinterpret_cast<const NMTVCUSTOMDRAW&>(hdr));
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
            } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                int index = static_cast<int>(draw.nmcd.lItemlParam);
                bool selected = (draw.nmcd.uItemState & CDIS_SELECTED) != 0;
                if (index >= 1 && index <= Count() && !selected && nodes_[static_cast<size_t>(index - 1)].ForeColor != CLR_DEFAULT) {
                    draw.clrText = nodes_[static_cast<size_t>(index - 1)].ForeColor;
                }
                result = CDRF_DODEFAULT;
            } else {
                result = CDRF_DODEFAULT;
            }
            return true;
        }
        case TVN_BEGINLABELEDITA:
        case TVN_BEGINLABELEDITW:
            result = TRUE;  // refused
            return true;
        case NM_CLICK: {
            const int index = HitTest(pressed_);
            if (index) RunEvent("NodeClick", [&] { if (NodeClick) NodeClick(index); });
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace skx
