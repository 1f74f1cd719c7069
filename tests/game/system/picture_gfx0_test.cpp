// GFX0 pictures given to the image loader: converted to the format asked
// for, refused when their size does not match their header.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "tests/fakes/test_util.h"

namespace {

std::vector<uint8_t> Gfx0Picture(uint16_t width, uint16_t height, uint16_t frames,
                                 const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> out(GFX0_HEADER_SIZE, 0);
    std::memcpy(out.data(), "GFX0", 4);
    recbits::StoreU16(out.data() + GFX0_WIDTH, width);
    recbits::StoreU16(out.data() + GFX0_HEIGHT, height);
    recbits::StoreU16(out.data() + GFX0_FRAMES, frames);
    for (uint32_t p : argb) recbits::AppendU32(out, p);
    return out;
}

class Gfx0LoadTest : public ::testing::Test {
  protected:
    void SetUp() override { InitMemory(1024); }
    void TearDown() override {
        if (block_ != nullptr) FreeMemory(&block_);
        UninitMemory();
    }
    int Load(const std::vector<uint8_t>& bytes, uint32_t flags, const ColFmt* format) {
        if (block_ != nullptr) FreeMemory(&block_);
        AllocateMemory(&block_, uint32_t(bytes.size()), MEM_TYPE_MANUAL_FREE);
        std::memcpy(block_, bytes.data(), bytes.size());
        size_ = uint32_t(bytes.size());
        return LoadImageFile(&block_, &size_, flags, format);
    }
    uint8_t* block_ = nullptr;
    uint32_t size_ = 0;
};

TEST_F(Gfx0LoadTest, PixelsAreConvertedToTheFormatAskedFor) {
    const std::vector<uint32_t> argb = {0xFF102030, 0x80FF00FF, 0x00000000,
                                        0xFFFFFFFF, 0x7F00FF00, 0xFF0000FF};
    const std::vector<uint8_t> picture = Gfx0Picture(3, 2, 1, argb);
    ASSERT_EQ(Load(picture, 0, &ColFmt_A8R8G8B8), 0);
    EXPECT_EQ(std::vector<uint8_t>(block_, block_ + size_), picture);

    ASSERT_EQ(Load(picture, 0, &ColFmt_A8B8G8R8), 0);
    ASSERT_EQ(size_, GFX0_HEADER_SIZE + 6 * 4);
    EXPECT_EQ(recbits::LoadU16(block_ + GFX0_WIDTH), 3);
    EXPECT_EQ(recbits::LoadU32(block_ + GFX0_HEADER_SIZE), 0xFF302010u);
    EXPECT_EQ(recbits::LoadU32(block_ + GFX0_HEADER_SIZE + 20), 0xFFFF0000u);

    ASSERT_EQ(Load(picture, 0, &ColFmt_R5G6B5), 0);
    ASSERT_EQ(size_, GFX0_HEADER_SIZE + 6 * 2);
    EXPECT_EQ(recbits::LoadU16(block_ + GFX0_HEADER_SIZE + 6), 0xFFFF);
    // Magenta keyed out on request.
    ASSERT_EQ(Load(picture, LOADIMAGE_TRANSPARENT, &ColFmt_A8R8G8B8), 0);
    EXPECT_EQ(recbits::LoadU32(block_ + GFX0_HEADER_SIZE + 4), 0u);
}

// Each picture is refused by the check for its fault alone: the others it
// passes.
TEST_F(Gfx0LoadTest, MismatchedPicturesAreRefused) {
    const std::vector<uint32_t> two(2, 0xFFFFFFFF), four(4, 0xFFFFFFFF);
    std::vector<uint8_t> longer = Gfx0Picture(2, 2, 1, four);
    longer.push_back(0);
    std::vector<uint8_t> header = Gfx0Picture(2, 2, 1, {});
    header.resize(10);
    const char* kMismatch = "Warning: LoadImageFile(): GFX0 picture whose size does not match its header\n";
    struct Case {
        const char* what;
        std::vector<uint8_t> picture;
        const ColFmt* format;
        const char* message;
    } cases[] = {
        {"short", Gfx0Picture(2, 2, 1, {0xFF000000}), &ColFmt_A8R8G8B8, kMismatch},
        {"longer", longer, &ColFmt_A8R8G8B8, kMismatch},
        {"width 0", Gfx0Picture(0, 2, 1, {}), &ColFmt_A8R8G8B8, kMismatch},
        {"height 0", Gfx0Picture(2, 0, 1, {}), &ColFmt_A8R8G8B8, kMismatch},
        {"two frames", Gfx0Picture(2, 1, 2, two), &ColFmt_A8R8G8B8, kMismatch},
        {"no indexes in it", Gfx0Picture(2, 2, 1, four), nullptr,
         "Warning: LoadImageFile(): a GFX0 picture holds no colour indexes\n"},
        {"header cut", header, &ColFmt_A8R8G8B8,
         "Warning: LoadImageFile(): GFX0 picture shorter than its header\n"},
    };
    for (const Case& c : cases) {
        StdoutCapture out;
        EXPECT_EQ(Load(c.picture, 0, c.format), -1) << c.what;
        EXPECT_EQ(out.Text(), c.message) << c.what;
        EXPECT_EQ(std::vector<uint8_t>(block_, block_ + size_), c.picture) << c.what;
    }
}

}  // namespace
