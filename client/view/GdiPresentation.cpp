#include "GdiPresentation.h"

#include <memory>
#include <type_traits>

#include "BackBufferCopy.h"
#include "DirectXObjects.h"
#include "runtime/PictureBox.h"

namespace skx {

namespace {

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};

struct Presentation {
    BackBufferCopy frame;
    HWND picture = nullptr;  // the picture that paints itself from the frame
    std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer> deviceWindow;
};

Presentation& Presented() {
    static Presentation presented;
    return presented;
}

void PaintFrame(HDC dc, const RECT& client) {
    if (!Presented().frame.Use([&](const BackBufferCopy::Rows& rows) { DrawRows(dc, rows, client); })) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

}  // namespace

bool ChildPresentationHidden() {
    static const bool hidden = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return hidden;
}

HWND DeviceWindow(HWND picture) {
    if (!ChildPresentationHidden()) return picture;
    Presentation& p = Presented();
    if (!p.deviceWindow) {
        p.deviceWindow.reset(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                             GetModuleHandleA(nullptr), nullptr));
    }
    return p.deviceWindow ? p.deviceWindow.get() : picture;
}

HRESULT PresentThroughGdi(HWND picture) {
    Presentation& p = Presented();
    HRESULT hr = p.frame.Read(D3DDevice.Get());
    if (FAILED(hr)) return hr;
    // The device still presents to its hidden window, which shows nothing: the present ends
    // the device's frame, and Wine's Direct3D takes back the storage of the vertex buffers
    // discarded in a frame only then (without it, a further 64 MB block every few minutes).
    if (FAILED(hr = D3DDevice->Present(nullptr, nullptr, nullptr, nullptr))) return hr;
    bool drawn = false;
    WindowDC dc(picture);
    RECT client{};
    GetClientRect(picture, &client);
    p.frame.Use([&](const BackBufferCopy::Rows& rows) {
        if (!DrawableFormat(rows.format)) return;
        DrawRows(dc.Get(), rows, client);
        drawn = true;
    });
    if (!drawn) return S_FALSE;
    if (p.picture != picture) {
        if (p.picture) SetPicturePainter(p.picture, {});
        p.picture = picture;
        SetPicturePainter(picture, &PaintFrame);
    }
    return S_OK;
}

void ReleaseGdiPresentation() {
    Presentation& p = Presented();
    if (p.picture) SetPicturePainter(p.picture, {});
    p.picture = nullptr;
    p.frame.Release();
}

void CloseDeviceWindow() { Presented().deviceWindow.reset(); }

}  // namespace skx
