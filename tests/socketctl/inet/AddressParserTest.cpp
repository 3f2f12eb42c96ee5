#include <gtest/gtest.h>

#include "AddressParser.h"

namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;

// The address a.b.c.d in network byte order (first byte lowest in memory).
uint32_t Net(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return a | b << 8 | c << 16 | d << 24; }

TEST(InetParseAddress, FourParts) {
    EXPECT_EQ(inet::InetParseAddress("127.0.0.1"), Net(127, 0, 0, 1));
    EXPECT_EQ(inet::InetParseAddress("10.0.0.5"), Net(10, 0, 0, 5));
    EXPECT_EQ(inet::InetParseAddress("1.2.3.4"), Net(1, 2, 3, 4));
}

TEST(InetParseAddress, ShortForms) {
    EXPECT_EQ(inet::InetParseAddress("10.1"), Net(10, 0, 0, 1));
    EXPECT_EQ(inet::InetParseAddress("10.1.2"), Net(10, 1, 0, 2));
    EXPECT_EQ(inet::InetParseAddress("10.0x10203"), Net(10, 1, 2, 3));
    EXPECT_EQ(inet::InetParseAddress("10.1.258"), Net(10, 1, 1, 2));
    EXPECT_EQ(inet::InetParseAddress("2130706433"), Net(127, 0, 0, 1));
}

TEST(InetParseAddress, HexadecimalAndLeadingZeros) {
    EXPECT_EQ(inet::InetParseAddress("0x7f.1"), Net(127, 0, 0, 1));
    EXPECT_EQ(inet::InetParseAddress("0X7F.0xA.0Xb.0xff"), Net(127, 10, 11, 255));
    // A leading 0 is not octal here.
    EXPECT_EQ(inet::InetParseAddress("010.010.010.010"), Net(10, 10, 10, 10));
}

TEST(InetParseAddress, ColonsAndEmptyParts) {
    EXPECT_EQ(inet::InetParseAddress("192:168:1:2"), Net(192, 168, 1, 2));
    EXPECT_EQ(inet::InetParseAddress("1..3.4"), Net(1, 0, 3, 4));
    EXPECT_EQ(inet::InetParseAddress(""), 0u);
}

TEST(InetParseAddress, StopsAtBlanksAndLineEnds) {
    EXPECT_EQ(inet::InetParseAddress("127.0.0.1 and more text"), Net(127, 0, 0, 1));
    EXPECT_EQ(inet::InetParseAddress("127.0.0.1\tx"), Net(127, 0, 0, 1));
    EXPECT_EQ(inet::InetParseAddress("127.0.0.1\r\n"), Net(127, 0, 0, 1));
}

TEST(InetParseAddress, Failures) {
    EXPECT_EQ(inet::InetParseAddress(nullptr), kNone);
    EXPECT_EQ(inet::InetParseAddress("127.0.0.1x"), kNone);
    EXPECT_EQ(inet::InetParseAddress("256.1.1.1"), kNone);
    EXPECT_EQ(inet::InetParseAddress("1.2.3.4.5"), kNone);
    EXPECT_EQ(inet::InetParseAddress("1.2.3.256"), kNone);
    EXPECT_EQ(inet::InetParseAddress("1.2.65536"), kNone);
    EXPECT_EQ(inet::InetParseAddress("1.16777216"), kNone);
    EXPECT_EQ(inet::InetParseAddress("4294967296"), kNone);
    EXPECT_EQ(inet::InetParseAddress("99999999999999999999"), kNone);
    EXPECT_EQ(inet::InetParseAddress("gamehost"), kNone);
    EXPECT_EQ(inet::InetParseAddress("1.2.3.-4"), kNone);
    // The broadcast address reads the same as a failure.
    EXPECT_EQ(inet::InetParseAddress("255.255.255.255"), kNone);
}

}  // namespace
