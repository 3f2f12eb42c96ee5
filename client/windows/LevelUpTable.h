// The level calculator's rules: what reaching a goal level takes from a start level. Below
// level 30 it counts splats (50 × level for every level passed); from 30 on it costs money
// and earns bonus cash. Pure arithmetic on the two lists' texts: no window.
#pragma once
#include <string>
#include <vector>

namespace skx {

// The entry that stands for no level, in the lists and in the result boxes.
inline constexpr char NoLevel[] = "------";

// The entries of both lists: "5" to "25", NoLevel, then "30" to "75" in steps of 5.
std::vector<std::string> LevelChoices();

// A level as typed or chosen: its leading number without a sign (LeadingNumber), so
// "-40" reads 0. A number too large for a Double raises error 6.
double ReadLevel(const std::string& text);

// The three result boxes' texts.
struct LevelUpBoxes {
    std::string Cash;
    std::string Splats;
    std::string Cost;
};

// Works out the boxes from the start and goal texts, changing only what the rules change
// (nothing for an empty start or a goal below the start). A level that does not fit a whole
// number raises error 6; the boxes then hold what the steps before wrote.
void CalculateCost(const std::string& startText, const std::string& goalText, LevelUpBoxes& boxes);

}  // namespace skx
