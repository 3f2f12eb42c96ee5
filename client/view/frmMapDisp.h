// The map display window: a child window of the main window whose picture box shows the arena.
// Clicks on the picture walk the player toward a square, fire at it, or run a self-click
// command on the own square.
#pragma once
#include <memory>
#include <string>
#include <type_traits>

#include "runtime/Control.h"
#include "runtime/Form.h"

namespace skx {

class frmMapDispForm : public Form {
public:
    frmMapDispForm();
    // The map picture; its drawing area in pixels divided by TileSize gives the squares shown.
    Control picMap;
    // The pointer shown over the map picture, from a cursor file; false when it cannot be read.
    bool SetMouseIcon(const std::string& file);

protected:
    void OnLoad() override;
    void OnResize() override;
    bool OnQueryUnload(UnloadMode mode) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void picMap_MouseDown();
    void picMap_MouseUp(int Button, int Shift, int X, int Y);

    struct CursorDeleter {
        void operator()(HCURSOR c) const { if (c) DestroyCursor(c); }
    };
    std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDeleter> mouseIcon_;
};

frmMapDispForm& frmMapDisp();

}  // namespace skx
