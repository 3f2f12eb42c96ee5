// Loading and unloading the security interface, the handle wrappers of the secure layer, and
// the waits, sends and event-mode suspension its handshakes and reads share.
#include "SecurityInterface.h"

#include <cstring>

#include "BlockingWait.h"
#include "LibraryCore.h"
#include "SocketEvents.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

// The version word and the first 27 functions of the platform's table.
constexpr size_t kTableEntries = 28;
static_assert(sizeof(SecurityFunctionTableA) >= kTableEntries * sizeof(void*), "the table holds 28 entries");

constexpr UINT kNoOpenFileErrorBox = 0x8000;
constexpr long kConnectedEvents = FD_READ | FD_WRITE | FD_CLOSE;                // 35
constexpr long kUnconnectedEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE; // 51
// A handshake wait with no time-out of its own is bounded like a connect's wait.
constexpr int kDefaultHandshakeSeconds = 60;

SecurityState g;

template <typename Fn>
bool BindTo(HMODULE m, const char* name, Fn& out) {
    out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name)));
    return out != nullptr;
}

bool BindCertificateFunctions(HMODULE m, CertificateFunctions& f) {
    // Every one must be bound (no short cut: all are tried, in order).
    bool ok = BindTo(m, "CertOpenSystemStoreA", f.openSystemStore);
    ok = BindTo(m, "CertCloseStore", f.closeStore) && ok;
    ok = BindTo(m, "CertFreeCertificateContext", f.freeCertificate) && ok;
    ok = BindTo(m, "CertFindCertificateInStore", f.findCertificate) && ok;
    ok = BindTo(m, "CertFindChainInStore", f.findChain) && ok;
    ok = BindTo(m, "CertVerifyCertificateChainPolicy", f.verifyChainPolicy) && ok;
    ok = BindTo(m, "CertFreeCertificateChain", f.freeChain) && ok;
    ok = BindTo(m, "CertGetCertificateChain", f.getChain) && ok;
    ok = BindTo(m, "CertGetNameStringA", f.getNameString) && ok;
    ok = BindTo(m, "CertNameToStrA", f.nameToStr) && ok;
    return ok;
}

// Every function the secure layer calls through the table must be there.
bool TableComplete(const SecurityFunctionTableA& t) {
    return t.AcquireCredentialsHandleA && t.FreeCredentialsHandle && t.InitializeSecurityContextA &&
           t.DeleteSecurityContext && t.QueryContextAttributesA && t.FreeContextBuffer && t.EncryptMessage &&
           t.DecryptMessage;
}

int FailLoad() {
    InetStoreLastError(kErrSecurityNotInitialized);
    return 0;
}

int SelectOne(SOCKET s, bool forReading, int timeoutMs) {
    fd_set set{};
    set.fd_count = 1;
    set.fd_array[0] = s;
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return WsSelect(0, forReading ? &set : nullptr, forReading ? nullptr : &set, nullptr, timeoutMs < 0 ? nullptr : &tv);
}

}  // namespace

const SecurityState& InetSecurity() { return g; }

int InetLoadSecurity() {
    LibraryLock lock;
    if (g.attempted) return g.loaded ? 1 : FailLoad();
    g.attempted = true;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return FailLoad();
    const UINT previousMode = SetErrorMode(kNoOpenFileErrorBox);
    if (version.dwMajorVersion >= 4) {
        if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) g.securityLibrary = LoadLibraryA("secur32.dll");
        else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) g.securityLibrary = LoadLibraryA("security.dll");
        if (g.securityLibrary) g.crypt32 = LoadLibraryA("crypt32.dll");
    }
    SetErrorMode(previousMode);
    if (!g.securityLibrary || !g.crypt32) return FailLoad();
    if (!BindCertificateFunctions(g.crypt32, g.cert)) return FailLoad();
    INIT_SECURITY_INTERFACE_A init = nullptr;
    if (!BindTo(g.securityLibrary, "InitSecurityInterfaceA", init)) return FailLoad();
    const SecurityFunctionTableA* table = init();
    if (!table) return FailLoad();
    g.table = SecurityFunctionTableA{};
    std::memcpy(&g.table, table, kTableEntries * sizeof(void*));
    if (!TableComplete(g.table)) return FailLoad();
    g.myStore = g.cert.openSystemStore(0, "MY");
    if (!g.myStore) InetStoreLastError(kErrSecurityCredentials);
    g.loaded = true;
    return 1;
}

void InetUnloadSecurity() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return;
    if (g.myStore && g.cert.closeStore) g.cert.closeStore(g.myStore, 0);
    g.myStore = nullptr;
    // Windows 95 itself keeps the libraries for the life of the process.
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4 &&
        version.dwMinorVersion == 0)
        return;
    if (g.securityLibrary) FreeLibrary(g.securityLibrary);
    if (g.crypt32) FreeLibrary(g.crypt32);
    g = SecurityState{};
}

bool InetSecurityReady() {
    if (g.loaded) return true;
    InetStoreLastError(kErrSecurityNotInitialized);
    return false;
}

CertificateRef::~CertificateRef() {
    if (c_ && g.cert.freeCertificate) g.cert.freeCertificate(c_);
}

StoreRef::~StoreRef() {
    if (s_ && g.cert.closeStore) g.cert.closeStore(s_, 0);
}

void ContextBuffer::Free() {
    if (buffer.pvBuffer && g.table.FreeContextBuffer) g.table.FreeContextBuffer(buffer.pvBuffer);
    buffer.pvBuffer = nullptr;
    buffer.cbBuffer = 0;
}

SecureFields::~SecureFields() {
    if (!g.loaded) return;
    if (contextPtr) g.table.DeleteSecurityContext(contextPtr);
    if (haveCredentials) g.table.FreeCredentialsHandle(&credentials);
}

void DeleteContext(InetSocket* r) {
    if (r->security.contextPtr && g.loaded) g.table.DeleteSecurityContext(r->security.contextPtr);
    r->security.contextPtr = nullptr;
}

void InetReleaseSecurity(InetSocket* r) {
    DeleteContext(r);
    if (r->security.haveCredentials && g.loaded) g.table.FreeCredentialsHandle(&r->security.credentials);
    r->security.haveCredentials = false;
}

bool InetSecureDataWaiting(const InetSocket* r) {
    return r->IsSecure() && (r->security.plainCount > 0 || r->security.pending);
}

int SendWhole(InetSocket* r, const char* data, int size) {
    const SOCKET s = r->socket;
    const int timeout = r->timeout > 0 ? r->timeout : kDefaultHandshakeSeconds;
    int sent = 0;
    while (sent < size) {
        int n = WsSend(s, data + sent, size - sent, 0);
        if (n == SOCKET_ERROR && WsGetLastError() == WSAEWOULDBLOCK) {
            // A message begun must go out whole: the peer could not read the stream otherwise.
            if (SelectOne(s, false, timeout * 1000) > 0) continue;
            WsSetLastError(WSAETIMEDOUT);
            return sent > 0 ? SOCKET_ERROR : n;
        }
        if (n <= 0) return n;
        sent += n;
    }
    return sent;
}

bool SuspendEvents(InetSocket* r) {
    if (!r->eventWindow || r->security.suspended) return false;
    WsAsyncSelect(r->socket, r->eventWindow, 0, 0);
    r->security.suspended = true;
    r->security.suspendedMessage = r->asyncMessage;
    // Notifications already queued for the socket are not its own while this lasts.
    r->asyncMessage = 0;
    return true;
}

void ResumeEvents(SOCKET s, uint64_t serial, bool suspended) {
    if (!suspended) return;
    InetSocket* r = InetFindRecord(s, serial);
    if (!r || !r->security.suspended) return;
    r->security.suspended = false;
    r->asyncMessage = r->security.suspendedMessage;
    if (!r->eventWindow) return;
    WsAsyncSelect(s, r->eventWindow, r->asyncMessage, r->connected ? kConnectedEvents : kUnconnectedEvents);
    // Bytes already taken off the network raise no notification of their own: announce them.
    if (r->connected && InetSecureDataWaiting(r))
        PostMessageA(r->eventWindow, r->asyncMessage, static_cast<WPARAM>(s), WSAMAKESELECTREPLY(FD_READ, 0));
}

int SecureWait(SOCKET s, uint64_t serial, bool forReading, int timeoutSeconds, bool* gone, bool* cancelled) {
    *gone = false;
    *cancelled = false;
    InetSocket* r = InetFindRecord(s, serial);
    if (!r) {
        *gone = true;
        InetStoreLastError(WSAENOTSOCK);
        return -1;
    }
    if (!r->eventWindow && !r->security.suspended) {
        // Blocking mode: the library's own wait, pumping messages, with abort and cancel.
        const bool wasCancelled = r->cancelled;
        int rc = InetWaitFor(s, r, forReading ? WaitKind::Read : WaitKind::Write, timeoutSeconds,
                             forReading ? INET_STATUS_READ : INET_STATUS_WRITE);
        if (!InetFindRecord(s, serial)) *gone = true;
        if (rc != 0 && (InetGetLastError() & 0xFFFF) == kErrCanceled && !wasCancelled) *cancelled = true;
        return rc == 0 ? 1 : -1;
    }
    const int n = SelectOne(s, forReading, timeoutSeconds > 0 ? timeoutSeconds * 1000 : -1);
    if (n > 0) return 1;
    if (n == 0) {
        InetStoreLastError(WSAETIMEDOUT);
        InetDispatchEvent(s, INET_EVENT_TIMEOUT, WSAETIMEDOUT);
        if (!InetFindRecord(s, serial)) *gone = true;
        return -1;
    }
    if (!InetSetWinsockError()) InetStoreLastError(WSAENOTSOCK);
    return -1;
}

int HandshakeSeconds(const InetSocket* r) { return r->timeout > 0 ? r->timeout : kDefaultHandshakeSeconds; }

}  // namespace inet
