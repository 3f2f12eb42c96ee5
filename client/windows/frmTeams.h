// The team console: a team's name, splats, website, news and members.
#pragma once
#include <string>

#include "FeatureWindow.h"

namespace skx {

class frmTeamsForm : public FeatureWindow {
public:
    frmTeamsForm();

    // Takes the team information.
    void RecvData(const std::string& Data);
    // The last data each entry point was given.
    const std::string& TeamData() const { return teamData_; }

private:
    std::string teamData_;
};

frmTeamsForm& frmTeams();

}  // namespace skx
