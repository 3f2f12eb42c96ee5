#include "frmWho.h"

#include "window_ids.h"

namespace skx {

frmWhoForm::frmWhoForm() : FeatureWindow("frmWho", IDD_WHO) {}

void frmWhoForm::Update(const std::string& Data) { whoData_ = Data; }

frmWhoForm& frmWho() { return TheForm<frmWhoForm>(); }

}  // namespace skx
