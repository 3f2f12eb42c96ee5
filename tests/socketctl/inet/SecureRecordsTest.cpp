// The caller-visible records of the secure layer: security credentials blocks in both forms
// and the security information of sockets that are not secure.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "InetTestSupport.h"

using namespace inettest;

namespace {

constexpr DWORD kCredentialsSize = sizeof(SECURITYCREDENTIALSA) + 4;  // 40 in the 32-bit layout

const char* TextsStart(const SECURITYCREDENTIALSA* record) {
    return reinterpret_cast<const char*>(record) + sizeof(SECURITYCREDENTIALSA);
}

TEST(SecureRecords, CredentialsHoldTheirTextsInOneBlock) {
    LPSECURITYCREDENTIALSA record = nullptr;
    ASSERT_TRUE(InetCreateSecurityCredentialsA(7, 0x55, "player", "secret", "MY", "localhost", 99, &record));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->dwSize, kCredentialsSize);
    EXPECT_EQ(record->dwProtocol, 7u);
    EXPECT_EQ(record->dwOptions, 0x55u);
    EXPECT_EQ(record->dwReserved1, 0u);
    EXPECT_EQ(record->dwReserved2, 0u);
    // The texts follow the fields, one after another in field order.
    const char* at = TextsStart(record);
    EXPECT_EQ(record->lpszUserName, at);
    EXPECT_STREQ(record->lpszUserName, "player");
    EXPECT_EQ(record->lpszPassword, at + 7);
    EXPECT_STREQ(record->lpszPassword, "secret");
    EXPECT_EQ(record->lpszCertStore, at + 14);
    EXPECT_STREQ(record->lpszCertStore, "MY");
    EXPECT_EQ(record->lpszCertName, at + 17);
    EXPECT_STREQ(record->lpszCertName, "localhost");
    EXPECT_GE(LocalSize(record), kCredentialsSize + 7 + 7 + 3 + 10);

    // The same pointer takes a new record; absent texts stay null.
    ASSERT_TRUE(InetCreateSecurityCredentialsA(7, 0, nullptr, nullptr, nullptr, "server", 0, &record));
    EXPECT_EQ(record->lpszUserName, nullptr);
    EXPECT_EQ(record->lpszPassword, nullptr);
    EXPECT_EQ(record->lpszCertStore, nullptr);
    EXPECT_EQ(record->lpszCertName, TextsStart(record));
    EXPECT_STREQ(record->lpszCertName, "server");
    InetDeleteSecurityCredentialsA(&record);
    EXPECT_EQ(record, nullptr);
    InetDeleteSecurityCredentialsA(&record);  // nothing held: nothing happens
    InetDeleteSecurityCredentialsA(nullptr);
}

TEST(SecureRecords, CredentialsRefuseANullOutPointer) {
    InetSetLastError(0);
    EXPECT_FALSE(InetCreateSecurityCredentialsA(7, 0, "a", "b", "c", "d", 0, nullptr));
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_FALSE(InetCreateSecurityCredentialsW(7, 0, L"a", L"b", L"c", L"d", 0, nullptr));
    EXPECT_EQ(LastCode(), 10014u);
}

TEST(SecureRecords, WideCredentialsKeepEveryCharacter) {
    LPSECURITYCREDENTIALSW record = nullptr;
    const wchar_t name[] = L"\u03a9mega \u4e2d";  // characters outside the system code page
    ASSERT_TRUE(InetCreateSecurityCredentialsW(7, 3, L"user", nullptr, L"MY", name, 0, &record));
    EXPECT_EQ(record->dwSize, kCredentialsSize);
    EXPECT_EQ(record->dwOptions, 3u);
    EXPECT_STREQ(record->lpszUserName, L"user");
    EXPECT_EQ(record->lpszPassword, nullptr);
    EXPECT_STREQ(record->lpszCertStore, L"MY");
    EXPECT_STREQ(record->lpszCertName, name);
    InetDeleteSecurityCredentialsW(&record);
    EXPECT_EQ(record, nullptr);
}

TEST(SecureRecords, ATooSmallWideRecordIsRefusedByTheWideCalls) {
    InetSession session;
    LPSECURITYCREDENTIALSW record = nullptr;
    ASSERT_TRUE(InetCreateSecurityCredentialsW(7, 0, nullptr, nullptr, L"MY", L"localhost", 0, &record));
    record->dwSize = 20;
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    EXPECT_EQ(InetConnectExW(L"127.0.0.1", port, 0, 5, 0, 0, 0, record), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10014u);
    record->dwSize = kCredentialsSize;
    // A well-formed record is carried and not needed by a plain connect.
    SOCKET s = InetConnectExW(L"127.0.0.1", port, 0, 5, 0, 0, 0, record);
    EXPECT_NE(s, INVALID_SOCKET);
    InetDisconnect(s);
    InetDeleteSecurityCredentialsW(&record);
}

TEST(SecureRecords, SecurityInformationOfAPlainSocketIsEmpty) {
    InetSession session;
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    SOCKET s = InetConnectA("127.0.0.1", port, 0, 5);
    ASSERT_NE(s, INVALID_SOCKET);
    SECURITYINFOA info;
    std::memset(&info, 0x5A, sizeof info);
    info.dwSize = sizeof info;
    ASSERT_TRUE(InetGetSecurityInformationA(s, &info));
    SECURITYINFOA empty{};
    empty.dwSize = sizeof empty;
    EXPECT_EQ(std::memcmp(&info, &empty, sizeof info), 0);

    SECURITYINFOW wide;
    std::memset(&wide, 0x5A, sizeof wide);
    wide.dwSize = sizeof wide;
    ASSERT_TRUE(InetGetSecurityInformationW(s, &wide));
    SECURITYINFOW emptyWide{};
    emptyWide.dwSize = sizeof emptyWide;
    EXPECT_EQ(std::memcmp(&wide, &emptyWide, sizeof wide), 0);

    // A record one byte short, or none, is refused.
    info.dwSize = sizeof info - 1;
    EXPECT_FALSE(InetGetSecurityInformationA(s, &info));
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_FALSE(InetGetSecurityInformationA(s, nullptr));
    EXPECT_EQ(LastCode(), 10014u);
    wide.dwSize = sizeof wide - 1;
    EXPECT_FALSE(InetGetSecurityInformationW(s, &wide));
    EXPECT_EQ(LastCode(), 10014u);
    InetDisconnect(s);

    // A socket the library does not know.
    info.dwSize = sizeof info;
    EXPECT_FALSE(InetGetSecurityInformationA(s, &info));
    EXPECT_EQ(LastCode(), 10038u);
}

// Run in a process of its own: one that never tried to load the security interface.
TEST(SecureRecords, DISABLED_NoLoadAttemptedGivesAnEmptyRecord) {
    InetSession session;
    u_short port = 0;
    RawSocket listener = RawListener(1, &port);
    SOCKET s = InetConnectA("127.0.0.1", port, 0, 5);
    ASSERT_NE(s, INVALID_SOCKET);
    SECURITYINFOA info{};
    info.dwSize = sizeof info;
    info.dwCertStatus = 77;
    ASSERT_TRUE(InetGetSecurityInformationA(s, &info));
    EXPECT_EQ(info.dwSize, sizeof info);
    EXPECT_EQ(info.dwCertStatus, 0u);
    InetDisconnect(s);
}

TEST(SecureRecords, ProcessThatNeverLoadedSecurity) {
    EXPECT_TRUE(RunIsolated("SecureRecords.DISABLED_NoLoadAttemptedGivesAnEmptyRecord"));
}

}  // namespace
