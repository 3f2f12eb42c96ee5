#include "LevelUpTable.h"

#include <cmath>
#include <cstdint>

#include "LeadingNumber.h"
#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr int FirstLevel = 5;
constexpr int LastSplatLevel = 25;
constexpr int PaidLevel = 30;  // from here on levels cost money
constexpr int LastLevel = 75;
constexpr int LevelStep = 5;
constexpr int SplatsPerLevel = 50;

std::string Dollars(double amount) { return "$" + CStr(amount) + ".00"; }

// The money bonus for reaching a goal of 30 or more.
std::string BonusCash(double goal) { return "$" + CStr((goal / LevelStep - 5) * 750 + 2500); }
}  // namespace

std::vector<std::string> LevelChoices() {
    std::vector<std::string> choices;
    for (int level = FirstLevel; level <= LastSplatLevel; ++level) choices.push_back(std::to_string(level));
    choices.push_back(NoLevel);
    for (int level = PaidLevel; level <= LastLevel; level += LevelStep) choices.push_back(std::to_string(level));
    return choices;
}

double ReadLevel(const std::string& text) {
    const double value = LeadingNumber(text, false);
    if (!std::isfinite(value)) Raise(errOverflow);
    return value;
}

void CalculateCost(const std::string& startText, const std::string& goalText, LevelUpBoxes& boxes) {
    if (startText.empty()) return;
    if (startText == NoLevel || goalText == NoLevel) {
        boxes = LevelUpBoxes{NoLevel, NoLevel, NoLevel};
        return;
    }
    const double start = ReadLevel(startText), goal = ReadLevel(goalText);
    if (goal == start) {
        boxes = LevelUpBoxes{NoLevel, NoLevel, NoLevel};
        return;
    }
    if (goal < start) return;
    if (goal < PaidLevel) {
        // Start and goal both lie below 30 here, so both runs are short.
        boxes.Cost = boxes.Cash = NoLevel;
        boxes.Splats.clear();
        int64_t splats = 0;
        auto count = [&](int32_t from, int32_t to) {
            for (int32_t level = from; level <= to; ++level) {
                splats += int64_t{SplatsPerLevel} * level;
                boxes.Splats = CStr(splats);
            }
        };
        count(FirstLevel, CLng(start - 1));
        count(CLng(start), CLng(goal - 1));
        return;
    }
    boxes.Splats = NoLevel;
    boxes.Cost.clear();
    boxes.Cash.clear();
    if (start < PaidLevel) {
        for (int level = PaidLevel; level <= LastLevel; level += LevelStep) {
            if (goal == level) boxes.Cost = Dollars(goal - 20);
        }
    } else {
        // $5 for every step of 5 levels until the goal is met or the levels run out.
        int32_t steps = 0;
        for (int32_t level = CLng(start); level <= LastLevel; level += LevelStep, ++steps) {
            if (goal == level) break;
        }
        boxes.Cost = Dollars(5.0 * steps);
    }
    boxes.Cash = BonusCash(goal);
}

}  // namespace skx
