#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "InetTestSupport.h"

using namespace inettest;

namespace {

TEST(InetInitialize, FillsTheNarrowRecord) {
    INETINFOA info{};
    info.dwSize = sizeof info;
    info.dwFlags = 0;
    std::memset(info.szDescription, 'x', sizeof info.szDescription);
    InetSetLastError(10060);
    ASSERT_TRUE(InetInitializeA(nullptr, &info));
    EXPECT_EQ(InetGetLastError(), 0u);
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_EQ(info.dwBuildNumber, 4000u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwReserved, 0u);
    ASSERT_NE(info.lpWsaData, nullptr);
    EXPECT_EQ(info.lpWsaData->wVersion, 0x0101);
    EXPECT_STREQ(info.szDescription, "Wirelatch Windows Sockets Library");
    InetUninitialize();
}

TEST(InetInitialize, FillsTheWideRecord) {
    INETINFOW info{};
    info.dwSize = sizeof info;
    info.dwFlags = INET_INFO_STARTUP;
    ASSERT_TRUE(InetInitializeW(L"", &info));
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwBuildNumber, 4000u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_NE(info.lpWsaData, nullptr);
    EXPECT_STREQ(info.szDescription, L"Wirelatch Windows Sockets Library");
    InetUninitialize();
}

TEST(InetInitialize, RefusesWrongRecordSizes) {
    INETINFOA narrow{};
    narrow.dwSize = 100;
    EXPECT_FALSE(InetInitializeA(nullptr, &narrow));
    EXPECT_EQ(InetGetLastError(), 0x80040000u | 10014);
    narrow.dwSize = sizeof(INETINFOW);
    EXPECT_FALSE(InetInitializeA(nullptr, &narrow));
    EXPECT_EQ(LastCode(), 10014u);

    INETINFOW wide{};
    wide.dwSize = sizeof(INETINFOA);
    EXPECT_FALSE(InetInitializeW(nullptr, &wide));
    EXPECT_EQ(LastCode(), 10014u);
    // Nothing was started: socket calls still need an initialisation.
    EXPECT_EQ(InetListen(kLoopback, 0), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10093u);
#ifndef _WIN64
    static_assert(sizeof(INETINFOA) == 160 && sizeof(INETINFOW) == 288, "the records keep their 32-bit sizes");
#endif
}

TEST(InetInitialize, FlagsWithoutStartUpOnlySetUpTheThread) {
    INETINFOA info{};
    info.dwSize = sizeof info;
    info.dwFlags = 1;
    ASSERT_TRUE(InetInitializeA(nullptr, &info));
    EXPECT_EQ(info.lpWsaData, nullptr);
    EXPECT_EQ(InetListen(kLoopback, 0), INVALID_SOCKET);
    EXPECT_EQ(InetGetLastError(), 0x80040000u | 10093);
}

TEST(InetInitialize, TwoInitialisationsNeedTwoReleases) {
    ASSERT_TRUE(InetInitializeA(nullptr, nullptr));
    ASSERT_TRUE(InetInitializeA(nullptr, nullptr));
    SOCKET s = InetListen(kLoopback, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    InetUninitialize();
    EXPECT_TRUE(InetIsListening(s));
    InetUninitialize();
    EXPECT_EQ(InetGetStatus(s), 0);
    EXPECT_EQ(InetListen(kLoopback, 0), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10093u);
}

TEST(InetLastError, MapsCodesToErrorValues) {
    InetSession session;
    InetSetLastError(10060);
    EXPECT_EQ(InetGetLastError(), 0x8004274Cu);
    EXPECT_EQ(GetLastError(), 0x8004274Cu);
    InetSetLastError(0x8004274C);
    EXPECT_EQ(InetGetLastError(), 0x8004274Cu);
    InetSetLastError(0);
    EXPECT_EQ(InetGetLastError(), 0u);
    InetSetLastError(0x12345678);
    EXPECT_EQ(InetGetLastError(), 0x12345678u);
}

TEST(InetLastError, ThreadsWithoutRecordSeeTheProcessValue) {
    InetSession session;
    InetSetLastError(10054);
    DWORD seen = 0;
    std::thread other([&] { seen = InetGetLastError(); });
    other.join();
    EXPECT_EQ(seen, 0x80040000u | 10054);
    // A thread with its own record keeps its own value.
    std::thread own([&] {
        InetInitializeA(nullptr, nullptr);
        InetSetLastError(10061);
        InetUninitialize();
    });
    own.join();
    EXPECT_EQ(InetGetLastError(), 0x80040000u | 10054);
}

TEST(InetErrorText, ExactTextsFromTheMessageTable) {
    InetSession session;
    EXPECT_EQ(ErrorText(0x8004274C), "The specified operation has timed out");
    EXPECT_EQ(ErrorText(0x80040000u | 10024), "No more handles available to this process");
    EXPECT_EQ(ErrorText(0x80040000u | 10038), "The specified handle is invalid");
    EXPECT_EQ(ErrorText(0x80040000u | 10050), "The networking subsytem is unavailable");
    EXPECT_EQ(ErrorText(0x80040000u | 10091), "The networking subsystem is not available");
    EXPECT_EQ(ErrorText(0x80040000u | 11001), "The specified hostname is invalid or could not be resolved");
    EXPECT_EQ(ErrorText(0x80040000u | 12003), "This function has not been implemented on this platform");
    EXPECT_EQ(ErrorText(0x80040000u | 12009), "No blocking operation in progress on this socket");
    EXPECT_EQ(ErrorText(0x80040000u | 12106), "Unable to encrypt data stream");
    EXPECT_EQ(ErrorText(0x80040000u | 12303), "Message not delivered to any of the specified recipients");
}

TEST(InetErrorText, LastErrorBuffersAndTruncation) {
    InetSession session;
    InetSetLastError(10061);
    const std::string full = "The connection has been refused by the remote host";
    EXPECT_EQ(ErrorText(0), full);
    EXPECT_EQ(InetGetErrorStringA(0, nullptr, 0), static_cast<int>(full.size()));

    char small[10];
    EXPECT_EQ(InetGetErrorStringA(0x80040000u | 10061, small, sizeof small), 9);
    EXPECT_STREQ(small, "The conne");

    wchar_t wide[64];
    EXPECT_EQ(InetGetErrorStringW(0x80040000u | 10061, wide, 64), static_cast<int>(full.size()));
    EXPECT_STREQ(wide, L"The connection has been refused by the remote host");
    wchar_t wideSmall[5];
    EXPECT_EQ(InetGetErrorStringW(0x80040000u | 10061, wideSmall, 5), 4);
    EXPECT_STREQ(wideSmall, L"The ");
    EXPECT_EQ(InetGetErrorStringW(0x80040000u | 10061, nullptr, 0), static_cast<int>(full.size()));
}

TEST(InetErrorText, NoTextForNoError) {
    InetSession session;
    InetSetLastError(0);
    char buffer[16] = "unchanged";
    EXPECT_EQ(InetGetErrorStringA(0, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(InetGetErrorStringA(0x80040000u | 9999, buffer, sizeof buffer), 0);
    EXPECT_EQ(InetGetErrorStringA(0x80040000u | 10061, buffer, 0), 0);
}

}  // namespace
