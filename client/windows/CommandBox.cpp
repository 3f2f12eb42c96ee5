#include "CommandBox.h"

#include <cmath>
#include <utility>
#include <vector>

#include "TextUtilities.h"
#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr double LongestFrameMs = 32767;

template <class F, class... A>
void Call(const F& target, A&&... args) {
    if (target) target(std::forward<A>(args)...);
}
}  // namespace

CommandTargets& CommandBoxTargets() {
    static CommandTargets targets;
    return targets;
}

uint32_t FrameIntervalForRate(const std::string& value) {
    double rate = 0;
    if (value.empty() || !TryParseNumber(value, rate) || rate == 0) return 0;
    const double ms = 1000.0 / rate;
    if (!(ms >= 0.5 && ms <= LongestFrameMs + 0.5)) return 0;
    const double whole = std::nearbyint(ms);  // halves to the even neighbour
    return whole >= 1 && whole <= LongestFrameMs ? static_cast<uint32_t>(whole) : 0;
}

void ProcessCommand(const std::string& Line, const CommandTargets& targets) {
    const std::vector<std::string> words = SplitB2(Line, " ");
    const std::string command = LCase(words[0]);
    // An empty value word counts as a missing one.
    const bool hasValue = words.size() > 1 && !words[1].empty();
    const std::string value = words.size() > 1 ? words[1] : std::string();
    if (command == "rate") {
        const uint32_t ms = FrameIntervalForRate(value);
        if (ms == 0) {
            // The frame timer also dispatches what arrives: it keeps running as it was.
            Call(targets.ShowBox, value + " is not a valid rate");
            return;
        }
        Call(targets.SetFrameTimerEnabled, false);
        Call(targets.SetFrameTimerInterval, ms);
        Call(targets.SetFrameTimerEnabled, true);
    } else if (command == "nodelay") {
        if (!hasValue) Raise(errSubscriptOutOfRange, "frmCommand");
        const bool on = CBool(value);
        Call(targets.SetNoDelay, on);
    } else if (command == "ignore") {
        if (!hasValue) Raise(errSubscriptOutOfRange, "frmCommand");
        Call(targets.IgnoreAdd, value);
    } else {
        Call(targets.ShowBox, words[0] + " is not supported");
    }
}

}  // namespace skx
