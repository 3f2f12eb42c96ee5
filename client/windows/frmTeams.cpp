#include "frmTeams.h"

#include "window_ids.h"

namespace skx {

frmTeamsForm::frmTeamsForm() : FeatureWindow("frmTeams", IDD_TEAMS) {}

void frmTeamsForm::RecvData(const std::string& Data) { teamData_ = Data; }

frmTeamsForm& frmTeams() { return TheForm<frmTeamsForm>(); }

}  // namespace skx
