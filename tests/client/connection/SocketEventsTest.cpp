// The control's events reaching the client through its connection-point sink: the real socket
// control in event mode against the scripted server on loopback.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "FrameWriter.h"
#include "ReceiveBuffer.h"
#include "ScriptedServer.h"
#include "WirelatchDispids.h"
#include "runtime/DispatchObject.h"
#include "runtime/EventConnection.h"

using namespace skx;
using namespace testsupport;

namespace {

struct Seen {
    DISPID id;
    std::vector<std::string> args;
};

class SocketEvents : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterSocketControl()); }
    void SetUp() override {
        OleInitialize(nullptr);
        ASSERT_TRUE(server.Start());
        MakeControl(sck, server.GamePort());
        ReceiveBuffer.clear();
    }
    void TearDown() override {
        events.Disconnect();
        sck.Release();
        server.Stop();
        ReceiveBuffer.clear();
        OleUninitialize();
    }
    static void MakeControl(DispatchObject& control, uint16_t port) {
        control.Create("{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}");
        control.PropertyPut(wl::Protocol, Variant(int32_t{6}));
        control.PropertyPut(wl::Blocking, Variant(false));  // event mode, as the client runs it
        control.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
        control.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(port)));
    }
    // Records every event; reads on OnRead as the client does.
    EventConnection::Handler Recorder(DispatchObject& control) {
        return [this, &control](DISPID id, std::vector<Variant>& args) {
            Seen s{id, {}};
            for (auto& a : args) s.args.push_back(a.ToString());
            seen.push_back(s);
            if (id == wl::OnRead) ReadInto(control);
        };
    }
    int Count(DISPID id) const {
        int n = 0;
        for (const auto& s : seen) n += s.id == id;
        return n;
    }
    size_t IndexOf(DISPID id) const {
        for (size_t i = 0; i < seen.size(); ++i) {
            if (seen[i].id == id) return i;
        }
        return seen.size();
    }

    // The server sends a frame (and hangs up when asked), and the control has been told all
    // that brought. The anchor is a second control on a server of its own, sent a frame once
    // the first one's data has come in: its read event comes behind the notices of that data.
    bool DataHandled(bool thenClose) {
        ScriptedServer markServer;
        DispatchObject mark;
        EventConnection markEvents;
        bool markRead = false;
        if (!markServer.Start()) return false;
        MakeControl(mark, markServer.GamePort());
        if (!markEvents.Connect(mark.Get(), wl::EventsInterfaceId,
                                [&](DISPID id, std::vector<Variant>&) { markRead = markRead || id == wl::OnRead; }))
            return false;
        mark.Invoke(wl::Connect);
        if (!markServer.WaitForClient() || !server.WaitForClient()) return false;
        server.Command("{\"cmd\": \"send\", \"frames\": [[\"x\"]]}");
        if (thenClose) server.Command("{\"cmd\": \"close\"}");
        if (!testsupport::PumpUntil([&] { return sck.PropertyGet(wl::IsReadable).ToLong() == wl::True; }, 15000))
            return false;
        markServer.Command("{\"cmd\": \"send\", \"frames\": [[\"x\"]]}");
        return testsupport::PumpUntil([&] { return markRead; }, 15000);
    }

    ScriptedServer server;
    DispatchObject sck;
    EventConnection events;
    std::vector<Seen> seen;
};

}  // namespace

TEST_F(SocketEvents, ConnectReadAndServerCloseArriveInOrder) {
    ASSERT_TRUE(events.Connect(sck.Get(), wl::EventsInterfaceId, Recorder(sck)));
    EXPECT_TRUE(events.IsConnected());
    sck.Invoke(wl::Connect);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Count(wl::OnConnect) == 1; }, 15000));
    EXPECT_EQ(sck.PropertyGet(wl::Connected).ToLong(), wl::True);
    EXPECT_TRUE(seen[IndexOf(wl::OnConnect)].args.empty());

    ASSERT_TRUE(server.WaitForClient());
    server.Command("{\"cmd\": \"send\", \"frames\": [[\"M\", \"18\", \"1\"], [\"x\"]]}");
    const std::string expected = std::string("\x1BM\0" "18\0" "1\x01\x1Bx\0\x01", 12);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ReceiveBuffer.size() >= expected.size(); }, 15000));
    EXPECT_EQ(ReceiveBuffer, expected);  // the read event read it all, Chr(0) included

    server.Command("{\"cmd\": \"close\"}");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Count(wl::OnDisconnect) == 1; }, 15000));
    EXPECT_LT(IndexOf(wl::OnConnect), IndexOf(wl::OnRead));
    EXPECT_LT(IndexOf(wl::OnRead), IndexOf(wl::OnDisconnect));
    EXPECT_EQ(Count(wl::OnError), 0);
}

TEST_F(SocketEvents, RefusedConnectGivesErrorNumberThenDescription) {
    DispatchObject refused;
    MakeControl(refused, FreePort());  // nobody listens there
    ASSERT_TRUE(events.Connect(refused.Get(), wl::EventsInterfaceId, Recorder(refused)));
    refused.Invoke(wl::Connect);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Count(wl::OnError) == 1; }, 15000));
    const Seen& e = seen[IndexOf(wl::OnError)];
    ASSERT_EQ(e.args.size(), 2u);
    EXPECT_EQ(e.args[0], "10061");  // connection refused, the number first
    EXPECT_FALSE(e.args[1].empty());
    EXPECT_EQ(e.args[1].find("10061"), std::string::npos) << "the description is a text: " << e.args[1];
    EXPECT_EQ(Count(wl::OnConnect), 0);
    events.Disconnect();
}

TEST_F(SocketEvents, EndedConnectionHearsNothingMore) {
    ASSERT_TRUE(events.Connect(sck.Get(), wl::EventsInterfaceId, Recorder(sck)));
    sck.Invoke(wl::Connect);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Count(wl::OnConnect) == 1; }, 15000));
    events.Disconnect();
    EXPECT_FALSE(events.IsConnected());
    const size_t heard = seen.size();
    ASSERT_TRUE(DataHandled(true));
    EXPECT_EQ(seen.size(), heard);
    EXPECT_EQ(Count(wl::OnRead) + Count(wl::OnDisconnect), 0);
    // A second sink on the same control hears the events from then on.
    EventConnection again;
    std::vector<DISPID> later;
    ASSERT_TRUE(again.Connect(sck.Get(), wl::EventsInterfaceId,
                              [&](DISPID id, std::vector<Variant>&) { later.push_back(id); }));
    sck.Invoke(wl::Disconnect);
    sck.Invoke(wl::Connect);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !later.empty(); }, 15000));
    EXPECT_EQ(later.front(), wl::OnConnect);
}

TEST_F(SocketEvents, HandlerFailureStaysWithTheClientAndLaterEventsStillArrive) {
    int calls = 0;
    ASSERT_TRUE(events.Connect(sck.Get(), wl::EventsInterfaceId, [&](DISPID id, std::vector<Variant>&) {
        ++calls;
        if (id == wl::OnConnect) throw std::runtime_error("handler failed");
        if (id == wl::OnRead) ReadInto(sck);
    }));
    sck.Invoke(wl::Connect);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return calls >= 1; }, 15000) && server.WaitForClient());
    server.Command("{\"cmd\": \"send\", \"frames\": [[\"x\"]]}");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !ReceiveBuffer.empty(); }, 15000));
    EXPECT_GE(calls, 2);
}

TEST_F(SocketEvents, HandlerMayEndItsOwnConnection) {
    int calls = 0;
    ASSERT_TRUE(events.Connect(sck.Get(), wl::EventsInterfaceId, [&](DISPID, std::vector<Variant>&) {
        ++calls;
        events.Disconnect();
    }));
    sck.Invoke(wl::Connect);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return calls == 1; }, 15000));
    ASSERT_TRUE(DataHandled(false));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(events.IsConnected());
}

TEST_F(SocketEvents, UnknownInterfaceOrObjectIsRefused) {
    EXPECT_FALSE(events.Connect(sck.Get(), "{00000000-1111-2222-3333-444444444444}", Recorder(sck)));
    EXPECT_FALSE(events.Connect(sck.Get(), "not an interface", Recorder(sck)));
    EXPECT_FALSE(events.Connect(nullptr, wl::EventsInterfaceId, Recorder(sck)));
    EXPECT_FALSE(events.IsConnected());
}

TEST_F(SocketEvents, FramesFromThePeerReachTheirHandlersInOrder) {
    ASSERT_TRUE(events.Connect(sck.Get(), wl::EventsInterfaceId, Recorder(sck)));
    sck.Invoke(wl::Connect);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Count(wl::OnConnect) == 1; }, 15000));
    // Letters without a handler report themselves: their order is the order of handling.
    std::string letters;
    DispatchReport report;
    report.unimplemented = [&](char c) { letters += c; };
    std::string frames = "[";
    const std::string sent = "xjqkmpsuAHIJKQWXYZ";
    for (size_t i = 0; i < 200; ++i) {
        frames += std::string(i ? ", " : "") + "[\"" + sent[i % sent.size()] + "\", \"" + std::to_string(i) + "\"]";
    }
    frames += "]";
    // The control's connected event can come before the server has taken the connection: the
    // frames are sent once it has.
    ASSERT_TRUE(server.WaitForClient());
    const std::string sending = server.Command("{\"cmd\": \"send\", \"frames\": " + frames + "}");
    ASSERT_NE(sending.find("\"ok\": true"), std::string::npos) << sending;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        // The frame timer's pass, between read events.
        DispatchReceived([&] { return sck.PropertyGet(wl::Connected).ToLong() == wl::True; }, report);
        return letters.size() >= 200;
    }, 15000));
    std::string expected;
    for (size_t i = 0; i < 200; ++i) expected += sent[i % sent.size()];
    EXPECT_EQ(letters, expected);
    EXPECT_FALSE(HasReceivedData());
}
