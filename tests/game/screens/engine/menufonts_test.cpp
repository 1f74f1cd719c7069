// Money, ordinal and number formats, with their words from the language texts;
// the shipped fonts and icons, the icon numbers and the list check.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/system/picture.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"
#include "tests/fakes/tga_fixture.h"

namespace {

class NumberFormatTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::LoadTexts({{263, "st"},
                            {264, "nd"},
                            {265, "rd"},
                            {266, "th"},
                            {433, "Nil"},
                            {434, "$"},
                            {435, "."},
                            {436, "bn"},
                            {437, "m"},
                            {438, "k"}});
    }
    void TearDown() override {
        SetDrawParam(3, NUMBER_PLAIN);
        testenv::UnloadTexts();
    }
};

TEST_F(NumberFormatTest, ShortMoney) {
    EXPECT_STREQ(Price2str(0), "$0");
    EXPECT_STREQ(Price2str(999), "$999");
    EXPECT_STREQ(Price2str(-2500), "-$2.5k");
    EXPECT_STREQ(Price2str(1500000), "$1.5m");
    EXPECT_STREQ(Price2str(1050000), "$1.05m");
    EXPECT_STREQ(Price2str(1005000), "$1.005m");
    EXPECT_STREQ(Price2str(1000000), "$1m");
    EXPECT_STREQ(Price2str(2147483647), "$2.147bn");
    EXPECT_STREQ(Price2str(-2147483647 - 1), "-$2.147bn");
}

TEST_F(NumberFormatTest, PlainMoney) {
    EXPECT_STREQ(Price2strPlain(0), "Nil");
    EXPECT_STREQ(Price2strPlain(999), "999");
    EXPECT_STREQ(Price2strPlain(1050000), "1.0m");
    EXPECT_STREQ(Price2strPlain(1550000), "1.5m");
    EXPECT_STREQ(Price2strPlain(-12000), "-12k");
}

TEST_F(NumberFormatTest, Number2StrFollowsTheNumberType) {
    SetDrawParam(3, NUMBER_ORDINAL);
    const int n[] = {1, 2, 3, 4, 11, 12, 13, 21, 102, 111, -1};
    const char* expect[] = {"1st",  "2nd",  "3rd",   "4th",   "11th", "12th",
                            "13th", "21st", "102nd", "111th", "-1th"};
    for (int i = 0; i < 11; ++i) EXPECT_STREQ(Number2Str(n[i]), expect[i]) << n[i];
    SetDrawParam(3, NUMBER_TWO_DIGITS);
    EXPECT_STREQ(Number2Str(2007), "07");
    EXPECT_STREQ(Number2Str(-5), "-5");
    SetDrawParam(3, NUMBER_MONEY);
    EXPECT_STREQ(Number2Str(2500), "$2.5k");
    SetDrawParam(3, NUMBER_MONEY_PLAIN);
    EXPECT_STREQ(Number2Str(0), "Nil");
    SetDrawParam(3, NUMBER_PLAIN);
    const char* first = Number2Str(42);
    EXPECT_STREQ(first, "42");
    Number2Str(7);
    EXPECT_STREQ(first, "7");  // one shared buffer
}

TEST(DrawParam, KindsSetTheirFields) {
    SetDrawParam(7, 50);
    EXPECT_EQ(TextOpacity, 127);
    SetDrawParam(7, 100);
    EXPECT_EQ(TextOpacity, 255);
    SetDrawParam(7, 150);  // kept to full opacity
    EXPECT_EQ(TextOpacity, 255);
    SetDrawParam(7, -10);
    EXPECT_EQ(TextOpacity, 0);
    SetDrawParam(7, 100);
    SetDrawParam(5, 12);
    EXPECT_EQ(CurrentListEntry, 12);
    SetDrawParam(9, 12);
    EXPECT_EQ(CurrentListEntry, -1);
    SetDrawParam(2, 0x1234);
    SetDrawParam(0, 7);
    SetDrawParam(10, 7);
    EXPECT_EQ(DrawColour, 0x1234);
    EXPECT_EQ(CurrentNumberType, NUMBER_PLAIN);
}

using NumberFormatDeathTest = NumberFormatTest;

TEST_F(NumberFormatDeathTest, UnknownNumberTypeIsFatal) {
    SetDrawParam(3, 5);
    EXPECT_FATAL(Number2Str(1), "Number2Str\\(\\): Invalid number type \\(5\\)");
}

}  // namespace

// ---- The shipped texts, fonts and icons -------------------------------------

namespace {

class ShippedDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, &ColFmt_A8R8G8B8))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
    }
    void TearDown() override {
        SetDrawParam(3, NUMBER_PLAIN);
        SetFont(8);
        SetDrawParam(1, 0);
        SetDrawParam(7, 100);
        if (MenuBackBuffer != nullptr) testenv::StopMenuPaint();
    }
};

TEST_F(ShippedDataTest, NumberFormatsWithTheEnglishTexts) {
    SetDrawParam(3, NUMBER_ORDINAL);
    EXPECT_STREQ(Number2Str(1), "1st");
    EXPECT_STREQ(Number2Str(11), "11th");
    EXPECT_STREQ(Price2str(1500000),
                 "\xA3"
                 "1.5m");
    EXPECT_STREQ(Price2str(1050000),
                 "\xA3"
                 "1.05m");
    EXPECT_STREQ(Price2str(-2500),
                 "-\xA3"
                 "2.5k");
    EXPECT_STREQ(Price2strFull(1000005),
                 "\xA3"
                 "1,000,005");
    EXPECT_STREQ(Price2strFull(1000000),
                 "\xA3"
                 "1,000,000");
    EXPECT_STREQ(Price2strFull(2500),
                 "\xA3"
                 "2,500");
    EXPECT_STREQ(Price2strFull(999),
                 "\xA3"
                 "999");
    EXPECT_STREQ(Price2strFull(-2147483647 - 1),
                 "-\xA3"
                 "2,147,483,648");
    EXPECT_STREQ(Price2strPlain(0), "Nil");
    SetDrawParam(3, NUMBER_TWO_DIGITS);
    EXPECT_STREQ(Number2Str(7), "07");
}

TEST_F(ShippedDataTest, ExtentsFollowTheWidthTables) {
    for (int font = 0; font < FONT_COUNT; ++font) {
        SetFont(int16_t(font));
        int16_t width = -1, height = -1;
        GetStringExtent("", &width, &height);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(height, FontList[font].cellHeight);
        int16_t plain = 0, shadowed = 0;
        GetStringExtent("Halvorn 2-1", &plain, nullptr);
        SetFont(int16_t(FONT_SHADOW + font));
        GetStringExtent("Halvorn 2-1", &shadowed, nullptr);
        EXPECT_EQ(plain, shadowed);
        EXPECT_GT(plain, 0);
        // Number columns line up: every digit is as wide as "0".
        for (int d = '1'; d <= '9'; ++d)
            EXPECT_EQ(FontList[font].widths[d], FontList[font].widths[uint8_t('0')]) << font;
        for (int c : {0xA3, 0x80, 0xE9}) EXPECT_GT(FontList[font].widths[c], 0) << font << " " << c;
    }
}

TEST_F(ShippedDataTest, GlyphsAreDrawnWholeOrNotAtAllButThePenMoves) {
    SetFont(8);
    LoadFont(8);
    const int w = FontList[8].widths[uint8_t('W')];
    DrawFontString("WW", -2, 10);  // the first crosses the left edge, the second lies inside
    bool left = false, second = false;
    for (int y = 10; y < 24; ++y) {
        for (int x = 0; x < w - 2; ++x) left |= GetBackBufferPixel(x, y) != 0;
        for (int x = w - 2; x < 2 * w - 2; ++x) second |= GetBackBufferPixel(x, y) != 0;
    }
    EXPECT_FALSE(left);
    EXPECT_TRUE(second);
    DrawFontString("W", 800 - w + 1, 100);  // one pixel over the right edge
    DrawFontString("W", 100, 600 - 13);     // one row over the bottom
    for (int y = 80; y < 600; ++y) {
        for (int x = 90; x < 800; ++x) ASSERT_EQ(GetBackBufferPixel(x, y), 0u) << x << "," << y;
    }
}

TEST_F(ShippedDataTest, OpacityColourAndShadow) {
    SetFont(12);
    LoadFont(12);
    const uint8_t* glyph = FontList[12].glyphs + GFX0_HEADER_SIZE + size_t('H') * 20 * 20 * 3;
    int fx = -1, fy = -1;  // a fully covered pixel of "H"
    for (int i = 0; i < 20 * 20 && fx < 0; ++i) {
        if (glyph[i * 3] == 255) fx = i % 20, fy = i / 20;
    }
    ASSERT_GE(fx, 0);
    SetDrawParam(1, 4);  // red
    DrawFontString("H", 10, 10);
    EXPECT_EQ(GetBackBufferPixel(10 + fx, 10 + fy), 0x0000FFu);
    SetDrawParam(7, 50);
    DrawFontString("H", 100, 10);
    EXPECT_EQ(GetBackBufferPixel(100 + fx, 10 + fy), 0x00007Eu);  // 255 x 127 / 255 of the way from 0
    SetDrawParam(7, 100);
    SetDrawParam(1, 99);  // outside the table: colour 0, white
    DrawFontString("H", 200, 10);
    EXPECT_EQ(GetBackBufferPixel(200 + fx, 10 + fy), 0xFFFFFFu);
    FillSolidRect(300, 0, 40, 40, 0xFFFF);
    SetFont(1012);
    DrawFontString("H", 310, 10);
    EXPECT_EQ(GetBackBufferPixel(310 + fx, 10 + fy), 0xFFFFFFu);
    // Where the glyph's right neighbour pixel is clear, the shadow shows.
    if (fx + 1 < 20 && glyph[(fy * 20 + fx + 1) * 3] == 0 && glyph[((fy - 1) * 20 + fx + 1) * 3] == 0) {
        EXPECT_EQ(GetBackBufferPixel(311 + fx, 11 + fy), 0u);
    }
}

TEST_F(ShippedDataTest, PurgedFontsAndIconsReload) {
    SetFont(8);
    DrawFontString("A", 0, 0);
    const uint32_t first = GetBackBufferPixel(3, 5);
    FreeMemory(&FontList[8].widths);  // one part purged
    FreeAutoMemory();                 // then everything purgeable
    EXPECT_EQ(FontList[8].glyphs, nullptr);
    FillSolidRect(0, 0, 20, 20, 0);
    DrawFontString("A", 0, 0);
    EXPECT_EQ(GetBackBufferPixel(3, 5), first);
    int16_t w = 0, h = 0;
    GetIconSize(153, &w, &h);
    FreeAutoMemory();
    int16_t w2 = 0, h2 = 0;
    GetIconSize(153, &w2, &h2);
    EXPECT_EQ(w, w2);
    EXPECT_EQ(h, h2);
    EXPECT_NE(GetIconAddress(153), nullptr);
}

TEST_F(ShippedDataTest, ANewScreenFormatRemakesBuffersAndIcons) {
    DrawIcon(400, 300, 153, JUSTIFY_CENTRE_MIDDLE);
    const uint32_t centre = GetBackBufferPixel(400, 290);
    ASSERT_NE(centre, 0u);
    MenuSetScreenFormat(800, 600, &ColFmt_R5G6B5);
    EXPECT_EQ(MenuBackBuffer, nullptr);  // made for the old screen
    AllocScreenBuffers();
    DrawIcon(400, 300, 153, JUSTIFY_CENTRE_MIDDLE);  // read with 2-byte pixels now
    EXPECT_EQ(GetBackBufferPixel(400, 290),
              ColConvPixel(ColConvPixel(centre, &ColFmt_A8B8G8R8, &ColFmt_R5G6B5), &ColFmt_R5G6B5,
                           &ColFmt_A8B8G8R8));
    MenuSetScreenFormat(800, 600, &ColFmt_R5G6B5);  // the same screen keeps its buffers
    EXPECT_NE(MenuBackBuffer, nullptr);
}

TEST_F(ShippedDataTest, IconNumbersFollowTheList) {
    EXPECT_EQ(IconNumberMap[1].file, 1);
    EXPECT_EQ(IconNumberMap[13].file, 3);
    EXPECT_EQ(IconNumberMap[13].frame, 10);
    EXPECT_EQ(IconNumberMap[65].file, 19);
    EXPECT_EQ(IconNumberMap[153].file, 42);
    EXPECT_EQ(IconNumberMap[159].file, 45);
    EXPECT_EQ(IconNumberMap[188].file, 47);
    EXPECT_EQ(IconNumberMap[188].frame, 27);
    EXPECT_EQ(IconNumberMap[206].file, 56);
    EXPECT_EQ(IconNumberMap[206].frame, 9);
    int16_t w = 0, h = 0;
    GetIconSize(1, &w, &h);
    GetIconSize(206, &w, &h);
    EXPECT_EQ(w, 22);
    EXPECT_EQ(h, 24);
    GetIconSize(2, &w, &h);  // measured, and the measure is kept
    EXPECT_EQ(IconList[2].frameWidth, w);
    EXPECT_GE(w, 400);
    EXPECT_GE(h, 180);
    for (int icon = 1; icon < END_ICON; ++icon) ASSERT_NE(GetIconAddress(icon), nullptr) << icon;
}

using ShippedDataDeathTest = ShippedDataTest;

TEST_F(ShippedDataDeathTest, BadNumbersEndTheProgram) {
    EXPECT_FATAL(GetIconAddress(0), "GetIconAddress\\(\\): Bad icon number: 0");
    EXPECT_FATAL(GetIconAddress(207), "GetIconAddress\\(\\): Bad icon number: 207");
    EXPECT_FATAL(GetIconSize(-1, nullptr, nullptr), "GetIconSize\\(\\): Bad icon number: -1");
    SetFont(15);
    EXPECT_FATAL(DrawFontString("x", 0, 0), "bad font number 15");
    SetFont(1015);
    EXPECT_FATAL(GetStringExtent("x", nullptr, nullptr), "bad font number 1015");
    SetFont(999);
    EXPECT_FATAL(DrawFontString("x", 0, 0), "bad font number 999");
}

TEST_F(ShippedDataTest, ListCheckReportsNoMissingIconOrBackgroundAndNoStrayFile) {
    StdoutCapture out;
    InitIconLists();
    const std::string text = out.Text();
    EXPECT_NE(text.find("\n-- checking icon list for errors...\n"), std::string::npos);
    EXPECT_NE(text.find("\n-- checking background list for errors...\n"), std::string::npos);
    EXPECT_NE(text.find("\n-- end of checks\n\n"), std::string::npos);
    EXPECT_EQ(text.find("Warning:"), std::string::npos) << text;
    EXPECT_EQ(text.find("Note:"), std::string::npos) << text;
}

// A small archive of our own, for what the shipped one never has.
class OwnArchiveTest : public ::testing::Test {
  protected:
    void StartWith(const std::vector<testenv::PakTestFile>& files) {
        scratch_ = std::make_unique<testenv::ScratchDir>();
        testenv::WritePak("pakfiles/demo", files);
        InitMemory(9500);
        PakFileInit();
        PakAddFile("pakfiles\\demo");
        PakFileAddDone();
        MenuSetScreenFormat(100, 100, &ColFmt_R5G6B5);
    }
    void TearDown() override {
        if (PakFileStatus() != 0) PakFileUninit();
        FreeAutoMemory();
        UninitMemory();
        scratch_.reset();
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
};

TEST_F(OwnArchiveTest, ListCheckWarnsOfMissingFilesAndNotesStrayOnes) {
    StartWith({{"menugfx\\icon\\ticked.tga", testenv::Bytes("x")},
               {"menugfx\\icon\\Stray.tga", testenv::Bytes("x")},
               {std::string("menugfx\\bg\\") + BackgroundList[5].name + ".tga", testenv::Bytes("x")},
               {"menugfx\\bg\\old.tga", testenv::Bytes("x")}});
    StdoutCapture out;
    InitIconLists();
    const std::string text = out.Text();
    EXPECT_NE(text.find("Warning: no icon file 1 (blankico)\n"), std::string::npos);
    EXPECT_EQ(text.find("(ticked)"), std::string::npos);
    EXPECT_NE(text.find("Warning: no icon file 45 (LeftCntr)\n"), std::string::npos);
    EXPECT_NE(text.find("Note: file 'STRAY.TGA' in menugfx\\icon but not in icon list\n"), std::string::npos);
    EXPECT_NE(text.find(std::string("Warning: no background file 4 (") + BackgroundList[4].name + ")\n"),
              std::string::npos);
    EXPECT_EQ(text.find(std::string("(") + BackgroundList[5].name + ")"), std::string::npos);
    EXPECT_NE(text.find("Note: file 'OLD.TGA' in menugfx\\bg but not in background list\n"),
              std::string::npos);
    EXPECT_EQ(IconNumberMap[206].frame, 9);  // numbered all the same
}

using OwnArchiveDeathTest = OwnArchiveTest;

TEST_F(OwnArchiveDeathTest, UnreadableFilesEndTheProgramWhenUsed) {
    StartWith({{"menugfx\\icon\\ticked.tga", testenv::Bytes("not a picture")},
               {"menugfx\\font\\seabrd14.tga", testenv::Bytes("not a picture")}});
    {
        StdoutCapture quiet;
        InitIconLists();
        quiet.Text();
    }
    EXPECT_FATAL(GetIconAddress(153), "LoadIconFile\\(\\): Failed to convert menugfx\\\\icon\\\\ticked.tga");
    EXPECT_FATAL(LoadFont(8), "Failed to convert font tga");
    EXPECT_FATAL(LoadFont(9), "seabrd15");  // not in the archive at all
}

// A picture too small for the grid its list gives it is refused before a
// frame is cut from outside it.
TEST_F(OwnArchiveDeathTest, PicturesTooSmallForTheirGridEndTheProgramWhenUsed) {
    const std::vector<uint8_t> small = testenv::ArgbTga(4, 4, std::vector<uint32_t>(16, 0xFF102030));
    StartWith({{"menugfx\\icon\\cards.tga", small}, {"menugfx\\font\\seabrd14.tga", small}});
    {
        StdoutCapture quiet;
        InitIconLists();
        quiet.Text();
    }
    // The first of the three 9 x 10 frames the list gives the cards.
    int file = 0, cards = 0;
    while (IconList[file].fileName == nullptr || std::strcmp(IconList[file].fileName, "cards") != 0) ++file;
    while (IconNumberMap[cards].file != file) ++cards;
    EXPECT_FATAL(GetIconAddress(cards), "Error: failed to grid icon file menugfx\\\\icon\\\\cards.tga");
    EXPECT_FATAL(LoadFont(8), "Failed to grid font");
}

// The fuzz corpus's icon of 65000 x 65000 pixels of depth 0 stored right to
// left is refused for its depth before any row is turned, as unreadable.
TEST_F(OwnArchiveDeathTest, AnIconOfADepthNoStepReadsEndsTheProgramWhenUsed) {
    std::ifstream in(HALVORN_SOURCE_DIR "/fuzz/corpus/menu_icon/depth0-mirrored", std::ios::binary);
    const std::vector<uint8_t> fuzzInput{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(fuzzInput.size(), 70u);
    // The fuzz target's first four bytes choose the grid; the rest is the file.
    StartWith({{"menugfx\\icon\\ticked.tga", std::vector<uint8_t>(fuzzInput.begin() + 4, fuzzInput.end())}});
    {
        StdoutCapture quiet;
        InitIconLists();
        quiet.Text();
    }
    EXPECT_FATAL(GetIconAddress(153),
                 "TGA_Read\\(\\): pixel depth other than 15, 16, 24 or 32 bits\n.*"
                 "LoadIconFile\\(\\): Failed to convert menugfx\\\\icon\\\\ticked.tga");
}

}  // namespace
