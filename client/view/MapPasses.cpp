#include "MapPasses.h"

#include <algorithm>
#include <cmath>

#include "AtlasTable.h"
#include "DxMath.h"
#include "LightAndWeather.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr const char* Module = "modDirectX8";
constexpr int32_t Square = 16;  // pixels a side, whatever TileSize holds
constexpr int32_t MissingTexture = 32768;
constexpr int16_t TargetCell = 25, OutlineCell = 26;
constexpr int16_t SecretStoreLevel = 95;

// The arena square origin + offset, rounded halves to even and wrapped into 0..149 (a
// negative or absurd origin included).
int32_t Wrapped(float origin, int32_t offset) {
    double square = std::fmod(std::nearbyint(static_cast<double>(origin) + offset), ArenaSize);
    if (square < 0) square += ArenaSize;
    return square >= 0 && square < ArenaSize ? static_cast<int32_t>(square) : 0;
}

Quad SquareQuad(int32_t j, int32_t i, const AtlasCorner& uv, float c, uint32_t colour, bool mirrored) {
    const float x = static_cast<float>(Square * j), y = static_cast<float>(Square * i);
    const float left = mirrored ? uv.U + c : uv.U, right = mirrored ? uv.U : uv.U + c;
    return {CreateTLVertex(x, y, 0, 1.0f, colour, 0, left, uv.V),
            CreateTLVertex(x, y + Square, 0, 1.0f, colour, 0, left, uv.V + c),
            CreateTLVertex(x + Square, y, 0, 1.0f, colour, 0, right, uv.V),
            CreateTLVertex(x + Square, y + Square, 0, 1.0f, colour, 0, right, uv.V + c)};
}

bool InAtlas(int32_t slot, int32_t cell) {
    return cell >= 0 && cell < static_cast<int32_t>(AtlasUV[static_cast<size_t>(slot)].size());
}

// The player a players cell names, when there is one to draw.
const PlayerRecord* ShownPlayer(int16_t k) {
    if (k < 0 || k >= static_cast<int32_t>(Players.size())) return nullptr;
    const PlayerRecord& p = Players[static_cast<size_t>(k)];
    return p.Name.empty() || p.Sprite < 0 ? nullptr : &p;
}

}  // namespace

void MapPasses::MeasureView() {
    columns_.resize(static_cast<size_t>(std::max(SquaresAcross + 1, 0)));
    rows_.resize(static_cast<size_t>(std::max(SquaresDown + 1, 0)));
    for (size_t j = 0; j < columns_.size(); ++j) columns_[j] = Wrapped(ViewOrigin.x, static_cast<int32_t>(j));
    for (size_t i = 0; i < rows_.size(); ++i) rows_[i] = Wrapped(ViewOrigin.y, static_cast<int32_t>(i));
}

template <class Visit>
void MapPasses::EachSquareByColumn(Visit visit) const {
    for (size_t j = 0; j < columns_.size(); ++j)
        for (size_t i = 0; i < rows_.size(); ++i)
            visit(static_cast<int32_t>(j), static_cast<int32_t>(i), columns_[j], rows_[i]);
}

void MapPasses::Report(int32_t pass, int32_t value) {
    const size_t bit = static_cast<size_t>(pass) * 65537 + static_cast<size_t>(std::clamp(value, -32768, 32768) + 32768);
    if (reported_[bit]) return;
    reported_[bit] = true;
    Guard(Module, "RenderMap", [] { Raise(errSubscriptOutOfRange); });
}

bool MapPasses::UseAtlas(DrawDevice& device, int32_t pass, int32_t slot) {
    if (device.SetTexture(slot)) return true;
    Report(pass, MissingTexture);
    return false;
}

void MapPasses::DrawCell(DrawDevice& device, int32_t pass, int32_t slot, int32_t cell, int32_t j, int32_t i,
                         uint32_t colour, bool mirrored) {
    if (!InAtlas(slot, cell)) return Report(pass, cell);
    const size_t s = static_cast<size_t>(slot);
    device.DrawQuad(SquareQuad(j, i, AtlasUV[s][static_cast<size_t>(cell)], AtlasCellSize[s], colour, mirrored));
}

void MapPasses::RenderMap(DrawDevice& device, int16_t accessLevel) {
    Guard(Module, "RenderMap", [&] {
        MeasureView();
        TerrainPass(device);
        LayerPass(device, 2, SPLATS_16, MapSplats);
        LayerPass(device, 3, OBJECTS_16, MapObjects);
        TrailPass(device);
        LayerPass(device, 5, PAINTBALLS_16, MapPaintballs);
        MarkerPass(device);
        PlayerPass(device);
        LayerPass(device, 8, BOTS_16, MapBots);
        StorePass(device, accessLevel);
    });
}

void MapPasses::TerrainPass(DrawDevice& device) {
    if (!UseAtlas(device, 1, TERRAIN_16)) return;
    const int32_t squares = static_cast<int32_t>(columns_.size());
    if (RowVertices.size() < 4 * columns_.size()) Raise(errSubscriptOutOfRange);
    // One strip a row; a square that cannot be drawn cuts the row in two.
    auto drawRun = [&](int32_t from, int32_t to) {
        if (to > from) device.DrawStrip(&RowVertices[4 * static_cast<size_t>(from)], 4 * static_cast<size_t>(to - from));
    };
    const std::vector<AtlasCorner>& uv = AtlasUV[TERRAIN_16];
    for (size_t i = 0; i < rows_.size(); ++i) {
        int32_t start = 0;
        for (int32_t j = 0; j < squares; ++j) {
            const int16_t tile = MapTerrain(columns_[static_cast<size_t>(j)], rows_[i]);
            if (!InAtlas(TERRAIN_16, tile)) {
                Report(1, tile);
                drawRun(start, j);
                start = j + 1;
                continue;
            }
            const Quad q = SquareQuad(j, static_cast<int32_t>(i), uv[static_cast<size_t>(tile)],
                                      AtlasCellSize[TERRAIN_16], LightColour, false);
            std::copy(q.begin(), q.end(), RowVertices.begin() + 4 * j);
        }
        drawRun(start, squares);
    }
}

void MapPasses::LayerPass(DrawDevice& device, int32_t pass, int32_t slot, const MapGrid& layer) {
    if (!UseAtlas(device, pass, slot)) return;
    EachSquareByColumn([&](int32_t j, int32_t i, int32_t x, int32_t y) {
        const int16_t value = layer(x, y);
        if (value > -1) DrawCell(device, pass, slot, value, j, i, LightColour);
    });
}

void MapPasses::TrailPass(DrawDevice& device) {
    if (!UseAtlas(device, 4, JETTRAILS_16)) return;
    EachSquareByColumn([&](int32_t j, int32_t i, int32_t x, int32_t y) {
        TrailRecord& trail = MapTrails[static_cast<size_t>(x + ArenaSize * y)];
        if (trail.Active != -1) return;
        const uint32_t colour = argb(trail.Alpha, LightRed, LightGreen, LightBlue);
        device.SetAlphaSource(AlphaSource::TextureTimesVertex);
        ThenRestore([&] { DrawCell(device, 4, JETTRAILS_16, trail.Sprite, j, i, colour); },
                    [&] { device.SetAlphaSource(AlphaSource::Texture); });
        trail.Alpha = static_cast<int16_t>(std::max(trail.Alpha - 10, -32768));
        if (trail.Alpha <= 0) trail.Active = 0;
    });
}

void MapPasses::MarkerPass(DrawDevice& device) {
    if (!UseAtlas(device, 6, OBJECTS_16)) return;
    // On a square with both, the outline lies over the target indicator.
    EachSquareByColumn([&](int32_t j, int32_t i, int32_t x, int32_t y) {
        if (MapTargets(x, y) > -1) DrawCell(device, 6, OBJECTS_16, TargetCell, j, i, LightColour);
        if (MapOutline(x, y) == -1) DrawCell(device, 6, OBJECTS_16, OutlineCell, j, i, LightColour);
    });
}

void MapPasses::PlayerPass(DrawDevice& device) {
    if (!UseAtlas(device, 7, PLAYERS_16)) return;
    EachSquareByColumn([&](int32_t j, int32_t i, int32_t x, int32_t y) {
        const int16_t k = MapPlayers(x, y);
        if (!ShownPlayer(k)) return;
        PlayerRecord& p = Players[static_cast<size_t>(k)];
        // A player whose last change of column was to a higher one faces the other way.
        if (x != p.LastX) {
            p.PrevX = p.LastX;
            p.LastX = static_cast<int16_t>(x);
        }
        DrawCell(device, 7, PLAYERS_16, p.Sprite, j, i, LightColour, p.PrevX < x);
    });
}

void MapPasses::StorePass(DrawDevice& device, int16_t accessLevel) {
    if (!UseAtlas(device, 9, OBJECTS_16)) return;
    const size_t shown = accessLevel >= SecretStoreLevel ? Stores.size() : Stores.size() - 1;
    EachSquareByColumn([&](int32_t j, int32_t i, int32_t x, int32_t y) {
        for (size_t s = 0; s < shown; ++s) {
            if (Stores[s].X == x && Stores[s].Y == y) DrawCell(device, 9, OBJECTS_16, Stores[s].Sprite, j, i, LightColour);
        }
    });
}

void MapPasses::RenderNames(DrawDevice& device) {
    Guard(Module, "RenderNames", [&] {
        MeasureView();
        for (size_t i = 0; i < rows_.size(); ++i) {
            for (size_t j = 0; j < columns_.size(); ++j) {
                const PlayerRecord* p = ShownPlayer(MapPlayers(columns_[j], rows_[i]));
                if (!p) continue;
                const int32_t left = Square * static_cast<int32_t>(j) + 10, top = Square * static_cast<int32_t>(i) - 1;
                const PixelRect rect{left, top, left + 10 * static_cast<int32_t>(p->Name.size()), top + 16};
                device.DrawString(p->Name, rect, 0xFFFFFFFF);
            }
        }
    });
}

}  // namespace skx
