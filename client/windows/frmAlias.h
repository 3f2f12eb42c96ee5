// The alias console: the account's aliases, kept by the server, edited one at a time.
#pragma once
#include <string>

#include "FeatureWindow.h"

namespace skx {

class frmAliasForm : public FeatureWindow {
public:
    frmAliasForm();

    // Takes the whole alias reply: kind, ";", rest.
    void ProcessAlias(const std::string& Data);
    // The last data each entry point was given.
    const std::string& AliasData() const { return aliasData_; }

private:
    std::string aliasData_;
};

frmAliasForm& frmAlias();

}  // namespace skx
