// The frame every feature window shares: one program-wide dialog from its template, shown
// modeless and owned by the main window when a menu opens it, with the dialog look (drop
// shadow on load, opaque while active, translucent while not). A window's own load steps go
// in FormLoad, which runs inside the load's error guard.
#pragma once
#include <string>

#include "runtime/DialogControls.h"
#include "runtime/DialogForm.h"

namespace skx {

class FeatureWindow : public DialogForm {
public:
    FeatureWindow(const std::string& name, int templateId);

protected:
    virtual void FormLoad() {}
    void OnLoad() override;
    void OnActivate(bool active) override;
};

}  // namespace skx
