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

TEST(ProtocolFrame, JunkBeforeAFrameInTheSameStretchIsDroppedAndCounted) {
    // "xx" before the frame start would once have made the whole stretch a non-frame.
    std::string buf = S("xx\x1Bw\0ok\x01zz\x01\x1Bq\0\x01", 15);
    size_t dropped = 0;
    auto frames = TakeWholeFrames(buf, &dropped);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].command, 'w');
    EXPECT_EQ(frames[0].data, "ok");
    EXPECT_EQ(frames[1].command, 'q');
    EXPECT_EQ(dropped, 5u);  // "xx", then "zz" with its end character
    EXPECT_TRUE(buf.empty());
}

TEST(ProtocolFrame, ReservedEndCharacterInTheDataDoesNotWedgeTheBuffer) {
    // A Chr(2) arriving just before a read boundary: the frame still comes out whole.
    std::string buf = S("\x1Bz\0a\x02", 5);
    EXPECT_TRUE(TakeWholeFrames(buf).empty());
    buf += S("b\x01\x1By\0c\x01", 7);
    auto frames = TakeWholeFrames(buf);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].data, S("a\x02" "b", 3));
    EXPECT_EQ(frames[1].command, 'y');
    EXPECT_TRUE(buf.empty());
}

TEST(ProtocolFrame, LongUnfinishedTailIsDroppedUpToTheNextFrameStart) {
    std::string whole = S("\x1Bw\0ok\x01", 6);
    std::string buf = whole + "\x1Bh" + std::string(100, 'x') + "\x1Bk" + std::string(10, 'y');
    EXPECT_EQ(TrimFrameTail(buf, 50), 102u);  // the long frame goes, the next one stays
    EXPECT_EQ(buf, whole + "\x1Bk" + std::string(10, 'y'));
    EXPECT_EQ(TrimFrameTail(buf, 50), 0u);
    // Without a later frame start, the whole tail goes; whole frames are never touched.
    buf += std::string(60, 'z');
    EXPECT_EQ(TrimFrameTail(buf, 50), 72u);
    EXPECT_EQ(buf, whole);
    auto frames = TakeWholeFrames(buf);
    ASSERT_EQ(frames.size(), 1u);
    // With no frame end at all, the tail is the whole buffer.
    buf = std::string("\x1B" "a") + std::string(80, 'x');
    EXPECT_EQ(TrimFrameTail(buf, 50), 82u);
    EXPECT_TRUE(buf.empty());
}
