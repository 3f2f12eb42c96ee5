// Drawing the part of the arena the map view shows: one pass a layer over the visible squares,
// each with its atlas (terrain rows; splats, objects, trails, paintballs; target and outlines;
// players; bots; stores), tinted by the light, and the names of the visible players.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "ArenaModel.h"
#include "DrawDevice.h"

namespace skx {

// A jet trail on a square: drawn while Active is -1, fading by 10 a frame in view.
struct TrailRecord {
    int16_t Alpha = 0;
    int16_t Active = 0;
    int16_t Sprite = 0;  // a cell of JETTRAILS_16
};
// One record a square, at x + 150 * y; only the map passes read and write it.
inline std::array<TrailRecord, ArenaCells> MapTrails{};

class MapPasses {
public:
    // The nine layer passes, bottom first (the fifth store only at access level 95 or more).
    // A cell value outside its atlas, or an atlas without its texture, draws nothing there
    // and is reported once a run (error 9); a failed device call ends the map drawing.
    void RenderMap(DrawDevice& device, int16_t accessLevel);
    // The names of the players in view, in white beside their squares.
    void RenderNames(DrawDevice& device);

private:
    // Arena columns and rows of the view's columns and rows, always within the arena.
    void MeasureView();
    // Sets a pass's atlas; false (reported once) when it has no texture.
    bool UseAtlas(DrawDevice& device, int32_t pass, int32_t slot);
    void DrawCell(DrawDevice& device, int32_t pass, int32_t slot, int32_t cell, int32_t j, int32_t i,
                  uint32_t colour, bool mirrored = false);
    void Report(int32_t pass, int32_t value);
    template <class Visit>
    void EachSquareByColumn(Visit visit) const;

    void TerrainPass(DrawDevice& device);
    void LayerPass(DrawDevice& device, int32_t pass, int32_t slot, const MapGrid& layer);
    void TrailPass(DrawDevice& device);
    void MarkerPass(DrawDevice& device);
    void PlayerPass(DrawDevice& device);
    void StorePass(DrawDevice& device, int16_t accessLevel);

    std::vector<int32_t> columns_, rows_;
    // What was reported: a bit for each pass and value (65536 stands for a missing texture).
    std::vector<bool> reported_ = std::vector<bool>(10 * 65537);
};

}  // namespace skx
