#include "AtlasCells.h"

#include <windows.h>

#include <cstdlib>
#include <iomanip>

#include "ScreenPicture.h"
#include "WinTestSupport.h"

namespace testsupport {

namespace {

constexpr int AtlasSizes[AtlasSlots] = {256, 128, 256, 64, 64, 64, 64, 64, 32};

struct DataFile {
    HMODULE module;
    explicit DataFile(const std::string& path) : module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataFile() {
        if (module) FreeLibrary(module);
    }
};

// A bitmap resource (a BITMAPINFO and its pixels) as the system reads it into 32-bit texels,
// top row first; empty when it is missing or not of the size.
std::vector<uint32_t> ReadBitmap(HMODULE module, const char* name, int size) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* info = loaded ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
    if (!info || info->bmiHeader.biWidth != size || std::abs(info->bmiHeader.biHeight) != size) return {};
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const DWORD colours = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? 1u << h.biBitCount : 0;
    const auto* bits = reinterpret_cast<const uint8_t*>(info) + h.biSize + 4 * colours +
                       (h.biCompression == BI_BITFIELDS ? 12 : 0);
    BITMAPINFO want{};
    want.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> texels(static_cast<size_t>(size) * static_cast<size_t>(size));
    HDC screen = GetDC(nullptr);
    void* pixels = nullptr;
    HBITMAP section = CreateDIBSection(screen, &want, DIB_RGB_COLORS, &pixels, nullptr, 0);
    const bool read = section && SetDIBits(screen, section, 0, static_cast<UINT>(size), bits, info, DIB_RGB_COLORS) == size;
    if (read) {
        const auto* p = static_cast<const uint32_t*>(pixels);
        for (size_t i = 0; i < texels.size(); ++i) texels[i] = p[i] & 0xFFFFFF;
    }
    if (section) DeleteObject(section);
    ReleaseDC(nullptr, screen);
    return read ? texels : std::vector<uint32_t>{};
}

}  // namespace

PixelView::PixelView(const ScreenPicture& picture)
    : pixels(picture.pixels.data()), width(picture.width), height(picture.height) {}

std::ostream& operator<<(std::ostream& out, const CellMatch& m) {
    if (m.Matches()) return out << "all 256 texels match";
    out << m.differing << " texels differ";
    if (m.firstX < 0) return out << " (outside the picture)";
    return out << ", the first at (" << m.firstX << ", " << m.firstY << "): expected 0x" << std::hex << std::setw(6)
               << std::setfill('0') << m.expected << ", shown 0x" << std::setw(6) << m.shown << std::dec;
}

namespace {

bool Within(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > tolerance) return false;
    return true;
}

uint32_t Tint(uint32_t texel, uint32_t tint) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) out |= ((texel >> shift & 0xFF) * (tint >> shift & 0xFF) / 255) << shift;
    return out;
}

}  // namespace

CellMatch Compare(const Cell& expected, const PixelView& picture, int left, int top, int tolerance) {
    CellMatch m;
    if (left < 0 || top < 0 || left + 16 > picture.width || top + 16 > picture.height) return {256};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint32_t want = expected[static_cast<size_t>(16 * y + x)], shown = picture.At(left + x, top + y);
            if (Within(want, shown, tolerance)) continue;
            if (m.differing++ == 0) m.firstX = x, m.firstY = y, m.expected = want, m.shown = shown;
        }
    return m;
}

Cell Tinted(const Cell& cell, uint32_t tint) {
    Cell out{};
    for (size_t i = 0; i < out.size(); ++i) out[i] = Tint(cell[i], tint);
    return out;
}

AtlasCells::AtlasCells(const std::string& program) {
    DataFile exe(program.empty() ? ProgramFolder() + "\\Skirmex.exe" : program);
    if (!exe.module) return;
    for (size_t slot = 0; slot < AtlasSlots; ++slot) {
        texels_[slot] = ReadBitmap(exe.module, AtlasNames[slot], AtlasSizes[slot]);
        if (!texels_[slot].empty()) size_[slot] = AtlasSizes[slot];
    }
}

bool AtlasCells::Loaded() const {
    for (int slot = 0; slot < AtlasSlots; ++slot)
        if (size_[static_cast<size_t>(slot)] != AtlasSizes[slot]) return false;
    return true;
}

uint32_t AtlasCells::Texel(int slot, int x, int y) const {
    const size_t s = static_cast<size_t>(slot);
    return texels_[s][static_cast<size_t>(y) * static_cast<size_t>(size_[s]) + static_cast<size_t>(x)];
}

Cell AtlasCells::At(int slot, int cell, bool mirrored) const {
    Cell out;
    out.fill(KeyColour);
    if (slot < 0 || slot >= AtlasSlots || cell < 0 || cell >= Count(slot)) return out;
    const int x0 = 16 * (cell / PerSide(slot)), y0 = 16 * (cell % PerSide(slot));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) out[static_cast<size_t>(16 * y + x)] = Texel(slot, x0 + (mirrored ? 15 - x : x), y0 + y);
    return out;
}

Cell AtlasCells::Square(std::span<const Sprite> layers) const {
    Cell out{};
    for (size_t i = 0; i < layers.size(); ++i) {
        const Cell c = At(layers[i]);
        for (size_t t = 0; t < out.size(); ++t)
            if (i == 0 || c[t] != KeyColour) out[t] = c[t];
    }
    return out;
}

CellMatch AtlasCells::Compare(std::span<const Sprite> layers, const PixelView& picture, int left, int top, int tolerance,
                              uint32_t tint) const {
    return testsupport::Compare(Tinted(Square(layers), tint), picture, left, top, tolerance);
}

std::vector<int> AtlasCells::Find(int slot, const PixelView& picture, int left, int top) const {
    std::vector<int> found;
    for (int cell = 0; cell < Count(slot); ++cell)
        if (testsupport::Compare(At(slot, cell), picture, left, top).Matches()) found.push_back(cell);
    return found;
}

void AtlasCells::Recolour(int slot, uint32_t (*recolour)(uint32_t)) {
    for (uint32_t& t : texels_[static_cast<size_t>(slot)]) t = recolour(t) & 0xFFFFFF;
}

ScreenPicture AtlasCells::Picture(int slot) const {
    const int size = size_[static_cast<size_t>(slot)];
    return {0, 0, size, size, texels_[static_cast<size_t>(slot)]};
}

}  // namespace testsupport
