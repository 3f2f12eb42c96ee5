// 64 MiB over loopback through the library's InetWrite/InetRead, against the same transfer
// with plain Windows Sockets calls in the same process: one warm-up transfer of each, then
// rounds of one of each in turn, the raw transfer first in half of the rounds and the library's
// in the other half. A transfer that stops short is counted apart and its round left out.
// Prints the median rates and the median of the rounds' rate ratios.
#include <winsock2.h>
#include <windows.h>

#include <Tetherline.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr size_t kTotal = 64u << 20;
constexpr int kChunk = 64 * 1024;
constexpr DWORD kLoopback = 0x0100007Fu;

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// The library: a writer thread with its own connection, the reader on this thread. The
// seconds the reader took, or nothing when not every byte came.
std::optional<double> LibraryTransfer() {
    InetInitializeA(nullptr, nullptr);
    SOCKET listener = InetListen(kLoopback, 0);
    UINT port = 0;
    InetGetLocalAddress(listener, nullptr, &port);
    std::thread writer([port] {
        InetInitializeA(nullptr, nullptr);
        SOCKET s = InetConnectA("127.0.0.1", port, INET_PROTOCOL_TCP, 10);
        std::vector<char> data(kChunk, 'w');
        for (size_t sent = 0; sent < kTotal;) {
            int n = InetWrite(s, data.data(), static_cast<int>(std::min<size_t>(kChunk, kTotal - sent)));
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        InetDisconnect(s);
        InetUninitialize();
    });
    SOCKET s = InetAccept(listener, 10);
    std::vector<char> buffer(kChunk);
    size_t received = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int n; received < kTotal && (n = InetRead(s, buffer.data(), kChunk)) > 0;) received += static_cast<size_t>(n);
    QueryPerformanceCounter(&end);
    writer.join();
    InetUninitialize();
    if (received != kTotal) {
        std::printf("library transfer stopped after %zu bytes\n", received);
        return std::nullopt;
    }
    return Seconds(start, end);
}

std::optional<double> RawTransfer() {
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = kLoopback;
    bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(listener, 1);
    int len = sizeof a;
    getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    std::thread writer([a] {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a);
        std::vector<char> data(kChunk, 'w');
        for (size_t sent = 0; sent < kTotal;) {
            int n = send(s, data.data(), static_cast<int>(std::min<size_t>(kChunk, kTotal - sent)), 0);
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        shutdown(s, SD_SEND);
        closesocket(s);
    });
    SOCKET s = accept(listener, nullptr, nullptr);
    std::vector<char> buffer(kChunk);
    size_t received = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int n; received < kTotal && (n = recv(s, buffer.data(), kChunk, 0)) > 0;) received += static_cast<size_t>(n);
    QueryPerformanceCounter(&end);
    writer.join();
    closesocket(s);
    closesocket(listener);
    if (received != kTotal) {
        std::printf("raw transfer stopped after %zu bytes\n", received);
        return std::nullopt;
    }
    return Seconds(start, end);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const double mib = static_cast<double>(kTotal) / (1 << 20);
    RawTransfer();
    LibraryTransfer();
    constexpr int kRounds = 10;
    std::vector<double> raw, library, ratio;
    int failed = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::optional<double> r, l;
        if (round % 2 == 0) {
            r = RawTransfer();
            l = LibraryTransfer();
        } else {
            l = LibraryTransfer();
            r = RawTransfer();
        }
        if (!r || !l) {
            ++failed;
            continue;
        }
        raw.push_back(*r);
        library.push_back(*l);
        ratio.push_back(*r / *l);
    }
    std::printf("%d rounds of %.0f MiB each way after one warm-up transfer of each; %d failed\n", kRounds, mib, failed);
    if (ratio.empty()) return 1;
    const double rawS = Median(raw), libraryS = Median(library);
    std::printf("raw Windows Sockets: %.1f MiB/s (median %.3f s)\n", mib / rawS, rawS);
    std::printf("InetWrite/InetRead:  %.1f MiB/s (median %.3f s)\n", mib / libraryS, libraryS);
    std::printf("library/raw rate ratio: median %.2f (min %.2f, max %.2f)\n", Median(ratio),
                *std::min_element(ratio.begin(), ratio.end()), *std::max_element(ratio.begin(), ratio.end()));
    WSACleanup();
    return failed ? 1 : 0;
}
