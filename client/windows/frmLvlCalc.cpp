#include "frmLvlCalc.h"

#include "window_ids.h"

namespace skx {

frmLvlCalcForm::frmLvlCalcForm() : FeatureWindow("frmLvlCalc", IDD_LVLCALC) {}

frmLvlCalcForm& frmLvlCalc() { return TheForm<frmLvlCalcForm>(); }

}  // namespace skx
