#include "ArenaModel.h"

namespace skx {

void SetupArrays() {
    MapSplats.Fill(-1);
    MapPaintballs.Fill(-1);
    MapObjects.Fill(-1);
    MapBots.Fill(-1);
    MapPlayers.Fill(-1);
    MapTargets.Fill(-1);
    MapTerrain.Fill(1);
    MapOutline.Fill(0);
    static const char* const names[5] = {"Newbie Store", "Equipment Store", "Weapons Store",
                                         "Ammunition Store", "Secret Store"};
    for (size_t i = 0; i < Stores.size(); ++i) Stores[i].Name = names[i];
}

}  // namespace skx
