// The read-only properties that ask the library about the control's socket or the local
// machine, and those read from the socket's security copy.
#include "VariantArgs.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

HRESULT OutFlag(bool flag, VARIANT_BOOL* value) {
    *value = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

}  // namespace

HRESULT Wirelatch::FillAdapterList() {
    const int count = InetEnumNetworkAdresses(adapters_, kAdapterListSize);
    if (count == -1) return PropertyFailure();
    adapterCount_ = count < 0 ? 0 : (count > kAdapterListSize ? kAdapterListSize : count);
    return S_OK;
}

HRESULT Wirelatch::get_AdapterCount(LONG* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    if (HRESULT hr = FillAdapterList(); FAILED(hr)) return hr;
    *value = adapterCount_;
    return S_OK;
}

HRESULT Wirelatch::get_AdapterAddress(VARIANT index, BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    if (adapterCount_ == 0) {
        if (HRESULT hr = FillAdapterList(); FAILED(hr)) return hr;
    }
    LONG i = 0;
    if (HRESULT hr = ToLong(&index, &i); FAILED(hr)) return hr;
    if (i < 0 || i >= adapterCount_) return E_INVALIDARG;
    char text[32] = {};
    InetFormatAddressA(adapters_[i], text, sizeof(text));
    return NewText(text, value);
}

HRESULT Wirelatch::get_AtMark(VARIANT_BOOL* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return OutFlag(HasSocket() && InetIsUrgent(handle_), value);
}

HRESULT Wirelatch::get_Connected(VARIANT_BOOL* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return OutFlag(HasSocket() && InetIsConnected(handle_), value);
}

HRESULT Wirelatch::get_IsBlocked(VARIANT_BOOL* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return OutFlag(HasSocket() && InetIsBlocking(handle_), value);
}

HRESULT Wirelatch::get_IsClosed(VARIANT_BOOL* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return OutFlag(HasSocket() && InetIsConnectionClosed(handle_), value);
}

HRESULT Wirelatch::get_IsReadable(VARIANT_BOOL* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return OutFlag(HasSocket() && InetIsReadable(handle_, 0, nullptr), value);
}

HRESULT Wirelatch::get_IsWritable(VARIANT_BOOL* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return OutFlag(HasSocket() && InetIsWritable(handle_, 0), value);
}

HRESULT Wirelatch::get_Listening(VARIANT_BOOL* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return OutFlag(HasSocket() && InetIsListening(handle_), value);
}

HRESULT Wirelatch::get_State(wlStatusConstants* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    SetEnumValue(value, HasSocket() ? InetGetStatus(handle_) : 0);
    return S_OK;
}

HRESULT Wirelatch::get_PeerAddress(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (!HasSocket()) return NewText(L"", value);
    DWORD address = 0;
    UINT port = 0;
    if (InetGetPeerAddress(handle_, &address, &port) == -1) return PropertyFailure();
    char text[64] = {};
    InetFormatAddressA(address, text, sizeof(text));
    return NewText(text, value);
}

HRESULT Wirelatch::get_PeerName(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (!HasSocket() || !autoResolve_) return NewText(L"", value);
    DWORD address = 0;
    UINT port = 0;
    if (InetGetPeerAddress(handle_, &address, &port) == -1) return PropertyFailure();
    // A peer without a name is no failure of the property: its name is empty.
    char text[128] = {};
    if (InetGetHostNameA(address, text, sizeof(text)) == -1) text[0] = '\0';
    text[sizeof(text) - 1] = '\0';
    return NewText(text, value);
}

HRESULT Wirelatch::get_PeerPort(LONG* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    *value = 0;
    if (!HasSocket()) return S_OK;
    DWORD address = 0;
    UINT port = 0;
    if (InetGetPeerAddress(handle_, &address, &port) == -1) return PropertyFailure();
    *value = static_cast<LONG>(port);
    return S_OK;
}

HRESULT Wirelatch::get_PhysicalAddress(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (HRESULT hr = EnsureLibrary(); FAILED(hr)) return hr;
    char text[32] = {};
    if (!InetGetPhysicalAddressA(text, sizeof(text))) text[0] = '\0';
    return NewText(text, value);
}

HRESULT Wirelatch::get_PortString(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    if (!HasSocket()) return NewText(L"", value);
    char text[64] = {};
    if (InetGetLocalAddressStringA(handle_, text, sizeof(text)) == -1) return PropertyFailure();
    return NewText(text, value);
}

// The security copy taken at connect time.

HRESULT Wirelatch::ReadSecurityText(const char* text, BSTR* value) {
    return NewText(HasSocket() && text ? text : "", value);
}

HRESULT Wirelatch::ReadSecurityTime(const SYSTEMTIME& time, BSTR* value) {
    if (!HasSocket() || time.wYear == 0) return NewText(L"", value);
    DATE date = 0;
    if (!SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&time), &date)) return NewText(L"", value);
    return VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, value);
}

HRESULT Wirelatch::get_CertificateExpires(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return ReadSecurityTime(security_.stCertValidTo, value);
}

HRESULT Wirelatch::get_CertificateIssued(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return ReadSecurityTime(security_.stCertValidFrom, value);
}

HRESULT Wirelatch::get_CertificateIssuer(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return ReadSecurityText(security_.lpszCertIssuer, value);
}

HRESULT Wirelatch::get_CertificateSubject(BSTR* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    return ReadSecurityText(security_.lpszCertSubject, value);
}

HRESULT Wirelatch::get_CertificateStatus(wlCertificateConstants* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    SetEnumValue(value, HasSocket() ? static_cast<LONG>(security_.dwCertStatus) : 0);
    return S_OK;
}

HRESULT Wirelatch::get_CipherStrength(LONG* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    *value = HasSocket() ? static_cast<LONG>(security_.dwCipherStrength) : 0;
    return S_OK;
}

HRESULT Wirelatch::get_HashStrength(LONG* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    *value = HasSocket() ? static_cast<LONG>(security_.dwHashStrength) : 0;
    return S_OK;
}

HRESULT Wirelatch::get_SecureCipher(wlSecureCipherConstants* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    SetEnumValue(value, HasSocket() ? static_cast<LONG>(security_.dwCipher) : 0);
    return S_OK;
}

HRESULT Wirelatch::get_SecureHash(wlSecureHashConstants* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    SetEnumValue(value, HasSocket() ? static_cast<LONG>(security_.dwHash) : 0);
    return S_OK;
}

HRESULT Wirelatch::get_SecureKeyExchange(wlSecureKeyExchangeConstants* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    SetEnumValue(value, HasSocket() ? static_cast<LONG>(security_.dwKeyExchange) : 0);
    return S_OK;
}

HRESULT Wirelatch::get_SecureProtocol(wlSecureProtocolConstants* value) {
    if (HRESULT hr = CheckRunTimeGet(value); FAILED(hr)) return hr;
    SetEnumValue(value, HasSocket() ? static_cast<LONG>(security_.dwProtocol) : 0);
    return S_OK;
}

}  // namespace wirelatch
