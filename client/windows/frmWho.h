// The who window: every player online with level, splats, status, team, games and idle time.
#pragma once
#include <string>

#include "FeatureWindow.h"

namespace skx {

class frmWhoForm : public FeatureWindow {
public:
    frmWhoForm();

    // Takes a who list.
    void Update(const std::string& Data);
    // The last data each entry point was given.
    const std::string& WhoData() const { return whoData_; }

private:
    std::string whoData_;
};

frmWhoForm& frmWho();

}  // namespace skx
