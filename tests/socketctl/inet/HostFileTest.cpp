#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "InetTestSupport.h"
#include "WinTestSupport.h"

using namespace inettest;

namespace {

// The address a.b.c.d in network byte order.
DWORD Net(DWORD a, DWORD b, DWORD c, DWORD d) { return a | b << 8 | c << 16 | d << 24; }

std::string HostNameOf(DWORD address) {
    char name[256] = "unchanged";
    if (InetGetHostNameA(address, name, sizeof name) != 0) return "<failed " + std::to_string(LastCode()) + ">";
    return name;
}

// Loads a host file for the calling thread for one test and unloads it after.
class HostFileTest : public ::testing::Test {
protected:
    void TearDown() override { InetSetHostFileA(nullptr); }
    int Load(const std::string& text) {
        path_ = dir_.File("hosts");
        EXPECT_TRUE(testsupport::WriteFileBytes(path_, text));
        return InetSetHostFileA(path_.c_str());
    }
    InetSession session_;
    testsupport::ScratchDir dir_{"inet-hosts"};
    std::string path_;
};

TEST_F(HostFileTest, CommentsAndBlankLinesLoadNoTable) {
    ASSERT_TRUE(session_.ok());
    EXPECT_EQ(Load("# only comments\r\n\r\n   \t \r\n\t# indented comment\r\n"), 0);
    char buffer[MAX_PATH] = "unchanged";
    EXPECT_EQ(InetGetHostFileA(buffer, sizeof buffer), 0);
    EXPECT_EQ(LastCode(), 0u);
    EXPECT_EQ(InetGetHostAddressA("skirmora-nowhere.invalid"), INADDR_NONE);
    EXPECT_EQ(LastCode(), 11001u);
}

TEST_F(HostFileTest, FieldsSeparatedByTabsAndBlanksFoundByNameAndAliasIgnoringCase) {
    ASSERT_TRUE(session_.ok());
    EXPECT_EQ(Load("# game hosts\r\n"
                   "\t\t10.0.0.7\t\tgamehost gh   # the arena\r\n"
                   "10.0.0.8   lobby.skirmora.invalid    lobby\t\tLB\r\n"
                   "10.0.0.9 last-line-without-feed"),
              3);
    EXPECT_EQ(InetGetHostAddressA("gamehost"), Net(10, 0, 0, 7));
    EXPECT_EQ(InetGetHostAddressA("GH"), Net(10, 0, 0, 7));
    EXPECT_EQ(InetGetHostAddressA("Lobby.Skirmora.INVALID"), Net(10, 0, 0, 8));
    EXPECT_EQ(InetGetHostAddressA("lb"), Net(10, 0, 0, 8));
    EXPECT_EQ(InetGetHostAddressW(L"LOBBY"), Net(10, 0, 0, 8));
    EXPECT_EQ(InetGetHostAddressA("last-line-without-feed"), Net(10, 0, 0, 9));
    // The comment is gone: its words are no names.
    EXPECT_EQ(InetGetHostAddressA("arena"), INADDR_NONE);

    EXPECT_EQ(HostNameOf(Net(10, 0, 0, 7)), "gamehost");
    EXPECT_EQ(HostNameOf(Net(10, 0, 0, 8)), "lobby.skirmora.invalid");
    wchar_t wide[64] = L"x";
    ASSERT_EQ(InetGetHostNameW(Net(10, 0, 0, 9), wide, 64), 0);
    EXPECT_STREQ(wide, L"last-line-without-feed");
    // Truncated to the caller's buffer.
    char small[5];
    ASSERT_EQ(InetGetHostNameA(Net(10, 0, 0, 7), small, sizeof small), 0);
    EXPECT_STREQ(small, "game");
}

TEST_F(HostFileTest, EntriesWithoutAddressOrNameAreSkipped) {
    ASSERT_TRUE(session_.ok());
    EXPECT_EQ(Load("gamehost 10.0.0.1\n"
                   "10.0.0.2\n"
                   "0.0.0.0 gamehost\n"
                   "255.255.255.255 gamehost\n"
                   "10.0.0.3 gamehost\n"
                   "10.0.0.4 gamehost\n"),
              6);
    // The first usable entry wins.
    EXPECT_EQ(InetGetHostAddressA("gamehost"), Net(10, 0, 0, 3));
    EXPECT_EQ(HostNameOf(Net(10, 0, 0, 4)), "gamehost");
}

TEST_F(HostFileTest, OverlongEntryIsSkippedAndLaterEntriesStillFound) {
    ASSERT_TRUE(session_.ok());
    std::string many = "10.0.0.5";
    for (int i = 0; i < 300; ++i) many += " alias" + std::to_string(i);
    std::string longName(3000, 'n');
    EXPECT_EQ(Load(many + "\n10.0.0.6 " + longName + "\n" + std::string(200, '1') + " x\n10.0.0.7 after\n"), 4);
    EXPECT_EQ(InetGetHostAddressA("alias299"), INADDR_NONE);
    EXPECT_EQ(InetGetHostAddressA(longName.c_str()), INADDR_NONE);
    EXPECT_EQ(InetGetHostAddressA("after"), Net(10, 0, 0, 7));
}

TEST_F(HostFileTest, HostFilePathAndUnload) {
    ASSERT_TRUE(session_.ok());
    ASSERT_EQ(Load("10.1.1.1 one\n"), 1);
    char full[MAX_PATH] = {};
    ASSERT_EQ(static_cast<DWORD>(InetGetHostFileA(full, sizeof full)), GetFullPathNameA(path_.c_str(), 0, nullptr, nullptr) - 1);
    EXPECT_EQ(lstrcmpiA(full, path_.c_str()), 0) << full;
    EXPECT_EQ(InetGetHostFileA(nullptr, 0), static_cast<int>(path_.size()));
    wchar_t wide[MAX_PATH] = {};
    EXPECT_EQ(InetGetHostFileW(wide, MAX_PATH), static_cast<int>(path_.size()));
    char small[4];
    EXPECT_EQ(InetGetHostFileA(small, sizeof small), 3);
    EXPECT_EQ(std::string(small), path_.substr(0, 3));

    EXPECT_EQ(InetSetHostFileA(""), 0);
    EXPECT_EQ(InetGetHostFileA(full, sizeof full), 0);
    EXPECT_EQ(InetGetHostAddressA("one"), INADDR_NONE);
}

TEST_F(HostFileTest, MissingFileFailsAndLeavesNoTable) {
    ASSERT_TRUE(session_.ok());
    ASSERT_EQ(Load("10.1.1.1 one\n"), 1);
    EXPECT_EQ(InetSetHostFileA(dir_.File("no-such-hosts").c_str()), -1);
    EXPECT_EQ(LastCode(), 10002u);
    EXPECT_EQ(InetGetHostFileA(nullptr, 0), 0);
    EXPECT_EQ(InetGetHostAddressA("one"), INADDR_NONE);
    std::wstring wide(path_.begin(), path_.end());
    EXPECT_EQ(InetSetHostFileW(wide.c_str()), 1);
    EXPECT_EQ(InetGetHostAddressA("one"), Net(10, 1, 1, 1));
}

TEST_F(HostFileTest, TableBelongsToTheThreadThatLoadedIt) {
    ASSERT_TRUE(session_.ok());
    ASSERT_EQ(Load("10.1.1.1 one\n"), 1);
    DWORD other = 0;
    int otherLoad = 0;
    DWORD uninitialisedCode = 0;
    std::thread([&] {
        // A thread that never initialised has no record.
        uninitialisedCode = InetSetHostFileA(path_.c_str()) == -1 ? LastCode() : 0;
    }).join();
    std::thread([&] {
        InetSession own;
        other = InetGetHostAddressA("one");
        otherLoad = InetSetHostFileA(nullptr);
    }).join();
    EXPECT_EQ(uninitialisedCode, static_cast<DWORD>(WSANOTINITIALISED));
    EXPECT_EQ(other, INADDR_NONE);
    EXPECT_EQ(otherLoad, 0);
    EXPECT_EQ(InetGetHostAddressA("one"), Net(10, 1, 1, 1));
}

TEST_F(HostFileTest, DefaultHostFileIsTheSystemDirectorysHostsFile) {
    char system[MAX_PATH];
    UINT n = GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_GT(n, 0u);
    const std::string expected = std::string(system, n) + "\\drivers\\etc\\hosts";
    char path[MAX_PATH] = {};
    EXPECT_EQ(InetGetDefaultHostFileA(nullptr, 0), static_cast<int>(expected.size()));
    EXPECT_EQ(InetGetDefaultHostFileA(path, sizeof path), static_cast<int>(expected.size()));
    EXPECT_EQ(lstrcmpiA(path, expected.c_str()), 0) << path;
    char small[6];
    EXPECT_EQ(InetGetDefaultHostFileA(small, sizeof small), 5);
    wchar_t wide[MAX_PATH] = {};
    EXPECT_EQ(InetGetDefaultHostFileW(wide, MAX_PATH), static_cast<int>(expected.size()));
}

}  // namespace
