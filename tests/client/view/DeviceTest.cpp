#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "../foundation/BoxDriver.h"
#include "AtlasCells.h"
#include "AtlasTable.h"
#include "AtlasTextures.h"
#include "D3DXErrorString.h"
#include "DirectXObjects.h"
#include "DxErrorString.h"
#include "MessageOrder.h"
#include "ProgramResources.h"
#include "ViewGeometry.h"
#include "modDirectX8.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {

// Each report: module/procedure, number and the helper layer's text at the time.
std::vector<std::tuple<std::string, int32_t, std::optional<std::string>>> g_reports;

void Record(const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
    g_reports.emplace_back(m + "/" + p, n, D3DXErrorString(n));
}

// A window with a 600 x 400 child, the map picture, and the device on the child.
class Device : public testing::Test {
protected:
    void SetUp() override {
        top_ = CreateWindowA("STATIC", "Map", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 700, 500, nullptr, nullptr,
                             nullptr, nullptr);
        picMap_ = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 400, top_, nullptr, nullptr, nullptr);
        g_reports.clear();
        SetReportErrorHook(&Record);
    }
    void TearDown() override {
        SetReportErrorHook(nullptr);
        SetSoundDeviceLister(nullptr);
        ReleaseDirectX();
        DestroyWindow(top_);
    }

    // The columns of the back buffer's pixels whose blue is above 128 (the device's drawing).
    std::vector<int> LitColumns() {
        ComRef<IDirect3DSurface8> back, copy;
        D3DSURFACE_DESC d{};
        D3DLOCKED_RECT r{};
        std::vector<int> lit;
        if (FAILED(D3DDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, back.GetAddressOf())) ||
            FAILED(back->GetDesc(&d)) ||
            FAILED(D3DDevice->CreateImageSurface(d.Width, d.Height, d.Format, copy.GetAddressOf())) ||
            FAILED(D3DDevice->CopyRects(back.Get(), nullptr, 0, copy.Get(), nullptr)) ||
            FAILED(copy->LockRect(&r, nullptr, D3DLOCK_READONLY)))
            return lit;
        for (UINT y = 0; y < d.Height; ++y)
            for (UINT x = 0; x < d.Width; ++x)
                if (static_cast<const uint8_t*>(r.pBits)[y * r.Pitch + x * 4] > 128) lit.push_back(static_cast<int>(x));
        copy->UnlockRect();
        return lit;
    }

    // The texels of a slot's texture that differ from the atlas: the key of the keyed atlases
    // transparent black, every other texel opaque.
    int WrongTexels(int slot, const testsupport::AtlasCells& atlas, int source) {
        D3DLOCKED_RECT r{};
        if (!Textures[slot] || FAILED(Textures[slot]->LockRect(0, &r, nullptr, D3DLOCK_READONLY))) return -1;
        int wrong = 0;
        for (int y = 0; y < AtlasPixelSize[slot]; ++y)
            for (int x = 0; x < AtlasPixelSize[slot]; ++x) {
                const uint32_t t = atlas.Texel(source, x, y);
                const uint32_t want = slot != TERRAIN_16 && t == testsupport::KeyColour ? 0 : 0xFF000000u | t;
                wrong += reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(r.pBits) + y * r.Pitch)[x] != want;
            }
        Textures[slot]->UnlockRect(0);
        return wrong;
    }

    uint32_t Texel(int slot, int x, int y) {
        D3DLOCKED_RECT r{};
        if (!Textures[slot] || FAILED(Textures[slot]->LockRect(0, &r, nullptr, D3DLOCK_READONLY))) return 0xDEADBEEF;
        const uint32_t t = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(r.pBits) + y * r.Pitch)[x];
        Textures[slot]->UnlockRect(0);
        return t;
    }

    HWND top_ = nullptr, picMap_ = nullptr;
};

}  // namespace

TEST_F(Device, ComesUpOnTheMapPictureWithItsStatesAndBothSoundObjects) {
    ASSERT_TRUE(InitDirectX(picMap_));
    EXPECT_TRUE(g_reports.empty());
    EXPECT_TRUE(SoundDevice && AmbienceDevice);
    // Under Wine a device presenting into a child window does not reach the screen: it is made
    // on a hidden top-level window of this thread's own, with the picture's size, which goes
    // with the device.
    const HWND deviceWindow = PresentParams.hDeviceWindow;
    EXPECT_TRUE(deviceWindow != picMap_ && deviceWindow != top_ && IsWindow(deviceWindow) && !IsWindowVisible(deviceWindow));
    EXPECT_EQ(GetAncestor(deviceWindow, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindowThreadProcessId(deviceWindow, nullptr), GetCurrentThreadId());
    EXPECT_EQ(std::pair(PresentParams.BackBufferWidth, PresentParams.BackBufferHeight), std::pair(600u, 400u));
    InitMap();
    EXPECT_EQ(SquaresAcross, 38);
    EXPECT_EQ(RowVertexBound, 155);

    const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {{D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
                                                           {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
                                                           {D3DRS_ALPHABLENDENABLE, TRUE},
                                                           {D3DRS_ZENABLE, D3DZB_TRUE},
                                                           {D3DRS_LIGHTING, FALSE},
                                                           {D3DRS_CULLMODE, D3DCULL_NONE}};
    for (DWORD v = 0; auto [state, value] : states)
        EXPECT_EQ((D3DDevice->GetRenderState(state, &v), v), value) << state;
    DWORD op = 0, shader = 0;
    D3DDevice->GetTextureStageState(0, D3DTSS_ALPHAOP, &op);
    D3DDevice->GetVertexShader(&shader);
    EXPECT_EQ(op, static_cast<DWORD>(D3DTOP_SELECTARG1));
    EXPECT_EQ(shader, TLVertexFormat);

    // The whole picture cleared to blue and presented.
    D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    EXPECT_EQ(D3DDevice->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(LitColumns().size(), 600u * 400u);
    ReleaseDirectX();
    EXPECT_FALSE(IsWindow(deviceWindow));
}

TEST_F(Device, NoSoundDeviceShowsOneBoxAndStartUpGoesOn) {
    SetSoundDeviceLister([] { return SoundDeviceList{}; });
    std::set<HWND> boxes;  // by window: a second box may be made where the first one was
    boxtest::Driver driver({[&] {
                               frmMsgBox* box = boxtest::FindBox("Error");
                               if (!box || !IsWindowVisible(box->Handle()) || !boxes.insert(box->Handle()).second) return false;
                               EXPECT_EQ(boxtest::TextOf(box->MessageLabel()), "Unable to create DirectSound device");
                               PostMessageA(box->Button(0), BM_CLICK, 0, 0);
                               return false;  // keep watching: a second box would be counted too
                           }},
                           8000);
    EXPECT_TRUE(InitDirectX(picMap_));
    // A second box would come from the start-up itself or from a message it posted.
    EXPECT_TRUE(testsupport::HandlePostedSoFar());
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(SoundDevice || AmbienceDevice);
    EXPECT_TRUE(D3DDevice);
}

TEST_F(Device, AtlasesBecomeTexturesKeyedOnMagentaExceptTheTerrain) {
    ASSERT_TRUE(InitDirectX(picMap_));
    // The test program carries no atlases: reported with the helper layer's text.
    EXPECT_FALSE(LoadTextures());
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0],
              std::tuple("modDirectX8/LoadTextures", D3DXERR_INVALIDDATA, DxErrorString(D3DXERR_INVALIDDATA)));

    ProgramResources exe;
    const testsupport::AtlasCells atlas;
    ASSERT_TRUE(atlas.Loaded());
    ASSERT_TRUE(LoadTexturesFromModule(exe.module));
    for (int slot = 0; slot < AtlasCount; ++slot) EXPECT_EQ(WrongTexels(slot, atlas, slot), 0) << slot;
    EXPECT_EQ(Texel(PAINTBALLS_16, 0, 0), 0u);
    UnloadTextures();
    UnloadTextures();
    EXPECT_TRUE(std::none_of(Textures.begin(), Textures.end(), [](const TextureRef& t) { return t != nullptr; }));

    // The development source: the same bitmaps as files, the satellite's standing in for the
    // particle, and the players' (magenta around every figure) for the terrain, which stays opaque.
    testsupport::ScratchDir images("images");
    const std::string art = testsupport::ProgramFolder() + "\\..\\client\\resources\\art\\";
    for (int slot = 0; slot < AtlasCount; ++slot)
        CopyFileA((art + AtlasResourceNames[slot == TERRAIN_16 ? PLAYERS_16 : slot] + ".bmp").c_str(),
                  images.File(AtlasFileNames[slot]).c_str(), FALSE);
    CopyFileA((art + "SATELLITE_16.bmp").c_str(), images.File("particle.bmp").c_str(), FALSE);
    ASSERT_TRUE(LoadTexturesFromFolder(images.Path()));
    for (int slot = 0; slot < AtlasCount; ++slot)
        EXPECT_EQ(WrongTexels(slot, atlas, slot == TERRAIN_16 ? PLAYERS_16 : slot), 0) << slot;
    EXPECT_EQ(Texel(TERRAIN_16, 0, 0), 0xFFFF00FFu);
    EXPECT_EQ(Texel(9, 0, 0), 0u);
    UnloadTextures();
    EXPECT_TRUE(std::none_of(Textures.begin(), Textures.end(), [](const TextureRef& t) { return t != nullptr; }));
    ReleaseDirectX();
    EXPECT_FALSE(D3DXErrorString(D3DXERR_INVALIDDATA));
}

TEST_F(Device, TextIsDrawnAsWrittenAndLeavesTheStatesAsTheyWere) {
    ASSERT_TRUE(InitDirectX(picMap_));
    ASSERT_TRUE(D3DNameFont);
    TextureRef other;
    ASSERT_EQ(CreateTextureFromTexels(D3DDevice.Get(), Texels{1, 1, {0xFF00FF00}}, other), D3D_OK);
    D3DDevice->SetTexture(0, other.Get());
    D3DDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    D3DDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    D3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);

    auto draw = [&](const char* text) {
        D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        D3DDevice->BeginScene();
        EXPECT_EQ(D3DNameFont->DrawText(text, RECT{100, 50, 300, 80}, 0xFFFFFFFF), D3D_OK);
        D3DDevice->EndScene();
        const std::vector<int> lit = LitColumns();
        return lit.empty()
                   ? std::pair(0, 0)
                   : std::pair(*std::min_element(lit.begin(), lit.end()), *std::max_element(lit.begin(), lit.end()));
    };
    const auto [amp, ampEnd] = draw("A&B");
    const auto [plain, plainEnd] = draw("AB");
    EXPECT_GT(ampEnd - amp, plainEnd - plain + 3) << "the & is drawn";
    EXPECT_NEAR((plain + plainEnd) / 2.0, 200, 3) << "centred across the rectangle";

    ComRef<IDirect3DBaseTexture8> texture;
    DWORD colourOp = 0, srcBlend = 0, blend = 1;
    D3DDevice->GetTexture(0, texture.GetAddressOf());
    D3DDevice->GetTextureStageState(0, D3DTSS_COLOROP, &colourOp);
    D3DDevice->GetRenderState(D3DRS_SRCBLEND, &srcBlend);
    D3DDevice->GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
    EXPECT_EQ(texture.Get(), other.Get());
    EXPECT_EQ(colourOp, static_cast<DWORD>(D3DTOP_SELECTARG2));
    EXPECT_EQ(srcBlend, static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_EQ(blend, static_cast<DWORD>(FALSE));
}

TEST_F(Device, HeldLinesAreDrawnAsTheyWereWhenTheAtlasStartsAfresh) {
    ASSERT_TRUE(InitDirectX(picMap_));
    ASSERT_TRUE(D3DNameFont);
    const RECT rect{100, 50, 300, 80};
    auto picture = [&](auto queue) {
        D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        D3DDevice->BeginScene();
        queue();
        EXPECT_EQ(D3DNameFont->Flush(), D3D_OK);
        D3DDevice->EndScene();
        return LitColumns();
    };
    const std::vector<int> alone = picture([&] { EXPECT_EQ(D3DNameFont->Queue("A&B", rect, 0xFFFFFFFF), D3D_OK); });
    ASSERT_FALSE(alone.empty());
    // Lines cut to the atlas's width take a shelf each: these fill the atlas many times over
    // while "A&B" waits, and draw nothing themselves.
    const std::vector<int> crowded = picture([&] {
        EXPECT_EQ(D3DNameFont->Queue("A&B", rect, 0xFFFFFFFF), D3D_OK);
        for (int k = 0; k < 100; ++k)
            EXPECT_EQ(D3DNameFont->Queue(std::string(400, 'W') + std::to_string(k), RECT{0, 0, 0, 0}, 0xFFFFFFFF), D3D_OK);
    });
    EXPECT_EQ(crowded, alone);
    const std::vector<int> again = picture([&] { EXPECT_EQ(D3DNameFont->Queue("A&B", rect, 0xFFFFFFFF), D3D_OK); });
    EXPECT_EQ(again, alone) << "made anew in the fresh atlas";
}
