#include "frmBtnEdit.h"

#include "window_ids.h"

namespace skx {

frmBtnEditForm::frmBtnEditForm() : FeatureWindow("frmBtnEdit", IDD_BTNEDIT) {}

void frmBtnEditForm::EditButton(int Index) {
    Show(ShowMode::Modeless, Form::MdiFrame());
    index_ = Index;
}

frmBtnEditForm& frmBtnEdit() { return TheForm<frmBtnEditForm>(); }

}  // namespace skx
