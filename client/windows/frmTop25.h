// The top-25 window: one of the server's ranking lists at a time.
#pragma once
#include <string>

#include "FeatureWindow.h"

namespace skx {

class frmTop25Form : public FeatureWindow {
public:
    frmTop25Form();

    // Takes a top list.
    void Update(const std::string& Data);
    // The last data each entry point was given.
    const std::string& TopData() const { return topData_; }

private:
    std::string topData_;
};

frmTop25Form& frmTop25();

}  // namespace skx
