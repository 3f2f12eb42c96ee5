#include <gtest/gtest.h>

#include "ProtocolFrame.h"

using namespace skx;

namespace {
std::string S(const char* p, size_t n) { return std::string(p, n); }
}

TEST(ProtocolFrame, ClientFrameFiltersReservedCharacters) {
    EXPECT_EQ(BuildClientFrame("C", S("a\x01" "b", 3)), S("\x1B" "C\0ab\0\x01", 7));
    EXPECT_EQ(BuildClientFrame("m", ""), S("\x1Bm\0\0\x01", 5));
    EXPECT_EQ(BuildClientFrame("C", S("x\x02y\x1Bz\x05!", 7)), S("\x1B" "C\0xyz!\0\x01", 9));
    // Field separators inside the data stay: they separate fields.
    EXPECT_EQ(BuildClientFrame("!", S("u\0p", 3)), S("\x1B!\0u\0p\0\x01", 8));
    // The command character itself is not filtered.
    EXPECT_EQ(BuildClientFrame(S("\x01", 1), "d"), S("\x1B\x01\0d\0\x01", 6));
}

TEST(ProtocolFrame, TwoWholeFramesInOneReadComeOutInOrder) {
    std::string buf = S("\x1B" "a\0one\x01\x1B" "b\0x\0y\x01", 14);
    auto frames = TakeWholeFrames(buf);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].command, 'a');
    EXPECT_EQ(frames[0].data, "one");
    EXPECT_EQ(frames[1].command, 'b');
    EXPECT_EQ(frames[1].data, S("x\0y", 3));
    EXPECT_TRUE(buf.empty());
}

TEST(ProtocolFrame, FrameCutByReadBoundaryIsTakenOnceWhenWhole) {
    std::string buf = S("\x1Bz\0par", 6);
    EXPECT_TRUE(TakeWholeFrames(buf).empty());
    EXPECT_EQ(buf, S("\x1Bz\0par", 6));
    EXPECT_TRUE(TakeWholeFrames(buf).empty());  // more passes change nothing
    buf += S("tial\x01\x1Bq", 7);
    auto frames = TakeWholeFrames(buf);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].data, "partial");
    EXPECT_EQ(buf, "\x1Bq");
}

TEST(ProtocolFrame, EmptyDataAndShortPieces) {
    std::string buf = S("\x1Bn\0\x01\x1Bk\x01\x1B\x01", 9);
    auto frames = TakeWholeFrames(buf);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].command, 'n');
    EXPECT_EQ(frames[0].data, "");
    EXPECT_EQ(frames[1].command, 'k');
    EXPECT_EQ(frames[1].data, "");
    EXPECT_EQ(frames[2].command, ' ');
}

TEST(ProtocolFrame, GarbageDoesNotHoldBackLaterFrames) {
    std::string buf = S("junk\x01\x01\x1Bw\0ok\x01", 12);
    auto frames = TakeWholeFrames(buf);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].command, 'w');
    EXPECT_EQ(frames[0].data, "ok");
    EXPECT_TRUE(buf.empty());
    // Unfinished garbage waits, but is dropped once terminated, and the next frame comes through.
    buf = "noise";
    EXPECT_TRUE(TakeWholeFrames(buf).empty());
    buf += S("\x01\x1Bx\0y\x01", 6);
    frames = TakeWholeFrames(buf);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].command, 'x');
}
