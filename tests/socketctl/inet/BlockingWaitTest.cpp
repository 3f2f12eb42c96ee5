// Blocking calls pump the thread's messages; handlers run during the wait and may abort or
// cancel the waiting socket.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "InetTestSupport.h"

using namespace inettest;

namespace {

// A thread timer whose handler runs once, inside whatever loop pumps the messages.
class OneShot {
public:
    OneShot(UINT ms, std::function<void()> handler) {
        current_ = this;
        handler_ = std::move(handler);
        id_ = SetTimer(nullptr, 0, ms, &OneShot::Fire);
    }
    ~OneShot() {
        KillTimer(nullptr, id_);
        current_ = nullptr;
    }
    OneShot(const OneShot&) = delete;
    OneShot& operator=(const OneShot&) = delete;
    bool fired() const { return fired_; }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (!current_ || current_->fired_) return;
        current_->fired_ = true;
        current_->handler_();
    }
    static inline OneShot* current_ = nullptr;
    std::function<void()> handler_;
    UINT_PTR id_ = 0;
    bool fired_ = false;
};

// A connected pair: the library's socket and the raw peer's.
struct Pair {
    RawSocket listener;
    RawSocket peer;
    SOCKET s = INVALID_SOCKET;
};

Pair Connect() {
    Pair p;
    u_short port = 0;
    p.listener = RawListener(1, &port);
    p.s = InetConnectA("127.0.0.1", port, INET_PROTOCOL_TCP, 5);
    p.peer = RawSocket(accept(p.listener.get(), nullptr, nullptr));
    return p;
}

LRESULT CALLBACK CountingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

TEST(InetBlockingWait, DispatchesMessagesPostedBeforeTheWait) {
    InetSession session;
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "InetWaitCounter";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("InetWaitCounter", "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    int seen = 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));

    SOCKET listener = InetListen(kLoopback, 0);
    ASSERT_NE(listener, INVALID_SOCKET);
    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP, 0, 0);
    DWORD start = GetTickCount();
    EXPECT_EQ(InetAccept(listener, 1), INVALID_SOCKET);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(LastCode(), 10060u);
    EXPECT_EQ(seen, 2);
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(elapsed, 3000u);
    DestroyWindow(window);
}

TEST(InetBlockingWait, AbortDuringReadResetsTheConnection) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    SOCKET seenBlocking = INVALID_SOCKET;
    BOOL isBlocking = FALSE;
    int disconnect = 0;
    DWORD disconnectError = 0;
    int status = 0;
    OneShot timer(200, [&] {
        seenBlocking = InetGetBlockingSocket();
        isBlocking = InetIsBlocking(p.s);
        status = InetGetStatus(p.s);
        disconnect = InetDisconnect(p.s);
        disconnectError = InetGetLastError();
        InetAbortConnection(INVALID_SOCKET);
    });
    char buf[16];
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), -1);
    EXPECT_EQ(LastCode(), 10053u);
    EXPECT_TRUE(timer.fired());
    EXPECT_EQ(seenBlocking, p.s);
    EXPECT_TRUE(isBlocking);
    EXPECT_EQ(status, INET_STATUS_READ);
    EXPECT_EQ(disconnect, -1);
    EXPECT_EQ(disconnectError, 0x80040000u | 10036);
    // The socket is gone and the peer's connection ends. (Windows resets it; Wine closes
    // every socket gracefully, whatever its linger time.)
    EXPECT_EQ(InetGetStatus(p.s), 0);
    int n = recv(p.peer.get(), buf, sizeof buf, 0);
    EXPECT_LE(n, 0);
    if (n == SOCKET_ERROR) {
        EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
    }
}

TEST(InetBlockingWait, CancelDuringReadKeepsTheSocket) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    int cancel = -2;
    DWORD readableError = 0;
    int secondRead = 0, write = 0, flush = 0;
    DWORD secondError = 0;
    OneShot timer(200, [&] {
        InetIsReadable(p.s, 0, nullptr);
        readableError = InetGetLastError();
        char other[4];
        secondRead = InetRead(p.s, other, sizeof other);
        secondError = InetGetLastError();
        write = InetWrite(p.s, "x", 1);
        flush = InetFlush(p.s);
        cancel = InetCancelBlockingCall(p.s);
    });
    char buf[16];
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), -1);
    EXPECT_EQ(LastCode(), 10004u);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(readableError, 0x80040000u | 10036);
    // A second blocking call on the waiting socket is refused.
    EXPECT_EQ(secondRead, -1);
    EXPECT_EQ(secondError, 0x80040000u | 10036);
    EXPECT_EQ(write, -1);
    EXPECT_EQ(flush, -1);
    EXPECT_TRUE(InetIsConnected(p.s));
    EXPECT_EQ(InetGetStatus(p.s), INET_STATUS_IDLE);
    EXPECT_FALSE(InetIsBlocking(p.s));
    // Nothing waits any more.
    EXPECT_EQ(InetCancelBlockingCall(p.s), -1);
    EXPECT_EQ(LastCode(), 12009u);
    EXPECT_EQ(InetGetBlockingSocket(), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 12009u);
    // The connection still works.
    send(p.peer.get(), "ok", 2, 0);
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), 2);
}

std::vector<std::pair<SOCKET, DWORD>> g_timeouts;
void CALLBACK OnTimeout(SOCKET s, UINT event, DWORD error, LPVOID param) {
    g_timeouts.push_back({s, event | error << 8});
    *static_cast<int*>(param) += 1;
}

TEST(InetBlockingWait, ReadTimeoutDispatchesTheTimeoutEvent) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    ASSERT_EQ(InetSetTimeout(p.s, 1), 0);
    int calls = 0;
    g_timeouts.clear();
    ASSERT_EQ(InetRegisterEvent(p.s, INET_EVENT_TIMEOUT, &OnTimeout, &calls), 0);
    char buf[8];
    DWORD start = GetTickCount();
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), -1);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(LastCode(), 10060u);
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(elapsed, 3000u);
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(g_timeouts[0].first, p.s);
    EXPECT_EQ(g_timeouts[0].second & 0xFF, static_cast<DWORD>(INET_EVENT_TIMEOUT));
    // A time-out leaves the connection open.
    EXPECT_TRUE(InetIsConnected(p.s));
}

TEST(InetBlockingWait, AbortDuringAcceptClosesTheListener) {
    InetSession session;
    SOCKET listener = InetListen(kLoopback, 0);
    ASSERT_NE(listener, INVALID_SOCKET);
    SOCKET second = 0;
    DWORD secondError = 0;
    OneShot timer(200, [&] {
        second = InetAccept(listener, 1);
        secondError = InetGetLastError();
        InetAbortConnection(listener);
    });
    EXPECT_EQ(InetAccept(listener, 0), INVALID_SOCKET);
    EXPECT_EQ(second, INVALID_SOCKET);
    EXPECT_EQ(secondError, 0x80040000u | 10036);
    EXPECT_EQ(LastCode(), 10053u);
    EXPECT_EQ(InetGetStatus(listener), 0);
}

}  // namespace

namespace {

TEST(InetBlockingWait, SocketReplacedDuringTheWaitIsNoticed) {
    InetSession session;
    Pair p = Connect();
    ASSERT_NE(p.s, INVALID_SOCKET);
    SOCKET replacement = INVALID_SOCKET;
    OneShot timer(200, [&] {
        // Closing everything frees the waiting socket; its value may come back at once.
        InetUninitialize();
        InetInitializeA(nullptr, nullptr);
        replacement = InetListen(kLoopback, 0);
    });
    char buf[8];
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), -1);
    EXPECT_EQ(LastCode(), 10038u);
    ASSERT_NE(replacement, INVALID_SOCKET);
    // The ending wait left the new socket alone.
    EXPECT_EQ(InetGetStatus(replacement), INET_STATUS_LISTEN);
    EXPECT_FALSE(InetIsBlocking(replacement));
}

}  // namespace
