// The sprites the renderer lays on an arena square, read from the arena's grids, for picture
// checks against the atlases' own texels (testsupport::AtlasCells). Active jet trails are
// left out: they are drawn with an alpha of their own.
#pragma once
#include <vector>

#include "ArenaModel.h"
#include "AtlasCells.h"

namespace viewtest {

// Bottom first, in the passes' order; a player faces as the last frame drew it (mirrored after
// a move to a higher column). accessLevel decides whether the fifth store is drawn.
inline std::vector<testsupport::Sprite> SquareSprites(int x, int y, int accessLevel) {
    using namespace testsupport;
    std::vector<Sprite> s{{Terrain16, skx::MapTerrain(x, y)}};
    auto layer = [&](int slot, int value) {
        if (value > -1) s.push_back({slot, value});
    };
    layer(Splats16, skx::MapSplats(x, y));
    layer(Objects16, skx::MapObjects(x, y));
    layer(Paintballs16, skx::MapPaintballs(x, y));
    if (skx::MapTargets(x, y) > -1) s.push_back({Objects16, 25});
    if (skx::MapOutline(x, y) == -1) s.push_back({Objects16, 26});
    const int k = skx::MapPlayers(x, y);
    if (k > -1 && k < static_cast<int>(skx::Players.size())) {
        const skx::PlayerRecord& p = skx::PlayerAt(k);
        if (!p.Name.empty() && p.Sprite >= 0) s.push_back({Players16, p.Sprite, p.PrevX < x});
    }
    layer(Bots16, skx::MapBots(x, y));
    for (int i = 0; i < (accessLevel >= 95 ? 5 : 4); ++i)
        if (skx::Stores.At(i).X == x && skx::Stores.At(i).Y == y) s.push_back({Objects16, skx::Stores.At(i).Sprite});
    return s;
}

}  // namespace viewtest
