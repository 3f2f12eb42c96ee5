#include "frmTournament.h"

#include <string>

#include "runtime/RunTimeError.h"

namespace skx {

frmTournamentForm::frmTournamentForm() : FeatureWindow("frmTournament", IDD_TOURNAMENT) { StatusBar1.SetPanels({-1}); }

KeyedTreeView& frmTournamentForm::trvTeams(int index) {
    if (index < 1 || index > 4) {
        Raise(340, "frmTournament", "Control array element '" + std::to_string(index) + "' doesn't exist");
    }
    return teams_[static_cast<size_t>(index - 1)];
}

frmTournamentForm& frmTournament() { return TheForm<frmTournamentForm>(); }

}  // namespace skx
