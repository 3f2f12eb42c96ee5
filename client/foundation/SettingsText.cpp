#include "SettingsText.h"

#include <algorithm>
#include <string_view>

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

std::string VoteGameText(const std::string& text) { return Without(text, std::string_view("\r\n\0'&", 5)); }

}  // namespace skx
