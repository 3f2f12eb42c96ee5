#include "ProfileData.h"

#include "ProtocolSeparators.h"
#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

const std::array<const char*, PlayerInfoCount> PlayerInfoCaptions{
    "Name:", "User ID#:", "Team:", "Games:", "Bonus:", "Splats:", "Accuracy:", "Survived:", "Won:", "Splats / Game:"};

const std::array<const char*, AdminFieldCount> AdminCaptions{
    "E-Mail:",   "Team:",        "Version:",   "Splats:",  "Level:",        "Strikes:",     "OriginalCode:", "Skill Splats:",
    "Evasion:",  "Haggle:",      "Level Splats:", "In Game:", "Sex:",       "Reset:",       "IP Address:",   "Bots:",
    "Shutup:",   "AccessCode:",  "Skill Points:", "Accuracy:", "Mechanics:", "Cash:",       "Password:"};

namespace {
const char* const AwardNames[] = {"Bot Harvester", "Player Harvester", "Evader",    "Ace",
                                  "Coffee Cup",    "Tournament Ace",   "Strongman", "Ironman"};
const char* const TierPrefixes[] = {"Emerald ", "Gold ", "Ruby "};
constexpr int MostTiers = 3;
}  // namespace

std::optional<std::vector<std::string>> ProfileValues(const std::string& text, size_t count) {
    std::vector<std::string> values = SplitB2(text, ";");
    if (values.size() != count) return std::nullopt;
    return values;
}

std::vector<AwardRow> AwardRows(const std::string& text) {
    std::vector<AwardRow> rows;
    for (const std::string& item : SplitB2(text, ";")) {
        if (item.empty()) continue;
        const char letter = LowerChar(item.front());
        if (letter < 'a' || letter > 'h') continue;
        const int award = letter - 'a';
        const char last = item.back();
        int tiers = last >= '0' && last <= '9' ? last - '0' : 0;
        if (tiers > MostTiers) tiers = MostTiers;
        for (int tier = 1; tier <= tiers; ++tier) {
            rows.push_back(AwardRow{std::string(TierPrefixes[tier - 1]) + AwardNames[award], 3 * award + tier});
        }
    }
    return rows;
}

std::string ProfileRequestData(const std::string& name, int page) { return name + FieldSeparator + std::to_string(page); }

}  // namespace skx
