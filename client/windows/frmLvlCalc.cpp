#include "frmLvlCalc.h"

namespace skx {

frmLvlCalcForm::frmLvlCalcForm() : FeatureDialog("frmLvlCalc", "Calculate Levelup", 320, 260) {}

frmLvlCalcForm& frmLvlCalc() { return TheForm<frmLvlCalcForm>(); }

}  // namespace skx
