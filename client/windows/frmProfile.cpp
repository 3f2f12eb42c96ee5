#include "frmProfile.h"

#include "window_ids.h"

namespace skx {

frmProfileForm::frmProfileForm() : FeatureWindow("frmProfile", IDD_PROFILE) {}

void frmProfileForm::ProcessPlayer(const std::string& Data) { playerData_ = Data; }
void frmProfileForm::ProcessAwards(const std::string& Data) { awardsData_ = Data; }
void frmProfileForm::ProcessAdministrator(const std::string& Data) { administratorData_ = Data; }

frmProfileForm& frmProfile() { return TheForm<frmProfileForm>(); }

}  // namespace skx
