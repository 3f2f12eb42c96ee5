#include "IgnoreList.h"

#include <algorithm>

#include "runtime/Conversions.h"

namespace skx {

namespace {
// The next line of text from pos: up to a CR (a CR LF counts as one ending) or the end.
std::string_view NextLine(std::string_view text, size_t& pos) {
    const size_t end = std::min(text.find('\r', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size()) ++pos;
    if (pos < text.size() && text[pos] == '\n' && text[pos - 1] == '\r') ++pos;
    return line;
}
}  // namespace

bool IgnoreList::Contains(std::string_view name) const {
    return std::find(entries_.begin(), entries_.end(), name) != entries_.end();
}

bool IgnoreList::Add(std::string name) {
    if (name.find_first_of("\r\n") != std::string::npos) return false;
    entries_.push_back(std::move(name));
    return true;
}

void IgnoreList::RemoveAt(const std::vector<int>& positions) {
    std::vector<bool> gone(entries_.size(), false);
    for (int p : positions) {
        if (p >= 0 && p < Count()) gone[static_cast<size_t>(p)] = true;
    }
    std::vector<std::string> kept;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!gone[i]) kept.push_back(std::move(entries_[i]));
    }
    entries_ = std::move(kept);
}

std::string IgnoreList::FileText() const {
    std::string text = Str(static_cast<double>(entries_.size())) + " \r\n";
    for (const std::string& name : entries_) text += name + "\r\n";
    return text;
}

bool IgnoreList::ReadFileText(std::string_view text) {
    entries_.clear();
    if (text.empty()) return true;
    size_t pos = 0;
    const double count = Val(NextLine(text, pos));
    for (double read = 0; read < count; ++read) {
        if (pos >= text.size()) return false;
        entries_.emplace_back(NextLine(text, pos));
    }
    return true;
}

std::string NameFromCommandLine(const std::string& typed) { return Replace(typed, "_", " "); }

}  // namespace skx
