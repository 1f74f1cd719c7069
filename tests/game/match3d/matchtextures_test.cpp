// The texture table, the kit colours and their shading, the team-coloured
// texture creation and the plain texture name cache.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchtextures.h"
#include "game/system/textures3d.h"
#include "platform/ddraw.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/tga_fixture.h"

namespace {

struct TexRgb {
    uint32_t r, g, b;
    bool operator==(const TexRgb&) const = default;
};

TexRgb TexUnpack(uint32_t pixel) {
    const uint32_t argb = ColConvPixel(pixel, &ColFmt_A8R8G8B8, &ColFmt_A8R8G8B8);
    return {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF};
}

std::ostream& operator<<(std::ostream& out, const TexRgb& c) {
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

KitDesignRow TexRow(std::initializer_list<int> words) {
    KitDesignRow row{};
    int i = 0;
    for (int w : words) row.words[i++] = uint16_t(w);
    return row;
}

// The texels of a device texture as 0xAARRGGBB.
std::vector<uint32_t> TexTexels(int handle, uint32_t* width, uint32_t* height) {
    plat::DirectDrawSurface7* surface = D3DTexGetSurface(handle);
    plat::SurfaceDesc desc;
    EXPECT_EQ(surface->Lock(nullptr, &desc, 0, nullptr), plat::kDdOk);
    const ColFmt* format = D3DTexGetTextureFormat(D3DTexReadTextureFormat(handle));
    std::vector<uint32_t> out;
    for (uint32_t y = 0; y < desc.height; ++y) {
        for (uint32_t x = 0; x < desc.width; ++x) {
            uint32_t v = 0;
            std::memcpy(&v,
                        static_cast<uint8_t*>(desc.surface) + y * uint32_t(desc.pitch) + x * format->bytes,
                        format->bytes);
            out.push_back(ColConvPixel(v, format, &ColFmt_A8R8G8B8));
        }
    }
    surface->Unlock(nullptr);
    *width = desc.width;
    *height = desc.height;
    return out;
}

int TexUsedSlots() {
    int used = 0;
    for (uint32_t slot : TextureSlot) used += slot != kFreeTextureSlot;
    return used;
}

// ---- Shading and colours (no device) ---------------------------------------

TEST(TexShadeTest, LightAndHighlightFollowTheirRule) {
    for (int colour = 0; colour < kKitPaletteSize; ++colour) {
        const KitColour& c = KitPalette[colour];
        EXPECT_EQ(TexUnpack(TexD3D_ShadeColour(colour, 1.0f, 0.0f)), (TexRgb{c.red, c.green, c.blue}))
            << colour;
    }
    // A colour with a full component turns white; half light truncates.
    for (int colour : {0, 10, 30, 72, 92}) {
        EXPECT_EQ(TexUnpack(TexD3D_ShadeColour(colour, 1.0f, 1.0f)), (TexRgb{255, 255, 255})) << colour;
        EXPECT_EQ(TexUnpack(TexD3D_ShadeColour(colour, 0.5f, 1.0f)), (TexRgb{127, 127, 127})) << colour;
    }
    EXPECT_EQ(TexUnpack(TexD3D_ShadeColour(3, 0.5f, 0.0f)), (TexRgb{72, 73, 72}));
    // The lift is in proportion to the brightest component: (0,0,20) is
    // lifted by 20 / 255 of the way to white.
    EXPECT_EQ(TexUnpack(TexD3D_ShadeColour(102, 1.0f, 1.0f)), (TexRgb{20, 20, 38}));
    EXPECT_EQ(TexUnpack(TexD3D_ShadeColour(102, 1.0f, 0.0f)), (TexRgb{0, 0, 20}));
    // Outside the palette: colour 5; the texel is opaque.
    const uint32_t grey = TexD3D_ShadeColour(5, 1.0f, 0.0f);
    EXPECT_EQ(TexD3D_ShadeColour(103, 1.0f, 0.0f), grey);
    EXPECT_EQ(TexD3D_ShadeColour(-1, 1.0f, 0.0f), grey);
    EXPECT_EQ(ColConvPixel(grey, &ColFmt_A8R8G8B8, &ColFmt_A8R8G8B8) >> 24, 255u);
}

TEST(TexShadeTest, SideColoursComeFromTheKitRowWithFixedTrims) {
    const KitDesignRow home = TexRow({7, 30, 0, 9, 62, 3, 72, 73, 74, 4, 92, 93, 94, 20});
    TexD3D_SetTeamColours(1, home);
    for (int pen = 0; pen < 4; ++pen) {
        EXPECT_EQ(TexD3D_GetTeamColour(1, 0, pen), home.words[1 + pen]);
        EXPECT_EQ(TexD3D_GetTeamColour(1, 3, pen), 20u);
    }
    for (int pen = 0; pen < 3; ++pen) {
        EXPECT_EQ(TexD3D_GetTeamColour(1, 1, pen), home.words[6 + pen]);
        EXPECT_EQ(TexD3D_GetTeamColour(1, 2, pen), home.words[10 + pen]);
    }
    EXPECT_EQ(TexD3D_GetTeamColour(1, 1, 3), 10u);
    EXPECT_EQ(TexD3D_GetTeamColour(1, 2, 3), 10u);
    for (auto [side, group, pen] : {std::tuple{4, 0, 0}, {1, 4, 0}, {1, 0, 4}, {-1, 0, 0}, {1, 0, 255}}) {
        EXPECT_EQ(TexD3D_GetTeamColour(side, group, pen), 5u);
    }
    // A word of -1 is kept signed and shades as colour 5.
    TexD3D_SetTeamColours(2, TexRow({0, -1, -1, -1, -1, 0, 6, 6, 6, 0, 6, 6, 6, 6}));
    EXPECT_EQ(TexD3D_GetTeamColour(2, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(TexD3D_ShadeColour(int32_t(TexD3D_GetTeamColour(2, 0, 0)), 1.0f, 0.0f),
              TexD3D_ShadeColour(5, 1.0f, 0.0f));
}

TEST(TexShadeTest, FullTableAndOverlongNamesStopTheProgram) {
    InitMemory(4096);
    TexD3D_Init();
    NORMTEXT_Init();
    EXPECT_EQ(TexD3D_GetHandle(0), -1);
    EXPECT_EQ(TexD3D_GetHandle(-1), -1);
    EXPECT_EQ(TexD3D_GetHandle(kTextureSlots), -1);
    // 1295 textures made: the next one has no slot.
    for (uint32_t& slot : TextureSlot) slot = 1;
    EXPECT_FATAL(TexD3D_CreateTexture("sskin\\textures\\plain\\boots.tga"),
                 "TexD3D_CreateTexture\\(\\): too many textures created");
    EXPECT_FATAL(TexD3D_CreateTextureForTeam("x.tga", 0, &KitPartTable[6]),
                 "TexD3D_CreateTextureForTeam\\(\\): too many textures created");
    TexD3D_Init();
    const std::string longName = std::string(76, 'a') + ".tga";
    EXPECT_FATAL(NORMTEXT_LoadTexture(longName.c_str()), "NORMTEXT_LoadTexture name too long");
    EXPECT_FATAL(KIT_GetTextureSizeFromIndex(1024), "KIT_GetTextureSizeFromIndex\\(\\): invalid index 1024");
    EXPECT_FATAL(KIT_GetTextureSizeFromIndex(-1), "invalid index -1");
    EXPECT_EQ(KIT_GetTextureSizeFromIndex(3), -1);
    UninitMemory();
}

// ---- Creation on a device, from a small archive of our own -----------------

constexpr uint16_t kTexW = 8, kTexH = 4;

class TexCreateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(16 * 1024);
        scratch_ = std::make_unique<testenv::ScratchDir>("tex");
        // Pens 0..5 across, shading light and highlight varying per texel.
        std::vector<uint8_t> pens;
        std::vector<uint32_t> shades;
        for (int y = 0; y < kTexH; ++y) {
            for (int x = 0; x < kTexW; ++x) {
                pens.push_back(uint8_t((x + y) % 6));
                const uint32_t light = uint32_t(255 - 30 * x), highlight = uint32_t(60 * y);
                shades.push_back(0xFF000000 | light << 16 | 0x40 << 8 | highlight);
            }
        }
        std::vector<uint32_t> plain(16, 0xFF336699);
        testenv::WritePak(
            "tex",
            {{"zudata\\d3d\\test\\pens.tga", testenv::IndexedTga(kTexW, kTexH, pens)},
             {"zudata\\d3d\\test\\small.tga",
              testenv::IndexedTga(kTexW, kTexH - 1, std::vector<uint8_t>(kTexW * (kTexH - 1), 0))},
             {"zudata\\d3d\\test\\Plain.tga", testenv::ArgbTga(4, 4, plain)},
             {"zudata\\d3d\\test\\other.tga", testenv::ArgbTga(4, 4, plain)},
             {"zudata\\d3d\\sskin\\textures\\kits\\plain\\shirt.tga", testenv::ArgbTga(kTexW, kTexH, shades)},
             {"zudata\\d3d\\sskin\\textures\\kits\\plain\\Shorts.tga",
              testenv::ArgbTga(kTexW, kTexH, shades)},
             {"zudata\\d3d\\sskin\\textures\\kits\\plain\\Socks.tga",
              testenv::ArgbTga(kTexW, kTexH, shades)}});
        PakFileInit();
        PakAddFile("tex");
        PakFileAddDone();
        testenv::Start3D(320, 240);
        TexD3D_Init();
        NORMTEXT_Init();
        shades_ = shades;
        pens_ = pens;
    }
    void TearDown() override {
        TexD3D_DestroyAll();
        testenv::Stop3D();
        PakFileUninit();
        scratch_.reset();
        UninitMemory();
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
    std::vector<uint32_t> shades_;
    std::vector<uint8_t> pens_;
};

TEST_F(TexCreateTest, TeamTexturePaintsEveryTexelFromItsPenAndShade) {
    TexD3D_SetTeamColours(0, TexRow({0, 30, 72, 92, 47, 0, 62, 0, 20, 0, 25, 9, 52, 10}));
    TexD3D_SetTeamColours(1, TexRow({0, 0, 9, 10, 11, 0, 30, 31, 32, 0, 33, 34, 35, 77}));
    for (int side : {0, 1}) {
        for (int part : {6, 7, 8, 9}) {
            const KitPart* row = &KitPartTable[part];
            const int index = TexD3D_CreateTextureForTeam("test\\pens.tga", side, row);
            uint32_t width = 0, height = 0;
            const std::vector<uint32_t> got = TexTexels(TexD3D_GetHandle(index), &width, &height);
            ASSERT_EQ(width, kTexW);
            ASSERT_EQ(height, kTexH);
            for (size_t i = 0; i < got.size(); ++i) {
                const uint32_t colour = TexD3D_GetTeamColour(side, int(row->colourGroup), pens_[i]);
                const float light = float((shades_[i] >> 16) & 0xFF) / 255.0f;
                const float highlight = float(shades_[i] & 0xFF) / 255.0f;
                const uint32_t want = TexD3D_ShadeColour(int32_t(colour), light, highlight);
                ASSERT_EQ(TexUnpack(got[i]), TexUnpack(want))
                    << "side " << side << " part " << part << " texel " << i;
                if (pens_[i] >= 4) {
                    ASSERT_EQ(TexUnpack(got[i]), TexUnpack(TexD3D_ShadeColour(5, light, highlight)));
                }
            }
        }
    }
    // Eight textures in the eight lowest slots.
    EXPECT_EQ(TexUsedSlots(), 8);
    EXPECT_NE(TexD3D_GetHandle(7), -1);
    TexD3D_DestroyAll();
    EXPECT_EQ(TexUsedSlots(), 0);
}

TEST_F(TexCreateTest, PaletteSmallerThanItsShadingIsRefused) {
    EXPECT_FATAL(
        TexD3D_CreateTextureForTeam("test\\small.tga", 0, &KitPartTable[6]),
        "palette texture file zudata.d3d.test.small.tga is smaller than its shading \\(8x3, should be "
        "at least 8x4\\)");
    // A part with no shading picture of its own.
    EXPECT_FATAL(TexD3D_CreateTextureForTeam("test\\pens.tga", 0, &KitPartTable[0]),
                 "ERROR:TexD3D_CreateTextureForTeam, default case hit");
    // A true-colour picture is no palette picture.
    EXPECT_FATAL(TexD3D_CreateTextureForTeam("test\\Plain.tga", 0, &KitPartTable[6]), "Error converting");
}

TEST_F(TexCreateTest, NameCacheLoadsEachNameOnceWhateverItsCase) {
    const int first = NORMTEXT_LoadTexture("test\\Plain.tga");
    EXPECT_EQ(NORMTEXT_LoadTexture("TEST\\plain.TGA"), first);
    EXPECT_EQ(TexUsedSlots(), 1);
    const int other = NORMTEXT_LoadTexture("test\\other.tga");
    EXPECT_NE(other, first);
    EXPECT_EQ(TexUsedSlots(), 2);
    EXPECT_EQ(KIT_GetTextureSizeFromIndex(first), TexD3D_GetHandle(PlainTextureName[first].slot));
    EXPECT_NE(KIT_GetTextureSizeFromIndex(first), KIT_GetTextureSizeFromIndex(other));
    uint32_t width = 0, height = 0;
    const std::vector<uint32_t> texels = TexTexels(KIT_GetTextureSizeFromIndex(first), &width, &height);
    EXPECT_EQ(texels[0] & 0xFFFFFF, 0x336699u);
}

}  // namespace
