// The team information the server sends for a look-up: "X" when no such team exists, else
// fields separated by CR: name, splats, website, news and the member list. Members are
// separated by TAB, each cut by BS into sub-fields; the name is the first sub-field without
// its last four characters, the rank the last character of the entry.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace skx {

// The text of a rank 1 to 8 ("General" ... "Private"), empty for any other.
std::string GetRank(int rank);

struct TeamMember {
    std::string Text;  // rank text, a blank and the name
    bool Own = false;  // the name is the player's own (same length, letter case ignored)
};

struct TeamInfoRead {
    enum class Kind { Nothing, NoTeam, Team } Is = Kind::Nothing;
    // The fields the reply holds, apostrophes taken out of name, website and news.
    std::optional<std::string> Name, Splats, Website, News;
    // Every non-empty member entry (none when the reply has no member list).
    std::vector<TeamMember> Members;
};

TeamInfoRead ReadTeamInfo(const std::string& data, const std::string& ownName);

}  // namespace skx
