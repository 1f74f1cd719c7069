// Icon pages: packing pictures into 256 x 256 pages, sharing identical
// ones, the page choice, the upload and the half-pixel correction of the
// drawn quads.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/match3d/iconpages.h"
#include "game/system/device3d.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/test_util.h"

namespace {

class GfxPagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(16 * 1024);
        testenv::Start3D(320, 240);
        format_ = uint32_t(D3DTexFindTextureFormat(D3DTEX_FORMAT_SEMITRANSPARENT));
        bytes_ = D3DTexGetTextureFormat(int(format_))->bytes;
        GfxMgr_Init();
        GfxMgr_CreateStart();
    }
    void TearDown() override {
        GfxMgr_Destroy();
        GfxMgr_Free();
        testenv::Stop3D();
        UninitMemory();
    }
    // A picture of the page format whose texels all hold `fill`, bar the
    // first byte, which holds `mark`.
    std::vector<uint8_t> Picture(uint32_t width, uint32_t height, uint8_t fill, uint8_t mark) const {
        std::vector<uint8_t> p(size_t(width) * height * bytes_, fill);
        p[0] = mark;
        return p;
    }
    uint32_t Create(uint32_t width, uint32_t height, uint8_t fill, uint8_t mark = 0) {
        const std::vector<uint8_t> p = Picture(width, height, fill, mark);
        return GfxMgr_Create(p.data(), width, height, format_);
    }
    uint32_t format_ = 0;
    uint32_t bytes_ = 0;
};

TEST_F(GfxPagesTest, WholePageIconsTakeAPageEachUpToEight) {
    for (int page = 0; page < kMaxIconPages; ++page) {
        const uint32_t icon = Create(256, 256, uint8_t(page + 1));
        ASSERT_EQ(GfxMgr_GetIcon(icon)->page, uint32_t(page));
        EXPECT_EQ(GfxMgr_GetIcon(icon)->x, 0u);
        EXPECT_EQ(GfxMgr_GetPage(page)->cursorX, 256u);
    }
    EXPECT_EQ(GfxMgr_GetPageCount(), kMaxIconPages);
    // The same picture again still shares; a new one needs a ninth page.
    EXPECT_EQ(GfxMgr_GetIcon(Create(256, 256, 3))->page, 2u);
    EXPECT_FATAL(Create(256, 256, 99), "CreateNewTexture\\(\\): too many textures - increase MAX_TEXTURES");
    EXPECT_FATAL(Create(257, 4, 1), "GfxMgr_Create\\(\\): icon too large for texture size");
    EXPECT_FATAL(Create(4, 257, 1), "GfxMgr_Create\\(\\): icon too large for texture size");
    EXPECT_FATAL(GfxMgr_CreateStart(), "GfxMgr_CreateStart\\(\\): icons already created - can't do it again");
    EXPECT_FATAL(GfxMgr_DrawTiled(), "GfxMgr_DrawTiled\\(\\): not done yet...");
}

TEST_F(GfxPagesTest, IdenticalPicturesShareARectangle) {
    const uint32_t a = Create(12, 16, 0x40);
    const uint32_t b = Create(12, 16, 0x40);
    const uint32_t c = Create(12, 16, 0x40, 0x41);  // one byte differs
    const uint32_t d = Create(16, 12, 0x40);        // same bytes, other shape
    EXPECT_NE(a, b);
    EXPECT_EQ(GfxMgr_GetIconCount(), 4u);
    const GfxIcon ia = *GfxMgr_GetIcon(a), ib = *GfxMgr_GetIcon(b), ic = *GfxMgr_GetIcon(c),
                  id = *GfxMgr_GetIcon(d);
    EXPECT_EQ(std::memcmp(&ia, &ib, sizeof ia), 0);
    EXPECT_EQ(ic.x, 12u);
    EXPECT_EQ(id.x, 24u);
    EXPECT_EQ(GfxMgr_GetPage(0)->cursorX, 40u);
    EXPECT_EQ(GfxMgr_GetPage(0)->rowHeight, 16u);
    // The pixels were copied into the page at the rectangle.
    const IconPage* page = GfxMgr_GetPage(0);
    EXPECT_EQ(page->pixels[(0 * 256 + 12) * bytes_], 0x41);
    EXPECT_EQ(page->pixels[(15 * 256 + 23) * bytes_ + bytes_ - 1], 0x40);
    EXPECT_EQ(page->pixels[(16 * 256 + 0) * bytes_], 0);
    // Many more than the growth step of the icon array.
    for (int i = 0; i < 40; ++i) Create(12, 16, 0x40);
    EXPECT_EQ(GfxMgr_GetIconCount(), 44u);
    EXPECT_EQ(GfxMgr_GetPage(0)->cursorX, 40u);
}

TEST_F(GfxPagesTest, IconGoesToTheRowOfClosestHeightWhereItFits) {
    Create(256, 232, 1);                        // page 0, first row 232 high
    const uint32_t row16 = Create(200, 16, 2);  // page 0, second row at y 232
    const uint32_t row24 = Create(200, 24, 3);  // no room on page 0: page 1
    EXPECT_EQ(GfxMgr_GetIcon(row16)->page, 0u);
    EXPECT_EQ(GfxMgr_GetIcon(row16)->y, 232u);
    EXPECT_EQ(GfxMgr_GetIcon(row24)->page, 1u);
    // 16 high: the 16-high row of page 0 beats the 24-high one of page 1.
    const uint32_t small16 = Create(40, 16, 4);
    EXPECT_EQ(GfxMgr_GetIcon(small16)->page, 0u);
    EXPECT_EQ(GfxMgr_GetIcon(small16)->x, 200u);
    // 24 high: page 1's row.
    const uint32_t small24 = Create(40, 24, 5);
    EXPECT_EQ(GfxMgr_GetIcon(small24)->page, 1u);
    EXPECT_EQ(GfxMgr_GetIcon(small24)->x, 200u);
    // Too wide for either row and no new row fits on page 0: page 1 opens a
    // new row under its first.
    const uint32_t wide16 = Create(60, 16, 6);
    EXPECT_EQ(GfxMgr_GetIcon(wide16)->page, 1u);
    EXPECT_EQ(GfxMgr_GetIcon(wide16)->x, 0u);
    EXPECT_EQ(GfxMgr_GetIcon(wide16)->y, 24u);
    EXPECT_EQ(GfxMgr_GetPageCount(), 2);

    GfxMgr_Upload();
    for (int page = 0; page < 2; ++page) {
        EXPECT_EQ(GfxMgr_GetPage(page)->pixels, nullptr);
        EXPECT_NE(GfxMgr_GetPage(page)->handle, kNoPageHandle);
    }
    // An uploaded page takes no more icons.
    EXPECT_EQ(GfxMgr_GetIcon(Create(8, 8, 7))->page, 2u);
}

TEST_F(GfxPagesTest, FudgeTypesShiftQuadsOrTexels) {
    const TextureFudge& f = GfxMgr_GetFudge();
    EXPECT_EQ(f.x, -0.5f);
    EXPECT_EQ(f.y, -0.5f);
    EXPECT_EQ(f.u, 0.0f);
    InitTextureFudge(1);
    EXPECT_EQ(f.x, 0.0f);
    EXPECT_EQ(f.u, 0.5f);
    EXPECT_EQ(f.v, 0.5f);
    InitTextureFudge(2);
    EXPECT_EQ(f.x, 0.0f);
    EXPECT_EQ(f.u, 0.0f);
    EXPECT_FATAL(InitTextureFudge(3), "InitTextureFudge\\(\\): invalid fudge type");
}

// Under fudge type 0 a quad at whole pixels puts every pixel centre on a
// texel centre: a one-texel checker comes out texel for texel, even with
// linear filtering.
TEST_F(GfxPagesTest, HalfPixelShiftDrawsTexelsOntoPixels) {
    InitTextureFudge(0);
    const ColFmt* format = D3DTexGetTextureFormat(int(format_));
    constexpr uint32_t kSize = 16;
    std::vector<uint8_t> picture(kSize * kSize * bytes_);
    for (uint32_t y = 0; y < kSize; ++y) {
        for (uint32_t x = 0; x < kSize; ++x) {
            const uint32_t argb = ((x + y) & 1) ? 0xFFFFFFFF : 0xFF0000FF;
            ColConvertWrite(&picture[(y * kSize + x) * bytes_], ColConvPixel(argb, &ColFmt_A8R8G8B8, format),
                            format);
        }
    }
    const uint32_t icon = GfxMgr_Create(picture.data(), kSize, kSize, format_);
    const uint32_t white = Create(8, 8, 0xFF, 0xFF);
    GfxMgr_Upload();
    D3DClearSceneEx2(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    D3DBeginScene();
    D3DSetRenderState(plat::kRsLighting, 0);
    D3DSetRenderState(plat::kRsZEnable, 0);
    D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgLinear);
    D3DSetTextureStageState(0, plat::kTssMinFilter, plat::kTfnLinear);
    GfxMgr_DrawIconNatural(icon, 40, 30);
    GfxMgr_DrawIcon(white, 100, 30, 32, 32, 0xFFFF0000);  // stretched and tinted red
    D3DEndScene();
    const testenv::Frame frame = testenv::GrabFrame("gfxmgr_checker.tga");
    for (uint32_t y = 0; y < kSize; ++y) {
        for (uint32_t x = 0; x < kSize; ++x) {
            const uint32_t want = ((x + y) & 1) ? 0xFFFFFF : 0x0000FF;
            ASSERT_LE(testenv::ColourDistance(frame.At(int(40 + x), int(30 + y)), want), 2) << x << "," << y;
        }
    }
    EXPECT_EQ(frame.At(39, 30), 0u);
    EXPECT_EQ(frame.At(56, 30), 0u);
    EXPECT_EQ(frame.At(40, 29), 0u);
    // The red tint keeps only red; the stretched quad covers 32 x 32 (its
    // outermost pixels filter in the page's texels beside the icon).
    EXPECT_LE(testenv::ColourDistance(frame.At(104, 34), 0xFF0000), 2);
    EXPECT_LE(testenv::ColourDistance(frame.At(127, 57), 0xFF0000), 2);
    EXPECT_GT((frame.At(100, 30) >> 16) & 0xFF, 0x20u);
    EXPECT_GT((frame.At(131, 61) >> 16) & 0xFF, 0x20u);
    EXPECT_EQ(frame.At(132, 40), 0u);
    EXPECT_EQ(frame.At(99, 40), 0u);
    EXPECT_EQ(frame.At(110, 62), 0u);
    EXPECT_EQ(GfxMgr_GetIconHeight(icon), kSize);
}

}  // namespace
