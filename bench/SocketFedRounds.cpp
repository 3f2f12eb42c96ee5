#include "SocketFedRounds.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "BenchClock.h"
#include "DispatchTurns.h"
#include "FrameWriter.h"
#include "ReceiveTurns.h"
#include "MainWindowLinks.h"
#include "ReceiveBuffer.h"
#include "ScriptedServer.h"
#include "WirelatchDispids.h"
#include "runtime/DispatchObject.h"
#include "runtime/EventConnection.h"
#include "runtime/MessagePump.h"

namespace bench {

namespace {
}  // namespace

// The peer: a thread that accepts one connection and sends each wire it is handed, blocking
// while the client reads no more.
struct SocketFedRounds::Parts {
    skx::DispatchObject sck;
    skx::EventConnection events;
    int64_t received = 0;
    SOCKET listener = INVALID_SOCKET, peer = INVALID_SOCKET;
    std::thread sender;
    std::mutex lock;
    std::condition_variable wake;
    std::string toSend;
    bool quit = false;

    void Send() {
        for (;;) {
            std::string wire;
            {
                std::unique_lock<std::mutex> hold(lock);
                wake.wait(hold, [&] { return quit || !toSend.empty(); });
                if (quit) return;
                wire.swap(toSend);
            }
            for (size_t at = 0; at < wire.size();) {
                const int n = send(peer, wire.data() + at, static_cast<int>(std::min<size_t>(wire.size() - at, 1 << 16)), 0);
                if (n <= 0) return;
                at += static_cast<size_t>(n);
            }
        }
    }
};

SocketFedRounds::SocketFedRounds() = default;

SocketFedRounds::~SocketFedRounds() {
    if (!parts_) return;
    {
        std::lock_guard<std::mutex> hold(parts_->lock);
        parts_->quit = true;
    }
    parts_->wake.notify_all();
    if (parts_->peer != INVALID_SOCKET) shutdown(parts_->peer, SD_BOTH);
    if (parts_->sender.joinable()) parts_->sender.join();
    parts_->events.Disconnect();
    parts_->sck.Release();
    if (parts_->peer != INVALID_SOCKET) closesocket(parts_->peer);
    if (parts_->listener != INVALID_SOCKET) closesocket(parts_->listener);
    skx::MainWindowLinks().Socket = nullptr;
    skx::MainWindowLinks().DataLength = nullptr;
}

bool SocketFedRounds::Open() {
    if (!testsupport::RegisterSocketControl()) return false;
    WSADATA w;
    WSAStartup(MAKEWORD(2, 2), &w);
    parts_ = std::make_unique<Parts>();
    Parts& p = *parts_;
    p.listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof a;
    if (bind(p.listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(p.listener, 1) != 0 ||
        getsockname(p.listener, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        return false;
    }
    // The client's control as the main window sets it up: TCP, events, failures raised.
    OleInitialize(nullptr);
    p.sck.Create(skx::SocketControlClassId);
    if (!p.sck.IsCreated()) return false;
    p.sck.PropertyPut(skx::wl::Protocol, skx::Variant(static_cast<int32_t>(skx::wl::ProtocolTcp)));
    p.sck.PropertyPut(skx::wl::Blocking, skx::Variant(false));
    p.sck.PropertyPut(skx::wl::InLine, skx::Variant(true));
    p.sck.PropertyPut(skx::wl::ThrowError, skx::Variant(true));
    skx::MainWindowLinks().Socket = [&p]() -> skx::DispatchObject& { return p.sck; };
    skx::MainWindowLinks().DataLength = [&p]() -> int64_t& { return p.received; };
    if (!p.events.Connect(p.sck.Get(), skx::wl::EventsInterfaceId, [&p](DISPID id, std::vector<skx::Variant>&) {
            if (id == skx::wl::OnRead) skx::ReadInto(p.sck);
        })) {
        return false;
    }
    p.sck.Invoke(skx::wl::Connect, {skx::Variant(std::string("127.0.0.1")), skx::Variant(static_cast<int32_t>(ntohs(a.sin_port)))});
    p.peer = accept(p.listener, nullptr, nullptr);
    if (p.peer == INVALID_SOCKET) return false;
    if (!skx::PumpUntil([&p] { return p.sck.PropertyGet(skx::wl::Connected).ToLong() == skx::wl::True; }, 10000)) return false;
    p.sender = std::thread([&p] { p.Send(); });
    return true;
}

namespace {

void CALLBACK FrameTick(HWND, UINT, UINT_PTR, DWORD) {
    if (skx::HasReceivedData()) skx::ProcessData();
}

// The client's loop until done(): each message taken is a turn; the frame timer's 200 ms tick
// runs the dispatcher when anything waits, as the main window's does.
FedRound Turns(const std::function<bool()>& done) {
    FedRound r;
    const uint64_t handedBefore = skx::FramesHandedOn();
    const UINT_PTR frameTimer = SetTimer(nullptr, 0, 200, &FrameTick);
    const double t0 = NowMs();
    double turn = t0;
    MSG msg;
    while (!done() && NowMs() - t0 < 120000) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Nothing to take: the loop waits, ready to answer at once.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            turn = NowMs();
            continue;
        }
        const double now = NowMs();
        r.longest = std::max(r.longest, now - turn);
        r.mostWaiting = std::max(r.mostWaiting, skx::WaitingBytes());
        skx::DispatchOne(msg);
        turn = NowMs();
        r.longest = std::max(r.longest, turn - now);
    }
    r.ms = NowMs() - t0;
    KillTimer(nullptr, frameTimer);
    r.complete = done();
    r.handed = skx::FramesHandedOn() - handedBefore;
    return r;
}

}  // namespace

FedRound SocketFedRounds::Preloaded(const std::string& wire) {
    skx::ClearReceiveBuffer();
    skx::ReceiveBuffer = wire;
    const uint64_t before = skx::FramesHandedOn();
    skx::ProcessData();
    const uint64_t first = skx::FramesHandedOn() - before;
    FedRound r = Turns([] { return !skx::HasWholeFrames() && !skx::DispatchContinues(); });
    r.handed += first;
    return r;
}

FedRound SocketFedRounds::Offered(const std::string& wire) {
    Parts& p = *parts_;
    skx::ClearReceiveBuffer();
    const int64_t until = p.received + static_cast<int64_t>(wire.size());
    {
        std::lock_guard<std::mutex> hold(p.lock);
        p.toSend = wire;
    }
    p.wake.notify_all();
    return Turns([&p, until] { return p.received >= until && !skx::HasWholeFrames() && !skx::DispatchContinues(); });
}

}  // namespace bench
