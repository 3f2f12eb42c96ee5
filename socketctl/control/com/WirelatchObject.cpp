// Wirelatch's identity and life: creation, construction, release, interface lookup and the
// dispatch interface answered through the type library.
#include <memory>

#include "ModuleState.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

constexpr wchar_t kFallbackProgId[] = L"Wirekit.Wirelatch.1";
constexpr int kDesignBitmap = 201;
constexpr int kControlPixels = 28;

// Pixels to HIMETRIC units (0.01 mm) at the screen's resolution.
LONG PixelsToHimetric(int pixels, int index) {
    HDC screen = GetDC(nullptr);
    int perInch = screen ? GetDeviceCaps(screen, index) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    if (perInch <= 0) perInch = 96;
    return MulDiv(pixels, 2540, perInch);
}

HRESULT LoadInterfaceInfo(REFGUID guid, ITypeInfo** out) {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(ModuleHandle(), path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return TYPE_E_CANTLOADLIBRARY;
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, library.Receive());
    if (FAILED(hr)) return hr;
    return library->GetTypeInfoOfGuid(guid, out);
}

}  // namespace

HRESULT CreateWirelatch(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto made = std::make_unique<Wirelatch>();
    HRESULT hr = made->FinalConstruct();
    if (FAILED(hr)) {
        made->FinalRelease();
        return hr;
    }
    // From here the reference count owns the object; the creation reference goes at the end.
    Wirelatch* object = made.release();
    hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

Wirelatch::Wirelatch()
    : eventPoint_(static_cast<IConnectionPointContainer*>(this), DIID__IWirelatchEvents),
      propertyPoint_(static_cast<IConnectionPointContainer*>(this), IID_IPropertyNotifySink) {
    LockModule();
    LPOLESTR progId = nullptr;
    if (SUCCEEDED(ProgIDFromCLSID(CLSID_Wirelatch, &progId)) && progId) {
        errorSource_ = BStr(progId);
        CoTaskMemFree(progId);
    } else {
        errorSource_ = BStr(kFallbackProgId);
    }
}

Wirelatch::~Wirelatch() { UnlockModule(); }

HRESULT Wirelatch::FinalConstruct() {
    extent_.cx = PixelsToHimetric(kControlPixels, LOGPIXELSX);
    extent_.cy = PixelsToHimetric(kControlPixels, LOGPIXELSY);
    designBitmap_ = LoadBitmapW(ModuleHandle(), MAKEINTRESOURCEW(kDesignBitmap));
    LoadInterfaceInfo(IID_IWirelatch, typeInfo_.Receive());
    LoadInterfaceInfo(CLSID_Wirelatch, classInfo_.Receive());
    if (!window_) MakeNotifyWindow();
    return S_OK;
}

void Wirelatch::FinalRelease() {
    // The design window shows the picture: it goes before the picture does.
    InPlaceDeactivate();
    credentials_.Reset();
    if (designBitmap_) DeleteObject(designBitmap_);
    designBitmap_ = nullptr;
    DestroyNotifyWindow();
    // Only this control's own socket is closed, and the library is released only when this
    // control started it, so no other control loses its connection or Windows Sockets.
    if (HasSocket()) {
        InetDisconnect(handle_);
        handle_ = INVALID_SOCKET;
    }
    if (started_) {
        InetUninitialize();
        started_ = false;
    }
    eventPoint_.Clear();
    propertyPoint_.Clear();
    clientSite_.Reset();
    viewSink_.Reset();
}

HRESULT Wirelatch::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IWirelatch))
        *out = static_cast<IWirelatch*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2))
        *out = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(iid, IID_IOleObject))
        *out = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IOleControl))
        *out = static_cast<IOleControl*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceObject) || IsEqualIID(iid, IID_IOleWindow))
        *out = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IQuickActivate))
        *out = static_cast<IQuickActivate*>(this);
    else if (IsEqualIID(iid, IID_IPersistStreamInit) || IsEqualIID(iid, IID_IPersist))
        *out = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2))
        *out = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(iid, IID_IObjectSafety))
        *out = static_cast<IObjectSafety*>(this);
    else if (IsEqualIID(iid, IID_ISupportErrorInfo))
        *out = static_cast<ISupportErrorInfo*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG Wirelatch::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG Wirelatch::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        // Keep the count above zero while the release code runs, so that a reference taken
        // and dropped on the way cannot free the object a second time.
        refs_ = 1;
        FinalRelease();
        std::unique_ptr<Wirelatch> owner(this);
    }
    return static_cast<ULONG>(left);
}

HRESULT Wirelatch::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = typeInfo_ ? 1 : 0;
    return S_OK;
}

HRESULT Wirelatch::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (!typeInfo_) return TYPE_E_CANTLOADLIBRARY;
    typeInfo_.CopyTo(info);
    return S_OK;
}

HRESULT Wirelatch::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!typeInfo_) return TYPE_E_CANTLOADLIBRARY;
    if (!names || !ids) return E_POINTER;
    return typeInfo_->GetIDsOfNames(names, count, ids);
}

HRESULT Wirelatch::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* excepInfo, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!typeInfo_) return TYPE_E_CANTLOADLIBRARY;
    DISPPARAMS none{};
    return typeInfo_->Invoke(static_cast<IWirelatch*>(this), id, flags, params ? params : &none, result,
                             excepInfo, argError);
}

bool Wirelatch::UserMode() const {
    if (!clientSite_) return true;
    auto ambient = clientSite_.As<IDispatch>(IID_IDispatch);
    if (!ambient) return true;
    DISPPARAMS none{};
    VariantValue value;
    HRESULT hr = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                 &none, value.Get(), nullptr, nullptr);
    if (FAILED(hr)) return true;
    if (FAILED(VariantChangeType(value.Get(), value.Get(), 0, VT_BOOL))) return true;
    return V_BOOL(value.Get()) != VARIANT_FALSE;
}

DWORD Wirelatch::OptionWord() const {
    DWORD options = 0;
    if (broadcast_) options |= INET_OPTION_BROADCAST;
    if (!route_) options |= INET_OPTION_DONTROUTE;
    if (keepAlive_) options |= INET_OPTION_KEEPALIVE;
    if (reuseAddress_) options |= INET_OPTION_REUSEADDRESS;
    if (noDelay_) options |= INET_OPTION_NODELAY;
    if (inLine_) options |= INET_OPTION_INLINE;
    if (secure_) options |= INET_OPTION_SECURE;
    return options;
}

void Wirelatch::ResetDefaults() {
    FreeAliasCache();
    aliasCacheSize_ = 0;
    for (DWORD& address : adapters_) address = 0;
    adapterCount_ = 0;
    autoResolve_ = VARIANT_FALSE;
    backlog_ = 5;
    blocking_ = VARIANT_TRUE;
    broadcast_ = VARIANT_FALSE;
    byteOrder_ = 0;
    hostAddress_.Reset();
    hostName_.Reset();
    started_ = false;
    inLine_ = VARIANT_FALSE;
    interval_ = 0;
    inTimer_ = false;
    keepAlive_ = VARIANT_FALSE;
    lastError_ = 0;
    library_.Reset();
    linger_ = 0;
    localAddress_ = 0;
    localPort_ = 0;
    maxDatagram_ = 0;
    maxSockets_ = 0;
    noDelay_ = VARIANT_FALSE;
    protocol_ = INET_PROTOCOL_TCP;
    remotePort_ = 0;
    reservedPort_ = VARIANT_FALSE;
    reuseAddress_ = VARIANT_TRUE;
    route_ = VARIANT_TRUE;
    secure_ = VARIANT_FALSE;
    handle_ = INVALID_SOCKET;
    throwError_ = VARIANT_FALSE;
    timeout_ = 0;
    trace_ = VARIANT_FALSE;
    traceFile_.Reset();
    traceFlags_ = 0;
    urgent_ = VARIANT_FALSE;
    vendor_.Reset();
    version_.Reset();
}

}  // namespace wirelatch
