#include "Conversions.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "RunTimeError.h"

namespace skx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view TrimBlanks(std::string_view t) {
    while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
    return t;
}

double RoundHalfEven(double v) {
    double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
    return r;
}

template <class T>
T WholeNumber(double value, double lo, double hi) {
    if (std::isnan(value)) Raise(errOverflow);
    double r = RoundHalfEven(value);
    if (r < lo || r > hi) Raise(errOverflow);
    return static_cast<T>(r);
}

}  // namespace

bool TryParseNumber(std::string_view text, double& out) {
    std::string_view t = TrimBlanks(text);
    if (t.empty()) return false;
    if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
        int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
        uint64_t v = 0;
        size_t i = 2;
        for (; i < t.size(); ++i) {
            char c = t[i];
            int d;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else break;
            if (d >= base) return false;
            v = v * base + d;
            if (v > 0xFFFFFFFFull) return false;
        }
        if (i < t.size() && t[i] == '&') ++i;  // type suffix
        if (i != t.size()) return false;
        // Four-digit hexadecimal numbers are Integers, longer ones Longs (both signed).
        if (v <= 0xFFFF && t.size() - 2 <= 4) out = static_cast<int16_t>(v);
        else out = static_cast<int32_t>(static_cast<uint32_t>(v));
        return true;
    }
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') { ++i; ++digits; }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9') { ++j; ++expDigits; }
        if (expDigits == 0) return false;
        i = j;
    }
    if (i != t.size()) return false;
    std::string s(t);
    for (char& c : s) if (c == 'd' || c == 'D') c = 'E';
    out = std::strtod(s.c_str(), nullptr);
    if (std::isinf(out)) return false;
    return true;
}

bool IsNumeric(std::string_view text) {
    double d;
    return TryParseNumber(text, d);
}

bool CBool(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (TextEquals(t, "True")) return true;
    if (TextEquals(t, "False")) return false;
    double d;
    if (TryParseNumber(t, d)) return d != 0.0;
    Raise(errTypeMismatch);
}

std::string BoolText(bool value) { return value ? "True" : "False"; }

uint8_t CByte(double v) { return WholeNumber<uint8_t>(v, 0, 255); }
int16_t CInt(double v) { return WholeNumber<int16_t>(v, -32768, 32767); }
int32_t CLng(double v) { return WholeNumber<int32_t>(v, -2147483648.0, 2147483647.0); }
float CSng(double v) {
    if (std::isnan(v) || std::fabs(v) > std::numeric_limits<float>::max()) Raise(errOverflow);
    return static_cast<float>(v);
}

double CDbl(std::string_view text) {
    double d;
    if (!TryParseNumber(text, d)) Raise(errTypeMismatch);
    return d;
}
uint8_t CByte(std::string_view text) { return CByte(CDbl(text)); }
int16_t CInt(std::string_view text) { return CInt(CDbl(text)); }
int32_t CLng(std::string_view text) { return CLng(CDbl(text)); }

double Val(std::string_view text) {
    // Gather the characters that can form the number, skipping blanks anywhere.
    std::string s;
    size_t i = 0;
    auto skip = [&] { while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i; };
    skip();
    if (i + 1 < text.size() && text[i] == '&') {
        char p = text[i + 1];
        int base = (p == 'H' || p == 'h') ? 16 : (p == 'O' || p == 'o') ? 8 : 0;
        if (base) {
            i += 2;
            uint64_t v = 0;
            int n = 0;
            for (; i < text.size(); ++i) {
                char c = text[i];
                if (c == ' ' || c == '\t' || c == '\n') continue;
                int d;
                if (c >= '0' && c <= '9') d = c - '0';
                else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
                else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
                else break;
                if (d >= base) break;
                v = (v * base + d) & 0xFFFFFFFFull;
                ++n;
            }
            if (n <= 4 && v <= 0xFFFF) return static_cast<int16_t>(v);
            return static_cast<int32_t>(static_cast<uint32_t>(v));
        }
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) { s += text[i]; ++i; }
    bool seenDigit = false, seenPoint = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if (c >= '0' && c <= '9') { s += c; seenDigit = true; continue; }
        if (c == '.' && !seenPoint) { s += c; seenPoint = true; continue; }
        break;
    }
    if (!seenDigit) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string e = "E";
        size_t j = i + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t' || text[j] == '\n')) ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) { e += text[j]; ++j; }
        bool expDigit = false;
        for (; j < text.size(); ++j) {
            char c = text[j];
            if (c == ' ' || c == '\t' || c == '\n') continue;
            if (c >= '0' && c <= '9') { e += c; expDigit = true; continue; }
            break;
        }
        if (expDigit) s += e;
    }
    double d = std::strtod(s.c_str(), nullptr);
    if (std::isinf(d)) Raise(errOverflow);
    return d;
}

std::string CStr(int64_t value) { return std::to_string(value); }

std::string CStr(double value) {
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    std::string s(buf);
    // "1E+020" style exponents are trimmed to at least two digits by the C library already;
    // drop a leading zero in the mantissa of fractions: "0.5" stays, "-0.5" stays.
    auto e = s.find('E');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        char sign = exp[0];
        std::string digits = exp.substr(1);
        while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
        s = mant + "E" + sign + digits;
    }
    return s;
}

std::string Str(double value) {
    std::string s = CStr(value);
    return (value >= 0 ? " " : "") + s;
}

std::string Trim(std::string_view t) { return RTrim(LTrim(t)); }
std::string LTrim(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    return std::string(t.substr(i));
}
std::string RTrim(std::string_view t) {
    size_t n = t.size();
    while (n > 0 && t[n - 1] == ' ') --n;
    return std::string(t.substr(0, n));
}

char UpperChar(char ch) {
    auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 32);
    switch (c) {
        case 0x9A: return static_cast<char>(0x8A);
        case 0x9C: return static_cast<char>(0x8C);
        case 0x9E: return static_cast<char>(0x8E);
        case 0xFF: return static_cast<char>(0x9F);
        default: return ch;
    }
}

char LowerChar(char ch) {
    auto c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
    switch (c) {
        case 0x8A: return static_cast<char>(0x9A);
        case 0x8C: return static_cast<char>(0x9C);
        case 0x8E: return static_cast<char>(0x9E);
        case 0x9F: return static_cast<char>(0xFF);
        default: return ch;
    }
}

std::string UCase(std::string_view t) {
    std::string s(t);
    for (char& c : s) c = UpperChar(c);
    return s;
}
std::string LCase(std::string_view t) {
    std::string s(t);
    for (char& c : s) c = LowerChar(c);
    return s;
}

std::string Mid(std::string_view text, int64_t start, int64_t length) {
    if (start < 1) Raise(errInvalidProcedureCall);
    if (length < -1) Raise(errInvalidProcedureCall);
    if (static_cast<uint64_t>(start) > text.size()) return {};
    size_t from = static_cast<size_t>(start - 1);
    size_t n = length < 0 ? std::string_view::npos : static_cast<size_t>(length);
    return std::string(text.substr(from, n));
}

std::string Left(std::string_view text, int64_t length) {
    if (length < 0) Raise(errInvalidProcedureCall);
    return std::string(text.substr(0, static_cast<size_t>(std::min<int64_t>(length, text.size()))));
}

std::string Right(std::string_view text, int64_t length) {
    if (length < 0) Raise(errInvalidProcedureCall);
    size_t n = static_cast<size_t>(std::min<int64_t>(length, text.size()));
    return std::string(text.substr(text.size() - n));
}

namespace {
bool EqualAt(std::string_view text, size_t pos, std::string_view find, Compare cmp) {
    for (size_t k = 0; k < find.size(); ++k) {
        char a = text[pos + k], b = find[k];
        if (cmp == Compare::Text) { a = LowerChar(a); b = LowerChar(b); }
        if (a != b) return false;
    }
    return true;
}
}  // namespace

int32_t InStr(int64_t start, std::string_view text, std::string_view find, Compare cmp) {
    if (start < 1) Raise(errInvalidProcedureCall);
    if (static_cast<uint64_t>(start) > text.size()) return find.empty() && static_cast<uint64_t>(start) == text.size() + 1 ? 0 : 0;
    if (find.empty()) return static_cast<int32_t>(start);
    if (find.size() > text.size()) return 0;
    for (size_t pos = static_cast<size_t>(start - 1); pos + find.size() <= text.size(); ++pos) {
        if (EqualAt(text, pos, find, cmp)) return static_cast<int32_t>(pos + 1);
    }
    return 0;
}

int32_t InStrRev(std::string_view text, std::string_view find, Compare cmp) {
    if (find.empty()) return static_cast<int32_t>(text.size());
    if (find.size() > text.size()) return 0;
    for (size_t pos = text.size() - find.size() + 1; pos-- > 0;) {
        if (EqualAt(text, pos, find, cmp)) return static_cast<int32_t>(pos + 1);
    }
    return 0;
}

int StrComp(std::string_view a, std::string_view b, Compare cmp) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(cmp == Compare::Text ? LowerChar(a[i]) : a[i]);
        auto y = static_cast<unsigned char>(cmp == Compare::Text ? LowerChar(b[i]) : b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool TextEquals(std::string_view a, std::string_view b) { return StrComp(a, b, Compare::Text) == 0; }

std::string Replace(std::string_view text, std::string_view find, std::string_view with, Compare cmp) {
    if (find.empty()) return std::string(text);
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        if (pos + find.size() <= text.size() && EqualAt(text, pos, find, cmp)) {
            out += with;
            pos += find.size();
        } else {
            out += text[pos++];
        }
    }
    return out;
}

std::string String(int64_t count, char c) {
    if (count < 0) Raise(errInvalidProcedureCall);
    return std::string(static_cast<size_t>(count), c);
}

std::string Chr(int code) {
    if (code < 0 || code > 255) Raise(errInvalidProcedureCall);
    return std::string(1, static_cast<char>(code));
}

int Asc(std::string_view text) {
    if (text.empty()) Raise(errInvalidProcedureCall);
    return static_cast<unsigned char>(text[0]);
}

}  // namespace skx
