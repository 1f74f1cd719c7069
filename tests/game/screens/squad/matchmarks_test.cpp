// The squad's match-marks grid on a small constructed club: the mark
// bands, the empty icon for a match not played, the picked match's panel,
// paging a squad of more than 17 and none for fewer, and a grab of the
// cells.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/query/fixturelookups.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "game/screens/club/incomeforecast.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/matchmarks.h"
#include "game/system/picture.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

constexpr int16_t kMarksClub = 10;
constexpr int16_t kMarksOpponent = 11;
constexpr uint16_t kMarksFirstPlayer = 3;

TEST(MatchMarkIconTest, BandsOfTenFromFortyAndTheEmptyIcon) {
    EXPECT_EQ(MatchMarkIcon(1), 4);
    EXPECT_EQ(MatchMarkIcon(39), 4);
    EXPECT_EQ(MatchMarkIcon(40), 18);
    EXPECT_EQ(MatchMarkIcon(49), 18);
    EXPECT_EQ(MatchMarkIcon(50), 19);
    EXPECT_EQ(MatchMarkIcon(60), 20);
    EXPECT_EQ(MatchMarkIcon(70), 21);
    EXPECT_EQ(MatchMarkIcon(89), 22);
    EXPECT_EQ(MatchMarkIcon(90), 8);
    EXPECT_EQ(MatchMarkIcon(255), 8);
    EXPECT_EQ(MatchMarkIcon(0), kMarksEmptyIcon);
    EXPECT_EQ(MatchMarkIcon(0xFFFF), kMarksEmptyIcon);
}

class MatchMarksTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        std::memset(ClubRecords, 0, sizeof ClubRecords);
        ClearFixtureTable();
        SeasonCalendar.currentDay = 100;
        SeasonCalendar.season = 0;
        MatchMarks = MatchMarksState{0, 0, 0, kMarksNoColumn, {}, 0};
        ScreenPresented = 0;
        MenuOption = kScreenMatchMarks;
    }
    void TearDown() override {
        if (started_) {
            SetPlayerClub(1, int16_t(kNoClub));
            ClearFixtureTable();
        }
        MenuEngineTest::TearDown();
    }

    // A club of n players (3, 4, ...) managed by the user, with the matches
    // below stored as played league fixtures before today.
    static void MakeSquad(int players) {
        PlayerCount = uint16_t(kMarksFirstPlayer + players);
        std::memset(PlayerRecords, 0, sizeof(PlayerRecord) * PlayerCount);
        SetPlayerClub(1, kMarksClub);
        SetPlayerLoanClub(1, kMarksClub);
        SetPlayerPosition(1, 13);
        SetClubControl(kMarksClub, 1);
        for (uint16_t p = kMarksFirstPlayer; p < PlayerCount; ++p) {
            SetPlayerClub(p, kMarksClub);
            SetPlayerLoanClub(p, kMarksClub);
            SetPlayerPosition(p, int16_t(1 + p % 12));
            SetPlayerAge(p, 8);
            char name[16];
            std::snprintf(name, sizeof name, "Player%u", unsigned(p));
            SetPlayerSurname(p, name);
        }
        RebuildClubRoster(kMarksClub);
    }
    // A played league match on the day with the given players' marks (goals
    // in bits 8-12 of the line-up word).
    static int16_t AddMatch(int16_t day, bool home, uint32_t homeGoals, uint32_t awayGoals,
                            std::vector<std::pair<uint16_t, uint32_t>> marks) {
        const int16_t slot = home ? AddFixture(day, kCompLeague, kMarksClub, kMarksOpponent, 0)
                                  : AddFixture(day, kCompLeague, kMarksOpponent, kMarksClub, 0);
        uint8_t* bytes = FixtureTable[slot].bytes;
        const uint32_t score = recbits::LoadU32(bytes + kFixtureScoreWord) & ~0x3FFu;
        recbits::StoreU32(bytes + kFixtureScoreWord, score | homeGoals | awayGoals << 5);
        uint8_t* side = bytes + kFixtureLineUps + (home ? 0 : kFixtureLineUpSize);
        for (int k = 0; k < kFixtureLineUpEntries; ++k)
            recbits::StoreU16(side + k * kFixtureLineUpEntrySize, 0xFFFF);
        int k = 0;
        for (const auto& [player, word] : marks) {
            recbits::StoreU16(side + k * kFixtureLineUpEntrySize, player);
            recbits::StoreU32(side + k * kFixtureLineUpEntrySize + 2, word);
            ++k;
        }
        return slot;
    }
    static void WaitForGrid() {
        testenv::MenuUserWaitFor(
            [] {
                return MenuViewTopTable() == MatchMarksTable && !MenuViewHotItems().empty() &&
                       ScreenPresented == 1;
            },
            3000);
        MenuUserWait(5);
    }
    static void RunGrid() {
        int rounds = 0;
        while (MenuOption == kScreenMatchMarks && !WinCloseRequested() && ++rounds < 5) DoMainMenuOption();
    }
    // The centre of the cell of a grid row and match column.
    static int CellX(int column) { return 160 + column * 47 + 23; }
    static int CellY(int row) { return 128 + row * 20 + 10; }
};

TEST_F(MatchMarksTest, CellsByBandTheEmptyIconThePickedMatchAndAGrab) {
    MakeSquad(12);
    const uint16_t a = kMarksFirstPlayer, b = kMarksFirstPlayer + 1, c = kMarksFirstPlayer + 2;
    AddMatch(40, true, 2, 1, {{a, 40}, {b, 39 | 1u << 8}});
    AddMatch(47, false, 0, 3, {{a, 72 | 2u << 8}, {c, 90}});
    static std::vector<uint32_t> grab;
    WaitForGrid();
    MenuUserDo([=] {
        ASSERT_EQ(MatchMarks.count, 12);
        ASSERT_EQ(MatchMarks.matches, 2);
        EXPECT_FALSE(MatchMarksScrollShown());
        EXPECT_STREQ(MatchMarksCaption(0), "22/8/02");
        EXPECT_STREQ(MatchMarksCaption(2), "");
        // Rows follow the squad list; find each player's row.
        int rowOf[3] = {-1, -1, -1};
        for (int row = 0; row < 12; ++row) {
            for (int i = 0; i < 3; ++i)
                if (MatchMarks.players[row] == kMarksFirstPlayer + i) rowOf[i] = row;
        }
        ASSERT_GE(rowOf[0], 0);
        EXPECT_EQ(MatchMarksCellMark(rowOf[0], 0), 40);
        EXPECT_EQ(MatchMarksCellIcon(rowOf[0], 0), 18);
        EXPECT_EQ(MatchMarksCellIcon(rowOf[1], 0), 4);
        EXPECT_EQ(MatchMarksCellMark(rowOf[1], 0), 39);
        // Not in the second match: the empty icon and no mark.
        EXPECT_EQ(MatchMarksCellIcon(rowOf[1], 1), kMarksEmptyIcon);
        EXPECT_EQ(MatchMarksCellMark(rowOf[1], 1), kMarksNone);
        EXPECT_EQ(MatchMarksCellIcon(rowOf[2], 1), 8);
        // No third match: nothing at all.
        EXPECT_EQ(MatchMarksCellIcon(rowOf[0], 2), -1);
        // Nothing picked yet: no panel.
        EXPECT_STREQ(MatchMarksPanelLine(0), "");
    });
    testenv::MenuUserKey(0x46);
    MenuUserWait(3);
    MenuUserDo([] { grab = testenv::NewestGrabPixels(); });
    // A cell without a mark cannot be picked; one with a mark can.
    static int rowB;
    MenuUserDo([] {
        for (int row = 0; row < 12; ++row)
            if (MatchMarks.players[row] == kMarksFirstPlayer + 1) rowB = row;
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) {
        return item.x == 160 + 47 && item.y == 128 + rowB * 20 && item.w == 47;
    });
    MenuUserWait(10);
    MenuUserDo([] { EXPECT_EQ(MatchMarks.selectedColumn, kMarksNoColumn); });
    // With fewer than ten matches listed not even a marked cell is picked.
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.x == 160 && item.y == 128 + rowB * 20 && item.w == 47; });
    MenuUserWait(10);
    // The panel of a picked match: the match set by hand, the player by a
    // click on his row.
    MenuUserDo([] {
        EXPECT_EQ(MatchMarks.selectedColumn, kMarksNoColumn);
        MatchMarks.selectedColumn = 0;
    });
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.x == 32 && item.y == 128 + rowB * 20; });
    MenuUserWait(10);
    MenuUserDo([b] {
        EXPECT_EQ(MatchMarks.selectedColumn, 0);
        EXPECT_EQ(MatchMarks.selectedPlayer, b);
        EXPECT_STREQ(MatchMarksPanelLine(0), "22/8/02");
        EXPECT_EQ(std::string(MatchMarksPanelLine(2)), std::string("(") + GetText(102) + ")");
        EXPECT_STREQ(MatchMarksPanelLine(3), "2 - 1");
        EXPECT_STREQ(MatchMarksPanelLine(4), "1");
        EXPECT_STREQ(MatchMarksPanelLine(6), "39");
        EXPECT_EQ(MatchMarksPanelIcon(), 4);
    });
    testenv::MenuUserClose();
    RunGrid();

    // The grab against the expected cells: every pixel that the expected
    // icon paints over a blank (the mark's figures left out) is the grab's.
    ASSERT_FALSE(grab.empty()) << "no grab that reads";
    const auto grabPixel = [&](int x, int y) { return grab[size_t(y) * 800 + size_t(x)]; };
    const auto cellShows = [&](int16_t icon, int16_t mark, int x, int y) {
        constexpr int kReach = 40;
        DrawGradientRect(x - kReach, y - kReach, 2 * kReach, 2 * kReach, 255, 0, 255, 255, 0, 255, 255, 0,
                         255, 255, 0, 255);
        DrawIcon(x, y, icon, JUSTIFY_CENTRE_MIDDLE);
        int16_t tw = 0, th = 0;
        SetFont(6);
        char figures[8] = "";
        if (mark > 0) std::snprintf(figures, sizeof figures, "%d", mark);
        GetTextSize(figures, &tw, &th);
        const std::vector<uint8_t> cell = BackRect(x - kReach, y - kReach, 2 * kReach, 2 * kReach);
        int compared = 0, matching = 0;
        for (int dy = -kReach; dy < kReach; ++dy) {
            for (int dx = -kReach; dx < kReach; ++dx) {
                const size_t i = size_t((dy + kReach) * 2 * kReach + dx + kReach) * 3;
                const uint32_t p = uint32_t(cell[i + 2]) << 16 | uint32_t(cell[i + 1]) << 8 | cell[i];
                if (p == 0xFF00FFu) continue;
                if (mark > 0 && std::abs(dx) <= tw / 2 + 1 && std::abs(dy) <= th / 2 + 1) continue;
                ++compared;
                matching += grabPixel(x + dx, y + dy) == p ? 1 : 0;
            }
        }
        return compared > 10 && matching == compared;
    };
    int rowA = 0, rowC = 0;
    for (int row = 0; row < 12; ++row) {
        rowA = MatchMarks.players[row] == a ? row : rowA;
        rowC = MatchMarks.players[row] == c ? row : rowC;
    }
    EXPECT_TRUE(cellShows(18, 40, CellX(0), CellY(rowA)));
    EXPECT_TRUE(cellShows(4, 39, CellX(0), CellY(rowB)));
    EXPECT_TRUE(cellShows(kMarksEmptyIcon, 0, CellX(1), CellY(rowB)));
    EXPECT_TRUE(cellShows(8, 90, CellX(1), CellY(rowC)));
    // Another band's icon is not what the cells show.
    EXPECT_FALSE(cellShows(19, 40, CellX(0), CellY(rowA)));
    EXPECT_FALSE(cellShows(4, 90, CellX(1), CellY(rowC)));
}

TEST_F(MatchMarksTest, PagesStayWithinTheSquad) {
    MakeSquad(25);
    AddMatch(40, true, 1, 0, {{kMarksFirstPlayer, 60}});
    // Left far down on an earlier visit: brought back within the squad.
    MatchMarks.selectedPlayer = 9;
    MatchMarks.top = 30;
    WaitForGrid();
    MenuUserDo([] {
        EXPECT_EQ(MatchMarks.count, 25);
        EXPECT_EQ(MatchMarks.top, 8);
        EXPECT_TRUE(MatchMarksScrollShown());
        EXPECT_EQ(MatchMarks_PageDown(nullptr), MENU_CONTINUE);
        EXPECT_EQ(MatchMarks_PageUp(nullptr), MENU_REDRAW);
        EXPECT_EQ(MatchMarks.top, 0);
        EXPECT_EQ(MatchMarks_PageUp(nullptr), MENU_CONTINUE);
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 20 && item.y == 573; });
    MenuUserWait(10);
    MenuUserDo([] {
        EXPECT_EQ(MatchMarks.top, 8);
        EXPECT_EQ(MatchMarks.players[24], kMarksFirstPlayer + 24);
        EXPECT_EQ(MatchMarks.players[25], 0);
    });
    testenv::MenuUserClose();
    RunGrid();
}

TEST_F(MatchMarksTest, TenListedMatchesLetAMarkedCellBePicked) {
    MakeSquad(12);
    const uint16_t a = kMarksFirstPlayer, b = kMarksFirstPlayer + 1;
    for (int m = 0; m < 10; ++m)
        AddMatch(int16_t(10 + 5 * m), true, 1, 0,
                 m == 9 ? std::vector<std::pair<uint16_t, uint32_t>>{{a, 55}}
                        : std::vector<std::pair<uint16_t, uint32_t>>{});
    WaitForGrid();
    MenuUserDo([=] {
        ASSERT_EQ(MatchMarks.matches, 10);
        int rowA = -1;
        for (int row = 0; row < 12; ++row)
            if (MatchMarks.players[row] == a) rowA = row;
        ASSERT_GE(rowA, 0);
        MenuHotItem item{};
        item.row = uint8_t(rowA);
        MatchMarks.selectedPlayer = b;
        EXPECT_EQ(MatchMarks_PickCell(8, &item), MENU_CONTINUE);  // no mark there
        EXPECT_EQ(MatchMarks.selectedPlayer, b);
        EXPECT_EQ(MatchMarks_PickCell(9, &item), MENU_REDRAW);
        EXPECT_EQ(MatchMarks.selectedColumn, 9);
        EXPECT_EQ(MatchMarks.selectedPlayer, a);
        EXPECT_EQ(MatchMarks_PickCell(9, &item), MENU_CONTINUE);  // already the selection
    });
    testenv::MenuUserClose();
    RunGrid();
}

TEST_F(MatchMarksTest, ASquadOfSeventeenHasNoPaging) {
    MakeSquad(17);
    WaitForGrid();
    MenuUserDo([] {
        EXPECT_EQ(MatchMarks.count, 17);
        EXPECT_EQ(MatchMarks.matches, 0);
        EXPECT_FALSE(MatchMarksScrollShown());
        for (const MenuHotItem& item : MenuViewHotItems()) EXPECT_FALSE(item.x == 20 && item.y == 573);
    });
    testenv::MenuUserClose();
    RunGrid();
}

}  // namespace
