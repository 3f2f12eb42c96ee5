#include "MapClick.h"

#include <cmath>
#include <cstdint>

namespace skx {

namespace {

constexpr float HalfWrap = 74.5f;

// One axis of the click's square: the pixel's square plus the view's origin, modulo the arena.
float Axis(int pixel, float origin) {
    const int64_t square = static_cast<int64_t>(std::floor(static_cast<double>(pixel) / TileSize)) +
                           static_cast<int64_t>(std::lround(origin));
    return static_cast<float>(square % ArenaSize);
}

// Puts the target on the near side of the wrapped edge, so the walk goes the shorter way.
void WrapToward(float clicked, float& target) {
    if (clicked > target + HalfWrap) {
        target += ArenaSize;
    } else if (clicked < target - HalfWrap) {
        target -= ArenaSize;
    }
}

bool Same(const MapPoint& a, const MapPoint& b) { return a.x == b.x && a.y == b.y; }

std::string Whole(float v) { return std::to_string(static_cast<int64_t>(v)); }

}  // namespace

MapPoint ClickedSquare(int x, int y) { return MapPoint{Axis(x, ViewOrigin.x), Axis(y, ViewOrigin.y)}; }

MapClickAction MapClick(int button, int shift, int x, int y, bool trueMovement) {
    if (TileSize <= 0) return {};
    MapPoint square = ClickedSquare(x, y);
    if (button == 1 && shift == 0) {
        if (Same(square, OwnPosition)) {
            MoveTarget = square;
            return {MapClickAction::Kind::SelfClickLeft, {}};
        }
        if (Same(square, MoveTarget)) return {};
        WrapToward(square.x, MoveTarget.x);
        WrapToward(square.y, MoveTarget.y);
        if (Same(square, MoveTarget)) return {};
        std::string steps;
        if (trueMovement) {
            steps = StraightLine(OwnPosition, square);
        } else {
            steps = StraightLine(MoveTarget, square);
            MoveTarget = square;
        }
        return {MapClickAction::Kind::Move, steps + "&"};
    }
    if (Same(square, OwnPosition)) return {MapClickAction::Kind::SelfClickRight, {}};
    return {MapClickAction::Kind::Fire, "fire " + Whole(square.x) + " " + Whole(square.y)};
}

}  // namespace skx
