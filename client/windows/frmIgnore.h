// The ignore window: the user's list of players whose chat lines the client drops. The list
// box lstIgnored is the ignore list itself, also while the window is hidden.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "window_ids.h"

namespace skx {

class frmIgnoreForm : public FeatureWindow {
public:
    frmIgnoreForm();

    // The list box of ignored names (loads the window).
    HWND lstIgnored();
    // Appends a name to the list.
    void AddItem(const std::string& name);
    // Empties the list.
    void Clear();

protected:
    void OnResize() override;

private:
    ListBox list_{*this, IDC_IGNORE_LSTIGNORED, "lstIgnored"};
};

frmIgnoreForm& frmIgnore();

}  // namespace skx
