#include "TopList.h"

#include "LeadingNumber.h"
#include "TextUtilities.h"

namespace skx {

const std::vector<std::string> TopCategories = {
    "Last Game Splats",      "Top 25 Splats",        "Top 25 Bonus",          "Top 25 Games Played",
    "Top 25 Games Survived", "Top 25 Game Winners",  "Top 25 Game Splatters", "Top 25 Player Splats",
    "Top 25 Bot Splats",     "Top 25 Dodgers",       "Top 25 Tournament Winners", "Top 25 Online Hours!"};

std::vector<TopRecord> ReadTopList(const std::string& data) {
    std::vector<TopRecord> records;
    if (data.empty()) return records;
    for (const std::string& record : SplitB2(data, ";")) {
        const std::vector<std::string> f = SplitB2(record, ":");
        if (f.size() < 3) continue;
        records.push_back(TopRecord{f[0], f[1], f[2]});
    }
    return records;
}

int CompareTopValues(const std::string& a, const std::string& b) {
    const double x = LeadingNumber(a, true), y = LeadingNumber(b, true);
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace skx
