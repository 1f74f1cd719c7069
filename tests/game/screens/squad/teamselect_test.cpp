// Team selection on the pitch over one new-game world per test: the grid
// conversions, every pitch action and list handler on the tactic books,
// tactics from damaged saves, a random walk of presses and releases that
// must keep the grid sound, and the screen run by the controller with the
// scripted user (the moved player's marker arrives on his new cell).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/teamroles.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/query/userroles.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/squad/teamselect.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/world_records.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

bool g_teamSelectWorldReady = false;
std::string g_teamSelectWorldError;

void TeamSelectNewWorld() {
    g_teamSelectWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_teamSelectWorldReady = g_teamSelectWorldError.empty();
}

// The centre of a cell on the layout.
int TeamSelectCellX(int column) { return PitchColumnToScreenX(int16_t(column)); }
int TeamSelectCellY(int row) { return PitchRowToScreenY(int16_t(row)); }

class TeamSelectTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        TeamSelectNewWorld();
        if (!g_teamSelectWorldReady) GTEST_FAIL() << g_teamSelectWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SquadListSecond = 0;
        InitCustomTactics();
        std::memset(ClubRoleLists, 0, sizeof ClubRoleLists);
        TeamSelect_Enter();
        TeamSelectMenu();
    }
    void TearDown() override {
        if (g_teamSelectWorldReady) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    // A press and a release of a button (1 left, 2 right) from one cell to
    // another; the mouse handler sees the button change each time.
    static void Gesture(int button, int fromColumn, int fromRow, int toColumn, int toRow) {
        LogicalInfusion(TeamSelectCellX(fromColumn), TeamSelectCellY(fromRow), button);
        LogicalInfusion(TeamSelectCellX(toColumn), TeamSelectCellY(toRow), 0);
    }
    static void Click(int column, int row) { Gesture(1, column, row, column, row); }
    static TacticEntryView EditEntry(int entry) { return ReadTacticEntry(*GetTacticRecordB(21), entry); }
    // The cell of a player on the grid, or {-1, -1}.
    static std::pair<int, int> CellOf(uint16_t player) {
        for (int r = 0; r < kPitchRows; ++r)
            for (int c = 0; c < kPitchColumns; ++c)
                if (PitchGrid[r][c] == player) return {c, r};
        return {-1, -1};
    }
    static std::pair<int, int> FreeCell() {
        for (int r = kPitchRows - 1; r >= 0; --r)
            for (int c = 0; c < kPitchColumns; ++c)
                if (PitchGrid[r][c] == 0) return {c, r};
        return {-1, -1};
    }
    // Every shirt 2-11 on exactly one cell, where his entry of the view's
    // working tactic puts him.
    static ::testing::AssertionResult GridSound() {
        std::set<uint16_t> seen;
        for (int r = 0; r < kPitchRows; ++r) {
            for (int c = 0; c < kPitchColumns; ++c) {
                const uint16_t p = PitchGrid[r][c];
                if (p == 0) continue;
                if (!seen.insert(p).second) return ::testing::AssertionFailure() << "player twice " << p;
                const int shirt = HVW_GetPlayerShirt(p);
                if (shirt < 2 || shirt > 11) return ::testing::AssertionFailure() << "shirt " << shirt;
                const TacticEntryView e = ReadTacticEntry(TeamSelectShownTactic(), shirt - 1);
                if (e.column != c || e.row != r)
                    return ::testing::AssertionFailure() << "shirt " << shirt << " at " << c << "," << r;
            }
        }
        for (int shirt = 2; shirt <= 11; ++shirt) {
            if (!seen.count(HVW_FindSquadPlayerByShirt(int16_t(shirt))))
                return ::testing::AssertionFailure() << "shirt " << shirt << " not on the grid";
        }
        return ::testing::AssertionSuccess();
    }
    int16_t user_ = -1;
};

TEST(TeamSelectGrid, ConversionsGiveCellCentresAndKeepEdgesOnTheGrid) {
    EXPECT_EQ(PitchRowToScreenY(17), 128);
    EXPECT_EQ(PitchColumnToScreenX(0), 515);
    EXPECT_EQ(ScreenYToPitchRow(119), 17);
    EXPECT_EQ(ScreenXToPitchColumn(507), 0);
    // The bottom and right edges of the diagram belong to the last cells.
    EXPECT_EQ(ScreenYToPitchRow(452), 0);
    EXPECT_EQ(ScreenXToPitchColumn(760), 14);
    EXPECT_EQ(ScreenXToPitchColumn(761), 14);
    EXPECT_EQ(ScreenYToPitchRow(100), 17);
    for (int16_t row = 0; row < kPitchRows; ++row) EXPECT_EQ(ScreenYToPitchRow(PitchRowToScreenY(row)), row);
    for (int16_t c = 0; c < kPitchColumns; ++c) EXPECT_EQ(ScreenXToPitchColumn(PitchColumnToScreenX(c)), c);
}

TEST_F(TeamSelectTest, PitchClicksDragsAndTheListEditTheBook) {
    ASSERT_TRUE(GridSound());
    EXPECT_EQ(CurrentTacticB, 0);
    // A click outside the diagram does nothing.
    const auto [c9, r9] = CellOf(HVW_FindSquadPlayerByShirt(9));
    LogicalInfusion(TeamSelectCellX(c9) - 300, TeamSelectCellY(r9), 1);
    LogicalInfusion(TeamSelectCellX(c9) - 300, TeamSelectCellY(r9), 0);
    EXPECT_EQ(TeamSelectPick, 0);

    // Two clicks on shirt 9 exchange him with himself: an edit, the pick
    // ends, he keeps his cell.
    const uint16_t nine = HVW_FindSquadPlayerByShirt(9);
    Click(c9, r9);
    Click(c9, r9);
    EXPECT_EQ(TeamSelectPick, 0);
    EXPECT_EQ(CurrentTacticB, 21);
    EXPECT_EQ(PitchGrid[r9][c9], nine);
    EXPECT_TRUE(GridSound());

    // Click on shirt 9, then on a free cell: he moves there, into slot 11.
    Click(c9, r9);
    EXPECT_EQ(TeamSelectPick, nine);
    const auto [fc, fr] = FreeCell();
    Click(fc, fr);
    EXPECT_EQ(TeamSelectPick, 0);
    EXPECT_EQ(CurrentTacticB, 21);
    EXPECT_EQ(EditEntry(8).column, fc);
    EXPECT_EQ(EditEntry(8).row, fr);
    EXPECT_EQ(PitchGrid[fr][fc], nine);
    EXPECT_EQ(PitchGrid[r9][c9], 0);
    EXPECT_EQ(PitchMarkers[8].targetX, TeamSelectCellX(fc));
    EXPECT_EQ(PitchMarkers[8].targetY, TeamSelectCellY(fr));
    EXPECT_TRUE(GridSound());

    // Click on shirt 9 then on shirt 4: the two change places and entries.
    const uint16_t four = HVW_FindSquadPlayerByShirt(4);
    const auto [c4, r4] = CellOf(four);
    const uint8_t a4 = EditEntry(3).a;
    Click(fc, fr);
    Click(c4, r4);
    EXPECT_EQ(PitchGrid[r4][c4], nine);
    EXPECT_EQ(PitchGrid[fr][fc], four);
    EXPECT_EQ(EditEntry(8).a, a4);
    EXPECT_TRUE(GridSound());

    // A right drag from shirt 9 onto a free cell marks the cell; onto a
    // player marks him.
    const auto [mc, mr] = FreeCell();
    Gesture(2, c4, r4, mc, mr);
    EXPECT_EQ(EditEntry(8).markColumn, mc);
    EXPECT_EQ(EditEntry(8).markRow, mr);
    EXPECT_EQ(EditEntry(8).marking, -1);
    const auto [c7, r7] = CellOf(HVW_FindSquadPlayerByShirt(7));
    Gesture(2, c4, r4, c7, r7);
    EXPECT_EQ(EditEntry(8).marking, 6);
    EXPECT_EQ(EditEntry(8).markColumn, -1);
    // The marking cell clears both.
    EXPECT_EQ(TeamSelect_ClearMarking(8), MENU_REDRAW);
    EXPECT_EQ(EditEntry(8).marking, -1);
    EXPECT_EQ(TeamSelect_ClearMarking(8), MENU_CONTINUE);

    // A left drag up the pitch sets the forward run point, down the pitch
    // the back run point; a click on the empty cell clears it again.
    const auto [c2, r2] = CellOf(HVW_FindSquadPlayerByShirt(2));
    int up = -1, down = -1;
    for (int r = r2 + 1; r < kPitchRows && up < 0; ++r)
        if (PitchGrid[r][c2] == 0) up = r;
    for (int r = r2 - 1; r >= 0 && down < 0; --r)
        if (PitchGrid[r][c2] == 0) down = r;
    ASSERT_GE(up, 0);
    ASSERT_GE(down, 0);
    Gesture(1, c2, r2, c2, up);
    EXPECT_EQ(EditEntry(1).forwardRow, up);
    Gesture(1, c2, r2, c2, down);
    EXPECT_EQ(EditEntry(1).backRow, down);
    Click(c2, up);
    EXPECT_EQ(EditEntry(1).forwardColumn, -1);
    EXPECT_EQ(EditEntry(1).backRow, down);
    // A drag onto another player changes nothing.
    const TacticRecord before = *GetTacticRecordB(21);
    Gesture(1, c2, r2, c7, r7);
    EXPECT_EQ(std::memcmp(before.bytes, GetTacticRecordB(21)->bytes, sizeof before.bytes), 0);
    EXPECT_TRUE(GridSound());

    // Instruction cells cycle.
    const uint8_t a = EditEntry(5).a;
    TeamSelect_CycleA(5);
    EXPECT_EQ(EditEntry(5).a, a >= 4 ? 0 : a + 1);
    for (int i = 0; i < 5; ++i) TeamSelect_CycleA(5);
    EXPECT_EQ(EditEntry(5).a, a >= 4 ? 0 : a + 1);
    GetTacticRecordB(21)->bytes[5 * kTacticEntrySize + 17] = 0;  // C
    GetTacticRecordB(21)->bytes[5 * kTacticEntrySize + 19] = 0;  // B
    const int expected[][2] = {{0, 1}, {0, 2}, {1, 0}, {2, 0}, {0, 0}};
    for (const auto& bc : expected) {
        TeamSelect_CycleCB(5);
        EXPECT_EQ(EditEntry(5).b, bc[0]);
        EXPECT_EQ(EditEntry(5).c, bc[1]);
    }

    // List: two clicks swap the shirts; the grid follows on the next walk.
    const uint16_t eleven = HVW_FindSquadPlayerByShirt(11), sub = HVW_FindSquadPlayerByShirt(14);
    ASSERT_NE(sub, 0);
    const auto cell11 = CellOf(eleven);
    EXPECT_EQ(TeamSelect_ListClick(10, false), MENU_REDRAW);
    EXPECT_EQ(TeamSelectPick, eleven);
    TeamSelect_ListClick(13, false);
    EXPECT_EQ(HVW_GetPlayerShirt(sub), 11);
    EXPECT_EQ(HVW_GetPlayerShirt(eleven), 14);
    TeamSelectMenu();
    EXPECT_EQ(CellOf(sub), cell11);
    EXPECT_EQ(CellOf(eleven).first, -1);
    EXPECT_TRUE(GridSound());
    // A substitute picked in the list takes no part on the pitch.
    TeamSelect_ListClick(13, false);
    Click(FreeCell().first, FreeCell().second);
    EXPECT_EQ(TeamSelectPick, 0);
    EXPECT_TRUE(GridSound());
    // Right button: the profile.
    EXPECT_EQ(TeamSelect_ListClick(0, true), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(ReturnMenuOption, kScreenTeamSelect);

    // Roles: a pick and a role row; then the match's role check passes.
    for (int role = 0; role < 4; ++role) {
        TeamSelect_ListClick(role + 1, false);
        EXPECT_EQ(TeamSelect_RoleClick(role), MENU_REDRAW);
        EXPECT_EQ(TeamSelect_RolePlayer(role), HVW_FindSquadPlayerByShirt(int16_t(role + 2)));
    }
    EXPECT_EQ(ClubRoleLists[kRoleCaptain][0], HVW_FindSquadPlayerByShirt(2));
    EXPECT_EQ(ClubRoleLists[kRoleCornerTaker][0], HVW_FindSquadPlayerByShirt(3));
    EXPECT_EQ(ClubRoleLists[kRolePenaltyTaker][0], HVW_FindSquadPlayerByShirt(4));
    EXPECT_EQ(ClubRoleLists[kRoleFreeKickTaker][0], HVW_FindSquadPlayerByShirt(5));
    EXPECT_EQ(TeamSelect_RoleClick(0), MENU_CONTINUE);  // nothing picked
    EXPECT_EQ(HVW_CheckClubRoleChoices(user_), -1);
}

TEST_F(TeamSelectTest, FormationsCustomSlotsCopyingAndDamagedTactics) {
    // Ten presets and no custom slot in use: one new entry offered.
    EXPECT_EQ(TeamSelect_FormationEntries(), 10);
    EXPECT_EQ(TeamSelect_CustomEntries(), 1);
    TeamSelect_ChooseFormation(3);
    TeamSelectMenu();
    EXPECT_EQ(CurrentTacticB, 3);
    TacticRecord preset{};
    GetComputerTactics(&preset, 3);
    EXPECT_EQ(std::memcmp(preset.bytes, TeamSelectShownTactic().bytes, sizeof preset.bytes), 0);
    EXPECT_TRUE(std::none_of(std::begin(PitchMarkers) + 1, std::end(PitchMarkers),
                             [](const PitchMarker& m) { return m.currentX == -1; }));

    // Saving into slot 0 names index 10 and adds a formation entry.
    TeamSelect_SaveCustom(0);
    TeamSelectMenu();
    EXPECT_EQ(CurrentTacticB, 10);
    EXPECT_EQ(TeamSelect_CustomSlotsUsed(), 1);
    EXPECT_EQ(TeamSelect_FormationEntries(), 11);
    EXPECT_EQ(TeamSelect_CustomEntries(), 2);
    // Eleven slots in use: no new entry.
    for (int k = 1; k < 11; ++k) TeamSelect_SaveCustom(k);
    TeamSelectMenu();
    EXPECT_EQ(TeamSelect_CustomSlotsUsed(), 11);
    EXPECT_EQ(TeamSelect_CustomEntries(), 11);
    EXPECT_EQ(TeamSelect_SaveCustom(11), MENU_CONTINUE);
    TeamSelect_ChooseFormation(12);
    TeamSelectMenu();
    EXPECT_EQ(CurrentTacticB, 12);

    // Copy: the second list's preset becomes the team's; a custom one
    // lands in the team's edit slot.
    CurrentTacticA = 7;
    TeamSelect_CopyTactic(nullptr);
    EXPECT_EQ(CurrentTacticB, 7);
    TacticRecord* slotA = GetTacticRecordA(10);
    GetComputerTactics(slotA, 5);
    CurrentTacticA = 10;
    TeamSelect_CopyTactic(nullptr);
    EXPECT_EQ(CurrentTacticB, 21);
    EXPECT_EQ(std::memcmp(GetTacticRecordB(21)->bytes, slotA->bytes, sizeof slotA->bytes), 0);

    // A damaged custom tactic: positions off the grid, a point half set,
    // a marking of entry 13; it loads onto the grid with nothing marked.
    TacticRecord* damaged = GetTacticRecordB(10);
    GetComputerTactics(damaged, 0);
    uint8_t* e5 = damaged->bytes + 5 * kTacticEntrySize;
    recbits::StoreI16(e5 + 5, 40);
    recbits::StoreI16(e5 + 7, -3);
    recbits::StoreI16(e5 + 24, 4);
    recbits::StoreI16(e5 + 26, 30);
    e5[13] = uint8_t((e5[13] & 0xE0) | 13);
    uint8_t* e6 = damaged->bytes + 6 * kTacticEntrySize;
    recbits::StoreI16(e6 + 5, 14);
    recbits::StoreI16(e6 + 7, 0);  // the cell entry 5 is clamped onto
    CurrentTacticB = 10;
    TeamSelect_Enter();
    TeamSelectMenu();
    const TacticEntryView v = ReadTacticEntry(TeamSelectShownTactic(), 5);
    EXPECT_EQ(v.column, 14);
    EXPECT_EQ(v.row, 0);
    EXPECT_EQ(v.markColumn, -1);
    EXPECT_EQ(v.marking, -1);
    // The marking byte's other bits are kept.
    EXPECT_EQ(TeamSelectShownTactic().bytes[5 * kTacticEntrySize + 13] & 0xE0, e5[13] & 0xE0);
    EXPECT_TRUE(GridSound());
    // An index outside the book falls back to the first preset.
    CurrentTacticB = 40;
    TeamSelect_Enter();
    TeamSelectMenu();
    EXPECT_EQ(CurrentTacticB, 0);
}

// The shirt is checked before anything else is read, so the game data's
// records are enough: no new game to make in the dying child.  A player
// positioned with a substitute's shirt, and a drag whose player has lost his
// pitch shirt between the press and the release (naming the button's case).
TEST(TeamSelectDeathTest, PitchActionsOnAPlayerWithoutAPitchShirtEndTheProgram) {
    ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
    constexpr uint16_t kSub = 5;
    const int16_t shirt = HVW_GetPlayerShirt(kSub);
    const int16_t second = SquadListSecond;
    SquadListSecond = 0;
    HVW_SetPlayerShirt(kSub, 14);
    EXPECT_DEATH(PositionPlayer(kSub, 3, 3), "Dodgy shirt no 14 in a_mn5:PositionPlayer");
    const auto dragThenLoseShirt = [](int button) {
        LogicalInfusion(0, 0, 0);  // no button held, beside the diagram
        std::memset(PitchGrid, 0, sizeof PitchGrid);
        TeamSelectPick = 0;
        HVW_SetPlayerShirt(kSub, 6);
        PitchGrid[4][4] = kSub;
        LogicalInfusion(TeamSelectCellX(4), TeamSelectCellY(4), button);
        HVW_SetPlayerShirt(kSub, 12);
        LogicalInfusion(TeamSelectCellX(9), TeamSelectCellY(12), 0);
    };
    EXPECT_DEATH(dragThenLoseShirt(1), "Dodgy shirt no 12 in j_mn2:LogicalInfusion\\(\\):Case 1");
    EXPECT_DEATH(dragThenLoseShirt(2),
                 "Dodgy shirt no 12 in j_mn2:LogicalInfusion\\(\\):Case 2\nSelectedPlayerX = 4");
    HVW_SetPlayerShirt(kSub, shirt);
    SquadListSecond = second;
}

TEST_F(TeamSelectTest, RandomPressesDragsAndReleasesKeepTheGridSound) {
    GameSeedRandom(2024);
    const int events = ShortTestRun() ? 1500 : 6000;
    int buttons = 0;
    for (int i = 0; i < events; ++i) {
        // Mostly on the diagram, sometimes beside it.
        const int x = 480 + int(GameRandom() % 310);
        const int y = 100 + int(GameRandom() % 380);
        const int roll = int(GameRandom() % 10);
        if (roll < 4) {
            buttons ^= 1 << (GameRandom() % 2);
        } else if (roll == 4) {
            TeamSelect_ListClick(int(GameRandom() % 16), false);
        } else if (roll == 5) {
            TeamSelect_ChooseFormation(int(GameRandom() % 11));
        } else if (roll == 6) {
            TeamSelectMenu();
        }
        LogicalInfusion(x, y, buttons);
        for (int r = 0; r < kPitchRows; ++r) {
            for (int c = 0; c < kPitchColumns; ++c) {
                const uint16_t p = PitchGrid[r][c];
                ASSERT_TRUE(p == 0 || IsValidPlayer(p)) << "event " << i;
            }
        }
        if (i % 50 == 0) {
            TeamSelectMenu();
            ASSERT_TRUE(GridSound()) << "event " << i;
            for (int e = 0; e < kTacticEntries; ++e) {
                const TacticEntryView v = ReadTacticEntry(TeamSelectShownTactic(), e);
                ASSERT_TRUE(v.marking >= -1 && v.marking <= 10) << "event " << i;
                ASSERT_TRUE(v.forwardColumn >= -1 && v.forwardColumn < kPitchColumns);
                ASSERT_TRUE(v.backRow >= -1 && v.backRow < kPitchRows);
            }
        }
    }
    TeamSelectMenu();
    EXPECT_TRUE(GridSound());
    if (CurrentTacticB == 21) {
        EXPECT_EQ(std::memcmp(GetTacticRecordB(21)->bytes, TeamSelectShownTactic().bytes, kTacticRecordSize),
                  0);
    }
}

TEST_F(TeamSelectTest, TheControllerRunsTheScreenAndTheMovedPlayerArrivesOnHisCell) {
    MenuOption = kScreenTeamSelect;
    static uint16_t moved;
    static int toColumn, toRow;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == TeamSelectTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    testenv::MenuUserWait(30);
    testenv::MenuUserDo([] {
        moved = HVW_FindSquadPlayerByShirt(8);
        const auto [c, r] = CellOf(moved);
        testenv::MenuUserClickAt(TeamSelectCellX(c), TeamSelectCellY(r));
        const auto [fc, fr] = FreeCell();
        toColumn = fc;
        toRow = fr;
        testenv::MenuUserWait(3);
        testenv::MenuUserClickAt(TeamSelectCellX(fc), TeamSelectCellY(fr));
        testenv::MenuUserWait(kMarkerFrames + 10);
        testenv::MenuUserDo([] {
            EXPECT_EQ(CurrentTacticB, 21);
            EXPECT_EQ(ReadTacticEntry(*GetTacticRecordB(21), 7).column, toColumn);
            EXPECT_EQ(ReadTacticEntry(*GetTacticRecordB(21), 7).row, toRow);
            EXPECT_EQ(PitchMarkers[7].currentX, -1);
        });
        testenv::MenuUserMoveTo(400, 300);  // the pointer away from the diagram
        testenv::MenuUserWait(3);
        testenv::MenuUserKey(0x46);  // a grab
        testenv::MenuUserWait(3);
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    });
    int rounds = 0;
    while (MenuOption == kScreenTeamSelect && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);

    // The grab shows his figure at the centre of the new cell: the icon
    // painted on a blank, its number left out, matches pixel for pixel.
    const std::vector<uint32_t> grab = testenv::NewestGrabPixels();
    ASSERT_FALSE(grab.empty()) << "no grab that reads";
    const auto grabPixel = [&](int x, int y) { return grab[size_t(y) * 800 + size_t(x)]; };
    const auto figureAt = [&](int16_t icon, int x, int y) {
        constexpr int kReach = 16;
        FillSolidRect(x - kReach, y - kReach, 2 * kReach, 2 * kReach, 0xF81F);
        DrawIcon(x, y, icon, JUSTIFY_CENTRE_MIDDLE);
        const std::vector<uint8_t> cell = BackRect(x - kReach, y - kReach, 2 * kReach, 2 * kReach);
        int compared = 0, matching = 0;
        for (int dy = -kReach; dy < kReach; ++dy) {
            for (int dx = -kReach; dx < kReach; ++dx) {
                const size_t i = size_t((dy + kReach) * 2 * kReach + dx + kReach) * 3;
                const uint32_t p = uint32_t(cell[i + 2]) << 16 | uint32_t(cell[i + 1]) << 8 | cell[i];
                if (p == 0xFF00FFu || (std::abs(dx) <= 5 && std::abs(dy) <= 5)) continue;
                ++compared;
                matching += grabPixel(x + dx, y + dy) == p ? 1 : 0;
            }
        }
        if (matching != compared) std::printf("figure %d: %d of %d pixels\n", icon, matching, compared);
        return compared > 20 && matching == compared;
    };
    const auto icon = int16_t(3 + std::clamp<int>(HVW_GetPositionType(moved), 0, 3));
    EXPECT_TRUE(figureAt(icon, TeamSelectCellX(toColumn), TeamSelectCellY(toRow)));
    // Another position's figure is not what the cell shows.
    EXPECT_FALSE(figureAt(int16_t(icon == 3 ? 4 : 3), TeamSelectCellX(toColumn), TeamSelectCellY(toRow)));
}

}  // namespace
