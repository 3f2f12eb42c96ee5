#include "CommandButtonBar.h"

#include <string>

#include "ProgramSettings.h"
#include "frmBtnEdit.h"
#include "runtime/RunTimeError.h"

namespace skx {

CommandButtonBar::CommandButtonBar(ControlHost& host, int baseId, int first, int count) : first_(first) {
    for (int index = first; index < first + count; ++index) {
        auto button = std::make_unique<Button>(host, baseId + index, "cmdAlias", index);
        button->Click = [this, index] {
            if (Click) Click(index);
        };
        button->MouseDown = [index](int mouseButton, int, int, int) {
            if (mouseButton == 2) frmBtnEdit().EditButton(index);
        };
        buttons_.push_back(std::move(button));
    }
}

void CommandButtonBar::Refresh() {
    for (int i = 0; i < Count(); ++i) {
        const int entry = first_ + i;
        if (entry < 0 || entry >= ButtonEntries) continue;
        buttons_[static_cast<size_t>(i)]->SetCaption(Buttons[static_cast<size_t>(entry)].Name);
        buttons_[static_cast<size_t>(i)]->SetToolTipText(Buttons[static_cast<size_t>(entry)].Tip);
    }
}

Button& CommandButtonBar::cmdAlias(int index) {
    if (index < first_ || index >= first_ + Count()) {
        Raise(340, "cmdAlias", "Control array element '" + std::to_string(index) + "' doesn't exist");
    }
    return *buttons_[static_cast<size_t>(index - first_)];
}

}  // namespace skx
