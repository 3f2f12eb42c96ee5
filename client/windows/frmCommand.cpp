#include "frmCommand.h"

namespace skx {

frmCommandForm::frmCommandForm() : FeatureWindow("frmCommand", IDD_COMMAND) {}

frmCommandForm& frmCommand() { return TheForm<frmCommandForm>(); }

}  // namespace skx
