// A combo box whose text can only be one of its items (a drop-down list). Setting the text
// selects the item of that text, as the program does: no click handler runs. A choice of the
// user raises Click.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Control.h"

namespace skx {

class DropDownList : public Control {
public:
    using Control::Control;
    void SetList(const std::vector<std::string>& items);
    // The selected item's text ("" when none).
    std::string Text() const { return Caption(); }
    // Selects the item of that text; a text no item has selects none.
    void SetText(const std::string& text) {
        wanted_ = text;
        SetCaption(text);
    }

    // The user chose an item (with the mouse or a key).
    std::function<void()> Click;
    bool OnCommand(int code) override;

protected:
    void OnCreated() override;
    void OnTextSet() override;

private:
    void SelectWanted();
    std::vector<std::string> list_;
    std::string wanted_;
};

}  // namespace skx
