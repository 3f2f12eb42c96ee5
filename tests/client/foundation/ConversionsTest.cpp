#include <gtest/gtest.h>

#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

using namespace skx;

namespace {
template <class F>
int32_t ErrorOf(F&& f) {
    try {
        f();
    } catch (const RunTimeError& e) {
        return e.Number();
    }
    return 0;
}
}  // namespace

TEST(Conversions, BooleanFromText) {
    EXPECT_TRUE(CBool("True"));
    EXPECT_TRUE(CBool("tRUE"));
    EXPECT_FALSE(CBool("FALSE"));
    EXPECT_FALSE(CBool(" false "));
    EXPECT_TRUE(CBool("1"));
    EXPECT_TRUE(CBool("-1"));
    EXPECT_TRUE(CBool("0.5"));
    EXPECT_FALSE(CBool("0"));
    EXPECT_EQ(ErrorOf([] { CBool("yes"); }), 13);
    EXPECT_EQ(ErrorOf([] { CBool(""); }), 13);
    EXPECT_EQ(ErrorOf([] { CBool("1x"); }), 13);
    EXPECT_EQ(BoolText(true), "True");
    EXPECT_EQ(BoolText(false), "False");
}

TEST(Conversions, WholeNumbersRoundHalfToEven) {
    struct { double in; int32_t out; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {32767.4, 32767}, {-32768.5, -32768}};
    for (auto& c : cases) {
        EXPECT_EQ(CInt(c.in), c.out) << c.in;
        EXPECT_EQ(CLng(c.in), c.out) << c.in;
    }
    EXPECT_EQ(CByte(254.5), 254);
    EXPECT_EQ(CByte(255.4), 255);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(-2147483648.0), static_cast<int32_t>(-2147483647 - 1));
}

TEST(Conversions, OverflowIsError6) {
    EXPECT_EQ(ErrorOf([] { CInt(32767.5); }), 6);
    EXPECT_EQ(ErrorOf([] { CInt(-32768.6); }), 6);
    EXPECT_EQ(ErrorOf([] { CByte(-0.6); }), 6);
    EXPECT_EQ(ErrorOf([] { CByte(255.5); }), 6);
    EXPECT_EQ(ErrorOf([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(ErrorOf([] { CLng(4e9); }), 6);
    EXPECT_EQ(ErrorOf([] { CByte(-0.5); }), 0);  // rounds to 0
}

TEST(Conversions, WholeNumbersFromText) {
    EXPECT_EQ(CInt("12"), 12);
    EXPECT_EQ(CInt(" -7 "), -7);
    EXPECT_EQ(CInt("2.5"), 2);
    EXPECT_EQ(CLng("&HFF"), 255);
    EXPECT_EQ(CInt("&HFFFF"), -1);
    EXPECT_EQ(CLng("1E3"), 1000);
    EXPECT_EQ(ErrorOf([] { CInt("12abc"); }), 13);
    EXPECT_EQ(ErrorOf([] { CInt(""); }), 13);
    EXPECT_EQ(ErrorOf([] { CInt("40000"); }), 6);
}

TEST(Conversions, NumericPrefixReader) {
    EXPECT_DOUBLE_EQ(Val("123abc"), 123);
    EXPECT_DOUBLE_EQ(Val("  1 2 3"), 123);
    EXPECT_DOUBLE_EQ(Val("3.25.7"), 3.25);
    EXPECT_DOUBLE_EQ(Val("-4.5x"), -4.5);
    EXPECT_DOUBLE_EQ(Val("abc"), 0);
    EXPECT_DOUBLE_EQ(Val(""), 0);
    EXPECT_DOUBLE_EQ(Val("1,5"), 1);  // "." is the only decimal point
    EXPECT_DOUBLE_EQ(Val("&HFF"), 255);
    EXPECT_DOUBLE_EQ(Val("&HFFFF"), -1);
    EXPECT_DOUBLE_EQ(Val("&O17"), 15);
    EXPECT_DOUBLE_EQ(Val("1e3x"), 1000);
    EXPECT_DOUBLE_EQ(Val("2e"), 2);
    EXPECT_DOUBLE_EQ(Val(std::string("7\0" "8", 3)), 7);
}

TEST(Conversions, NumberToText) {
    EXPECT_EQ(CStr(0.5), "0.5");
    EXPECT_EQ(CStr(-3.0), "-3");
    EXPECT_EQ(CStr(0.0), "0");
    EXPECT_EQ(CStr(1e20), "1E+20");
    EXPECT_EQ(CStr(1.25e-7), "1.25E-07");
    EXPECT_EQ(CStr(int32_t{-42}), "-42");
    EXPECT_EQ(Str(5), " 5");
    EXPECT_EQ(Str(-5), "-5");
}

TEST(Conversions, TrimsBlanksOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(LTrim("  x "), "x ");
    EXPECT_EQ(RTrim("  x "), "  x");
    EXPECT_EQ(Trim("   "), "");
}

TEST(Conversions, CaseFoldingOverCodePage1252) {
    EXPECT_EQ(UCase("abc\xE9\xFF\x9A"), "ABC\xC9\x9F\x8A");
    EXPECT_EQ(LCase("ABC\xC9\x9F\x8A"), "abc\xE9\xFF\x9A");
    EXPECT_EQ(UCase("\xF7\xDF"), "\xF7\xDF");  // division sign and sharp s stay
    EXPECT_EQ(InStr(1, "xx\xC9T\xC9", "\xE9t", Compare::Text), 3);
    EXPECT_EQ(InStr(1, "xx\xC9T\xC9", "\xE9t", Compare::Binary), 0);
    EXPECT_TRUE(TextEquals("Hello", "hELLO"));
}

TEST(Conversions, SubstringsAreOneBased) {
    EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Mid("abcdef", 4), "def");
    EXPECT_EQ(Mid("abc", 4, 2), "");
    EXPECT_EQ(Mid("abc", 2, 99), "bc");
    EXPECT_EQ(ErrorOf([] { Mid("abc", 0, 1); }), 5);
    EXPECT_EQ(Left("abc", 5), "abc");
    EXPECT_EQ(Right("abc", 2), "bc");
    EXPECT_EQ(InStr("abcabc", "c"), 3);
    EXPECT_EQ(InStr(4, "abcabc", "c"), 6);
    EXPECT_EQ(InStr(7, "abcabc", "c"), 0);
    EXPECT_EQ(InStr("abc", ""), 1);
    EXPECT_EQ(InStr("abc", "abcd"), 0);
    EXPECT_EQ(InStrRev("abcabc", "b"), 5);
    EXPECT_EQ(Replace("a.b.c", ".", "::"), "a::b::c");
    EXPECT_EQ(Replace("AbAB", "ab", "x", Compare::Text), "xx");
    std::string withNul("a\0b", 3);
    EXPECT_EQ(InStr(withNul, std::string("\0", 1)), 2);
    EXPECT_EQ(Len(withNul), 3);
}

TEST(Conversions, StandardErrorTexts) {
    EXPECT_EQ(ErrorText(5), "Invalid procedure call or argument");
    EXPECT_EQ(ErrorText(6), "Overflow");
    EXPECT_EQ(ErrorText(13), "Type mismatch");
    EXPECT_EQ(ErrorText(53), "File not found");
    EXPECT_EQ(ErrorText(91), "Object variable or With block variable not set");
    EXPECT_EQ(ErrorText(429), "ActiveX component can't create object");
    EXPECT_EQ(ErrorText(12345), "Application-defined or object-defined error");
}
