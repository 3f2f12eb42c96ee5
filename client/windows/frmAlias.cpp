#include "frmAlias.h"

namespace skx {

frmAliasForm::frmAliasForm() : FeatureDialog("frmAlias", "Alias", 420, 340) {}

void frmAliasForm::ProcessAlias(const std::string& Data) { aliasData_ = Data; }

frmAliasForm& frmAlias() { return TheForm<frmAliasForm>(); }

}  // namespace skx
