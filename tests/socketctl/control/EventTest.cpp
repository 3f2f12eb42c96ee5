// Events: the interval timer, socket notifications from a loopback echo peer, freezing by
// the container, and the data methods in both byte orders.
#include <winsock2.h>

#include <Tetherline.h>

#include "EventControl.h"
#include "MessageOrder.h"

namespace controltest {
namespace {

using testsupport::HandlePostedSoFar;
using testsupport::PumpUntil;
using testsupport::PumpWhileATimerTicks;

TEST_F(ControlTest, IntervalTimerTicksUntilIntervalIsZero) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    LateBound c(control.Get());
    ASSERT_EQ(c.Put(kInterval, Long(30)).code, S_OK);
    EXPECT_TRUE(PumpUntil([&] { return sink->Count(kOnTimer) >= 3; }, 3000));
    ASSERT_EQ(c.Put(kInterval, Long(0)).code, S_OK);
    const int stopped = sink->Count(kOnTimer);
    ASSERT_TRUE(PumpWhileATimerTicks(30, 5));  // a timer of 30 ms beside it ticks on
    EXPECT_EQ(sink->Count(kOnTimer), stopped);
    EXPECT_EQ(c.Put(kInterval, Long(-5)).code, static_cast<HRESULT>(0x800A017C));
    sink->Disconnect();
}

// A host that pumps messages inside OnTimer does not get a second, nested OnTimer.
TEST_F(ControlTest, TickDuringOnTimerIsDropped) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    // The handler pumps until a timer of its own at the control's interval has ticked 3 times,
    // in which the control's timer comes due again; a nested OnTimer returns at once.
    sink->OnEvent(
        kOnTimer,
        [](EventSink* s, void*) {
            if (s->depth == 1) {
                EXPECT_TRUE(PumpWhileATimerTicks(20, 3));
            }
        },
        nullptr);
    LateBound c(control.Get());
    ASSERT_EQ(c.Put(kInterval, Long(20)).code, S_OK);
    EXPECT_TRUE(PumpUntil([&] { return sink->Count(kOnTimer) >= 3; }, 5000));
    c.Put(kInterval, Long(0));
    EXPECT_EQ(sink->maxDepth, 1);
    sink->Disconnect();
}

TEST_F(ControlTest, EventModeConnectWriteReadDisconnect) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m;
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    ASSERT_TRUE(ConnectInEventMode(m, peer.Port()));
    EXPECT_NE(c.GetLong(kHandle), -1);
    ASSERT_TRUE(PumpUntil([&] { return m.sink->Count(kOnConnect) == 1; }, 5000));
    EXPECT_EQ(c.GetLong(kConnected), -1);
    EXPECT_EQ(c.GetLong(kPeerPort), peer.Port());
    EXPECT_EQ(c.GetLong(kRemotePort), peer.Port());
    // Ports cannot change under an open socket.
    EXPECT_EQ(c.Put(kRemotePort, Long(80)).code, static_cast<HRESULT>(0x800A017F));

    VariantValue written;
    ASSERT_EQ(c.Call(kWrite, {Text(L"hello world"), Long(5), RefTo(written.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(written.Get()), 5);
    ASSERT_TRUE(PumpUntil([&] { return m.sink->Count(kOnRead) >= 1; }, 5000));
    PumpUntil([&] { return c.GetLong(kIsReadable) == -1; }, 2000);
    EXPECT_EQ(ReadText(c, 4096), L"hello");

    EXPECT_EQ(c.Call(kDisconnect).code, S_OK);
    EXPECT_EQ(c.GetLong(kHandle), -1);
    EXPECT_EQ(c.GetLong(kConnected), 0);
    EXPECT_EQ(m.sink->Count(kOnError), 0);
}

TEST_F(ControlTest, BlockingConnectWriteReadDisconnect) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    c.Put(kNoDelay, Bool(true));
    VariantValue error;
    ASSERT_EQ(c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port()), Missing(), Missing(), Missing(), Missing(),
                                Missing(), RefTo(error.Get())})
                  .code,
              S_OK);
    EXPECT_EQ(V_I4(error.Get()), 0);
    EXPECT_NE(c.GetLong(kHandle), -1);
    EXPECT_EQ(c.GetLong(kConnected), -1);
    EXPECT_EQ(c.GetLong(kRemotePort), peer.Port());
    EXPECT_EQ(c.GetLong(kPeerPort), peer.Port());
    // The option word used is written back as 1 or 0.
    EXPECT_EQ(c.GetLong(kNoDelay), 1);
    EXPECT_EQ(c.GetLong(kReuseAddress), 1);
    EXPECT_EQ(c.GetLong(kRoute), 1);
    EXPECT_EQ(c.Put(kRemotePort, Long(80)).code, static_cast<HRESULT>(0x800A017F));
    VariantValue written;
    ASSERT_EQ(c.Call(kWrite, {Text(L"hello world"), Long(5), RefTo(written.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(written.Get()), 5);
    EXPECT_EQ(ReadText(c, 5), L"hello");
    EXPECT_EQ(c.Call(kDisconnect).code, S_OK);
    EXPECT_EQ(c.GetLong(kHandle), -1);
    EXPECT_EQ(c.GetLong(kConnected), 0);
    EXPECT_EQ(m.sink->Count(kOnError), 0);
}

TEST_F(ControlTest, NumbersAndArraysTravelInNetworkOrder) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    c.Put(kByteOrder, Long(1));
    ASSERT_EQ(c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    EXPECT_EQ(c.GetLong(kConnected), -1);

    // A Long scalar goes out big-endian: read back as bytes it shows its order on the wire.
    VariantValue result;
    ASSERT_EQ(c.Call(kWrite, {Long(0x01020304), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(result.Get()), 4);
    ASSERT_TRUE(PumpUntil([&] { return c.GetLong(kIsReadable) == -1; }, 5000));
    VariantValue bytes;
    V_VT(bytes.Get()) = VT_ARRAY | VT_UI1;
    V_ARRAY(bytes.Get()) = SafeArrayCreateVector(VT_UI1, 0, 4);
    ASSERT_EQ(c.Call(kRead, {RefTo(bytes.Get()), Missing(), RefTo(result.Get())}).code, S_OK);
    ASSERT_EQ(V_I4(result.Get()), 4);
    unsigned char* raw = nullptr;
    ASSERT_EQ(SafeArrayAccessData(V_ARRAY(bytes.Get()), reinterpret_cast<void**>(&raw)), S_OK);
    EXPECT_EQ(raw[0], 1);
    EXPECT_EQ(raw[1], 2);
    EXPECT_EQ(raw[2], 3);
    EXPECT_EQ(raw[3], 4);
    SafeArrayUnaccessData(V_ARRAY(bytes.Get()));

    // An Integer array out and back keeps its values.
    VariantValue numbers;
    V_VT(numbers.Get()) = VT_ARRAY | VT_I2;
    V_ARRAY(numbers.Get()) = SafeArrayCreateVector(VT_I2, 0, 3);
    SHORT* values = nullptr;
    ASSERT_EQ(SafeArrayAccessData(V_ARRAY(numbers.Get()), reinterpret_cast<void**>(&values)), S_OK);
    values[0] = 1;
    values[1] = -2;
    values[2] = 0x1234;
    SafeArrayUnaccessData(V_ARRAY(numbers.Get()));
    ASSERT_EQ(c.Call(kWrite, {RefTo(numbers.Get()), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(result.Get()), 6);
    // One read takes the 6 bytes: all of them wait on the socket before it.
    const SOCKET handle = static_cast<SOCKET>(c.GetLong(kHandle));
    DWORD available = 0;
    ASSERT_TRUE(PumpUntil([&] { return InetIsReadable(handle, 0, &available) && available >= 6; }, 5000));
    VariantValue back;
    V_VT(back.Get()) = VT_ARRAY | VT_I2;
    V_ARRAY(back.Get()) = SafeArrayCreateVector(VT_I2, 0, 10);
    ASSERT_EQ(c.Call(kRead, {RefTo(back.Get()), Missing(), RefTo(result.Get())}).code, S_OK);
    ASSERT_EQ(V_I4(result.Get()), 6);
    ASSERT_EQ(SafeArrayAccessData(V_ARRAY(back.Get()), reinterpret_cast<void**>(&values)), S_OK);
    EXPECT_EQ(values[0], 1);
    EXPECT_EQ(values[1], -2);
    EXPECT_EQ(values[2], 0x1234);
    SafeArrayUnaccessData(V_ARRAY(back.Get()));

    // A String of 5 characters with Length 100 sends 5 bytes; with Length 3 it sends 3.
    ASSERT_EQ(c.Call(kWrite, {Text(L"abcde"), Long(100), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(result.Get()), 5);
    ASSERT_EQ(c.Call(kWrite, {Text(L"fghij"), Long(3), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(result.Get()), 3);
    std::wstring text;
    PumpUntil(
        [&] {
            if (c.GetLong(kIsReadable) == -1) text += ReadText(c, 64);
            return text.size() >= 8;
        },
        5000);
    EXPECT_EQ(text, L"abcdefgh");
}

TEST_F(ControlTest, RefusedConnectReportsWithTheHandleGone) {
    const uint16_t closed = testsupport::FreePort();
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    CallResult r = c.Call(kConnect, {Text(L"127.0.0.1"), Long(closed)});
    if (r.code == S_OK) {
        ASSERT_TRUE(PumpUntil([&] { return m.sink->Count(kOnError) >= 1; }, 10000));
    } else {
        EXPECT_EQ(m.sink->Count(kOnError), 1);
    }
    EXPECT_EQ(m.sink->Last(kOnError)->numbers, std::vector<LONG>{10061});
    EXPECT_EQ(c.GetLong(kHandle), -1);
    EXPECT_EQ(m.sink->Count(kOnConnect), 0);
}

TEST_F(ControlTest, FrozenConnectFiresAtTheLastThaw) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m;
    ASSERT_TRUE(m.connected);
    auto control = m.control.As<IOleControl>(IID_IOleControl);
    ASSERT_TRUE(control);
    // An unbalanced thaw leaves the count at zero, so the next freeze still freezes.
    control->FreezeEvents(FALSE);
    control->FreezeEvents(TRUE);
    control->FreezeEvents(TRUE);
    ASSERT_TRUE(ConnectInEventMode(m, peer.Port()));
    // A control that is not frozen connects behind it: once that one is told, the first one's
    // connect has come in too, and is held.
    EventModeControl behind;
    ASSERT_TRUE(behind.connected);
    ASSERT_TRUE(ConnectInEventMode(behind, peer.Port()));
    ASSERT_TRUE(PumpUntil([&] { return behind.sink->Count(kOnConnect) == 1; }, 5000));
    ASSERT_TRUE(HandlePostedSoFar());
    EXPECT_EQ(m.sink->Count(kOnConnect), 0);
    control->FreezeEvents(FALSE);
    ASSERT_TRUE(HandlePostedSoFar());
    EXPECT_EQ(m.sink->Count(kOnConnect), 0);
    control->FreezeEvents(FALSE);
    EXPECT_TRUE(PumpUntil([&] { return m.sink->Count(kOnConnect) == 1; }, 3000));
    EXPECT_EQ(m.c.GetLong(kConnected), -1);
}

TEST_F(ControlTest, TwoControlsKeepTheirOwnConnections) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl first(false);
    ASSERT_TRUE(first.connected);
    ASSERT_EQ(first.c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    EXPECT_EQ(first.c.GetLong(kConnected), -1);
    {
        EventModeControl second(false);
        ASSERT_TRUE(second.connected);
        ASSERT_EQ(second.c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
        EXPECT_EQ(second.c.GetLong(kConnected), -1);
        EXPECT_NE(first.c.GetLong(kHandle), second.c.GetLong(kHandle));
    }
    // Releasing the second control leaves the first one's socket and library working.
    VariantValue result;
    ASSERT_EQ(first.c.Call(kWrite, {Text(L"ping"), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(result.Get()), 4);
    ASSERT_TRUE(PumpUntil([&] { return first.c.GetLong(kIsReadable) == -1; }, 5000));
    EXPECT_EQ(ReadText(first.c, 64), L"ping");
    EXPECT_EQ(first.sink->Count(kOnError), 0);
}

TEST_F(ControlTest, AbortClosesTheConnectionAndForgetsTheHandle) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    ASSERT_EQ(m.c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    EXPECT_EQ(m.c.GetLong(kConnected), -1);
    EXPECT_EQ(m.c.Call(kAbort).code, S_OK);
    EXPECT_EQ(m.c.GetLong(kHandle), -1);
    EXPECT_EQ(m.c.GetLong(kConnected), 0);
    // Aborting with nothing open does nothing.
    EXPECT_EQ(m.c.Call(kAbort).code, S_OK);
    EXPECT_EQ(m.sink->Count(kOnError), 0);
}

TEST_F(ControlTest, AcceptServesTheClientInsteadOfListening) {
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    const uint16_t port = testsupport::FreePort();
    c.Put(kTimeout, Long(10));
    VariantValue error;
    ASSERT_EQ(c.Call(kListen, {Missing(), Long(port), Missing(), RefTo(error.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(error.Get()), 0);
    const LONG listener = c.GetLong(kHandle);
    ASSERT_NE(listener, -1);
    EXPECT_EQ(c.GetLong(kLocalPort), port);
    testsupport::ChildProcess client;
    ASSERT_TRUE(client.StartPython("tools/testpeers/client.py", "--port " + std::to_string(port) + " --send hi"));
    // Blocking accept on the control's own listener: the listener is closed, the new socket kept.
    ASSERT_EQ(c.Call(kAccept, {Missing(), Missing(), RefTo(error.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(error.Get()), 0);
    const LONG accepted = c.GetLong(kHandle);
    EXPECT_NE(accepted, -1);
    EXPECT_NE(accepted, listener);
    EXPECT_EQ(c.GetLong(kConnected), -1);
    EXPECT_EQ(ReadText(c, 2), L"hi");
    // A second accept on a handle that is no listener fails and keeps the connection.
    EXPECT_EQ(c.Call(kAccept, {Long(listener), Missing(), RefTo(error.Get())}).code, S_OK);
    EXPECT_NE(V_I4(error.Get()), 0);
    EXPECT_EQ(c.GetLong(kHandle), accepted);
    EXPECT_EQ(m.sink->Count(kOnError), 1);
    c.Call(kDisconnect);
    client.Wait(5000);
}

TEST_F(ControlTest, ReadIntoAnEmptyArrayReferenceMakesTheArray) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    ASSERT_EQ(c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    VariantValue result;
    ASSERT_EQ(c.Call(kWrite, {Text(L"xyz"), Missing(), RefTo(result.Get())}).code, S_OK);
    SAFEARRAY* empty = nullptr;
    VARIANT byRef;
    VariantInit(&byRef);
    V_VT(&byRef) = VT_BYREF | VT_ARRAY | VT_UI1;
    V_ARRAYREF(&byRef) = &empty;
    ASSERT_EQ(c.Call(kRead, {byRef, Long(3), RefTo(result.Get())}).code, S_OK);
    ASSERT_EQ(V_I4(result.Get()), 3);
    ASSERT_NE(empty, nullptr);
    LONG upper = -1;
    SafeArrayGetUBound(empty, 1, &upper);
    EXPECT_EQ(upper, 2);
    unsigned char* raw = nullptr;
    ASSERT_EQ(SafeArrayAccessData(empty, reinterpret_cast<void**>(&raw)), S_OK);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), 3), "xyz");
    SafeArrayUnaccessData(empty);
    SafeArrayDestroy(empty);
}

// The host aborts, from its timer handler, a blocking connect that gets no answer.
TEST_F(ControlTest, AbortEndsABlockingConnectToASilentPeer) {
    testsupport::ChildProcess peer;
    const uint16_t port = testsupport::StartPythonServer(peer, "tools/testpeers/silent.py", "");
    ASSERT_NE(port, 0);
    ASSERT_TRUE(testsupport::WaitForPort(port, 10000));  // this probe leaves the queue full
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    struct Context {
        LateBound* control;
        int aborts = 0;
    } context{&m.c};
    m.sink->OnEvent(
        kOnTimer,
        [](EventSink*, void* p) {
            auto* ctx = static_cast<Context*>(p);
            if (ctx->aborts++ == 0) ctx->control->Call(kAbort);
        },
        &context);
    ASSERT_EQ(m.c.Put(kInterval, Long(300)).code, S_OK);
    VariantValue error;
    const DWORD start = GetTickCount();
    CallResult r = m.c.Call(kConnect, {Text(L"127.0.0.1"), Long(port), Missing(), Long(20), Missing(), Missing(),
                                       Missing(), RefTo(error.Get())});
    const DWORD took = GetTickCount() - start;
    m.c.Put(kInterval, Long(0));
    EXPECT_EQ(r.code, S_OK);  // ThrowError is off: the failure goes to Error and OnError
    EXPECT_GE(context.aborts, 1);
    EXPECT_LT(took, 10000u);
    EXPECT_EQ(V_I4(error.Get()), 10053);
    ASSERT_EQ(m.sink->Count(kOnError), 1);
    EXPECT_EQ(m.sink->Last(kOnError)->numbers, std::vector<LONG>{10053});
    EXPECT_EQ(m.c.GetLong(kHandle), -1);
}

// Someone destroys the hidden window: the members that need it make a new one, and the
// connection's events arrive through it.
TEST_F(ControlTest, ADestroyedNotifyWindowIsMadeAgainWhenNeeded) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m;
    ASSERT_TRUE(m.connected);
    HWND first = NotifyWindowOfThisThread();
    ASSERT_TRUE(first);
    ASSERT_TRUE(DestroyWindow(first));
    // The timer starts on a new window.
    ASSERT_EQ(m.c.Put(kInterval, Long(20)).code, S_OK);
    EXPECT_TRUE(PumpUntil([&] { return m.sink->Count(kOnTimer) >= 2; }, 3000));
    ASSERT_EQ(m.c.Put(kInterval, Long(0)).code, S_OK);
    HWND second = NotifyWindowOfThisThread();
    ASSERT_TRUE(second);
    ASSERT_TRUE(DestroyWindow(second));
    // An event-mode connect makes one too, and stays in event mode.
    ASSERT_TRUE(ConnectInEventMode(m, peer.Port()));
    ASSERT_TRUE(PumpUntil([&] { return m.sink->Count(kOnConnect) == 1; }, 5000));
    VariantValue result;
    ASSERT_EQ(m.c.Call(kWrite, {Text(L"again"), Missing(), RefTo(result.Get())}).code, S_OK);
    ASSERT_TRUE(PumpUntil([&] { return m.sink->Count(kOnRead) >= 1; }, 5000));
    EXPECT_EQ(ReadUntil(m.c, 5, 5000), L"again");
    // Destroyed under an open socket: back to blocking and into events again on a new window.
    HWND third = NotifyWindowOfThisThread();
    ASSERT_TRUE(third);
    ASSERT_TRUE(DestroyWindow(third));
    ASSERT_EQ(m.c.Put(kBlocking, Bool(true)).code, S_OK);
    ASSERT_EQ(m.c.Put(kBlocking, Bool(false)).code, S_OK);
    const int reads = m.sink->Count(kOnRead);
    ASSERT_EQ(m.c.Call(kWrite, {Text(L"more"), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_TRUE(PumpUntil([&] { return m.sink->Count(kOnRead) > reads; }, 5000));
    EXPECT_EQ(ReadUntil(m.c, 4, 5000), L"more");
    EXPECT_EQ(m.sink->Count(kOnError), 0);
}

}  // namespace
}  // namespace controltest
