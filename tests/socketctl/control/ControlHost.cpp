// The test host's plumbing: registration, late-bound calls, the event sink and the client site.
#include "ControlHost.h"

#include <olectl.h>

#include <memory>

#include "WinTestSupport.h"

namespace controltest {

std::string ControlPath() { return testsupport::ProgramFolder() + "\\Tetherline.dll"; }

int RunRegsvr32(bool unregister) {
    testsupport::ChildProcess child;
    std::string cmd = std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + ControlPath() + "\"";
    if (!child.Start(cmd)) return -1;
    DWORD code = 0;
    if (!child.Wait(60000, &code)) return -1;
    return static_cast<int>(code);
}

VARIANT Long(LONG v) {
    VARIANT r;
    VariantInit(&r);
    V_VT(&r) = VT_I4;
    V_I4(&r) = v;
    return r;
}

VARIANT Text(const wchar_t* s) {
    VARIANT r;
    VariantInit(&r);
    V_VT(&r) = VT_BSTR;
    V_BSTR(&r) = SysAllocString(s);
    return r;
}

VARIANT Bool(bool v) {
    VARIANT r;
    VariantInit(&r);
    V_VT(&r) = VT_BOOL;
    V_BOOL(&r) = v ? VARIANT_TRUE : VARIANT_FALSE;
    return r;
}

VARIANT Missing() {
    VARIANT r;
    VariantInit(&r);
    V_VT(&r) = VT_ERROR;
    V_ERROR(&r) = DISP_E_PARAMNOTFOUND;
    return r;
}

VARIANT RefTo(VARIANT* target) {
    VARIANT r;
    VariantInit(&r);
    V_VT(&r) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&r) = target;
    return r;
}

CallResult LateBound::Invoke(DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info{};
    UINT argError = 0;
    VariantValue ignored;
    CallResult r;
    r.invoke = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                               result ? result : ignored.Get(), &info, &argError);
    r.code = r.invoke;
    if (r.invoke == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
        r.code = info.scode ? info.scode : static_cast<HRESULT>(0x800A0000u | info.wCode);
        if (info.bstrDescription) r.description = info.bstrDescription;
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrHelpFile);
    }
    for (VARIANT& v : args)
        if (!(V_VT(&v) & VT_BYREF)) VariantClear(&v);
    return r;
}

LONG LateBound::GetLong(DISPID id) {
    VariantValue v;
    if (FAILED(Get(id, v.Get()).invoke)) return 0x7EEEEEEE;
    if (FAILED(VariantChangeType(v.Get(), v.Get(), 0, VT_I4))) return 0x7EEEEEEE;
    return V_I4(v.Get());
}

std::wstring LateBound::GetText(DISPID id) {
    VariantValue v;
    if (FAILED(Get(id, v.Get()).invoke) || V_VT(v.Get()) != VT_BSTR) return L"<failed>";
    return V_BSTR(v.Get()) ? V_BSTR(v.Get()) : L"";
}

// EventSink

ComPtr<EventSink> EventSink::Create() {
    auto made = std::make_unique<EventSink>();
    return ComPtr<EventSink>::Adopt(made.release());
}

HRESULT EventSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID__IWirelatchEvents)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG EventSink::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) std::unique_ptr<EventSink> owner(this);
    return static_cast<ULONG>(left);
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    Event e{id, {}, {}};
    if (params) {
        for (UINT i = params->cArgs; i-- > 0;) {
            const VARIANT& a = params->rgvarg[i];
            if (V_VT(&a) == VT_I4) e.numbers.push_back(V_I4(&a));
            if (V_VT(&a) == VT_BSTR) e.texts.push_back(V_BSTR(&a) ? V_BSTR(&a) : L"");
        }
    }
    events_.push_back(e);
    ++depth;
    if (depth > maxDepth) maxDepth = depth;
    if (handler_ && id == handlerId_) handler_(this, context_);
    --depth;
    return S_OK;
}

bool EventSink::Connect(IUnknown* control) {
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Receive()))))
        return false;
    if (FAILED(container->FindConnectionPoint(DIID__IWirelatchEvents, point_.Receive()))) return false;
    return SUCCEEDED(point_->Advise(static_cast<IDispatch*>(this), &cookie_));
}

void EventSink::Disconnect() {
    if (point_ && cookie_) point_->Unadvise(cookie_);
    cookie_ = 0;
    point_.Reset();
}

int EventSink::Count(DISPID id) const {
    int n = 0;
    for (const Event& e : events_)
        if (e.id == id) ++n;
    return n;
}

const Event* EventSink::Last(DISPID id) const {
    for (auto it = events_.rbegin(); it != events_.rend(); ++it)
        if (it->id == id) return &*it;
    return nullptr;
}

// FakeSite

ComPtr<FakeSite> FakeSite::Create(bool userMode) {
    auto made = std::make_unique<FakeSite>();
    made->userMode = userMode;
    return ComPtr<FakeSite>::Adopt(made.release());
}

HRESULT FakeSite::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *out = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IDispatch))
        *out = static_cast<IDispatch*>(this);
    else if (inPlace && (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow)))
        *out = static_cast<IOleInPlaceSite*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG FakeSite::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) std::unique_ptr<FakeSite> owner(this);
    return static_cast<ULONG>(left);
}

HRESULT FakeSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    if (id != DISPID_AMBIENT_USERMODE || !result) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT FakeSite::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window;
    return window ? S_OK : E_FAIL;
}

HRESULT FakeSite::GetWindowContext(IOleInPlaceFrame** frameOut, IOleInPlaceUIWindow** document, LPRECT position,
                                   LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frameOut || !document || !position || !clip || !info) return E_POINTER;
    *frameOut = nullptr;
    *document = nullptr;
    if (frame) {
        frame->AddRef();
        *frameOut = frame.Get();
    }
    *position = place;
    *clip = place;
    info->fMDIApp = FALSE;
    info->hwndFrame = window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

// FakeFrame

ComPtr<FakeFrame> FakeFrame::Create(HWND window) {
    auto made = std::make_unique<FakeFrame>();
    made->window_ = window;
    return ComPtr<FakeFrame>::Adopt(made.release());
}

HRESULT FakeFrame::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceUIWindow) ||
        IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *out = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG FakeFrame::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) std::unique_ptr<FakeFrame> owner(this);
    return static_cast<ULONG>(left);
}

HRESULT FakeFrame::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT FakeFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    ++activeCalls;
    active = ComPtr<IOleInPlaceActiveObject>(object);
    return S_OK;
}

namespace {

BOOL CALLBACK FindNotifyWindow(HWND window, LPARAM context) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "WirelatchNotifyWindow") return TRUE;
    *reinterpret_cast<HWND*>(context) = window;
    return FALSE;
}

}  // namespace

HWND NotifyWindowOfThisThread() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindNotifyWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

ComPtr<IDispatch> CreateControl() {
    ComPtr<IDispatch> object;
    CoCreateInstance(CLSID_Wirelatch, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(object.Receive()));
    return object;
}

}  // namespace controltest
