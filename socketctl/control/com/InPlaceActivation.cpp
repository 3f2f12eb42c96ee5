// In-place activation in a container. Activation tells the site, keeps the place the container
// gives, and, when UI-activated, makes the control the frame's active object; keys and modeless
// changes are left to the container. The control is invisible at run time; at design time it
// shows its picture in a child window of the site's window while it is active.
#include "Wirelatch.h"

namespace wirelatch {

HRESULT Wirelatch::ActivateInPlace(bool uiActivate) {
    if (!inPlaceSite_) {
        // A container without in-place support has nothing to activate the control in.
        auto site = clientSite_ ? clientSite_.As<IOleInPlaceSite>(IID_IOleInPlaceSite) : ComPtr<IOleInPlaceSite>();
        if (!site) return S_OK;
        if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
        if (HRESULT hr = site->OnInPlaceActivate(); FAILED(hr)) return hr;
        inPlaceSite_ = site;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof(frameInfo);
        if (SUCCEEDED(site->GetWindowContext(inPlaceFrame_.Receive(), inPlaceDocument_.Receive(), &position, &clip,
                                             &frameInfo)))
            position_ = position;
        HWND parent = nullptr;
        if (!UserMode() && SUCCEEDED(site->GetWindow(&parent)) && parent)
            designWindow_.Create(parent, position_, designBitmap_);
    }
    if (uiActivate && !uiActive_) {
        if (HRESULT hr = inPlaceSite_->OnUIActivate(); FAILED(hr)) return hr;
        uiActive_ = true;
        auto* active = static_cast<IOleInPlaceActiveObject*>(this);
        if (inPlaceFrame_) inPlaceFrame_->SetActiveObject(active, nullptr);
        if (inPlaceDocument_) inPlaceDocument_->SetActiveObject(active, nullptr);
    }
    return S_OK;
}

// IOleWindow

HRESULT Wirelatch::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    // Only the design-time window belongs to the container; the notification window does not.
    *out = designWindow_.Handle();
    return *out ? S_OK : E_FAIL;
}

HRESULT Wirelatch::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceObject

HRESULT Wirelatch::InPlaceDeactivate() {
    if (!inPlaceSite_) return S_OK;
    UIDeactivate();
    // The site may release the control from its notification; the object stays until the end.
    ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    designWindow_.Destroy();
    inPlaceFrame_.Reset();
    inPlaceDocument_.Reset();
    site->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT Wirelatch::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (inPlaceFrame_) inPlaceFrame_->SetActiveObject(nullptr, nullptr);
    if (inPlaceDocument_) inPlaceDocument_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT Wirelatch::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    position_ = *position;
    designWindow_.Move(position_);
    return S_OK;
}

HRESULT Wirelatch::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

// IOleInPlaceActiveObject

HRESULT Wirelatch::TranslateAccelerator(LPMSG) { return S_FALSE; }  // the control has no keys
HRESULT Wirelatch::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT Wirelatch::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT Wirelatch::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
HRESULT Wirelatch::EnableModeless(BOOL) { return S_OK; }

}  // namespace wirelatch
