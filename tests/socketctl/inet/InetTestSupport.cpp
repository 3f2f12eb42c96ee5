// Shared pieces of the socket library tests.
#include "InetTestSupport.h"

#include <WinTestSupport.h>

namespace inettest {

InetSession::InetSession() : ok_(InetInitializeA(nullptr, nullptr) != FALSE) {}
InetSession::~InetSession() { InetUninitialize(); }

DWORD LastCode() { return InetGetLastError() & 0xFFFFu; }

std::string ErrorText(DWORD code) {
    char text[512];
    int n = InetGetErrorStringA(code, text, sizeof text);
    return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

RawSocket& RawSocket::operator=(RawSocket&& o) noexcept {
    if (this != &o) {
        Close();
        s_ = o.s_;
        o.s_ = INVALID_SOCKET;
    }
    return *this;
}

void RawSocket::Close() {
    if (s_ != INVALID_SOCKET) closesocket(s_);
    s_ = INVALID_SOCKET;
}

namespace {

// Windows Sockets for the raw peers, started once for the test program.
void EnsureWinsock() {
    static bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}

sockaddr_in LoopbackAddress(u_short port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = kLoopback;
    a.sin_port = htons(port);
    return a;
}

u_short BoundPort(SOCKET s) {
    sockaddr_in a{};
    int len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

}  // namespace

RawSocket RawListener(int backlog, u_short* port) {
    EnsureWinsock();
    RawSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in a = LoopbackAddress(0);
    bind(s.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(s.get(), backlog);
    if (port) *port = BoundPort(s.get());
    return s;
}

RawSocket RawUdp(u_short* port) {
    EnsureWinsock();
    RawSocket s(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    sockaddr_in a = LoopbackAddress(0);
    bind(s.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    if (port) *port = BoundPort(s.get());
    return s;
}

RawSocket RawConnect(u_short port) {
    EnsureWinsock();
    RawSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in a = LoopbackAddress(port);
    if (connect(s.get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) s.Close();
    return s;
}

u_short ClosedPort() {
    EnsureWinsock();
    RawSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in a = LoopbackAddress(0);
    bind(s.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    return BoundPort(s.get());  // freed again when s closes
}

std::string RecvAll(SOCKET s, size_t limit) {
    std::string out;
    char buf[4096];
    while (out.size() < limit) {
        int n = recv(s, buf, static_cast<int>(std::min(sizeof buf, limit - out.size())), 0);
        if (n <= 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

bool WaitForBytes(SOCKET s, u_long count, DWORD timeoutMs) {
    u_long pending = 0;
    return testsupport::PumpUntil([&] { return ioctlsocket(s, FIONREAD, &pending) == 0 && pending >= count; }, timeoutMs);
}

bool WaitForSocket(SOCKET s, Ready what, DWORD timeoutMs) {
    fd_set set{1, {s}};
    timeval limit{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000 * 1000)};
    return select(0, what == Ready::Read ? &set : nullptr, what == Ready::Write ? &set : nullptr,
                  what == Ready::Except ? &set : nullptr, &limit) == 1;
}

bool RunIsolated(const std::string& testName, const std::string& environment) {
    if (!testsupport::HoldsTest(testName)) return false;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string name, value;
    if (!environment.empty()) {
        size_t eq = environment.find('=');
        name = environment.substr(0, eq);
        value = environment.substr(eq + 1);
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    testsupport::ChildProcess child;
    bool started = child.Start(std::string("\"") + self + "\" --gtest_also_run_disabled_tests --gtest_filter=" + testName);
    if (!name.empty()) SetEnvironmentVariableA(name.c_str(), nullptr);
    DWORD exitCode = 1;
    return started && child.Wait(60000, &exitCode) && exitCode == 0;
}

}  // namespace inettest
