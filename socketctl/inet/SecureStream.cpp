// The data stream of a secure socket: decrypting reads, encrypting writes, the close
// notification and the release of the security context.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "LibraryCore.h"
#include "SecurityInterface.h"
#include "WinsockBinding.h"

namespace inet {
namespace {

constexpr ULONG kClientRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                 ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_EXTENDED_ERROR | ISC_REQ_STREAM;
constexpr ULONG kServerRequest = ASC_REQ_SEQUENCE_DETECT | ASC_REQ_REPLAY_DETECT | ASC_REQ_CONFIDENTIALITY |
                                 ASC_REQ_ALLOCATE_MEMORY | ASC_REQ_EXTENDED_ERROR | ASC_REQ_STREAM;
// An event-mode read waiting for the rest of a message with no time-out of its own.
constexpr int kEventReadSeconds = 60;

int Fail(DWORD code) {
    InetStoreLastError(code);
    return -1;
}

int PollReadable(SOCKET s) {
    fd_set set{};
    set.fd_count = 1;
    set.fd_array[0] = s;
    timeval now{0, 0};
    return WsSelect(0, &set, nullptr, nullptr, &now);
}

void Trace(const char* format, const char* data, int size) {
    InetTracePrintf(INET_TRACE_INFO, format, static_cast<long>(size));
    InetTraceWrite(INET_TRACE_HEXDUMP, data, size);
}

// Decrypts the held input once. Data is appended to the plaintext buffer, extra bytes move to
// the start of the input buffer.
SECURITY_STATUS DecryptHeld(InetSocket* r) {
    const SecurityState& sec = InetSecurity();
    SecureFields& f = r->security;
    SecBuffer b[4] = {{static_cast<ULONG>(f.inCount), SECBUFFER_DATA, r->secureIn.get()},
                      {0, SECBUFFER_EMPTY, nullptr},
                      {0, SECBUFFER_EMPTY, nullptr},
                      {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc desc{SECBUFFER_VERSION, 4, b};
    const SECURITY_STATUS status = sec.table.DecryptMessage(f.contextPtr, &desc, 0, nullptr);
    f.lastStatus = status;
    if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE) return status;
    const SecBuffer* data = nullptr;
    const SecBuffer* extra = nullptr;
    for (int i = 1; i < 4; ++i) {
        if (!data && b[i].BufferType == SECBUFFER_DATA) data = &b[i];
        if (!extra && b[i].BufferType == SECBUFFER_EXTRA) extra = &b[i];
    }
    if (data && data->pvBuffer && data->cbBuffer > 0) {
        const int room = kSecureBufferSize - f.plainCount;
        const int size = std::min(static_cast<int>(data->cbBuffer), room);
        std::memcpy(r->secureOut.get() + f.plainCount, data->pvBuffer, static_cast<size_t>(size));
        f.plainCount += size;
    }
    if (extra && extra->cbBuffer > 0 && static_cast<int>(extra->cbBuffer) <= f.inCount) {
        const int size = static_cast<int>(extra->cbBuffer);
        std::memmove(r->secureIn.get(), r->secureIn.get() + f.inCount - size, static_cast<size_t>(size));
        f.inCount = size;
        f.pending = true;
    } else {
        f.inCount = 0;
        f.pending = false;
    }
    return status;
}

}  // namespace

int InetSecureRead(SOCKET s, char* buffer, int length) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return -1;
    if (!InetSecurityReady()) return -1;
    if (!r->security.contextPtr) return Fail(kErrSecurityDecryption);
    const uint64_t serial = r->serial;
    const bool eventMode = r->eventWindow != nullptr;
    const bool suspended = SuspendEvents(r);
    auto fail = [&](DWORD code) {
        if (code) InetStoreLastError(code);
        ResumeEvents(s, serial, suspended);
        return -1;
    };
    bool closed = false;
    while (r->security.plainCount == 0 && !closed) {
        bool peerClosed = false;
        if (!r->security.pending) {
            if (r->security.inCount >= kSecureBufferSize) return fail(kErrSecurityDecryption);
            if (eventMode && r->security.inCount == 0) {
                // Event mode with nothing held: only what has already arrived is read.
                const int ready = PollReadable(s);
                if (ready == 0) return fail(WSAEWOULDBLOCK);
                if (ready < 0) return fail(InetSetWinsockError() ? 0 : WSAENOTSOCK);
            } else {
                const int seconds = eventMode && r->timeout == 0 ? kEventReadSeconds : r->timeout;
                bool gone = false, cancelled = false;
                if (SecureWait(s, serial, true, seconds, &gone, &cancelled) < 0) {
                    if (gone || !InetFindRecord(s, serial)) return -1;
                    return fail(0);
                }
                r = InetFindRecord(s, serial);
                if (!r) return Fail(WSAENOTSOCK);
            }
            const int n = WsRecv(s, r->secureIn.get() + r->security.inCount, kSecureBufferSize - r->security.inCount, 0);
            if (n == SOCKET_ERROR) {
                r->security.lastStatus = SEC_E_INTERNAL_ERROR;
                return fail(InetSetWinsockError() ? 0 : WSAECONNRESET);
            }
            if (n == 0) {
                if (r->security.inCount == 0) {
                    closed = true;
                    break;
                }
                peerClosed = true;
            } else {
                r->security.inCount += n;
                r->bytesReceived += static_cast<DWORD>(n);
            }
        }
        const SECURITY_STATUS status = DecryptHeld(r);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            r->security.pending = false;
            if (peerClosed) closed = true;
            continue;
        }
        if (status == SEC_I_CONTEXT_EXPIRED) {
            closed = true;
            break;
        }
        if (status == SEC_I_RENEGOTIATE) {
            if (!InetClientHandshake(s)) {
                if (!InetFindRecord(s, serial)) return -1;
                return fail(0);
            }
            r = InetFindRecord(s, serial);
            if (!r) return -1;
            continue;
        }
        if (status != SEC_E_OK) return fail(kErrSecurityDecryption);
    }
    if (closed) r->remoteClosed = true;
    const int n = std::min(length, r->security.plainCount);
    if (n > 0) {
        std::memcpy(buffer, r->secureOut.get(), static_cast<size_t>(n));
        r->security.plainCount -= n;
        std::memmove(r->secureOut.get(), r->secureOut.get() + n, static_cast<size_t>(r->security.plainCount));
        Trace("Decrypted buffer of %ld bytes", buffer, n);
    }
    ResumeEvents(s, serial, suspended);
    return n;
}

int InetSecureWrite(SOCKET s, const char* buffer, int length) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return -1;
    if (!InetSecurityReady()) return -1;
    if (length <= 0) return 0;
    const SecurityState& sec = InetSecurity();
    const SecPkgContext_StreamSizes sizes = r->security.sizes;
    if (!r->security.contextPtr || sizes.cbMaximumMessage == 0) return Fail(kErrSecurityEncryption);
    std::vector<char> block;
    try {
        block.resize(static_cast<size_t>(sizes.cbHeader) + sizes.cbMaximumMessage + sizes.cbTrailer);
    } catch (const std::bad_alloc&) {
        return Fail(kErrOutOfMemory);
    }
    const uint64_t serial = r->serial;
    if (!r->eventWindow) {
        bool gone = false, cancelled = false;
        if (SecureWait(s, serial, false, r->timeout, &gone, &cancelled) < 0) return -1;
        r = InetFindRecord(s, serial);
        if (!r) return Fail(WSAENOTSOCK);
    }
    // Data longer than one message goes out as several messages.
    int done = 0;
    while (done < length) {
        const int chunk = std::min(length - done, static_cast<int>(sizes.cbMaximumMessage));
        std::memcpy(block.data() + sizes.cbHeader, buffer + done, static_cast<size_t>(chunk));
        SecBuffer b[4] = {{sizes.cbHeader, SECBUFFER_STREAM_HEADER, block.data()},
                          {static_cast<ULONG>(chunk), SECBUFFER_DATA, block.data() + sizes.cbHeader},
                          {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, block.data() + sizes.cbHeader + chunk},
                          {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc{SECBUFFER_VERSION, 4, b};
        const SECURITY_STATUS status = sec.table.EncryptMessage(r->security.contextPtr, 0, &desc, 0);
        r->security.lastStatus = status;
        if (status != SEC_E_OK) return done > 0 ? done : Fail(kErrSecurityEncryption);
        // The header, data and trailer as the encryption sized them, contiguous again.
        const int total = static_cast<int>(b[0].cbBuffer + b[1].cbBuffer + b[2].cbBuffer);
        if (b[1].pvBuffer != block.data() + b[0].cbBuffer)
            std::memmove(block.data() + b[0].cbBuffer, b[1].pvBuffer, b[1].cbBuffer);
        if (b[2].pvBuffer != block.data() + b[0].cbBuffer + b[1].cbBuffer)
            std::memmove(block.data() + b[0].cbBuffer + b[1].cbBuffer, b[2].pvBuffer, b[2].cbBuffer);
        const int n = SendWhole(r, block.data(), total);
        if (n <= 0) {
            if (!InetSetWinsockError()) InetStoreLastError(WSAECONNRESET);
            return done > 0 ? done : -1;
        }
        r->bytesSent += static_cast<DWORD>(n);
        Trace("Encrypted buffer of %ld bytes", buffer + done, chunk);
        done += chunk;
    }
    return length;
}

int InetSecureClose(SOCKET s) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    if (!InetSecurityReady()) return 0;
    const SecurityState& sec = InetSecurity();
    int result = 0;
    if (r->security.contextPtr && sec.table.ApplyControlToken) {
        DWORD shutdown = SCHANNEL_SHUTDOWN;
        SecBuffer control{sizeof shutdown, SECBUFFER_TOKEN, &shutdown};
        SecBufferDesc controlDesc{SECBUFFER_VERSION, 1, &control};
        SECURITY_STATUS status = sec.table.ApplyControlToken(r->security.contextPtr, &controlDesc);
        if (status == SEC_E_OK) {
            SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
            SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
            ULONG attributes = 0;
            TimeStamp expiry{};
            // A server's context makes its notification through the accepting call.
            if (r->security.server && sec.table.AcceptSecurityContext)
                status = sec.table.AcceptSecurityContext(&r->security.credentials, r->security.contextPtr, nullptr,
                                                         kServerRequest, SECURITY_NATIVE_DREP, nullptr, &outDesc,
                                                         &attributes, &expiry);
            else
                status = sec.table.InitializeSecurityContextA(&r->security.credentials, r->security.contextPtr,
                                                              r->hostName, kClientRequest, 0, SECURITY_NATIVE_DREP,
                                                              nullptr, 0, nullptr, &outDesc, &attributes, &expiry);
            ContextBuffer token;
            token.buffer = out;
            r->security.lastStatus = status;
            if (!(status < 0) && token.buffer.pvBuffer && token.buffer.cbBuffer > 0) {
                const int n = SendWhole(r, static_cast<const char*>(token.buffer.pvBuffer),
                                        static_cast<int>(token.buffer.cbBuffer));
                if (n > 0) {
                    r->bytesSent += static_cast<DWORD>(n);
                    result = 1;
                } else if (!InetSetWinsockError()) {
                    InetStoreLastError(WSAECONNRESET);
                }
            }
        }
    }
    DeleteContext(r);
    return result;
}

int InetDeleteSecurityContext(SOCKET s) {
    InetSocket* r = InetFindSocket(s);
    if (!r) return 0;
    InetReleaseSecurity(r);
    return 1;
}

}  // namespace inet
