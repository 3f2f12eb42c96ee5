// Small text procedures the whole client uses: cleaning user text, comparing and splitting
// texts, collapsing repeats, and the chat language filter.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skx {

// Removes every character with code 0 to 25 and every one with code 138 to 255.
std::string CleanString(const std::string& text);

// False when the lengths differ; mode 0: a found in b byte-wise (so equal texts, including
// two empty ones); mode 1: equal ignoring case; other modes compare as mode 1.
bool IsSameText2(const std::string& a, const std::string& b, int mode);

// Cuts text at every separator into a 0-based list; empty pieces stay; an empty separator
// gives one element holding the whole text.
void SplitB2(const std::string& text, std::vector<std::string>& parts, const std::string& separator);
std::vector<std::string> SplitB2(const std::string& text, const std::string& separator);

// Each run of directly repeated occurrences of pattern collapsed into its first occurrence.
std::string Compress2(const std::string& text, const std::string& pattern, int16_t ignoreCase);

// The chat language filter: masks every listed word (any case, inside longer words too).
std::string FilterMessage(std::string& text);
// A random mask of four symbols from "!@#$".
std::string sReplace();
// Every occurrence of word (case ignored) replaced by replacement.
std::string ReplaceChars(std::string text, const std::string& word, const std::string& replacement);
// A random whole number from lower to upper inclusive; re-seeds from the timer each call.
int32_t Rand(int32_t lower, int32_t upper);

}  // namespace skx
