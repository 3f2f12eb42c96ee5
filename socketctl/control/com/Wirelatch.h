// Wirelatch: the socket control object. One instance holds at most one socket of the
// Tetherline sockets API and exposes it through IWirelatch and the _IWirelatchEvents
// connection point. The members are spread over files named after what they hold:
// WirelatchObject (identity, state, life), NotifyWindow (hidden window and its message map),
// ErrorReport, EventFiring, ControlInterfaces (container-facing interfaces),
// StoredProperties, SocketProperties, AddressProperties, LibraryMethods,
// ConnectionMethods and TransferMethods.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <objsafe.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "ConnectionPoint.h"
#include "DesignPicture.h"
#include "HeldCredentials.h"
#include "Tetherline.h"
#include "WirelatchCtl.h"

namespace wirelatch {

// The private message by which the library reports a socket event to the hidden window.
constexpr UINT kSocketEventMessage = 2025;
constexpr UINT_PTR kIntervalTimerId = 1;
constexpr int kAdapterListSize = 64;

// Refusal codes of properties and methods.
constexpr HRESULT kErrDesignTime = static_cast<HRESULT>(0x800A018A);
constexpr HRESULT kErrInvalidState = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kErrOutOfRange = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kErrNoTimer = static_cast<HRESULT>(0x800A0183);
constexpr HRESULT kErrDesignTimeStart = static_cast<HRESULT>(0x800A0005);
constexpr HRESULT kErrNoArray = static_cast<HRESULT>(0x800A0007);

// Creates a Wirelatch object and returns the requested interface of it.
HRESULT CreateWirelatch(REFIID iid, void** out);

class Wirelatch final : public IWirelatch,
                        public IConnectionPointContainer,
                        public IProvideClassInfo2,
                        public IOleObject,
                        public IOleControl,
                        public IOleInPlaceObject,
                        public IOleInPlaceActiveObject,
                        public IQuickActivate,
                        public IPersistStreamInit,
                        public IViewObject2,
                        public IObjectSafety,
                        public ISupportErrorInfo {
public:
    Wirelatch();
    ~Wirelatch();
    Wirelatch(const Wirelatch&) = delete;
    Wirelatch& operator=(const Wirelatch&) = delete;

    HRESULT FinalConstruct();
    void FinalRelease();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, answered through the type library's description of IWirelatch.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argError) override;

    // IWirelatch
    HRESULT STDMETHODCALLTYPE About() override;
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_AdapterAddress(VARIANT index, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_AdapterCount(long* value) override;
    HRESULT STDMETHODCALLTYPE get_AtMark(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_AutoResolve(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AutoResolve(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Backlog(long* value) override;
    HRESULT STDMETHODCALLTYPE put_Backlog(long value) override;
    HRESULT STDMETHODCALLTYPE get_Blocking(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Blocking(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Broadcast(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Broadcast(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_ByteOrder(wlByteOrderConstants* value) override;
    HRESULT STDMETHODCALLTYPE put_ByteOrder(wlByteOrderConstants value) override;
    HRESULT STDMETHODCALLTYPE get_CertificateExpires(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_CertificateIssued(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_CertificateIssuer(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_CertificateName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_CertificateName(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_CertificateStatus(wlCertificateConstants* value) override;
    HRESULT STDMETHODCALLTYPE get_CertificateStore(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_CertificateStore(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_CertificateSubject(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_CipherStrength(long* value) override;
    HRESULT STDMETHODCALLTYPE get_Connected(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_Handle(long* value) override;
    HRESULT STDMETHODCALLTYPE get_HashStrength(long* value) override;
    HRESULT STDMETHODCALLTYPE get_HostAddress(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_HostAddress(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_HostAlias(VARIANT index, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_HostFile(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_HostFile(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_HostName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_HostName(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_InLine(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_InLine(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Interval(long* value) override;
    HRESULT STDMETHODCALLTYPE put_Interval(long value) override;
    HRESULT STDMETHODCALLTYPE get_IsBlocked(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_IsClosed(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_IsReadable(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_IsWritable(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_KeepAlive(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_KeepAlive(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_LastError(long* value) override;
    HRESULT STDMETHODCALLTYPE put_LastError(long value) override;
    HRESULT STDMETHODCALLTYPE get_Library(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_Library(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_Linger(long* value) override;
    HRESULT STDMETHODCALLTYPE put_Linger(long value) override;
    HRESULT STDMETHODCALLTYPE get_Listening(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_LocalAddress(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_LocalAddress(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_LocalName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_LocalPort(long* value) override;
    HRESULT STDMETHODCALLTYPE put_LocalPort(long value) override;
    HRESULT STDMETHODCALLTYPE get_LocalService(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_LocalService(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_MaxDatagram(long* value) override;
    HRESULT STDMETHODCALLTYPE get_MaxSockets(long* value) override;
    HRESULT STDMETHODCALLTYPE get_NoDelay(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_NoDelay(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_PeerAddress(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PeerName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PeerPort(long* value) override;
    HRESULT STDMETHODCALLTYPE get_PhysicalAddress(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PortString(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Protocol(wlProtocolConstants* value) override;
    HRESULT STDMETHODCALLTYPE put_Protocol(wlProtocolConstants value) override;
    HRESULT STDMETHODCALLTYPE get_RemotePort(long* value) override;
    HRESULT STDMETHODCALLTYPE put_RemotePort(long value) override;
    HRESULT STDMETHODCALLTYPE get_RemoteService(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_RemoteService(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_ReservedPort(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_ReservedPort(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_ReuseAddress(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_ReuseAddress(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Route(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Route(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Secure(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Secure(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_SecureCipher(wlSecureCipherConstants* value) override;
    HRESULT STDMETHODCALLTYPE get_SecureHash(wlSecureHashConstants* value) override;
    HRESULT STDMETHODCALLTYPE get_SecureKeyExchange(wlSecureKeyExchangeConstants* value) override;
    HRESULT STDMETHODCALLTYPE get_SecureProtocol(wlSecureProtocolConstants* value) override;
    HRESULT STDMETHODCALLTYPE get_State(wlStatusConstants* value) override;
    HRESULT STDMETHODCALLTYPE get_ThrowError(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_ThrowError(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Timeout(long* value) override;
    HRESULT STDMETHODCALLTYPE put_Timeout(long value) override;
    HRESULT STDMETHODCALLTYPE get_Trace(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Trace(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_TraceFile(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_TraceFile(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_TraceFlags(long* value) override;
    HRESULT STDMETHODCALLTYPE put_TraceFlags(long value) override;
    HRESULT STDMETHODCALLTYPE get_Urgent(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Urgent(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Vendor(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Version(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_LastErrorString(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE Abort(VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Accept(VARIANT handle, VARIANT options, VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Authenticate(VARIANT userName, VARIANT password, VARIANT certificateStore, VARIANT certificateName, VARIANT options, VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Cancel(VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Connect(VARIANT hostName, VARIANT remotePort, VARIANT protocol, VARIANT timeout, VARIANT options, VARIANT localAddress, VARIANT localPort, VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Disconnect(VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Flush(VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Initialize(VARIANT moduleName, VARIANT options, VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Listen(VARIANT localAddress, VARIANT localPort, VARIANT backlog, VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Read(VARIANT* data, VARIANT length, VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Resolve(VARIANT hostName, VARIANT* hostAddress, VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Shutdown(VARIANT how, VARIANT* error) override;
    HRESULT STDMETHODCALLTYPE Write(VARIANT data, VARIANT length, VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE Uninitialize() override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** out) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** out) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* out) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* out) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IOleWindow, shared by the two in-place interfaces
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;

    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IQuickActivate
    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;

    // IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                   HDC targetInfo, HDC drawDc, LPCRECTL bounds, LPCRECTL wBounds,
                                   BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                          HDC targetInfo, LOGPALETTE** colorSet) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IObjectSafety
    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // The class's own operation: starts the sockets library once, on first use.
    virtual HRESULT StartLibrary(const char* moduleName);

    // The notification window's message map; true when the message was handled.
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The one failure path of every member.
    HRESULT ReportError(DWORD code, bool returnError, bool fireEvent);
    void HandleTimer();
    void DispatchSocketEvent(WPARAM socket, LPARAM lParam);

private:
    // False while the container is in design mode; no client site counts as run time.
    bool UserMode() const;
    HRESULT RefuseAtDesignTime() const { return UserMode() ? S_OK : kErrDesignTime; }
    // A get of run time: a missing out pointer, then design time, are refused.
    HRESULT CheckRunTimeGet(const void* value) const { return value ? RefuseAtDesignTime() : E_POINTER; }
    HRESULT EnsureLibrary();
    bool HasSocket() const { return handle_ != INVALID_SOCKET; }
    bool MakeNotifyWindow();
    // Before an event-mode open: the window is made again when it is gone; false when none results.
    bool ReadyNotifyTarget();
    void DestroyNotifyWindow();
    HWND NotifyTarget() const { return blocking_ ? nullptr : window_; }
    UINT NotifyMessage() const { return blocking_ ? 0 : kSocketEventMessage; }
    DWORD OptionWord() const;
    void FreezeNewSocket();
    void RefreshSecurityCopy();
    // The connect notification's work: the security copy, then OnConnect, or held while frozen.
    void AnnounceConnect();
    // The library's last error, or the generic failure when the library left none.
    DWORD LastFailure(DWORD generic = static_cast<DWORD>(E_FAIL)) const;
    // A method's library failure: Error set, OnError fired, a failure only with ThrowError.
    HRESULT MethodFailure(VARIANT* error);
    HRESULT PropertyFailure();
    HRESULT CloseSocket();
    void ResetDefaults();
    HRESULT PutHostNameText(const wchar_t* text);
    HRESULT SetStoredOption(DWORD bit, VARIANT_BOOL value, VARIANT_BOOL* field);
    void FreeAliasCache() { aliasCache_.reset(); }
    HRESULT FillAdapterList();
    HRESULT ReadSecurityText(const char* text, BSTR* value);
    HRESULT ReadSecurityTime(const SYSTEMTIME& time, BSTR* value);
    // In-place activation in the client site, with UI activation when asked.
    HRESULT ActivateInPlace(bool uiActivate);

    void FireOnAccept(LONG handle);
    void FireOnConnect();
    void FireOnDisconnect();
    void FireOnError(LONG error, const wchar_t* description);
    void FireOnRead();
    void FireOnTimer();
    void FireOnWrite();
    void FireEvent(DISPID id, VARIANT* args, UINT count);
    void NotifyPropertyChanged(DISPID id);

    LONG refs_ = 1;

    // Framework state: site, extent, connection points, freeze count, window, type information.
    ComPtr<IOleClientSite> clientSite_;
    ComPtr<IAdviseSink> viewSink_;
    ComPtr<ITypeInfo> typeInfo_;
    ComPtr<ITypeInfo> classInfo_;
    ConnectionPoint eventPoint_;
    ConnectionPoint propertyPoint_;
    SIZEL extent_{};
    LONG freezeCount_ = 0;
    bool connectPending_ = false;
    // Set while Connect or Accept waits inside the library for its socket.
    bool opening_ = false;
    // Set while Accept runs in the library: the library announces the accepted connection
    // there, before the control holds the new socket; the announcement is kept for Accept.
    bool accepting_ = false;
    SOCKET acceptAnnounced_ = INVALID_SOCKET;
    bool dirty_ = false;
    // In-place state: the site and its frame and document window while active.
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComPtr<IOleInPlaceFrame> inPlaceFrame_;
    ComPtr<IOleInPlaceUIWindow> inPlaceDocument_;
    bool uiActive_ = false;
    RECT position_{};
    // At design time the control shows its picture in a window of its own in the container.
    DesignWindow designWindow_;
    DWORD safetyEnabled_ = 0;
    HWND window_ = nullptr;

    // The control's own fields.
    VARIANT_BOOL enabled_ = VARIANT_TRUE;
    HBITMAP designBitmap_ = nullptr;
    BStr errorSource_;
    DWORD adapters_[kAdapterListSize] = {};
    int adapterCount_ = 0;
    VARIANT_BOOL autoResolve_ = VARIANT_FALSE;
    LONG backlog_ = 5;
    VARIANT_BOOL blocking_ = VARIANT_TRUE;
    VARIANT_BOOL broadcast_ = VARIANT_FALSE;
    LONG byteOrder_ = 0;
    BStr certificateName_;
    BStr certificateStore_;
    BStr hostAddress_;
    std::unique_ptr<char[]> aliasCache_;
    int aliasCacheSize_ = 0;
    BStr hostName_;
    bool started_ = false;
    VARIANT_BOOL inLine_ = VARIANT_FALSE;
    LONG interval_ = 0;
    bool inTimer_ = false;
    VARIANT_BOOL keepAlive_ = VARIANT_FALSE;
    DWORD lastError_ = 0;
    BStr library_;
    LONG linger_ = 0;
    DWORD localAddress_ = 0;
    LONG localPort_ = 0;
    LONG maxDatagram_ = 0;
    LONG maxSockets_ = 0;
    VARIANT_BOOL noDelay_ = VARIANT_FALSE;
    LONG protocol_ = INET_PROTOCOL_TCP;
    LONG remotePort_ = 0;
    VARIANT_BOOL reservedPort_ = VARIANT_FALSE;
    VARIANT_BOOL reuseAddress_ = VARIANT_TRUE;
    VARIANT_BOOL route_ = VARIANT_TRUE;
    VARIANT_BOOL secure_ = VARIANT_FALSE;
    HeldCredentials credentials_;
    SOCKET handle_ = INVALID_SOCKET;
    VARIANT_BOOL throwError_ = VARIANT_FALSE;
    LONG timeout_ = 0;
    UINT_PTR timerId_ = 0;
    VARIANT_BOOL trace_ = VARIANT_FALSE;
    BStr traceFile_;
    LONG traceFlags_ = 0;
    VARIANT_BOOL urgent_ = VARIANT_FALSE;
    BStr vendor_;
    BStr version_;
    SECURITYINFOA security_{};
    // The copy's issuer and subject texts, kept by the control itself: the socket's own texts
    // go with the socket, which the library may close while the handle is still held.
    std::string securityIssuer_;
    std::string securitySubject_;
};

}  // namespace wirelatch
