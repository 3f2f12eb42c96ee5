// InetFreezeOtherEvents, the freezing of a thread's other sockets around secure
// work. An unfreeze thaws only the sockets that the socket's own freeze froze, never those the
// caller froze on purpose.
#include <gtest/gtest.h>

#include "SocketEvents.h"
#include "SocketTable.h"
#include "Tetherline.h"

using namespace inet;

namespace {

constexpr UINT kSocketEvent = 2025;

LRESULT CALLBACK Quiet(HWND window, UINT message, WPARAM first, LPARAM second) {
    return DefWindowProcA(window, message, first, second);
}

class FreezeOthers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InetInitializeA(nullptr, nullptr));
        WNDCLASSA wc{};
        wc.lpfnWndProc = Quiet;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "InetFreezeOthersTest";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "InetFreezeOthersTest", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        for (SOCKET& s : sockets_) {
            s = InetAsyncListen(0x0100007Fu, 0, window_, kSocketEvent);
            ASSERT_NE(s, INVALID_SOCKET);
        }
        blocking_ = InetListen(0x0100007Fu, 0);
        ASSERT_NE(blocking_, INVALID_SOCKET);
    }
    void TearDown() override {
        InetUninitialize();
        if (window_) DestroyWindow(window_);
    }
    bool Frozen(SOCKET s) {
        InetSocket* r = InetPeekSocket(s);
        return r && r->frozen;
    }

    HWND window_ = nullptr;
    SOCKET sockets_[3] = {INVALID_SOCKET, INVALID_SOCKET, INVALID_SOCKET};
    SOCKET blocking_ = INVALID_SOCKET;
};

TEST_F(FreezeOthers, ThawsOnlyWhatItFroze) {
    const SOCKET secure = sockets_[0], other = sockets_[1], kept = sockets_[2];
    ASSERT_EQ(InetFreezeEvents(kept, TRUE), 0);
    ASSERT_EQ(InetFreezeOtherEvents(secure, true), 0);
    EXPECT_FALSE(Frozen(secure));
    EXPECT_TRUE(Frozen(other));
    EXPECT_TRUE(Frozen(kept));
    // A socket in blocking mode has nothing to freeze.
    EXPECT_FALSE(Frozen(blocking_));
    ASSERT_EQ(InetFreezeOtherEvents(secure, false), 0);
    EXPECT_FALSE(Frozen(other));
    EXPECT_TRUE(Frozen(kept)) << "the caller's own freeze was undone";
    ASSERT_EQ(InetFreezeEvents(kept, FALSE), 0);
    EXPECT_FALSE(Frozen(kept));
}

TEST_F(FreezeOthers, NestedFreezesThawAtTheLast) {
    const SOCKET secure = sockets_[0], other = sockets_[1];
    ASSERT_EQ(InetFreezeOtherEvents(secure, true), 0);
    ASSERT_EQ(InetFreezeOtherEvents(secure, true), 0);
    ASSERT_EQ(InetFreezeOtherEvents(secure, false), 0);
    EXPECT_TRUE(Frozen(other));
    ASSERT_EQ(InetFreezeOtherEvents(secure, false), 0);
    EXPECT_FALSE(Frozen(other));
    // An unbalanced unfreeze changes nothing.
    ASSERT_EQ(InetFreezeEvents(other, TRUE), 0);
    ASSERT_EQ(InetFreezeOtherEvents(secure, false), 0);
    EXPECT_TRUE(Frozen(other));
    EXPECT_EQ(InetFreezeOtherEvents(static_cast<SOCKET>(12345), true), -1);
}

TEST_F(FreezeOthers, CallerThawAndRefreezeIsTheCallersOwn) {
    const SOCKET secure = sockets_[0], other = sockets_[1];
    ASSERT_EQ(InetFreezeOtherEvents(secure, true), 0);
    ASSERT_TRUE(Frozen(other));
    // The caller thaws and freezes it again on purpose meanwhile: it stays frozen.
    ASSERT_EQ(InetFreezeEvents(other, FALSE), 0);
    ASSERT_EQ(InetFreezeEvents(other, TRUE), 0);
    ASSERT_EQ(InetFreezeOtherEvents(secure, false), 0);
    EXPECT_TRUE(Frozen(other));
}

TEST_F(FreezeOthers, ClosingTheFreezerThawsWhatItFroze) {
    const SOCKET secure = sockets_[0], other = sockets_[1], kept = sockets_[2];
    ASSERT_EQ(InetFreezeEvents(kept, TRUE), 0);
    ASSERT_EQ(InetFreezeOtherEvents(secure, true), 0);
    ASSERT_TRUE(Frozen(other));
    ASSERT_EQ(InetDisconnect(secure), 0);
    EXPECT_FALSE(Frozen(other));
    EXPECT_TRUE(Frozen(kept));
}

// Three sockets on one window hold one entry of the window table; it goes with the last.
TEST_F(FreezeOthers, OneWindowEntryForAllItsSockets) {
    EXPECT_EQ(InetWindowCount(), 1);
    ASSERT_EQ(InetDisconnect(sockets_[0]), 0);
    ASSERT_EQ(InetDisconnect(sockets_[1]), 0);
    EXPECT_EQ(InetWindowCount(), 1);
    ASSERT_EQ(InetDisconnect(sockets_[2]), 0);
    EXPECT_EQ(InetWindowCount(), 0);
}

// A frozen socket freezes nothing else.
TEST_F(FreezeOthers, AFrozenSocketFreezesNothing) {
    const SOCKET secure = sockets_[0], other = sockets_[1];
    ASSERT_EQ(InetFreezeEvents(secure, TRUE), 0);
    ASSERT_EQ(InetFreezeOtherEvents(secure, true), 0);
    EXPECT_FALSE(Frozen(other));
}

}  // namespace
