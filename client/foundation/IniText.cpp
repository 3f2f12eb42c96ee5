#include "IniText.h"

#include <cctype>

#include "SettingsFiles.h"

namespace skx {

namespace {

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

IniText::IniText(const std::string& text) {
    std::string section;
    bool inSection = false;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            section = Lower(Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            inSection = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos) continue;
        std::string value = Trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
            value = value.substr(1, value.size() - 2);
        }
        if (value.size() > MaxIniValue) value.resize(MaxIniValue);
        // The first of a key counts, also when its section comes again further down.
        values_.emplace(section + "\n" + Lower(Trimmed(line.substr(0, equals))), value);
    }
}

std::string IniText::Get(const std::string& section, const std::string& key) const {
    const auto found = values_.find(Lower(Trimmed(section)) + "\n" + Lower(Trimmed(key)));
    return found == values_.end() ? std::string() : found->second;
}

}  // namespace skx
