#include "MsgBoxSkin.h"

#include "GdiHandle.h"

namespace skx {

void PaintTitleBand(HDC dc, int innerWidth) {
    BrushHandle band(CreateSolidBrush(TitleBandColour));
    RECT r{0, 0, innerWidth, TitleBandHeight};
    if (band) FillRect(dc, &r, band.Get());
}

namespace {
void RoundOutline(HDC dc, COLORREF colour, int left, int top, int right, int bottom) {
    PenHandle pen(CreatePen(PS_SOLID, 1, colour));
    SelectInDC usePen(dc, pen.Get());
    SelectInDC noFill(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, left, top, right, bottom, SkinCornerSize, SkinCornerSize);
}
}  // namespace

void PaintSkinBorders(HDC dc, int width, int height) {
    RoundOutline(dc, GetSysColor(COLOR_3DDKSHADOW), 0, 0, width - 1, height - 1);
    RoundOutline(dc, GetSysColor(COLOR_BTNFACE), 1, 1, width - 2, height - 2);
}

void PaintCloseImage(HDC dc, const RECT& r, CloseImageState state) {
    COLORREF frame = RGB(128, 128, 128), fill = TitleBandColour, cross = RGB(64, 64, 64);
    int shift = 0;
    if (state == CloseImageState::Hover) {
        frame = RGB(160, 40, 40);
        fill = RGB(255, 210, 160);
        cross = RGB(160, 40, 40);
    } else if (state == CloseImageState::Pressed) {
        frame = RGB(96, 16, 16);
        fill = RGB(176, 40, 40);
        cross = RGB(255, 255, 255);
        shift = 1;
    }
    BrushHandle brush(CreateSolidBrush(fill));
    PenHandle framePen(CreatePen(PS_SOLID, 1, frame));
    {
        SelectInDC useBrush(dc, brush.Get());
        SelectInDC usePen(dc, framePen.Get());
        RoundRect(dc, r.left, r.top, r.right, r.bottom, 5, 5);
    }
    PenHandle crossPen(CreatePen(PS_SOLID, 2, cross));
    SelectInDC usePen(dc, crossPen.Get());
    const int inset = 4;
    int l = r.left + inset + shift, t = r.top + inset + shift;
    int rr = r.right - inset - 1 + shift, b = r.bottom - inset - 1 + shift;
    MoveToEx(dc, l, t, nullptr);
    LineTo(dc, rr, b);
    MoveToEx(dc, rr, t, nullptr);
    LineTo(dc, l, b);
}

bool ClipToRoundedRegion(HWND hwnd, int width, int height) {
    RegionHandle region(CreateRoundRectRgn(0, 0, width, height, SkinCornerSize, SkinCornerSize));
    if (!region) return false;
    if (!SetWindowRgn(hwnd, region.Get(), TRUE)) return false;
    region.Release();  // the window owns it now
    return true;
}

}  // namespace skx
