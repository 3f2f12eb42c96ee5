// The sections of the server's game-information reply, fields separated by ";" and each field
// trimmed of blanks: 1 the game type, the time left and the number of teams; 2 the players,
// entries "name:team:splats" separated by "~" ("Zero" for none); 3 the own team, a line of game
// information and the teams separated by "~" ("None" for none), the team parts kept untrimmed.
// A section with the wrong number of fields reads as nothing.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace skx {

struct GameSummary {
    std::string GameType;
    std::string TimeLeft;
    std::string Teams;
};

struct GamePlayer {
    std::string Name;
    std::string Team;    // empty when the entry stops before it
    std::string Splats;  // likewise
};

struct GameTeams {
    std::string YourTeam;
    std::string GameInfo;
    std::vector<std::string> Teams;  // the non-empty parts, untrimmed
};

std::optional<GameSummary> ReadGameSummary(const std::string& data);
// The entries in order; empty entries are left out. Without exactly one field: nothing.
std::optional<std::vector<GamePlayer>> ReadGamePlayers(const std::string& data);
std::optional<GameTeams> ReadGameTeams(const std::string& data);

}  // namespace skx
