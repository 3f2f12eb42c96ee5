#include "TournamentCommands.h"

#include <cmath>

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {
// The user's text as the commands take it: cleaned, then trimmed.
std::string T(const std::string& text) { return Trim(CleanString(text)); }
}  // namespace

SignupCommand TournamentSignup(const std::string& team, const std::string& password) {
    SignupCommand out;
    out.Password = Replace(password, " ", "");
    if (!team.empty() && team.back() == '\'') {
        out.Line = "tournament signup " + T(team) + " " + T(out.Password);
    } else {
        out.Line = "tournament signup '" + T(team) + "' '" + T(out.Password) + "'";
    }
    return out;
}

std::string TournamentDonation(const std::string& amount) {
    double value = 0;
    if (!TryParseNumber(T(amount), value) || !std::isfinite(value)) return {};
    return "tournament donate " + CStr(std::fabs(value));
}

std::vector<std::string> TournamentStart(const std::string& fee, const std::string& members,
                                         const std::string& teams, const std::string& rules) {
    return {"tournament start " + T(fee), "tournament min " + T(members), "tournament max " + T(teams),
            "tournament rules '" + Replace(T(rules), "'", "") + "'"};
}

std::string TournamentDisqualify(const std::string& teamKey) { return "tournament dq " + teamKey; }

std::string TournamentKick(const std::string& teamKey) { return "tournament kick " + teamKey; }

std::string TournamentGameStart(const std::string& teamA, const std::string& teamB) {
    return "game start " + T(teamA) + " " + T(teamB);
}

std::string TournamentTeamText(const std::string& teamKey) {
    return teamKey.find(' ') != std::string::npos ? "'" + teamKey + "'" : teamKey;
}

std::string TournamentButtonCommand(const std::string& command, const std::string& teamA, const std::string& teamB) {
    const std::string line = CleanString(command);
    if (teamA.empty() && teamB.empty()) return line;
    return CleanString(Replace(Replace(line, "%1", teamA), "%2", teamB));
}

bool TournamentLogHolds(const std::string& logText, const std::string& line) {
    std::string_view log = logText;
    if (log.ends_with("\r\n")) {
        log.remove_suffix(2);
    } else if (log.ends_with('\r') || log.ends_with('\n')) {
        log.remove_suffix(1);
    }
    return log == line;
}

bool TournamentLogMayHold(int64_t logChars, size_t lineBytes, int maxCharBytes) {
    // The log's bytes lie between its characters and maxCharBytes times as many.
    const auto line = static_cast<int64_t>(lineBytes);
    return logChars <= line + 2 && logChars * maxCharBytes >= line;
}

}  // namespace skx
