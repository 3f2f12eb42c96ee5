#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "InetTestSupport.h"

using namespace inettest;

namespace {

DWORD Net(DWORD a, DWORD b, DWORD c, DWORD d) { return a | b << 8 | c << 16 | d << 24; }

// The strings of a zero-separated list ending with an empty string.
std::vector<std::string> Split(const char* list) {
    std::vector<std::string> out;
    for (const char* p = list; *p; p += out.back().size() + 1) out.emplace_back(p);
    return out;
}

TEST(InetAddressText, ParsesAndFormats) {
    EXPECT_EQ(InetGetAddressA("10.1.2.3"), Net(10, 1, 2, 3));
    EXPECT_EQ(InetGetAddressW(L"192.168.0.200"), Net(192, 168, 0, 200));
    EXPECT_EQ(InetGetAddressA(""), INADDR_NONE);
    EXPECT_EQ(LastCode(), 11001u);
    EXPECT_EQ(InetGetAddressA(nullptr), INADDR_NONE);
    EXPECT_EQ(InetGetAddressA("1.2.3.400"), INADDR_NONE);

    char text[16] = {};
    InetFormatAddressA(Net(192, 168, 0, 200), text, sizeof text);
    EXPECT_STREQ(text, "192.168.0.200");
    char small[5] = "xxxx";
    InetFormatAddressA(Net(192, 168, 0, 200), small, sizeof small);
    EXPECT_STREQ(small, "192.");
    wchar_t wide[16] = {};
    InetFormatAddressW(Net(255, 255, 255, 255), wide, 16);
    EXPECT_STREQ(wide, L"255.255.255.255");
    InetFormatAddressA(Net(1, 2, 3, 4), nullptr, 16);  // nothing to write into
}

TEST(InetHostAddress, NeedsInitialisationAndAName) {
    EXPECT_EQ(InetGetHostAddressA("localhost"), INADDR_NONE);
    EXPECT_EQ(LastCode(), static_cast<DWORD>(WSANOTINITIALISED));
    InetSession session;
    ASSERT_TRUE(session.ok());
    EXPECT_EQ(InetGetHostAddressA(""), INADDR_NONE);
    EXPECT_EQ(LastCode(), 11001u);
    EXPECT_EQ(InetGetHostAddressA("10.9.8.7"), Net(10, 9, 8, 7));
    EXPECT_EQ(InetGetHostAddressA("localhost"), kLoopback);
    EXPECT_EQ(InetGetHostAddressA("skirmora-nowhere.invalid"), INADDR_NONE);
    EXPECT_EQ(LastCode(), 11001u);
}

TEST(InetHostName, RefusesBadArguments) {
    InetSession session;
    ASSERT_TRUE(session.ok());
    char name[64];
    EXPECT_EQ(InetGetHostNameA(kLoopback, nullptr, 64), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(InetGetHostNameA(kLoopback, name, 0), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(InetGetHostNameA(0, name, sizeof name), -1);
    EXPECT_EQ(LastCode(), 10039u);
    EXPECT_EQ(InetGetHostNameA(INADDR_NONE, name, sizeof name), -1);
    EXPECT_EQ(LastCode(), 10039u);
}

TEST(InetLocalName, MatchesThePlatformsName) {
    InetSession session;
    ASSERT_TRUE(session.ok());
    char expected[256] = {};
    ASSERT_EQ(gethostname(expected, sizeof expected), 0);
    char name[256] = {};
    ASSERT_EQ(InetGetLocalNameA(name, sizeof name), 0);
    EXPECT_STREQ(name, expected);
    wchar_t wide[256] = {};
    ASSERT_EQ(InetGetLocalNameW(wide, 256), 0);
    EXPECT_EQ(std::wstring(wide), std::wstring(expected, expected + std::strlen(expected)));
    EXPECT_EQ(InetGetLocalNameA(nullptr, 10), -1);
    EXPECT_EQ(LastCode(), 10014u);
    char tiny[1];
    EXPECT_EQ(InetGetLocalNameA(tiny, sizeof tiny), -1);
    EXPECT_EQ(LastCode(), 12004u);
}

TEST(InetHostAliases, ListsOfficialNameAndAliasesWithFinalZero) {
    InetSession session;
    ASSERT_TRUE(session.ok());
    hostent* platform = gethostbyname("localhost");
    ASSERT_NE(platform, nullptr);
    std::vector<std::string> expected{platform->h_name};
    for (char** a = platform->h_aliases; *a; ++a) expected.emplace_back(*a);
    size_t length = 1;
    for (const auto& s : expected) length += s.size() + 1;

    int n = InetEnumHostAliasesA("localhost", nullptr, 0);
    ASSERT_EQ(n, static_cast<int>(length));
    std::vector<char> list(static_cast<size_t>(n) + 8, 'x');
    ASSERT_EQ(InetEnumHostAliasesA("localhost", list.data(), n), n);
    EXPECT_EQ(Split(list.data()), expected);
    EXPECT_EQ(list[static_cast<size_t>(n) - 1], '\0');
    EXPECT_EQ(list[static_cast<size_t>(n)], 'x');  // nothing beyond the list
    // One byte short of the whole list is refused.
    std::vector<char> shortList(static_cast<size_t>(n) - 1);
    EXPECT_EQ(InetEnumHostAliasesA("localhost", shortList.data(), n - 1), -1);
    EXPECT_EQ(LastCode(), 10014u);

    EXPECT_EQ(InetEnumHostAliasesW(L"localhost", nullptr, 0), 2 * n);
    std::vector<wchar_t> wide(static_cast<size_t>(n) + 4, L'x');
    EXPECT_EQ(InetEnumHostAliasesW(L"localhost", wide.data(), 2 * n - 1), -1);
    EXPECT_EQ(LastCode(), 10014u);
    ASSERT_EQ(InetEnumHostAliasesW(L"localhost", wide.data(), 2 * n), 2 * n);
    EXPECT_EQ(std::wstring(wide.data()), std::wstring(expected[0].begin(), expected[0].end()));
    EXPECT_EQ(wide[static_cast<size_t>(n)], L'x');

    EXPECT_EQ(InetEnumHostAliasesA("", nullptr, 0), -1);
    EXPECT_EQ(LastCode(), 11001u);
    EXPECT_EQ(InetEnumHostAliasesA("skirmora-nowhere.invalid", nullptr, 0), -1);
    EXPECT_EQ(LastCode(), 11001u);
}

TEST(InetServices, PortsFromDigitsAndNames) {
    EXPECT_EQ(InetGetServicePortA("80"), -1);
    EXPECT_EQ(LastCode(), static_cast<DWORD>(WSANOTINITIALISED));
    InetSession session;
    ASSERT_TRUE(session.ok());
    EXPECT_EQ(InetGetServicePortA("80"), 80);
    EXPECT_EQ(InetGetServicePortW(L"65535"), 65535);
    EXPECT_EQ(InetGetServicePortA("0"), -1);
    EXPECT_EQ(LastCode(), 12006u);
    EXPECT_EQ(InetGetServicePortA("65536"), -1);
    EXPECT_EQ(LastCode(), 12006u);
    EXPECT_EQ(InetGetServicePortA("99999999999999999999"), -1);
    EXPECT_EQ(LastCode(), 12006u);
    EXPECT_EQ(InetGetServicePortA(""), -1);
    EXPECT_EQ(LastCode(), 10014u);
    EXPECT_EQ(InetGetServicePortA("no-such-service-here"), -1);
    EXPECT_EQ(LastCode(), 12007u);
    // Names from the system's services file (Windows' own, which Wine writes into its prefix).
    EXPECT_EQ(InetGetServicePortA("ftp"), 21);
    EXPECT_EQ(InetGetServicePortW(L"http"), 80);
}

TEST(InetServices, NamesFromPorts) {
    InetSession session;
    ASSERT_TRUE(session.ok());
    char name[32] = "stale";
    EXPECT_FALSE(InetGetServiceNameA(0, name, sizeof name));
    EXPECT_EQ(LastCode(), 12006u);
    EXPECT_FALSE(InetGetServiceNameA(65536, name, sizeof name));
    EXPECT_EQ(LastCode(), 12006u);
    ASSERT_TRUE(InetGetServiceNameA(21, name, sizeof name));
    EXPECT_STREQ(name, "ftp");
    wchar_t wide[32] = {};
    ASSERT_TRUE(InetGetServiceNameW(21, wide, 32));
    EXPECT_STREQ(wide, L"ftp");
    char small[3];
    ASSERT_TRUE(InetGetServiceNameA(21, small, sizeof small));
    EXPECT_STREQ(small, "ft");
    ASSERT_EQ(getservbyport(htons(1), nullptr), nullptr);  // no entry in Windows' services file
    strcpy(name, "stale");
    EXPECT_FALSE(InetGetServiceNameA(1, name, sizeof name));
    EXPECT_EQ(LastCode(), 12007u);
    EXPECT_STREQ(name, "");
}

}  // namespace
