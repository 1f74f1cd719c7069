// The menu back buffer on memory surfaces of a 16-bit and a 32-bit screen
// format: dirty cells and merged flushes, fills, blends, lines, wipes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/window.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace {

int DirtyCount() {
    int n = 0;
    for (auto& row : MenuDirtyCells) {
        for (uint8_t cell : row) n += cell != 0;
    }
    return n;
}

void CleanGrid() { std::memset(MenuDirtyCells, 0, sizeof MenuDirtyCells); }

class BackBufferTest : public ::testing::TestWithParam<const ColFmt*> {
  protected:
    void SetUp() override {
        InitMemory(9500);
        MenuSetScreenFormat(800, 600, GetParam());
        AllocScreenBuffers();
    }
    void TearDown() override {
        FreeShadeTables();
        FreeScreenBuffers();
        UninitMemory();
    }
    bool BufferEquals(const std::vector<uint8_t>& copy) {
        return std::memcmp(copy.data(), MenuBackBuffer, copy.size()) == 0;
    }
    std::vector<uint8_t> Snapshot() {
        const size_t bytes = size_t(800) * 600 * size_t(MenuBytesPerPixel());
        return std::vector<uint8_t>(MenuBackBuffer, MenuBackBuffer + bytes);
    }
};

TEST_P(BackBufferTest, RectanglesOffTheScreenChangeAndMarkNothing) {
    const std::vector<uint8_t> before = Snapshot();
    FillSolidRect(790, 10, 11, 5, 0xFFFF);  // one pixel past the right edge
    FillSolidRect(10, 595, 5, 6, 0xFFFF);
    FillSolidRect(-1, 10, 5, 5, 0xFFFF);
    FillTranslucentRect(10, -1, 5, 5, 0xFFFF, 128);
    FillGradientRect(700, 500, 101, 10, 0xFF, 0xFF00, 0xFF, 0xFF00);
    FillSolidRect(10, 10, 0, 5, 0xFFFF);
    DrawLine(10, 10, 800, 10, 0xFFFF);  // the undrawn end point is off screen
    EXPECT_TRUE(BufferEquals(before));
    EXPECT_EQ(DirtyCount(), 0);
}

TEST_P(BackBufferTest, DirtyCellsCoverTheRectangleAndClampToTheGrid) {
    MarkDirtyCells(-5, 0, 10, 1, 1);
    EXPECT_EQ(DirtyCount(), 1);
    EXPECT_EQ(MenuDirtyCells[0][0], 1);
    CleanGrid();
    MarkRectDirty(19, 19, 2, 2);  // touches four cells
    EXPECT_EQ(DirtyCount(), 4);
    EXPECT_EQ(MenuDirtyCells[1][1], 1);
    CleanGrid();
    MarkRectDirty(0, 0, 800, 600);
    EXPECT_EQ(DirtyCount(), 1200);
    MarkDirtyCells(0, 0, 0, 10, 0);  // empty: changes nothing
    EXPECT_EQ(DirtyCount(), 1200);
}

TEST_P(BackBufferTest, FlushMergesRunsAndEqualRowsIntoFewCopies) {
    MarkRectDirty(0, 0, 800, 600);
    uint32_t before = MenuFlushCopyCount();
    FlushDirtyCells();
    EXPECT_EQ(MenuFlushCopyCount() - before, 1u);
    EXPECT_EQ(DirtyCount(), 0);

    MarkRectDirty(0, 0, 20, 20);
    MarkRectDirty(100, 0, 20, 20);  // a second cell in the same row
    before = MenuFlushCopyCount();
    FlushDirtyCells();
    EXPECT_EQ(MenuFlushCopyCount() - before, 2u);

    MarkRectDirty(40, 40, 40, 40);  // a 2 x 2 block
    before = MenuFlushCopyCount();
    FlushDirtyCells();
    EXPECT_EQ(MenuFlushCopyCount() - before, 1u);

    // An L shape: the wider top row cannot take the narrower row below.
    MarkRectDirty(0, 0, 60, 20);
    MarkRectDirty(0, 20, 20, 20);
    before = MenuFlushCopyCount();
    FlushDirtyCells();
    EXPECT_EQ(MenuFlushCopyCount() - before, 2u);
    EXPECT_EQ(DirtyCount(), 0);
}

TEST_P(BackBufferTest, SolidFillAndPixelsRoundTrip) {
    FillSolidRect(3, 4, 5, 6, 0xF800);
    EXPECT_EQ(GetBackBufferPixel(3, 4), 0x0000FFu);
    EXPECT_EQ(GetBackBufferPixel(7, 9), 0x0000FFu);
    EXPECT_EQ(GetBackBufferPixel(8, 9), 0u);
    EXPECT_EQ(GetBackBufferPixel(3, 10), 0u);
    EXPECT_EQ(GetBackBufferPixel(-1, 0), 0u);
    PutBackBufferPixel(799, 599, 0xFF00FF);
    EXPECT_EQ(GetBackBufferPixel(799, 599), 0xFF00FFu);
    EXPECT_EQ(MenuDirtyCells[29][39], 1);
    PutMenuPixel(800, 0, 0xFFFF);  // off screen: nothing
    PutMenuPixel(0, 599, 0x07E0);
    EXPECT_EQ(GetBackBufferPixel(0, 599), 0x00FF00u);
}

TEST_P(BackBufferTest, TranslucentFillBlendsTowardTheColour) {
    FillSolidRect(0, 0, 10, 10, 0xFFFF);
    const std::vector<uint8_t> before = Snapshot();
    FillTranslucentRect(0, 0, 10, 10, 0x0000, 0);
    EXPECT_TRUE(BufferEquals(before));
    FillTranslucentRect(0, 0, 10, 10, 0x0000, 255);  // falling channels reach the colour
    EXPECT_EQ(GetBackBufferPixel(5, 5), 0u);
    FillTranslucentRect(0, 0, 4, 4, 0xF800, 128);  // 0 toward 255 by 128: 127
    const uint32_t half = GetBackBufferPixel(1, 1);
    if (MenuBytesPerPixel() >= 3) {
        EXPECT_EQ(half, 0x00007Fu);
    } else {
        EXPECT_EQ(half, 0x00007Bu);  // 127 keeps 5 bits: 15, widened to 123
    }
}

TEST_P(BackBufferTest, GradientColumnsRunFromLeftToRight) {
    FillGradientRect(0, 0, 5, 3, 0x000000, 0x0000FF, 0x000000, 0x0000FF);
    EXPECT_EQ(GetBackBufferPixel(0, 2), 0u);
    EXPECT_EQ(GetBackBufferPixel(4, 0), 0x0000FFu);
    const uint32_t middle = GetBackBufferPixel(2, 1) & 0xFF;
    EXPECT_NEAR(int(middle), 127, 8);
    // Four distinct corners: rows interpolate down each side first.
    FillGradientRect(10, 10, 3, 3, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000);
    EXPECT_EQ(GetBackBufferPixel(11, 10), 0x0000FFu);
    EXPECT_EQ(GetBackBufferPixel(11, 12), 0xFF0000u);
}

TEST_P(BackBufferTest, KeyedCopySkipsMagenta) {
    const int bpp = MenuBytesPerPixel();
    std::vector<uint8_t> image(size_t(3) * 2 * bpp);
    const uint32_t key = MenuTransparentKey();
    const uint32_t green = MenuColourToPixel(0x07E0);
    for (int i = 0; i < 6; ++i) {
        const uint32_t p = i % 2 ? key : green;
        std::memcpy(&image[size_t(i) * bpp], &p, size_t(bpp));
    }
    FillSolidRect(0, 0, 3, 2, 0xF800);
    DrawImageToBackBufferPlain(0, 0, 3, 2, image.data());
    EXPECT_EQ(GetBackBufferPixel(0, 0), 0x00FF00u);
    EXPECT_EQ(GetBackBufferPixel(1, 0), 0x0000FFu);  // key: left as it was
    EXPECT_EQ(GetBackBufferPixel(2, 0), 0x00FF00u);
    EXPECT_EQ(GetBackBufferPixel(0, 1), 0x0000FFu);
    // With a source skip the source rows are wider than the drawn part.
    DrawImageToBackBuffer(10, 10, 1, 2, image.data(), 2);
    EXPECT_EQ(GetBackBufferPixel(10, 10), 0x00FF00u);
    EXPECT_EQ(GetBackBufferPixel(10, 11), 0u);  // image pixel 3 is the key
}

TEST_P(BackBufferTest, SavedScreenAndRectangleCopies) {
    FillSolidRect(0, 0, 50, 50, 0x001F);
    SaveScreenToBuffer();
    FillSolidRect(0, 0, 50, 50, 0xFFFF);
    RestoreRectFromBuffer(10, 10, 5, 5);
    EXPECT_EQ(GetBackBufferPixel(12, 12), 0xFF0000u);
    EXPECT_EQ(GetBackBufferPixel(9, 12), 0xFFFFFFu);
    std::vector<uint8_t> block(size_t(4) * 4 * MenuBytesPerPixel());
    CopyRectFromBackBuffer(8, 8, 4, 4, block.data());
    CopyRectToBackBuffer(100, 100, 4, 4, block.data());
    EXPECT_EQ(GetBackBufferPixel(100, 100), 0xFFFFFFu);
    EXPECT_EQ(GetBackBufferPixel(103, 103), 0xFF0000u);
}

TEST_P(BackBufferTest, LinesLeaveTheirEndPointUndrawn) {
    DrawLine(10, 10, 13, 10, 0xFFFF);
    EXPECT_EQ(GetBackBufferPixel(10, 10), 0xFFFFFFu);
    EXPECT_EQ(GetBackBufferPixel(11, 10), 0xFFFFFFu);
    EXPECT_EQ(GetBackBufferPixel(12, 10), 0xFFFFFFu);
    EXPECT_EQ(GetBackBufferPixel(13, 10), 0u);
    DrawLine(50, 50, 50, 50, 0xFFFF);
    EXPECT_EQ(GetBackBufferPixel(50, 50), 0u);
    DrawLine(20, 30, 17, 24, 0xFFFF);  // steep, up and left: six pixels
    EXPECT_EQ(GetBackBufferPixel(20, 30), 0xFFFFFFu);
    EXPECT_EQ(GetBackBufferPixel(17, 24), 0u);
    int drawn = 0;
    for (int y = 20; y < 35; ++y) {
        for (int x = 15; x < 25; ++x) drawn += GetBackBufferPixel(x, y) != 0;
    }
    EXPECT_EQ(drawn, 6);
}

INSTANTIATE_TEST_SUITE_P(Formats, BackBufferTest,
                         ::testing::Values(&ColFmt_R5G6B5, &ColFmt_B8G8R8, &ColFmt_A8R8G8B8),
                         [](const auto& info) { return "Bits" + std::to_string(info.param->bits); });

TEST(BackBuffer, TranslucentRuleStopsOneShortWhenRising) {
    InitMemory(9500);
    MenuSetScreenFormat(40, 40, &ColFmt_A8R8G8B8);
    AllocScreenBuffers();
    FillSolidRect(0, 0, 4, 4, 0xF800);  // red 255, green and blue 0
    FillTranslucentRect(0, 0, 4, 4, 0x07FF, 255);
    EXPECT_EQ(GetBackBufferPixel(1, 1), 0xFEFE00u);  // red falls to 0, green and blue rise to 254
    FreeScreenBuffers();
    UninitMemory();
}

TEST(BackBuffer, InterpolateColourSteps) {
    EXPECT_EQ(InterpolateColour(0x102030, 0xFFFFFF, 0, 1), 0x102030u);
    EXPECT_EQ(InterpolateColour(0x102030, 0xFFFFFF, 3, 1), 0x102030u);
    EXPECT_EQ(InterpolateColour(0x000000, 0x0A0A0A, 4, 5), 0x0A0A0Au);
    EXPECT_EQ(InterpolateColour(0x000000, 0x0A0A0A, 1, 5), 0x020202u);  // 10 x 1 / 4
    EXPECT_EQ(InterpolateColour(0x0A0000, 0x000000, 1, 4), 0x070000u);  // 10 - 10 / 3 truncates
}

TEST(BackBuffer, RandomStepWrapsAt32Bits) {
    EXPECT_EQ(MenuRandomStep(0), 23451231u);
    EXPECT_EQ(MenuRandomStep(1), 93472345u + 23451231u);
    EXPECT_EQ(MenuRandomStep(100), uint32_t(uint64_t(100) * 93472345u + 23451231u));
}

class TimedBackBufferTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::StartCore();
        InitMemory(9500);
        MenuSetScreenFormat(100, 100, &ColFmt_R5G6B5);
        AllocScreenBuffers();
    }
    void TearDown() override {
        FreeShadeTables();
        FreeScreenBuffers();
        UninitMemory();
        testenv::StopCore();
    }
};

TEST_F(TimedBackBufferTest, SeventeenthPairTakesTheSlotFilledFirst) {
    std::vector<const uint16_t*> tables;
    for (int i = 0; i < 16; ++i) {
        tables.push_back(GetShadeTable(uint16_t(i), 100));
        testenv::AdvanceTicks(5);
    }
    for (int i = 1; i < 16; ++i) EXPECT_NE(tables[i], tables[0]);
    EXPECT_EQ(GetShadeTable(0, 100), tables[0]);  // a hit, and it changes no tick
    const uint16_t* seventeenth = GetShadeTable(0x1234, 50);
    EXPECT_EQ(seventeenth, tables[0]);
    EXPECT_EQ(GetShadeTable(0x4321, 50), tables[1]);
    // The refilled table blends toward its new colour: black by 50 toward
    // (16, 69, 165) gives (3, 13, 32), kept as 0 / 3 / 4.
    EXPECT_EQ(seventeenth[0], 0x0064);
}

TEST_F(TimedBackBufferTest, TableMatchesThePerChannelBlend) {
    const uint16_t* table = GetShadeTable(0xFFFF, 128);
    EXPECT_EQ(table[0x0000], 0x7BEF);  // every channel 0 toward 255: 127, kept as 15 / 31 / 31
    EXPECT_EQ(GetShadeTable(0xF800, 0)[0x1234], 0x1234);
    FillSolidRect(0, 0, 10, 10, 0x0000);
    FillTranslucentRect(0, 0, 10, 10, 0xFFFF, 128);
    EXPECT_EQ(GetBackBufferPixel(3, 3), 0x7B7D7Bu);
}

TEST_F(TimedBackBufferTest, WipeFromBufferLastsItsTicksAndCleansTheGrid) {
    MarkRectDirty(0, 0, 100, 100);
    const uint32_t start = GetTimerTicks();
    ScreenWipeFromBuffer();
    const uint32_t spent = GetTimerTicks() - start;
    EXPECT_GE(spent, uint32_t(MENU_WIPE_TICKS));
    EXPECT_LE(spent, uint32_t(MENU_WIPE_TICKS) + 2);
    EXPECT_EQ(DirtyCount(), 0);
    const uint32_t again = GetTimerTicks();
    ScreenWipe();
    EXPECT_GE(GetTimerTicks() - again, uint32_t(MENU_WIPE_TICKS));
}

void Refocus() { plat::InjectFocus(true); }

TEST_F(TimedBackBufferTest, FlushAfterTheWindowCameBackSendsTheWholeScreen) {
    WinWasReactivated();
    plat::InjectFocus(false);
    plat::SetIdleHook(Refocus);
    Poll();  // waits, idle, until the window has its focus again
    plat::SetIdleHook(nullptr);
    uint32_t before = MenuFlushCopyCount();
    FlushDirtyCells();  // the grid was clean, but the screen may have been lost
    EXPECT_EQ(MenuFlushCopyCount() - before, 1u);
    before = MenuFlushCopyCount();
    FlushDirtyCells();
    EXPECT_EQ(MenuFlushCopyCount() - before, 0u);
}

using TimedBackBufferDeathTest = TimedBackBufferTest;

TEST_F(TimedBackBufferDeathTest, TablesNeedASixteenBitScreen) {
    MenuSetScreenFormat(100, 100, &ColFmt_A8R8G8B8);
    EXPECT_FATAL(CreateMenuShadeRectangleCache(0, 10, 0xFFFF), "cannot cache in non-16 bit mode");
}

}  // namespace
