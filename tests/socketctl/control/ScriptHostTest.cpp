// The control in the system's script host: created by program identifier from VBScript,
// in blocking mode, against a loopback echo peer.
#include "ControlFixture.h"
#include "WinTestSupport.h"

namespace controltest {
namespace {

constexpr char kScript[] = R"(Option Explicit
Dim o, fso, f, s, n
Set fso = CreateObject("Scripting.FileSystemObject")
Set f = fso.CreateTextFile(WScript.Arguments(1), True)
Set o = CreateObject("Wirekit.Wirelatch")
f.WriteLine "Protocol=" & o.Protocol
f.WriteLine "Blocking=" & o.Blocking
o.Protocol = 6
o.AutoResolve = False
o.ThrowError = True
o.RemotePort = CLng(WScript.Arguments(0))
f.WriteLine "RemotePort=" & o.RemotePort
o.Connect "127.0.0.1"
f.WriteLine "Connected=" & o.Connected
o.Write "hello", 5, n
f.WriteLine "Written=" & n
s = ""
o.Read s, 5, n
f.WriteLine "Read=" & s & "," & n
o.Disconnect
f.WriteLine "Handle=" & o.Handle
On Error Resume Next
o.RemotePort = 70000
f.WriteLine "Refused=" & Hex(Err.Number)
f.Close
)";

TEST_F(ControlTest, VbscriptDrivesTheControlByProgramIdentifier) {
    testsupport::ChildProcess peer;
    const uint16_t port = testsupport::StartPythonServer(peer, "tools/testpeers/echo.py", "");
    ASSERT_NE(port, 0);

    testsupport::ScratchDir dir("wirelatch-script");
    const std::string script = dir.File("smoke.vbs");
    const std::string output = dir.File("smoke.txt");
    ASSERT_TRUE(testsupport::WriteFileBytes(script, kScript));
    testsupport::ChildProcess host;
    ASSERT_TRUE(host.Start("cscript.exe //nologo \"" + script + "\" " + std::to_string(port) + " \"" + output + "\""));
    DWORD exitCode = 1;
    ASSERT_TRUE(host.Wait(60000, &exitCode));
    auto text = testsupport::ReadFileBytes(output);
    ASSERT_TRUE(text.has_value()) << "the script wrote nothing; exit code " << exitCode;
    EXPECT_EQ(*text,
              "Protocol=6\r\n"
              "Blocking=True\r\n"
              "RemotePort=" + std::to_string(port) + "\r\n"
              "Connected=True\r\n"
              "Written=5\r\n"
              "Read=hello,5\r\n"
              "Handle=-1\r\n"
              "Refused=17C\r\n");  // the script host shows 0x800A017C as error 380
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace controltest
