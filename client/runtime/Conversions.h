// Conversions and string helpers with the semantics the client's procedures rely on.
// Strings are byte strings in code page 1252 and may hold Chr(0). Positions are 1-based.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace skx {

enum class Compare { Binary = 0, Text = 1 };

// Boolean from text: "True"/"False" in any letter case, or a number (non-zero is True);
// anything else raises error 13. Blanks around the text are ignored.
bool CBool(std::string_view text);
std::string BoolText(bool value);  // "True" / "False"

// Whole numbers: halves round to the even neighbour; out of range raises error 6.
uint8_t CByte(double value);
int16_t CInt(double value);
int32_t CLng(double value);
// Single precision: a value beyond the Single's range raises error 6 (never an infinity).
float CSng(double value);
// From text: the whole text must be a number (else error 13), then as above.
uint8_t CByte(std::string_view text);
int16_t CInt(std::string_view text);
int32_t CLng(std::string_view text);
double CDbl(std::string_view text);
// Strict number parse: true when the whole text (blanks around allowed) is a number.
bool TryParseNumber(std::string_view text, double& out);
bool IsNumeric(std::string_view text);

// Numeric prefix reader: blanks, tabs and line feeds are skipped anywhere in the number,
// "." is always the decimal point, "&H"/"&O" prefixes read hexadecimal/octal; stops at the
// first character that cannot continue the number; no number gives 0.
double Val(std::string_view text);

// Number to text, shortest form with up to 15 significant digits ("0.5", "-3", "1E+20").
std::string CStr(double value);
std::string CStr(int64_t value);
inline std::string CStr(int32_t value) { return CStr(static_cast<int64_t>(value)); }
inline std::string CStr(int16_t value) { return CStr(static_cast<int64_t>(value)); }
// Str(): as CStr with a leading blank for numbers that are not negative.
std::string Str(double value);

// Blank trimming (spaces only).
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

// Case folding over code page 1252.
char UpperChar(char c);
char LowerChar(char c);
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);

// 1-based substrings. Mid with start < 1 raises error 5; a start beyond the end gives "".
std::string Mid(std::string_view text, int64_t start, int64_t length = -1);
std::string Left(std::string_view text, int64_t length);
std::string Right(std::string_view text, int64_t length);
inline int32_t Len(std::string_view text) { return static_cast<int32_t>(text.size()); }

// Position (1-based) of find in text from start, 0 when absent; an empty find gives start
// (when start <= Len + 1). start < 1 raises error 5.
int32_t InStr(int64_t start, std::string_view text, std::string_view find, Compare cmp = Compare::Binary);
inline int32_t InStr(std::string_view text, std::string_view find, Compare cmp = Compare::Binary) {
    return InStr(1, text, find, cmp);
}
// Last position of find in text, 0 when absent.
int32_t InStrRev(std::string_view text, std::string_view find, Compare cmp = Compare::Binary);
// -1, 0 or 1.
int StrComp(std::string_view a, std::string_view b, Compare cmp = Compare::Binary);
bool TextEquals(std::string_view a, std::string_view b);  // case-insensitive equality
// Every occurrence of find replaced; an empty find returns the text unchanged.
std::string Replace(std::string_view text, std::string_view find, std::string_view with,
                    Compare cmp = Compare::Binary);
std::string String(int64_t count, char c);
std::string Chr(int code);  // one byte, code 0..255, else error 5
int Asc(std::string_view text);  // first byte, "" raises error 5

}  // namespace skx
