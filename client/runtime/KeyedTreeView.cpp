#include "KeyedTreeView.h"

#include <algorithm>
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
    const int parent = node.Parent;
    nodes_.push_back(std::move(node));
    handles_.push_back(nullptr);
    childrenShown_.push_back(false);
    childCount_.push_back(0);
    if (parent) ++childCount_[static_cast<size_t>(parent - 1)];
    if (!hwnd_) return index;
    if (parent == 0 || childrenShown_[static_cast<size_t>(parent - 1)]) {
        ShowNode(index);
    } else if (HTREEITEM p = handles_[static_cast<size_t>(parent - 1)]; p && childCount_[static_cast<size_t>(parent - 1)] == 1) {
        // Its first child: the parent gets its expand button.
        TVITEMA item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = p;
        item.cChildren = 1;
        SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return index;
}

void KeyedTreeView::ShowNode(int index) const {
    const Node& node = nodes_[static_cast<size_t>(index - 1)];
    TVINSERTSTRUCTA ins{};
    ins.hParent = node.Parent ? handles_[static_cast<size_t>(node.Parent - 1)] : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
    ins.item.pszText = const_cast<char*>(node.Text.c_str());
    ins.item.lParam = index;
    ins.item.stateMask = TVIS_BOLD;
    ins.item.state = node.Bold ? TVIS_BOLD : 0;
    ins.item.cChildren = childCount_[static_cast<size_t>(index - 1)] ? 1 : 0;
    handles_[static_cast<size_t>(index - 1)] =
        reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void KeyedTreeView::ShowChildren(int index) const {
    if (!hwnd_) return;
    if (index != 0) {
        if (childrenShown_[static_cast<size_t>(index - 1)]) return;
        childrenShown_[static_cast<size_t>(index - 1)] = true;
    }
    for (int child : Children(index)) ShowNode(child);
}

HTREEITEM KeyedTreeView::Realize(int index) const {
    if (!hwnd_ || index == 0) return nullptr;
    std::vector<int> path;
    for (int at = nodes_[static_cast<size_t>(index - 1)].Parent; at != 0; at = nodes_[static_cast<size_t>(at - 1)].Parent) {
        path.push_back(at);
    }
    for (auto it = path.rbegin(); it != path.rend(); ++it) ShowChildren(*it);
    return handles_[static_cast<size_t>(index - 1)];
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
    if (HTREEITEM item = Realize(index)) {
        ShowChildren(index);
        SendMessageA(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
}

void KeyedTreeView::Clear() {
    nodes_.clear();
    handles_.clear();
    childrenShown_.clear();
    childCount_.clear();
    keys_.Clear(true);
    if (hwnd_) SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

KeyedTreeView::Batch::Batch(KeyedTreeView& tree) : hwnd_(tree.hWnd()) {
    if (hwnd_) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
}

KeyedTreeView::Batch::~Batch() {
    if (!hwnd_ || !IsWindow(hwnd_)) return;
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
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
    if (hwnd_) SendMessageA(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Realize(index)));
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
    HTREEITEM node = Realize(index);
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
    std::fill(handles_.begin(), handles_.end(), nullptr);
    std::fill(childrenShown_.begin(), childrenShown_.end(), false);
    ShowChildren(0);
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
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDINGW: {
            const auto& nm = reinterpret_cast<const NMTREEVIEWA&>(hdr);
            const int index = static_cast<int>(nm.itemNew.lParam);
            if ((nm.action & TVE_EXPAND) && index >= 1 && index <= Count()) ShowChildren(index);
            result = FALSE;
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
