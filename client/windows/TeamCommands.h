// What the team console sends: the look-up's data (TeamStatsRequest) and the team command
// lines. User text is cleaned (CleanString) and trimmed unless a line says otherwise.
#pragma once
#include <string>

namespace skx {

// The name, between apostrophes when the trimmed name holds a blank, then FieldSeparator.
std::string TeamStatsData(const std::string& name);
// "team create" with the answer, quoted when the answer as typed holds a blank.
std::string TeamCreate(const std::string& answer);
// "team news '<news>'" (trimmed) and "team website '<site>'" (cleaned, not trimmed).
std::string TeamNews(const std::string& news);
std::string TeamWebsite(const std::string& website);
// The member commands on a list entry's whole text: promote unquoted, demote and kick quoted.
std::string TeamPromote(const std::string& entry);
std::string TeamDemote(const std::string& entry);
std::string TeamKick(const std::string& entry);

}  // namespace skx
