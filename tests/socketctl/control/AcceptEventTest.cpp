// Accepting in event mode: the control that accepts a connection gets its OnConnect and then
// the connection's events, whether it accepts from another control's listener or its own.
#include <algorithm>
#include <string>

#include "EventControl.h"
#include "MessageOrder.h"

namespace controltest {
namespace {

using testsupport::PumpUntil;

// Position of the first event of a kind in the sink's record, or -1.
int FirstIndex(const EventSink& sink, DISPID id) {
    const auto& events = sink.Events();
    auto found = std::find_if(events.begin(), events.end(), [id](const Event& e) { return e.id == id; });
    return found == events.end() ? -1 : static_cast<int>(found - events.begin());
}

// A loopback client that sends a greeting and answers everything with "got:" and the data.
bool StartAnsweringClient(testsupport::ChildProcess& client, uint16_t port, const std::string& greeting) {
    return client.StartPython("tests/socketctl/control/control_peers.py",
                              "answer " + std::to_string(port) + " " + greeting);
}

// Listens in event mode on a free port; the port, or 0 when Listen failed.
uint16_t ListenInEventMode(EventModeControl& m) {
    const uint16_t port = testsupport::FreePort();
    VariantValue error;
    CallResult r = m.c.Call(kListen, {Missing(), Long(port), Missing(), RefTo(error.Get())});
    EXPECT_EQ(r.code, S_OK);
    EXPECT_EQ(V_I4(error.Get()), 0);
    return r.code == S_OK ? port : 0;
}

struct AcceptContext {
    LateBound* acceptor = nullptr;
    bool useHandle = true;  // pass the OnAccept handle, else let Accept take the control's own
    CallResult result;
    LONG error = -1;
    int onConnectDuringAccept = -1;
    EventSink* acceptorSink = nullptr;
};

// The host's OnAccept handler: the acceptor takes the waiting connection.
void AcceptInHandler(EventSink* listenerSink, void* p) {
    auto* ctx = static_cast<AcceptContext*>(p);
    const Event* accept = listenerSink->Last(kOnAccept);
    VariantValue error;
    VARIANT handle = ctx->useHandle && accept && !accept->numbers.empty() ? Long(accept->numbers[0]) : Missing();
    ctx->result = ctx->acceptor->Call(kAccept, {handle, Missing(), RefTo(error.Get())});
    ctx->error = V_VT(error.Get()) == VT_I4 ? V_I4(error.Get()) : -1;
    ctx->onConnectDuringAccept = ctx->acceptorSink->Count(kOnConnect);
}

TEST_F(ControlTest, SecondControlAcceptsInEventModeAndGetsOnConnect) {
    EventModeControl listener;
    ASSERT_TRUE(listener.connected);
    const uint16_t port = ListenInEventMode(listener);
    ASSERT_NE(port, 0);
    const LONG listening = listener.c.GetLong(kHandle);
    ASSERT_NE(listening, -1);

    EventModeControl acceptor;
    ASSERT_TRUE(acceptor.connected);
    AcceptContext context;
    context.acceptor = &acceptor.c;
    context.acceptorSink = acceptor.sink.Get();
    listener.sink->OnEvent(kOnAccept, AcceptInHandler, &context);

    testsupport::ChildProcess client;
    ASSERT_TRUE(StartAnsweringClient(client, port, "hello"));
    ASSERT_TRUE(PumpUntil([&] { return listener.sink->Count(kOnAccept) >= 1; }, 10000));
    // OnAccept names the listening socket.
    EXPECT_EQ(listener.sink->Last(kOnAccept)->numbers, std::vector<LONG>{listening});
    EXPECT_EQ(context.result.code, S_OK);
    EXPECT_EQ(context.error, 0);
    // The accepting control is told of its connection before Accept returns, exactly once.
    EXPECT_EQ(context.onConnectDuringAccept, 1);
    ASSERT_TRUE(testsupport::HandlePostedSoFar());
    EXPECT_EQ(acceptor.sink->Count(kOnConnect), 1);

    const LONG accepted = acceptor.c.GetLong(kHandle);
    EXPECT_NE(accepted, -1);
    EXPECT_NE(accepted, listening);
    EXPECT_EQ(acceptor.c.GetLong(kConnected), -1);
    // The listener keeps listening: the connection was taken by another control.
    EXPECT_EQ(listener.c.GetLong(kHandle), listening);
    EXPECT_EQ(listener.c.GetLong(kListening), -1);
    EXPECT_EQ(listener.sink->Count(kOnConnect), 0);

    // Data from the client raises OnRead on the acceptor, after its OnConnect.
    ASSERT_TRUE(PumpUntil([&] { return acceptor.sink->Count(kOnRead) >= 1; }, 5000));
    EXPECT_LT(FirstIndex(*acceptor.sink.Get(), kOnConnect), FirstIndex(*acceptor.sink.Get(), kOnRead));
    EXPECT_EQ(ReadUntil(acceptor.c, 5, 5000), L"hello");

    // Data from the acceptor reaches the client, whose answer comes back.
    VariantValue written;
    ASSERT_EQ(acceptor.c.Call(kWrite, {Text(L"ping"), Missing(), RefTo(written.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(written.Get()), 4);
    EXPECT_EQ(ReadUntil(acceptor.c, 8, 5000), L"got:ping");

    // Shutting the sending side makes the client close; its close raises OnDisconnect.
    EXPECT_EQ(acceptor.c.Call(kShutdown).code, S_OK);
    EXPECT_TRUE(PumpUntil([&] { return acceptor.sink->Count(kOnDisconnect) >= 1; }, 5000));
    EXPECT_TRUE(client.Wait(5000));
    EXPECT_EQ(acceptor.sink->Count(kOnError), 0);
    EXPECT_EQ(listener.sink->Count(kOnError), 0);
}

TEST_F(ControlTest, ListenerAcceptingItsOwnClientInEventModeServesIt) {
    EventModeControl server;
    ASSERT_TRUE(server.connected);
    const uint16_t port = ListenInEventMode(server);
    ASSERT_NE(port, 0);
    const LONG listening = server.c.GetLong(kHandle);
    AcceptContext context;
    context.acceptor = &server.c;
    context.acceptorSink = server.sink.Get();
    context.useHandle = false;
    server.sink->OnEvent(kOnAccept, AcceptInHandler, &context);

    testsupport::ChildProcess client;
    ASSERT_TRUE(StartAnsweringClient(client, port, "abc"));
    ASSERT_TRUE(PumpUntil([&] { return server.sink->Count(kOnAccept) >= 1; }, 10000));
    EXPECT_EQ(context.result.code, S_OK);
    EXPECT_EQ(context.onConnectDuringAccept, 1);
    const LONG accepted = server.c.GetLong(kHandle);
    EXPECT_NE(accepted, -1);
    EXPECT_NE(accepted, listening);
    EXPECT_EQ(server.c.GetLong(kListening), 0);
    EXPECT_EQ(server.c.GetLong(kConnected), -1);
    EXPECT_EQ(ReadUntil(server.c, 3, 5000), L"abc");
    VariantValue written;
    ASSERT_EQ(server.c.Call(kWrite, {Text(L"xyz"), Missing(), RefTo(written.Get())}).code, S_OK);
    EXPECT_EQ(ReadUntil(server.c, 7, 5000), L"got:xyz");
    // The listener was closed: nobody else is accepted on the port.
    EXPECT_FALSE(testsupport::WaitForPort(port, 300));
    EXPECT_EQ(server.sink->Count(kOnConnect), 1);
    EXPECT_EQ(server.sink->Count(kOnError), 0);
}

TEST_F(ControlTest, AcceptWhileFrozenHoldsOnConnectUntilTheThaw) {
    EventModeControl listener;
    ASSERT_TRUE(listener.connected);
    const uint16_t port = ListenInEventMode(listener);
    ASSERT_NE(port, 0);
    EventModeControl acceptor;
    ASSERT_TRUE(acceptor.connected);
    auto ole = acceptor.control.As<IOleControl>(IID_IOleControl);
    ASSERT_TRUE(ole);
    ASSERT_EQ(ole->FreezeEvents(TRUE), S_OK);
    AcceptContext context;
    context.acceptor = &acceptor.c;
    context.acceptorSink = acceptor.sink.Get();
    listener.sink->OnEvent(kOnAccept, AcceptInHandler, &context);

    testsupport::ChildProcess client;
    ASSERT_TRUE(StartAnsweringClient(client, port, "frozen"));
    ASSERT_TRUE(PumpUntil([&] { return listener.sink->Count(kOnAccept) >= 1; }, 10000));
    EXPECT_EQ(context.result.code, S_OK);
    // The data has come in, and what was posted about it has been handled.
    ASSERT_TRUE(PumpUntil([&] { return acceptor.c.GetLong(kIsReadable) == -1; }, 5000));
    ASSERT_TRUE(testsupport::HandlePostedSoFar());
    // Frozen: neither the connect nor the data that arrived is announced yet.
    EXPECT_EQ(acceptor.sink->Count(kOnConnect), 0);
    EXPECT_EQ(acceptor.sink->Count(kOnRead), 0);
    EXPECT_EQ(acceptor.c.GetLong(kConnected), -1);
    ASSERT_EQ(ole->FreezeEvents(FALSE), S_OK);
    EXPECT_EQ(acceptor.sink->Count(kOnConnect), 1);
    ASSERT_TRUE(PumpUntil([&] { return acceptor.sink->Count(kOnRead) >= 1; }, 5000));
    EXPECT_LT(FirstIndex(*acceptor.sink.Get(), kOnConnect), FirstIndex(*acceptor.sink.Get(), kOnRead));
    EXPECT_EQ(ReadUntil(acceptor.c, 6, 5000), L"frozen");
}

}  // namespace
}  // namespace controltest
