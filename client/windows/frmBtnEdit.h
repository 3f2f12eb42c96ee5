// The command button editor (a first form: it shows itself for one entry of the custom
// command buttons; editing comes with the editor's own work).
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmBtnEditForm : public FeatureWindow {
public:
    frmBtnEditForm();

    // Shows the window, modeless and owned by the main window, for entry Index of Buttons.
    void EditButton(int Index);
    // The entry being edited (0 before the first call).
    int EditedIndex() const { return index_; }

private:
    int index_ = 0;
};

frmBtnEditForm& frmBtnEdit();

}  // namespace skx
