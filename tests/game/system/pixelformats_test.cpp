#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/pixelformats.h"
#include "platform/ddraw.h"
#include "tests/fakes/test_util.h"

namespace {

ColFmt FromMasks(uint32_t bits, uint32_t r, uint32_t g, uint32_t b, uint32_t a = 0) {
    plat::PixelFormat pf;
    pf.flags = plat::kPfRgb | (a != 0 ? plat::kPfAlphaPixels : 0u);
    pf.bit_count = bits;
    pf.red_mask = r;
    pf.green_mask = g;
    pf.blue_mask = b;
    pf.alpha_mask = a;
    ColFmt f;
    DDrawPixelFormat2ColFmt(&pf, &f);
    return f;
}

TEST(ColConv, MasksBecomeShiftsAndBits) {
    ColComponent c;
    Mask2ColComponent(0x07E0, &c);
    EXPECT_EQ(c.shift, 5u);
    EXPECT_EQ(c.bits, 6u);
    EXPECT_EQ(c.mask, 0x07E0u);
    Mask2ColComponent(0, &c);
    EXPECT_EQ(c.shift + c.bits + c.mask, 0u);
    Mask2ColComponent(0xFF000000, &c);
    EXPECT_EQ(c.shift, 24u);
    EXPECT_EQ(c.bits, 8u);
    // A DirectDraw 555 format matches the predefined one but for alpha.
    ColFmt x555 = FromMasks(16, 0x7C00, 0x03E0, 0x001F);
    EXPECT_EQ(x555.red.shift, 10u);
    EXPECT_EQ(x555.all_mask, 0x7FFFu);
    EXPECT_EQ(x555.bytes, 2u);
    EXPECT_EQ(ColFmtEqual(&x555, &ColFmt_A1R5G5B5), 0);
    ColFmt x565 = FromMasks(16, 0xF800, 0x07E0, 0x001F);
    EXPECT_EQ(ColFmtEqual(&x565, &ColFmt_R5G6B5), 1);
}

TEST(ColConvDeathTest, BrokenMaskStops) {
    ColComponent c;
    EXPECT_FATAL(Mask2ColComponent(0x0F0F, &c),
                 "Mask2ColComponent\\(\\): failed to generate correct Bits & Shift from Mask");
}

TEST(ColConv, WorkedValues) {
    EXPECT_EQ(ColScaleBits(31, 5, 8), 255u);
    EXPECT_EQ(ColScaleBits(16, 5, 8), 132u);
    EXPECT_EQ(ColScaleBits(0, 0, 8), 0u);
    EXPECT_EQ(ColScaleBits(255, 8, 5), 31u);
    EXPECT_EQ(ColScaleBits(1, 1, 8), 255u);
    EXPECT_EQ(ColConvPixel(0xFFFF, &ColFmt_R5G6B5, &ColFmt_A8R8G8B8), 0x00FFFFFFu);
    EXPECT_EQ(ColConvRGB2Pixel(&ColFmt_R5G6B5, 255, 0, 0, 255), 0xF800u);
    EXPECT_EQ(ColConvRGB2Pixel(&ColFmt_A1R5G5B5, 0, 255, 0, 255), 0x83E0u);
    EXPECT_EQ(ColConvRGB2Pixel(&ColFmt_A8B8G8R8, 1, 2, 3, 4), 0x04030201u);
    EXPECT_EQ(ColConvPixel(0x123456, &ColFmt_B8G8R8, &ColFmt_A8R8G8B8), 0x00563412u);
    char text[64];
    ColFmt2String(text, &ColFmt_R5G6B5);
    EXPECT_STREQ(text, "16 bit RF800 G07E0 B001F A0000");
    ColFmt2String(text, &ColFmt_A8R8G8B8);
    EXPECT_STREQ(text, "32 bit R00FF0000 G0000FF00 B000000FF AFF000000");
}

// Between every pair of formats where the target has at least as many bits
// in each channel the source uses, a conversion and its reverse give back
// the source pixel.
TEST(ColConv, RoundTripsWhereLossless) {
    const std::vector<ColFmt> formats = {
        ColFmt_A1R5G5B5,
        ColFmt_R5G6B5,
        ColFmt_B8G8R8,
        ColFmt_A8R8G8B8,
        ColFmt_A8B8G8R8,
        ColFmt_VGA6,
        FromMasks(16, 0x7C00, 0x03E0, 0x001F),
        FromMasks(32, 0xFF0000, 0x00FF00, 0x0000FF),
        FromMasks(24, 0xFF0000, 0x00FF00, 0x0000FF),
        FromMasks(16, 0x0F00, 0x00F0, 0x000F, 0xF000),
    };
    auto covers = [](const ColComponent& from, const ColComponent& to) { return to.bits >= from.bits; };
    GameSeedRandom(7);
    int lossless_pairs = 0;
    for (const ColFmt& a : formats) {
        for (const ColFmt& b : formats) {
            if (!covers(a.red, b.red) || !covers(a.green, b.green) || !covers(a.blue, b.blue) ||
                !covers(a.alpha, b.alpha)) {
                continue;
            }
            ++lossless_pairs;
            const uint32_t used = a.red.mask | a.green.mask | a.blue.mask | a.alpha.mask;
            for (int i = 0; i < 200; ++i) {
                uint32_t p = ((uint32_t(GameRandom()) << 17) ^ (uint32_t(GameRandom()) << 2) ^
                              uint32_t(GameRandom())) &
                             used;
                if (i == 0) p = used;
                if (i == 1) p = 0;
                uint32_t there = ColConvPixel(p, &a, &b);
                ASSERT_EQ(ColConvPixel(there, &b, &a), p)
                    << a.bits << "-bit to " << b.bits << "-bit, pixel " << std::hex << p;
            }
        }
    }
    EXPECT_GT(lossless_pairs, 40);
}

TEST(ColConv, InPlaceWideningStartsFromTheEnd) {
    std::vector<uint8_t> block(100 * 4);
    for (int i = 0; i < 100; ++i) {
        uint16_t p = uint16_t((i * 2654435761u) >> 16);
        std::memcpy(block.data() + i * 2, &p, 2);
    }
    std::vector<uint8_t> original(block.begin(), block.begin() + 200);
    ColConvBlock(block.data(), block.data(), 100, &ColFmt_R5G6B5, &ColFmt_A8R8G8B8);
    for (int i = 0; i < 100; ++i) {
        uint16_t p;
        std::memcpy(&p, original.data() + i * 2, 2);
        uint32_t q;
        std::memcpy(&q, block.data() + i * 4, 4);
        ASSERT_EQ(q, ColConvPixel(p, &ColFmt_R5G6B5, &ColFmt_A8R8G8B8)) << i;
    }
    // And back down in place, from the front.
    ColConvBlock(block.data(), block.data(), 100, &ColFmt_A8R8G8B8, &ColFmt_R5G6B5);
    EXPECT_TRUE(std::equal(original.begin(), original.end(), block.begin()));
}

TEST(ColConv, PalettedEntriesAndCube) {
    // Three 6-bit VGA entries to 565, in place in a grown index buffer.
    uint8_t palette[3 * 3] = {0, 0, 0, 63, 0, 0, 0, 63, 63};
    uint8_t buffer[8] = {2, 1, 0, 1};
    ColConvPaletted(buffer, palette, buffer, 4, &ColFmt_VGA6, &ColFmt_R5G6B5);
    uint16_t out[4];
    std::memcpy(out, buffer, 8);
    EXPECT_EQ(out[0], 0x07FF);
    EXPECT_EQ(out[1], 0xF800);
    EXPECT_EQ(out[2], 0x0000);
    EXPECT_EQ(out[3], 0xF800);

    EXPECT_EQ(ColConv565ToCubeIndex(0x0000), 1);
    EXPECT_EQ(ColConv565ToCubeIndex(0xFFFF), 1 + 42 * 5 + 6 * 6 + 5);
    uint16_t words[3] = {0xF81F, 0x1234, 0xFFFF};
    ColConv565To8Key(words, 3, 0x1234);
    const uint8_t* b = reinterpret_cast<const uint8_t*>(words);
    EXPECT_EQ(b[0], 1 + 42 * 5 + 5);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[2], 252);
    uint8_t cube[768];
    ColMakeCubePalette(cube);
    EXPECT_EQ(cube[0 * 3], 0);
    EXPECT_EQ(cube[252 * 3 + 0], 64 * 5 / 6);
    EXPECT_EQ(cube[252 * 3 + 1], 64 * 6 / 7);
    EXPECT_EQ(cube[255 * 3], uint8_t(4 * 255));

    uint8_t eight[4] = {1, 0, 0, 0};
    uint8_t vga[6] = {0, 0, 0, 62, 40, 20};
    ColConv8To565(eight, vga, 2);
    uint16_t w[2];
    std::memcpy(w, eight, 4);
    EXPECT_EQ(w[0], (31 << 11) | (40 << 5) | 10);
    EXPECT_EQ(w[1], 0);
}

TEST(ColConv, HalvingAveragesRoundingDown) {
    uint16_t square[4] = {0x0001, 0x0002, 0x0002, 0x0002};  // blue 1, 2, 2, 2
    uint16_t out = 0xFFFF;
    ColConvHalveImageSize(square, &out, 2, 2, &ColFmt_R5G6B5);
    EXPECT_EQ(out, 0x0001);  // 7 / 4 rounds down
    // A 4 x 2 image in place: two output pixels, each from its own block.
    uint32_t image[8] = {0xFF000000, 0xFF000000, 0x00000010, 0x00000010,
                         0xFF000000, 0xFF000000, 0x00000020, 0x00000020};
    ColConvHalveImageSize(image, image, 4, 2, &ColFmt_A8R8G8B8);
    EXPECT_EQ(image[0], 0xFF000000u);
    EXPECT_EQ(image[1], 0x00000018u);
}

TEST(ColConvDeathTest, OddHalvingStops) {
    uint16_t pixels[12] = {};
    EXPECT_FATAL(ColConvHalveImageSize(pixels, pixels, 3, 4, &ColFmt_R5G6B5),
                 "ColConvHalveImageSize\\(\\): width or height is odd \\(or zero sized\\)");
}

TEST(ColConv, AlphaKeys) {
    uint16_t pixels[3] = {0x7C00, 0x001F, 0x7C00};
    ColSetAlphaKey(pixels, 3, &ColFmt_A1R5G5B5, 0xFC00, 0, 255);
    EXPECT_EQ(pixels[0], 0x7C00);
    EXPECT_EQ(pixels[1], 0x801F);
    ColSetAlpha(pixels, 3, &ColFmt_A1R5G5B5, 200);
    EXPECT_EQ(pixels[0], 0xFC00);
    ColSetAlpha(pixels, 3, &ColFmt_R5G6B5, 0);  // no alpha channel: unchanged
    EXPECT_EQ(pixels[2], 0xFC00);
}

TEST(Blitters, AlignmentDoesNotChangeTheBytes) {
    std::vector<uint8_t> source(64);
    for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i * 7 + 1);
    alignas(8) uint8_t aligned[80] = {};
    alignas(8) uint8_t odd[81] = {};
    // 3 rows of 13 bytes, source rows 16 apart, destination rows 20 apart.
    BlitRect(3, 7, 3, 13, source.data(), aligned);
    BlitRect(3, 7, 3, 13, source.data(), odd + 1);
    EXPECT_EQ(std::memcmp(aligned, odd + 1, 80), 0);
    EXPECT_EQ(aligned[20], source[16]);
    EXPECT_EQ(aligned[13], 0);

    uint8_t sprite[8] = {0, 5, 0, 0, 0, 0, 0, 9};
    uint8_t screen[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    BlitRectTrans(1, 0, 0, 8, sprite, screen);
    const uint8_t want[8] = {1, 5, 1, 1, 1, 1, 1, 9};
    EXPECT_EQ(std::memcmp(screen, want, 8), 0);

    uint8_t fill[12];
    std::memset(fill, 0, sizeof fill);
    FillRect(0x7F7F7F7F, 2, 3, 3, fill + 1);
    const uint8_t filled[12] = {0, 0x7F, 0x7F, 0x7F, 0, 0, 0, 0x7F, 0x7F, 0x7F, 0, 0};
    EXPECT_EQ(std::memcmp(fill, filled, 12), 0);
    BlitRect(0, 0, 0, 4, source.data(), fill);
    FillRect(0, 3, 0, 0, fill);
    EXPECT_EQ(std::memcmp(fill, filled, 12), 0);
}

TEST(Blitters, ScalingRepeatsAndSkipsPixels) {
    const uint8_t source[4] = {3, 4, 5, 6};  // 2 x 2
    uint8_t dest[4 * 4] = {};
    BlitRectScaled8(0, 0, 2, 2, source, 4, 4, dest, 4);
    const uint8_t want[16] = {3, 3, 4, 4, 3, 3, 4, 4, 5, 5, 6, 6, 5, 5, 6, 6};
    EXPECT_EQ(std::memcmp(dest, want, 16), 0);
    uint8_t small[2] = {};
    const uint8_t row[4] = {1, 2, 3, 4};
    BlitRectScaled8(0, 0, 4, 1, row, 2, 1, small, 2);
    EXPECT_EQ(small[0], 1);
    EXPECT_EQ(small[1], 3);
    const uint8_t holes[2] = {0, 8};
    uint8_t back[4] = {7, 7, 7, 7};
    BlitRectScaledTrans8(0, 0, 2, 1, holes, 4, 1, back, 4);
    const uint8_t trans[4] = {7, 7, 8, 8};
    EXPECT_EQ(std::memcmp(back, trans, 4), 0);
    BlitRectScaled8(0, 0, 2, 1, holes, 0, 1, back, 4);  // nothing to draw
    EXPECT_EQ(std::memcmp(back, trans, 4), 0);
}

}  // namespace

// ---- Tracked blocks and off-screen buffers ----------------------------------
namespace {

class ColConvMemoryTest : public ::testing::Test {
  protected:
    void SetUp() override { InitMemory(9500); }
    void TearDown() override {
        EXPECT_EQ(MemAllocatedCount(), 0u);
        UninitMemory();
    }
};

TEST_F(ColConvMemoryTest, BlocksGrowBeforeAndShrinkAfterConverting) {
    uint8_t* block = nullptr;
    AllocateMemory(&block, 8 + 100 * 2, MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, "HEADER!!", 8);
    for (int i = 0; i < 100; ++i) {
        uint16_t p = uint16_t(i * 655);
        std::memcpy(block + 8 + i * 2, &p, 2);
    }
    ColConvMemory(&block, 100, 8, &ColFmt_R5G6B5, &ColFmt_R5G6B5);
    EXPECT_EQ(MemFindItem(&block)->size, 8u + 200 + 4);

    ColConvMemory(&block, 100, 8, &ColFmt_R5G6B5, &ColFmt_A8R8G8B8);
    EXPECT_EQ(MemFindItem(&block)->size, 8u + 400 + 4);
    EXPECT_EQ(std::memcmp(block, "HEADER!!", 8), 0);
    for (int i = 0; i < 100; ++i) {
        uint32_t q;
        std::memcpy(&q, block + 8 + i * 4, 4);
        ASSERT_EQ(q, ColConvPixel(uint16_t(i * 655), &ColFmt_R5G6B5, &ColFmt_A8R8G8B8));
    }
    ColConvMemory(&block, 100, 8, &ColFmt_A8R8G8B8, &ColFmt_R5G6B5);
    EXPECT_EQ(MemFindItem(&block)->size, 8u + 200 + 4);
    uint16_t last;
    std::memcpy(&last, block + 8 + 99 * 2, 2);
    EXPECT_EQ(last, uint16_t(99 * 655));

    ColConvHalveImageMem(&block, 8, 10, 10, &ColFmt_R5G6B5);
    EXPECT_EQ(MemFindItem(&block)->size, 8u + 25 * 2 + 4);
    FreeMemory(&block);
}

TEST_F(ColConvMemoryTest, PalettedBlocksGrowToTheWiderPixels) {
    uint8_t* block = nullptr;
    AllocateMemory(&block, 2 + 3, MEM_TYPE_MANUAL_FREE);
    block[2] = 1;
    block[3] = 0;
    block[4] = 1;
    const uint8_t vga[6] = {0, 0, 0, 63, 63, 63};
    ColConvPalettedMemory(&block, vga, 3, 2, &ColFmt_VGA6, &ColFmt_A8R8G8B8);
    EXPECT_EQ(MemFindItem(&block)->size, 2u + 12 + 4);
    uint32_t px[3];
    std::memcpy(px, block + 2, 12);
    EXPECT_EQ(px[0], 0x00FFFFFFu);
    EXPECT_EQ(px[1], 0u);
    EXPECT_EQ(px[2], 0x00FFFFFFu);
    FreeMemory(&block);
}

TEST_F(ColConvMemoryTest, OffScreenBuffersDrawInsideThemselves) {
    DDrawSurfaceInfo* buffer = nullptr;
    CreateBuffer(&buffer, 20, 12);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->pitch, 32);
    EXPECT_EQ(MemFindItem(&buffer)->type, MEM_TYPE_MANUAL_NO_MOVE);
    std::memset(buffer->pixels, 9, 32 * 12);
    BufPrintf(buffer, 0, 0, "%c%d", 'H', 1);
    auto at = [&](int x, int y) { return buffer->pixels[y * buffer->pitch + x]; };
    EXPECT_EQ(at(0, 0), 255);  // 'H' row 0 "##..##.."
    EXPECT_EQ(at(2, 0), 0);
    EXPECT_EQ(at(9, 1), 255);          // '1' row 1 ".###...."
    BufDrawText(buffer, 16, 8, "MM");  // runs off the right and bottom edges
    EXPECT_EQ(at(16, 8), 255);
    EXPECT_EQ(buffer->pixels[12 * 32 - 1], 9);  // padding past the width untouched
    BufDrawLine(buffer, 0, 11, 30, 11, 7);
    EXPECT_EQ(at(19, 11), 7);
    EXPECT_EQ(at(20, 11), 9);  // the padding again
    const uint8_t dot[1] = {5};
    BufBlitScaled(buffer, 18, 10, dot, 1, 1, 2, 2);
    EXPECT_EQ(at(19, 11), 5);
    BufBlitScaled(buffer, 19, 10, dot, 1, 1, 2, 2);  // would leave the buffer
    EXPECT_EQ(at(20, 10), 9);
    DestroyBuffer(&buffer);
    EXPECT_EQ(buffer, nullptr);
}

}  // namespace
