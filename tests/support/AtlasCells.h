// The map's sprite atlases as the program ships them (the bitmap resources of the built
// Skirmex.exe, read by the system), for picture checks that compare what a map square shows
// with the atlases' own texels. In light mode 1 (untinted daylight) with point filtering a
// square drawn at whole pixels shows its cells texel for texel: the terrain cell opaque, each
// sprite over it with its magenta see-through. Nothing here knows how a picture was captured.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace testsupport {

struct ScreenPicture;

// The atlases by texture slot.
enum AtlasSlot : int { Terrain16, Objects16, Players16, Bots16, JetTrails16, Paintballs16, Splats16, Walls16, Satellite16 };
inline constexpr int AtlasSlots = 9;
inline constexpr const char* AtlasNames[AtlasSlots] = {"TERRAIN_16", "OBJECTS_16",   "PLAYERS_16",
                                                       "BOTS_16",    "JETTRAILS_16", "PAINTBALLS_16",
                                                       "SPLATS_16",  "WALLS_16",     "SATELLITE_16"};
// Magenta: see-through in every atlas but the terrain's.
inline constexpr uint32_t KeyColour = 0xFF00FF;

// The 16 x 16 texels of a cell or a square, 0x00RRGGBB, row after row from the top.
using Cell = std::array<uint32_t, 256>;

// One sprite on a square: a cell of an atlas (numbered down each column), drawn mirrored (left
// and right swapped, as the players pass draws a player who last moved east) or not.
struct Sprite {
    int slot = Terrain16;
    int cell = 0;
    bool mirrored = false;
};

// Pixels however they were captured: 0x00RRGGBB (the top byte is ignored), row after row.
struct PixelView {
    const uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    PixelView() = default;
    PixelView(const uint32_t* p, int w, int h) : pixels(p), width(w), height(h) {}
    PixelView(const ScreenPicture& picture);  // NOLINT: a screen picture is a view of itself
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] & 0xFFFFFF; }
};

// How a 16 x 16 part of a picture compares with the texels expected there.
struct CellMatch {
    int differing = 0;              // texels that differ; 256 when the part is not wholly inside the picture
    int firstX = -1, firstY = -1;   // the first differing texel, row by row, in the cell
    uint32_t expected = 0, shown = 0;  // its colours
    bool Matches() const { return differing == 0; }
};
std::ostream& operator<<(std::ostream& out, const CellMatch& m);

// The part of the picture whose top left pixel is (left, top) against the texels of a cell; a
// texel matches when none of its channels is off by more than tolerance.
CellMatch Compare(const Cell& expected, const PixelView& picture, int left, int top, int tolerance = 0);
// Each channel as the device tints it (texel x tint / 255): what a tinted light mode shows.
Cell Tinted(const Cell& cell, uint32_t tint);

class AtlasCells {
public:
    // Reads the nine atlases from the program (empty: Skirmex.exe beside the test program).
    explicit AtlasCells(const std::string& program = "");
    // All nine were read, each at its size.
    bool Loaded() const;
    // Cells a side (16, 8, 16, 4, 4, 4, 4, 4, 2) and cells in all.
    int PerSide(int slot) const { return size_[static_cast<size_t>(slot)] / 16; }
    int Count(int slot) const { return PerSide(slot) * PerSide(slot); }
    // Texel (x, y) of the whole atlas.
    uint32_t Texel(int slot, int x, int y) const;
    // A cell's texels; a cell outside the atlas is all key colour.
    Cell At(int slot, int cell, bool mirrored = false) const;
    Cell At(const Sprite& s) const { return At(s.slot, s.cell, s.mirrored); }
    // What a square shows in light mode 1 with point filtering: the first sprite (the terrain)
    // opaque, each later one, in drawing order, over what lies below it.
    Cell Square(std::span<const Sprite> layers) const;
    Cell Square(std::initializer_list<Sprite> layers) const { return Square(std::span(layers.begin(), layers.size())); }
    // The part of the picture at (left, top) against the square of the sprites, bottom first,
    // tinted (each channel texel x tint / 255) and allowing each channel to be off by tolerance.
    CellMatch Compare(std::span<const Sprite> layers, const PixelView& picture, int left, int top, int tolerance = 0,
                      uint32_t tint = 0xFFFFFF) const;
    CellMatch Compare(std::initializer_list<Sprite> layers, const PixelView& picture, int left, int top,
                      int tolerance = 0, uint32_t tint = 0xFFFFFF) const {
        return Compare(std::span(layers.begin(), layers.size()), picture, left, top, tolerance, tint);
    }
    // The cells of an atlas that the part at (left, top) shows exactly (none when it shows none).
    std::vector<int> Find(int slot, const PixelView& picture, int left, int top) const;
    // Every texel of an atlas as recolour makes it, and the atlas as a picture (for SavePicture):
    // an atlas no program ships, for a test to hand a program and then look for.
    void Recolour(int slot, uint32_t (*recolour)(uint32_t texel));
    ScreenPicture Picture(int slot) const;

private:
    std::array<std::vector<uint32_t>, AtlasSlots> texels_;
    std::array<int, AtlasSlots> size_{};
};

}  // namespace testsupport
