#include "CommandButtonBar.h"

#include <algorithm>
#include <string>

#include "ProgramSettings.h"
#include "frmBtnEdit.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
std::vector<CommandButtonBar*>& Bars() {
    static std::vector<CommandButtonBar*> bars;
    return bars;
}
}  // namespace

CommandButtonBar::~CommandButtonBar() { std::erase(Bars(), this); }

void CommandButtonBar::ShowEntry(int index, const std::string& caption, const std::string& tip) {
    for (CommandButtonBar* bar : Bars()) {
        if (index < bar->first_ || index >= bar->first_ + bar->Count()) continue;
        Button& button = bar->cmdAlias(index);
        if (!button.IsCreated()) continue;
        button.SetCaption(caption);
        button.SetToolTipText(tip);
    }
}

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
    Bars().push_back(this);
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
