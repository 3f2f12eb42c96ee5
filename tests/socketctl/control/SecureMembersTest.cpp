// The control's secure members over real TLS connections (the Python TLS peer of the socket
// library tests): the Secure option of Connect in blocking and event mode, the security
// properties read from the connection, handshake failures as errors, Authenticate and a
// secure Accept without a server certificate.
#include <string>

#include "EventControl.h"
#include "SecureTestSupport.h"

namespace controltest {
namespace {

constexpr DISPID kCertificateExpires = 9, kCertificateIssued = 10, kCertificateIssuer = 11, kCertificateStatus = 13,
                 kCertificateSubject = 15, kCipherStrength = 16, kHashStrength = 19, kSecureCipher = 54,
                 kSecureHash = 55, kSecureKeyExchange = 56, kSecureProtocol = 57, kAuthenticate = 69;
constexpr LONG kWlSecureProtocolTls1 = 8;
constexpr LONG kWlCertificateValid = 1, kWlCertificateUntrusted = 5;

class SecureControlTest : public ControlTest {
protected:
    static void SetUpTestSuite() {
        ControlTest::SetUpTestSuite();
        root_ = std::make_unique<inettest::TrustedTestRoot>();
        peer_ = std::make_unique<inettest::TlsPeer>("server");
    }
    static void TearDownTestSuite() {
        peer_.reset();
        root_.reset();
    }
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(root_->ok() && peer_->ok());
    }
    static CallResult Connect(LateBound& c, const wchar_t* host, u_short port, VARIANT* error) {
        return c.Call(kConnect, {Text(host), Long(port), Missing(), Long(10), Missing(), Missing(), Missing(),
                                 RefTo(error)});
    }
    static CallResult Write(LateBound& c, const wchar_t* text) {
        VariantValue result;
        return c.Call(kWrite, {Text(text), Missing(), RefTo(result.Get())});
    }

    static std::unique_ptr<inettest::TrustedTestRoot> root_;
    static std::unique_ptr<inettest::TlsPeer> peer_;
};
std::unique_ptr<inettest::TrustedTestRoot> SecureControlTest::root_;
std::unique_ptr<inettest::TlsPeer> SecureControlTest::peer_;

TEST_F(SecureControlTest, BlockingConnectFillsTheSecureProperties) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    ASSERT_EQ(c.Put(kSecure, Bool(true)).code, S_OK);
    VariantValue error;
    ASSERT_EQ(Connect(c, L"localhost", peer_->port(), error.Get()).code, S_OK);
    EXPECT_EQ(V_I4(error.Get()), 0);
    EXPECT_EQ(c.GetLong(kConnected), -1);
    EXPECT_NE(c.GetLong(kSecure), 0);
    EXPECT_EQ(c.GetLong(kSecureProtocol), kWlSecureProtocolTls1);
    EXPECT_EQ(c.GetLong(kCertificateStatus), kWlCertificateValid);
    EXPECT_GE(c.GetLong(kCipherStrength), 128);
    EXPECT_NE(c.GetLong(kSecureCipher), 0);
    EXPECT_NE(c.GetLong(kSecureKeyExchange), 0);
    EXPECT_NE(c.GetLong(kSecureHash), 0);
    EXPECT_GE(c.GetLong(kHashStrength), 0);
    EXPECT_NE(c.GetText(kCertificateIssuer).find(L"CN=Skirmora Test Root"), std::wstring::npos)
        << c.GetText(kCertificateIssuer);
    EXPECT_NE(c.GetText(kCertificateSubject).find(L"CN=localhost"), std::wstring::npos);
    EXPECT_NE(c.GetText(kCertificateIssued).find(L"2020"), std::wstring::npos) << c.GetText(kCertificateIssued);
    EXPECT_NE(c.GetText(kCertificateExpires).find(L"2049"), std::wstring::npos) << c.GetText(kCertificateExpires);

    // Data goes through the secure layer both ways.
    EXPECT_EQ(ReadText(c, 5), L"hello");
    ASSERT_EQ(Write(c, L"over tls").code, S_OK);
    EXPECT_EQ(ReadText(c, 8), L"over tls");

    ASSERT_EQ(c.Call(kDisconnect).code, S_OK);
    EXPECT_EQ(c.GetLong(kCertificateStatus), 0);
    EXPECT_EQ(c.GetLong(kSecureProtocol), 0);
    EXPECT_EQ(c.GetText(kCertificateIssuer), L"");
    EXPECT_EQ(c.GetText(kCertificateExpires), L"");
}

TEST_F(SecureControlTest, AnUntrustedCertificateIsReportedAndTheConnectionStands) {
    inettest::TlsPeer selfSigned("selfsigned");
    ASSERT_TRUE(selfSigned.ok());
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    ASSERT_EQ(c.Put(kSecure, Bool(true)).code, S_OK);
    VariantValue error;
    ASSERT_EQ(Connect(c, L"localhost", selfSigned.port(), error.Get()).code, S_OK);
    EXPECT_EQ(c.GetLong(kConnected), -1);
    EXPECT_EQ(c.GetLong(kCertificateStatus), kWlCertificateUntrusted);
    EXPECT_NE(c.GetText(kCertificateIssuer).find(L"O=Skirmora Self"), std::wstring::npos);
    EXPECT_EQ(ReadText(c, 5), L"hello");
    c.Call(kDisconnect);
}

TEST_F(SecureControlTest, EventModeConnectFillsTheCopyBeforeOnConnect) {
    EventModeControl m;
    ASSERT_TRUE(m.connected);
    ASSERT_EQ(m.c.Put(kSecure, Bool(true)).code, S_OK);
    // The security properties as the host reads them inside its OnConnect handler.
    struct Seen {
        LateBound* c;
        LONG status = -1;
        LONG protocol = -1;
    } seen{&m.c};
    m.sink->OnEvent(
        kOnConnect,
        [](EventSink*, void* context) {
            auto* s = static_cast<Seen*>(context);
            s->status = s->c->GetLong(kCertificateStatus);
            s->protocol = s->c->GetLong(kSecureProtocol);
        },
        &seen);
    VariantValue error;
    ASSERT_EQ(Connect(m.c, L"localhost", peer_->port(), error.Get()).code, S_OK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m.sink->Count(kOnConnect) == 1; }, 10000));
    EXPECT_EQ(m.sink->Count(kOnError), 0);
    EXPECT_EQ(seen.status, kWlCertificateValid);
    EXPECT_EQ(seen.protocol, kWlSecureProtocolTls1);
    // The greeting that came with the handshake raises OnRead.
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m.sink->Count(kOnRead) >= 1; }, 10000));
    EXPECT_EQ(ReadText(m.c, 64), L"hello");
    const int reads = m.sink->Count(kOnRead);
    ASSERT_EQ(Write(m.c, L"event tls").code, S_OK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m.sink->Count(kOnRead) > reads; }, 10000));
    EXPECT_EQ(ReadText(m.c, 64), L"event tls");
}

TEST_F(SecureControlTest, AHandshakeFailureIsReportedAsTheSecurityError) {
    // A peer that answers in plain text.
    testsupport::ChildProcess echo;
    const uint16_t port = testsupport::StartPythonServer(echo, "tools/testpeers/echo.py", "");
    ASSERT_NE(port, 0);
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    LateBound c(control.Get());
    ASSERT_EQ(c.Put(kSecure, Bool(true)).code, S_OK);
    VariantValue error;
    EXPECT_EQ(Connect(c, L"127.0.0.1", port, error.Get()).code, S_OK);  // ThrowError is off
    EXPECT_EQ(V_I4(error.Get()), 12102);
    EXPECT_EQ(c.GetLong(kHandle), -1);
    ASSERT_EQ(sink->Count(kOnError), 1);
    EXPECT_EQ(sink->Last(kOnError)->numbers.at(0), 12102);
    EXPECT_EQ(sink->Last(kOnError)->texts.at(0), L"Unable to establish security context for this session");
    // With ThrowError the method fails with the run-time form of the code.
    ASSERT_EQ(c.Put(kThrowError, Bool(true)).code, S_OK);
    EXPECT_EQ(Connect(c, L"127.0.0.1", port, error.Get()).code, static_cast<HRESULT>(0x800A2F46));
    sink->Disconnect();
}

TEST_F(SecureControlTest, AnEventModeHandshakeFailureFiresOnErrorWithTheSocketClosed) {
    testsupport::ChildProcess echo;
    const uint16_t port = testsupport::StartPythonServer(echo, "tools/testpeers/echo.py", "");
    ASSERT_NE(port, 0);
    EventModeControl m;
    ASSERT_TRUE(m.connected);
    ASSERT_EQ(m.c.Put(kSecure, Bool(true)).code, S_OK);
    // The handle as the host reads it inside OnError: already closed.
    struct Seen {
        LateBound* c;
        LONG handle = 0;
    } seen{&m.c};
    m.sink->OnEvent(
        kOnError,
        [](EventSink*, void* context) {
            auto* s = static_cast<Seen*>(context);
            s->handle = s->c->GetLong(kHandle);
        },
        &seen);
    VariantValue error;
    ASSERT_EQ(Connect(m.c, L"127.0.0.1", port, error.Get()).code, S_OK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m.sink->Count(kOnError) == 1; }, 10000));
    EXPECT_EQ(m.sink->Last(kOnError)->numbers.at(0), 12102);
    EXPECT_EQ(m.sink->Count(kOnConnect), 0);
    EXPECT_EQ(seen.handle, -1);
    EXPECT_EQ(m.c.GetLong(kHandle), -1);
    EXPECT_EQ(m.c.GetLong(kCertificateStatus), 0);
}

TEST_F(SecureControlTest, AuthenticateReportsTheLibrarysAnswer) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    LateBound c(control.Get());
    VariantValue error;
    // No socket: the library does not know the handle.
    EXPECT_EQ(c.Call(kAuthenticate, {Text(L"player"), Text(L"secret"), Missing(), Missing(), Missing(),
                                     RefTo(error.Get())})
                  .code,
              S_OK);
    EXPECT_EQ(V_I4(error.Get()), 10038);
    ASSERT_EQ(sink->Count(kOnError), 1);
    EXPECT_EQ(sink->Last(kOnError)->numbers.at(0), 10038);
    // A socket of the library's own: the function is not implemented.
    ASSERT_EQ(c.Put(kSecure, Bool(true)).code, S_OK);
    ASSERT_EQ(Connect(c, L"localhost", peer_->port(), error.Get()).code, S_OK);
    ASSERT_EQ(c.Put(kThrowError, Bool(true)).code, S_OK);
    EXPECT_EQ(c.Call(kAuthenticate, {Text(L"player"), Text(L"secret"), Missing(), Missing(), Missing(),
                                     RefTo(error.Get())})
                  .code,
              static_cast<HRESULT>(0x800A2EE3));
    EXPECT_EQ(V_I4(error.Get()), 12003);
    EXPECT_EQ(sink->Last(kOnError)->numbers.at(0), 12003);
    c.Call(kDisconnect);
    sink->Disconnect();
}

TEST_F(SecureControlTest, SecureAcceptWithoutACertificateNameKeepsTheListener) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    LateBound c(control.Get());
    const uint16_t port = testsupport::FreePort();
    VariantValue error;
    ASSERT_EQ(c.Call(kListen, {Missing(), Long(port), Missing(), RefTo(error.Get())}).code, S_OK);
    const LONG listener = c.GetLong(kHandle);
    testsupport::ChildProcess client;
    ASSERT_TRUE(client.StartPython("tests/socketctl/inet/tls_peers.py",
                                   "client " + std::to_string(port) + " tests/socketctl/inet/tls/ca.pem"));
    // Secure cannot be put while the listener is held: the option word asks for it.
    ASSERT_EQ(c.Put(kTimeout, Long(10)).code, S_OK);
    EXPECT_EQ(c.Call(kAccept, {Missing(), Long(static_cast<LONG>(INET_OPTION_SECURE)), RefTo(error.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(error.Get()), 12103);
    ASSERT_GE(sink->Count(kOnError), 1);
    EXPECT_EQ(sink->Last(kOnError)->numbers.at(0), 12103);
    // The failed accept gives the control its listener back.
    EXPECT_EQ(c.GetLong(kHandle), listener);
    EXPECT_EQ(c.GetLong(kListening), -1);
    DWORD code = 99;
    EXPECT_TRUE(client.Wait(15000, &code));
    EXPECT_EQ(code, 1u);
    c.Call(kDisconnect);
    sink->Disconnect();
}

}  // namespace
}  // namespace controltest
