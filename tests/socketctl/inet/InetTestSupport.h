// Shared pieces of the socket library tests: an initialised library for one test, loopback
// peers written with Windows Sockets directly, and test runs in a child process.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <Tetherline.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace inettest {

constexpr DWORD kLoopback = 0x0100007Fu;  // 127.0.0.1 in network byte order

// InetInitializeA on construction, InetUninitialize on destruction.
class InetSession {
public:
    InetSession();
    ~InetSession();
    InetSession(const InetSession&) = delete;
    InetSession& operator=(const InetSession&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_;
};

// The code part of the thread's last error (0x80040000 | code).
DWORD LastCode();
std::string ErrorText(DWORD code);

// A raw Windows socket closed on destruction.
class RawSocket {
public:
    RawSocket() = default;
    explicit RawSocket(SOCKET s) : s_(s) {}
    ~RawSocket() { Close(); }
    RawSocket(RawSocket&& o) noexcept : s_(o.s_) { o.s_ = INVALID_SOCKET; }
    RawSocket& operator=(RawSocket&& o) noexcept;
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;
    SOCKET get() const { return s_; }
    void Close();

private:
    SOCKET s_ = INVALID_SOCKET;
};

// A TCP listener on 127.0.0.1 with a free port, made with Windows Sockets directly.
RawSocket RawListener(int backlog, u_short* port);
// A UDP socket bound to 127.0.0.1 with a free port.
RawSocket RawUdp(u_short* port);
// A blocking raw connect to 127.0.0.1:port.
RawSocket RawConnect(u_short port);
// A free TCP port on 127.0.0.1 that nobody listens on.
u_short ClosedPort();
// Receives until the peer closes or `limit` bytes came; the bytes.
std::string RecvAll(SOCKET s, size_t limit);
// Waits (at most timeoutMs) until at least `count` bytes wait to be read on the socket.
bool WaitForBytes(SOCKET s, u_long count, DWORD timeoutMs = 5000);
// Waits (at most timeoutMs) until select finds the socket writable (connected) or exceptional (urgent data).
enum class Ready { Read, Write, Except };
bool WaitForSocket(SOCKET s, Ready what, DWORD timeoutMs = 5000);

// A peer on its own thread, joined on destruction.
class PeerThread {
public:
    explicit PeerThread(std::function<void()> body) : thread_(std::move(body)) {}
    ~PeerThread() {
        if (thread_.joinable()) thread_.join();
    }
    PeerThread(const PeerThread&) = delete;
    PeerThread& operator=(const PeerThread&) = delete;

private:
    std::thread thread_;
};

// Runs one disabled test of this program in a fresh process (for tests that bind a
// different Windows Sockets library, which stays bound for the life of a process);
// true when it passed. False when the program holds no test of that name.
bool RunIsolated(const std::string& testName, const std::string& environment = "");

}  // namespace inettest
