// The properties that keep a value of the control: stored flags and numbers, the socket
// options, the notification mode, the timer, the time-out, tracing, the library's start-up
// facts and the last error.
#include "VariantArgs.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

HRESULT Out(VARIANT_BOOL field, VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    *value = field;
    return S_OK;
}

HRESULT Out(LONG field, LONG* value) {
    if (!value) return E_POINTER;
    *value = field;
    return S_OK;
}

HRESULT Out(const BStr& field, BSTR* value) {
    if (!value) return E_POINTER;
    return NewText(field.Get(), value);
}

}  // namespace

// Stored without any library call; the design-time refusals are those of the property table.
HRESULT Wirelatch::get_AutoResolve(VARIANT_BOOL* value) { return Out(autoResolve_, value); }
HRESULT Wirelatch::put_AutoResolve(VARIANT_BOOL value) {
    autoResolve_ = value;
    return S_OK;
}
HRESULT Wirelatch::get_Backlog(LONG* value) { return Out(backlog_, value); }
HRESULT Wirelatch::put_Backlog(LONG value) {
    backlog_ = value;
    return S_OK;
}
HRESULT Wirelatch::get_ByteOrder(wlByteOrderConstants* value) {
    if (!value) return E_POINTER;
    SetEnumValue(value, byteOrder_);
    return S_OK;
}
HRESULT Wirelatch::put_ByteOrder(wlByteOrderConstants value) {
    byteOrder_ = EnumValue(value);
    return S_OK;
}
HRESULT Wirelatch::get_CertificateName(BSTR* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(certificateName_, value);
}
HRESULT Wirelatch::put_CertificateName(BSTR value) {
    certificateName_ = BStr(value);
    return S_OK;
}
HRESULT Wirelatch::get_CertificateStore(BSTR* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(certificateStore_, value);
}
HRESULT Wirelatch::put_CertificateStore(BSTR value) {
    certificateStore_ = BStr(value);
    return S_OK;
}
HRESULT Wirelatch::get_Linger(LONG* value) { return Out(linger_, value); }
HRESULT Wirelatch::put_Linger(LONG value) {
    linger_ = value;
    return S_OK;
}
HRESULT Wirelatch::get_Protocol(wlProtocolConstants* value) {
    if (!value) return E_POINTER;
    SetEnumValue(value, protocol_);
    return S_OK;
}
HRESULT Wirelatch::put_Protocol(wlProtocolConstants value) {
    protocol_ = EnumValue(value);
    return S_OK;
}
HRESULT Wirelatch::get_ReservedPort(VARIANT_BOOL* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(reservedPort_, value);
}
HRESULT Wirelatch::put_ReservedPort(VARIANT_BOOL value) {
    reservedPort_ = value;
    return S_OK;
}
HRESULT Wirelatch::get_ReuseAddress(VARIANT_BOOL* value) { return Out(reuseAddress_, value); }
HRESULT Wirelatch::put_ReuseAddress(VARIANT_BOOL value) {
    reuseAddress_ = value;
    return S_OK;
}
HRESULT Wirelatch::get_Route(VARIANT_BOOL* value) { return Out(route_, value); }
HRESULT Wirelatch::put_Route(VARIANT_BOOL value) {
    route_ = value;
    return S_OK;
}
HRESULT Wirelatch::get_ThrowError(VARIANT_BOOL* value) { return Out(throwError_, value); }
HRESULT Wirelatch::put_ThrowError(VARIANT_BOOL value) {
    throwError_ = value;
    return S_OK;
}
HRESULT Wirelatch::get_Urgent(VARIANT_BOOL* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(urgent_, value);
}
HRESULT Wirelatch::put_Urgent(VARIANT_BOOL value) {
    urgent_ = value;
    return S_OK;
}

// Socket options: applied to an open socket first; a refusal there stores nothing.
HRESULT Wirelatch::SetStoredOption(DWORD bit, VARIANT_BOOL value, VARIANT_BOOL* field) {
    if (HasSocket() && InetSetOption(handle_, bit, value ? 1 : 0) == -1) return PropertyFailure();
    *field = value;
    return S_OK;
}
HRESULT Wirelatch::get_Broadcast(VARIANT_BOOL* value) { return Out(broadcast_, value); }
HRESULT Wirelatch::put_Broadcast(VARIANT_BOOL value) {
    return SetStoredOption(INET_OPTION_BROADCAST, value, &broadcast_);
}
HRESULT Wirelatch::get_InLine(VARIANT_BOOL* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(inLine_, value);
}
HRESULT Wirelatch::put_InLine(VARIANT_BOOL value) { return SetStoredOption(INET_OPTION_INLINE, value, &inLine_); }
HRESULT Wirelatch::get_KeepAlive(VARIANT_BOOL* value) { return Out(keepAlive_, value); }
HRESULT Wirelatch::put_KeepAlive(VARIANT_BOOL value) {
    return SetStoredOption(INET_OPTION_KEEPALIVE, value, &keepAlive_);
}
HRESULT Wirelatch::get_NoDelay(VARIANT_BOOL* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(noDelay_, value);
}
HRESULT Wirelatch::put_NoDelay(VARIANT_BOOL value) { return SetStoredOption(INET_OPTION_NODELAY, value, &noDelay_); }

HRESULT Wirelatch::get_Blocking(VARIANT_BOOL* value) { return Out(blocking_, value); }
HRESULT Wirelatch::put_Blocking(VARIANT_BOOL value) {
    if (HasSocket()) {
        if (value) {
            if (InetDisableEvents(handle_) == -1) return PropertyFailure();
        } else {
            if (!MakeNotifyWindow()) return kErrOutOfRange;
            if (InetEnableEvents(handle_, window_, kSocketEventMessage) == -1) return PropertyFailure();
        }
    }
    blocking_ = value;
    return S_OK;
}

HRESULT Wirelatch::get_Interval(LONG* value) { return Out(interval_, value); }
HRESULT Wirelatch::put_Interval(LONG value) {
    if (value < 0) return kErrOutOfRange;
    interval_ = value;
    if (!UserMode()) return S_OK;
    if (timerId_ && window_) KillTimer(window_, kIntervalTimerId);
    timerId_ = 0;
    if (value != 0) {
        if (!MakeNotifyWindow() || !SetTimer(window_, kIntervalTimerId, static_cast<UINT>(value), nullptr))
            return kErrNoTimer;
        timerId_ = kIntervalTimerId;
    }
    return S_OK;
}

HRESULT Wirelatch::get_Secure(VARIANT_BOOL* value) { return Out(secure_, value); }
HRESULT Wirelatch::put_Secure(VARIANT_BOOL value) {
    if (!HasSocket()) secure_ = value;
    return S_OK;
}

HRESULT Wirelatch::get_Timeout(LONG* value) {
    if (!value) return E_POINTER;
    if (HasSocket()) {
        const int seconds = InetGetTimeout(handle_);
        if (seconds == -1) return PropertyFailure();
        timeout_ = seconds;
    }
    *value = timeout_;
    return S_OK;
}
HRESULT Wirelatch::put_Timeout(LONG value) {
    if (HasSocket()) {
        if (InetSetTimeout(handle_, static_cast<UINT>(value)) == -1) return PropertyFailure();
        // Keep what the socket now has, so the value read after the socket is gone is the
        // one last put and not an older one.
        const int seconds = InetGetTimeout(handle_);
        if (seconds != -1) timeout_ = seconds;
        return S_OK;
    }
    timeout_ = value;
    return S_OK;
}

HRESULT Wirelatch::get_Trace(VARIANT_BOOL* value) { return Out(trace_, value); }
HRESULT Wirelatch::put_Trace(VARIANT_BOOL value) {
    trace_ = value;
    if (started_) {
        if (value) {
            const std::string file = WideToNarrow(traceFile_);
            trace_ = InetEnableTraceA(file.c_str(), static_cast<DWORD>(traceFlags_)) ? VARIANT_TRUE : VARIANT_FALSE;
        } else {
            InetDisableTrace();
        }
    }
    return S_OK;
}
HRESULT Wirelatch::get_TraceFile(BSTR* value) { return Out(traceFile_, value); }
HRESULT Wirelatch::put_TraceFile(BSTR value) {
    if (started_ && trace_) {
        InetDisableTrace();
        const std::string file = WideToNarrow(value, value ? SysStringLen(value) : 0);
        trace_ = InetEnableTraceA(file.c_str(), static_cast<DWORD>(traceFlags_)) ? VARIANT_TRUE : VARIANT_FALSE;
    }
    traceFile_ = BStr(value);
    return S_OK;
}
HRESULT Wirelatch::get_TraceFlags(LONG* value) { return Out(traceFlags_, value); }
HRESULT Wirelatch::put_TraceFlags(LONG value) {
    if (started_ && trace_) {
        InetDisableTrace();
        const std::string file = WideToNarrow(traceFile_);
        trace_ = InetEnableTraceA(file.c_str(), static_cast<DWORD>(value)) ? VARIANT_TRUE : VARIANT_FALSE;
    }
    traceFlags_ = value;
    return S_OK;
}

HRESULT Wirelatch::get_Library(BSTR* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(library_, value);
}
HRESULT Wirelatch::put_Library(BSTR value) {
    if (started_) return kErrInvalidState;
    library_ = BStr(value);
    return S_OK;
}

HRESULT Wirelatch::get_MaxDatagram(LONG* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(maxDatagram_, value);
}
HRESULT Wirelatch::get_MaxSockets(LONG* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(maxSockets_, value);
}
HRESULT Wirelatch::get_Vendor(BSTR* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(vendor_, value);
}
HRESULT Wirelatch::get_Version(BSTR* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(version_, value);
}
HRESULT Wirelatch::get_Handle(LONG* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(HasSocket() ? static_cast<LONG>(handle_) : -1L, value);
}

HRESULT Wirelatch::get_LastError(LONG* value) {
    if (HRESULT hr = RefuseAtDesignTime(); FAILED(hr)) return hr;
    return Out(static_cast<LONG>(lastError_ & 0xFFFF), value);
}
HRESULT Wirelatch::put_LastError(LONG value) {
    DWORD code = static_cast<DWORD>(value);
    if (code >= 1 && code <= 0xFFFF) code |= INET_ERROR_BASE;
    InetSetLastError(code);
    return ReportError(code, true, false);
}
HRESULT Wirelatch::get_LastErrorString(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return NewText(ErrorText(lastError_).c_str(), value);
}

}  // namespace wirelatch
