#include "GameInfoReply.h"

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {
// The reply's fields, each trimmed, when there are exactly count of them.
std::optional<std::vector<std::string>> Fields(const std::string& data, size_t count) {
    std::vector<std::string> fields = SplitB2(data, ";");
    if (fields.size() != count) return std::nullopt;
    return fields;
}

// "Zero" or "None" stand for an empty list only as the whole field, in any letter case.
bool IsNoneWord(const std::string& field, const char* word) { return TextEquals(Trim(field), word); }
}  // namespace

std::optional<GameSummary> ReadGameSummary(const std::string& data) {
    const auto fields = Fields(data, 3);
    if (!fields) return std::nullopt;
    return GameSummary{Trim((*fields)[0]), Trim((*fields)[1]), Trim((*fields)[2])};
}

std::optional<std::vector<GamePlayer>> ReadGamePlayers(const std::string& data) {
    const auto fields = Fields(data, 1);
    if (!fields) return std::nullopt;
    std::vector<GamePlayer> players;
    const std::string list = Trim((*fields)[0]);
    if (IsNoneWord(list, "Zero")) return players;
    for (const std::string& entry : SplitB2(list, "~")) {
        if (entry.empty()) continue;
        const std::vector<std::string> parts = SplitB2(entry, ":");
        GamePlayer player{parts[0], {}, {}};
        if (parts.size() > 1) player.Team = parts[1];
        if (parts.size() > 2) player.Splats = parts[2];
        players.push_back(std::move(player));
    }
    return players;
}

std::optional<GameTeams> ReadGameTeams(const std::string& data) {
    const auto fields = Fields(data, 3);
    if (!fields) return std::nullopt;
    GameTeams teams{Trim((*fields)[0]), Trim((*fields)[1]), {}};
    const std::string& list = (*fields)[2];
    if (IsNoneWord(list, "None")) return teams;
    for (const std::string& part : SplitB2(list, "~")) {
        if (!part.empty()) teams.Teams.push_back(part);
    }
    return teams;
}

}  // namespace skx
