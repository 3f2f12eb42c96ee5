// The server's vote tally and the vote commands: records separated by ";", each the game's
// name and its vote count separated by ":". Pure text work: no window.
#pragma once
#include <string>
#include <vector>

namespace skx {

// The small icons of the vote list: the game voted for, a hated game, any other game.
enum class VoteIcon : int { Voted = 1, Hated = 2, Other = 3 };

struct VoteRecord {
    std::string Game;
    std::string Votes;  // shown as it comes
};

struct VoteTally {
    std::vector<VoteRecord> Records;
    // Records passed over (fewer than two fields, no name, or a game already listed, letter
    // case ignored) and the first of them; the records after one are still read.
    int Skipped = 0;
    std::string FirstSkipped;
    bool FirstSkippedRepeats = false;  // it named a game listed before
};

VoteTally ReadVoteTally(const std::string& data);

// A stored [Hate] value: "True"/"False" in any letter case or a number (non-zero is true);
// anything else reads as false.
bool HateFlag(const std::string& value);

// The icon of a game, given the stored vote ([Vote] Game) and its [Hate] value: the voted
// game (blanks around either name and letter case ignored), else hated, else other.
VoteIcon VoteIconFor(const std::string& game, const std::string& storedVote, const std::string& hateValue);

// "vote '<game>'": the name with its blanks.
std::string VoteCommand(const std::string& game);
// "game hate <game>" or "game like <game>": the name with every blank taken out.
std::string HateCommand(const std::string& game, bool hate);

// The tally as one chat line: each record followed by a blank ("A:1 B:2 ").
std::string VoteTallyLine(const std::string& data);

}  // namespace skx
