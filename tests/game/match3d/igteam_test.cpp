// The in-match menus over a match of two generated sides: the requests and
// the loop (side texts, dispatch, both tactic records applied after the
// team screen, a bad id fatal), and the team screen's handlers, pitch
// diagram, substitutions and leave check, driven directly and through the
// menu engine with the scripted user; a random walk of clicks and drags
// must keep the diagram sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/phases.h"
#include "core/records/clubrecords.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/playerstatsmenu.h"
#include "game/match3d/teammenu.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/squad/playerprofile.h"
#include "game/system/pixelformats.h"
#include "tests/core/match/scenario.h"
#include "tests/game/match3d/ingame_fixture.h"
#include "tests/game/screens/engine_fixture.h"

using namespace gameinfo;

namespace {

constexpr int kIgTeamAAt = 18, kIgTeamBAt = 19, kIgTeamCAt = 17, kIgTeamForwardAt = 9, kIgTeamBackAt = 20,
              kIgTeamMarkPointAt = 24, kIgTeamMarkingAt = 13, kIgTeamPositionAt = 5;

uint8_t* IgTeamEntry(int side, int e) { return MatchTacticRecord[side].bytes + e * kTacticEntrySize; }
int16_t IgTeamPoint(int side, int e, int at, int part) {
    return recbits::LoadI16(IgTeamEntry(side, e) + at + 2 * part);
}
int IgTeamMarking(int side, int e) {
    int v = IgTeamEntry(side, e)[kIgTeamMarkingAt] & 0x1F;
    return (v & 0x10) ? v - 32 : v;
}
int IgTeamCellX(int column) { return PitchColumnToScreenX(int16_t(column)); }
int IgTeamCellY(int row) { return PitchRowToScreenY(int16_t(row)); }

class InGameMenuTest : public InGameScreenTest {
  protected:
    // The team screen of a side, entered as the loop enters it.
    static void EnterTeamScreen(uint16_t side, bool human, bool byEngine) {
        GameInfo.SetTeamU8(side, kHumanManaged, human ? 1 : 0);
        IgViewSide = side;
        InGameMenuArgGiven = byEngine ? 1 : 0;
        InGameMenuId = kIgTeamMenu;
        IgTeam_Enter();
        IgTeam_Build();
    }
    static int16_t Slot(int side, int entry) { return GetMatchSideSlot(int16_t(side), int16_t(entry)); }
    // A press and a release of a button (1 left, 2 right) from one cell to
    // another.
    static void Gesture(int button, int fromColumn, int fromRow, int toColumn, int toRow) {
        IgTeam_LogicalInfusion(IgTeamCellX(fromColumn), IgTeamCellY(fromRow), button);
        IgTeam_LogicalInfusion(IgTeamCellX(toColumn), IgTeamCellY(toRow), 0);
    }
    static std::pair<int, int> CellOfEntry(int e) {
        for (int r = 0; r < kPitchRows; ++r)
            for (int c = 0; c < kPitchColumns; ++c)
                if (IgPitchGrid[r][c] == e) return {c, r};
        return {-1, -1};
    }
    static std::pair<int, int> FreeCell(int fromRow = kPitchRows - 1) {
        for (int r = fromRow; r >= 0; --r)
            for (int c = 0; c < kPitchColumns; ++c)
                if (IgPitchGrid[r][c] == kIgNone) return {c, r};
        return {-1, -1};
    }
    // Entries 1..10 each on one cell, where their records put them, none
    // marking itself, every point on the grid or unset.
    static ::testing::AssertionResult DiagramSound(int side) {
        std::set<uint16_t> seen;
        for (int r = 0; r < kPitchRows; ++r) {
            for (int c = 0; c < kPitchColumns; ++c) {
                const uint16_t e = IgPitchGrid[r][c];
                if (e == kIgNone) continue;
                if (e < 1 || e > 10) return ::testing::AssertionFailure() << "cell holds " << e;
                if (!seen.insert(e).second) return ::testing::AssertionFailure() << "entry twice " << e;
                if (IgTeamPoint(side, e, kIgTeamPositionAt, 0) != c ||
                    IgTeamPoint(side, e, kIgTeamPositionAt, 1) != r)
                    return ::testing::AssertionFailure() << "entry " << e << " not where its record says";
            }
        }
        if (seen.size() != 10) return ::testing::AssertionFailure() << seen.size() << " entries on the grid";
        for (int e = 0; e < kTacticEntries; ++e) {
            if (IgTeamMarking(side, e) == e)
                return ::testing::AssertionFailure() << "entry " << e << " marks itself";
            for (int at : {kIgTeamForwardAt, kIgTeamBackAt, kIgTeamMarkPointAt}) {
                const int c = IgTeamPoint(side, e, at, 0), r = IgTeamPoint(side, e, at, 1);
                if (c == -1 && r == -1) continue;
                if (c < 0 || c >= kPitchColumns || r < 0 || r >= kPitchRows)
                    return ::testing::AssertionFailure() << "entry " << e << " point off the grid";
            }
        }
        return ::testing::AssertionSuccess();
    }
};

// ---- Requests and the loop ------------------------------------------------------------------------

TEST_F(InGameMenuTest, RequestsOpenTheirMenusAndTheLoopAppliesBothTacticsAfterTheTeamScreen) {
    if (!started_) return;
    // Esc: the team statistics of the human second side, then of the first.
    struct Seen {
        const MenuItem* table = nullptr;
        int16_t arg = -1, argGiven = -1, active = 0;
        int16_t sideTexts[2] = {0, 0};
        int16_t clubs[2] = {0, 0};
        std::string barNames[2];
    };
    static Seen seen;
    const auto visit = [](void (*request)()) {
        seen = Seen{};
        WaitForScreen(nullptr);
        testenv::MenuUserDo([] {
            seen.table = MenuViewTopTable();
            seen.arg = InGameMenuArg;
            seen.argGiven = InGameMenuArgGiven;
            seen.active = InGameMenuActive;
            std::copy(IgSideMenuText, IgSideMenuText + 2, seen.sideTexts);
            std::copy(IgSideClub, IgSideClub + 2, seen.clubs);
            for (int side = 0; side < 2; ++side)
                seen.barNames[side] = *static_cast<const char* const*>(IgButtonBarTable[4 * side].data);
        });
        ClickHandler(IgButtonBar_Back);
        RunVisit(request);
    };
    GameInfo.SetTeamU8(0, kHumanManaged, 0);
    GameInfo.SetTeamU8(1, kHumanManaged, 1);
    const ClubNameRecord savedNames[2] = {ClubNameRecords[100], ClubNameRecords[101]};
    std::snprintf(ClubNameRecords[100].text[0], kClubNameLength, "Hobmouth");
    std::snprintf(ClubNameRecords[101].text[0], kClubNameLength, "Fenndale");
    visit(IGMenu_Request6Auto);
    ClubNameRecords[100] = savedNames[0];
    ClubNameRecords[101] = savedNames[1];
    EXPECT_EQ(seen.table, IgTeamStatsTable);
    EXPECT_EQ(seen.arg, 1);
    EXPECT_EQ(seen.argGiven, 0);
    EXPECT_EQ(seen.active, 1);
    EXPECT_EQ(seen.sideTexts[0], 261);
    EXPECT_EQ(seen.sideTexts[1], 1557);
    EXPECT_EQ(seen.clubs[0], 100);
    EXPECT_EQ(seen.clubs[1], 101);
    // The side buttons name the clubs, not the match record's team names.
    EXPECT_EQ(seen.barNames[0], "Hobmouth");
    EXPECT_EQ(seen.barNames[1], "Fenndale");
    EXPECT_EQ(InGameMenuActive, 0);
    EXPECT_EQ(InGameMenuId, kIgLeaveMenus);
    GameInfo.SetTeamU8(0, kHumanManaged, 1);
    GameInfo.SetTeamU8(1, kHumanManaged, 0);
    visit(IGMenu_Request6Auto);
    EXPECT_EQ(seen.arg, 0);
    EXPECT_EQ(seen.sideTexts[0], 1557);
    // The engine's own request at a stoppage carries the team.
    visit([] { IGMenu_Request6(1); });
    EXPECT_EQ(seen.arg, 1);
    EXPECT_EQ(seen.argGiven, 1);

    // Menu 1 on the computer side, nothing changed but two instruction
    // bytes set behind the screen's back: both reach the players.
    IgViewSide = 1;
    IgTeamEntry(0, 3)[kIgTeamAAt] = 3;
    IgTeamEntry(1, 3)[kIgTeamAAt] = 4;
    MatchFigures[MatchLineUp[0][3]].tacticBytes[2] = 0;
    MatchFigures[MatchLineUp[1][3]].tacticBytes[2] = 0;
    visit(IGMenu_Request1);
    EXPECT_EQ(seen.table, IgTeamTable);
    EXPECT_EQ(MatchFigures[MatchLineUp[0][3]].tacticBytes[2], 3);
    EXPECT_EQ(MatchFigures[MatchLineUp[1][3]].tacticBytes[2], 4);
    EXPECT_EQ(IgViewSide, 1) << "the viewed side survives the return";

    // The bar: the right button's first entry opens the second side's team
    // screen, whose back icon returns to the match.
    IgViewSide = 0;
    seen = Seen{};
    WaitForScreen(IgTeamStatsTable);
    testenv::MenuUserDo([] { seen.table = MenuViewTopTable(); });
    // The bar's left button: its pop-up.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x < 100 && item.y >= 550; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);
    WaitForScreen(IgPlayerStatsTable);
    ClickHandler(IgButtonBar_Back);
    RunVisit(IGMenu_Request6Auto);
    EXPECT_EQ(seen.table, IgTeamStatsTable);
    EXPECT_EQ(IgViewSide, 0);
    EXPECT_EQ(InGameMenuId, kIgLeaveMenus);
    EXPECT_EQ(testenv::MenuUserPending(), 0);
}

// The in-match screens open a player's profile with their own menu to go
// back to; the front end's profile, opened after the match by a screen
// that does not name a return (an offer or talks that end on it), still
// goes back where the front end said, not to that menu's number (which
// there names another screen, or one that ends the game).
TEST_F(InGameMenuTest, AProfileSeenInTheMatchLeavesTheFrontEndsReturnScreen) {
    if (!started_) return;
    GameInfo.SetTeamU8(0, kHumanManaged, 1);
    GameInfo.SetTeamU8(1, kHumanManaged, 0);
    IgViewSide = 0;
    ReturnMenuOption = kScreenSquadList;
    static int16_t inMatchReturn;
    inMatchReturn = -1;
    WaitForScreen(IgTeamTable);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 280 && item.row == 2; }, 1);
    WaitForScreen(PlayerStatsTable);
    testenv::MenuUserDo([] { inMatchReturn = ReturnMenuOption; });
    ClickHandler(PlayerProfile_Back);
    WaitForScreen(IgTeamTable);
    ClickHandler(IgButtonBar_Back);
    RunVisit(IGMenu_Request1);
    EXPECT_EQ(inMatchReturn, kIgTeamMenu) << "the profile went back to the team screen";
    EXPECT_EQ(InGameMenuId, kIgLeaveMenus);
    EXPECT_EQ(ReturnMenuOption, kScreenSquadList);
}

TEST_F(InGameMenuTest, AnUnknownMenuEndsTheProgram) {
    if (!started_) return;
    InGameMenuId = 7;
    EXPECT_EXIT(RunVisit(InGameMenusLoop), ::testing::ExitedWithCode(1),
                "ERROR: InGameMenusLoop, Default Case hit '7'");
}

// ---- The team screen -------------------------------------------------------------------------------

TEST_F(InGameMenuTest, ListRolesAndInstructionsChangeTheMatch) {
    if (!started_) return;
    EnterTeamScreen(0, true, false);
    // Two rows swap the players' line-up places; the roles stay with them.
    const int16_t two = Slot(0, 2), five = Slot(0, 5);
    MatchSetCaptain(0, five);
    EXPECT_EQ(IgTeam_PickRow(2, false), MENU_REDRAW);
    EXPECT_EQ(IgSelectedRow, 2);
    IgTeam_PickRow(5, false);
    EXPECT_EQ(Slot(0, 2), five);
    EXPECT_EQ(Slot(0, 5), two);
    EXPECT_EQ(MatchIsCaptain(0, five), 1);
    EXPECT_EQ(IgSelectedRow, kIgNone);
    // The selected row clicked again lets it go.
    IgTeam_PickRow(4, false);
    IgTeam_PickRow(4, false);
    EXPECT_EQ(IgSelectedRow, kIgNone);
    // A role given from a selected row.
    IgTeam_PickRow(7, false);
    IgTeam_SetRole(2);
    EXPECT_EQ(MatchIsPenaltyTaker(0, Slot(0, 7)), 1);
    EXPECT_EQ(IgTeam_ShowRole(1), MENU_REDRAW);
    EXPECT_EQ(IgShownRole, 1);
    IgTeam_ShowRole(1);
    EXPECT_EQ(IgShownRole, kIgNone);

    // The value column shows a player's value in the game's money form.
    IgTeam_ColumnB(3);
    IgTeam_Build();
    const std::string currency = GetText(kTextCurrency);
    ASSERT_FALSE(currency.empty());
    EXPECT_EQ(std::string(IgTeam_ValueText(1, 1)).rfind(currency, 0), 0u) << IgTeam_ValueText(1, 1);

    // Byte A cycles 0-4, (B, C) through its five pairs.
    IgTeamEntry(0, 6)[kIgTeamAAt] = 0;
    for (int expected : {1, 2, 3, 4, 0}) {
        IgTeam_CycleA(6);
        EXPECT_EQ(IgTeamEntry(0, 6)[kIgTeamAAt], expected);
    }
    IgTeamEntry(0, 6)[kIgTeamBAt] = IgTeamEntry(0, 6)[kIgTeamCAt] = 0;
    const int pairs[5][2] = {{0, 1}, {0, 2}, {1, 0}, {2, 0}, {0, 0}};
    for (const auto& pair : pairs) {
        IgTeam_CycleBC(6);
        EXPECT_EQ(IgTeamEntry(0, 6)[kIgTeamBAt], pair[0]);
        EXPECT_EQ(IgTeamEntry(0, 6)[kIgTeamCAt], pair[1]);
    }
    // Marking cleared, both forms.
    recbits::StoreI16(IgTeamEntry(0, 6) + kIgTeamMarkPointAt, 3);
    recbits::StoreI16(IgTeamEntry(0, 6) + kIgTeamMarkPointAt + 2, 4);
    IgTeamEntry(0, 6)[kIgTeamMarkingAt] = uint8_t((IgTeamEntry(0, 6)[kIgTeamMarkingAt] & ~0x1F) | 4);
    IgTeam_ClearMarking(6);
    EXPECT_EQ(IgTeamMarking(0, 6), -1);
    EXPECT_EQ(IgTeamPoint(0, 6, kIgTeamMarkPointAt, 0), -1);

    // A preset and a saved tactic of the side's set-up block.
    IgTeam_SetFormation(3);
    TacticRecord preset{};
    GetComputerTactics(&preset, 3);
    EXPECT_EQ(GameInfo.TeamI16(0, kTacticChoice), 3);
    EXPECT_EQ(std::memcmp(&MatchTacticRecord[0], &preset, sizeof preset), 0);
    GetComputerTactics(GameInfo.TeamTacticSlot(0, 0), 7);
    IgTeamEntry(0, 0)[0] = 0;
    GameInfo.TeamTacticSlot(0, 0)->bytes[kIgTeamAAt + 4 * kTacticEntrySize] = 2;
    recbits::StoreI16(GameInfo.TeamTacticSlot(0, 1)->bytes + kIgTeamPositionAt, -1);
    IgTeam_SetFormation(10);
    EXPECT_EQ(GameInfo.TeamI16(0, kTacticChoice), 10);
    EXPECT_EQ(std::memcmp(&MatchTacticRecord[0], GameInfo.TeamTacticSlot(0, 0), sizeof(TacticRecord)), 0);
    EXPECT_EQ(IgTeam_SetFormation(11), MENU_CONTINUE) << "the second slot is empty";
    EXPECT_EQ(GameInfo.TeamI16(0, kTacticChoice), 10);

    // A computer side's screen takes only the right button.
    EnterTeamScreen(1, false, true);
    const TacticRecord before = MatchTacticRecord[1];
    EXPECT_EQ(IgTeam_PickRow(2, false), MENU_CONTINUE);
    EXPECT_EQ(IgSelectedRow, kIgNone);
    IgTeam_CycleA(3);
    IgTeam_SetFormation(2);
    const auto [c, r] = CellOfEntry(4);
    Gesture(1, c, r, c, r);
    Gesture(2, c, r, 0, 0);
    EXPECT_EQ(std::memcmp(&before, &MatchTacticRecord[1], sizeof before), 0);
    EXPECT_EQ(IgTeam_PickRow(2, true), MENU_CLOSE);
    EXPECT_EQ(InGameMenuId, kIgProfileMenu);
    EXPECT_EQ(ReturnMenuOption, kIgTeamMenu);
    EXPECT_EQ(SelectedPlayer, int16_t(MatchFigurePlayerId(int16_t(16 + Slot(1, 2)))));
    // A row without a player opens nothing.
    InGameMenuId = kIgTeamMenu;
    GameInfo.SetI16(PlayerInfoAt(1, Slot(1, 15)) + kPlayerInfoNumber, 0);
    EXPECT_EQ(IgTeam_PickBench(4, true), MENU_CONTINUE);
    EXPECT_EQ(InGameMenuId, kIgTeamMenu);
}

TEST_F(InGameMenuTest, PitchDiagramReleasesFollowTheRules) {
    if (!started_) return;
    EnterTeamScreen(0, true, false);
    ASSERT_TRUE(DiagramSound(0));
    // Move: picked from the list, clicked onto an empty cell.
    const auto [freeC, freeR] = FreeCell(kPitchRows - 2);
    IgTeam_PickRow(5, false);
    Gesture(1, freeC, freeR, freeC, freeR);
    EXPECT_EQ(CellOfEntry(5), std::make_pair(freeC, freeR));
    EXPECT_EQ(IgSelectedRow, kIgNone);
    ASSERT_TRUE(DiagramSound(0));
    // Run points: a left drag up the pitch gives the forward point, down the
    // back point.
    const auto [c5, r5] = CellOfEntry(5);
    const auto [upC, upR] = FreeCell(kPitchRows - 1);
    ASSERT_GT(upR, r5);
    Gesture(1, c5, r5, upC, upR);
    EXPECT_EQ(IgTeamPoint(0, 5, kIgTeamForwardAt, 0), upC);
    EXPECT_EQ(IgTeamPoint(0, 5, kIgTeamForwardAt, 1), upR);
    const auto [downC, downR] = FreeCell(0);
    ASSERT_LT(downR, r5);
    Gesture(1, c5, r5, downC, downR);
    EXPECT_EQ(IgTeamPoint(0, 5, kIgTeamBackAt, 1), downR);
    // A click on an empty cell holding a run point clears it.
    Gesture(1, upC, upR, upC, upR);
    EXPECT_EQ(IgTeamPoint(0, 5, kIgTeamForwardAt, 0), -1);
    // Marking point onto an empty cell, marking entry onto another player.
    Gesture(2, c5, r5, upC, upR);
    EXPECT_EQ(IgTeamPoint(0, 5, kIgTeamMarkPointAt, 0), upC);
    EXPECT_EQ(IgTeamMarking(0, 5), -1);
    const auto [c8, r8] = CellOfEntry(8);
    Gesture(2, c5, r5, c8, r8);
    EXPECT_EQ(IgTeamMarking(0, 5), 8);
    EXPECT_EQ(IgTeamPoint(0, 5, kIgTeamMarkPointAt, 0), -1);
    // Exchange: entry 5 (marking 8) picked onto entry 8: the entries change
    // places and the one now marking itself marks nobody.
    Gesture(1, c5, r5, c5, r5);
    EXPECT_EQ(IgSelectedRow, 5);
    Gesture(1, c8, r8, c8, r8);
    EXPECT_EQ(IgPitchGrid[r5][c5], 8);
    EXPECT_EQ(IgPitchGrid[r8][c8], 5);
    EXPECT_EQ(IgTeamMarking(0, 8), -1);
    ASSERT_TRUE(DiagramSound(0));
    // A drag released outside the diagram does nothing, nor does a press
    // outside it.
    const auto [c3, r3] = CellOfEntry(3);
    const TacticRecord before = MatchTacticRecord[0];
    IgTeam_LogicalInfusion(IgTeamCellX(c3), IgTeamCellY(r3), 2);
    IgTeam_LogicalInfusion(kPitchRight + 200, kPitchTop - 100, 0);
    EXPECT_EQ(std::memcmp(&before, &MatchTacticRecord[0], sizeof before), 0);
    IgTeam_LogicalInfusion(100, 100, 1);
    IgTeam_LogicalInfusion(IgTeamCellX(c3), IgTeamCellY(r3), 0);
    EXPECT_EQ(std::memcmp(&before, &MatchTacticRecord[0], sizeof before), 0);
    EXPECT_EXIT(IgTeam_PositionPlayer(11, 2, 2), ::testing::ExitedWithCode(1),
                "Dodgy shirt no 12 in a_mn5:PositionPlayer\\(\\)");
}

TEST_F(InGameMenuTest, SubstitutionsAndTheLeaveCheck) {
    if (!started_) return;
    EnterTeamScreen(0, true, true);
    EXPECT_EQ(IgTeam_LeaveProblem(), 0);
    // The leave check in its order.
    int16_t captain = -1;
    for (int e = 0; e < 11; ++e)
        if (MatchIsCaptain(0, Slot(0, e))) captain = Slot(0, e);
    ASSERT_GE(captain, 0);
    MatchFigures[captain].off = 1;
    EXPECT_EQ(IgTeam_LeaveProblem(), 979);
    MatchSetCaptain(0, captain == Slot(0, 1) ? Slot(0, 2) : Slot(0, 1));
    EXPECT_EQ(IgTeam_LeaveProblem(), 0);
    MatchFigures[captain].off = 0;
    for (auto [role, text] : {std::pair{2, 980}, std::pair{3, 982}, std::pair{1, 983}}) {
        int16_t holder = -1;
        for (int e = 0; e < 11; ++e) {
            const int16_t s = Slot(0, e);
            if ((role == 2 && MatchIsPenaltyTaker(0, s)) || (role == 3 && MatchIsFreeKickTaker(0, s)) ||
                (role == 1 && MatchIsCornerTaker(0, s)))
                holder = s;
        }
        ASSERT_GE(holder, 0) << role;
        MatchFigures[holder].off = 1;
        EXPECT_EQ(IgTeam_LeaveProblem(), text);
        MatchFigures[holder].off = 0;
    }
    MatchFigures[Slot(0, 0)].off = 1;
    EXPECT_EQ(IgTeam_LeaveProblem(), 908);
    MatchFigures[Slot(0, 0)].off = 0;
    MatchFigures[Slot(0, 3)].injury = 1;
    EXPECT_EQ(IgTeam_LeaveProblem(), 585);

    // A bench pick, then the injured player's row: the confirmation, Yes.
    IgTeam_PickBench(0, false);
    const int16_t coming = Slot(0, 11), leaving = Slot(0, 3);
    EXPECT_EQ(IgBenchPick, coming);
    MatchPhase = kPhaseOpenPlay;
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { testenv::MenuUserClickAt(YesNoButtons[0].left + 4, YesNoButtons[0].top + 4); });
    IgTeam_PickRow(3, false);
    EXPECT_EQ(MatchPhase, 15);
    EXPECT_EQ(ResumePhase, 0);
    EXPECT_EQ(Slot(0, 3), coming);
    EXPECT_EQ(MatchGetSubsUsed(0), 1);
    EXPECT_EQ(IgBenchPick, kIgNone);
    EXPECT_EQ(IgSelectedRow, kIgNone);
    EXPECT_NE(MatchIsPlayerOnPitch(0, leaving), 1);
    EXPECT_EQ(IgTeam_LeaveProblem(), 0);
    // A sent-off player cannot be replaced: the picks are cleared, no box.
    MatchFigures[Slot(0, 2)].sentOff = 1;
    MatchFigures[Slot(0, 2)].off = 1;
    IgTeam_PickBench(1, false);
    ASSERT_NE(IgBenchPick, kIgNone);
    IgTeam_PickRow(2, false);
    EXPECT_EQ(IgBenchPick, kIgNone);
    EXPECT_EQ(MatchGetSubsUsed(0), 1);
    // An injured player who left the pitch can be replaced.
    MatchFigures[Slot(0, 6)].injury = 1;
    MatchFigures[Slot(0, 6)].off = 1;
    IgSelectedRow = 6;
    IgBenchPick = uint16_t(Slot(0, 12));
    IgTeam_Substitute();
    EXPECT_EQ(MatchGetSubsUsed(0), 2);
    EXPECT_EQ(MatchPhase, 15);
    EXPECT_EQ(ResumePhase, 0) << "an ongoing substitution phase keeps its phase to resume";
    // With every substitution used a bench click picks nobody and a hurt
    // player no longer blocks leaving.
    MatchSubsUsed[0] = 3;
    IgTeam_PickBench(2, false);
    EXPECT_EQ(IgBenchPick, kIgNone);
    MatchFigures[Slot(0, 5)].injury = 1;
    EXPECT_EQ(IgTeam_LeaveProblem(), 0);

    // Opened by the user: no bench, and the return asks for a stoppage.
    EnterTeamScreen(0, true, false);
    MatchSubsUsed[0] = 0;
    EXPECT_EQ(IgTeam_PickBench(2, false), MENU_CONTINUE);
    EXPECT_EQ(IgBenchPick, kIgNone);
    MatchFigures[Slot(0, 5)].injury = 0;
    EXPECT_EQ(IgTeam_ReturnToMatch(), MENU_CLOSE);
    EXPECT_EQ(ChangePending[0], 1);
    EXPECT_EQ(InGameMenuId, kIgLeaveMenus);
}

// The bar's back icon checks the viewed side: once the view has moved from
// his team screen to the side of the computer, that side's line-up (which
// he cannot change) does not keep him in the menus; his own still does.
TEST_F(InGameMenuTest, TheLeaveCheckHoldsOnlyASideTheUserManages) {
    if (!started_) return;
    GameInfo.SetTeamU8(1, kHumanManaged, 0);
    EnterTeamScreen(0, true, true);
    std::vector<int16_t> captains;
    for (int side = 0; side < 2; ++side)
        for (int e = 0; e < 11; ++e)
            if (MatchIsCaptain(int16_t(side), Slot(side, e))) captains.push_back(Slot(side, e));
    ASSERT_EQ(captains.size(), 2u);
    MatchFigures[kTeamFigures + captains[1]].off = 1;
    IgViewSide = 1;
    EXPECT_EQ(IgTeam_LeaveProblem(), 0);
    IgViewSide = 0;
    MatchFigures[captains[0]].off = 1;
    EXPECT_EQ(IgTeam_LeaveProblem(), 979);
    MatchFigures[captains[0]].off = 0;
    MatchFigures[kTeamFigures + captains[1]].off = 0;
}

// Thousands of random presses, releases, list picks and substitutions on a
// human side's screen: the diagram stays sound and nothing is fatal.
TEST_F(InGameMenuTest, RandomClicksKeepTheDiagramSound) {
    if (!started_) return;
    EnterTeamScreen(0, true, true);
    GameSeedRandom(4321);
    const int steps = ShortTestRun() ? 1500 : 6000;
    for (int step = 0; step < steps; ++step) {
        const int kind = GameRandom() % 10;
        // A substitution every 500 steps whatever the draw, so the short run
        // makes some too.
        if (step % 500 == 250 && MatchGetSubsUsed(0) < 3) {
            IgSelectedRow = uint16_t(1 + GameRandom() % 10);
            IgBenchPick = uint16_t(Slot(0, 11 + MatchGetSubsUsed(0)));
            IgTeam_Substitute();
            IgTeam_Build();
        } else if (kind < 7) {
            const int x = kPitchLeft - 20 + GameRandom() % (kPitchRight - kPitchLeft + 40);
            const int y = kPitchTop - 20 + GameRandom() % (kPitchBottom - kPitchTop + 40);
            IgTeam_LogicalInfusion(x, y, GameRandom() % 4);
        } else if (kind == 7) {
            IgTeam_PickRow(GameRandom() % 11, false);
            IgSelectedRow = GameRandom() % 3 == 0 ? kIgNone : IgSelectedRow;
        } else {
            IgTeam_CycleA(GameRandom() % 11);
            IgTeam_ClearMarking(GameRandom() % 11);
        }
        ASSERT_TRUE(DiagramSound(0)) << "step " << step;
    }
    EXPECT_GT(MatchGetSubsUsed(0), 0);
}

// The team screen as the engine draws it: each outfield player's marker
// at his diagram cell, and a run point's arrow only while it is set.
TEST_F(InGameMenuTest, AGrabOfTheTeamScreenShowsThePlayersAtTheirCellsAndTheirArrows) {
    if (!started_) return;
    EnterTeamScreen(0, true, false);
    const uint32_t green = ColConvPixel(0x2BE6, &ColFmt_R5G6B5, &ColFmt_A8B8G8R8) & 0xFFFFFF;
    const uint32_t white = ColConvPixel(0xFFFF, &ColFmt_R5G6B5, &ColFmt_A8B8G8R8) & 0xFFFFFF;
    const auto count = [](int x0, int y0, int x1, int y1, auto test) {
        int n = 0;
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
            for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) n += test(GetBackBufferPixel(x, y));
        return n;
    };
    // Entry 6 runs forward to a free cell three rows up (two cells along
    // the line kept clear of the other players' markers).
    // Plain variables: the grab below captures r6, and not every compiler
    // lets a lambda capture a structured binding.
    const std::pair<int, int> cell6 = CellOfEntry(6);
    const int c6 = cell6.first, r6 = cell6.second;
    static int runColumn, runRow;
    runColumn = -1;
    for (int r = std::min(r6 + 3, kPitchRows - 1); r > r6 && runColumn < 0; --r)
        if (IgPitchGrid[r][c6] == kIgNone) runColumn = c6, runRow = r;
    ASSERT_GE(runColumn, 0);
    recbits::StoreI16(IgTeamEntry(0, 6) + kIgTeamForwardAt, int16_t(runColumn));
    recbits::StoreI16(IgTeamEntry(0, 6) + kIgTeamForwardAt + 2, int16_t(runRow));
    static int markers, emptyCells, arrowWhite[2];
    const auto grab = [&](int pass) {
        WaitForScreen(IgTeamTable);
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([=] {
            if (pass == 0) {
                markers = emptyCells = 0;
                for (int r = 0; r < kPitchRows; ++r)
                    for (int c = 0; c < kPitchColumns; ++c) {
                        const int x = IgTeamCellX(c), y = IgTeamCellY(r);
                        const int notGreen =
                            count(x - 3, y - 3, x + 3, y + 3, [=](uint32_t p) { return p != green; });
                        if (IgPitchGrid[r][c] != kIgNone) markers += notGreen > 10;
                        if (IgPitchGrid[r][c] == kIgNone && r != 8 && r != 9 && notGreen == 0) ++emptyCells;
                    }
            }
            // White between the player's marker and his run point.
            const int x = IgTeamCellX(runColumn), y0 = IgTeamCellY(runRow) + 6, y1 = IgTeamCellY(r6) - 9;
            arrowWhite[pass] = count(x - 25, y0, x + 25, y1, [=](uint32_t p) { return p == white; });
        });
        ClickHandler(IgButtonBar_Back);
        RunVisit(IGMenu_Request1);
    };
    IgViewSide = 0;
    grab(0);
    EXPECT_EQ(markers, 10) << "a marker on each outfield player's cell";
    EXPECT_GT(emptyCells, 150) << "the other cells plain pitch";
    recbits::StoreI16(IgTeamEntry(0, 6) + kIgTeamForwardAt, -1);
    recbits::StoreI16(IgTeamEntry(0, 6) + kIgTeamForwardAt + 2, -1);
    grab(1);
    EXPECT_GT(arrowWhite[0], 4) << "the run point's arrow: " << arrowWhite[0];
    EXPECT_EQ(arrowWhite[1], 0) << "no arrow without the run point";
    EXPECT_EQ(testenv::MenuUserPending(), 0);
}

}  // namespace
