// A text font of the graphics helper layer: draws lines of text on a Direct3D device as
// textured quads. GDI draws each string once into a shared atlas texture, which the font keeps
// until it goes; the quads of many lines go to the device together in one draw.
#pragma once
#include <windows.h>

#include <d3d8.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "HelperTextures.h"
#include "ViewGeometry.h"

namespace skx {

class TextFont {
public:
    // The atlas every line is drawn into; a line wider or taller is cut to it.
    static constexpr int AtlasWidth = 2048, AtlasHeight = 512;

    // font stays the caller's and must outlive this object.
    TextFont(IDirect3DDevice8* device, HFONT font);
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    // Draws text in colour, centred across rect and at its top, clipped to rect. The text is
    // drawn as written ("&" is a letter). Every device state it changes is put back.
    HRESULT DrawText(const std::string& text, const RECT& rect, D3DCOLOR colour);

    // DrawText held back: the line waits for Flush, which draws every line held in one draw.
    HRESULT Queue(const std::string& text, const RECT& rect, D3DCOLOR colour);
    HRESULT Flush();
    bool Held() const { return !held_.empty(); }
    void Discard() { held_.clear(); }

private:
    struct Line {
        int x = 0, y = 0;           // in the atlas
        int width = 0, height = 0;  // of the text
    };
    // Draws text into the atlas (starting the atlas afresh when it is full).
    HRESULT MakeLine(const std::string& text, Line& line);
    HRESULT Restart();

    ComRef<IDirect3DDevice8> device_;
    HFONT font_;
    TextureRef atlas_;
    int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;  // where the next line goes
    std::unordered_map<std::string, Line> lines_;
    std::vector<TLVertex> held_;  // list triangles, six corners a line
};

}  // namespace skx
