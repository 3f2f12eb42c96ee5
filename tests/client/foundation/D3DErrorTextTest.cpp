#include <gtest/gtest.h>
#include <d3d8.h>

#include <set>

#include "D3DErrorText.h"

using namespace skx;

TEST(D3DErrorText, EveryDirect3DResultHasItsOwnSentence) {
    const HRESULT codes[] = {D3DERR_WRONGTEXTUREFORMAT, D3DERR_UNSUPPORTEDCOLOROPERATION,
                             D3DERR_UNSUPPORTEDCOLORARG, D3DERR_UNSUPPORTEDALPHAOPERATION,
                             D3DERR_UNSUPPORTEDALPHAARG, D3DERR_TOOMANYOPERATIONS,
                             D3DERR_CONFLICTINGTEXTUREFILTER, D3DERR_UNSUPPORTEDFACTORVALUE,
                             D3DERR_CONFLICTINGRENDERSTATE, D3DERR_UNSUPPORTEDTEXTUREFILTER,
                             D3DERR_CONFLICTINGTEXTUREPALETTE, D3DERR_DRIVERINTERNALERROR,
                             D3DERR_NOTFOUND, D3DERR_MOREDATA, D3DERR_DEVICELOST, D3DERR_DEVICENOTRESET,
                             D3DERR_NOTAVAILABLE, D3DERR_OUTOFVIDEOMEMORY, D3DERR_INVALIDDEVICE,
                             D3DERR_INVALIDCALL, D3DERR_DRIVERINVALIDCALL, E_OUTOFMEMORY};
    std::set<std::string> seen;
    for (HRESULT hr : codes) {
        const std::string text = D3DErrorText(static_cast<int32_t>(hr));
        EXPECT_FALSE(text.empty()) << std::hex << hr;
        EXPECT_TRUE(seen.insert(text).second) << "repeated sentence for " << std::hex << hr;
    }
}

TEST(D3DErrorText, RunTimeNumbersFiveAndSevenAndNothingElse) {
    EXPECT_NE(D3DErrorText(5).find("invalid parameter"), std::string::npos);
    EXPECT_NE(D3DErrorText(7).find("memory"), std::string::npos);
    for (int32_t n : {0, 1, 6, 91, 10000, static_cast<int32_t>(0x88760001u), -1})
        EXPECT_EQ(D3DErrorText(n), "") << n;
}
