#include <gtest/gtest.h>

#include <set>

#include "TextUtilities.h"

using namespace skx;

TEST(TextUtilities, CleanStringDropsControlAndHighCharacters) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    std::string cleaned = CleanString(all);
    ASSERT_EQ(cleaned.size(), 138u - 26u);
    EXPECT_EQ(static_cast<unsigned char>(cleaned.front()), 26);
    EXPECT_EQ(static_cast<unsigned char>(cleaned.back()), 137);
    EXPECT_EQ(CleanString("Hi there 42!"), "Hi there 42!");
    EXPECT_EQ(CleanString(std::string("a\0b\x1B" "c\xE9", 6)), "ab\x1B" "c");
}

TEST(TextUtilities, IsSameText2) {
    EXPECT_TRUE(IsSameText2("", "", 0));
    EXPECT_TRUE(IsSameText2("abc", "abc", 0));
    EXPECT_FALSE(IsSameText2("abc", "ABC", 0));
    EXPECT_TRUE(IsSameText2("abc", "ABC", 1));
    EXPECT_FALSE(IsSameText2("abc", "abcd", 1));
    EXPECT_FALSE(IsSameText2("abc", "abd", 1));
}

TEST(TextUtilities, SplitB2KeepsEmptyPieces) {
    auto p = SplitB2("a;b;", ";");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], "a");
    EXPECT_EQ(p[1], "b");
    EXPECT_EQ(p[2], "");
    EXPECT_EQ(SplitB2("", ";").size(), 1u);
    EXPECT_EQ(SplitB2(";;;", ";").size(), 4u);
    p = SplitB2("x;y", "");
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0], "x;y");
    std::string nul(1, '\0');
    p = SplitB2(std::string("a\0\0b", 4), nul);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[2], "b");
    p = SplitB2("a::b::", "::");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[1], "b");
}

TEST(TextUtilities, Compress2OneCharacterPattern) {
    EXPECT_EQ(Compress2("a   b c", " ", 0), "a b c");
    EXPECT_EQ(Compress2("   ", " ", 0), " ");
    EXPECT_EQ(Compress2("", " ", 0), "");
    EXPECT_EQ(Compress2("abc", "", 0), "abc");
    // With the flag, a blank and Chr(0) match (bit 5 cleared).
    EXPECT_EQ(Compress2(std::string(" \0x", 3), " ", 1), " x");
    EXPECT_EQ(Compress2(std::string(" \0x", 3), " ", 0), std::string(" \0x", 3));
    EXPECT_EQ(Compress2("aAab", "a", 1), "ab");
}

TEST(TextUtilities, Compress2LongerPattern) {
    EXPECT_EQ(Compress2("xababy", "ab", 0), "xaby");
    EXPECT_EQ(Compress2("abababab", "ab", 0), "ab");
    // No step back after a failed start: "aabab" stays.
    EXPECT_EQ(Compress2("aabab", "ab", 0), "aabab");
    EXPECT_EQ(Compress2("abAB", "ab", 1), "ab");
    EXPECT_EQ(Compress2("abAB", "ab", 0), "abAB");
    EXPECT_EQ(Compress2("ab-ab", "ab", 0), "ab-ab");
}

TEST(TextUtilities, RandStaysInRangeAndReachesEveryValue) {
    std::set<int32_t> seen;
    for (int i = 0; i < 400; ++i) {
        int32_t r = Rand(1, 4);
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 4);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(Rand(7, 7), 7);
}

TEST(TextUtilities, FilterMessageMasks) {
    std::string t = "oh shit, SHITTY shit";
    std::string out = FilterMessage(t);
    EXPECT_EQ(out, t);
    EXPECT_EQ(out.find("shit"), std::string::npos);
    EXPECT_EQ(out.find("SHIT"), std::string::npos);
    ASSERT_EQ(out.size(), std::string("oh ####, ####TY ####").size());
    std::string m1 = out.substr(3, 4), m2 = out.substr(9, 4), m3 = out.substr(16, 4);
    EXPECT_EQ(m1, m2);
    EXPECT_EQ(m1, m3);
    for (char c : m1) EXPECT_NE(std::string("!@#$").find(c), std::string::npos);
    EXPECT_EQ(out.substr(13, 2), "TY");
    std::string shortText = "as";
    EXPECT_EQ(FilterMessage(shortText), "as");
    std::string clean = "hello there";
    EXPECT_EQ(FilterMessage(clean), "hello there");
}

TEST(TextUtilities, ReplaceCharsIgnoresCase) {
    EXPECT_EQ(ReplaceChars("Cat cAT dog", "cat", "x"), "x x dog");
    EXPECT_EQ(ReplaceChars("nothing", "cat", "x"), "nothing");
    // A replacement that holds the word does not loop.
    EXPECT_EQ(ReplaceChars("ab", "a", "aa"), "aab");
}
