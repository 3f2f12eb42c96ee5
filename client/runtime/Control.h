// The child controls of a form (buttons, boxes, panels, status bars ...). A control keeps its
// caption, tool tip, visibility and enabled state itself, so they can be set before its form is
// loaded; Create makes the window with them, and while the window exists every change goes to
// it. The form calls Detach when its window goes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace skx {

class Control {
public:
    Control() = default;
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Creates the control window as a child of parent (hidden unless Visible). False on failure.
    bool Create(HWND parent, const char* windowClass, DWORD style, DWORD exStyle = 0, int id = 0);
    // Forgets the window (its parent destroyed it).
    virtual void Detach() { hwnd_ = nullptr; tips_ = nullptr; }
    HWND hWnd() const { return hwnd_; }
    bool IsCreated() const { return hwnd_ != nullptr; }

    std::string Caption() const;  // the window text (kept text while there is no window)
    void SetCaption(const std::string& text);
    const std::string& ToolTipText() const { return tip_; }
    void SetToolTipText(const std::string& tip);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Position in pixels of the parent's client area.
    void Move(int left, int top, int width, int height);
    RECT Bounds() const;
    void SetFocus();

    // The form's tool-tip window used for this control's tip (null: no tips).
    void UseToolTips(HWND tips);

protected:
    virtual void OnCreated() {}
    HWND hwnd_ = nullptr;

private:
    void ApplyTip();
    std::string text_;
    std::string tip_;
    bool visible_ = true;
    bool enabled_ = true;
    bool tipAdded_ = false;
    HWND tips_ = nullptr;
    RECT rect_{0, 0, 0, 0};
};

// A tool-tip window for a form's controls.
HWND CreateToolTips(HWND owner);

// A status bar with panels (numbered from 1).
class StatusBar : public Control {
public:
    bool Create(HWND parent, const std::vector<int>& panelWidths);
    std::string PanelText(int panel) const;
    void SetPanelText(int panel, const std::string& text);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    int BarHeight() const;
    // Lays the bar along the bottom of its parent (call on the parent's resize).
    void Reposition();

protected:
    void OnCreated() override;

private:
    std::vector<int> widths_;
    std::vector<std::string> panels_;
};

// A rich-text box (the platform's rich edit control).
class RichTextBox : public Control {
public:
    bool Create(HWND parent, DWORD extraStyle = 0, int id = 0);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    // Loads a rich-text file into the box; false when the file cannot be read.
    bool LoadFile(const std::string& path);
    void Refresh();
};

// A tab strip; tabs are numbered from 1.
class TabStrip : public Control {
public:
    bool Create(HWND parent, const std::vector<std::string>& tabs, int id = 0);
    int TabCount() const { return static_cast<int>(tabs_.size()); }
    std::string TabCaption(int index) const;
    void AddTab(const std::string& caption);
    void RemoveTab(int index);
    int SelectedIndex() const;
    void Select(int index);

protected:
    void OnCreated() override;

private:
    std::vector<std::string> tabs_;
    int selected_ = 1;
};

// A list view in report mode: one item per row with keyed sub-items.
class ListView : public Control {
public:
    struct Item {
        std::string Text;
        std::string Key;
        std::vector<std::pair<std::string, std::string>> SubItems;  // key, text
    };
    bool Create(HWND parent, const std::vector<std::string>& columns, int id = 0);
    int Count() const { return static_cast<int>(items_.size()); }
    const Item& ItemAt(int index) const;  // 1-based; raises 35600 out of range
    void Add(const std::string& text, const std::string& key);
    // Replaces every item at once (one redraw however many there are).
    void SetItems(std::vector<Item> items);
    void SetSubItem(int index, const std::string& key, const std::string& text);
    void Clear();
    // The selected item's index (1-based), 0 when none.
    int SelectedIndex() const;
    void Select(int index);

protected:
    void OnCreated() override;

private:
    void Redraw();
    std::vector<std::string> columns_;
    std::vector<Item> items_;
    int selected_ = 0;
};

// A drop-down combo box.
class ComboBox : public Control {
public:
    bool Create(HWND parent, const std::vector<std::string>& items, int id = 0);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

protected:
    void OnCreated() override;

private:
    std::vector<std::string> list_;
};

}  // namespace skx
