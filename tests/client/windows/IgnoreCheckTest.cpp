#include <gtest/gtest.h>

#include "IgnoreCheck.h"
#include "frmIgnore.h"

using namespace skx;

TEST(IgnoreCheck, EmptyListIgnoresNobodyAndLoadsTheWindow) {
    frmIgnore().Unload();
    EXPECT_FALSE(IsIgnored("Sarge"));
    EXPECT_FALSE(IsIgnored(""));
    EXPECT_TRUE(frmIgnore().IsLoaded());
    EXPECT_FALSE(IsWindowVisible(frmIgnore().Handle()));
    frmIgnore().Unload();
}

TEST(IgnoreCheck, ComparesExactly) {
    frmIgnore().Clear();
    frmIgnore().AddItem("Sarge");
    frmIgnore().AddItem("Big Al");
    frmIgnore().AddItem(" padded ");
    EXPECT_TRUE(IsIgnored("Sarge"));
    EXPECT_TRUE(IsIgnored("Big Al"));
    EXPECT_TRUE(IsIgnored(" padded "));
    EXPECT_FALSE(IsIgnored("sarge"));
    EXPECT_FALSE(IsIgnored("SARGE"));
    EXPECT_FALSE(IsIgnored("Sarg"));
    EXPECT_FALSE(IsIgnored("Sarge "));
    EXPECT_FALSE(IsIgnored("padded"));
    EXPECT_FALSE(IsIgnored(""));
    EXPECT_FALSE(IsIgnored(std::string(5000, 'x')));
    frmIgnore().Unload();
}
