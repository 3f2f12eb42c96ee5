#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "SelfClick.h"

using namespace skx;

namespace {

class SelfClick : public ::testing::Test {
protected:
    void SetUp() override {
        savedLinks = ClientLinks();
        ClientLinks() = ClientLinkTable{};
        ClientLinks().ScreenCenter = [this](bool announce) { calls.push_back(announce ? "center+" : "center-"); };
        ClientLinks().Server = [this](const std::string& c, const std::string& m) { calls.push_back(c + ":" + m); };
    }
    void TearDown() override {
        ClientLinks() = savedLinks;
        LeftClick = RightClick = "CENTER";
    }
    ClientLinkTable savedLinks;
    std::vector<std::string> calls;
};

}  // namespace

TEST_F(SelfClick, LeftAndRightTakeTheirCommands) {
    LeftClick = "look";
    RightClick = "throw";
    ClickingOptions(true);
    ClickingOptions(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"C:look", "C:throw"}));
}

TEST_F(SelfClick, CenterRecentresThenSendsTheCommandAsSet) {
    LeftClick = "CENTER";
    RightClick = "say reCenTered now";
    ClickingOptions(true);
    ClickingOptions(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"center+", "C:CENTER", "center+", "C:say reCenTered now"}));
}

TEST_F(SelfClick, EmptyCommandDoesNothing) {
    LeftClick.clear();
    ClickingOptions(true);
    EXPECT_TRUE(calls.empty());
}
