// A settings file read once into memory and asked as the platform's private-profile reader
// answers: sections and keys found without regard to letter case, the first of each counting,
// blanks around keys and values dropped, one pair of matching quotes round a value removed,
// at most MaxIniValue characters of a value. For files read key by key at start-up, where a
// profile call per key would open the file again each time. Pure text work.
#pragma once
#include <string>
#include <unordered_map>

namespace skx {

class IniText {
public:
    explicit IniText(const std::string& text);
    // The value of Section/Key; empty when missing.
    std::string Get(const std::string& section, const std::string& key) const;

private:
    std::unordered_map<std::string, std::string> values_;  // lower-case "section\nkey" -> value
};

}  // namespace skx
