// The profile window's data: the server's player, awards and administration lists, the captions
// of their boxes and the text of the profile request.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace skx {

constexpr size_t PlayerInfoCount = 10;
constexpr size_t AdminFieldCount = 23;
extern const std::array<const char*, PlayerInfoCount> PlayerInfoCaptions;
extern const std::array<const char*, AdminFieldCount> AdminCaptions;

// The values of a ";" list (empty values kept) when there are exactly count of them.
std::optional<std::vector<std::string>> ProfileValues(const std::string& text, size_t count);

struct AwardRow {
    std::string Text;  // tier prefix & award name ("Gold Evader")
    int Icon = 0;      // picture of the award icons, from 1: 3 x award + tier
};
// The rows of an awards list: items split on ";", each the award's letter (a to h, letter case
// ignored) and, as its last character, the tiers held (a non-digit counts 0, above 3 counts 3).
std::vector<AwardRow> AwardRows(const std::string& text);

// The data of a profile request: the user name, Chr(0), the page's number (1 to 3).
std::string ProfileRequestData(const std::string& name, int page);

}  // namespace skx
