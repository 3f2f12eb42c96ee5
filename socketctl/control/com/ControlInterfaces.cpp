// The interfaces a container uses to site, size, persist, draw and freeze the control, its
// connection points, class information, safety options and error information support. The
// in-place interfaces and quick activation are in InPlaceActivation and QuickActivation.
#include "ComEnumerators.h"
#include "DesignPicture.h"
#include "ModuleState.h"
#include "Wirelatch.h"

namespace wirelatch {

// IConnectionPointContainer

HRESULT Wirelatch::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    return CreateConnectionPointEnumerator({&eventPoint_, &propertyPoint_}, out);
}

HRESULT Wirelatch::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ConnectionPoint* point = nullptr;
    if (IsEqualIID(iid, eventPoint_.Iid()))
        point = &eventPoint_;
    else if (IsEqualIID(iid, propertyPoint_.Iid()))
        point = &propertyPoint_;
    else
        return CONNECT_E_NOCONNECTION;
    *out = point;
    point->AddRef();
    return S_OK;
}

// IProvideClassInfo2

HRESULT Wirelatch::GetClassInfo(ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!classInfo_) return TYPE_E_CANTLOADLIBRARY;
    classInfo_.CopyTo(out);
    return S_OK;
}

HRESULT Wirelatch::GetGUID(DWORD kind, GUID* out) {
    if (!out) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *out = GUID_NULL;
        return E_INVALIDARG;
    }
    *out = DIID__IWirelatchEvents;
    return S_OK;
}

// IOleObject

HRESULT Wirelatch::SetClientSite(IOleClientSite* site) {
    // Leaving a site ends the activation in it.
    if (site != clientSite_.Get()) InPlaceDeactivate();
    clientSite_ = ComPtr<IOleClientSite>(site);
    return S_OK;
}

HRESULT Wirelatch::GetClientSite(IOleClientSite** out) {
    if (!out) return E_POINTER;
    clientSite_.CopyTo(out);
    return S_OK;
}

HRESULT Wirelatch::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT Wirelatch::Close(DWORD) {
    InPlaceDeactivate();
    FreezeEvents(FALSE);
    return S_OK;
}

HRESULT Wirelatch::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT Wirelatch::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Wirelatch::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT Wirelatch::GetClipboardData(DWORD, IDataObject** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Wirelatch::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
    // The control opens no window of its own: showing and opening are in-place activation.
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_OPEN:
        case OLEIVERB_INPLACEACTIVATE:
            return ActivateInPlace(false);
        case OLEIVERB_UIACTIVATE:
            return ActivateInPlace(true);
        case OLEIVERB_HIDE:
            return UIDeactivate();
        default:
            return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT Wirelatch::EnumVerbs(IEnumOLEVERB** out) {
    if (!out) return E_POINTER;
    return OleRegEnumVerbs(CLSID_Wirelatch, out);
}

HRESULT Wirelatch::Update() { return S_OK; }
HRESULT Wirelatch::IsUpToDate() { return S_OK; }

HRESULT Wirelatch::GetUserClassID(CLSID* out) {
    if (!out) return E_POINTER;
    *out = CLSID_Wirelatch;
    return S_OK;
}

HRESULT Wirelatch::GetUserType(DWORD form, LPOLESTR* out) {
    if (!out) return E_POINTER;
    return OleRegGetUserType(CLSID_Wirelatch, form, out);
}

HRESULT Wirelatch::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    return S_OK;
}

HRESULT Wirelatch::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

HRESULT Wirelatch::Advise(IAdviseSink*, DWORD* cookie) {
    if (cookie) *cookie = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT Wirelatch::Unadvise(DWORD) { return OLE_E_NOCONNECTION; }

HRESULT Wirelatch::EnumAdvise(IEnumSTATDATA** out) {
    if (out) *out = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT Wirelatch::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) return E_POINTER;
    *status = 0;
    if (aspect != DVASPECT_CONTENT) return S_OK;
    *status = OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
              OLEMISC_SETCLIENTSITEFIRST | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

HRESULT Wirelatch::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// IOleControl

HRESULT Wirelatch::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT Wirelatch::OnMnemonic(MSG*) { return S_OK; }
HRESULT Wirelatch::OnAmbientPropertyChange(DISPID) { return S_OK; }

HRESULT Wirelatch::FreezeEvents(BOOL freeze) {
    if (freeze) {
        ++freezeCount_;
    } else if (freezeCount_ > 0) {
        --freezeCount_;
    } else {
        return S_OK;  // an unbalanced thaw changes nothing
    }
    if (HasSocket() && freezeCount_ <= 1) InetFreezeEvents(handle_, freezeCount_ ? TRUE : FALSE);
    if (freezeCount_ == 0 && connectPending_) {
        connectPending_ = false;
        FireOnConnect();
    }
    return S_OK;
}

// IPersistStreamInit: the control keeps no persistent properties of its own.

HRESULT Wirelatch::GetClassID(CLSID* out) {
    if (!out) return E_POINTER;
    *out = CLSID_Wirelatch;
    return S_OK;
}

HRESULT Wirelatch::IsDirty() { return dirty_ ? S_OK : S_FALSE; }
HRESULT Wirelatch::Load(IStream*) { return S_OK; }

HRESULT Wirelatch::Save(IStream*, BOOL clearDirty) {
    if (clearDirty) dirty_ = false;
    return S_OK;
}

HRESULT Wirelatch::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

HRESULT Wirelatch::InitNew() { return S_OK; }

// IViewObject2: the design-time picture.

HRESULT Wirelatch::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc, LPCRECTL bounds, LPCRECTL,
                        BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!drawDc || !bounds) return E_INVALIDARG;
    if (UserMode() || !designBitmap_) return S_OK;  // invisible at run time
    return DrawDesignPicture(drawDc, bounds->left, bounds->top, designBitmap_) ? S_OK : E_FAIL;
}

HRESULT Wirelatch::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colorSet) {
    if (colorSet) *colorSet = nullptr;
    return S_FALSE;
}

HRESULT Wirelatch::Freeze(DWORD, LONG, void*, DWORD* cookie) {
    if (cookie) *cookie = 0;
    return E_NOTIMPL;
}

HRESULT Wirelatch::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT Wirelatch::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
    viewSink_ = ComPtr<IAdviseSink>(sink);
    return S_OK;
}

HRESULT Wirelatch::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = DVASPECT_CONTENT;
    if (flags) *flags = 0;
    if (sink) viewSink_.CopyTo(sink);
    return S_OK;
}

HRESULT Wirelatch::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// IObjectSafety: safe for untrusted callers and data, for the interfaces the object has.

namespace {
constexpr DWORD kSafetyOptions = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
}

HRESULT Wirelatch::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) {
    if (!supported || !enabled) return E_POINTER;
    ComPtr<IUnknown> probe;
    if (FAILED(QueryInterface(iid, reinterpret_cast<void**>(probe.Receive())))) {
        *supported = *enabled = 0;
        return E_NOINTERFACE;
    }
    *supported = kSafetyOptions;
    *enabled = kSafetyOptions;
    return S_OK;
}

HRESULT Wirelatch::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) {
    ComPtr<IUnknown> probe;
    if (FAILED(QueryInterface(iid, reinterpret_cast<void**>(probe.Receive())))) return E_NOINTERFACE;
    if ((mask & ~kSafetyOptions) || (enabled & mask & ~kSafetyOptions)) return E_FAIL;
    safetyEnabled_ = (safetyEnabled_ & ~mask) | (enabled & mask);
    return S_OK;
}

// ISupportErrorInfo

HRESULT Wirelatch::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID_IWirelatch) ? S_OK : S_FALSE;
}

// Enabled: the stock property.

HRESULT Wirelatch::get_Enabled(VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    *value = enabled_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT Wirelatch::put_Enabled(VARIANT_BOOL value) {
    for (const ComPtr<IUnknown>& sink : propertyPoint_.Sinks()) {
        if (reinterpret_cast<IPropertyNotifySink*>(sink.Get())->OnRequestEdit(DISPID_ENABLED) == S_FALSE)
            return S_FALSE;
    }
    enabled_ = value;
    dirty_ = true;
    NotifyPropertyChanged(DISPID_ENABLED);
    if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
    return S_OK;
}

}  // namespace wirelatch
