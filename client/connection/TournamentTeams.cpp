#include "TournamentTeams.h"

#include <set>

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

TournamentTeamsRead ReadTournamentTeams(const std::vector<std::string>& fields) {
    TournamentTeamsRead read;
    std::set<std::string> names;
    for (size_t i = 1; i + 1 < fields.size(); ++i) {
        const std::vector<std::string> parts = SplitB2(fields[i], ":");
        if (parts.size() < 4) {
            read.Malformed = true;
            break;
        }
        if (parts[0].empty() || !names.insert(LCase(parts[0])).second) {
            if (!read.Refused) read.RefusedName = parts[0];
            read.Refused = true;
            continue;
        }
        TournamentTeam team{parts[0], parts[0] + " (" + parts[1] + "W " + parts[2] + "L)", {}};
        for (std::string& member : SplitB2(parts[3], "~")) {
            if (!member.empty()) team.Members.push_back(std::move(member));
        }
        read.Teams.push_back(std::move(team));
    }
    return read;
}

}  // namespace skx
