#include "TeamInfo.h"

#include <array>

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

std::string GetRank(int rank) {
    static const std::array<const char*, 8> ranks{"General",    "Colonel",  "Major",    "Captain",
                                                  "Lieutanent", "Sergeant", "Corporal", "Private"};
    return rank >= 1 && rank <= 8 ? ranks[static_cast<size_t>(rank - 1)] : "";
}

namespace {
std::string NoApostrophes(const std::string& text) { return Replace(text, "'", ""); }

int RankDigit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }
}  // namespace

TeamInfoRead ReadTeamInfo(const std::string& data, const std::string& ownName) {
    TeamInfoRead read;
    if (data.empty()) return read;
    if (data == "X") {
        read.Is = TeamInfoRead::Kind::NoTeam;
        return read;
    }
    read.Is = TeamInfoRead::Kind::Team;
    const std::vector<std::string> fields = SplitB2(data, "\r");
    auto field = [&](size_t i) { return i < fields.size() ? std::optional<std::string>(fields[i]) : std::nullopt; };
    if (auto f = field(0)) read.Name = NoApostrophes(*f);
    read.Splats = field(1);
    if (auto f = field(2)) read.Website = NoApostrophes(*f);
    if (auto f = field(3)) read.News = NoApostrophes(*f);
    const std::optional<std::string> list = field(4);
    if (!list) return read;
    for (const std::string& entry : SplitB2(*list, "\t")) {
        if (entry.empty()) continue;  // an empty entry names nobody
        const std::string first = SplitB2(entry, "\b")[0];
        // A first sub-field too short to cut is the name as it stands.
        const std::string name = first.size() > 4 ? first.substr(0, first.size() - 4) : first;
        TeamMember member;
        member.Text = GetRank(RankDigit(entry.back())) + " " + name;
        member.Own = IsSameText2(name, ownName, 1);
        read.Members.push_back(std::move(member));
    }
    return read;
}

}  // namespace skx
