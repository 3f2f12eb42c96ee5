#include "frmTop25.h"

namespace skx {

frmTop25Form::frmTop25Form() : FeatureDialog("frmTop25", "Top 25 Results", 420, 400) {}

void frmTop25Form::Update(const std::string& Data) { topData_ = Data; }

frmTop25Form& frmTop25() { return TheForm<frmTop25Form>(); }

}  // namespace skx
