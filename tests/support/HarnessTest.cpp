// The harness itself: Linux peers started from inside a Wine test, and their ports.
#include <gtest/gtest.h>
#include <winsock2.h>

#include "ScriptedServer.h"
#include "WinTestSupport.h"

using namespace testsupport;

TEST(Harness, PythonPeerStartsAnswersAndStops) {
    uint16_t port = FreePort();
    ASSERT_NE(port, 0);
    ChildProcess peer;
    ASSERT_TRUE(StartPython(peer, "tools/testpeers/echo.py", "--port " + std::to_string(port) + " --once"));
    ASSERT_TRUE(WaitForPort(port, 10000));
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    const char msg[] = "ping\0pong";
    ASSERT_EQ(send(s, msg, 9, 0), 9);
    std::string got;
    char buf[64];
    while (got.size() < 9) {
        int n = recv(s, buf, sizeof buf, 0);
        if (n <= 0) break;
        got.append(buf, static_cast<size_t>(n));
    }
    EXPECT_EQ(got, std::string(msg, 9));
    closesocket(s);
    DWORD code = 99;
    EXPECT_TRUE(peer.Wait(5000, &code));  // --once: ends after the connection closes
    EXPECT_EQ(code, 0u);
    WSACleanup();
}

TEST(Harness, UnknownScriptIsRefused) {
    ChildProcess peer;
    EXPECT_FALSE(StartPython(peer, "tools/no-such-script.py", ""));
    EXPECT_FALSE(StartPython(peer, "../outside.py", ""));
}

TEST(Harness, ScratchFolderAndRegistryOfThePrefix) {
    {
        ScratchDir dir("harness");
        ASSERT_TRUE(WriteFileBytes(dir.File("a.bin"), std::string("x\0y", 3)));
        EXPECT_EQ(ReadFileBytes(dir.File("a.bin")).value_or(""), std::string("x\0y", 3));
    }
    HKEY k;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\SkirmoraHarness\\Sub", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &k, nullptr), ERROR_SUCCESS);
    RegSetValueExA(k, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("hello"), 6);
    RegCloseKey(k);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, "Software\\SkirmoraHarness\\Sub", "v").value_or(""), "hello");
    EXPECT_TRUE(RegDeleteTree(HKEY_CURRENT_USER, "Software\\SkirmoraHarness"));
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, "Software\\SkirmoraHarness\\Sub", "v").has_value());
}

TEST(Harness, ServersNameThePortsTheyBoundThemselves) {
    ChildProcess web, other;
    const uint16_t port = StartPythonServer(web, "tools/httpfiles.py", "");
    ASSERT_NE(port, 0);
    EXPECT_TRUE(WaitForPort(port, 0));  // listening once named: no wait for it
    const uint16_t second = StartPythonServer(other, "tools/httpfiles.py", "");
    EXPECT_NE(second, 0);
    EXPECT_NE(second, port);
    // A program that ends before its first line (httpfiles.py wants --port) is no start.
    std::string line;
    EXPECT_FALSE(other.StartPython("tools/httpfiles.py", "", &line));

    ScriptedServer server;
    ASSERT_TRUE(server.Start());
    EXPECT_NE(server.GamePort(), server.ControlPort());
    EXPECT_TRUE(WaitForPort(server.GamePort(), 0));
    EXPECT_NE(server.Command("{\"cmd\": \"status\"}").find("\"ok\": true"), std::string::npos);
}
