#include "HoldingMusicList.h"

#include <algorithm>

namespace skx {

std::string HoldingMusicText(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& e : entries) text += "\"" + e + "\"\r\n";
    return text;
}

std::vector<std::string> HoldingMusicEntries(std::string_view text) {
    std::vector<std::string> entries;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const size_t open = line.find('"'), close = line.rfind('"');
        if (open != std::string_view::npos && close > open) entries.emplace_back(line.substr(open + 1, close - open - 1));
    }
    return entries;
}

}  // namespace skx
