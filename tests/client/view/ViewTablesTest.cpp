#include <gtest/gtest.h>

#include <tuple>

#include "AtlasTable.h"
#include "DeviceChoice.h"
#include "DxErrorString.h"
#include "ViewGeometry.h"

using namespace skx;

TEST(AtlasTable, CellCornersRunDownEachColumn) {
    InitImage_ID();
    for (int slot = 0; slot < AtlasCount; ++slot) {
        const int n = AtlasPixelSize[slot] / 16;
        ASSERT_EQ(AtlasUV[slot].size(), static_cast<size_t>(n * n));
        EXPECT_EQ(AtlasUV[slot][0].U, 0.0f);
        EXPECT_EQ(AtlasUV[slot][0].V, 0.0f);
        EXPECT_EQ(AtlasCellSize[slot], 1.0f / n);
    }
    EXPECT_EQ(AtlasUV[TERRAIN_16][17].U, 0.0625f);
    EXPECT_EQ(AtlasUV[TERRAIN_16][17].V, 0.0625f);
    EXPECT_EQ(AtlasUV[PLAYERS_16][255].U, 0.9375f);
    EXPECT_EQ(AtlasUV[PLAYERS_16][255].V, 0.9375f);
    EXPECT_EQ(AtlasUV[SATELLITE_16][2].U, 0.5f);
    EXPECT_EQ(AtlasUV[SATELLITE_16][2].V, 0.0f);
    EXPECT_EQ(AtlasUV[OBJECTS_16][25].U, 0.375f);
    EXPECT_EQ(AtlasUV[OBJECTS_16][25].V, 0.125f);
}

TEST(ViewGeometry, SquaresRoundHalvesToEven) {
    MeasureView(600, 400);
    EXPECT_EQ(SquaresAcross, 38);
    EXPECT_EQ(SquaresDown, 25);
    EXPECT_EQ(RowVertexBound, 155);
    EXPECT_EQ(RowVertices.size(), 156u);
    EXPECT_EQ(ViewWidthF, 600.0f);
    EXPECT_EQ(SquaresFor(584), 36);
    EXPECT_EQ(SquaresFor(616), 38);
    EXPECT_EQ(SquaresFor(600 - 7), 37);
}

TEST(DeviceChoice, FirstTryThatOpensWinsAndSoftwareVertexProcessingComesFirst) {
    // Which tries open, by try index (HAL, SW, REF with software processing, then with hardware).
    auto run = [](std::vector<bool> opens, int& tried, HRESULT& last) {
        tried = 0;
        return FirstDeviceCreated(
            [&](const DeviceTry& t) {
                EXPECT_EQ(t.Type, DeviceTries[tried].Type);
                return opens[tried++] ? S_OK : t.Type == D3DDEVTYPE_REF ? D3DERR_NOTAVAILABLE : E_FAIL;
            },
            last);
    };
    int tried = 0;
    HRESULT last = S_OK;
    EXPECT_EQ(run({true, false, false, true, true, true}, tried, last), 0);
    EXPECT_EQ(tried, 1);
    EXPECT_EQ(run({false, false, false, false, false, true}, tried, last), 5);
    EXPECT_EQ(DeviceTries[3].Flags, static_cast<DWORD>(D3DCREATE_HARDWARE_VERTEXPROCESSING));
    EXPECT_EQ(run({false, false, false, false, false, false}, tried, last), -1);
    EXPECT_EQ(last, D3DERR_NOTAVAILABLE);  // the last try's result
}

TEST(DeviceChoice, DepthBufferOnlyWithAFormat) {
    const D3DFORMAT no = FirstDepthFormat([](D3DFORMAT) { return false; });
    const D3DPRESENT_PARAMETERS none = MakePresentParams(D3DFMT_X8R8G8B8, nullptr, no);
    EXPECT_EQ(none.EnableAutoDepthStencil, FALSE);
    EXPECT_EQ(none.AutoDepthStencilFormat, 0);
    const D3DFORMAT d = FirstDepthFormat([](D3DFORMAT f) { return f == D3DFMT_D24S8 || f == D3DFMT_D32; });
    const D3DPRESENT_PARAMETERS some = MakePresentParams(D3DFMT_X8R8G8B8, nullptr, d);
    EXPECT_EQ(some.EnableAutoDepthStencil, TRUE);
    EXPECT_EQ(some.AutoDepthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(some.SwapEffect, D3DSWAPEFFECT_COPY_VSYNC);
    EXPECT_EQ(some.Windowed, TRUE);
    // A reset asks for the depth buffer the device was made with, at the view's size.
    const D3DPRESENT_PARAMETERS again = ResetPresentParams(none, 600, 400, nullptr);
    EXPECT_EQ(std::tuple(again.EnableAutoDepthStencil, again.AutoDepthStencilFormat, again.BackBufferWidth), std::tuple(FALSE, D3DFMT_UNKNOWN, 600u));
    EXPECT_EQ(ResetPresentParams(some, 600, 400, nullptr).AutoDepthStencilFormat, D3DFMT_D24S8);
}

TEST(DxErrorString, NamesTheCodeAndSaysWhatItMeans) {
    EXPECT_EQ(DxErrorString(D3DERR_DEVICELOST).rfind("D3DERR_DEVICELOST: ", 0), 0u);
    EXPECT_EQ(DxErrorString(static_cast<int32_t>(0x88780078)).rfind("DSERR_NODRIVER: ", 0), 0u);
    EXPECT_EQ(DxErrorString(static_cast<int32_t>(0x8007000C)).rfind("DIERR_NOTACQUIRED: ", 0), 0u);
    EXPECT_EQ(DxErrorString(E_INVALIDARG).rfind("E_INVALIDARG: ", 0), 0u);
    EXPECT_EQ(DxErrorString(D3DXERR_INVALIDDATA).rfind("D3DXERR_INVALIDDATA: ", 0), 0u);
    EXPECT_EQ(DxErrorString(0), "");
    EXPECT_EQ(DxErrorString(0x12345678), "");
}
