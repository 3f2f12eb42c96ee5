#include <gtest/gtest.h>

#include "CommandBox.h"
#include "runtime/RunTimeError.h"

using namespace skx;

namespace {
std::string g_done;  // what the command did, in order
void Note(const std::string& what) { g_done += (g_done.empty() ? "" : "|") + what; }
void Carry(const std::string& line) {
    g_done.clear();
    ProcessCommand(line, {[](bool on) { Note(on ? "start" : "stop"); }, [](uint32_t ms) { Note(std::to_string(ms)); },
                          [](bool on) { Note(on ? "on" : "off"); }, [](const std::string& n) { Note("ignore " + n); }, &Note});
}
}  // namespace

TEST(CommandBox, EachWordDoesItsOwnOrTheBoxTellsWhy) {
    for (auto [line, done] : {std::pair{"rate 10", "stop|100|start"}, {"rate 3", "stop|333|start"},
                              {"rate 16", "stop|62|start"}, {"RATE 10", "stop|100|start"},
                              {"rate  10", " is not a valid rate"}, {"rate 0", "0 is not a valid rate"},
                              {"rate -1", "-1 is not a valid rate"}, {"rate abc", "abc is not a valid rate"},
                              {"rate 2000", "2000 is not a valid rate"}, {"nodelay TRUE", "on"},
                              {"nodelay 0", "off"}, {"Ignore Some_Player extra", "ignore Some_Player"},
                              {"hello world", "hello is not supported"}, {"", " is not supported"}}) {
        Carry(line);
        EXPECT_EQ(g_done, done) << line;
    }
    for (const char* line : {"ignore", "ignore  bob", "nodelay", "nodelay maybe"}) {  // an error, nothing done
        EXPECT_THROW(Carry(line), RunTimeError) << line;
        EXPECT_EQ(g_done, "") << line;
    }
}
