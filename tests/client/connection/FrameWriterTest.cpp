// The frame writer and the read event against the real socket control and the scripted
// test server on loopback.
#include <gtest/gtest.h>
#include <winsock2.h>

#include "FrameWriter.h"
#include "ReceiveBuffer.h"
#include "ScriptedServer.h"
#include "WirelatchDispids.h"
#include "runtime/DispatchObject.h"
#include "runtime/RunTimeError.h"

using namespace skx;
using namespace testsupport;

namespace {

class FrameWriter : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterSocketControl()); }
    void SetUp() override {
        OleInitialize(nullptr);
        ASSERT_TRUE(server.Start());
        sck.Create("{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}");
        sck.PropertyPut(wl::Protocol, Variant(int32_t{6}));
        sck.PropertyPut(wl::Blocking, Variant(true));
        sck.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
        sck.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(server.GamePort())));
    }
    void TearDown() override {
        sck.Release();
        server.Stop();
        ReceiveBuffer.clear();
        OleUninitialize();
    }
    std::string Frames() { return server.Frames(); }

    ScriptedServer server;
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
    server.Command("{\"cmd\": \"send\", \"frames\": [[\"M\", \"18\", \"1\"], [\"x\"]]}");
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
