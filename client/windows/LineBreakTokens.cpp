#include "LineBreakTokens.h"

#include "runtime/Conversions.h"

namespace skx {

std::string EncodeLineBreaks(const std::string& text) {
    std::string out = Replace(text, "\r\n", "<CRLF>");
    out = Replace(out, "\r", "<CR>");
    return Replace(out, "\n", "<LF>");
}

std::string DecodeNoteLineBreaks(const std::string& text) {
    std::string out = Replace(text, "<CR>", "\r", Compare::Text);
    out = Replace(out, "<LF>", "\n", Compare::Text);
    return Replace(out, "<CRLF>", "\r\n", Compare::Text);
}

std::string DecodeSignatureLineBreaks(const std::string& text) {
    std::string out = Replace(text, "<CRLF>", "\r\n");
    out = Replace(out, "<CR>", "\r");
    return Replace(out, "<LF>", "\n");
}

}  // namespace skx
