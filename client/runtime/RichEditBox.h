// A rich-text box the user types into: its change handler runs for every change of its text,
// the user's and the program's alike, its text reads with CR LF line ends, and the program
// sets it as plain text only.
#pragma once
#include <functional>
#include <string>

#include "Control.h"

namespace skx {

class RichEditBox : public RichTextBox {
public:
    using RichTextBox::RichTextBox;
    // The whole text, each line break CR LF ("" while there is no window).
    std::string Text() const;
    // Replaces the whole text, read as plain text; the change handler runs once.
    void SetPlainText(const std::string& text);

    std::function<void()> Change;
    bool OnCommand(int code) override;

protected:
    void OnCreated() override;

private:
    bool setting_ = false;
};

}  // namespace skx
