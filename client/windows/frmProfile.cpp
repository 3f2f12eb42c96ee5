#include "frmProfile.h"

namespace skx {

frmProfileForm::frmProfileForm() : FeatureDialog("frmProfile", "Profile Viewer", 420, 380) {}

void frmProfileForm::ProcessPlayer(const std::string& Data) { playerData_ = Data; }
void frmProfileForm::ProcessAwards(const std::string& Data) { awardsData_ = Data; }
void frmProfileForm::ProcessAdministrator(const std::string& Data) { administratorData_ = Data; }

frmProfileForm& frmProfile() { return TheForm<frmProfileForm>(); }

}  // namespace skx
