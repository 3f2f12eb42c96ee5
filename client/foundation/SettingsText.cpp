#include "SettingsText.h"

#include <algorithm>
#include <string_view>

#include "runtime/Conversions.h"

namespace skx {

namespace {
std::string Without(const std::string& text, std::string_view drop) {
    std::string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [&](char c) { return drop.find(c) == std::string_view::npos; });
    return out;
}
}  // namespace

std::string IniKeyText(const std::string& text) {
    return Without(text, std::string_view("\r\n\0=[]", 6));
}

std::string IniValueText(const std::string& text) { return Without(text, std::string_view("\r\n\0", 3)); }

bool IsVoteGameText(const std::string& text) {
    return text.find_first_of(std::string_view("'\r\n\0", 4)) == std::string::npos &&
           text.find(" & ") == std::string::npos;
}

std::string HateKey(const std::string& game) {
    const std::string key = Trim(Left(Trim(IniKeyText(game)), MostHateKeyLength));
    return TextEquals(key, HateListKey) ? std::string() : key;
}

}  // namespace skx
