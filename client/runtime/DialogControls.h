// The plain controls of the dialog templates: buttons, check boxes, text boxes, labels and
// list boxes, with the events the windows handle.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Control.h"

namespace skx {

class Button : public Control {
public:
    using Control::Control;
    std::function<void()> Click;
    // Clicks the button as the user would.
    void PerformClick() { RunEvent("Click", Click); }
    bool OnCommand(int code) override;
};

// A check box: Value 0 unticked, 1 ticked, 2 greyed. Setting the value runs no click handler;
// the user's click does.
class CheckBox : public Control {
public:
    using Control::Control;
    int Value() const;
    void SetValue(int value);
    std::function<void()> Click;
    bool OnCommand(int code) override;

protected:
    void OnCreated() override;

private:
    int value_ = 0;
    bool valueSet_ = false;
};

// A text box. Its change handler runs for every change of the text, the user's and the
// program's alike (also in multi-line boxes, which tell no change of a text set whole).
class TextBox : public Control {
public:
    using Control::Control;
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    std::function<void()> Change;
    bool OnCommand(int code) override;

protected:
    void OnTextSet() override;
};

class Label : public Control {
public:
    using Control::Control;
};

// A list box of texts, rows numbered from 0 as the platform does.
class ListBox : public Control {
public:
    using Control::Control;
    void AddItem(const std::string& text);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    std::string List(int index) const;
    // The selected row, -1 when none (in a list of several selected rows: the current one).
    int ListIndex() const;
    void SetListIndex(int index);
    // Whether a row is selected; in a list of several selected rows, selects or deselects one.
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    std::function<void()> Click;
    bool OnCommand(int code) override;

protected:
    void OnCreated() override;

private:
    std::vector<std::string> items_;  // kept while there is no window
};

}  // namespace skx
