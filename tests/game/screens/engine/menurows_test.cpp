// The list-row renderers over a 24-bit back buffer in memory with the
// shipped fonts and texts: which rows they draw, where bands, faces and
// names fall, the setting letters, the digit cells and the news ticker.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/records/records.h"
#include "core/season/news.h"
#include "game/match3d/kitpalette.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/painting.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr uint32_t Bgr(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

uint32_t KitBgr(int colourNumber) {
    const KitColour& c = GetKitColour(colourNumber);
    return Bgr(c.red, c.green, c.blue);
}

std::vector<uint8_t> RowsSnapshot() {
    const size_t bytes = size_t(MenuScreenWidth()) * MenuScreenHeight() * size_t(MenuBytesPerPixel());
    return std::vector<uint8_t>(MenuBackBuffer, MenuBackBuffer + bytes);
}

bool RowsUnchanged(const std::vector<uint8_t>& before) {
    return std::memcmp(before.data(), MenuBackBuffer, before.size()) == 0;
}

int CountPixels(int x, int y, int width, int height, uint32_t colour) {
    int n = 0;
    for (int j = y; j < y + height; ++j) {
        for (int i = x; i < x + width; ++i) n += GetBackBufferPixel(i, j) == colour;
    }
    return n;
}

TEST(KitPaletteTest, EveryGroupStartsAndEndsWhereTheTableSays) {
    const struct {
        int index;
        uint32_t bgr;
    } samples[] = {
        {0, Bgr(254, 255, 254)},  {9, Bgr(47, 48, 47)},     {10, Bgr(254, 255, 0)}, {19, Bgr(153, 154, 52)},
        {20, Bgr(255, 223, 0)},   {29, Bgr(153, 76, 0)},    {30, Bgr(255, 0, 0)},   {39, Bgr(121, 36, 48)},
        {40, Bgr(215, 130, 166)}, {46, Bgr(105, 65, 81)},   {51, Bgr(89, 60, 97)},  {52, Bgr(232, 0, 231)},
        {61, Bgr(109, 93, 117)},  {62, Bgr(125, 211, 255)}, {71, Bgr(24, 24, 105)}, {72, Bgr(0, 0, 255)},
        {81, Bgr(0, 85, 101)},    {82, Bgr(125, 219, 195)}, {91, Bgr(40, 89, 40)},  {92, Bgr(0, 255, 0)},
        {97, Bgr(199, 113, 77)},  {102, Bgr(0, 0, 20)},
    };
    for (const auto& s : samples) EXPECT_EQ(KitBgr(s.index), s.bgr) << s.index;
    // Numbers outside the palette read as colour 5.
    EXPECT_EQ(&GetKitColour(-1), &KitPalette[5]);
    EXPECT_EQ(&GetKitColour(103), &KitPalette[5]);
}

class MenuRowsTest : public ::testing::Test {
  protected:
    static constexpr uint16_t kPlayers = 6;
    static constexpr uint16_t kDefender = 1;  // "O.Olsen"
    static constexpr uint16_t kKeeper = 2;    // no name at all
    static constexpr uint16_t kForward = 3;
    static constexpr uint16_t kNoSettings = 4;
    const int32_t list[7] = {kDefender, kKeeper, kForward, kNoSettings, 0, kPlayers, 99999};

    void SetUp() override {
        if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, &ColFmt_B8G8R8))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        std::memset(PlayerRecords, 0, sizeof PlayerRecords);
        PlayerCount = kPlayers;
        SetPlayerSurname(kDefender, "Olsen");
        SetPlayerInitial(kDefender, 15);
        SetPlayerPosition(kDefender, 2);
        SetPlayerPosition(kKeeper, 0);
        SetPlayerSurname(kForward, "Berg");
        SetPlayerPosition(kForward, 11);
        SetPlayerSurname(kNoSettings, "Lund");
        SetPlayerPosition(kNoSettings, 6);
        MenuRowList = list;
        MenuRowViewMode = 0;
        MenuOption = kScreenClubMain;
        SetDrawParam(9, 0);
        SetDrawParam(4, 0);
        SetDrawParam(1, 0);
        Clear();
    }
    void TearDown() override {
        MenuRowList = {};
        MenuRowViewMode = 0;
        SetDrawParam(9, 0);
        SetDrawParam(4, 0);
        SetDrawParam(1, 0);
        std::memset(PlayerRecords, 0, sizeof PlayerRecords);
        std::memset(ClubNameRecords, 0, sizeof ClubNameRecords);
        PlayerCount = 0;
        NewsTickerText[0] = '\0';
        TickerOffset = 0;
        MenuOption = kScreenNewGame;
        if (MenuBackBuffer != nullptr) testenv::StopMenuPaint();
    }
    static void Clear() { FillSolidRect(0, 0, 800, 600, 0x0000); }
};

TEST_F(MenuRowsTest, RowsWithoutAValidEntryDrawNothing) {
    // Entries past the list, player 0, a number at the player count and one
    // far beyond it: an accessor reached with any of them would end the run.
    const std::vector<uint8_t> before = RowsSnapshot();
    for (int32_t entry : {-1, 4, 5, 6, 7, 1000}) {
        SetDrawParam(5, entry);
        DrawPlayerNameBand(100, 100, 200, 20);
        DrawPlayerNameButton(100, 100, 200, 20);
        DrawPlayerSettingIcons(100, 100);
    }
    for (int32_t player : {0, int32_t(kPlayers), -1, 70000}) DrawTeamSheetList(100, 100, 200, 20, 7, player);
    for (int32_t club : {-1, 1200, 65535}) {
        SetDrawParam(8, club);
        DrawClubNameBand(100, 100, 200, 20);
        DrawClubNameButton(100, 100, 200, 20);
    }
    // An entry set and then cleared with kind 9.
    SetDrawParam(6, 0);
    SetDrawParam(9, 0);
    DrawPlayerNameBand(100, 100, 200, 20);
    EXPECT_TRUE(RowsUnchanged(before));
}

TEST_F(MenuRowsTest, PlayerBandLiesBesideTheAnchorByViewMode) {
    const uint32_t defender = Bgr(42, 140, 162);
    SetDrawParam(5, 0);
    DrawPlayerNameBand(300, 100, 200, 20);
    // Half the width right of the anchor, opaque at the anchor, the bottom
    // row left as it was.
    EXPECT_EQ(GetBackBufferPixel(300, 100), defender);
    EXPECT_EQ(GetBackBufferPixel(299, 100), 0u);
    EXPECT_EQ(GetBackBufferPixel(400, 100), 0u);
    EXPECT_NE(GetBackBufferPixel(399 - 5, 100), defender);
    EXPECT_EQ(GetBackBufferPixel(300, 119), 0u);
    // The name starts at x + width / 8 (its outline one pixel before).
    EXPECT_GT(CountPixels(325, 100, 60, 20, Bgr(255, 255, 255)), 10);
    EXPECT_EQ(CountPixels(300, 100, 24, 20, Bgr(255, 255, 255)), 0);

    Clear();
    for (int16_t mode : {7, 11, 15}) {
        MenuRowViewMode = mode;
        DrawPlayerNameBand(300, 200, 200, 20);
        EXPECT_EQ(GetBackBufferPixel(299, 200), defender) << mode;
        EXPECT_EQ(GetBackBufferPixel(300, 200), 0u) << mode;
        EXPECT_EQ(GetBackBufferPixel(199, 200), 0u) << mode;
        // Names end 20 pixels left of the anchor.
        EXPECT_GT(CountPixels(230, 200, 50, 20, Bgr(255, 255, 255)), 10) << mode;
        EXPECT_EQ(CountPixels(282, 200, 18, 20, Bgr(255, 255, 255)), 0) << mode;
    }
}

TEST_F(MenuRowsTest, NamesGetABlackOutline) {
    // The same band without a name shows where the outline darkens it.
    SetDrawParam(5, 1);
    DrawPlayerNameBand(100, 100, 400, 20);
    const int keeperBlack = CountPixels(100, 100, 200, 19, 0);
    Clear();
    SetPlayerSurname(kKeeper, "Strand");
    DrawPlayerNameBand(100, 100, 400, 20);
    EXPECT_GT(CountPixels(100, 100, 200, 19, 0), keeperBlack + 10);
    // The caller's text colour draws the letters themselves.
    SetDrawParam(1, 4);
    Clear();
    DrawPlayerNameBand(100, 100, 400, 20);
    EXPECT_EQ(CountPixels(100, 100, 400, 20, Bgr(255, 255, 255)), 0);
    EXPECT_EQ(TextColourNumber, 4);
}

TEST_F(MenuRowsTest, TeamSheetRowsAreNameBandsWithTheirStyleAsViewMode) {
    for (int16_t style : {5, 7}) {
        MenuRowViewMode = style;
        SetDrawParam(5, 2);
        Clear();
        DrawPlayerNameBand(400, 300, 180, 22);
        const std::vector<uint8_t> band = RowsSnapshot();
        MenuRowViewMode = style == 5 ? 7 : 5;  // the sheet ignores the screen's mode
        Clear();
        DrawTeamSheetList(400, 300, 180, 22, style, kForward);
        EXPECT_TRUE(RowsUnchanged(band)) << style;
        SetDrawParam(9, 0);
        Clear();
        DrawTeamSheetList(400, 300, 180, 22, style, kDefender);
        SetDrawParam(5, 0);
        const std::vector<uint8_t> sheet = RowsSnapshot();
        Clear();
        MenuRowViewMode = style;
        DrawPlayerNameBand(400, 300, 180, 22);
        EXPECT_TRUE(RowsUnchanged(sheet)) << style;
    }
}

TEST_F(MenuRowsTest, PlayerButtonMixesTheFaceWithThePositionColour) {
    // Face 0x5AD4: full (90, 90, 165), dark (67, 67, 123).
    SetDrawParam(5, 1);
    DrawPlayerNameButton(100, 100, 200, 30);
    const int g = 140;
    EXPECT_EQ(GetBackBufferPixel(100, 100), 0u);                         // the button's black edge
    EXPECT_EQ(GetBackBufferPixel(104, 104), Bgr(56, 146, 56));           // keeper green, top left
    EXPECT_EQ(GetBackBufferPixel(104 + g - 1, 104), Bgr(73, 73, 135));   // mixed at 30 %
    EXPECT_EQ(GetBackBufferPixel(104, 104 + 22 - 1), Bgr(90, 90, 165));  // full, bottom left
    EXPECT_EQ(GetBackBufferPixel(104 + g - 1, 125), Bgr(73, 73, 135));
    EXPECT_EQ(DrawColour, 0x5AD4);

    Clear();
    MenuRowViewMode = 11;
    DrawPlayerNameButton(100, 100, 200, 30);
    const int left = 100 + 200 - g - 4;
    EXPECT_EQ(GetBackBufferPixel(left, 104), Bgr(83, 83, 152));  // mixed at 70 %
    EXPECT_EQ(GetBackBufferPixel(left + g - 1, 104), Bgr(56, 146, 56));
    EXPECT_EQ(GetBackBufferPixel(left + g - 1, 125), Bgr(90, 90, 165));
}

TEST_F(MenuRowsTest, ButtonNamesSitTwentyFivePixelsIn) {
    SetDrawParam(5, 0);
    DrawPlayerNameButton(100, 100, 300, 30);
    EXPECT_GT(CountPixels(125, 100, 60, 30, Bgr(255, 255, 255)), 10);
    EXPECT_EQ(CountPixels(100, 100, 24, 30, Bgr(255, 255, 255)), 0);
    Clear();
    MenuRowViewMode = 7;
    DrawPlayerNameButton(100, 100, 300, 30);
    EXPECT_GT(CountPixels(315, 100, 60, 30, Bgr(255, 255, 255)), 10);
    EXPECT_EQ(CountPixels(376, 100, 24, 30, Bgr(255, 255, 255)), 0);
}

TEST_F(MenuRowsTest, SettingLettersFollowEachOtherInTheirColours) {
    SetPlayerSetting3(kDefender, 3);  // "L" in colour 8
    SetPlayerSetting1(kDefender, 0);  // no "R"
    SetPlayerSetting2(kDefender, 1);  // "C" in colour 10
    SetDrawParam(5, 0);
    DrawPlayerSettingIcons(200, 100);
    const std::vector<uint8_t> drawn = RowsSnapshot();

    Clear();
    SetDrawParam(1, 8);
    DrawTextNoAt(200, 100, 36, JUSTIFY_LEFT_TOP);
    SetDrawParam(1, 10);
    DrawTextNoAt(200 + GetTextNoSize(36, nullptr, nullptr), 100, 38, JUSTIFY_LEFT_TOP);
    EXPECT_TRUE(RowsUnchanged(drawn));

    Clear();
    SetDrawParam(1, 5);
    const std::vector<uint8_t> blank = RowsSnapshot();
    SetDrawParam(5, 3);
    DrawPlayerSettingIcons(200, 100);
    EXPECT_TRUE(RowsUnchanged(blank));
    EXPECT_EQ(TextColourNumber, 5);
}

TEST_F(MenuRowsTest, NineCellsInGroupsWithCommas) {
    const int16_t digits[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    SetDrawParam(3, 0);
    DrawNineCellRow(digits, 100, 200, 20, 24);
    const int cellX[9] = {100, 122, 144, 170, 192, 214, 240, 262, 284};
    for (int i = 0; i < 9; ++i) {
        EXPECT_NE(GetBackBufferPixel(cellX[i], 202), 0u) << i;
        EXPECT_EQ(GetBackBufferPixel(cellX[i] - 1, 202), 0u) << i;
        EXPECT_NE(GetBackBufferPixel(cellX[i] + 19, 202), 0u) << i;
        EXPECT_EQ(GetBackBufferPixel(cellX[i] + 20, 202), 0u) << i;
        // Each cell shows black text on its face.
        EXPECT_GT(CountPixels(cellX[i] + 2, 202, 16, 20, 0), 0) << i;
    }
    // Commas only in the two wide gaps.
    EXPECT_NE(CountPixels(164, 200, 6, 30, 0), 6 * 30);
    EXPECT_NE(CountPixels(234, 200, 6, 30, 0), 6 * 30);
    EXPECT_EQ(CountPixels(120, 195, 2, 40, 0), 2 * 40);
    EXPECT_EQ(CountPixels(260, 195, 2, 40, 0), 2 * 40);
    EXPECT_EQ(TextColourNumber, 0);
    EXPECT_EQ(ButtonStyle, 1);
    EXPECT_EQ(DrawColour, 0xCE59);
}

TEST_F(MenuRowsTest, GreyFramedBox) {
    FillSolidRect(0, 0, 800, 600, 0xFFFF);
    SetDrawParam(2, 0x1234);
    DrawGreyFramedBox(100, 100, 30, 20);
    const uint32_t grey = GetBackBufferPixel(110, 110);
    EXPECT_EQ(grey, GetBackBufferPixel(129, 119));
    EXPECT_NE(grey, Bgr(255, 255, 255));
    EXPECT_NE(grey, 0u);
    EXPECT_EQ(GetBackBufferPixel(100, 110), 0u);
    EXPECT_EQ(GetBackBufferPixel(130, 100), 0u);
    EXPECT_EQ(GetBackBufferPixel(110, 120), 0u);
    EXPECT_EQ(GetBackBufferPixel(130, 120), Bgr(255, 255, 255));
    EXPECT_EQ(DrawColour, 0);
}

TEST_F(MenuRowsTest, ClubBandRunsFromTheClubsTwoColours) {
    constexpr int16_t kClub = 17;
    const uint32_t first = KitBgr(GetClubColour1(kClub)), second = KitBgr(GetClubColour2(kClub));
    SetDrawParam(8, kClub);
    DrawClubNameBand(300, 100, 200, 20);
    EXPECT_EQ(GetBackBufferPixel(300, 100), first);
    EXPECT_EQ(GetBackBufferPixel(300, 118), second);  // the band is one row shorter
    EXPECT_EQ(GetBackBufferPixel(300, 119), 0u);
    EXPECT_EQ(GetBackBufferPixel(299, 100), 0u);
    EXPECT_EQ(GetBackBufferPixel(400, 100), 0u);
    Clear();
    MenuRowViewMode = 15;
    DrawClubNameBand(300, 100, 200, 20);
    EXPECT_EQ(GetBackBufferPixel(299, 100), first);
    EXPECT_EQ(GetBackBufferPixel(299, 118), second);
    EXPECT_EQ(GetBackBufferPixel(300, 100), 0u);
}

TEST_F(MenuRowsTest, ClubButtonStripsAlternateTheKitColours) {
    constexpr int16_t kClub = 600;
    std::memcpy(ClubNameRecords[kClub].text[0], "Halvorn Rovers", 15);
    const uint32_t first = KitBgr(GetClubColour1(kClub)), second = KitBgr(GetClubColour2(kClub));
    SetDrawParam(8, kClub);
    DrawClubNameButton(100, 100, 200, 30);  // face 22 high: strips of 4 or 5 rows
    const int stripTop[5] = {104, 108, 112, 117, 121};
    for (int s = 0; s < 5; ++s) EXPECT_EQ(GetBackBufferPixel(104, stripTop[s]), s % 2 ? second : first) << s;
    EXPECT_GT(CountPixels(125, 100, 60, 30, Bgr(255, 255, 255)), 10);
    Clear();
    MenuRowViewMode = 7;
    DrawClubNameButton(100, 100, 200, 30);
    for (int s = 0; s < 5; ++s) EXPECT_EQ(GetBackBufferPixel(295, stripTop[s]), s % 2 ? second : first) << s;
    EXPECT_NE(GetBackBufferPixel(156, 104), first);
}

TEST_F(MenuRowsTest, TickerScrollsAndStartsAgainOnceTheTextHasPassed) {
    FillSolidRect(0, 0, 800, 600, 0xFFFF);
    SaveScreenToBuffer();
    std::strcpy(NewsTickerText, "Halvorn win the cup........");
    SetFont(8);
    const int width = GetTextSize(NewsTickerText, nullptr, nullptr);
    ASSERT_GT(width, 20);

    TickerOffset = 0;
    DrawTickerBand();
    EXPECT_EQ(TickerOffset, -2);
    EXPECT_GT(CountPixels(28, 540, 100, 24, 0), 20);  // black letters
    EXPECT_EQ(TextColourNumber, 0);

    TickerOffset = int16_t(-width + 3);
    DrawTickerBand();
    EXPECT_EQ(TickerOffset, -width + 1);
    TickerOffset = int16_t(-width + 2);
    DrawTickerBand();
    EXPECT_EQ(TickerOffset, 0);  // reached minus the width exactly

    // On screen 16 the band moves on in the font the screen's items set.
    MenuOption = kScreenSurname;
    SetFont(0);
    TickerOffset = -10;
    DrawTickerBand();
    EXPECT_EQ(TickerOffset, -12);
    EXPECT_EQ(CurrentFontNumber, 0);

    // An empty ticker stays at 0 and leaves the band as the saved screen.
    MenuOption = kScreenClubMain;
    NewsTickerText[0] = '\0';
    DrawTickerBand();
    EXPECT_EQ(TickerOffset, 0);
    EXPECT_EQ(CountPixels(0, 0, 800, 600, 0), 0);
}

}  // namespace
