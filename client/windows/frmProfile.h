// The profile window: one player's statistics, awards and, for staff, administration page.
// Its Tag holds the name of the player whose profile is shown.
#pragma once
#include <string>

#include "FeatureWindow.h"

namespace skx {

class frmProfileForm : public FeatureWindow {
public:
    frmProfileForm();

    // Takes the player page's list.
    void ProcessPlayer(const std::string& Data);
    // Takes the awards list.
    void ProcessAwards(const std::string& Data);
    // Takes the administration page's list.
    void ProcessAdministrator(const std::string& Data);
    // The last data each entry point was given.
    const std::string& PlayerData() const { return playerData_; }
    const std::string& AwardsData() const { return awardsData_; }
    const std::string& AdministratorData() const { return administratorData_; }

private:
    std::string playerData_;
    std::string awardsData_;
    std::string administratorData_;
};

frmProfileForm& frmProfile();

}  // namespace skx
