#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "game/system/videosurvey.h"
#include "platform/d3d.h"
#include "platform/ddraw.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/test_util.h"

namespace {

plat::PixelFormat Rgb(uint32_t bits, uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    plat::PixelFormat f;
    f.flags = plat::kPfRgb | (a ? uint32_t(plat::kPfAlphaPixels) : 0u);
    f.bit_count = bits;
    f.alpha_mask = a;
    f.red_mask = r;
    f.green_mask = g;
    f.blue_mask = b;
    return f;
}
const plat::PixelFormat kA1R5G5B5 = Rgb(16, 0x8000, 0x7C00, 0x03E0, 0x001F);
const plat::PixelFormat kA4R4G4B4 = Rgb(16, 0xF000, 0x0F00, 0x00F0, 0x000F);
const plat::PixelFormat kA8R8G8B8 = Rgb(32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF);

class D3DTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(64 * 1024);
        testenv::Start3DCard();
    }
    void TearDown() override {
        testenv::Stop3D();
        plat::SetTextureFormatsForTests({});
        UninitMemory();
    }
    void Enter(uint16_t flags, int width = 320, int height = 240) {
        int mode = GfxFindMode(width, height, 3);
        ASSERT_GE(mode, 0);
        SetGraphicMode(int16_t(mode), flags);
    }
    // A tracked block of 32-bit pixels, 0xAARRGGBB.
    uint8_t* Picture(const std::vector<uint32_t>& pixels) {
        uint8_t* block = nullptr;
        AllocateMemory(&block_, uint32_t(pixels.size() * 4), MEM_TYPE_MANUAL_FREE);
        block = block_;
        std::memcpy(block, pixels.data(), pixels.size() * 4);
        return block;
    }
    // The pixels of a texture level, each as the 32-bit value of its format.
    std::vector<uint32_t> TexturePixels(int handle, int level, uint32_t* width, uint32_t* height) {
        plat::DirectDrawSurface7* s = D3DTexGetSurface(handle);
        for (int i = 0; i < level; ++i) s = s->Attached();
        plat::SurfaceDesc d;
        EXPECT_EQ(s->Lock(nullptr, &d, 0, nullptr), plat::kDdOk);
        const uint32_t bytes = d.pixel_format.bit_count / 8;
        std::vector<uint32_t> out;
        for (uint32_t y = 0; y < d.height; ++y) {
            for (uint32_t x = 0; x < d.width; ++x) {
                uint32_t v = 0;
                std::memcpy(&v, static_cast<uint8_t*>(d.surface) + y * uint32_t(d.pitch) + x * bytes, bytes);
                out.push_back(v);
            }
        }
        s->Unlock(nullptr);
        *width = d.width;
        *height = d.height;
        return out;
    }
    uint8_t* block_ = nullptr;
};

constexpr uint16_t kFull = GFX_3D | GFX_ZBUFFER | GFX_STENCIL | GFX_DOUBLEBUFFER;

// ---- Device and scene --------------------------------------------------------

TEST_F(D3DTest, DeviceKnowsItsBuffersAndClearsOnlyWhatItHas) {
    Enter(kFull);
    EXPECT_EQ(D3DGetClearMask(), 7u);
    EXPECT_EQ(D3DGetStencilBits(), 8u);
    plat::D3DViewport7 v;
    ASSERT_EQ(D3DGetD3DDevice7()->GetViewport(&v), plat::kDdOk);
    EXPECT_EQ(v.width, 320u);
    EXPECT_EQ(v.height, 240u);
    RestoreGraphicMode();

    Enter(GFX_3D);
    EXPECT_EQ(D3DGetClearMask(), 1u);
    EXPECT_EQ(D3DGetStencilBits(), 0u);
    plat::ResetD3DCallCounts();
    D3DClearScene(D3DCLEAR_ZBUFFER);  // reaches the device as an empty set
    EXPECT_EQ(plat::D3DCallCount("Clear"), 1);
    D3DBeginScene();
    D3DEndScene();
}

TEST_F(D3DTest, ReleasingTwiceOnlyLogsAndFailuresAreReported) {
    Enter(GFX_3D | GFX_ZBUFFER);
    RestoreGraphicMode();
    DebugSetLevel(DEBUG_DIRECTDRAW, 80);
    StdoutCapture out;
    D3DUninitDevice();
    DebugSetLevel(DEBUG_DIRECTDRAW, 0);
    EXPECT_NE(out.Text().find("DX_SAFE_RELEASE(): D3DInfo.lpD3DDevice7 already released"), std::string::npos);

    Enter(GFX_3D | GFX_ZBUFFER);
    D3DBeginScene();
    EXPECT_FATAL(D3DBeginScene(), "D3DD7_BeginScene.*D3DERR_SCENE_IN_SCENE");
    plat::FailNextCall("DrawPrimitive", plat::kD3DErrInvalidVertexFormat);
    float v[3] = {0, 0, 0};
    EXPECT_FATAL(D3DDrawPrimitive(plat::kPtPointList, plat::kFvfXyz, v, 1),
                 "dxd3d.*D3DD7_DrawPrimitive.*D3DERR_INVALIDVERTEXFORMAT");
    // Only the dying child took the failure off the queue: taken here too,
    // it cannot fail the next test's first draw.
    EXPECT_EQ(plat::TakeInjectedFailure("DrawPrimitive"), plat::kD3DErrInvalidVertexFormat);
    D3DEndScene();
}

TEST(D3DLifeCycle, UninitBeforeInitIsFatal) {
    EXPECT_FATAL(D3DUninit(), "D3DUninit\\(\\): not initialised");
    EXPECT_FATAL(D3DGetD3DDevice7(), "D3DGetD3DDevice7\\(\\): no Direct3DDevice created");
}

TEST_F(D3DTest, LightSlotsFillFromTheLowestAndRunOut) {
    Enter(GFX_3D | GFX_ZBUFFER);
    D3DLightSetDefaultColour(0x3F3F3F3F);
    const float white[4] = {1, 1, 1, 1};
    Vector down{0, -1, 0};
    for (int i = 0; i < D3D_MAX_LIGHTS; ++i) EXPECT_EQ(D3DLightCreate(white, &down), i);
    plat::D3DLight7 light;
    ASSERT_EQ(D3DGetD3DDevice7()->GetLight(3, &light), plat::kDdOk);
    EXPECT_EQ(light.type, uint32_t(plat::kLightDirectional));
    EXPECT_FLOAT_EQ(light.ambient.r, 63.0f / 255.0f);
    EXPECT_FLOAT_EQ(light.specular.g, 1.0f);
    EXPECT_FATAL(D3DLightCreate(white, &down), "D3DLightCreate\\(\\): no free light slots");

    D3DLightDestroy(5);
    D3DLightDestroy(2);
    int on = 1;
    D3DGetD3DDevice7()->GetLightEnable(2, &on);
    EXPECT_EQ(on, 0);
    EXPECT_EQ(D3DLightCreate(white, &down), 2);
    EXPECT_FATAL(D3DLightEnable(5, 1), "D3DLightEnable\\(\\): light doesn't exist");
    EXPECT_FATAL(D3DLightDestroy(9), "D3DLightDestroy\\(\\): light doesn't exist");
    D3DLightEnable(2, 0);
    D3DGetD3DDevice7()->GetLightEnable(2, &on);
    EXPECT_EQ(on, 0);
}

TEST(D3DZBuffer, ExactDepthAndStencilWin) {
    auto z = [](uint32_t depth, uint32_t stencil) {
        plat::PixelFormat f;
        f.flags = plat::kPfZBuffer | (stencil ? uint32_t(plat::kPfStencilBuffer) : 0u);
        f.bit_count = depth;
        f.stencil_depth = stencil;
        return f;
    };
    auto pick = [](std::vector<plat::PixelFormat> formats) {
        D3DZBufferSearch search{};
        search.best_score = -1;
        search.wanted_depth = 16;
        search.wanted_stencil = 1;
        for (const auto& f : formats) EXPECT_EQ(D3DEnumZBufferCallback(&f, &search), plat::kEnumOk);
        return search;
    };
    // Deeper with exact stencil (8), exact depth with more stencil (11),
    // exact depth and stencil (16); too little stencil never.
    D3DZBufferSearch s = pick({z(32, 1), z(16, 8), z(16, 1), z(16, 0)});
    EXPECT_EQ(s.best_score, 16);
    EXPECT_EQ(s.best.stencil_depth, 1u);
    s = pick({z(32, 1), z(16, 8), z(24, 0)});
    EXPECT_EQ(s.best_score, 11);
    s = pick({z(16, 0), z(32, 1)});
    EXPECT_EQ(s.best_score, 8);
    s = pick({z(16, 0)});
    EXPECT_EQ(s.best_score, -1);
}

TEST_F(D3DTest, SphereVisibilityMarksSpheresOutsideTheView) {
    Enter(GFX_3D | GFX_ZBUFFER);
    Matrix projection{};
    projection.m[0][0] = 1;
    projection.m[1][1] = 1;
    projection.m[2][2] = 100.0f / 99.0f;
    projection.m[2][3] = 1;
    projection.m[3][2] = -100.0f / 99.0f;
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
    Vector centres[3] = {{0, 0, 10}, {-50, 0, 10}, {0, 0, -5}};
    float radii[3] = {1, 1, 1};
    uint32_t results[3];
    D3DComputeSphereVisibility(centres, radii, 3, results);
    EXPECT_EQ(results[0] & 0x1FFF000u, 0u);
    EXPECT_NE(results[1] & (plat::kClipUnionLeft << plat::kClipIntersectionShift), 0u);
    EXPECT_NE(results[2] & 0x1FFF000u, 0u);
}

// ---- Render-state cache ----------------------------------------------------

TEST_F(D3DTest, ANewDeviceKeepsNoStateCachedForTheDeviceBefore) {
    Enter(GFX_3D | GFX_ZBUFFER);
    D3DSetRenderState(17, 5);
    testenv::Stop3D();
    testenv::Start3DCard();
    Enter(GFX_3D | GFX_ZBUFFER);
    EXPECT_EQ(D3DGetRenderState(17), 0u);
    plat::ResetD3DCallCounts();
    D3DSetRenderState(17, 5);
    EXPECT_EQ(plat::D3DCallCount("SetRenderState"), 1) << "the new device is given the value";
}

TEST_F(D3DTest, RepeatedStatesMakeNoDeviceCall) {
    Enter(GFX_3D | GFX_ZBUFFER);
    plat::Direct3DDevice7* device = D3DGetD3DDevice7();
    uint32_t value = 0;
    // The cache starts with the device's own values.
    device->GetRenderState(plat::kRsZFunc, &value);
    EXPECT_EQ(D3DGetRenderState(plat::kRsZFunc), value);
    plat::ResetD3DCallCounts();
    D3DSetRenderState(plat::kRsZFunc, value);
    EXPECT_EQ(plat::D3DCallCount("SetRenderState"), 0);
    D3DSetRenderState(plat::kRsZFunc, plat::kCmpLess);
    D3DSetRenderState(plat::kRsZFunc, plat::kCmpLess);
    EXPECT_EQ(plat::D3DCallCount("SetRenderState"), 1);
    device->GetRenderState(plat::kRsZFunc, &value);
    EXPECT_EQ(value, uint32_t(plat::kCmpLess));

    // Unlisted and never set: zero, and a zero is dropped.
    EXPECT_EQ(D3DGetRenderState(17), 0u);
    D3DSetRenderState(17, 0);
    EXPECT_EQ(plat::D3DCallCount("SetRenderState"), 1);
    D3DSetRenderStateFloat(plat::kRsFogEnd, 5000.0f);
    EXPECT_FLOAT_EQ(D3DGetRenderStateFloat(plat::kRsFogEnd), 5000.0f);
    D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgLinear);
    D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgLinear);
    EXPECT_EQ(plat::D3DCallCount("SetTextureStageState"), 1);
    EXPECT_EQ(D3DGetTextureStageState(0, plat::kTssMagFilter), uint32_t(plat::kTfgLinear));

    D3DSetRenderState(152, 0);
    EXPECT_FATAL(D3DSetRenderState(153, 0), "D3DSetRenderState\\(\\): render state out of range");
    EXPECT_FATAL(D3DGetRenderState(153), "D3DGetRenderState\\(\\): render state out of range");
    EXPECT_FATAL(D3DSetTextureStageState(1, plat::kTssColorOp, 1),
                 "D3DSetTextureStageState\\(\\): Stage out of range");
    EXPECT_FATAL(D3DSetTextureStageState(0, 25, 1), "invalid texture sgage");
}

TEST_F(D3DTest, ATaskSwitchSendsEveryListedStateAgain) {
    Enter(GFX_3D | GFX_ZBUFFER | GFX_STENCIL);
    D3DSetRenderState(plat::kRsAlphaBlendEnable, 1);
    D3DSetRenderState(plat::kRsSrcBlend, plat::kBlendSrcAlpha);
    D3DSetRenderStateFloat(plat::kRsFogStart, 900.0f);
    D3DSetRenderState(plat::kRsStencilRef, 1);
    D3DSetRenderState(17, 5);  // not on the list
    D3DSetTextureStageState(0, plat::kTssMinFilter, plat::kTfnLinear);
    plat::Direct3DDevice7* device = D3DGetD3DDevice7();
    plat::ResetDeviceStatesForTests(device);  // the device lost them
    plat::ResetD3DCallCounts();
    WinCallTaskswitchFuncs(TASKSWITCH_IDLE);
    EXPECT_EQ(plat::D3DCallCount("SetRenderState"), 0);
    WinCallTaskswitchFuncs(TASKSWITCH_ACTIVE);
    EXPECT_EQ(plat::D3DCallCount("SetRenderState"), D3D_RESTORED_RENDERSTATES);
    EXPECT_EQ(plat::D3DCallCount("SetTextureStageState"), 24);
    for (uint32_t state : D3DRestoredRenderStates) {
        uint32_t value = 0;
        device->GetRenderState(state, &value);
        EXPECT_EQ(value, D3DGetRenderState(state)) << state;
    }
    for (uint32_t type = 1; type < 25; ++type) {
        uint32_t value = 0;
        device->GetTextureStageState(0, type, &value);
        EXPECT_EQ(value, D3DGetTextureStageState(0, type)) << type;
    }
    uint32_t unlisted = 1;
    device->GetRenderState(17, &unlisted);
    EXPECT_EQ(unlisted, 0u);
    // The values sent are the ones set before the switch, and the cache keeps them.
    uint32_t value = 0;
    device->GetRenderState(plat::kRsAlphaBlendEnable, &value);
    EXPECT_EQ(value, 1u);
    device->GetRenderState(plat::kRsStencilRef, &value);
    EXPECT_EQ(value, 1u);
    EXPECT_FLOAT_EQ(D3DGetRenderStateFloat(plat::kRsFogStart), 900.0f);
    device->GetTextureStageState(0, plat::kTssMinFilter, &value);
    EXPECT_EQ(value, uint32_t(plat::kTfnLinear));
    plat::ResetD3DCallCounts();
    D3DSetRenderState(plat::kRsSrcBlend, plat::kBlendSrcAlpha);
    EXPECT_EQ(plat::D3DCallCount("SetRenderState"), 0) << "the cache still holds the value";
}

// ---- Textures -----------------------------------------------------------------

TEST_F(D3DTest, FormatChoiceScoresAlphaAndDepth) {
    plat::SetTextureFormatsForTests({kA1R5G5B5, kA4R4G4B4, kA8R8G8B8});
    Enter(GFX_3D | GFX_ZBUFFER);
    ASSERT_EQ(D3DTexGetFormatCount(), 3);
    EXPECT_EQ(D3DTexGetDefaultDepth(), D3DTEX_FORMAT_32BIT);  // a 32-bit screen
    EXPECT_EQ(D3DTexFindTextureFormat(D3DTEX_FORMAT_TRANSPARENT | D3DTEX_FORMAT_16BIT), 0);
    EXPECT_EQ(D3DTexFindTextureFormat(D3DTEX_FORMAT_SEMITRANSPARENT | D3DTEX_FORMAT_16BIT), 1);
    EXPECT_EQ(D3DTexFindTextureFormat(D3DTEX_FORMAT_SOLID | D3DTEX_FORMAT_32BIT), 2);
    EXPECT_EQ(D3DTexFindTextureFormat(D3DTEX_FORMAT_SOLID), 2);
    EXPECT_EQ(D3DTexFindTextureFormat(D3DTEX_FORMAT_PALETTE), D3DTEX_NULL_FORMAT);
    EXPECT_FATAL(D3DTexFindTextureFormat(0x20), "no D3DTEX_FORMAT_\\* value specified");
    EXPECT_FATAL(D3DTexFindTextureFormat(0x41), "unknown bit depth requested");
    EXPECT_FATAL(D3DTexGetTextureFormat(D3DTEX_NULL_FORMAT), "was D3DTEX_NULL_FORMAT passed");
}

TEST_F(D3DTest, EnumerationSkipsFormatsItCannotUse) {
    plat::PixelFormat overlapping = Rgb(16, 0, 0xF800, 0x0FE0, 0x001F);
    plat::PixelFormat palette4 = Rgb(4, 0, 0, 0, 0);
    palette4.flags |= plat::kPfPaletteIndexed4;
    plat::PixelFormat palette8 = Rgb(8, 0, 0, 0, 0);
    palette8.flags |= plat::kPfPaletteIndexed8;
    plat::PixelFormat bump;
    bump.flags = 0x00080000;  // not RGB
    plat::SetTextureFormatsForTests({overlapping, palette4, bump, palette8, kA8R8G8B8});
    Enter(GFX_3D | GFX_ZBUFFER);
    ASSERT_EQ(D3DTexGetFormatCount(), 2);
    EXPECT_EQ(D3DTexGetFormatEntry(0)->paletted, 1u);
    EXPECT_EQ(D3DTexFindTextureFormat(D3DTEX_FORMAT_PALETTE), 0);
    EXPECT_EQ(D3DTexGetTextureFormat(1)->alpha.bits, 8u);

    std::vector<plat::PixelFormat> many(130, kA8R8G8B8);
    plat::SetTextureFormatsForTests(many);
    RestoreGraphicMode();
    Enter(GFX_3D | GFX_ZBUFFER);
    EXPECT_EQ(D3DTexGetFormatCount(), MAX_TEXTURE_FORMATS);
}

TEST_F(D3DTest, HandlesAreReusedFromTheLowestAndChecked) {
    plat::SetTextureFormatsForTests({kA8R8G8B8});
    Enter(GFX_3D | GFX_ZBUFFER);
    const uint32_t pixels[4] = {0xFF112233, 0xFF445566, 0x80778899, 0x00AABBCC};
    EXPECT_EQ(D3DTexCreateTexture(2, 2, pixels, 0), 0);
    EXPECT_EQ(D3DTexCreateTexture(2, 2, pixels, 0), 1);
    EXPECT_EQ(D3DTexCreateTexture(2, 2, pixels, 0), 2);
    D3DTexDestroyTexture(1);
    EXPECT_EQ(D3DTexGetSurface(1), nullptr);
    EXPECT_EQ(D3DTexCreateTexture(2, 2, pixels, 0), 1);
    EXPECT_EQ(D3DTexReadTextureFormat(1), 0);
    uint32_t w = 0, h = 0;
    std::vector<uint32_t> got = TexturePixels(1, 0, &w, &h);
    EXPECT_EQ(got, std::vector<uint32_t>(pixels, pixels + 4));

    plat::ResetD3DCallCounts();
    D3DTexSetCurrentHandle(2);
    D3DTexSetCurrentHandle(2);
    EXPECT_EQ(plat::D3DCallCount("SetTexture"), 1);
    EXPECT_EQ(D3DTexGetCurrentHandle(), 2);
    // Destroying the current texture leaves none current.
    D3DTexDestroyTexture(2);
    EXPECT_EQ(D3DTexGetCurrentHandle(), D3DTEX_NO_TEXTURE);
    EXPECT_EQ(D3DTexGetSurface(4096), nullptr);

    EXPECT_FATAL(D3DTexSetCurrentHandle(4096), "D3DTexSetCurrentHandle\\(\\): texture handle out of range");
    EXPECT_FATAL(D3DTexSetCurrentHandle(7), "D3DTexSetCurrentHandle\\(\\): texture doesn't exist");
    EXPECT_FATAL(D3DTexDestroyTexture(2), "D3DTexDestroyTexture\\(\\): texture doesn't exist");
    EXPECT_FATAL(D3DTexReadTextureFormat(5000), "D3DTexReadTextureFormat\\(\\): texture handle out of range");
    EXPECT_FATAL(D3DTexAdvanceCreateSetMinSize(3, 4), "invalid minimum size passed");
    // Left over textures go with the device, each with a warning.
    DebugSetLevel(DEBUG_DIRECT3D, 20);
    StdoutCapture out;
    RestoreGraphicMode();
    DebugSetLevel(DEBUG_DIRECT3D, 0);
    EXPECT_NE(out.Text().find("Warning: D3DTexUninit(): texture 0 not released"), std::string::npos);
}

TEST_F(D3DTest, TheTableHoldsFourThousandAndNinetySixTextures) {
    plat::SetTextureFormatsForTests({kA8R8G8B8});
    Enter(GFX_3D | GFX_ZBUFFER);
    const uint32_t pixel = 0xFFFFFFFF;
    for (int i = 0; i < MAX_TEXTURES; ++i) ASSERT_EQ(D3DTexCreateTexture(1, 1, &pixel, 0), i);
    EXPECT_FATAL(D3DTexCreateTexture(1, 1, &pixel, 0),
                 "D3DTexCreateTextureEx\\(\\): cannot create any more textures");
    D3DTexDestroyTexture(1234);
    EXPECT_EQ(D3DTexCreateTexture(1, 1, &pixel, 0), 1234);
}

TEST_F(D3DTest, SquareOnlyDevicesGetRowsRepeated) {
    Enter(GFX_3D | GFX_ZBUFFER);
    DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    const uint32_t saved_flags = device->flags;
    device->flags |= D3DDEVINFO_SQUARETEX;
    std::vector<uint32_t> picture(64 * 16);
    for (uint32_t y = 0; y < 16; ++y) {
        for (uint32_t x = 0; x < 64; ++x) picture[y * 64 + x] = 0xFF000000u | y << 8 | x;
    }
    Picture(picture);
    int handle = D3DTexAdvancedCreateTexture(64, 16, &block_, 0, D3DTEXCREATE_ARGB8888 | D3DTEXCREATE_32BIT);
    device->flags = saved_flags;
    EXPECT_EQ(block_, nullptr);  // the picture block is freed
    uint32_t w = 0, h = 0;
    std::vector<uint32_t> got = TexturePixels(handle, 0, &w, &h);
    ASSERT_EQ(w, 64u);
    ASSERT_EQ(h, 64u);
    for (uint32_t y = 0; y < 64; ++y) {
        EXPECT_EQ(got[y * 64 + 7] & 0xFFFFFF, (y / 4) << 8 | 7u) << y;
    }
}

TEST_F(D3DTest, LargePicturesAreHalvedToTheMaximum) {
    Enter(GFX_3D | GFX_ZBUFFER);
    DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    const DDraw3DDeviceInfo saved = *device;
    device->max_texture_width = device->max_texture_height = 256;
    Picture(std::vector<uint32_t>(512 * 128, 0xFF808080));
    int handle = D3DTexAdvancedCreateTexture(512, 128, &block_, 0, D3DTEXCREATE_ARGB8888);
    uint32_t w = 0, h = 0;
    TexturePixels(handle, 0, &w, &h);
    EXPECT_EQ(w, 256u);
    EXPECT_EQ(h, 64u);

    // A device that keeps sides within 2:1 gets a taller picture.
    device->max_texture_aspect_ratio = 2;
    Picture(std::vector<uint32_t>(64 * 8, 0xFF808080));
    handle = D3DTexAdvancedCreateTexture(64, 8, &block_, 0, D3DTEXCREATE_ARGB8888);
    TexturePixels(handle, 0, &w, &h);
    EXPECT_EQ(w, 64u);
    EXPECT_EQ(h, 32u);
    *device = saved;
    Picture(std::vector<uint32_t>(12, 0));
    EXPECT_FATAL(D3DTexAdvancedCreateTexture(4, 3, &block_, 0, D3DTEXCREATE_ARGB8888),
                 "texture size must be a power of two");
    EXPECT_FATAL(D3DTexAdvancedCreateTexture(4, 2, &block_, 0, 0), "unknown format");
    EXPECT_FATAL(D3DTexAdvancedCreateTexture(4, 2, &block_, 0, D3DTEXCREATE_ARGB8888 | 0x400),
                 "unknown alpha format");
    FreeMemory(&block_);
}

TEST_F(D3DTest, AlphaDecidesTheKindOfFormat) {
    Enter(GFX_3D | GFX_ZBUFFER);
    auto kind_bits = [&](uint32_t second_alpha) {
        Picture({0xFFFFFFFF, second_alpha << 24 | 0xFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
        int handle =
            D3DTexAdvancedCreateTexture(2, 2, &block_, 0, D3DTEXCREATE_ARGB8888 | D3DTEXCREATE_16BIT);
        return D3DTexGetTextureFormat(D3DTexReadTextureFormat(handle))->alpha.bits;
    };
    EXPECT_EQ(kind_bits(0xFF), 0u);  // solid: no alpha
    EXPECT_EQ(kind_bits(0x00), 1u);  // transparent: one bit
    EXPECT_EQ(kind_bits(0x80), 4u);  // semi-transparent: four bits
}

TEST_F(D3DTest, MipMapsHalveEachLevel) {
    plat::SetTextureFormatsForTests({kA8R8G8B8});
    Enter(GFX_3D | GFX_ZBUFFER);
    DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    const uint32_t saved_flags = device->flags;
    device->flags |= D3DDEVINFO_MIPMAPTEX;
    std::vector<uint32_t> picture(16 * 4);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = (i % 2) ? 0xFF000000 : 0xFFFFFFFF;
    Picture(picture);
    int handle = D3DTexAdvancedCreateTexture(16, 4, &block_, 0, D3DTEXCREATE_ARGB8888 | D3DTEXCREATE_MIPMAP);
    EXPECT_EQ(D3DTexGetLevels(handle), 2u);  // log2(4): 16 x 4 and 8 x 2
    uint32_t w = 0, h = 0;
    std::vector<uint32_t> level1 = TexturePixels(handle, 1, &w, &h);
    EXPECT_EQ(w, 8u);
    EXPECT_EQ(h, 2u);
    EXPECT_EQ(level1[0], 0xFF7F7F7Fu);  // black and white averaged

    // Without the device capability, or with the refusal flag, one level.
    Picture(picture);
    handle = D3DTexAdvancedCreateTexture(16, 4, &block_, 0,
                                         D3DTEXCREATE_ARGB8888 | D3DTEXCREATE_MIPMAP | D3DTEXCREATE_NOMIPMAP);
    EXPECT_EQ(D3DTexGetLevels(handle), 1u);
    device->flags = saved_flags;
    Picture(picture);
    D3DTexSetExtraFlags(D3DTEXCREATE_MIPMAP | D3DTEXCREATE_HALFSIZE);
    handle = D3DTexAdvancedCreateTexture(16, 4, &block_, 0, D3DTEXCREATE_ARGB8888);
    EXPECT_EQ(D3DTexSetExtraFlags(0), D3DTEXCREATE_MIPMAP | D3DTEXCREATE_HALFSIZE);
    EXPECT_EQ(D3DTexGetLevels(handle), 1u);
    TexturePixels(handle, 0, &w, &h);
    EXPECT_EQ(w, 8u);  // halved once
    EXPECT_NE(D3DTexGetManagerInfo(), nullptr);
}

}  // namespace
