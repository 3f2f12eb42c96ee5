// Line breaks inside note texts and the signature travel as the tokens "<CRLF>", "<CR>" and
// "<LF>".
#pragma once
#include <string>

namespace skx {

// CR LF to "<CRLF>" first, then each remaining CR to "<CR>", then each remaining LF to "<LF>".
std::string EncodeLineBreaks(const std::string& text);
// The note readers: "<CR>", then "<LF>", then "<CRLF>" back to line breaks, letter case ignored.
std::string DecodeNoteLineBreaks(const std::string& text);
// The signature window: "<CRLF>" first, then "<CR>", then "<LF>", letter case kept.
std::string DecodeSignatureLineBreaks(const std::string& text);

}  // namespace skx
