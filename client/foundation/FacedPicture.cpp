#include "FacedPicture.h"

#include <cstdlib>

namespace skx {

void FillKeyWithFace(unsigned char* bits, int width, int height, int stride, COLORREF face) {
    for (int y = 0; y < height; ++y) {
        unsigned char* row = bits + static_cast<ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            unsigned char* texel = row + 3 * x;  // blue, green, red
            if (texel[0] == 255 && texel[1] == 0 && texel[2] == 255) {
                texel[0] = GetBValue(face);
                texel[1] = GetGValue(face);
                texel[2] = GetRValue(face);
            }
        }
    }
}

GdiObject<HBITMAP> LoadFacedPicture(const char* name, HMODULE module) {
    GdiObject<HBITMAP> picture(
        static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (picture && GetObjectA(picture.Get(), sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBitsPixel == 24 &&
        dib.dsBm.bmBits) {
        GdiFlush();
        FillKeyWithFace(static_cast<unsigned char*>(dib.dsBm.bmBits), dib.dsBm.bmWidth, std::abs(dib.dsBm.bmHeight),
                        dib.dsBm.bmWidthBytes, GetSysColor(COLOR_BTNFACE));
    }
    return picture;
}

}  // namespace skx
