// Puts while the control holds a connection to a loopback echo peer, and a range refusal
// as the script host's JScript sees it.
#include <winsock2.h>

#include <Tetherline.h>

#include <string>

#include "EventControl.h"
#include "MessageOrder.h"

namespace controltest {
namespace {

constexpr DISPID kLibrary = 32;
constexpr DISPID kLocalAddress = 35;
constexpr DISPID kRemoteService = 49;
constexpr DISPID kLocalService = 38;
constexpr DISPID kKeepAlive = 30;
constexpr DISPID kBroadcast = 7;
constexpr DISPID kPeerName = 43;
constexpr HRESULT kStateRefusal = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kRangeRefusal = static_cast<HRESULT>(0x800A017C);

CallResult PutText(LateBound& c, DISPID id, const wchar_t* text) {
    VariantValue v;
    *v.Get() = Text(text);
    return c.Put(id, *v.Get());
}

TEST_F(ControlTest, PutsWhileConnectedAreRefusedOrApplied) {
    testsupport::ChildProcess peer;
    const uint16_t port = testsupport::StartPythonServer(peer, "tools/testpeers/echo.py", "");
    ASSERT_NE(port, 0);

    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    ASSERT_EQ(c.Put(kRemotePort, Long(port)).code, S_OK);
    VariantValue host;
    *host.Get() = Text(L"127.0.0.1");
    ASSERT_EQ(c.Call(kConnect, {*host.Get()}).code, S_OK);
    ASSERT_EQ(c.GetLong(kConnected), -1);

    EXPECT_EQ(c.Put(kRemotePort, Long(80)).code, kStateRefusal);
    EXPECT_EQ(c.GetLong(kRemotePort), port);
    EXPECT_EQ(c.Put(kLocalPort, Long(4000)).code, kStateRefusal);
    EXPECT_EQ(PutText(c, kLocalAddress, L"127.0.0.1").code, kStateRefusal);
    EXPECT_EQ(PutText(c, kRemoteService, L"http").code, kStateRefusal);
    EXPECT_EQ(PutText(c, kLibrary, L"ws2_32.dll").code, kStateRefusal);
    // Secure is accepted but not kept while a socket is open.
    EXPECT_EQ(c.Put(kSecure, Bool(true)).code, S_OK);
    EXPECT_EQ(c.GetLong(kSecure), 0);
    // Options go to the open socket and are kept.
    EXPECT_EQ(c.Put(kNoDelay, Bool(true)).code, S_OK);
    EXPECT_NE(c.GetLong(kNoDelay), 0);
    // With a socket open the state refusal comes before the range check.
    EXPECT_EQ(c.Put(kRemotePort, Long(70000)).code, kStateRefusal);

    EXPECT_EQ(c.Call(kDisconnect).code, S_OK);
    EXPECT_EQ(c.Put(kRemotePort, Long(70000)).code, kRangeRefusal);
    EXPECT_EQ(c.Put(kRemotePort, Long(80)).code, S_OK);
    EXPECT_EQ(c.GetLong(kRemotePort), 80);
}

// The option as the library reads it from the socket.
DWORD SocketOption(LateBound& c, DWORD option) {
    DWORD value = 0xEEEE;
    if (InetGetOption(static_cast<SOCKET>(c.GetLong(kHandle)), option, &value) == -1) return 0xFFFF;
    return value;
}

TEST_F(ControlTest, OptionPutsWhileConnectedReachTheSocket) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    ASSERT_EQ(c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    ASSERT_EQ(c.GetLong(kConnected), -1);
    const std::pair<DISPID, DWORD> options[] = {
        {kNoDelay, INET_OPTION_NODELAY}, {kKeepAlive, INET_OPTION_KEEPALIVE}, {kInLine, INET_OPTION_INLINE}};
    for (auto [id, option] : options) {
        ASSERT_EQ(c.Put(id, Bool(true)).code, S_OK) << id;
        EXPECT_EQ(c.GetLong(id), -1) << id;
        EXPECT_NE(SocketOption(c, option), 0u) << id;
        ASSERT_EQ(c.Put(id, Bool(false)).code, S_OK) << id;
        EXPECT_EQ(c.GetLong(id), 0) << id;
        EXPECT_EQ(SocketOption(c, option), 0u) << id;
    }
    // Broadcast means nothing to a stream socket; whatever the library says is what is kept.
    const CallResult broadcast = c.Put(kBroadcast, Bool(true));
    EXPECT_EQ(c.GetLong(kBroadcast), broadcast.code == S_OK ? -1 : 0);
    // The connection still carries data after all that.
    VariantValue result;
    ASSERT_EQ(c.Call(kWrite, {Text(L"opts"), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(ReadText(c, 4), L"opts");
}

TEST_F(ControlTest, BlockingPutWhileConnectedSwitchesTheNotification) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    ASSERT_EQ(c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    // Into event mode: the echo comes back as OnRead.
    ASSERT_EQ(c.Put(kBlocking, Bool(false)).code, S_OK);
    EXPECT_EQ(c.GetLong(kBlocking), 0);
    VariantValue result;
    ASSERT_EQ(c.Call(kWrite, {Text(L"evt"), Missing(), RefTo(result.Get())}).code, S_OK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m.sink->Count(kOnRead) >= 1; }, 5000));
    EXPECT_EQ(ReadUntil(c, 3, 5000), L"evt");
    // Back to blocking: no more events, and a read waits for its data.
    ASSERT_EQ(c.Put(kBlocking, Bool(true)).code, S_OK);
    EXPECT_EQ(c.GetLong(kBlocking), -1);
    const int reads = m.sink->Count(kOnRead);
    ASSERT_EQ(c.Call(kWrite, {Text(L"blk"), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(ReadText(c, 3), L"blk");
    // Into event mode once more, a marker behind it: the first read told is the marker's.
    ASSERT_EQ(c.Put(kBlocking, Bool(false)).code, S_OK);
    ASSERT_EQ(c.Call(kWrite, {Text(L"end"), Missing(), RefTo(result.Get())}).code, S_OK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m.sink->Count(kOnRead) > reads; }, 5000));
    EXPECT_EQ(ReadUntil(c, 3, 5000), L"end");
    ASSERT_TRUE(testsupport::HandlePostedSoFar());
    EXPECT_EQ(m.sink->Count(kOnRead), reads + 1);
    EXPECT_EQ(m.sink->Count(kOnError), 0);
}

TEST_F(ControlTest, NamePutsWhileConnectedLeaveTheConnection) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    ASSERT_EQ(c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    EXPECT_EQ(c.GetText(kHostAddress), L"127.0.0.1");
    // Without AutoResolve the peer has no name; with it, the platform's name for the address.
    EXPECT_EQ(c.GetText(kPeerName), L"");
    ASSERT_EQ(c.Put(kAutoResolve, Bool(true)).code, S_OK);
    EXPECT_EQ(c.GetText(kPeerName), L"localhost");
    EXPECT_EQ(c.GetText(kPeerAddress), L"127.0.0.1");
    // The names are only the control's record: putting them does not touch the socket.
    ASSERT_EQ(PutText(c, kHostName, L"localhost").code, S_OK);
    ASSERT_EQ(PutText(c, kHostAddress, L"10.1.2.3").code, S_OK);
    EXPECT_EQ(c.GetText(kHostAddress), L"10.1.2.3");
    EXPECT_EQ(c.GetLong(kConnected), -1);
    EXPECT_EQ(c.GetText(kPeerAddress), L"127.0.0.1");
    EXPECT_EQ(PutText(c, kLocalService, L"ftp").code, kStateRefusal);
    VariantValue result;
    ASSERT_EQ(c.Call(kWrite, {Text(L"same"), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(ReadText(c, 4), L"same");
}

// A peer whose address has no name: PeerName is empty, and reading it is no failure.
TEST_F(ControlTest, PeerNameOfANamelessPeerIsEmpty) {
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    const uint16_t port = testsupport::FreePort();
    ASSERT_EQ(c.Put(kTimeout, Long(10)).code, S_OK);
    ASSERT_EQ(c.Call(kListen, {Missing(), Long(port)}).code, S_OK);
    testsupport::ChildProcess client;
    ASSERT_TRUE(client.StartPython("tests/socketctl/control/control_peers.py",
                                   "answer " + std::to_string(port) + " x 127.0.0.2"));
    ASSERT_EQ(c.Call(kAccept).code, S_OK);
    ASSERT_EQ(c.GetLong(kConnected), -1);
    EXPECT_EQ(c.GetText(kPeerAddress), L"127.0.0.2");
    ASSERT_EQ(c.Put(kAutoResolve, Bool(true)).code, S_OK);
    VariantValue name;
    ASSERT_EQ(c.Get(kPeerName, name.Get()).code, S_OK);
    ASSERT_EQ(V_VT(name.Get()), VT_BSTR);
    EXPECT_EQ(std::wstring(V_BSTR(name.Get()) ? V_BSTR(name.Get()) : L""), L"");
    EXPECT_EQ(m.sink->Count(kOnError), 0);
}

constexpr char kJScript[] = R"(var o = new ActiveXObject("Wirekit.Wirelatch");
var fso = new ActiveXObject("Scripting.FileSystemObject");
var f = fso.CreateTextFile(WScript.Arguments(0), true);
o.LocalPort = 4000;
f.WriteLine("LocalPort=" + o.LocalPort);
try { o.LocalPort = 65536; f.WriteLine("accepted"); }
catch (e) { f.WriteLine("Refused=" + ((e.number >>> 0).toString(16))); }
f.WriteLine("LocalPort=" + o.LocalPort);
f.Close();
)";

TEST_F(ControlTest, JscriptSeesTheRangeRefusal) {
    testsupport::ScratchDir dir("wirelatch-jscript");
    const std::string script = dir.File("range.js");
    const std::string output = dir.File("range.txt");
    ASSERT_TRUE(testsupport::WriteFileBytes(script, kJScript));
    testsupport::ChildProcess host;
    ASSERT_TRUE(host.Start("cscript.exe //nologo \"" + script + "\" \"" + output + "\""));
    DWORD exitCode = 1;
    ASSERT_TRUE(host.Wait(60000, &exitCode));
    auto text = testsupport::ReadFileBytes(output);
    ASSERT_TRUE(text.has_value()) << "the script wrote nothing; exit code " << exitCode;
    EXPECT_EQ(*text, "LocalPort=4000\r\nRefused=800a017c\r\nLocalPort=4000\r\n");
}

}  // namespace
}  // namespace controltest
