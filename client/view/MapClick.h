// What a click on the map picture asks for: the square under the pointer, and a walk toward
// it, a shot at it, or one of the self-click commands on the own square. MoveTarget follows
// the walks sent. No window is touched here.
#pragma once
#include <string>

#include "ArenaModel.h"

namespace skx {

struct MapClickAction {
    enum class Kind { None, SelfClickLeft, SelfClickRight, Move, Fire };
    Kind kind = Kind::None;
    std::string data;  // Move: the MoveSteps text; Fire: the command line
};

// The square under a pixel of the map picture (ViewOrigin at the top left, TileSize pixels a square).
MapPoint ClickedSquare(int x, int y);

// The action of a button released over the picture (button 1 left, shift the Shift/Ctrl/Alt
// mask) at pixel (x, y), with True Movement on or off; moves MoveTarget as the click asks.
MapClickAction MapClick(int button, int shift, int x, int y, bool trueMovement);

}  // namespace skx
