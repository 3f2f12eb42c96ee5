#include "TopList.h"

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

namespace {
// The leading number of a value; an overlong one reads as infinity, still ordered.
double LeadingNumber(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    double sign = 1;
    if (text[i] == '-' || text[i] == '+') sign = text[i++] == '-' ? -1 : 1;
    double value = 0, scale = 1;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (point) value += (c - '0') * (scale /= 10);
            else value = value * 10 + (c - '0');
        } else {
            break;
        }
    }
    return sign * value;
}
}  // namespace

int CompareTopValues(const std::string& a, const std::string& b) {
    const double x = LeadingNumber(a), y = LeadingNumber(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace skx
