// A divider between the two sides of a window, dragged with the mouse (the mouse is captured
// while the button is down). Its position is the divider's left edge in twips from the
// parent's left; a position that would leave either side narrower than MinSide pixels is
// moved back inside.
#pragma once
#include <functional>

#include "Control.h"

namespace skx {

class SplitterBar : public Control {
public:
    using Control::Control;
    static constexpr int MinSide = 60;   // pixels each side keeps
    static constexpr int Thickness = 4;  // pixels

    // The window class templates name for a divider.
    static const char* ClassName();
    bool Create(HWND parent, int id = 0);

    int Position() const { return position_; }
    // Sets the position (clamped to the parent's width while the window exists).
    void SetPosition(int twips);
    // The position clamped to a parent of that inner width in pixels.
    static int Clamped(int twips, int parentWidth);

    // The user moved the divider.
    std::function<void()> Moved;

protected:
    void OnCreated() override;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    int ParentWidth() const;
    int position_ = 0;
    int grab_ = -1;  // the pointer's offset inside the divider while dragging
};

}  // namespace skx
