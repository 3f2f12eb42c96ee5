// The client and server handshakes of a secure socket and the check of the server's
// certificate.
#include <cstring>
#include <new>
#include <vector>

#include "LibraryCore.h"
#include "SecurityInterface.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

constexpr ULONG kClientRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                 ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_EXTENDED_ERROR | ISC_REQ_STREAM;  // 0xC11C
constexpr ULONG kServerRequest = ASC_REQ_SEQUENCE_DETECT | ASC_REQ_REPLAY_DETECT | ASC_REQ_CONFIDENTIALITY |
                                 ASC_REQ_ALLOCATE_MEMORY | ASC_REQ_EXTENDED_ERROR | ASC_REQ_STREAM;  // 0x1811C
constexpr DWORD kPolicySsl = 4;
constexpr DWORD kAuthServer = 2;
// What a certificate check records when it ends before the policy runs.
constexpr DWORD kCertificateUnchecked = static_cast<DWORD>(SEC_E_CERT_UNKNOWN);

int Fail(DWORD code) {
    InetStoreLastError(code);
    return 0;
}

bool IsFailure(SECURITY_STATUS status) { return status < 0; }

bool Continues(SECURITY_STATUS status) {
    return status == SEC_I_CONTINUE_NEEDED || status == SEC_E_INCOMPLETE_MESSAGE ||
           status == SEC_I_INCOMPLETE_CREDENTIALS;
}

// Sends a produced token (one send, completed when short): false when the send failed.
bool SendToken(InetSocket* r, ContextBuffer& token) {
    if (token.buffer.cbBuffer == 0 || !token.buffer.pvBuffer) return true;
    const int n = SendWhole(r, static_cast<const char*>(token.buffer.pvBuffer), static_cast<int>(token.buffer.cbBuffer));
    token.Free();
    if (n <= 0) {
        if (!InetSetWinsockError()) InetStoreLastError(WSAECONNRESET);
        return false;
    }
    r->bytesSent += static_cast<DWORD>(n);
    return true;
}

// Bytes that came after the last handshake message: the socket's first input.
void KeepExtra(InetSocket* r, const SecBuffer& extra, const char* held, int heldCount) {
    if (extra.BufferType == SECBUFFER_EXTRA && extra.cbBuffer > 0 && static_cast<int>(extra.cbBuffer) <= heldCount) {
        const int size = static_cast<int>(extra.cbBuffer);
        std::memmove(r->secureIn.get(), held + heldCount - size, static_cast<size_t>(size));
        r->security.inCount = size;
        r->security.pending = true;
    } else {
        r->security.inCount = 0;
        r->security.pending = false;
    }
    r->security.plainCount = 0;
}

// Moves the unread tail of a handshake buffer to its start; the new held count.
int KeepUnread(const SecBuffer& extra, std::vector<char>& buffer, int held) {
    if (extra.BufferType != SECBUFFER_EXTRA || extra.cbBuffer == 0 || static_cast<int>(extra.cbBuffer) > held) return 0;
    const int size = static_cast<int>(extra.cbBuffer);
    std::memmove(buffer.data(), buffer.data() + held - size, static_cast<size_t>(size));
    return size;
}

int QueryStreamSizes(InetSocket* r) {
    const SecurityState& sec = InetSecurity();
    if (!r->security.contextPtr ||
        sec.table.QueryContextAttributesA(r->security.contextPtr, SECPKG_ATTR_STREAM_SIZES, &r->security.sizes) !=
            SEC_E_OK)
        return Fail(kErrSecurityContext);
    return 1;
}

// Receives into the rest of a handshake buffer after waiting for readability: the count,
// 0 when the peer closed or the receive failed, -1 when the wait failed (error set). `r` is
// found again after the wait.
int ReceiveHandshake(SOCKET s, uint64_t serial, InetSocket*& r, std::vector<char>& buffer, int held) {
    bool gone = false, cancelled = false;
    if (SecureWait(s, serial, true, HandshakeSeconds(r), &gone, &cancelled) < 0) {
        r = gone ? nullptr : InetFindRecord(s, serial);
        return -1;
    }
    r = InetFindRecord(s, serial);
    if (!r) {
        InetStoreLastError(WSAENOTSOCK);
        return -1;
    }
    const int n = WsRecv(s, buffer.data() + held, static_cast<int>(buffer.size()) - held, 0);
    if (n <= 0) return 0;
    r->bytesReceived += static_cast<DWORD>(n);
    return n;
}

}  // namespace

int InetClientHandshake(SOCKET s) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady()) return 0;
    const SecurityState& sec = InetSecurity();
    // A context left from an earlier handshake is replaced (renegotiation starts afresh).
    DeleteContext(r);
    SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
    ULONG attributes = 0;
    TimeStamp expiry{};
    SECURITY_STATUS status = sec.table.InitializeSecurityContextA(
        &r->security.credentials, nullptr, r->hostName, kClientRequest, 0, SECURITY_NATIVE_DREP, nullptr, 0,
        &r->security.context, &outDesc, &attributes, &expiry);
    ContextBuffer token;
    token.buffer = out;
    r->security.lastStatus = status;
    if (status != SEC_I_CONTINUE_NEEDED) {
        if (!IsFailure(status)) r->security.contextPtr = &r->security.context;
        DeleteContext(r);
        return Fail(kErrSecurityNotInitialized);
    }
    r->security.contextPtr = &r->security.context;
    if (!SendToken(r, token)) {
        DeleteContext(r);
        return 0;
    }
    return InetHandshakeLoop(s);
}

int InetHandshakeLoop(SOCKET s) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady()) return 0;
    const SecurityState& sec = InetSecurity();
    const uint64_t serial = r->serial;
    std::vector<char> buffer;
    try {
        buffer.resize(kSecureBufferSize);
    } catch (const std::bad_alloc&) {
        return Fail(kErrOutOfMemory);
    }
    int held = 0;
    bool readFirst = true;
    SECURITY_STATUS status = SEC_I_CONTINUE_NEEDED;
    while (Continues(status)) {
        if (held == 0 || status == SEC_E_INCOMPLETE_MESSAGE) {
            if (readFirst) {
                if (held >= static_cast<int>(buffer.size())) {
                    // A handshake message larger than the buffer can never complete.
                    status = SEC_E_INTERNAL_ERROR;
                    break;
                }
                const int n = ReceiveHandshake(s, serial, r, buffer, held);
                if (!r) return 0;
                if (n < 0) {
                    DeleteContext(r);
                    return 0;
                }
                // A peer that closed (or failed) mid-handshake leaves no usable context.
                if (n == 0) break;
                held += n;
            } else {
                readFirst = true;
            }
        }
        SecBuffer in[2] = {{static_cast<ULONG>(held), SECBUFFER_TOKEN, buffer.data()}, {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
        SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
        SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
        ULONG attributes = 0;
        TimeStamp expiry{};
        status = sec.table.InitializeSecurityContextA(&r->security.credentials, r->security.contextPtr, r->hostName,
                                                      kClientRequest, 0, SECURITY_NATIVE_DREP, &inDesc, 0, nullptr,
                                                      &outDesc, &attributes, &expiry);
        r->security.lastStatus = status;
        ContextBuffer token;
        token.buffer = out;
        if ((status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED ||
             (IsFailure(status) && (attributes & ISC_RET_EXTENDED_ERROR))) &&
            !SendToken(r, token)) {
            DeleteContext(r);
            return 0;
        }
        if (status == SEC_E_INCOMPLETE_MESSAGE) continue;
        if (status == SEC_E_OK) {
            KeepExtra(r, in[1], buffer.data(), held);
            break;
        }
        if (IsFailure(status)) break;
        if (status == SEC_I_INCOMPLETE_CREDENTIALS) {
            // The server asks for a client certificate: offer one from "MY" when there is one.
            InetGetClientCertificate(s);
            readFirst = false;
            status = SEC_I_CONTINUE_NEEDED;
            continue;
        }
        held = KeepUnread(in[1], buffer, held);
    }
    if (status != SEC_E_OK) DeleteContext(r);
    return QueryStreamSizes(r);
}

int InetServerHandshake(SOCKET s) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady()) return 0;
    const SecurityState& sec = InetSecurity();
    const uint64_t serial = r->serial;
    std::vector<char> buffer;
    try {
        buffer.resize(kSecureBufferSize);
    } catch (const std::bad_alloc&) {
        return Fail(kErrOutOfMemory);
    }
    const bool suspended = SuspendEvents(r);
    auto finish = [&](int result) {
        ResumeEvents(s, serial, suspended);
        return result;
    };
    if (!sec.table.AcceptSecurityContext) return finish(Fail(kErrSecurityContext));
    int held = 0;
    SECURITY_STATUS status = SEC_I_CONTINUE_NEEDED;
    while (Continues(status)) {
        if (held == 0 || status == SEC_E_INCOMPLETE_MESSAGE) {
            if (held >= static_cast<int>(buffer.size())) break;
            const int n = ReceiveHandshake(s, serial, r, buffer, held);
            if (!r) return 0;
            if (n < 1) {
                DeleteContext(r);
                return finish(Fail(kErrSecurityContext));
            }
            held += n;
        }
        SecBuffer in[2] = {{static_cast<ULONG>(held), SECBUFFER_TOKEN, buffer.data()}, {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
        SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
        SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
        ULONG attributes = 0;
        TimeStamp expiry{};
        CtxtHandle* existing = r->security.contextPtr;
        status = sec.table.AcceptSecurityContext(&r->security.credentials, existing, &inDesc, kServerRequest,
                                                 SECURITY_NATIVE_DREP, existing ? nullptr : &r->security.context,
                                                 &outDesc, &attributes, &expiry);
        r->security.lastStatus = status;
        if (!existing && (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED))
            r->security.contextPtr = &r->security.context;
        ContextBuffer token;
        token.buffer = out;
        if ((status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED ||
             (IsFailure(status) && (attributes & ASC_RET_EXTENDED_ERROR))) &&
            !SendToken(r, token)) {
            DeleteContext(r);
            return finish(Fail(kErrSecurityContext));
        }
        if (status == SEC_E_OK) {
            KeepExtra(r, in[1], buffer.data(), held);
            return finish(QueryStreamSizes(r));
        }
        if (status == SEC_E_INCOMPLETE_MESSAGE || status == SEC_I_INCOMPLETE_CREDENTIALS) continue;
        if (IsFailure(status)) break;
        held = KeepUnread(in[1], buffer, held);
    }
    DeleteContext(r);
    return finish(Fail(kErrSecurityContext));
}

int InetVerifyCertificate(SOCKET s) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady()) return 0;
    const SecurityState& sec = InetSecurity();
    auto unchecked = [&](DWORD code) {
        // A check that could not run never reads as a valid certificate.
        r->security.certificateStatus = kCertificateUnchecked;
        return Fail(code);
    };
    CertificateRef peer;
    if (!r->security.contextPtr ||
        sec.table.QueryContextAttributesA(r->security.contextPtr, SECPKG_ATTR_REMOTE_CERT_CONTEXT, peer.out()) !=
            SEC_E_OK ||
        !peer.get())
        return unchecked(kErrSecurityCertificate);
    if (!r->hostName[0]) return unchecked(kErrInvalidHostname);
    const int chars = MultiByteToWideChar(CP_ACP, 0, r->hostName, -1, nullptr, 0);
    if (chars <= 0) return unchecked(kErrInvalidHostname);
    std::vector<wchar_t> host;
    try {
        host.resize(static_cast<size_t>(chars));
    } catch (const std::bad_alloc&) {
        return unchecked(kErrOutOfMemory);
    }
    if (MultiByteToWideChar(CP_ACP, 0, r->hostName, -1, host.data(), chars) <= 0)
        return unchecked(kErrInvalidHostname);
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof chainPara;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (!sec.cert.getChain(nullptr, peer.get(), nullptr, peer.get()->hCertStore, &chainPara, 0, nullptr, &chain) ||
        !chain)
        return unchecked(kErrSecurityCertificate);
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = kAuthServer;
    ssl.fdwChecks = 0;
    ssl.pwszServerName = host.data();
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS result{};
    result.cbSize = sizeof result;
    const BOOL ran = sec.cert.verifyChainPolicy(reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(kPolicySsl)), chain,
                                                &policy, &result);
    sec.cert.freeChain(chain);
    if (!ran) return unchecked(kErrSecurityCertificate);
    if (result.dwError != 0) {
        r->security.certificateStatus = result.dwError;
        return Fail(kErrSecurityCertificate);
    }
    r->security.certificateStatus = 0;
    r->security.lastStatus = 0;
    return 1;
}

}  // namespace inet
