// A text font of the graphics helper layer: draws one line of text on a Direct3D device as
// one textured quad. GDI draws each string once into a texture, which the font keeps until
// it goes.
#pragma once
#include <windows.h>

#include <d3d8.h>

#include <string>
#include <unordered_map>

#include "HelperTextures.h"

namespace skx {

class TextFont {
public:
    // font stays the caller's and must outlive this object.
    TextFont(IDirect3DDevice8* device, HFONT font);
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    // Draws text in colour, centred across rect and at its top, clipped to rect. The text is
    // drawn as written ("&" is a letter). Every device state it changes is put back.
    HRESULT DrawText(const std::string& text, const RECT& rect, D3DCOLOR colour);

private:
    struct Line {
        TextureRef texture;
        int width = 0, height = 0;        // of the text
        int texWidth = 0, texHeight = 0;  // of its texture
    };
    HRESULT MakeLine(const std::string& text, Line& line);
    HRESULT DrawQuad(const Line& line, const RECT& rect, D3DCOLOR colour);

    ComRef<IDirect3DDevice8> device_;
    HFONT font_;
    std::unordered_map<std::string, Line> lines_;
};

}  // namespace skx
