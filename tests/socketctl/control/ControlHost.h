// A small test host for the Wirelatch control: registration, late-bound calls by dispatch
// identifier, an event sink on the control's connection point, and a client site whose
// ambient user mode the test chooses.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "ComPtr.h"
#include "WirelatchCtl.h"

namespace controltest {

using wirelatch::BStr;
using wirelatch::ComPtr;
using wirelatch::VariantValue;

// Full path of Tetherline.dll beside the test program.
std::string ControlPath();
// Runs regsvr32 silently (with /u to unregister); its exit code, or -1 when it did not run.
int RunRegsvr32(bool unregister);

// Dispatch identifiers of the members the tests use.
enum Dispid : DISPID {
    kAutoResolve = 4, kBacklog = 5, kBlocking = 6, kByteOrder = 8, kConnected = 17, kHandle = 18,
    kHostAddress = 20, kHostName = 23, kInLine = 24, kInterval = 25, kIsClosed = 27, kIsReadable = 28,
    kIsWritable = 29, kLastError = 31, kListening = 34, kLocalPort = 37, kNoDelay = 41, kPeerAddress = 42, kPeerPort = 44,
    kProtocol = 47, kRemotePort = 48, kReuseAddress = 51, kRoute = 52, kSecure = 53, kState = 58,
    kThrowError = 59, kTimeout = 60, kLastErrorString = 82, kAbort = 67, kAccept = 68, kConnect = 71,
    kDisconnect = 72, kInitialize = 74, kListen = 75, kRead = 76, kReset = 77, kResolve = 78, kShutdown = 79, kWrite = 80,
    kUninitialize = 81, kEnabled = -514,
};

VARIANT Long(LONG v);
VARIANT Text(const wchar_t* s);  // the caller owns the string (VariantClear)
VARIANT Bool(bool v);
VARIANT Missing();
VARIANT RefTo(VARIANT* target);

// The outcome of one late-bound call: the HRESULT of Invoke, and the failure code a script
// host would see (the exception's code for DISP_E_EXCEPTION).
struct CallResult {
    HRESULT invoke = S_OK;
    HRESULT code = S_OK;
    std::wstring description;
};

// Calls members of a dispatch object by identifier, as the game client does.
class LateBound {
public:
    explicit LateBound(IDispatch* object) : object_(object) {}
    // args in call order; byref arguments are given with RefTo.
    CallResult Invoke(DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result);
    CallResult Call(DISPID id, std::vector<VARIANT> args = {}, VARIANT* result = nullptr) {
        return Invoke(id, DISPATCH_METHOD, std::move(args), result);
    }
    CallResult Put(DISPID id, VARIANT value) { return Invoke(id, DISPATCH_PROPERTYPUT, {value}, nullptr); }
    CallResult Get(DISPID id, VARIANT* result) { return Invoke(id, DISPATCH_PROPERTYGET, {}, result); }
    LONG GetLong(DISPID id);
    std::wstring GetText(DISPID id);
    IDispatch* Object() const { return object_.Get(); }

private:
    ComPtr<IDispatch> object_;
};

// One event as the sink received it.
struct Event {
    DISPID id;
    std::vector<LONG> numbers;
    std::vector<std::wstring> texts;
};

// The host's sink of _IWirelatchEvents.
class EventSink final : public IDispatch {
public:
    static ComPtr<EventSink> Create();
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // Connects to the control's event point; false when the control refused.
    bool Connect(IUnknown* control);
    void Disconnect();
    int Count(DISPID id) const;
    const Event* Last(DISPID id) const;
    // Every event received, in the order of arrival.
    const std::vector<Event>& Events() const { return events_; }
    void Clear() { events_.clear(); }
    // Runs inside the handler of the given event (for re-entrant hosts).
    void OnEvent(DISPID id, void (*handler)(EventSink*, void*), void* context) {
        handlerId_ = id;
        handler_ = handler;
        context_ = context;
    }
    int depth = 0;
    int maxDepth = 0;

private:
    LONG refs_ = 1;
    std::vector<Event> events_;
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
    DISPID handlerId_ = 0;
    void (*handler_)(EventSink*, void*) = nullptr;
    void* context_ = nullptr;
};

// The container's frame (and document) window for in-place activation: records the active
// object it is given.
class FakeFrame final : public IOleInPlaceFrame {
public:
    static ComPtr<FakeFrame> Create(HWND window);
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
    ComPtr<IOleInPlaceActiveObject> active;
    int activeCalls = 0;

private:
    LONG refs_ = 1;
    HWND window_ = nullptr;
};

// A client site whose ambient user mode is the given value. With inPlace set it is also an
// in-place site in the given window, counting the control's calls.
class FakeSite final : public IOleClientSite, public IDispatch, public IOleInPlaceSite {
public:
    static ComPtr<FakeSite> Create(bool userMode);
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override {
        if (m) *m = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override {
        if (c) *c = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* c) override {
        if (c) *c = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;
    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return allowInPlace ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        ++inPlaceActivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override {
        ++uiActivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override {
        ++uiDeactivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        ++inPlaceDeactivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    bool userMode = true;
    bool inPlace = false;       // answers as an in-place site
    bool allowInPlace = true;   // CanInPlaceActivate's answer
    HWND window = nullptr;      // the container window
    RECT place{10, 20, 38, 48};
    ComPtr<FakeFrame> frame;
    int inPlaceActivations = 0, uiActivations = 0, uiDeactivations = 0, inPlaceDeactivations = 0;

private:
    LONG refs_ = 1;
};

// The hidden notification window of a control of this thread (the first one found), or null.
HWND NotifyWindowOfThisThread();

// Creates the control by class identifier, as IDispatch.
ComPtr<IDispatch> CreateControl();

}  // namespace controltest
