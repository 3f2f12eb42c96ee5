#include "NoteIdSet.h"

#include "runtime/Conversions.h"

namespace skx {

namespace {
std::string Piece(const std::string& id) { return "|" + id + "|"; }
}  // namespace

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
    return InStr(text_, Piece(id), Compare::Text) != 0;
}

bool NoteIdSet::Add(const std::string& id) {
    if (Contains(id)) return false;
    text_ += Piece(id);
    return true;
}

}  // namespace skx
