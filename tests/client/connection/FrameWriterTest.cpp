// The frame writer and the read event against the real socket control and the scripted
// test server on loopback.
#include <gtest/gtest.h>
#include <winsock2.h>

#include "FrameWriter.h"
#include "ReceiveBuffer.h"
#include "WinTestSupport.h"
#include "WirelatchDispids.h"
#include "runtime/DispatchObject.h"
#include "runtime/RunTimeError.h"

using namespace skx;
using namespace testsupport;

namespace {

// One control request to the test server; its JSON answer.
std::string Control(uint16_t port, const std::string& json) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        std::string line = json + "\n";
        send(s, line.data(), static_cast<int>(line.size()), 0);
        char buf[4096];
        int n;
        while ((n = recv(s, buf, sizeof buf, 0)) > 0) {
            reply.append(buf, static_cast<size_t>(n));
            if (reply.back() == '\n') break;
        }
    }
    closesocket(s);
    return reply;
}

class FrameWriter : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WSADATA w;
        WSAStartup(MAKEWORD(2, 2), &w);
        ChildProcess reg;
        ASSERT_TRUE(reg.Start("regsvr32.exe /s \"" + ProgramFolder() + "\\Tetherline.dll\""));
        DWORD code = 1;
        ASSERT_TRUE(reg.Wait(30000, &code));
        ASSERT_EQ(code, 0u);
    }
    void SetUp() override {
        OleInitialize(nullptr);
        gamePort = FreePort();
        ctlPort = FreePort();
        ASSERT_TRUE(server.StartPython("tools/testserver/server.py", "--port " + std::to_string(gamePort) +
                                                                         " --control-port " + std::to_string(ctlPort)));
        ASSERT_TRUE(WaitForPort(ctlPort, 10000));
        sck.Create("{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}");
        sck.PropertyPut(wl::Protocol, Variant(int32_t{6}));
        sck.PropertyPut(wl::Blocking, Variant(true));
        sck.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
        sck.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(gamePort)));
    }
    void TearDown() override {
        sck.Release();
        server.Kill();
        ReceiveBuffer.clear();
        OleUninitialize();
    }
    std::string Frames() { return Control(ctlPort, "{\"cmd\": \"frames\"}"); }

    uint16_t gamePort = 0, ctlPort = 0;
    ChildProcess server;
    DispatchObject sck;
};

}  // namespace

TEST_F(FrameWriter, NothingIsSentWhileNotConnected) {
    ServerOn(sck, "C", "look");  // no socket yet: dropped without a word
    sck.Invoke(wl::Connect);
    ASSERT_EQ(sck.PropertyGet(wl::Connected).ToLong(), wl::True);
    ServerOn(sck, "C", std::string("a\x01" "b", 3));
    ServerOn(sck, "n", "1");
    ASSERT_TRUE(PumpUntil([&] { return Frames().find("[\"n\", \"1\"]") != std::string::npos; }, 5000));
    std::string frames = Frames();
    EXPECT_EQ(frames.find("look"), std::string::npos);
    EXPECT_NE(frames.find("[\"C\", \"ab\"]"), std::string::npos);  // Chr(1) removed from the data
}

TEST_F(FrameWriter, ReadEventFillsTheReceiveBuffer) {
    sck.Invoke(wl::Connect);
    ASSERT_EQ(sck.PropertyGet(wl::Connected).ToLong(), wl::True);
    ReceiveBuffer.clear();
    Control(ctlPort, "{\"cmd\": \"send\", \"frames\": [[\"M\", \"18\", \"1\"], [\"x\"]]}");
    const std::string expected = std::string("\x1BM\0" "18\0" "1\x01\x1Bx\0\x01", 12);
    ASSERT_TRUE(PumpUntil([&] {
        ReadInto(sck);
        return ReceiveBuffer.size() >= expected.size();
    }, 5000));
    EXPECT_EQ(ReceiveBuffer, expected);  // Chr(0) crosses the control intact
    EXPECT_EQ(TrafficText(5120), "5120 (5 Kb)");
    EXPECT_EQ(TrafficText(512), "512 (0 Kb)");
    EXPECT_EQ(TrafficText(1536), "1536 (2 Kb)");  // a half goes to the even neighbour
}
