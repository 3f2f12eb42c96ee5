// The platform security interface (SSPI with the Schannel package) and the CryptoAPI
// certificate functions, loaded once per process, and the secure layer's operations on a socket.
#pragma once
#include "SecureFields.h"
#include "SocketTable.h"

namespace inet {

constexpr char kSchannelPackage[] = "Microsoft Unified Security Protocol Provider";

// Library codes of the secure layer.
enum SecureCode : int {
    kErrSecurityContext = 12102,
    kErrSecurityCredentials = 12103,
    kErrSecurityCertificate = 12104,
    kErrSecurityDecryption = 12105,
    kErrSecurityEncryption = 12106,
};

// wlSecureProtocolConstants bits.
constexpr DWORD kProtocolSsl2 = 1;
constexpr DWORD kProtocolSsl3 = 2;
constexpr DWORD kProtocolPct1 = 4;
constexpr DWORD kProtocolTls1 = 8;
// What connect and accept offer: the three older protocols and the TLS family.
constexpr DWORD kOfferedProtocols = kProtocolSsl2 | kProtocolSsl3 | kProtocolPct1 | kProtocolTls1;

// The certificate functions bound by name from crypt32.dll.
struct CertificateFunctions {
    decltype(&CertOpenSystemStoreA) openSystemStore = nullptr;
    decltype(&CertCloseStore) closeStore = nullptr;
    decltype(&CertFreeCertificateContext) freeCertificate = nullptr;
    decltype(&CertFindCertificateInStore) findCertificate = nullptr;
    decltype(&CertFindChainInStore) findChain = nullptr;
    decltype(&CertVerifyCertificateChainPolicy) verifyChainPolicy = nullptr;
    decltype(&CertFreeCertificateChain) freeChain = nullptr;
    decltype(&CertGetCertificateChain) getChain = nullptr;
    decltype(&CertGetNameStringA) getNameString = nullptr;
    decltype(&CertNameToStrA) nameToStr = nullptr;
};

// The process-wide security state; written only by the load and the unload.
struct SecurityState {
    HMODULE securityLibrary = nullptr;
    HMODULE crypt32 = nullptr;
    SecurityFunctionTableA table{};
    CertificateFunctions cert;
    HCERTSTORE myStore = nullptr;
    bool attempted = false;
    bool loaded = false;
};
const SecurityState& InetSecurity();

// 1 when the interface is loaded (loading it on the first call), else 0 with 12101.
int InetLoadSecurity();
// At library detach: closes "MY" and frees the libraries.
void InetUnloadSecurity();
// True when loaded; else sets 12101.
bool InetSecurityReady();

// A certificate context freed through the bound function.
class CertificateRef {
public:
    CertificateRef() = default;
    explicit CertificateRef(PCCERT_CONTEXT c) : c_(c) {}
    ~CertificateRef();
    CertificateRef(const CertificateRef&) = delete;
    CertificateRef& operator=(const CertificateRef&) = delete;
    PCCERT_CONTEXT get() const { return c_; }
    PCCERT_CONTEXT* out() { return &c_; }
    PCCERT_CONTEXT release() {
        PCCERT_CONTEXT c = c_;
        c_ = nullptr;
        return c;
    }

private:
    PCCERT_CONTEXT c_ = nullptr;
};

// A certificate store closed through the bound function.
class StoreRef {
public:
    explicit StoreRef(HCERTSTORE s) : s_(s) {}
    ~StoreRef();
    StoreRef(const StoreRef&) = delete;
    StoreRef& operator=(const StoreRef&) = delete;
    HCERTSTORE get() const { return s_; }

private:
    HCERTSTORE s_;
};

// A buffer the security package allocated, freed through the table.
class ContextBuffer {
public:
    ContextBuffer() = default;
    ~ContextBuffer() { Free(); }
    ContextBuffer(const ContextBuffer&) = delete;
    ContextBuffer& operator=(const ContextBuffer&) = delete;
    void Free();
    SecBuffer buffer{0, SECBUFFER_TOKEN, nullptr};
};

// Internal operations of the secure layer; each looks the socket up on the calling thread
// (unknown: 10038 and its failure value).
int InetCreateClientCredentials(SOCKET s, const char* certificateName);
int InetCreateServerCredentials(SOCKET s, const char* storeName, const char* certificateName);
int InetClientHandshake(SOCKET s);
int InetHandshakeLoop(SOCKET s);
int InetGetClientCertificate(SOCKET s);
int InetServerHandshake(SOCKET s);
int InetVerifyCertificate(SOCKET s);
int InetSecureRead(SOCKET s, char* buffer, int length);
int InetSecureWrite(SOCKET s, const char* buffer, int length);
int InetSecureClose(SOCKET s);
int InetDeleteSecurityContext(SOCKET s);
// Frees the context and credentials of a record already out of the table (at close).
void InetReleaseSecurity(InetSocket* record);
// True when a secure socket holds decrypted or still-undecrypted bytes (no network needed).
bool InetSecureDataWaiting(const InetSocket* record);

// Helpers shared by the secure layer's files.
// Deletes the socket's context when it has one (pointer cleared).
void DeleteContext(InetSocket* record);
// Sends all bytes of a token or message (a short send on a non-blocking socket is completed
// after waiting for writability, up to the socket's timeout): the count, or -1/0 as send does.
int SendWhole(InetSocket* record, const char* data, int size);
// Sets event mode aside on a socket with an event window; true when it did.
bool SuspendEvents(InetSocket* record);
// Puts event mode back when the record (found by socket and serial) still exists.
void ResumeEvents(SOCKET s, uint64_t serial, bool suspended);
// Waits for readability or writability: the library's pumped wait in blocking mode, a plain
// select while event mode is set aside or in force. > 0 ready, 0 timed out, -1 error (set).
int SecureWait(SOCKET s, uint64_t serial, bool forReading, int timeoutSeconds, bool* gone, bool* cancelled);
// The wait of a handshake: the socket's time-out, 60 seconds when it has none.
int HandshakeSeconds(const InetSocket* record);

}  // namespace inet
