// The map display window: a child window of the main window whose picture box shows the arena.
#pragma once
#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

class frmMapDispForm : public Form {
public:
    frmMapDispForm();
    // The map picture; its drawing area in pixels divided by TileSize gives the squares shown.
    Control picMap;

protected:
    void OnLoad() override;
    void OnResize() override;
    bool OnQueryUnload(UnloadMode mode) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

frmMapDispForm& frmMapDisp();

}  // namespace skx
