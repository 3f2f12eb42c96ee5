#include "TextUtilities.h"

#include <array>
#include <climits>
#include <cmath>

#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/VbRandom.h"

namespace skx {

std::string CleanString(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c <= 25 || c >= 138) continue;
        out += ch;
    }
    return out;
}

bool IsSameText2(const std::string& a, const std::string& b, int mode) {
    if (a.size() != b.size()) return false;
    if (mode == 0) return b.find(a) != std::string::npos;
    return StrComp(a, b, Compare::Text) == 0;
}

void SplitB2(const std::string& text, std::vector<std::string>& parts, const std::string& separator) {
    parts.clear();
    if (separator.empty()) {
        parts.push_back(text);
        return;
    }
    size_t from = 0;
    for (;;) {
        size_t at = text.find(separator, from);
        if (at == std::string::npos) {
            parts.push_back(text.substr(from));
            return;
        }
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
}

std::vector<std::string> SplitB2(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    SplitB2(text, parts, separator);
    return parts;
}

std::string Compress2(const std::string& text, const std::string& pattern, int16_t ignoreCase) {
    if (text.empty()) return {};
    if (pattern.empty()) return text;
    const unsigned mask = ignoreCase ? 223u : 255u;
    auto code = [&](char c) { return static_cast<unsigned char>(c) & mask; };
    std::string out;
    out.reserve(text.size());
    if (pattern.size() == 1) {
        unsigned p = code(pattern[0]);
        int run = 0;
        for (char c : text) {
            run = (code(c) == p) ? run + 1 : 0;
            if (run < 2) out += c;
        }
        return out;
    }
    size_t j = 0;
    int count = 0;
    for (char c : text) {
        if (code(c) == code(pattern[j])) {
            if (++j == pattern.size()) {
                ++count;
                j = 0;
            }
        } else {
            count = 0;
            j = 0;
        }
        out += c;
        if (count == 2) {
            count = 1;
            out.resize(out.size() - pattern.size());
        }
    }
    return out;
}

namespace {
// 25 entries, 23 different words: "damn" and "crap" stand twice.
const std::array<const char*, 25> kFilterWords = {
    "fuck", "shit", "bitch", "cunt", "damn", "bastard", "asshole", "dick", "pussy", "cock",
    "whore", "slut", "crap", "piss", "fag", "nigger", "wank", "twat", "prick", "bollocks",
    "damn", "douche", "crap", "motherfucker", "retard"};
}  // namespace

namespace {
// Every occurrence of word in text replaced, in one pass that builds the text once (a
// rebuild per match made a long line cost its length for each word in it). folded is the text
// lower-cased and is kept so. The search goes on after each occurrence, so a replacement that
// holds the word is never searched again.
void ReplaceFolded(std::string& text, std::string& folded, const std::string& word, const std::string& replacement) {
    const std::string key = LCase(word);
    size_t at = folded.find(key);
    if (at == std::string::npos) return;
    const std::string foldedReplacement = LCase(replacement);
    std::string out, outFolded;
    out.reserve(text.size());
    outFolded.reserve(text.size());
    size_t from = 0;
    for (; at != std::string::npos; at = folded.find(key, from)) {
        out.append(text, from, at - from).append(replacement);
        outFolded.append(folded, from, at - from).append(foldedReplacement);
        from = at + key.size();
    }
    out.append(text, from, std::string::npos);
    outFolded.append(folded, from, std::string::npos);
    text = std::move(out);
    folded = std::move(outFolded);
}
}  // namespace

std::string FilterMessage(std::string& text) {
    Guard("modMiscFunctionsTwo", "FilterMessage", [&] {
        if (text.size() < 3) return;
        std::string folded = LCase(text);
        for (const char* word : kFilterWords) {
            std::string mask = sReplace();
            ReplaceFolded(text, folded, word, mask);
        }
    });
    return text;
}

std::string sReplace() {
    std::string mask;
    Guard("modMiscFunctionsTwo", "sReplace", [&] {
        static const char symbols[] = {'!', '@', '#', '$'};
        for (int i = 0; i < 4; ++i) {
            int32_t r = Rand(1, 4);
            mask += symbols[r - 1];
        }
    });
    return mask;
}

std::string ReplaceChars(std::string text, const std::string& word, const std::string& replacement) {
    Guard("modMiscFunctionsTwo", "ReplaceChars", [&] {
        if (word.empty()) return;
        std::string folded = LCase(text);
        ReplaceFolded(text, folded, word, replacement);
    });
    return text;
}

int32_t Rand(int32_t lower, int32_t upper) {
    int32_t result = 0;
    Guard("modMiscFunctionsOne", "Rand", [&] {
        Randomize(Timer());
        int64_t span = static_cast<int64_t>(upper) - lower + 1;
        if (span > INT32_MAX || span < INT32_MIN) Raise(errOverflow);
        float r = Rnd();
        double v = static_cast<double>(r) * static_cast<double>(span);
        result = static_cast<int32_t>(static_cast<int64_t>(std::floor(v)) + lower);
    });
    return result;
}

}  // namespace skx
