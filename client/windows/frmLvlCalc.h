// The level calculator: what reaching a goal level takes from a start level.
#pragma once
#include "FeatureWindow.h"

namespace skx {

class frmLvlCalcForm : public FeatureWindow {
public:
    frmLvlCalcForm();
};

frmLvlCalcForm& frmLvlCalc();

}  // namespace skx
