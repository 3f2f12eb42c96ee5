#include "VoteTally.h"

#include <algorithm>
#include <unordered_set>

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

VoteTally ReadVoteTally(const std::string& data) {
    VoteTally tally;
    if (data.empty()) return tally;  // no games at all
    std::unordered_set<std::string> listed;
    for (const std::string& record : SplitB2(data, ";")) {
        const std::vector<std::string> fields = SplitB2(record, ":");
        const bool usable = fields.size() >= 2 && !fields[0].empty();
        if (!usable || !listed.insert(LCase(fields[0])).second) {
            if (tally.Skipped++ == 0) {
                tally.FirstSkipped = record;
                tally.FirstSkippedRepeats = usable;
            }
            continue;
        }
        tally.Records.push_back(VoteRecord{fields[0], fields[1]});
    }
    return tally;
}

bool HateFlag(const std::string& value) {
    const std::string t = Trim(value);
    if (TextEquals(t, "True")) return true;
    double number = 0;
    return TryParseNumber(t, number) && number != 0.0;
}

VoteIcon VoteIconFor(const std::string& game, const std::string& storedVote, const std::string& hateValue) {
    if (TextEquals(Trim(game), Trim(storedVote))) return VoteIcon::Voted;
    return HateFlag(hateValue) ? VoteIcon::Hated : VoteIcon::Other;
}

std::string VoteCommand(const std::string& game) { return "vote '" + game + "'"; }

std::string HateCommand(const std::string& game, bool hate) {
    std::string joined = game;
    joined.erase(std::remove(joined.begin(), joined.end(), ' '), joined.end());
    return (hate ? "game hate " : "game like ") + joined;
}

std::string VoteTallyLine(const std::string& data) {
    if (data.empty()) return {};
    std::string line;
    for (const std::string& record : SplitB2(data, ";")) line += record + " ";
    return line;
}

}  // namespace skx
