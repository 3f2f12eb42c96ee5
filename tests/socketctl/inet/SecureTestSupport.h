// Shared pieces of the secure socket tests: the Python TLS peer with the test certificates
// under tls/, the test root certificate trusted for one test program, a window recording
// socket notifications, and a certificate with its key in the user's "MY" store.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <wincrypt.h>

#include <Tetherline.h>
#include <WinTestSupport.h>

#include <memory>
#include <string>
#include <vector>

namespace inettest {

constexpr UINT kNotifyMessage = 2025;  // WM_SOCKETEVENT

// One TLS server of tls_peers.py on a free port it binds itself, killed when it goes.
class TlsPeer {
public:
    // certificate: "server" (issued by the test root for localhost) or "selfsigned".
    // ciphers: OpenSSL's cipher list ("" for the defaults); askForClient: the server asks for
    // a client certificate (optional).
    explicit TlsPeer(const std::string& certificate, const std::string& ciphers = "", bool askForClient = false);
    bool ok() const { return ok_; }
    u_short port() const { return port_; }

private:
    testsupport::ChildProcess child_;
    u_short port_ = 0;
    bool ok_ = false;
};

// A file of tests/socketctl/inet/tls as a Windows path.
std::string TlsFile(const std::string& name);

// The test root certificate in the current user's "ROOT" store while the object lives.
class TrustedTestRoot {
public:
    TrustedTestRoot();
    ~TrustedTestRoot();
    TrustedTestRoot(const TrustedTestRoot&) = delete;
    TrustedTestRoot& operator=(const TrustedTestRoot&) = delete;
    bool ok() const { return added_ != nullptr; }

private:
    HCERTSTORE store_ = nullptr;
    PCCERT_CONTEXT added_ = nullptr;
};

// The server certificate of tls/server.pfx with its key in the user's "MY" store while the
// object lives.
class ServerCertificateInMy {
public:
    ServerCertificateInMy();
    ~ServerCertificateInMy();
    ServerCertificateInMy(const ServerCertificateInMy&) = delete;
    ServerCertificateInMy& operator=(const ServerCertificateInMy&) = delete;
    bool ok() const { return added_ != nullptr; }

private:
    HCERTSTORE my_ = nullptr;
    PCCERT_CONTEXT added_ = nullptr;
};

struct SocketNote {
    SOCKET s;
    UINT event;
    UINT error;
};

// A hidden window recording the notifications (message 2025) it receives.
class NoteWindow {
public:
    NoteWindow();
    ~NoteWindow();
    NoteWindow(const NoteWindow&) = delete;
    NoteWindow& operator=(const NoteWindow&) = delete;
    HWND get() const { return hwnd_; }
    int Count(SOCKET s, UINT event) const;
    const SocketNote* First(SOCKET s, UINT event) const;
    bool WaitFor(SOCKET s, UINT event, int count = 1, DWORD ms = 10000) const;

    std::vector<SocketNote> notes;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM first, LPARAM second);
    HWND hwnd_ = nullptr;
};

// Reads until `size` bytes came, the peer closed, or a read failed; the bytes.
std::string ReadExactly(SOCKET s, size_t size);

}  // namespace inettest
