#include <gtest/gtest.h>

#include "CommandBox.h"
#include "runtime/RunTimeError.h"

using namespace skx;

namespace {
// The frame timer and what else the commands reach, as plain values.
struct Targets {
    uint32_t interval = 200;
    bool running = true;
    std::vector<std::string> seen;  // boxes, no-delay settings and ignored names in order
    CommandTargets Make() {
        return {[this](bool on) { running = on; }, [this](uint32_t ms) { interval = ms; },
                [this](bool on) { seen.push_back(on ? "nodelay on" : "nodelay off"); },
                [this](const std::string& n) { seen.push_back("ignore " + n); },
                [this](const std::string& t) { seen.push_back("box " + t); }};
    }
};
}  // namespace

TEST(CommandBox, RateSetsTheFrameIntervalRoundingHalvesToEven) {
    for (auto [line, ms] : {std::pair{"rate 10", 100u}, {"rate 3", 333u}, {"rate 16", 62u}, {"RATE 10", 100u}}) {
        Targets t;
        ProcessCommand(line, t.Make());
        EXPECT_EQ(t.interval, ms) << line;
        EXPECT_TRUE(t.running);
        EXPECT_TRUE(t.seen.empty());
    }
}

TEST(CommandBox, AnInvalidRateIsRefusedAndTheTimerRunsOn) {
    for (auto [line, box] : {std::pair{"rate  10", "box  is not a valid rate"}, {"rate 0", "box 0 is not a valid rate"},
                             {"rate -1", "box -1 is not a valid rate"}, {"rate abc", "box abc is not a valid rate"},
                             {"rate 2000", "box 2000 is not a valid rate"}, {"rate", "box  is not a valid rate"}}) {
        Targets t;
        ProcessCommand(line, t.Make());
        EXPECT_EQ(t.seen, std::vector<std::string>{box}) << line;
        EXPECT_EQ(t.interval, 200u);
        EXPECT_TRUE(t.running);
    }
}

TEST(CommandBox, NoDelayIgnoreAndUnknownWords) {
    Targets t;
    ProcessCommand("nodelay TRUE", t.Make());
    ProcessCommand("nodelay 0", t.Make());
    ProcessCommand("Ignore Some_Player extra", t.Make());
    ProcessCommand("hello world", t.Make());
    ProcessCommand("", t.Make());
    EXPECT_EQ(t.seen, (std::vector<std::string>{"nodelay on", "nodelay off", "ignore Some_Player",
                                                "box hello is not supported", "box  is not supported"}));
    // A missing or empty value, or a no-delay value that is no Boolean, changes nothing.
    for (const char* line : {"ignore", "ignore  bob", "nodelay", "nodelay maybe"}) {
        Targets u;
        EXPECT_THROW(ProcessCommand(line, u.Make()), RunTimeError) << line;
        EXPECT_TRUE(u.seen.empty());
    }
}
