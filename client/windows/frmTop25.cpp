#include "frmTop25.h"

#include "window_ids.h"

namespace skx {

frmTop25Form::frmTop25Form() : FeatureWindow("frmTop25", IDD_TOP25) {}

void frmTop25Form::Update(const std::string& Data) { topData_ = Data; }

frmTop25Form& frmTop25() { return TheForm<frmTop25Form>(); }

}  // namespace skx
