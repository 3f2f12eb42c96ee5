#include "frmWho.h"

namespace skx {

frmWhoForm::frmWhoForm() : FeatureDialog("frmWho", "Who is Online", 520, 380) {}

void frmWhoForm::Update(const std::string& Data) { whoData_ = Data; }

frmWhoForm& frmWho() { return TheForm<frmWhoForm>(); }

}  // namespace skx
