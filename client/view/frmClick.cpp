#include "frmClick.h"

#include "ProgramSettings.h"
#include "TextUtilities.h"

namespace skx {

frmClickForm::frmClickForm() : FeatureWindow("frmClick", IDD_CLICK) {
    cmdOkay.Click = [this] { cmdOkay_Click(); };
    cmdClose.Click = [this] { Unload(); };
}

void frmClickForm::FormLoad() {
    txtLeft.SetText(LeftClick);
    txtRight.SetText(RightClick);
}

void frmClickForm::cmdOkay_Click() {
    LeftClick = CleanString(txtLeft.Text());
    RightClick = CleanString(txtRight.Text());
    Unload();
}

frmClickForm& frmClick() { return TheForm<frmClickForm>(); }

}  // namespace skx
