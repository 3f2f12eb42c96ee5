// The child controls of a form (buttons, boxes, panels, status bars ...). A control keeps its
// caption, tool tip, visibility and enabled state itself, so they can be set before its form is
// loaded; Create makes the window with them, and while the window exists every change goes to
// it. The form calls Detach when its window goes.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace skx {

class ControlHost;

class Control {
public:
    Control() = default;
    // A control of a dialog template, taken hold of by its host through its id when the host's
    // window is made. name is the control's name in the program (a control array's elements
    // share it and carry their index).
    Control(ControlHost& host, int id, std::string name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Creates the control window as a child of parent (hidden unless Visible). False on failure.
    bool Create(HWND parent, const char* windowClass, DWORD style, DWORD exStyle = 0, int id = 0);
    // Takes hold of a window a template made: what the program set while there was no window
    // goes to it, the rest is read from it.
    void Attach(HWND hwnd);
    // Forgets the window (its parent destroyed it).
    virtual void Detach();
    HWND hWnd() const { return hwnd_; }
    bool IsCreated() const { return hwnd_ != nullptr; }
    int Id() const { return id_; }
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    ControlHost* Host() const { return host_; }

    std::string Caption() const;  // the window text (kept text while there is no window)
    // Sets the text; a box's change handler runs as when the user changed it.
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

    // Mouse events of the control's window: button (1 left, 2 right, 4 middle), shift (1 Shift,
    // 2 Ctrl, 4 Alt), the point in pixels of the control. Set before the window is made.
    std::function<void(int button, int shift, int x, int y)> MouseDown;
    std::function<void(int button, int shift, int x, int y)> MouseUp;
    std::function<void(int button, int shift, int x, int y)> MouseMove;
    // A button press once the window has had it (what the press selects is selected by then).
    std::function<void(int button, int shift, int x, int y)> MouseDownHandled;

    // What the host hands the control: a command of its window (the WM_COMMAND code) and a
    // notification; true when the control took it (result: the notification's answer).
    virtual bool OnCommand(int /*code*/) { return false; }
    virtual bool OnNotify(const NMHDR& /*hdr*/, LRESULT& /*result*/) { return false; }

protected:
    // The window exists (made or attached).
    virtual void OnCreated() {}
    // The program set the text (after the window has it).
    virtual void OnTextSet() {}
    // Whether the control's window needs its mouse messages watched (by default: when one of
    // the mouse events has a handler), and each mouse message before the window has it.
    virtual bool WantsMouse() const { return MouseDown || MouseUp || MouseMove || MouseDownHandled; }
    virtual void OnMouseMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    // Runs one of the control's event handlers inside its form's error guard, reported as
    // name_event.
    void RunEvent(const char* event, const std::function<void()>& handler);
    bool SettingText() const { return settingText_; }
    HWND hwnd_ = nullptr;

private:
    void ApplyTip();
    static LRESULT CALLBACK MouseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void HookMouse();
    void UnhookMouse();

    ControlHost* host_ = nullptr;
    int id_ = 0;
    std::string name_;
    int index_ = -1;
    std::string text_;
    std::string tip_;
    bool visible_ = true;
    bool enabled_ = true;
    // What the program set before a template's window was there.
    bool textSet_ = false, visibleSet_ = false, enabledSet_ = false;
    bool settingText_ = false;
    bool mouseHooked_ = false;
    bool tipAdded_ = false;
    HWND tips_ = nullptr;
    RECT rect_{0, 0, 0, 0};
};

// A fixed number of controls of one kind and name, indexes 0 to N - 1, ids base + index.
template <class T, size_t N>
class ControlArray {
public:
    ControlArray(ControlHost& host, int baseId, const char* name)
        : ControlArray(host, baseId, name, std::make_index_sequence<N>{}) {}
    T& operator[](size_t i) { return items_[i]; }
    const T& operator[](size_t i) const { return items_[i]; }
    static constexpr size_t size() { return N; }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    template <size_t... I>
    ControlArray(ControlHost& host, int baseId, const char* name, std::index_sequence<I...>)
        : items_{{T(host, baseId + static_cast<int>(I), name, static_cast<int>(I))...}} {}
    std::array<T, N> items_;
};

// A tool-tip window for a form's controls.
HWND CreateToolTips(HWND owner);

// A status bar with panels (numbered from 1).
class StatusBar : public Control {
public:
    using Control::Control;
    bool Create(HWND parent, const std::vector<int>& panelWidths);
    // The panels' widths in pixels (the last one takes the rest), before or after the window.
    void SetPanels(const std::vector<int>& panelWidths);
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
    using Control::Control;
    bool Create(HWND parent, DWORD extraStyle = 0, int id = 0);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    // Loads a rich-text file into the box; false when the file cannot be read.
    bool LoadFile(const std::string& path);
    void Refresh();

    // The selection or the insertion point moved (every append to the box moves it). Set
    // before the window is made.
    std::function<void()> SelChange;
    bool OnNotify(const NMHDR& hdr, LRESULT& result) override;

protected:
    void OnCreated() override;
};

// A tab strip; tabs are numbered from 1. A template's strip takes its tabs from the program.
class TabStrip : public Control {
public:
    using Control::Control;
    bool Create(HWND parent, const std::vector<std::string>& tabs, int id = 0);
    // The tabs (before the window is made, or replacing those it shows).
    void SetTabs(const std::vector<std::string>& tabs);
    int TabCount() const { return static_cast<int>(tabs_.size()); }
    std::string TabCaption(int index) const;
    void AddTab(const std::string& caption);
    void RemoveTab(int index);
    int SelectedIndex() const;
    // Selects a tab as the program would: no click handler runs.
    void Select(int index);
    // A tab's highlight (the platform draws it).
    bool Highlighted(int index) const;
    void SetHighlighted(int index, bool on);
    // The tabs' tool tips, in tab order (a strip whose tabs keep their places).
    void SetTabTips(const std::vector<std::string>& tips);

    // The user selected another tab.
    std::function<void()> Click;
    bool OnNotify(const NMHDR& hdr, LRESULT& result) override;

protected:
    void OnCreated() override;

private:
    void ApplyTabTips();
    std::vector<std::string> tabs_;
    std::vector<std::string> tips_;
    std::vector<bool> highlighted_;
    int selected_ = 1;
};

// A drop-down combo box.
class ComboBox : public Control {
public:
    using Control::Control;
    bool Create(HWND parent, const std::vector<std::string>& items, int id = 0);
    // The texts of its list (a template's box takes them from the program).
    void SetList(const std::vector<std::string>& items);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    // The list's entries, numbered from 0 as the platform does.
    int ListCount() const { return static_cast<int>(list_.size()); }
    std::string List(int index) const;
    // The chosen entry, -1 when none; setting it runs no handler.
    int ListIndex() const;
    void SetListIndex(int index);

    // The user moved the choice to another entry (the box's own text may not show it yet:
    // read the entry through ListIndex and List).
    std::function<void()> SelChange;
    // The user ended a choice on an entry of the list, the one already chosen included.
    std::function<void()> SelEndOk;
    bool OnCommand(int code) override;
    // Puts a text into the list at index (at the end for -1); the box's text stays.
    void AddItem(const std::string& text, int index = -1);
    // The edit line inside the box (null without a window).
    HWND EditWindow() const;
    // Selects characters of the edit line (start, length in characters; -1 to the end).
    void SetSelection(int start, int length);

protected:
    void OnCreated() override;

private:
    std::vector<std::string> list_;
    int index_ = -1;  // kept while there is no window
};

}  // namespace skx
