// The ignore window: the user's list of players whose chat lines the client drops. The list
// box lstIgnored is the ignore list itself, also while the window is hidden.
#pragma once
#include <string>

#include "runtime/Form.h"

namespace skx {

class frmIgnoreForm : public Form {
public:
    frmIgnoreForm();

    // The list box of ignored names (loads the window).
    HWND lstIgnored();
    // Appends a name to the list.
    void AddItem(const std::string& name);
    // Empties the list.
    void Clear();

protected:
    void OnLoad() override;
    void OnResize() override;

private:
    HWND list_ = nullptr;
};

frmIgnoreForm& frmIgnore();

}  // namespace skx
