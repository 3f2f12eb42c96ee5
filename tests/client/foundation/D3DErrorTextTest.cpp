#include <gtest/gtest.h>
#include <d3d8.h>

#include <set>

#include "D3DErrorText.h"

using namespace skx;

TEST(D3DErrorText, TheTableAsWrittenAndNothingElse) {
    // 21 Direct3D codes between 0x88760818 and 0x8876086D, then 0x80070057, 5 and 7, each with its own text.
    std::set<std::string> texts;
    for (uint32_t code = 0x88760818; code <= 0x8876086D; ++code)
        if (std::string t = D3DErrorText(static_cast<int32_t>(code)); !t.empty()) texts.insert(t);
    EXPECT_EQ(texts.size(), 21u);
    for (int32_t n : {static_cast<int32_t>(0x80070057), 5, 7}) EXPECT_TRUE(texts.insert(D3DErrorText(n)).second);
    EXPECT_FALSE(texts.count(""));
    EXPECT_EQ(D3DErrorText(static_cast<int32_t>(0x88760820)),
              "Direct3D does not have enough display memory to perform the operation.");
    for (int32_t n : {0, 1, 6, 91, static_cast<int32_t>(D3DERR_OUTOFVIDEOMEMORY), static_cast<int32_t>(E_OUTOFMEMORY)})
        EXPECT_EQ(D3DErrorText(n), "") << n;
}
