// The turning ball from the archive and the strip colour ramps.
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/trackedmemory.h"
#include "game/screens/engine/stripcolours.h"
#include "game/system/pixelformats.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/test_util.h"

namespace {

TEST(GfxGen, BallIsReadOnceWithItsPalette) {
    if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, &ColFmt_B8G8R8))
        GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
    GfxGenEntry* ball = GfxGenLoadGraphic(0);
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->width, 32u);
    EXPECT_EQ(ball->height, 32u);
    EXPECT_GT(ball->frames, 1u);
    EXPECT_EQ(MemBlockSize(ball->picture), ball->width * ball->height * ball->frames);
    EXPECT_EQ(MemBlockSize(ball->palette), 768u);
    // Frames differ: the ball turns.
    const size_t frameBytes = size_t(ball->width) * ball->height;
    EXPECT_NE(std::memcmp(ball->picture, ball->picture + frameBytes, frameBytes), 0);
    for (uint32_t i = 0; i < 768; ++i) ASSERT_LE(ball->palette[i], 63) << i;

    const uint8_t* picture = ball->picture;
    const uint32_t blocks = MemAllocatedCount();
    EXPECT_EQ(GfxGenLoadGraphic(0), ball);
    EXPECT_EQ(ball->picture, picture);
    EXPECT_EQ(MemAllocatedCount(), blocks);

    EXPECT_EQ(GfxGenLoadGraphic(1), nullptr);  // the end entry
    EXPECT_EQ(GfxGenLoadGraphic(-1), nullptr);
    EXPECT_EQ(MemAllocatedCount(), blocks);
    testenv::StopMenuPaint();
    GfxGenList[0].picture = GfxGenList[0].palette = nullptr;
}

TEST(GfxGen, RampsHoldTheirEndColoursExactly) {
    uint8_t buffer[20 * 3] = {};
    GfxGen_DrawGradient(buffer, 2, 12, 0x01203F, 0x3F0001);
    EXPECT_EQ(buffer[6], 0x3F);
    EXPECT_EQ(buffer[7], 0x20);
    EXPECT_EQ(buffer[8], 0x01);
    EXPECT_EQ(buffer[36], 0x01);
    EXPECT_EQ(buffer[37], 0x00);
    EXPECT_EQ(buffer[38], 0x3F);
    EXPECT_EQ(buffer[3 * 7], 0x3F + (0x01 - 0x3F) * 5 / 10);  // truncated toward zero
    EXPECT_EQ(buffer[39], 0);                                 // past the last entry

    GfxGen_MakeStrip(1, 40, 50, 60);
    const uint8_t* strip = GfxGenRamp + 128 * 3;
    EXPECT_EQ(strip[0], 0);
    EXPECT_EQ(strip[31 * 3 + 0], 40);
    EXPECT_EQ(strip[31 * 3 + 1], 50);
    EXPECT_EQ(strip[31 * 3 + 2], 60 & 0x3F);
    EXPECT_EQ(strip[63 * 3 + 0], 0x2F);
    EXPECT_EQ(strip[63 * 3 + 1], 0x3F);
    EXPECT_EQ(strip[63 * 3 + 2], 0x3A);
    uint8_t before[sizeof GfxGenRamp];
    std::memcpy(before, GfxGenRamp, sizeof before);
    GfxGen_MakeStrip(3, 1, 1, 1);  // its entries would lie past the buffer
    EXPECT_EQ(std::memcmp(before, GfxGenRamp, sizeof before), 0);
}

}  // namespace
