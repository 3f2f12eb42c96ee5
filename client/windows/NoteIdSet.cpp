#include "NoteIdSet.h"

#include <algorithm>
#include <functional>

#include "runtime/Conversions.h"

namespace skx {

namespace {
std::string Piece(const std::string& id) { return "|" + id + "|"; }
}  // namespace

NoteIdSet::NoteIdSet(std::string text) : text_(std::move(text)), folded_(LCase(text_)) {}

NoteIdSet NoteIdSet::FromFile(const std::string& bytes) {
    std::string text;
    size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == ',' || c == '\r' || c == '\n' || c == ' ' || c == '\t') {
            ++i;
        } else if (c == '"') {
            const size_t end = bytes.find('"', i + 1);
            const size_t stop = end == std::string::npos ? bytes.size() : end;
            text += bytes.substr(i + 1, stop - i - 1);
            i = stop + 1;
        } else {
            size_t stop = bytes.find_first_of(",\r\n", i);
            if (stop == std::string::npos) stop = bytes.size();
            text += Trim(bytes.substr(i, stop - i));
            i = stop;
        }
    }
    return NoteIdSet(std::move(text));
}

std::string NoteIdSet::FileBytes() const { return "\"" + text_ + "\"\r\n"; }

bool NoteIdSet::Contains(const std::string& id) const {
    // A bar starts every piece, so a plain find would stop at every bar: skip ahead instead.
    const std::string piece = LCase(Piece(id));
    const std::boyer_moore_horspool_searcher searcher(piece.begin(), piece.end());
    return std::search(folded_.begin(), folded_.end(), searcher) != folded_.end();
}

bool NoteIdSet::Add(const std::string& id) {
    if (Contains(id)) return false;
    text_ += Piece(id);
    folded_ += LCase(Piece(id));
    return true;
}

}  // namespace skx
