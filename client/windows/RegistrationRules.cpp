#include "RegistrationRules.h"

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {
constexpr char AddressCharacters[] = "abcdefghijklmnopqrstuvwxyz1234567890@.-_";
constexpr size_t CodeLength = 7;
}  // namespace

bool ValidateEmail(const std::string& address, const std::function<void()>& warn) {
    if (address.find('@') == std::string::npos) return false;
    const std::string lower = LCase(address);
    if (lower.find("hotmail") != std::string::npos && warn) warn();
    if (lower.find("yahoo") != std::string::npos && warn) warn();
    if (lower.find_first_not_of(AddressCharacters) != std::string::npos) return false;
    const std::vector<std::string> parts = SplitB2(address, "@");
    if (parts.size() != 2) return false;
    for (const std::string& piece : SplitB2(parts[0], ".")) {
        if (piece.empty()) return false;
    }
    if (parts[0].size() < 2) return false;
    if (parts[1].find('.') == std::string::npos) return false;
    for (const std::string& piece : SplitB2(parts[1], ".")) {
        if (piece.size() < 2) return false;
    }
    return true;
}

std::optional<std::string> RegistrationCode(const std::string& typed) {
    if (CleanString(typed).empty()) return std::nullopt;
    if (typed.size() == CodeLength) return typed;
    if (typed.size() == CodeLength + 2 && typed.front() == '\'' && typed.back() == '\'') {
        return typed.substr(1, CodeLength);
    }
    return std::nullopt;
}

}  // namespace skx
