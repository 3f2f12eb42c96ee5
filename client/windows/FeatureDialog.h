// The frame every feature window shares: one program-wide dialog, owned by the main window
// when a menu shows it, with the dialog look (drop shadow on load, opaque while active,
// translucent while not). A window adds its controls in CreateControls and names them with
// Own, so they are forgotten when the window goes and made again by the next load.
#pragma once
#include <string>
#include <vector>

#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

class FeatureDialog : public Form {
public:
    FeatureDialog(std::string name, std::string caption, int width, int height);

protected:
    // Creates and places the window's controls (the window exists).
    virtual void CreateControls() {}
    // Registers a control created by CreateControls.
    void Own(Control& control);
    // Creates a plain child control and registers it; the helper the windows share.
    void AddControl(Control& control, const char* windowClass, DWORD style, int x, int y, int w, int h,
                    DWORD exStyle = 0, int id = 0);
    // A "&Close" button that unloads the window.
    void AddCloseButton(Control& button, int x, int y);

    void OnLoad() override;
    void OnActivate(bool active) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    static constexpr int CloseButtonId = IDCANCEL;

private:
    std::vector<Control*> controls_;
};

}  // namespace skx
