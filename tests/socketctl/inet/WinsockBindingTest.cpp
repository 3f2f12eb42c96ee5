// The Windows Sockets library stays bound for the life of a process, so each of these runs
// in a fresh process of its own.
#include <gtest/gtest.h>

#include "InetTestSupport.h"

using namespace inettest;

namespace {

LONG FakeCount(int which) {
    HMODULE fake = GetModuleHandleA("fake_wsock.dll");
    if (!fake) return -100;
    auto count = reinterpret_cast<LONG(WINAPI*)(int)>(reinterpret_cast<void (*)()>(GetProcAddress(fake, "FakeCount")));
    return count ? count(which) : -200;
}

LONG TraceCount(int which) {
    HMODULE trace = GetModuleHandleA("WSATRACE.dll");
    if (!trace) return -100;
    auto count = reinterpret_cast<LONG(WINAPI*)(int)>(reinterpret_cast<void (*)()>(GetProcAddress(trace, "TraceCount")));
    return count ? count(which) : -200;
}

TEST(IsolatedBinding, DISABLED_MissingLibrary) {
    ASSERT_EQ(GetModuleHandleA("wsock32.dll"), nullptr);
    EXPECT_FALSE(InetInitializeExA("no-such-sockets-library.dll", nullptr, nullptr));
    EXPECT_EQ(InetGetLastError(), 0x8004276Bu);
    // No fall-back to the default library.
    EXPECT_EQ(GetModuleHandleA("wsock32.dll"), nullptr);
    EXPECT_EQ(InetListen(kLoopback, 0), INVALID_SOCKET);
    EXPECT_EQ(LastCode(), 10093u);
    // Without a name the default library is used.
    EXPECT_TRUE(InetInitializeA(nullptr, nullptr));
    EXPECT_NE(GetModuleHandleA("wsock32.dll"), nullptr);
    InetUninitialize();
}

TEST(WinsockBinding, MissingLibraryFailsWithoutFallBack) {
    EXPECT_TRUE(RunIsolated("IsolatedBinding.DISABLED_MissingLibrary"));
}

TEST(IsolatedBinding, DISABLED_RefusedStartUp) {
    SetEnvironmentVariableA("FAKE_WSOCK_STARTUP", "10092");
    EXPECT_FALSE(InetInitializeExA("fake_wsock.dll", nullptr, nullptr));
    EXPECT_EQ(InetGetLastError(), 0x80040000u | 10092);
    EXPECT_EQ(FakeCount(0), 1);
    EXPECT_EQ(FakeCount(2), 0);
    // The refused start-up raised no count: the next good one is the first and hooks.
    SetEnvironmentVariableA("FAKE_WSOCK_STARTUP", nullptr);
    EXPECT_TRUE(InetInitializeExA("fake_wsock.dll", nullptr, nullptr));
    EXPECT_EQ(FakeCount(2), 1);
    InetUninitialize();
    EXPECT_EQ(FakeCount(1), 1);
    EXPECT_EQ(FakeCount(3), 1);
    // Nothing more to release.
    InetUninitialize();
    EXPECT_EQ(FakeCount(1), 1);
}

TEST(WinsockBinding, RefusedStartUpLeavesTheCount) {
    EXPECT_TRUE(RunIsolated("IsolatedBinding.DISABLED_RefusedStartUp"));
}

TEST(IsolatedBinding, DISABLED_TwoStartUps) {
    ASSERT_TRUE(InetInitializeExA("fake_wsock.dll", nullptr, nullptr));
    ASSERT_TRUE(InetInitializeExA("fake_wsock.dll", nullptr, nullptr));
    EXPECT_EQ(FakeCount(0), 2);
    EXPECT_EQ(FakeCount(2), 1);
    InetUninitialize();
    EXPECT_EQ(FakeCount(1), 1);
    EXPECT_EQ(FakeCount(3), 0);
    InetUninitialize();
    EXPECT_EQ(FakeCount(1), 2);
    EXPECT_EQ(FakeCount(3), 1);
    // The library stays bound: another name now changes nothing.
    ASSERT_TRUE(InetInitializeExA("no-such-sockets-library.dll", nullptr, nullptr));
    EXPECT_EQ(FakeCount(0), 3);
    InetUninitialize();
}

TEST(WinsockBinding, TwoStartUpsNeedTwoReleases) {
    EXPECT_TRUE(RunIsolated("IsolatedBinding.DISABLED_TwoStartUps"));
}

TEST(IsolatedBinding, DISABLED_TracePassThrough) {
    // Tracing needs Windows Sockets loaded.
    EXPECT_EQ(InetEnableTraceA("trace.log", 1), 0);
    EXPECT_EQ(GetModuleHandleA("WSATRACE.dll"), nullptr);
    InetSession session;
    EXPECT_EQ(InetEnableTraceA("trace.log", 1), 101);
    EXPECT_EQ(InetEnableTraceW(L"trace.log", 2), 102);
    EXPECT_EQ(TraceCount(0), 1);
    SOCKET s = InetListen(kLoopback, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    EXPECT_EQ(TraceCount(3), 1);
    EXPECT_EQ(TraceCount(5), 1);
    EXPECT_EQ(InetDisconnect(s), 0);
    EXPECT_EQ(TraceCount(4), 1);
    EXPECT_EQ(InetDisableTrace(), 7);
    EXPECT_EQ(InetDisableTrace(), 7);
    EXPECT_EQ(InetDisableTrace(), 0);
    EXPECT_EQ(TraceCount(2), 2);
}

TEST(WinsockBinding, TraceLibraryHooksEveryCall) {
    EXPECT_TRUE(RunIsolated("IsolatedBinding.DISABLED_TracePassThrough"));
}

}  // namespace
