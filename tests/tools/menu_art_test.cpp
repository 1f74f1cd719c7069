// The data kit's menu fonts and icon sheets: what the painters rely on
// beyond what reading them back checks.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/screens/engine/menufonts.h"
#include "tools/datakit/menufonts.h"
#include "tools/datakit/menuicons.h"

namespace {

constexpr uint32_t kYellowMarker = 0xFFFFFF00u;

TEST(MenuFonts, CellsHoldWhiteGlyphsWithinTheirAdvance) {
    for (int font = 0; font < FONT_COUNT; ++font) {
        const FontEntry& entry = FontList[font];
        const datakit::DrawnFont drawn = datakit::DrawMenuFont(font);
        ASSERT_EQ(drawn.sheet.width, 16 * entry.cellWidth);
        ASSERT_EQ(drawn.sheet.height, 16 * entry.cellHeight);
        for (int code = 0; code < 256; ++code) {
            const int advance = drawn.advances[size_t(code)];
            ASSERT_LE(advance, entry.cellWidth);
            int markers = 0, ink = 0;
            for (int y = 0; y < entry.cellHeight; ++y) {
                for (int x = 0; x < entry.cellWidth; ++x) {
                    const uint32_t p =
                        drawn.sheet.pixels[size_t((code / 16) * entry.cellHeight + y) * drawn.sheet.width +
                                           size_t((code % 16) * entry.cellWidth + x)];
                    if (p == kYellowMarker) {
                        ++markers;
                        EXPECT_EQ(x, advance) << font << " " << code;
                        continue;
                    }
                    const uint32_t red = (p >> 16) & 0xFF;
                    // White on black: the red channel is the coverage.
                    ASSERT_EQ(p, 0xFF000000u | red * 0x010101u) << font << " " << code;
                    if (red != 0) {
                        ++ink;
                        ASSERT_LT(x, advance) << "ink past the advance: font " << font << " code " << code;
                    }
                }
            }
            EXPECT_EQ(markers, advance < entry.cellWidth ? 1 : 0) << font << " " << code;
            const bool undefined = code < 32 || code == 0x7F || code == 0x81 || code == 0x8D ||
                                   code == 0x8F || code == 0x90 || code == 0x9D;
            if (undefined) {
                EXPECT_EQ(ink, 0) << font << " " << code;
            }
            if (code == 0xA3 || code == 0x80 || code == 0xE9 || code == 0xC4 || code == 'g') {
                EXPECT_GT(ink, 0) << font << " " << code;
            }
        }
        for (int digit = '1'; digit <= '9'; ++digit)
            EXPECT_EQ(drawn.advances[size_t(digit)], drawn.advances['0']);
    }
}

TEST(MenuIcons, SheetsHaveTheirGridsAndNoBlankFrame) {
    for (int entry = 1; entry < ICON_FILE_COUNT; ++entry) {
        const IconFileEntry& icon = IconList[entry];
        int frameWidth = icon.frameWidth, frameHeight = icon.frameHeight;
        if (frameWidth == 0) datakit::MeasuredSheetSize(entry, &frameWidth, &frameHeight);
        const datakit::Picture sheet = datakit::DrawIconSheet(entry);
        ASSERT_EQ(sheet.width, frameWidth * icon.columns) << icon.fileName;
        ASSERT_EQ(sheet.height, frameHeight * icon.rows) << icon.fileName;
        std::set<std::vector<uint32_t>> distinct;
        for (int frame = 0; frame < icon.columns * icon.rows; ++frame) {
            std::vector<uint32_t> pixels;
            int drawn = 0;
            for (int y = 0; y < frameHeight; ++y) {
                for (int x = 0; x < frameWidth; ++x) {
                    const uint32_t p =
                        sheet.pixels[size_t((frame / icon.columns) * frameHeight + y) * sheet.width +
                                     size_t((frame % icon.columns) * frameWidth + x)];
                    pixels.push_back(p);
                    drawn += p != datakit::ICON_KEY;
                }
            }
            EXPECT_GT(drawn, 0) << icon.fileName << " frame " << frame;
            distinct.insert(pixels);
        }
        // Animations and sets: every frame of the hourglass, the player
        // discs and the performance discs differs from the others.
        if (entry == 19 || entry == 29 || entry == 31 || entry == 13) {
            EXPECT_EQ(int(distinct.size()), icon.columns * icon.rows) << icon.fileName;
        }
    }
    // The modal boxes' panels enclose their text and button rectangles.
    int w = 0, h = 0;
    datakit::MeasuredSheetSize(2, &w, &h);
    EXPECT_GE(w, 440);
    EXPECT_GE(h, 200);
    datakit::MeasuredSheetSize(20, &w, &h);
    EXPECT_GE(w, 440);
    EXPECT_GE(h, 240);
    // The arrow pointer's hot spot is its top-left pixel.
    EXPECT_NE(datakit::DrawIconSheet(18).pixels[0], datakit::ICON_KEY);
    // The tabs the screens write their labels on are plain faces.
    const datakit::Picture tabs = datakit::DrawIconSheet(5);
    for (int frame = 0; frame < IconList[5].columns; ++frame) {
        std::set<uint32_t> face;
        for (int y = 3; y < 15; ++y) {
            for (int x = 2; x < 55; ++x)
                face.insert(
                    tabs.pixels[size_t(y) * size_t(tabs.width) + size_t(frame * IconList[5].frameWidth + x)]);
        }
        EXPECT_EQ(face.size(), 1u) << "tab " << frame;
    }
    // The league table's movement marks come in the order of the table's
    // movement word: unchanged (no arrow), up (green), down (red).
    const datakit::Picture marks = datakit::DrawIconSheet(22);
    const int markWidth = IconList[22].frameWidth;
    const auto colouredPixels = [&](int frame, bool green) {
        int count = 0;
        for (int y = 0; y < marks.height; ++y) {
            for (int x = frame * markWidth; x < (frame + 1) * markWidth; ++x) {
                const uint32_t p = marks.pixels[size_t(y) * size_t(marks.width) + size_t(x)];
                if (p == datakit::ICON_KEY) continue;
                const int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF);
                count += green ? g > r + 60 : r > g + 60;
            }
        }
        return count;
    };
    EXPECT_EQ(colouredPixels(0, true) + colouredPixels(0, false), 0);
    EXPECT_GT(colouredPixels(1, true), 10);
    EXPECT_GT(colouredPixels(2, false), 10);
}

}  // namespace
