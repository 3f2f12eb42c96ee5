// The level calculator: what reaching a goal level takes from a start level.
#pragma once
#include "FeatureDialog.h"

namespace skx {

class frmLvlCalcForm : public FeatureDialog {
public:
    frmLvlCalcForm();
};

frmLvlCalcForm& frmLvlCalc();

}  // namespace skx
