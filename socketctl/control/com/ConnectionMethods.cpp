// The connection methods: Connect, Listen, Accept, Disconnect, Abort, Cancel, Shutdown, Flush
// and Authenticate.
#include "VariantArgs.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

constexpr int kErrBlockingInProgress = 10036;
constexpr DWORD kAcceptOptionMask = INET_OPTION_DONTROUTE | INET_OPTION_KEEPALIVE | INET_OPTION_NODELAY |
                                    INET_OPTION_INLINE | INET_OPTION_SECURE;
constexpr DWORD kSecureProtocols = 7;

VARIANT_BOOL Bit(DWORD options, DWORD bit) { return (options & bit) ? 1 : 0; }

// An optional integer argument, or the fallback when it is missing.
HRESULT LongArg(const VARIANT* v, LONG fallback, LONG* out) {
    if (IsMissing(v)) {
        *out = fallback;
        return S_OK;
    }
    return ToLong(v, out);
}

// An optional dotted address argument parsed by the library, or 0 when it is missing.
HRESULT AddressArg(const VARIANT* v, DWORD* out, bool* parsed) {
    *out = 0;
    *parsed = true;
    if (IsMissing(v)) return S_OK;
    BStr text;
    HRESULT hr = ToText(v, &text);
    if (FAILED(hr)) return hr;
    if (text.Empty()) return S_OK;
    const std::string narrow = WideToNarrow(text);
    *out = InetGetAddressA(narrow.c_str());
    *parsed = *out != INADDR_NONE;
    return S_OK;
}

}  // namespace

bool Wirelatch::ReadyNotifyTarget() {
    if (blocking_ || MakeNotifyWindow()) return true;
    // Without its window an event-mode socket would silently block instead.
    InetSetLastError(INET_ERROR(WSAEFAULT));
    return false;
}

void Wirelatch::FreezeNewSocket() {
    if (freezeCount_ > 0 && HasSocket()) InetFreezeEvents(handle_, TRUE);
}

HRESULT Wirelatch::CloseSocket() {
    if (!HasSocket()) return S_OK;
    if (InetDisconnect(handle_) == -1 && (InetGetLastError() & 0xFFFF) == kErrBlockingInProgress) {
        // A blocking wait runs on the socket: the abort ends that wait, which then closes it.
        InetAbortConnection(handle_);
    }
    handle_ = INVALID_SOCKET;
    connectPending_ = false;
    return S_OK;
}

HRESULT Wirelatch::Disconnect(VARIANT* error) {
    SetOutLong(error, 0);
    CloseSocket();
    localAddress_ = 0;
    localPort_ = 0;
    return S_OK;
}

HRESULT Wirelatch::Abort(VARIANT* error) {
    SetOutLong(error, 0);
    // Without a socket of its own the control aborts the thread's blocking socket only while
    // its own Connect or Accept waits for it; otherwise that socket belongs to another control.
    if (!HasSocket() && !opening_) return S_OK;
    if (InetAbortConnection(handle_) == -1) return MethodFailure(error);
    // A socket that is gone must not be named by the handle any more.
    if (InetGetStatus(handle_) == 0) {
        handle_ = INVALID_SOCKET;
        connectPending_ = false;
    }
    return S_OK;
}

HRESULT Wirelatch::Cancel(VARIANT* error) {
    SetOutLong(error, 0);
    if (!HasSocket()) {
        InetSetLastError(INET_ERROR(WSAENOTSOCK));
        return MethodFailure(error);
    }
    if (InetCancelBlockingCall(handle_) == -1) return MethodFailure(error);
    return S_OK;
}

HRESULT Wirelatch::Shutdown(VARIANT how, VARIANT* error) {
    LONG direction = INET_SHUTDOWN_WRITE;
    HRESULT hr = LongArg(&how, INET_SHUTDOWN_WRITE, &direction);
    if (FAILED(hr)) return hr;
    SetOutLong(error, 0);
    if (InetShutdown(handle_, direction) == -1) return MethodFailure(error);
    return S_OK;
}

HRESULT Wirelatch::Flush(VARIANT* error) {
    SetOutLong(error, 0);
    if (InetFlush(handle_) == -1) return MethodFailure(error);
    return S_OK;
}

HRESULT Wirelatch::Connect(VARIANT hostName, VARIANT remotePort, VARIANT protocol, VARIANT timeout, VARIANT options,
                           VARIANT localAddress, VARIANT localPort, VARIANT* error) {
    HRESULT hr = EnsureLibrary();
    if (FAILED(hr)) return hr;
    BStr host;
    if (!IsMissing(&hostName)) {
        if (FAILED(hr = ToText(&hostName, &host))) return hr;
    } else {
        host = BStr(!hostAddress_.Empty() ? hostAddress_.Get() : hostName_.Get());
    }
    LONG port = 0, proto = 0, seconds = 0, optionWord = 0, bindPort = 0;
    if (FAILED(hr = LongArg(&remotePort, remotePort_, &port))) return hr;
    if (FAILED(hr = LongArg(&protocol, protocol_, &proto))) return hr;
    if (FAILED(hr = LongArg(&timeout, timeout_, &seconds))) return hr;
    if (FAILED(hr = LongArg(&options, static_cast<LONG>(OptionWord()), &optionWord))) return hr;
    if (FAILED(hr = LongArg(&localPort, 0, &bindPort))) return hr;
    DWORD bindAddress = 0;
    bool parsed = true;
    if (FAILED(hr = AddressArg(&localAddress, &bindAddress, &parsed))) return hr;
    if (!parsed) return MethodFailure(error);

    if (HasSocket() && FAILED(hr = Disconnect(error))) return hr;
    SetOutLong(error, 0);
    if (!ReadyNotifyTarget()) return MethodFailure(error);
    const std::string narrowHost = WideToNarrow(host);
    const DWORD used = static_cast<DWORD>(optionWord);
    opening_ = true;
    handle_ = InetAsyncConnectExA(narrowHost.c_str(), static_cast<UINT>(port), static_cast<UINT>(proto),
                                  static_cast<UINT>(seconds), used, bindAddress, static_cast<UINT>(bindPort), nullptr,
                                  NotifyTarget(), NotifyMessage());
    opening_ = false;
    if (handle_ == INVALID_SOCKET) return MethodFailure(error);

    localPort_ = 0;
    PutHostNameText(host.Get());
    remotePort_ = port;
    put_Timeout(seconds);
    broadcast_ = Bit(used, INET_OPTION_BROADCAST);
    route_ = (used & INET_OPTION_DONTROUTE) ? 0 : 1;
    keepAlive_ = Bit(used, INET_OPTION_KEEPALIVE);
    reuseAddress_ = Bit(used, INET_OPTION_REUSEADDRESS);
    noDelay_ = Bit(used, INET_OPTION_NODELAY);
    inLine_ = Bit(used, INET_OPTION_INLINE);
    secure_ = Bit(used, INET_OPTION_SECURE);
    if (blocking_) RefreshSecurityCopy();
    FreezeNewSocket();
    return S_OK;
}

HRESULT Wirelatch::Listen(VARIANT localAddress, VARIANT localPort, VARIANT backlog, VARIANT* error) {
    HRESULT hr = EnsureLibrary();
    if (FAILED(hr)) return hr;
    DWORD address = 0;
    bool parsed = true;
    if (FAILED(hr = AddressArg(&localAddress, &address, &parsed))) return hr;
    LONG port = 0, queue = 0;
    if (FAILED(hr = LongArg(&localPort, localPort_, &port))) return hr;
    if (FAILED(hr = LongArg(&backlog, backlog_, &queue))) return hr;
    if (!parsed) return MethodFailure(error);
    if (HasSocket() && FAILED(hr = Disconnect(error))) return hr;
    SetOutLong(error, 0);
    if (!ReadyNotifyTarget()) return MethodFailure(error);
    handle_ = InetAsyncListenExA(address, static_cast<UINT>(port), queue, reuseAddress_ ? INET_OPTION_REUSEADDRESS : 0,
                                 NotifyTarget(), NotifyMessage());
    if (handle_ == INVALID_SOCKET) return MethodFailure(error);
    localAddress_ = address;
    localPort_ = port;
    backlog_ = queue;
    FreezeNewSocket();
    return S_OK;
}

HRESULT Wirelatch::Accept(VARIANT handle, VARIANT options, VARIANT* error) {
    LONG listenerArg = 0;
    const bool ownListener = IsMissing(&handle);
    HRESULT hr = S_OK;
    if (!ownListener && FAILED(hr = ToLong(&handle, &listenerArg))) return hr;
    LONG optionWord = 0;
    if (FAILED(hr = LongArg(&options, static_cast<LONG>(OptionWord() & kAcceptOptionMask), &optionWord))) return hr;

    if (!ReadyNotifyTarget()) return MethodFailure(error);
    const SOCKET remembered = handle_;
    handle_ = INVALID_SOCKET;
    // A handle given as a 32-bit integer names the socket of the same value.
    const SOCKET listener = ownListener ? remembered : static_cast<SOCKET>(static_cast<ULONG_PTR>(listenerArg));
    SetOutLong(error, 0);
    const std::string store = WideToNarrow(certificateStore_);
    const std::string name = WideToNarrow(certificateName_);
    InetCreateSecurityCredentialsA(kSecureProtocols, 0, nullptr, nullptr, store.c_str(), name.c_str(), 0,
                                   credentials_.Out());
    const DWORD used = static_cast<DWORD>(optionWord);
    opening_ = true;
    accepting_ = true;
    acceptAnnounced_ = INVALID_SOCKET;
    const SOCKET accepted = InetAsyncAcceptExA(listener, static_cast<UINT>(timeout_), used, credentials_.Get(),
                                               NotifyTarget(), NotifyMessage());
    accepting_ = false;
    opening_ = false;
    const bool announced = accepted != INVALID_SOCKET && acceptAnnounced_ == accepted;
    acceptAnnounced_ = INVALID_SOCKET;
    if (accepted == INVALID_SOCKET) {
        handle_ = remembered;
        return MethodFailure(error);
    }
    if (remembered != INVALID_SOCKET && listener == remembered) InetDisconnect(remembered);
    handle_ = accepted;
    keepAlive_ = Bit(used, INET_OPTION_KEEPALIVE);
    reuseAddress_ = Bit(used, INET_OPTION_REUSEADDRESS);
    noDelay_ = Bit(used, INET_OPTION_NODELAY);
    inLine_ = Bit(used, INET_OPTION_INLINE);
    secure_ = Bit(used, INET_OPTION_SECURE);
    route_ = (used & INET_OPTION_DONTROUTE) ? 0 : 1;
    localAddress_ = 0;
    localPort_ = 0;
    InetSetOption(handle_, INET_OPTION_DONTROUTE, route_ ? 0 : 1);
    InetSetOption(handle_, INET_OPTION_KEEPALIVE, keepAlive_ ? 1 : 0);
    InetSetOption(handle_, INET_OPTION_NODELAY, noDelay_ ? 1 : 0);
    InetSetOption(handle_, INET_OPTION_INLINE, inLine_ ? 1 : 0);
    FreezeNewSocket();
    // The connection the library announced during the accept is the control's now.
    if (announced) AnnounceConnect();
    return S_OK;
}

HRESULT Wirelatch::Authenticate(VARIANT userName, VARIANT password, VARIANT certificateStore,
                                VARIANT certificateName, VARIANT options, VARIANT* error) {
    BStr user, secret, store, name;
    HRESULT hr = S_OK;
    if (!IsMissing(&userName) && FAILED(hr = ToText(&userName, &user))) return hr;
    if (!IsMissing(&password) && FAILED(hr = ToText(&password, &secret))) return hr;
    if (IsMissing(&certificateStore))
        store = BStr(certificateStore_.Get());
    else if (FAILED(hr = ToText(&certificateStore, &store)))
        return hr;
    if (IsMissing(&certificateName))
        name = BStr(certificateName_.Get());
    else if (FAILED(hr = ToText(&certificateName, &name)))
        return hr;
    LONG optionWord = 0;
    if (FAILED(hr = LongArg(&options, 0, &optionWord))) return hr;
    SetOutLong(error, 0);
    const std::string u = WideToNarrow(user), p = WideToNarrow(secret), s = WideToNarrow(store),
                      n = WideToNarrow(name);
    if (!InetCreateSecurityCredentialsA(kSecureProtocols, static_cast<DWORD>(optionWord), u.c_str(), p.c_str(),
                                        s.c_str(), n.c_str(), 0, credentials_.Out()))
        return MethodFailure(error);
    // The library reports why: "not implemented" for a socket of its own, else an unknown socket.
    if (InetSecurityAuthenticationA(handle_, static_cast<DWORD>(optionWord), 0, credentials_.Get()) == -1)
        return MethodFailure(error);
    return S_OK;
}

}  // namespace wirelatch
