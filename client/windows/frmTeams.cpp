#include "frmTeams.h"

namespace skx {

frmTeamsForm::frmTeamsForm() : FeatureDialog("frmTeams", "Teams", 460, 380) {}

void frmTeamsForm::RecvData(const std::string& Data) { teamData_ = Data; }

frmTeamsForm& frmTeams() { return TheForm<frmTeamsForm>(); }

}  // namespace skx
