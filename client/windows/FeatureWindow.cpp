#include "FeatureWindow.h"

#include "WindowLook.h"
#include "runtime/ErrorGuard.h"

namespace skx {

FeatureWindow::FeatureWindow(const std::string& name, int templateId) : DialogForm(name, templateId) {}

void FeatureWindow::OnLoad() {
    Guard(Name().c_str(), "Form_Load", [&] {
        DialogLookOnLoad(Handle());
        FormLoad();
    });
}

void FeatureWindow::OnActivate(bool active) {
    Guard(Name().c_str(), active ? "Form_Activate" : "Form_Deactivate",
          [&] { DialogLookOnActivate(Handle(), active); });
}

}  // namespace skx
