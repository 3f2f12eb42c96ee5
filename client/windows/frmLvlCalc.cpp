#include "frmLvlCalc.h"

#include "LevelUpTable.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr char DesignLevel[] = "5";
}  // namespace

frmLvlCalcForm::frmLvlCalcForm() : FeatureWindow("frmLvlCalc", IDD_LVLCALC) {
    cmbStart.SetList(LevelChoices());
    cmbGoal.SetList(LevelChoices());
    // Results change on a choice in a list only; typing waits for the next choice.
    cmbStart.SelChange = [this] { CalculateCost(&cmbStart); };
    cmbGoal.SelChange = [this] { CalculateCost(&cmbGoal); };
    cmdDone.Click = [this] { Unload(); };
}

void frmLvlCalcForm::FormLoad() {
    cmbStart.SetText(DesignLevel);
    cmbGoal.SetText(DesignLevel);
    CalculateCost(nullptr);
}

void frmLvlCalcForm::CalculateCost(const ComboBox* chosen) {
    auto textOf = [chosen](const ComboBox& box) {
        const int index = &box == chosen ? box.ListIndex() : -1;
        return index >= 0 ? box.List(index) : box.Text();
    };
    LevelUpBoxes boxes{txtCash.Text(), txtSplats.Text(), txtCost.Text()};
    auto show = [&] {
        txtCash.SetText(boxes.Cash);
        txtSplats.SetText(boxes.Splats);
        txtCost.SetText(boxes.Cost);
    };
    Guard("frmLvlCalc", "CalculateCost", [&] {
        try {
            skx::CalculateCost(textOf(cmbStart), textOf(cmbGoal), boxes);
        } catch (...) {
            show();  // what the steps before wrote stays
            throw;
        }
        show();
    });
}

frmLvlCalcForm& frmLvlCalc() { return TheForm<frmLvlCalcForm>(); }

}  // namespace skx
