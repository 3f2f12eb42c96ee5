// A tool bar of buttons with captions and pictures, numbered from 1. The program presses and
// releases the buttons; a click of the user raises ButtonClick with the button's number.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Control.h"

namespace skx {

class ToolBar : public Control {
public:
    using Control::Control;
    struct Button {
        std::string Key;
        std::string Caption;
        int Image = 0;  // picture of the image list, from 1; 0 none
    };
    // The buttons (before the window is made, or replacing those it shows).
    void SetButtons(std::vector<Button> buttons);
    // The pictures of the buttons (the bar does not own them).
    void SetImageList(HIMAGELIST images);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // 1-based; an index outside the bar raises 35600.
    const Button& ButtonAt(int index) const;
    bool Pressed(int index) const;
    void SetPressed(int index, bool pressed);
    // A button's rectangle in the bar's client area (for clicks made by tools).
    RECT ButtonRect(int index) const;

    std::function<void(int index)> ButtonClick;
    bool OnNotify(const NMHDR& hdr, LRESULT& result) override;

protected:
    void OnCreated() override;

private:
    void CheckIndex(int index) const;
    std::vector<Button> buttons_;
    std::vector<bool> pressed_;
    HIMAGELIST images_ = nullptr;
};

}  // namespace skx
