#include "frmAlias.h"

#include "window_ids.h"

namespace skx {

frmAliasForm::frmAliasForm() : FeatureWindow("frmAlias", IDD_ALIAS) {}

void frmAliasForm::ProcessAlias(const std::string& Data) { aliasData_ = Data; }

frmAliasForm& frmAlias() { return TheForm<frmAliasForm>(); }

}  // namespace skx
