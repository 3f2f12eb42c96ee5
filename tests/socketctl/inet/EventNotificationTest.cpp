// Event notification: sockets in event mode report to a hidden window that records
// every notification; the tests pump its messages with a deadline. Peers are raw Windows Sockets
// in this process, or Python programs that burst and close.
#include <gtest/gtest.h>

#include <WinTestSupport.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "InetTestSupport.h"
#include "MessageOrder.h"

using namespace inettest;
using testsupport::HandlePostedSoFar;
using testsupport::PumpUntil;

namespace {

constexpr UINT kSocketEvent = 2025;  // WM_SOCKETEVENT
constexpr UINT kInetAsync = 0x23FF;  // WM_INETASYNC
constexpr DWORD kWait = 5000;

struct Note {
    SOCKET s;
    UINT event;
    UINT error;
};

// A hidden window of its own class that records every notification message; `handler` runs
// inside the delivery (the socket is then frozen and being dispatched).
class EventWindow {
public:
    explicit EventWindow(bool unicode = false) : unicode_(unicode) {
        if (unicode) {
            static const bool registered = [] {
                WNDCLASSW wc{};
                wc.lpfnWndProc = &EventWindow::ProcW;
                wc.hInstance = GetModuleHandleW(nullptr);
                wc.lpszClassName = L"InetEventTestW";
                return RegisterClassW(&wc) != 0;
            }();
            (void)registered;
            hwnd_ = CreateWindowExW(0, L"InetEventTestW", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), this);
        } else {
            static const bool registered = [] {
                WNDCLASSA wc{};
                wc.lpfnWndProc = &EventWindow::ProcA;
                wc.hInstance = GetModuleHandleA(nullptr);
                wc.lpszClassName = "InetEventTestA";
                return RegisterClassA(&wc) != 0;
            }();
            (void)registered;
            hwnd_ = CreateWindowExA(0, "InetEventTestA", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), this);
        }
    }
    ~EventWindow() { Destroy(); }
    EventWindow(const EventWindow&) = delete;
    EventWindow& operator=(const EventWindow&) = delete;

    HWND get() const { return hwnd_; }
    void Destroy() {
        if (hwnd_) DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    LONG_PTR ClassProcedure() const {
        return unicode_ ? reinterpret_cast<LONG_PTR>(&EventWindow::ProcW) : reinterpret_cast<LONG_PTR>(&EventWindow::ProcA);
    }
    LONG_PTR CurrentProcedure() const {
        return unicode_ ? GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd_, GWLP_WNDPROC);
    }

    int Count(SOCKET s, UINT event, size_t from = 0) const {
        int n = 0;
        for (size_t i = from; i < notes.size(); ++i)
            if (notes[i].s == s && notes[i].event == event) ++n;
        return n;
    }
    std::vector<UINT> EventsOf(SOCKET s, size_t from = 0) const {
        std::vector<UINT> out;
        for (size_t i = from; i < notes.size(); ++i)
            if (notes[i].s == s) out.push_back(notes[i].event);
        return out;
    }
    bool WaitFor(SOCKET s, UINT event, int count = 1, size_t from = 0, DWORD ms = kWait) {
        return PumpUntil([&] { return Count(s, event, from) >= count; }, ms);
    }
    // Waits until Windows Sockets has posted that event (FD_...) of the socket to the window.
    bool WaitPosted(SOCKET s, WORD event, DWORD ms = kWait) {
        return PumpUntil([&] {
            return std::any_of(posted.begin(), posted.end(), [&](const Note& n) { return n.s == s && n.event == event; });
        }, ms);
    }
    // The first note of that socket and event from `from` on, or null.
    const Note* Find(SOCKET s, UINT event, size_t from = 0) const {
        for (size_t i = from; i < notes.size(); ++i)
            if (notes[i].s == s && notes[i].event == event) return &notes[i];
        return nullptr;
    }

    std::vector<Note> notes;
    std::vector<Note> posted;  // the events Windows Sockets posted (the library passes them on)
    std::function<void(const Note&)> handler;
    int depth = 0;
    int maxDepth = 0;

private:
    static LRESULT Route(HWND window, UINT message, WPARAM first, LPARAM second, bool* handled) {
        auto* self = reinterpret_cast<EventWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NCCREATE) {
            self = static_cast<EventWindow*>(reinterpret_cast<CREATESTRUCTA*>(second)->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        *handled = false;
        if (!self) return 0;
        Note note{static_cast<SOCKET>(first), LOWORD(static_cast<DWORD>(second)), HIWORD(static_cast<DWORD>(second))};
        if (message == kInetAsync) self->posted.push_back(note);
        if (message != kSocketEvent) return 0;
        *handled = true;
        self->notes.push_back(note);
        ++self->depth;
        if (self->depth > self->maxDepth) self->maxDepth = self->depth;
        if (self->handler) self->handler(note);
        --self->depth;
        return 0;
    }
    static LRESULT CALLBACK ProcA(HWND window, UINT message, WPARAM first, LPARAM second) {
        bool handled;
        LRESULT result = Route(window, message, first, second, &handled);
        return handled ? result : DefWindowProcA(window, message, first, second);
    }
    static LRESULT CALLBACK ProcW(HWND window, UINT message, WPARAM first, LPARAM second) {
        bool handled;
        LRESULT result = Route(window, message, first, second, &handled);
        return handled ? result : DefWindowProcW(window, message, first, second);
    }

    bool unicode_;
    HWND hwnd_ = nullptr;
};

void Inject(HWND window, SOCKET s, WORD event, WORD error = 0) {
    PostMessageA(window, kInetAsync, static_cast<WPARAM>(s), WSAMAKESELECTREPLY(event, error));
}

SOCKET ConnectEvents(const EventWindow& window, u_short port) {
    return InetAsyncConnectA("127.0.0.1", port, 0, 5, window.get(), kSocketEvent);
}

// A raw listener on loopback and an event-mode client connected to it, with the raw peer.
struct EventPair {
    explicit EventPair(EventWindow& window) : listener(RawListener(4, &port)) {
        s = ConnectEvents(window, port);
        if (s == INVALID_SOCKET) return;
        peer = RawSocket(accept(listener.get(), nullptr, nullptr));
        connected = window.WaitFor(s, INET_EVENT_CONNECT);
        // The write event follows the connect.
        window.WaitFor(s, INET_EVENT_WRITE, 1, 0, 1000);
    }
    u_short port = 0;
    RawSocket listener;
    SOCKET s = INVALID_SOCKET;
    RawSocket peer;
    bool connected = false;
};

class InetEvents : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }

private:
    InetSession session_;
};

struct CallbackLog {
    std::vector<Note> calls;
    size_t notesSeen = 0;  // window notes already there when the callback ran
    EventWindow* window = nullptr;
};

void WINAPI RecordCallback(SOCKET s, UINT event, DWORD error, LPVOID param) {
    auto* log = static_cast<CallbackLog*>(param);
    log->calls.push_back(Note{s, event, error});
    log->notesSeen = log->window->notes.size();
}

TEST_F(InetEvents, ConnectWriteAndReadReachTheWindowAfterTheCallback) {
    EventWindow w;
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    SOCKET s = ConnectEvents(w, port);
    ASSERT_NE(s, INVALID_SOCKET) << LastCode();
    CallbackLog log;
    log.window = &w;
    ASSERT_EQ(InetRegisterEvent(s, INET_EVENT_CONNECT | INET_EVENT_READ | 0x80, RecordCallback, &log), 0);
    ASSERT_TRUE(w.WaitFor(s, INET_EVENT_CONNECT));
    EXPECT_EQ(w.Find(s, INET_EVENT_CONNECT)->error, 0u);
    EXPECT_TRUE(InetIsConnected(s));
    ASSERT_TRUE(w.WaitFor(s, INET_EVENT_WRITE));
    RawSocket peer(accept(listener.get(), nullptr, nullptr));
    ASSERT_NE(peer.get(), INVALID_SOCKET);

    // Inside a delivery the socket cannot leave event mode.
    DWORD disableError = 0;
    w.handler = [&](const Note& n) {
        if (n.event == INET_EVENT_READ && InetDisableEvents(s) == -1) disableError = LastCode();
    };
    send(peer.get(), "hello", 5, 0);
    ASSERT_TRUE(w.WaitFor(s, INET_EVENT_READ));
    w.handler = nullptr;
    EXPECT_EQ(disableError, 10036u);
    char buf[16] = {};
    EXPECT_EQ(InetRead(s, buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "hello");

    // The callbacks ran for the two registered bits, each before its window message.
    ASSERT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(log.calls[0].event, static_cast<UINT>(INET_EVENT_CONNECT));
    EXPECT_EQ(log.calls[1].event, static_cast<UINT>(INET_EVENT_READ));
    EXPECT_EQ(log.calls[1].s, s);
    EXPECT_EQ(log.notesSeen, w.notes.size() - 1);
    EXPECT_EQ(w.maxDepth, 1);

    // Blocking mode again: no more notifications, no callbacks, the window's own procedure.
    EXPECT_NE(w.CurrentProcedure(), w.ClassProcedure());
    EXPECT_EQ(InetDisableEvents(s), 0);
    EXPECT_EQ(w.CurrentProcedure(), w.ClassProcedure());
    // A second socket on the window is told of data sent to it once the first one's has come
    // in: its notice comes behind any that data brought.
    EventPair marker(w);
    ASSERT_TRUE(marker.connected);
    const size_t before = w.notes.size();
    send(peer.get(), "more", 4, 0);
    ASSERT_TRUE(WaitForSocket(s, Ready::Read));
    send(marker.peer.get(), "x", 1, 0);
    ASSERT_TRUE(w.WaitFor(marker.s, INET_EVENT_READ, 1, before));
    EXPECT_EQ(w.EventsOf(s, before), std::vector<UINT>{});
    EXPECT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(InetRead(s, buf, sizeof buf), 4);
    EXPECT_EQ(InetDisconnect(s), 0);
}

TEST_F(InetEvents, EnableEventsLaterOnABlockingSocket) {
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    SOCKET s = InetConnectA("127.0.0.1", port, 0, 5);
    ASSERT_NE(s, INVALID_SOCKET);
    RawSocket peer(accept(listener.get(), nullptr, nullptr));
    EventWindow w(true);
    ASSERT_EQ(InetEnableEvents(s, w.get(), kSocketEvent), 0);
    EXPECT_NE(w.CurrentProcedure(), w.ClassProcedure());
    send(peer.get(), "abc", 3, 0);
    ASSERT_TRUE(w.WaitFor(s, INET_EVENT_READ));
    char buf[8];
    EXPECT_EQ(InetRead(s, buf, sizeof buf), 3);
    // A null window disables events.
    EXPECT_EQ(InetEnableEvents(s, nullptr, 0), 0);
    EXPECT_EQ(w.CurrentProcedure(), w.ClassProcedure());
    EXPECT_EQ(InetDisconnect(s), 0);
}

// A window of another thread, alive until the object goes.
class ForeignWindow {
public:
    ForeignWindow() {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        done_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this] {
            EventWindow w;
            window_ = w.get();
            procedure_ = w.CurrentProcedure();
            SetEvent(ready_);
            while (MsgWaitForMultipleObjects(1, &done_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
                MSG msg;
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            }
        });
        WaitForSingleObject(ready_, 5000);
    }
    ~ForeignWindow() {
        SetEvent(done_);
        thread_.join();
        CloseHandle(ready_);
        CloseHandle(done_);
    }
    HWND get() const { return window_; }
    LONG_PTR ClassProcedure() const { return procedure_; }
    LONG_PTR CurrentProcedure() const { return GetWindowLongPtrA(window_, GWLP_WNDPROC); }

private:
    HANDLE ready_, done_;
    HWND window_ = nullptr;
    LONG_PTR procedure_ = 0;
    std::thread thread_;
};

// The window, its thread and the message are checked before anything is subclassed.
TEST_F(InetEvents, RefusedWindowsChangeNothing) {
    u_short port = 0;
    RawSocket listener = RawListener(4, &port);
    SOCKET s = InetConnectA("127.0.0.1", port, 0, 5);
    ASSERT_NE(s, INVALID_SOCKET);
    RawSocket peer(accept(listener.get(), nullptr, nullptr));
    EventWindow w;
    EXPECT_EQ(InetEnableEvents(s, w.get(), 1023), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(w.CurrentProcedure(), w.ClassProcedure());
    w.Destroy();
    EventWindow gone;
    HWND dead = gone.get();
    gone.Destroy();
    EXPECT_EQ(InetEnableEvents(s, dead, kSocketEvent), -1);
    EXPECT_EQ(LastCode(), 10014u);

    ForeignWindow foreign;
    ASSERT_NE(foreign.get(), nullptr);
    EXPECT_EQ(InetEnableEvents(s, foreign.get(), kSocketEvent), -1);
    EXPECT_EQ(LastCode(), 10001u);
    EXPECT_EQ(foreign.CurrentProcedure(), foreign.ClassProcedure());
    EXPECT_EQ(InetAsyncConnectA("127.0.0.1", port, 0, 5, foreign.get(), kSocketEvent), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10001u);
    EXPECT_EQ(foreign.CurrentProcedure(), foreign.ClassProcedure());
    EXPECT_EQ(InetAsyncListen(kLoopback, 0, foreign.get(), kSocketEvent), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10001u);
    EXPECT_EQ(foreign.CurrentProcedure(), foreign.ClassProcedure());

    // The socket is still in blocking mode: a read waits for the data.
    send(peer.get(), "ok", 2, 0);
    char buf[4];
    EXPECT_EQ(InetRead(s, buf, sizeof buf), 2);
    EXPECT_EQ(InetDisconnect(s), 0);
    EXPECT_EQ(InetFreezeEvents(s, TRUE), -1);
    EXPECT_EQ(LastCode(), 10038u);
    EXPECT_EQ(InetEnableEvents(s, nullptr, 0), -1);
    EXPECT_EQ(LastCode(), 10038u);
}

// Freeze, then a close and a read event arrive: on unfreeze the close comes before the read.
TEST_F(InetEvents, UnfreezePostsCloseBeforeRead) {
    EventWindow w;
    EventPair p(w);
    ASSERT_TRUE(p.connected);
    ASSERT_TRUE(WaitForSocket(p.s, Ready::Write));  // connected, and what was posted of it handled
    ASSERT_TRUE(HandlePostedSoFar());
    const size_t from = w.notes.size();
    ASSERT_EQ(InetFreezeEvents(p.s, TRUE), 0);
    Inject(w.get(), p.s, FD_WRITE);
    Inject(w.get(), p.s, FD_READ);
    Inject(w.get(), p.s, FD_CLOSE);
    Inject(w.get(), p.s, FD_READ);
    ASSERT_TRUE(HandlePostedSoFar());
    EXPECT_TRUE(w.EventsOf(p.s, from).empty());
    EXPECT_FALSE(InetIsConnectionClosed(p.s));
    ASSERT_EQ(InetFreezeEvents(p.s, FALSE), 0);
    PumpUntil([&] { return w.EventsOf(p.s, from).size() >= 3; }, kWait);
    ASSERT_TRUE(HandlePostedSoFar());
    EXPECT_EQ(w.EventsOf(p.s, from),
              (std::vector<UINT>{INET_EVENT_DISCONNECT, INET_EVENT_READ, INET_EVENT_WRITE}));
    EXPECT_TRUE(InetIsConnectionClosed(p.s));
}

// A read event that arrives while the handler of a previous one runs is delivered once, after
// that handler returns.
TEST_F(InetEvents, EventsDuringAHandlerComeOnceAfterIt) {
    EventWindow w;
    EventPair p(w);
    ASSERT_TRUE(p.connected);
    ASSERT_TRUE(WaitForSocket(p.s, Ready::Write));  // connected, and what was posted of it handled
    ASSERT_TRUE(HandlePostedSoFar());
    const size_t from = w.notes.size();
    int readsInsideHandler = -1;
    bool first = true;
    w.handler = [&](const Note& n) {
        if (n.s != p.s || n.event != INET_EVENT_READ || !first) return;
        first = false;
        Inject(w.get(), p.s, FD_READ);
        Inject(w.get(), p.s, FD_READ);
        HandlePostedSoFar();
        readsInsideHandler = w.Count(p.s, INET_EVENT_READ, from);
    };
    send(p.peer.get(), "x", 1, 0);
    ASSERT_TRUE(w.WaitFor(p.s, INET_EVENT_READ, 2, from));
    ASSERT_TRUE(HandlePostedSoFar());
    EXPECT_EQ(readsInsideHandler, 1);
    EXPECT_EQ(w.Count(p.s, INET_EVENT_READ, from), 2);
    EXPECT_EQ(w.maxDepth, 1);
}

// A Python peer bursts and closes while the accepted socket is frozen: nothing is delivered
// until the thaw, the close recorded meanwhile comes before the read, and every byte arrives.
TEST_F(InetEvents, BurstAndCloseWhileFrozen) {
    constexpr int kBurst = 48 * 1024;
    EventWindow w;
    SOCKET listener = InetAsyncListen(kLoopback, 0, w.get(), kSocketEvent);
    ASSERT_NE(listener, INVALID_SOCKET) << LastCode();
    UINT port = 0;
    InetGetLocalAddress(listener, nullptr, &port);
    testsupport::ChildProcess python;
    ASSERT_TRUE(testsupport::StartPython(python, "tests/socketctl/inet/event_peers.py",
                                         "burst " + std::to_string(port) + " " + std::to_string(kBurst)));
    ASSERT_TRUE(w.WaitFor(listener, INET_EVENT_ACCEPT, 1, 0, 15000));
    SOCKET s = InetAsyncAccept(listener, 0, w.get(), kSocketEvent);
    ASSERT_NE(s, INVALID_SOCKET) << LastCode();
    // The accepted connection was announced inside the accept.
    ASSERT_EQ(w.Count(s, INET_EVENT_CONNECT), 1);
    ASSERT_EQ(InetFreezeEvents(s, TRUE), 0);
    // The whole burst arrives, and its read event reaches the window while the socket is frozen
    // (Windows Sockets here tells of the close only once the data has been read).
    ASSERT_TRUE(WaitForBytes(s, kBurst, 15000));
    ASSERT_TRUE(w.WaitPosted(s, FD_READ));
    const size_t thaw = w.notes.size();
    EXPECT_EQ(w.EventsOf(s).size(), 1u);

    std::string got;
    w.handler = [&](const Note& n) {
        if (n.s != s || n.event != INET_EVENT_READ) return;
        char buf[8192];
        int r;
        while ((r = InetRead(s, buf, sizeof buf)) > 0) got.append(buf, static_cast<size_t>(r));
    };
    ASSERT_EQ(InetFreezeEvents(s, FALSE), 0);
    EXPECT_TRUE(PumpUntil([&] { return got.size() >= static_cast<size_t>(kBurst) && w.Count(s, INET_EVENT_DISCONNECT) == 1; },
                          10000));
    ASSERT_TRUE(HandlePostedSoFar());
    EXPECT_EQ(got.size(), static_cast<size_t>(kBurst));
    EXPECT_EQ(w.Count(s, INET_EVENT_DISCONNECT), 1);
    std::vector<UINT> after = w.EventsOf(s, thaw);
    ASSERT_FALSE(after.empty());
    // Whatever was recorded came in the fixed order: a recorded close before the read.
    const auto close = std::find(after.begin(), after.end(), static_cast<UINT>(INET_EVENT_DISCONNECT)) - after.begin();
    const auto read = std::find(after.begin(), after.end(), static_cast<UINT>(INET_EVENT_READ)) - after.begin();
    ASSERT_LT(read, static_cast<long>(after.size()));
    RecordProperty("close_recorded", close < read ? "yes" : "no");
    for (size_t i = 0; got.size() == static_cast<size_t>(kBurst) && i < got.size(); i += 4099) {
        ASSERT_EQ(static_cast<unsigned char>(got[i]), (i * 7) & 0xFF) << i;
    }
    EXPECT_TRUE(InetIsConnectionClosed(s));
    EXPECT_EQ(InetDisconnect(s), 0);
    python.Wait(5000);
    EXPECT_EQ(InetDisconnect(listener), 0);
}

// A refused connect in event mode reports its error and leaves no socket behind.
TEST_F(InetEvents, RefusedConnectReportsTheErrorAndTheSocketGoes) {
    EventWindow w;
    DWORD lastInHandler = 0;
    BOOL connectedInHandler = TRUE;
    w.handler = [&](const Note& n) {
        lastInHandler = LastCode();
        connectedInHandler = InetIsConnected(n.s);
    };
    SOCKET s = ConnectEvents(w, ClosedPort());
    ASSERT_NE(s, INVALID_SOCKET) << LastCode();
    ASSERT_TRUE(w.WaitFor(s, INET_EVENT_CONNECT, 1, 0, 10000));
    ASSERT_TRUE(HandlePostedSoFar());
    ASSERT_EQ(w.notes.size(), 1u);
    EXPECT_EQ(w.notes[0].error, 10061u);
    EXPECT_EQ(lastInHandler, 10061u);
    EXPECT_FALSE(connectedInHandler);
    EXPECT_EQ(InetGetStatus(s), 0);
    EXPECT_EQ(InetDisconnect(s), -1);
    EXPECT_EQ(LastCode(), 10038u);
    EXPECT_EQ(w.CurrentProcedure(), w.ClassProcedure());
}

// A connect that failed while frozen comes after the thaw as the failure, never as a success.
TEST_F(InetEvents, RefusedConnectWhileFrozenComesAsTheFailure) {
    EventWindow w;
    SOCKET s = ConnectEvents(w, ClosedPort());
    ASSERT_NE(s, INVALID_SOCKET) << LastCode();
    ASSERT_EQ(InetFreezeEvents(s, TRUE), 0);
    ASSERT_TRUE(w.WaitPosted(s, FD_CONNECT, 10000));
    EXPECT_TRUE(w.notes.empty());
    EXPECT_NE(InetGetStatus(s), 0);
    EXPECT_FALSE(InetIsConnected(s));
    ASSERT_EQ(InetFreezeEvents(s, FALSE), 0);
    ASSERT_TRUE(w.WaitFor(s, INET_EVENT_CONNECT));
    ASSERT_TRUE(HandlePostedSoFar());
    ASSERT_EQ(w.notes.size(), 1u);
    EXPECT_EQ(w.notes[0].error, 10061u);
    EXPECT_EQ(InetGetStatus(s), 0);
}

// After a delivery the library touches only the record it dispatched. The handler closes its
// socket and opens a new one (often with the same value) that it freezes: the new socket stays
// frozen.
TEST_F(InetEvents, HandlerThatClosesAndReopensKeepsTheNewSocketFrozen) {
    EventWindow w;
    EventPair p(w);
    ASSERT_TRUE(p.connected);
    ASSERT_TRUE(WaitForSocket(p.s, Ready::Write));  // connected, and what was posted of it handled
    ASSERT_TRUE(HandlePostedSoFar());
    SOCKET reopened = INVALID_SOCKET;
    size_t from = 0, postedFrom = 0;
    w.handler = [&](const Note& n) {
        if (n.s != p.s || n.event != INET_EVENT_READ || reopened != INVALID_SOCKET) return;
        EXPECT_EQ(InetDisconnect(p.s), 0);
        reopened = ConnectEvents(w, p.port);
        EXPECT_EQ(InetFreezeEvents(reopened, TRUE), 0);
        from = w.notes.size();
        postedFrom = w.posted.size();
    };
    send(p.peer.get(), "x", 1, 0);
    ASSERT_TRUE(PumpUntil([&] { return reopened != INVALID_SOCKET; }, kWait));
    w.handler = nullptr;
    RawSocket second(accept(p.listener.get(), nullptr, nullptr));
    RecordProperty("same_value", reopened == p.s ? "yes" : "no");
    // Its connect is posted to the window, and held.
    ASSERT_TRUE(PumpUntil([&] {
        return std::any_of(w.posted.begin() + static_cast<std::ptrdiff_t>(postedFrom), w.posted.end(),
                           [&](const Note& n) { return n.s == reopened && n.event == FD_CONNECT; });
    }, kWait));
    ASSERT_TRUE(HandlePostedSoFar());
    EXPECT_EQ(w.EventsOf(reopened, from).size(), 0u) << "the new socket was thawed by the old one's delivery";
    EXPECT_NE(InetGetStatus(reopened), 0);
    ASSERT_EQ(InetFreezeEvents(reopened, FALSE), 0);
    ASSERT_TRUE(w.WaitFor(reopened, INET_EVENT_CONNECT, 1, from));
    EXPECT_EQ(w.Find(reopened, INET_EVENT_CONNECT, from)->error, 0u);
    EXPECT_TRUE(InetIsConnected(reopened));
    EXPECT_EQ(InetDisconnect(reopened), 0);
}

// The close after a failed connect closes only that socket, not the one the handler opened in
// its place.
TEST_F(InetEvents, FailedConnectHandlerThatReopensKeepsTheNewSocket) {
    EventWindow w;
    u_short port = 0;
    RawSocket listener = RawListener(4, &port);
    SOCKET reopened = INVALID_SOCKET;
    size_t from = 0;
    SOCKET failed = INVALID_SOCKET;
    w.handler = [&](const Note& n) {
        if (n.s != failed || n.event != INET_EVENT_CONNECT || reopened != INVALID_SOCKET) return;
        EXPECT_EQ(n.error, 10061u);
        EXPECT_EQ(InetDisconnect(failed), 0);
        from = w.notes.size();
        reopened = ConnectEvents(w, port);
    };
    failed = ConnectEvents(w, ClosedPort());
    ASSERT_NE(failed, INVALID_SOCKET) << LastCode();
    ASSERT_TRUE(PumpUntil([&] { return reopened != INVALID_SOCKET; }, 10000));
    RecordProperty("same_value", reopened == failed ? "yes" : "no");
    ASSERT_TRUE(w.WaitFor(reopened, INET_EVENT_CONNECT, 1, from));
    EXPECT_EQ(w.Find(reopened, INET_EVENT_CONNECT, from)->error, 0u);
    EXPECT_NE(InetGetStatus(reopened), 0);
    EXPECT_TRUE(InetIsConnected(reopened));
    RawSocket peer(accept(listener.get(), nullptr, nullptr));
    send(peer.get(), "hi", 2, 0);
    EXPECT_TRUE(w.WaitFor(reopened, INET_EVENT_READ, 1, from));
    EXPECT_EQ(InetDisconnect(reopened), 0);
}

// Two sockets on one window share its subclassing; the procedure comes back when both left.
TEST_F(InetEvents, TwoSocketsOnOneWindow) {
    EventWindow w;
    EventPair a(w);
    ASSERT_TRUE(a.connected);
    SOCKET b = ConnectEvents(w, a.port);
    ASSERT_NE(b, INVALID_SOCKET);
    RawSocket peerB(accept(a.listener.get(), nullptr, nullptr));
    ASSERT_TRUE(w.WaitFor(b, INET_EVENT_CONNECT));
    EXPECT_NE(w.CurrentProcedure(), w.ClassProcedure());

    send(a.peer.get(), "to a", 4, 0);
    send(peerB.get(), "to b", 4, 0);
    ASSERT_TRUE(w.WaitFor(a.s, INET_EVENT_READ));
    ASSERT_TRUE(w.WaitFor(b, INET_EVENT_READ));
    char buf[8] = {};
    EXPECT_EQ(InetRead(b, buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "to b");

    EXPECT_EQ(InetDisconnect(a.s), 0);
    EXPECT_NE(w.CurrentProcedure(), w.ClassProcedure());
    const size_t from = w.notes.size();
    send(peerB.get(), "again", 5, 0);
    EXPECT_TRUE(w.WaitFor(b, INET_EVENT_READ, 1, from));
    EXPECT_EQ(InetRead(b, buf, sizeof buf), 5);
    peerB.Close();
    EXPECT_TRUE(w.WaitFor(b, INET_EVENT_DISCONNECT, 1, from));
    EXPECT_EQ(InetDisconnect(b), 0);
    EXPECT_EQ(w.CurrentProcedure(), w.ClassProcedure());
}

// A listening socket receives accept events only; its close event is ignored. The accepted
// socket is announced at once and reports on its own.
TEST_F(InetEvents, ListenerGetsAcceptOnly) {
    EventWindow w;
    SOCKET listener = InetAsyncListen(kLoopback, 0, w.get(), kSocketEvent);
    ASSERT_NE(listener, INVALID_SOCKET) << LastCode();
    EXPECT_TRUE(InetIsListening(listener));
    UINT port = 0;
    InetGetLocalAddress(listener, nullptr, &port);
    testsupport::ChildProcess python;
    ASSERT_TRUE(testsupport::StartPython(python, "tools/testpeers/client.py", "--port " + std::to_string(port) + " --send hello"));
    ASSERT_TRUE(w.WaitFor(listener, INET_EVENT_ACCEPT, 1, 0, 15000));
    Inject(w.get(), listener, FD_CLOSE);
    SOCKET s = InetAsyncAccept(listener, 0, w.get(), kSocketEvent);
    ASSERT_NE(s, INVALID_SOCKET) << LastCode();
    EXPECT_EQ(w.Count(s, INET_EVENT_CONNECT), 1);
    EXPECT_TRUE(InetIsConnected(s));
    ASSERT_TRUE(w.WaitFor(s, INET_EVENT_READ));
    char buf[8] = {};
    EXPECT_EQ(InetRead(s, buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "hello");
    ASSERT_TRUE(HandlePostedSoFar());
    for (UINT event : w.EventsOf(listener)) EXPECT_EQ(event, static_cast<UINT>(INET_EVENT_ACCEPT));
    EXPECT_FALSE(InetIsConnectionClosed(listener));
    // Nothing waits: an event-mode accept does not block.
    EXPECT_EQ(InetAsyncAccept(listener, 0, w.get(), kSocketEvent), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10035u);
    EXPECT_EQ(InetDisconnect(s), 0);
    python.Wait(5000);
    EXPECT_EQ(InetDisconnect(listener), 0);
    EXPECT_EQ(w.CurrentProcedure(), w.ClassProcedure());
}

// Destroying the window detaches its sockets: they stay open in blocking mode, and another
// window (even one with the same handle value) is subclassed afresh.
TEST_F(InetEvents, WindowDestructionDetachesItsSockets) {
    auto w = std::make_unique<EventWindow>();
    EventPair p(*w);
    ASSERT_TRUE(p.connected);
    const HWND old = w->get();
    w->Destroy();
    EXPECT_NE(InetGetStatus(p.s), 0);
    send(p.peer.get(), "abc", 3, 0);
    ASSERT_TRUE(WaitForSocket(p.s, Ready::Read));  // it comes in while no window listens
    w.reset();

    EventWindow next;
    RecordProperty("same_window_value", next.get() == old ? "yes" : "no");
    EXPECT_EQ(next.CurrentProcedure(), next.ClassProcedure());
    ASSERT_EQ(InetEnableEvents(p.s, next.get(), kSocketEvent), 0);
    EXPECT_NE(next.CurrentProcedure(), next.ClassProcedure());
    ASSERT_TRUE(next.WaitFor(p.s, INET_EVENT_READ));
    char buf[8] = {};
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), 3);
    EXPECT_EQ(InetDisableEvents(p.s), 0);
    EXPECT_EQ(next.CurrentProcedure(), next.ClassProcedure());

    // A blocking read works again on the detached socket.
    send(p.peer.get(), "de", 2, 0);
    EXPECT_EQ(InetRead(p.s, buf, sizeof buf), 2);
    EXPECT_EQ(InetDisconnect(p.s), 0);
}

// A destroyed window with two sockets detaches both; each can take another window.
TEST_F(InetEvents, DestroyedWindowWithTwoSocketsLeavesBoth) {
    auto w = std::make_unique<EventWindow>();
    EventPair a(*w);
    ASSERT_TRUE(a.connected);
    SOCKET b = ConnectEvents(*w, a.port);
    ASSERT_NE(b, INVALID_SOCKET);
    RawSocket peerB(accept(a.listener.get(), nullptr, nullptr));
    ASSERT_TRUE(w->WaitFor(b, INET_EVENT_CONNECT));
    w.reset();
    send(a.peer.get(), "1", 1, 0);
    send(peerB.get(), "2", 1, 0);
    ASSERT_TRUE(WaitForSocket(a.s, Ready::Read));  // both come in while no window listens
    ASSERT_TRUE(WaitForSocket(b, Ready::Read));
    EventWindow next;
    ASSERT_EQ(InetEnableEvents(a.s, next.get(), kSocketEvent), 0);
    ASSERT_EQ(InetEnableEvents(b, next.get(), kSocketEvent), 0);
    EXPECT_TRUE(next.WaitFor(a.s, INET_EVENT_READ));
    EXPECT_TRUE(next.WaitFor(b, INET_EVENT_READ));
    EXPECT_EQ(InetDisconnect(a.s), 0);
    EXPECT_NE(next.CurrentProcedure(), next.ClassProcedure());
    EXPECT_EQ(InetDisconnect(b), 0);
    EXPECT_EQ(next.CurrentProcedure(), next.ClassProcedure());
}

// A timeout of a blocking wait reaches the timeout callback.
TEST_F(InetEvents, TimeoutEventReachesItsCallback) {
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    SOCKET s = InetConnectA("127.0.0.1", port, 0, 1);
    ASSERT_NE(s, INVALID_SOCKET);
    EventWindow w;
    CallbackLog log;
    log.window = &w;
    ASSERT_EQ(InetRegisterEvent(s, INET_EVENT_TIMEOUT, RecordCallback, &log), 0);
    char buf[4];
    EXPECT_EQ(InetRead(s, buf, sizeof buf), -1);
    EXPECT_EQ(LastCode(), 10060u);
    ASSERT_EQ(log.calls.size(), 1u);
    EXPECT_EQ(log.calls[0].event, static_cast<UINT>(INET_EVENT_TIMEOUT));
    EXPECT_EQ(log.calls[0].error, 10060u);
    EXPECT_EQ(InetDisconnect(s), 0);
}

}  // namespace
