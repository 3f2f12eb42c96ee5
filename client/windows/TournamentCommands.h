// The command lines the tournament console sends, built from what the user typed or chose,
// and the rule that keeps a log line out of the log when it already is all the log holds.
// User text is cleaned (CleanString) and trimmed where a command says so.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skx {

// Sign-up: the password loses every blank (the box shows it so); a team text ending with an
// apostrophe counts as quoted already and goes out with the password unquoted, any other
// with both values quoted.
struct SignupCommand {
    std::string Password;
    std::string Line;
};
SignupCommand TournamentSignup(const std::string& team, const std::string& password);

// The donation line for the amount typed ("." the decimal point whatever the locale): the
// absolute value in its shortest form; empty when the text is no number.
std::string TournamentDonation(const std::string& amount);

// The four lines that start a tournament, in order (apostrophes taken out of the rules).
std::vector<std::string> TournamentStart(const std::string& fee, const std::string& members,
                                         const std::string& teams, const std::string& rules);

// "tournament dq <key>" / "tournament kick <key>": the team node's key as it is.
std::string TournamentDisqualify(const std::string& teamKey);
std::string TournamentKick(const std::string& teamKey);

// "game start <A> <B>", the two boxes cleaned and trimmed.
std::string TournamentGameStart(const std::string& teamA, const std::string& teamB);

// A node's team text: its team's key, between apostrophes when it holds a blank.
std::string TournamentTeamText(const std::string& teamKey);

// A custom button's line: the command cleaned; with either box filled, "%1" and "%2" replaced
// by the raw boxes and the result cleaned again.
std::string TournamentButtonCommand(const std::string& command, const std::string& teamA, const std::string& teamB);

// Whether a log line is kept out: the log's text without its one trailing line break equals it.
bool TournamentLogHolds(const std::string& logText, const std::string& line);
// Whether a log of logChars characters (line breaks as CR LF) can be a line of lineBytes bytes
// with a line break at most, in a code page of at most maxCharBytes bytes a character: only then
// is the log read back to compare, not for every line.
bool TournamentLogMayHold(int64_t logChars, size_t lineBytes, int maxCharBytes);

}  // namespace skx
