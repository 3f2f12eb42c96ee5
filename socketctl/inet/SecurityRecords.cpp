// The caller-visible records of the secure layer: security credentials (one local-memory
// block with its texts) and the security information of a connection.
#include "SecurityRecords.h"

#include <cstring>
#include <string>

#include "LibraryCore.h"
#include "SecurityInterface.h"

namespace inet {
namespace {

// The size field of a credentials record: the record and four bytes more; the texts follow the
// record's fields.
constexpr DWORD kCredentialsSize = sizeof(SECURITYCREDENTIALSA) + 4;
constexpr size_t kTextsAt = sizeof(SECURITYCREDENTIALSA);
static_assert(sizeof(SECURITYCREDENTIALSA) == sizeof(SECURITYCREDENTIALSW), "both forms share one layout");
constexpr DWORD kOther = 256;
constexpr DWORD kCertEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

size_t Length(const char* t) { return std::strlen(t); }
size_t Length(const wchar_t* t) { return std::wcslen(t); }

// Builds a credentials block from the fields and four texts (user, password, store, name,
// each possibly null); null when out of memory.
template <typename Record, typename Char>
Record* BuildCredentials(DWORD protocols, DWORD options, DWORD reserved1, DWORD reserved2, const Char* const (&texts)[4]) {
    size_t total = kCredentialsSize;
    for (const Char* t : texts)
        if (t) total += (Length(t) + 1) * sizeof(Char);
    auto* record = static_cast<Record*>(LocalAlloc(LPTR, total));
    if (!record) return nullptr;
    record->dwSize = kCredentialsSize;
    record->dwProtocol = protocols;
    record->dwOptions = options;
    record->dwReserved1 = reserved1;
    record->dwReserved2 = reserved2;
    Char* at = reinterpret_cast<Char*>(reinterpret_cast<char*>(record) + kTextsAt);
    Char** fields[4] = {&record->lpszUserName, &record->lpszPassword, &record->lpszCertStore, &record->lpszCertName};
    for (int i = 0; i < 4; ++i) {
        if (!texts[i]) continue;
        const size_t chars = Length(texts[i]) + 1;
        std::memcpy(at, texts[i], chars * sizeof(Char));
        *fields[i] = at;
        at += chars;
    }
    return record;
}

std::string Narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

std::wstring Wide(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, out.data(), size);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

DWORD Protocol(DWORD value) {
    switch (value) {
    case SP_PROT_SSL2_CLIENT: case SP_PROT_SSL2_SERVER: return kProtocolSsl2;
    case SP_PROT_SSL3_CLIENT: case SP_PROT_SSL3_SERVER: return kProtocolSsl3;
    case SP_PROT_PCT1_CLIENT: case SP_PROT_PCT1_SERVER: return kProtocolPct1;
    // The TLS family: the caller's constants know one TLS value.
    case SP_PROT_TLS1_CLIENT: case SP_PROT_TLS1_SERVER:
    case SP_PROT_TLS1_1_CLIENT: case SP_PROT_TLS1_1_SERVER:
    case SP_PROT_TLS1_2_CLIENT: case SP_PROT_TLS1_2_SERVER:
    case SP_PROT_TLS1_3_CLIENT: case SP_PROT_TLS1_3_SERVER: return kProtocolTls1;
    default: return kOther;
    }
}

DWORD Cipher(ALG_ID value) {
    switch (value) {
    case CALG_RC2: return 1;
    case CALG_RC4: return 2;
    case CALG_DES: return 4;
    case CALG_3DES: return 8;
    case CALG_SKIPJACK: return 16;
    default: return kOther;
    }
}

DWORD Hash(ALG_ID value) {
    switch (value) {
    case CALG_MD5: return 1;
    case CALG_SHA1: return 2;
    default: return kOther;
    }
}

DWORD KeyExchange(ALG_ID value) {
    switch (value) {
    case CALG_RSA_SIGN: case CALG_RSA_KEYX: return 1;
    case CALG_KEA_KEYX: return 2;
    case CALG_DH_EPHEM: return 4;
    default: return kOther;
    }
}

DWORD CertificateStatus(DWORD error) {
    switch (error) {
    case 0: return 1;
    case static_cast<DWORD>(CERT_E_CN_NO_MATCH): return 2;
    case static_cast<DWORD>(CERT_E_EXPIRED): return 3;
    case static_cast<DWORD>(CERT_E_REVOKED): return 4;
    case static_cast<DWORD>(CERT_E_UNTRUSTEDROOT):
    case static_cast<DWORD>(CERT_E_UNTRUSTEDTESTROOT):
    case static_cast<DWORD>(TRUST_E_EXPLICIT_DISTRUST):
    case static_cast<DWORD>(CERT_E_UNTRUSTEDCA): return 5;
    default: return 6;
    }
}

// A name as X.500 text in a buffer of its own size; null when empty or out of memory.
std::unique_ptr<char[]> NameText(CERT_NAME_BLOB* name, DWORD type) {
    const SecurityState& sec = InetSecurity();
    const DWORD size = sec.cert.nameToStr(kCertEncoding, name, type, nullptr, 0);
    if (size <= 1) return nullptr;
    std::unique_ptr<char[]> text(new (std::nothrow) char[size]);
    if (!text) return nullptr;
    sec.cert.nameToStr(kCertEncoding, name, type, text.get(), size);
    return text;
}

std::unique_ptr<wchar_t[]> WideCopy(const char* text) {
    if (!text) return nullptr;
    const int size = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
    if (size <= 0) return nullptr;
    std::unique_ptr<wchar_t[]> wide(new (std::nothrow) wchar_t[static_cast<size_t>(size)]);
    if (!wide) return nullptr;
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, wide.get(), size);
    return wide;
}

}  // namespace

int InetCredentialsToAnsi(const SECURITYCREDENTIALSW* wide, SECURITYCREDENTIALSA** out) {
    *out = nullptr;
    if (!wide) return 1;
    if (wide->dwSize < kCredentialsSize) {
        InetStoreLastError(kErrInvalidParameter);
        return 0;
    }
    const std::string texts[4] = {wide->lpszUserName ? Narrow(wide->lpszUserName) : std::string(),
                                  wide->lpszPassword ? Narrow(wide->lpszPassword) : std::string(),
                                  wide->lpszCertStore ? Narrow(wide->lpszCertStore) : std::string(),
                                  wide->lpszCertName ? Narrow(wide->lpszCertName) : std::string()};
    const char* const pointers[4] = {wide->lpszUserName ? texts[0].c_str() : nullptr,
                                     wide->lpszPassword ? texts[1].c_str() : nullptr,
                                     wide->lpszCertStore ? texts[2].c_str() : nullptr,
                                     wide->lpszCertName ? texts[3].c_str() : nullptr};
    *out = BuildCredentials<SECURITYCREDENTIALSA>(wide->dwProtocol, wide->dwOptions, wide->dwReserved1,
                                                  wide->dwReserved2, pointers);
    if (!*out) {
        InetStoreLastError(kErrOutOfMemory);
        return 0;
    }
    return 1;
}

int InetCredentialsToWide(const SECURITYCREDENTIALSA* narrow, SECURITYCREDENTIALSW** out) {
    *out = nullptr;
    if (!narrow) return 1;
    if (narrow->dwSize < kCredentialsSize) {
        InetStoreLastError(kErrInvalidParameter);
        return 0;
    }
    const std::wstring texts[4] = {narrow->lpszUserName ? Wide(narrow->lpszUserName) : std::wstring(),
                                   narrow->lpszPassword ? Wide(narrow->lpszPassword) : std::wstring(),
                                   narrow->lpszCertStore ? Wide(narrow->lpszCertStore) : std::wstring(),
                                   narrow->lpszCertName ? Wide(narrow->lpszCertName) : std::wstring()};
    const wchar_t* const pointers[4] = {narrow->lpszUserName ? texts[0].c_str() : nullptr,
                                        narrow->lpszPassword ? texts[1].c_str() : nullptr,
                                        narrow->lpszCertStore ? texts[2].c_str() : nullptr,
                                        narrow->lpszCertName ? texts[3].c_str() : nullptr};
    *out = BuildCredentials<SECURITYCREDENTIALSW>(narrow->dwProtocol, narrow->dwOptions, narrow->dwReserved1,
                                                  narrow->dwReserved2, pointers);
    if (!*out) {
        InetStoreLastError(kErrOutOfMemory);
        return 0;
    }
    return 1;
}

}  // namespace inet

using namespace inet;

extern "C" {

BOOL WINAPI InetCreateSecurityCredentialsA(DWORD dwProtocol, DWORD dwOptions, LPCSTR lpszUserName, LPCSTR lpszPassword,
                                           LPCSTR lpszCertStore, LPCSTR lpszCertName, DWORD,
                                           LPSECURITYCREDENTIALSA* lppCredentials) {
    if (!lppCredentials) {
        InetStoreLastError(kErrInvalidParameter);
        return FALSE;
    }
    InetDeleteSecurityCredentialsA(lppCredentials);
    const char* const texts[4] = {lpszUserName, lpszPassword, lpszCertStore, lpszCertName};
    *lppCredentials = BuildCredentials<SECURITYCREDENTIALSA>(dwProtocol, dwOptions, 0, 0, texts);
    if (!*lppCredentials) {
        InetStoreLastError(kErrOutOfMemory);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI InetCreateSecurityCredentialsW(DWORD dwProtocol, DWORD dwOptions, LPCWSTR lpszUserName,
                                           LPCWSTR lpszPassword, LPCWSTR lpszCertStore, LPCWSTR lpszCertName, DWORD,
                                           LPSECURITYCREDENTIALSW* lppCredentials) {
    if (!lppCredentials) {
        InetStoreLastError(kErrInvalidParameter);
        return FALSE;
    }
    InetDeleteSecurityCredentialsW(lppCredentials);
    // Built from the wide texts themselves, so no character is lost to the code page.
    const wchar_t* const texts[4] = {lpszUserName, lpszPassword, lpszCertStore, lpszCertName};
    *lppCredentials = BuildCredentials<SECURITYCREDENTIALSW>(dwProtocol, dwOptions, 0, 0, texts);
    if (!*lppCredentials) {
        InetStoreLastError(kErrOutOfMemory);
        return FALSE;
    }
    return TRUE;
}

void WINAPI InetDeleteSecurityCredentialsA(LPSECURITYCREDENTIALSA* lppCredentials) {
    if (!lppCredentials || !*lppCredentials) return;
    LocalFree(*lppCredentials);
    *lppCredentials = nullptr;
}

void WINAPI InetDeleteSecurityCredentialsW(LPSECURITYCREDENTIALSW* lppCredentials) {
    if (!lppCredentials || !*lppCredentials) return;
    LocalFree(*lppCredentials);
    *lppCredentials = nullptr;
}

BOOL WINAPI InetGetSecurityInformationA(SOCKET hSocket, LPSECURITYINFOA lpSecurityInfo) {
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return FALSE;
    if (!lpSecurityInfo || lpSecurityInfo->dwSize < sizeof(SECURITYINFOA)) {
        InetStoreLastError(kErrInvalidParameter);
        return FALSE;
    }
    *lpSecurityInfo = SECURITYINFOA{};
    lpSecurityInfo->dwSize = sizeof(SECURITYINFOA);
    const SecurityState& sec = InetSecurity();
    if (!sec.attempted) return TRUE;
    if (!sec.loaded) {
        InetStoreLastError(kErrSecurityNotInitialized);
        return FALSE;
    }
    if (!r->IsSecure()) return TRUE;
    SecPkgContext_ConnectionInfo info{};
    if (!r->security.contextPtr ||
        sec.table.QueryContextAttributesA(r->security.contextPtr, SECPKG_ATTR_CONNECTION_INFO, &info) != SEC_E_OK) {
        InetStoreLastError(kErrSecurityContext);
        return FALSE;
    }
    lpSecurityInfo->dwProtocol = Protocol(info.dwProtocol);
    lpSecurityInfo->dwCipher = Cipher(info.aiCipher);
    lpSecurityInfo->dwCipherStrength = info.dwCipherStrength;
    lpSecurityInfo->dwHash = Hash(info.aiHash);
    lpSecurityInfo->dwHashStrength = info.dwHashStrength;
    lpSecurityInfo->dwKeyExchange = KeyExchange(info.aiExch);
    lpSecurityInfo->dwCertStatus = CertificateStatus(r->security.certificateStatus);
    r->security.issuerA.reset();
    r->security.subjectA.reset();
    CertificateRef peer;
    if (sec.table.QueryContextAttributesA(r->security.contextPtr, SECPKG_ATTR_REMOTE_CERT_CONTEXT, peer.out()) !=
            SEC_E_OK ||
        !peer.get())
        return TRUE;
    CERT_INFO* cert = peer.get()->pCertInfo;
    r->security.issuerA = NameText(&cert->Issuer, CERT_X500_NAME_STR | CERT_NAME_STR_NO_PLUS_FLAG);
    r->security.subjectA = NameText(&cert->Subject, CERT_X500_NAME_STR);
    lpSecurityInfo->lpszCertIssuer = r->security.issuerA.get();
    lpSecurityInfo->lpszCertSubject = r->security.subjectA.get();
    FileTimeToSystemTime(&cert->NotBefore, &lpSecurityInfo->stCertValidFrom);
    FileTimeToSystemTime(&cert->NotAfter, &lpSecurityInfo->stCertValidTo);
    return TRUE;
}

BOOL WINAPI InetGetSecurityInformationW(SOCKET hSocket, LPSECURITYINFOW lpSecurityInfo) {
    if (!InetFindSocket(hSocket)) return FALSE;
    if (!lpSecurityInfo || lpSecurityInfo->dwSize < sizeof(SECURITYINFOW)) {
        InetStoreLastError(kErrInvalidParameter);
        return FALSE;
    }
    *lpSecurityInfo = SECURITYINFOW{};
    lpSecurityInfo->dwSize = sizeof(SECURITYINFOW);
    SECURITYINFOA narrow{};
    narrow.dwSize = sizeof narrow;
    if (!InetGetSecurityInformationA(hSocket, &narrow)) return FALSE;
    lpSecurityInfo->dwProtocol = narrow.dwProtocol;
    lpSecurityInfo->dwCipher = narrow.dwCipher;
    lpSecurityInfo->dwCipherStrength = narrow.dwCipherStrength;
    lpSecurityInfo->dwHash = narrow.dwHash;
    lpSecurityInfo->dwHashStrength = narrow.dwHashStrength;
    lpSecurityInfo->dwKeyExchange = narrow.dwKeyExchange;
    lpSecurityInfo->dwCertStatus = narrow.dwCertStatus;
    lpSecurityInfo->stCertValidFrom = narrow.stCertValidFrom;
    lpSecurityInfo->stCertValidTo = narrow.stCertValidTo;
    InetSocket* r = InetFindSocket(hSocket);
    if (!r) return FALSE;
    r->security.issuerW = WideCopy(narrow.lpszCertIssuer);
    r->security.subjectW = WideCopy(narrow.lpszCertSubject);
    lpSecurityInfo->lpszCertIssuer = r->security.issuerW.get();
    lpSecurityInfo->lpszCertSubject = r->security.subjectW.get();
    return TRUE;
}

}  // extern "C"
