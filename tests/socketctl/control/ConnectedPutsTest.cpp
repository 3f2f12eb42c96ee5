// Puts while the control holds a connection to a loopback echo peer, and a range refusal
// as the script host's JScript sees it.
#include <string>

#include "ControlFixture.h"
#include "WinTestSupport.h"

namespace controltest {
namespace {

constexpr DISPID kLibrary = 32;
constexpr DISPID kLocalAddress = 35;
constexpr DISPID kRemoteService = 49;
constexpr HRESULT kStateRefusal = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kRangeRefusal = static_cast<HRESULT>(0x800A017C);

CallResult PutText(LateBound& c, DISPID id, const wchar_t* text) {
    VariantValue v;
    *v.Get() = Text(text);
    return c.Put(id, *v.Get());
}

TEST_F(ControlTest, PutsWhileConnectedAreRefusedOrApplied) {
    const uint16_t port = testsupport::FreePort();
    testsupport::ChildProcess peer;
    ASSERT_TRUE(peer.StartPython("tools/testpeers/echo.py", "--port " + std::to_string(port)));
    ASSERT_TRUE(testsupport::WaitForPort(port, 10000));

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
