// The teams of a tournament reply ('T' kind "1"): from field 1 to the next-to-last, one team
// per field, name ":" wins ":" losses ":" members, the members joined by "~". The last field
// is never read. A team without a name, or named as an earlier one, is left out.
#pragma once
#include <string>
#include <vector>

namespace skx {

struct TournamentTeam {
    std::string Name;
    std::string Text;  // name & " (" & wins & "W " & losses & "L)"
    std::vector<std::string> Members;  // the non-empty ones, in order
};

struct TournamentTeamsRead {
    std::vector<TournamentTeam> Teams;  // up to the first record short of four parts
    bool Malformed = false;             // such a record ended the reading
    // The first name left out: empty, or one an earlier team has (letter case ignored).
    bool Refused = false;
    std::string RefusedName;
};

TournamentTeamsRead ReadTournamentTeams(const std::vector<std::string>& fields);

}  // namespace skx
