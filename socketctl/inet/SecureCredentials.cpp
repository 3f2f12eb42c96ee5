// Schannel credentials of a secure socket: outbound for connect (a client certificate only
// when the server asks for one), inbound with the server's certificate for accept.
#include "LibraryCore.h"
#include "SecurityInterface.h"

namespace inet {
namespace {

constexpr DWORD kCertEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr char kClientAuthentication[] = "1.3.6.1.5.5.7.3.2";

int Fail(DWORD code) {
    InetStoreLastError(code);
    return 0;
}

// The platform's client protocol bits for a wlSecureProtocolConstants mask. The TLS bit
// offers the TLS family as far as TLS 1.2.
DWORD ClientProtocols(DWORD mask) {
    DWORD bits = 0;
    if (mask & kProtocolSsl2) bits |= SP_PROT_SSL2_CLIENT;
    if (mask & kProtocolSsl3) bits |= SP_PROT_SSL3_CLIENT;
    if (mask & kProtocolPct1) bits |= SP_PROT_PCT1_CLIENT;
    if (mask & kProtocolTls1) bits |= SP_PROT_TLS1_CLIENT | SP_PROT_TLS1_1_CLIENT | SP_PROT_TLS1_2_CLIENT;
    return bits;
}

PCCERT_CONTEXT FindBySubject(HCERTSTORE store, const char* name) {
    const SecurityState& sec = InetSecurity();
    return sec.cert.findCertificate(store, kCertEncoding, 0, CERT_FIND_SUBJECT_STR_A, name, nullptr);
}

// Acquires credentials for the socket's description into `out`.
SECURITY_STATUS Acquire(InetSocket* r, ULONG use, CredHandle* out) {
    const SecurityState& sec = InetSecurity();
    TimeStamp expiry{};
    SECURITY_STATUS status = sec.table.AcquireCredentialsHandleA(
        nullptr, const_cast<char*>(kSchannelPackage), use, nullptr, &r->security.description, nullptr, nullptr, out,
        &expiry);
    r->security.lastStatus = status;
    return status;
}

void ReplaceCredentials(InetSocket* r, const CredHandle& fresh) {
    const SecurityState& sec = InetSecurity();
    if (r->security.haveCredentials) sec.table.FreeCredentialsHandle(&r->security.credentials);
    r->security.credentials = fresh;
    r->security.haveCredentials = true;
}

}  // namespace

int InetCreateClientCredentials(SOCKET s, const char* certificateName) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady()) return 0;
    const SecurityState& sec = InetSecurity();
    CertificateRef certificate;
    if (certificateName && *certificateName) {
        if (!sec.myStore) return Fail(kErrSecurityCredentials);
        *certificate.out() = FindBySubject(sec.myStore, certificateName);
        if (!certificate.get()) return Fail(kErrSecurityCredentials);
    }
    SCHANNEL_CRED& d = r->security.description;
    d = SCHANNEL_CRED{};
    d.dwVersion = SCHANNEL_CRED_VERSION;
    PCCERT_CONTEXT offered = certificate.get();
    if (offered) {
        d.cCreds = 1;
        d.paCred = &offered;
    }
    d.grbitEnabledProtocols = ClientProtocols(r->security.protocols);
    // The certificate check is the library's own; no certificate is offered unasked.
    d.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    CredHandle fresh{};
    const SECURITY_STATUS status = Acquire(r, SECPKG_CRED_OUTBOUND, &fresh);
    d.cCreds = 0;
    d.paCred = nullptr;
    if (status != SEC_E_OK) return Fail(kErrSecurityCredentials);
    ReplaceCredentials(r, fresh);
    return 1;
}

int InetCreateServerCredentials(SOCKET s, const char* storeName, const char* certificateName) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady()) return 0;
    if (!certificateName || !*certificateName) return Fail(kErrSecurityCredentials);
    const SecurityState& sec = InetSecurity();
    StoreRef store(sec.cert.openSystemStore(0, storeName && *storeName ? storeName : "MY"));
    if (!store.get()) return Fail(kErrSecurityCredentials);
    CertificateRef certificate(FindBySubject(store.get(), certificateName));
    if (!certificate.get()) return Fail(kErrSecurityCredentials);
    SCHANNEL_CRED& d = r->security.description;
    d = SCHANNEL_CRED{};
    d.dwVersion = SCHANNEL_CRED_VERSION;
    PCCERT_CONTEXT offered = certificate.get();
    d.cCreds = 1;
    d.paCred = &offered;
    CredHandle fresh{};
    const SECURITY_STATUS status = Acquire(r, SECPKG_CRED_INBOUND, &fresh);
    d.cCreds = 0;
    d.paCred = nullptr;
    if (status != SEC_E_OK) return Fail(kErrSecurityCredentials);
    ReplaceCredentials(r, fresh);
    return 1;
}

int InetGetClientCertificate(SOCKET s) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady() || !r->security.contextPtr) return 0;
    const SecurityState& sec = InetSecurity();
    SecPkgContext_IssuerListInfoEx issuers{};
    if (sec.table.QueryContextAttributesA(r->security.contextPtr, SECPKG_ATTR_ISSUER_LIST_EX, &issuers) != SEC_E_OK)
        return 0;
    if (!sec.myStore) return 0;
    CERT_CHAIN_FIND_BY_ISSUER_PARA para{};
    para.cbSize = sizeof para;
    para.pszUsageIdentifier = kClientAuthentication;
    para.cIssuer = issuers.cIssuers;
    para.rgIssuer = issuers.aIssuers;
    int result = 0;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    while ((chain = sec.cert.findChain(sec.myStore, X509_ASN_ENCODING, 0, CERT_CHAIN_FIND_BY_ISSUER, &para, chain))) {
        if (chain->cChain < 1 || chain->rgpChain[0]->cElement < 1) continue;
        PCCERT_CONTEXT end = chain->rgpChain[0]->rgpElement[0]->pCertContext;
        SCHANNEL_CRED& d = r->security.description;
        d.cCreds = 1;
        d.paCred = &end;
        CredHandle fresh{};
        const SECURITY_STATUS status = Acquire(r, SECPKG_CRED_OUTBOUND, &fresh);
        d.cCreds = 0;
        d.paCred = nullptr;
        if (status == SEC_E_OK) {
            ReplaceCredentials(r, fresh);
            result = 1;
            break;
        }
    }
    if (chain) sec.cert.freeChain(chain);
    if (issuers.aIssuers) sec.table.FreeContextBuffer(issuers.aIssuers);
    return result;
}

}  // namespace inet
