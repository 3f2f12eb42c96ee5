// Secure sockets against a real TLS server (tls_peers.py with the certificates under tls/):
// blocking and event-mode connects, reads and writes, the certificate check, the security
// information of the connection, the close notification both ways, and servers that do not
// speak TLS.
#include <gtest/gtest.h>

#include <WinTestSupport.h>

#include <memory>
#include <string>

#include "InetTestSupport.h"
#include "SecureTestSupport.h"

using namespace inettest;

namespace {

constexpr DWORD kWlCertificateValid = 1, kWlCertificateNoMatch = 2, kWlCertificateUntrusted = 5;

// What a thread timer does to a socket while a blocking read waits on it.
SOCKET g_timerTarget = INVALID_SOCKET;
bool g_timerAborts = false;
VOID CALLBACK InterruptRead(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_timerAborts) InetAbortConnection(g_timerTarget);
    else InetCancelBlockingCall(g_timerTarget);
}

LONG TraceWrites() {
    HMODULE trace = GetModuleHandleA("WSATRACE.dll");
    if (!trace) return -1;
    auto count = reinterpret_cast<LONG(WINAPI*)(int)>(reinterpret_cast<void (*)()>(GetProcAddress(trace, "TraceCount")));
    return count ? count(6) : -1;
}

class SecureSocketTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = std::make_unique<TrustedTestRoot>();
        peer_ = std::make_unique<TlsPeer>("server");
        selfSigned_ = std::make_unique<TlsPeer>("selfsigned");
    }
    static void TearDownTestSuite() {
        selfSigned_.reset();
        peer_.reset();
        root_.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(session_.ok());
        ASSERT_TRUE(root_->ok()) << "the test root could not be trusted";
        ASSERT_TRUE(peer_->ok() && selfSigned_->ok()) << "the TLS peers did not start";
    }
    static SOCKET Connect(const char* host, u_short port, UINT timeout = 10) {
        return InetConnectExA(host, port, 0, timeout, INET_OPTION_SECURE, 0, 0, nullptr);
    }

    InetSession session_;
    static std::unique_ptr<TrustedTestRoot> root_;
    static std::unique_ptr<TlsPeer> peer_;
    static std::unique_ptr<TlsPeer> selfSigned_;
};
std::unique_ptr<TrustedTestRoot> SecureSocketTest::root_;
std::unique_ptr<TlsPeer> SecureSocketTest::peer_;
std::unique_ptr<TlsPeer> SecureSocketTest::selfSigned_;

TEST_F(SecureSocketTest, BlockingConnectWritesAndReadsThroughTheTlsPeer) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    EXPECT_TRUE(InetIsConnected(s));
    // The server's greeting came in the same segment as its last handshake message.
    EXPECT_EQ(ReadExactly(s, 5), "hello");
    EXPECT_EQ(InetWrite(s, "ping through tls", 16), 16);
    EXPECT_EQ(ReadExactly(s, 16), "ping through tls");
    // Data longer than one message goes out whole.
    std::string large(40000, '\0');
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + i % 26);
    EXPECT_EQ(InetWrite(s, large.data(), static_cast<int>(large.size())), static_cast<int>(large.size()));
    EXPECT_EQ(ReadExactly(s, large.size()), large);
    EXPECT_EQ(InetDisconnect(s), 0);
}

TEST_F(SecureSocketTest, AReadReturnsAMessageInPiecesWithoutReceivingAgain) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    ASSERT_EQ(InetWrite(s, "big:300", 7), 7);
    char piece[100];
    std::string all;
    ASSERT_EQ(InetRead(s, piece, 100), 100);
    all.append(piece, 100);
    ASSERT_EQ(InetRead(s, piece, 100), 100);
    all.append(piece, 100);
    ASSERT_EQ(InetRead(s, piece, 100), 100);
    all.append(piece, 100);
    for (size_t i = 0; i < all.size(); ++i) ASSERT_EQ(static_cast<unsigned char>(all[i]), (i * 7) & 0xFF) << i;
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, AMessageSplitAcrossSegmentsIsReadWhole) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    const std::string payload = "split:" + std::string(3000, 'q');
    ASSERT_EQ(InetWrite(s, payload.data(), static_cast<int>(payload.size())), static_cast<int>(payload.size()));
    char buffer[4096];
    // One read: the second half arrives 0.4 s after the first.
    EXPECT_EQ(InetRead(s, buffer, sizeof buffer), 3000);
    EXPECT_EQ(std::string(buffer, 3000), std::string(3000, 'q'));
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, ThePeersCloseNotificationEndsTheStream) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    ASSERT_EQ(InetWrite(s, "bye", 3), 3);
    char buffer[16];
    EXPECT_EQ(InetRead(s, buffer, sizeof buffer), 0);
    EXPECT_TRUE(InetIsConnectionClosed(s));
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, DisconnectSendsTheCloseNotificationAndAbortDoesNot) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    // The peer answers "last?" only once it has seen the connection before this one end.
    ASSERT_EQ(InetDisconnect(s), 0);
    s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    ASSERT_EQ(InetWrite(s, "last?", 5), 5);
    EXPECT_EQ(ReadExactly(s, 5), "clean");
    ASSERT_EQ(InetAbortConnection(s), 0);
    s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    ASSERT_EQ(InetWrite(s, "last?", 5), 5);
    EXPECT_EQ(ReadExactly(s, 6), "abrupt");
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, AWaitingReadCanBeCancelledOrAborted) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    char buffer[16];
    // A cancelled read fails with 10004 and leaves the connection usable.
    g_timerTarget = s;
    g_timerAborts = false;
    SetTimer(nullptr, 0, 200, &InterruptRead);
    EXPECT_EQ(InetRead(s, buffer, sizeof buffer), -1);
    EXPECT_EQ(LastCode(), 10004u);
    ASSERT_EQ(InetWrite(s, "again", 5), 5);
    EXPECT_EQ(ReadExactly(s, 5), "again");
    // An aborted read fails with 10053 and the socket is gone.
    g_timerAborts = true;
    SetTimer(nullptr, 0, 200, &InterruptRead);
    EXPECT_EQ(InetRead(s, buffer, sizeof buffer), -1);
    EXPECT_EQ(LastCode(), 10053u);
    EXPECT_EQ(InetGetStatus(s), 0);
}

TEST_F(SecureSocketTest, ReadsAndWritesAreTracedWithTheirPlainBytes) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    ASSERT_GT(InetEnableTraceA("secure.log", 1), 0) << "the trace stand-in is not beside the tests";
    const LONG before = TraceWrites();
    ASSERT_EQ(InetWrite(s, "traced", 6), 6);
    // One line and one hex dump for the write, the same for the read.
    EXPECT_EQ(TraceWrites(), before + 2);
    EXPECT_EQ(ReadExactly(s, 6), "traced");
    EXPECT_EQ(TraceWrites(), before + 4);
    InetDisableTrace();
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, SecurityInformationOfATrustedConnection) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    SECURITYINFOA info{};
    info.dwSize = sizeof info;
    ASSERT_TRUE(InetGetSecurityInformationA(s, &info)) << LastCode();
    EXPECT_EQ(info.dwSize, sizeof info);
    EXPECT_EQ(info.dwProtocol, 8u);  // the TLS family
    EXPECT_EQ(info.dwCertStatus, kWlCertificateValid);
    EXPECT_GE(info.dwCipherStrength, 128u);
    ASSERT_NE(info.lpszCertIssuer, nullptr);
    ASSERT_NE(info.lpszCertSubject, nullptr);
    EXPECT_NE(std::string(info.lpszCertIssuer).find("CN=Skirmora Test Root"), std::string::npos) << info.lpszCertIssuer;
    // The issuer's last part is multi-valued (OU and CN): no plus sign between its values.
    EXPECT_NE(std::string(info.lpszCertIssuer).find("OU=Sockets"), std::string::npos) << info.lpszCertIssuer;
    EXPECT_EQ(std::string(info.lpszCertIssuer).find('+'), std::string::npos) << info.lpszCertIssuer;
    EXPECT_NE(std::string(info.lpszCertSubject).find("CN=localhost"), std::string::npos) << info.lpszCertSubject;
    EXPECT_EQ(info.stCertValidFrom.wYear, 2020);
    EXPECT_EQ(info.stCertValidFrom.wMonth, 1);
    EXPECT_EQ(info.stCertValidFrom.wDay, 1);
    EXPECT_EQ(info.stCertValidTo.wYear, 2049);
    EXPECT_EQ(info.stCertValidTo.wMonth, 12);
    EXPECT_EQ(info.stCertValidTo.wDay, 31);

    SECURITYINFOW wide{};
    wide.dwSize = sizeof wide;
    ASSERT_TRUE(InetGetSecurityInformationW(s, &wide)) << LastCode();
    EXPECT_EQ(wide.dwProtocol, info.dwProtocol);
    EXPECT_EQ(wide.dwCipher, info.dwCipher);
    EXPECT_EQ(wide.dwCertStatus, info.dwCertStatus);
    EXPECT_EQ(wide.stCertValidTo.wYear, 2049);
    ASSERT_NE(wide.lpszCertSubject, nullptr);
    EXPECT_NE(std::wstring(wide.lpszCertSubject).find(L"CN=localhost"), std::wstring::npos);
    // The narrow texts of the socket are still those of the last narrow call.
    EXPECT_NE(std::string(info.lpszCertSubject).find("CN=localhost"), std::string::npos);
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, TranslatesTheNegotiatedAlgorithms) {
    // RSA key exchange with SHA-1 message authentication: both have constants of their own.
    TlsPeer rsa("server", "AES128-SHA");
    ASSERT_TRUE(rsa.ok());
    SOCKET s = Connect("localhost", rsa.port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    SECURITYINFOA info{};
    info.dwSize = sizeof info;
    ASSERT_TRUE(InetGetSecurityInformationA(s, &info));
    EXPECT_EQ(info.dwCipher, 256u);  // AES has no constant: other
    EXPECT_EQ(info.dwCipherStrength, 128u);
    EXPECT_EQ(info.dwHash, 2u);  // wlSecureHashSHA
    EXPECT_EQ(info.dwHashStrength, 160u);
    EXPECT_EQ(info.dwKeyExchange, 1u);  // wlSecureKeyExchangeRSA
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, AServerAskingForAClientCertificateGetsNone) {
    // No certificate for client authentication is in "MY": the handshake goes on without one.
    TlsPeer asking("server", "", true);
    ASSERT_TRUE(asking.ok());
    SOCKET s = Connect("localhost", asking.port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    ASSERT_EQ(InetWrite(s, "who?", 4), 4);
    EXPECT_EQ(ReadExactly(s, 6), "nobody");
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, ASelfSignedCertificateLeavesTheConnectionStandingAsUntrusted) {
    SOCKET s = Connect("localhost", selfSigned_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    EXPECT_EQ(LastCode(), 12104u);
    SECURITYINFOA info{};
    info.dwSize = sizeof info;
    ASSERT_TRUE(InetGetSecurityInformationA(s, &info));
    EXPECT_EQ(info.dwCertStatus, kWlCertificateUntrusted);
    ASSERT_NE(info.lpszCertIssuer, nullptr);
    EXPECT_NE(std::string(info.lpszCertIssuer).find("O=Skirmora Self"), std::string::npos);
    // The data still flows: the caller decides what an untrusted certificate means.
    EXPECT_EQ(ReadExactly(s, 5), "hello");
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, ACertificateForAnotherNameReadsAsNoMatch) {
    // The certificate names localhost, the connect names the address.
    SOCKET s = Connect("127.0.0.1", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    EXPECT_EQ(LastCode(), 12104u);
    SECURITYINFOA info{};
    info.dwSize = sizeof info;
    ASSERT_TRUE(InetGetSecurityInformationA(s, &info));
    EXPECT_EQ(info.dwCertStatus, kWlCertificateNoMatch);
    EXPECT_EQ(ReadExactly(s, 5), "hello");
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, AServerThatAnswersWithoutTlsFailsTheHandshake) {
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    PeerThread peer([&] {
        SOCKET c = accept(listener.get(), nullptr, nullptr);
        char hello[512];
        recv(c, hello, sizeof hello, 0);
        const char reply[] = "HTTP/1.0 400 Bad Request\r\nContent-Length: 0\r\n\r\n";
        send(c, reply, sizeof reply - 1, 0);
        Sleep(2000);
        closesocket(c);
    });
    const DWORD start = GetTickCount();
    EXPECT_EQ(Connect("127.0.0.1", port), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 12102u);
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST_F(SecureSocketTest, ASilentServerEndsTheHandshakeAtTheTimeout) {
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);  // the connection waits in the queue, unanswered
    const DWORD start = GetTickCount();
    EXPECT_EQ(Connect("127.0.0.1", port, 2), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), static_cast<DWORD>(WSAETIMEDOUT));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 1500u);
    EXPECT_LT(elapsed, 6000u);
}

TEST_F(SecureSocketTest, EventModeConnectHandshakesBeforeItsConnectNotification) {
    NoteWindow window;
    SOCKET s = InetAsyncConnectExA("localhost", peer_->port(), 0, 10, INET_OPTION_SECURE, 0, 0, nullptr, window.get(),
                                   kNotifyMessage);
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_TRUE(window.WaitFor(s, INET_EVENT_CONNECT));
    EXPECT_EQ(window.First(s, INET_EVENT_CONNECT)->error, 0u);
    EXPECT_TRUE(InetIsConnected(s));
    SECURITYINFOA info{};
    info.dwSize = sizeof info;
    ASSERT_TRUE(InetGetSecurityInformationA(s, &info));
    EXPECT_EQ(info.dwCertStatus, kWlCertificateValid);
    // The greeting that came with the handshake is announced by a read notification.
    ASSERT_TRUE(window.WaitFor(s, INET_EVENT_READ));
    char buffer[64];
    ASSERT_EQ(InetRead(s, buffer, sizeof buffer), 5);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    // Nothing more has arrived: an event-mode read does not wait.
    EXPECT_EQ(InetRead(s, buffer, sizeof buffer), -1);
    EXPECT_EQ(LastCode(), static_cast<DWORD>(WSAEWOULDBLOCK));
    const int readsBefore = window.Count(s, INET_EVENT_READ);
    ASSERT_EQ(InetWrite(s, "event ping", 10), 10);
    ASSERT_TRUE(window.WaitFor(s, INET_EVENT_READ, readsBefore + 1));
    ASSERT_EQ(InetRead(s, buffer, sizeof buffer), 10);
    EXPECT_EQ(std::string(buffer, 10), "event ping");
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, EventModeReadsOfAMessageInPiecesAreEachAnnounced) {
    NoteWindow window;
    SOCKET s = InetAsyncConnectExA("localhost", peer_->port(), 0, 10, INET_OPTION_SECURE, 0, 0, nullptr, window.get(),
                                   kNotifyMessage);
    ASSERT_NE(s, INVALID_SOCKET);
    ASSERT_TRUE(window.WaitFor(s, INET_EVENT_READ));
    char buffer[4096];
    ASSERT_EQ(InetRead(s, buffer, sizeof buffer), 5);
    const int readsBefore = window.Count(s, INET_EVENT_READ);
    ASSERT_EQ(InetWrite(s, "big:10000", 9), 9);
    // Each read takes 4096 bytes of the one message; what stays behind is announced again.
    std::string all;
    for (int round = 1; all.size() < 10000 && round <= 10; ++round) {
        ASSERT_TRUE(window.WaitFor(s, INET_EVENT_READ, readsBefore + round)) << "round " << round;
        const int n = InetRead(s, buffer, sizeof buffer);
        if (n > 0) all.append(buffer, static_cast<size_t>(n));
    }
    ASSERT_EQ(all.size(), 10000u);
    for (size_t i = 0; i < all.size(); ++i) ASSERT_EQ(static_cast<unsigned char>(all[i]), (i * 7) & 0xFF) << i;
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, AnEventModeReadWaitsForTheRestOfASplitMessage) {
    NoteWindow window;
    SOCKET s = InetAsyncConnectExA("localhost", peer_->port(), 0, 10, INET_OPTION_SECURE, 0, 0, nullptr, window.get(),
                                   kNotifyMessage);
    ASSERT_NE(s, INVALID_SOCKET);
    ASSERT_TRUE(window.WaitFor(s, INET_EVENT_READ));
    char buffer[4096];
    ASSERT_EQ(InetRead(s, buffer, sizeof buffer), 5);
    const int readsBefore = window.Count(s, INET_EVENT_READ);
    const std::string payload = "split:" + std::string(2000, 'z');
    ASSERT_EQ(InetWrite(s, payload.data(), static_cast<int>(payload.size())), static_cast<int>(payload.size()));
    // The first half raises the notification; the read then waits for the second.
    ASSERT_TRUE(window.WaitFor(s, INET_EVENT_READ, readsBefore + 1));
    const DWORD start = GetTickCount();
    EXPECT_EQ(InetRead(s, buffer, sizeof buffer), 2000);
    EXPECT_EQ(std::string(buffer, 2000), std::string(2000, 'z'));
    EXPECT_LT(GetTickCount() - start, 5000u);
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, DecryptedBytesWaitingCountAsReadable) {
    SOCKET s = Connect("localhost", peer_->port());
    ASSERT_NE(s, INVALID_SOCKET) << "error " << LastCode();
    ASSERT_EQ(ReadExactly(s, 5), "hello");
    ASSERT_EQ(InetWrite(s, "big:300", 7), 7);
    char piece[100];
    ASSERT_EQ(InetRead(s, piece, 100), 100);
    // Nothing waits on the network, but 200 decrypted bytes wait in the socket.
    DWORD available = 0;
    EXPECT_TRUE(InetIsReadable(s, 0, &available));
    EXPECT_EQ(available, 200u);
    ASSERT_EQ(ReadExactly(s, 200).size(), 200u);
    EXPECT_FALSE(InetIsReadable(s, 100, nullptr));
    InetDisconnect(s);
}

TEST_F(SecureSocketTest, EventModeHandshakeFailureIsTheConnectError) {
    NoteWindow window;
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    PeerThread peer([&] {
        SOCKET c = accept(listener.get(), nullptr, nullptr);
        char hello[512];
        recv(c, hello, sizeof hello, 0);
        send(c, "no tls here\r\n", 13, 0);
        Sleep(1000);
        closesocket(c);
    });
    SOCKET s = InetAsyncConnectExA("127.0.0.1", port, 0, 5, INET_OPTION_SECURE, 0, 0, nullptr, window.get(),
                                   kNotifyMessage);
    ASSERT_NE(s, INVALID_SOCKET);
    ASSERT_TRUE(window.WaitFor(s, INET_EVENT_CONNECT));
    EXPECT_EQ(window.First(s, INET_EVENT_CONNECT)->error, 12102u);
    // The failed connect closed its socket.
    EXPECT_EQ(InetGetStatus(s), 0);
}

}  // namespace
