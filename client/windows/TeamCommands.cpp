#include "TeamCommands.h"

#include "ProtocolSeparators.h"
#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {
std::string T(const std::string& text) { return Trim(CleanString(text)); }
}  // namespace

std::string TeamStatsData(const std::string& name) {
    const std::string t = T(name);
    return (Trim(name).find(' ') != std::string::npos ? "'" + t + "'" : t) + FieldSeparator;
}

std::string TeamCreate(const std::string& answer) {
    return answer.find(' ') != std::string::npos ? "team create '" + T(answer) + "'" : "team create " + T(answer);
}

std::string TeamNews(const std::string& news) { return "team news '" + T(news) + "'"; }

std::string TeamWebsite(const std::string& website) { return "team website '" + CleanString(website) + "'"; }

std::string TeamPromote(const std::string& entry) { return "team promote " + entry; }

std::string TeamDemote(const std::string& entry) { return "team demote '" + entry + "'"; }

std::string TeamKick(const std::string& entry) { return "team kick '" + entry + "'"; }

}  // namespace skx
