// The painting layer over the shipped fonts and icons, on memory surfaces
// of a 16-bit and a 32-bit screen format: buttons, boxes, word wrap, the
// scrolling band and icons.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/test_util.h"

namespace {

std::vector<uint8_t> Snapshot() {
    const size_t bytes = size_t(MenuScreenWidth()) * MenuScreenHeight() * size_t(MenuBytesPerPixel());
    return std::vector<uint8_t>(MenuBackBuffer, MenuBackBuffer + bytes);
}

bool Unchanged(const std::vector<uint8_t>& before) {
    return std::memcmp(before.data(), MenuBackBuffer, before.size()) == 0;
}

void Clear() { FillSolidRect(0, 0, MenuScreenWidth(), MenuScreenHeight(), 0x0000); }

class PainterTest : public ::testing::TestWithParam<const ColFmt*> {
  protected:
    void SetUp() override {
        if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, GetParam()))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        ButtonStyle = 0;
        DrawColour = 0x03E0;
    }
    void TearDown() override {
        ButtonStyle = 0;
        SetFont(8);
        SetDrawParam(1, 0);
        if (MenuBackBuffer != nullptr) testenv::StopMenuPaint();
    }
};

TEST_P(PainterTest, GradientButtonsGetTheDoubleRingOnlyWhenWideAndTall) {
    // The double ring's black inner band runs at x + 3; the single ring has
    // the gradient there.
    auto innerBandIsBlack = [](int x, int y, int w, int h) {
        Clear();
        DoButton(x, y, w, h);
        return GetBackBufferPixel(x + 3, y + h / 2) == 0 && GetBackBufferPixel(x + 1, y + h / 2) != 0;
    };
    SetDrawParam(2, 0xFFFF);
    EXPECT_TRUE(innerBandIsBlack(10, 10, 101, 21));
    EXPECT_FALSE(innerBandIsBlack(10, 10, 100, 21));
    EXPECT_FALSE(innerBandIsBlack(10, 10, 101, 20));
    Clear();
    DoButton(10, 10, 100, 21);
    EXPECT_EQ(GetBackBufferPixel(10, 20), 0u);                          // the black edge
    EXPECT_EQ(GetBackBufferPixel(12, 20), GetBackBufferPixel(12, 12));  // one colour a column
    // Full colour at the left, three quarters at the right.
    const uint32_t left = GetBackBufferPixel(12, 20), right = GetBackBufferPixel(107, 20);
    EXPECT_EQ(left & 0xFF, 0xFFu);
    EXPECT_NEAR(int(right & 0xFF), 191, 8);
}

TEST_P(PainterTest, ButtonSizes) {
    SetDrawParam(2, 0xFFFF);
    const std::vector<uint8_t> before = Snapshot();
    DoButton(10, 10, 0, 30);
    DoButton(10, 10, 30, 0);
    EXPECT_TRUE(Unchanged(before));
    ButtonStyle = 1;
    DoButton(10, 10, 2, 2);  // drawn as 4 x 4
    EXPECT_NE(GetBackBufferPixel(13, 13), 0u);
    EXPECT_EQ(GetBackBufferPixel(14, 13), 0u);
}

TEST_P(PainterTest, BevelButtonEdges) {
    ButtonStyle = 1;
    SetDrawParam(2, 0x8410);  // mid grey: 50 %, 50 %, 50 %
    DoButton(100, 100, 40, 20);
    // Dark left and top (30 %), light right and bottom (70 %).
    const uint32_t dark = GetBackBufferPixel(100, 110), light = GetBackBufferPixel(139, 110);
    EXPECT_EQ(dark, GetBackBufferPixel(120, 100));
    EXPECT_EQ(light, GetBackBufferPixel(120, 119));
    EXPECT_LT(dark & 0xFF, light & 0xFF);
    // The top edge is drawn last: it covers the right edge's top rows.
    EXPECT_EQ(GetBackBufferPixel(139, 100), dark);
}

TEST_P(PainterTest, TranslucentButtonTakesTheDarkBranchUpToThirtyPercent) {
    ButtonStyle = 2;
    FillSolidRect(0, 0, 400, 100, 0xFFFF);
    SetDrawParam(2, 0x0000);
    DoButton(10, 10, 40, 30);
    // Top edge at 63 over white, face at 127.
    FillTranslucentRect(300, 10, 4, 4, 0x0000, 63);
    FillTranslucentRect(310, 10, 4, 4, 0x0000, 127);
    EXPECT_EQ(GetBackBufferPixel(20, 11), GetBackBufferPixel(301, 11));
    EXPECT_EQ(GetBackBufferPixel(30, 25), GetBackBufferPixel(311, 11));
    // Percentages 9 + 9 + 12 = 30: still the dark branch.
    SetDrawParam(2, 0x18C4);
    DoButton(100, 10, 40, 30);
    FillTranslucentRect(320, 10, 4, 4, 0x18C4, 63);
    EXPECT_EQ(GetBackBufferPixel(110, 11), GetBackBufferPixel(321, 11));
    // A brighter colour takes the light edges at 127.
    SetDrawParam(2, 0x18E4);
    DoButton(200, 10, 40, 30);
    EXPECT_NE(GetBackBufferPixel(210, 11), GetBackBufferPixel(321, 11));
}

TEST_P(PainterTest, BoxOutlineLeavesItsBottomRightCorner) {
    SetDrawParam(2, 0xFFFF);
    DrawBox(10, 10, 5, 4);
    EXPECT_NE(GetBackBufferPixel(10, 10), 0u);
    EXPECT_NE(GetBackBufferPixel(15, 10), 0u);
    EXPECT_NE(GetBackBufferPixel(10, 14), 0u);
    EXPECT_NE(GetBackBufferPixel(15, 13), 0u);
    EXPECT_NE(GetBackBufferPixel(14, 14), 0u);
    EXPECT_EQ(GetBackBufferPixel(15, 14), 0u);
    EXPECT_EQ(GetBackBufferPixel(12, 12), 0u);
    DrawRelLine(100, 100, 3, 0);
    EXPECT_NE(GetBackBufferPixel(102, 100), 0u);
    EXPECT_EQ(GetBackBufferPixel(103, 100), 0u);
}

TEST_P(PainterTest, AlignmentCodes) {
    int x = 100, y = 100;
    AlignPoint(&x, &y, 11, 7, 10);
    EXPECT_EQ(x, 95);
    EXPECT_EQ(y, 97);
    x = 100, y = 100;
    AlignPoint(&x, &y, 11, 7, 15);
    EXPECT_EQ(x, 89);
    EXPECT_EQ(y, 93);
    x = 100, y = 100;
    AlignPoint(&x, &y, 11, 7, 0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
}

TEST_P(PainterTest, WordWrapBreaksAtNewlinesAndSpaces) {
    char* lines[8];
    char twoWords[] = "a\nb\0";
    EXPECT_EQ(XDoTextAddr(twoWords, lines, 1000), 2);
    EXPECT_STREQ(lines[0], "a");
    EXPECT_STREQ(lines[1], "b");
    char narrow[] = "a\nb\0";
    EXPECT_EQ(XDoTextAddr(narrow, lines, 0), 2);
    char empty[] = "\0";
    EXPECT_EQ(XDoTextAddr(empty, lines, 100), 0);
    char fits[] = "keeps  its  spaces\0";
    EXPECT_EQ(XDoTextAddr(fits, lines, 1000), 1);
    EXPECT_STREQ(lines[0], "keeps  its  spaces");

    SetFont(8);
    const int16_t width = GetTextSize("one two", nullptr, nullptr);
    char three[] = "one two three\0";
    EXPECT_EQ(XDoTextAddr(three, lines, width), 2);
    EXPECT_STREQ(lines[0], "one two");
    EXPECT_STREQ(lines[1], "three");
    // The line table bounds the lines.
    char many[] = "a\nb\nc\nd\0";
    EXPECT_EQ(XDoTextAddr(many, std::span<char*>(lines, 3), 100), 3);
}

TEST_P(PainterTest, WordWiderThanTheBoxBreaksAtItsLastFittingCharacter) {
    SetFont(8);
    const int16_t width = GetTextSize("Abcd", nullptr, nullptr);
    char* lines[16];
    std::vector<char> buffer(64, '\0');
    std::strcpy(buffer.data(), "x Abcdefgh y");
    const int n = XDoTextAddr(buffer, lines, width);
    ASSERT_EQ(n, 4);
    EXPECT_STREQ(lines[0], "x");
    EXPECT_STREQ(lines[1], "Abcd");
    EXPECT_STREQ(lines[2], "efgh");
    EXPECT_STREQ(lines[3], "y");
    // A box narrower than any character: one character a line.
    std::strcpy(buffer.data(), "WWW");
    buffer[4] = '\0';
    EXPECT_EQ(XDoTextAddr(buffer, lines, 1), 3);
    EXPECT_STREQ(lines[2], "W");
    // No spare byte for the break: the line stays as it is.
    char tight[] = "Abcdefgh\0";
    EXPECT_EQ(XDoTextAddr(tight, lines, width), 1);
    EXPECT_STREQ(lines[0], "Abcdefgh");
}

TEST_P(PainterTest, MiddleJustifiedBoxCentresItsLines) {
    SetFont(8);
    int16_t lineHeight = 0;
    GetTextSize(" ", nullptr, &lineHeight);
    ASSERT_EQ(lineHeight, 14);
    DrawWrappedText(300, 0, "Ab\nCd\nEf", JUSTIFY_CENTRE_MIDDLE, 200, 100);
    const std::vector<uint8_t> wrapped = Snapshot();
    Clear();
    // The middle line's centre at y 50, the others a line above and below.
    DrawTextAddrAt(400, 36, "Ab", JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(400, 50, "Cd", JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(400, 64, "Ef", JUSTIFY_CENTRE_MIDDLE);
    EXPECT_TRUE(Unchanged(wrapped));
    Clear();
    const std::vector<uint8_t> blank = Snapshot();
    DrawWrappedText(300, 0, "", JUSTIFY_CENTRE_MIDDLE, 200, 100);
    EXPECT_TRUE(Unchanged(blank));
    // Right and bottom: the last line's bottom on the box's bottom.
    DrawWrappedText(300, 0, "Ab\nCd", 15, 200, 100);
    const std::vector<uint8_t> bottom = Snapshot();
    Clear();
    DrawTextAddrAt(500, 86, "Ab", 15);
    DrawTextAddrAt(500, 100, "Cd", 15);
    EXPECT_TRUE(Unchanged(bottom));
}

TEST_P(PainterTest, NumbersAndTextIdsDrawTheirTexts) {
    SetDrawParam(3, NUMBER_MONEY);
    DrawNumberAt(10, 10, 1500000, JUSTIFY_LEFT_TOP);
    const std::vector<uint8_t> number = Snapshot();
    Clear();
    DrawTextAddrAt(10, 10,
                   "\xA3"
                   "1.5m",
                   JUSTIFY_LEFT_TOP);
    EXPECT_TRUE(Unchanged(number));
    SetDrawParam(3, NUMBER_PLAIN);
    Clear();
    DrawTextNoAt(400, 300, 433, JUSTIFY_RIGHT_MIDDLE);
    const std::vector<uint8_t> text = Snapshot();
    Clear();
    DrawTextAddrAt(400, 300, "Nil", JUSTIFY_RIGHT_MIDDLE);
    EXPECT_TRUE(Unchanged(text));
    int16_t w = 0, h = 0;
    EXPECT_EQ(GetTextNoSize(433, &w, &h), GetTextSize("Nil", nullptr, nullptr));
    EXPECT_EQ(GetCharSize('W', &w, &h), FontList[8].widths[uint8_t('W')]);
    EXPECT_EQ(h, 14);
}

TEST_P(PainterTest, IconsAndIconParts) {
    int16_t w = 0, h = 0;
    GetIconSizeScaled(153, &w, &h);
    DrawIcon(400, 300, 153, JUSTIFY_CENTRE_MIDDLE);
    const int left = 400 - w / 2, top = 300 - h / 2;
    EXPECT_NE(GetBackBufferPixel(left + w / 2, top + h / 2), 0u);
    EXPECT_EQ(GetBackBufferPixel(left - 1, top + h / 2), 0u);
    const std::vector<uint8_t> whole = Snapshot();
    Clear();
    const std::vector<uint8_t> blank = Snapshot();
    DrawIconPart(400, 300, 153, JUSTIFY_CENTRE_MIDDLE, 1, 0, w, h);  // one past the right edge
    DrawIconPart(400, 300, 153, JUSTIFY_CENTRE_MIDDLE, 0, 1, w, h);
    DrawIconPart(400, 300, 153, JUSTIFY_CENTRE_MIDDLE, 0, 0, 0, h);
    EXPECT_TRUE(Unchanged(blank));
    // Two halves make the whole.
    DrawIconPart(400, 300, 153, JUSTIFY_CENTRE_MIDDLE, 0, 0, w / 2, h);
    DrawIconPart(400, 300, 153, JUSTIFY_CENTRE_MIDDLE, w / 2, 0, w - w / 2, h);
    EXPECT_TRUE(Unchanged(whole));
}

TEST_P(PainterTest, ScrollingBandStaysInsideTheBand) {
    FillSolidRect(0, 0, 800, 600, 0x001F);
    SaveScreenToBuffer();
    SetFont(8);
    const std::vector<uint8_t> background = Snapshot();
    for (int offset : {-37, 0, 5, 300}) {
        DrawScrollingText(100, 200, "Halvorn news ticker ", 9, 200, offset, 1);
        // Outside the band nothing changed.
        for (int y = 150; y < 250; ++y) {
            for (int x = 0; x < 800; ++x) {
                const bool inBand = x >= 100 && x < 300 && y >= 193 && y < 207;
                if (!inBand) {
                    ASSERT_EQ(std::memcmp(&background[(size_t(y) * 800 + x) * MenuBytesPerPixel()],
                                          MenuBackBuffer + (size_t(y) * 800 + x) * MenuBytesPerPixel(),
                                          size_t(MenuBytesPerPixel())),
                              0)
                        << offset << ": " << x << "," << y;
                }
            }
        }
    }
    // With repeat the band is full to its right end; without it, it is not.
    auto inkNearRightEnd = [] {
        for (int y = 193; y < 207; ++y) {
            for (int x = 280; x < 300; ++x) {
                if (GetBackBufferPixel(x, y) != 0xFF0000u) return true;
            }
        }
        return false;
    };
    DrawScrollingText(100, 200, "Halvorn ", 9, 200, 0, 1);
    EXPECT_TRUE(inkNearRightEnd());
    DrawScrollingText(100, 200, "Halvorn ", 9, 200, 0, 0);
    EXPECT_FALSE(inkNearRightEnd());
    RestoreRectAligned(200, 200, 200, 14, 10);
    EXPECT_TRUE(Unchanged(background));
}

INSTANTIATE_TEST_SUITE_P(Formats, PainterTest,
                         ::testing::Values(&ColFmt_R5G6B5, &ColFmt_B8G8R8, &ColFmt_A8R8G8B8),
                         [](const auto& info) { return "Bits" + std::to_string(info.param->bits); });

using PainterDeathTest = PainterTest;

TEST_P(PainterDeathTest, UnknownButtonStyleEndsTheProgram) {
    ButtonStyle = 3;
    EXPECT_FATAL(DoButton(10, 10, 20, 20), "DoButton\\(\\): unknown button type");
}

INSTANTIATE_TEST_SUITE_P(Formats, PainterDeathTest, ::testing::Values(&ColFmt_R5G6B5));

}  // namespace
