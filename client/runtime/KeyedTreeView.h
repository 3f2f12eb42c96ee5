// A tree of nodes looked up by key: root nodes and children, each with a text, bold or not and
// a colour of its own. As in the keyed list, a node whose key is empty or already in the tree
// (letter case ignored) is refused, the first refusal of a fill reported, and nodes nobody
// looks up take no key. The user cannot edit the labels. A node's window item is made when
// its parent is first expanded (or the program selects, expands or measures it), so a large
// fill costs only the nodes in view.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Control.h"
#include "KeyRegister.h"

namespace skx {

class KeyedTreeView : public Control {
public:
    using Control::Control;

    struct Node {
        std::string Key;
        std::string Text;
        bool Bold = false;
        COLORREF ForeColor = CLR_DEFAULT;  // 0x00BBGGRR, CLR_DEFAULT: the window text colour
        int Parent = 0;                     // the parent node's number, 0 for a root
    };

    int Count() const { return static_cast<int>(nodes_.size()); }
    // Nodes are numbered from 1 in the order they were added; outside raises 35600.
    const Node& NodeAt(int index) const;
    int IndexOf(const std::string& key) const;
    std::vector<int> Children(int index) const;  // index 0: the roots

    // Adds a node under parent (0: a root); its number, or 0 when the key was refused.
    int Add(int parent, const std::string& key, const std::string& text);
    int AddUnkeyed(int parent, const std::string& text);
    void SetText(int index, const std::string& text);
    void SetBold(int index, bool bold);
    void SetForeColor(int index, COLORREF colour);
    void Expand(int index);
    // Empties the tree; a new fill begins.
    void Clear();
    // While a Batch lives the tree does not redraw; it shows the nodes once at the end.
    class Batch {
    public:
        explicit Batch(KeyedTreeView& tree);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        HWND hwnd_;
    };

    int SelectedIndex() const;
    void Select(int index);
    // The node under a point of the tree's client area, 0 when none.
    int HitTest(POINT at) const;
    RECT NodeRect(int index) const;

    // The user clicked a node.
    std::function<void(int index)> NodeClick;

    bool OnNotify(const NMHDR& hdr, LRESULT& result) override;

protected:
    void OnCreated() override;
    bool WantsMouse() const override { return true; }
    void OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int Append(Node node);
    // Makes the window item of a node whose parent's children are shown.
    void ShowNode(int index) const;
    // Makes the window items of a node's children (0: the roots), once.
    void ShowChildren(int index) const;
    // Makes the window items on the way down to a node; its handle (null without a window).
    HTREEITEM Realize(int index) const;
    void ShowState(int index);
    int IndexOfHandle(HTREEITEM item) const;
    POINT pressed_{-1, -1};  // where the last left press was made (client point)

    std::vector<Node> nodes_;
    // The window items, made as they come into view (so also while the tree is only read).
    mutable std::vector<HTREEITEM> handles_;  // null: not made yet
    mutable std::vector<bool> childrenShown_;  // the children's window items are made
    std::vector<int> childCount_;
    KeyRegister keys_;
};

}  // namespace skx
