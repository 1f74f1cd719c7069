// The computer manager's tactic changes by the score and the minute: the
// starting tactics back when level or well ahead, rows pushed forward or
// dropped back by the minute, holes filled from ahead, rows evened.
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/match/computermanager.h"
#include "core/match/matchphases.h"
#include "core/match/teamsetup.h"
#include "tests/core/match/frame_fixture.h"

namespace {

using namespace gameinfo;

struct ManagerPlace {
    int x, y;
    int i1 = 0, i2 = 0, i3 = 0;
};

// A balanced back four, midfield four and front two, slots 1..10.
constexpr ManagerPlace kManagerShape[10] = {{3, 4}, {6, 4}, {8, 4},  {11, 4}, {3, 9},
                                            {6, 8}, {8, 8}, {11, 9}, {6, 13}, {8, 13}};

class ComputerManagerTest : public frametest::FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        for (int team = 0; team < 2; ++team) {
            GameInfo.SetTeamU8(team, kHumanManagedAtStart, 0);
            GameInfo.SetTeamI16(team, kTacticChoice, 10);  // custom slot 0
            for (int slot = 1; slot <= 10; ++slot) Write(team, slot, kManagerShape[slot - 1]);
            Write(team, 0, {0, 0});
            MatchLoadTeamTactics(int16_t(team));
        }
        SetMinute(1, 0);
    }

    // Writes a slot of the team's starting tactic (all three places alike).
    static void Write(int team, int slot, ManagerPlace p) {
        uint8_t* e = GameInfo.TeamTacticSlot(team, 0)->bytes + slot * kTacticEntrySize;
        for (int field : {kSlotX, kSlotRearX, kSlotFrontX}) recbits::StoreI16(e + field, int16_t(p.x));
        for (int field : {kSlotY, kSlotRearY, kSlotFrontY}) recbits::StoreI16(e + field, int16_t(p.y));
        e[kSlotInstruction1] = uint8_t(p.i1);
        e[kSlotInstruction2] = uint8_t(p.i2);
        e[kSlotInstruction3] = uint8_t(p.i3);
        for (int field : {kSlotRunAcross, kSlotRunAlong, kSlotMarking}) recbits::StoreI16(e + field, -1);
    }
    static void Reload(int team) { MatchLoadTeamTactics(int16_t(team)); }

    // The clock at the given minute of the period's 45 (or 15).
    static void SetMinute(int period, int minuteOfPeriod) {
        Period = uint8_t(period);
        PeriodLength = 45 * 60;
        PeriodClock = uint32_t(minuteOfPeriod * 60 * 45 / (period >= 2 ? 15 : 45));
    }
    static int16_t Y(int team, int slot) { return Tactics_SlotWord(team, slot, kSlotY); }
    static int16_t X(int team, int slot) { return Tactics_SlotWord(team, slot, kSlotX); }
    static uint8_t Byte(int team, int slot, int field) {
        return MatchTacticRecord[team].bytes[slot * kTacticEntrySize + field];
    }
};

TEST_F(ComputerManagerTest, TheMinuteRunsOverThePeriodsAndStopsAt90) {
    SetMinute(0, 0);
    EXPECT_EQ(Tactics_MatchMinute(), 0);
    SetMinute(1, 27);
    EXPECT_EQ(Tactics_MatchMinute(), 72);
    SetMinute(3, 10);
    EXPECT_EQ(Tactics_MatchMinute(), 90);
    SetMinute(1, 44);
    PeriodClock = PeriodLength * 2;  // deep into stoppage time
    EXPECT_EQ(Tactics_MatchMinute(), 90);
}

TEST_F(ComputerManagerTest, LevelOrThreeAheadBringsTheStartingTacticsBack) {
    const TacticRecord start = MatchTacticRecord[0];
    const std::pair<int, int> kScores[] = {{0, 0}, {3, 0}, {4, 1}, {2, 2}};
    for (const auto& [mine, theirs] : kScores) {
        // Dropped back first, one ahead late on.
        Goals[0] = 1;
        Goals[1] = 0;
        SetMinute(1, 40);
        Tactics_UpdateComputerTeams();
        ASSERT_NE(std::memcmp(&MatchTacticRecord[0], &start, sizeof start), 0);
        Goals[0] = int16_t(mine);
        Goals[1] = int16_t(theirs);
        Tactics_UpdateComputerTeams();
        EXPECT_EQ(std::memcmp(&MatchTacticRecord[0], &start, sizeof start), 0) << mine << "-" << theirs;
    }
}

TEST_F(ComputerManagerTest, BehindPushesUpMoreRowsTheLaterItIs) {
    Write(0, 1, {3, 1});
    Write(0, 2, {6, 2});
    Write(0, 9, {6, 16});
    Write(0, 10, {8, 17});
    Reload(0);
    Goals[1] = 1;
    SetMinute(0, 0);
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 1), 2) << "y below 2 moves up at minute 0";
    EXPECT_EQ(Y(0, 2), 2) << "y 2 does not";
    EXPECT_EQ(Y(0, 9), 16);
    SetMinute(1, 26);  // minute 71
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 2), 3);
    EXPECT_EQ(Y(0, 9), 16) << "row 16 waits for minute 72";
    SetMinute(1, 27);  // minute 72
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 9), 17);
    EXPECT_EQ(Y(0, 10), 17) << "the last row stays the last";
    EXPECT_EQ(Tactics_SlotWord(0, 10, kSlotFrontY), 17);
    for (int slot : {3, 4, 5, 6, 7, 8})
        EXPECT_EQ(Y(0, slot), kManagerShape[slot - 1].y + 1) << "a single row up, however often it is called";
}

TEST_F(ComputerManagerTest, PushingForwardSetsRunsAndAttackingInstructions) {
    Write(0, 1, {3, 4});
    Write(0, 4, {11, 4, 0, 0, 5});
    Write(0, 6, {6, 8, 1, 0, 0});
    Reload(0);
    Goals[1] = 2;
    SetMinute(1, 40);
    Tactics_PushForward(0);
    EXPECT_EQ(Byte(0, 1, kSlotInstruction2), 1);
    EXPECT_EQ(Tactics_SlotWord(0, 1, kSlotRunAlong), 13);
    EXPECT_EQ(Tactics_SlotWord(0, 1, kSlotRunAcross), 3 + 5);
    EXPECT_EQ(Tactics_SlotWord(0, 4, kSlotRunAcross), 11 - 5);
    EXPECT_EQ(Byte(0, 4, kSlotInstruction1), 3) << "a third instruction makes it 3";
    EXPECT_EQ(Byte(0, 6, kSlotInstruction1), 1) << "a set first instruction stays";
    EXPECT_EQ(Byte(0, 7, kSlotInstruction1), 2) << "an unset one beyond row 5 becomes 2";
    EXPECT_EQ(Tactics_SlotWord(0, 7, kSlotFrontY), 9);
}

TEST_F(ComputerManagerTest, OneOrTwoAheadDropsBackMoreRowsTheLaterItIs) {
    Write(0, 1, {3, 0});
    Write(0, 2, {6, 1});
    Write(0, 9, {6, 16});
    Write(0, 10, {8, 17, 3, 0, 4});
    Reload(0);
    Goals[0] = 2;
    SetMinute(0, 0);
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 10), 16) << "only row 17 drops at minute 0";
    EXPECT_EQ(Y(0, 9), 16);
    EXPECT_EQ(Byte(0, 10, kSlotInstruction1), 0);
    EXPECT_EQ(Byte(0, 10, kSlotInstruction3), 1);
    SetMinute(1, 34);  // minute 79
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 2), 1) << "row 1 waits for minute 80";
    SetMinute(1, 35);  // minute 80
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 2), 0);
    EXPECT_EQ(Y(0, 1), 0) << "row 0 waits for minute 90";
    EXPECT_EQ(Y(0, 9), 15);
    SetMinute(1, 45);
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 1), 0) << "row 0 is the first row the set-up takes";
    for (int field : {kSlotRearY, kSlotFrontY}) EXPECT_EQ(Tactics_SlotWord(0, 1, field), 0);
}

TEST_F(ComputerManagerTest, DroppingBackClearsRunsAndHoldsTheDeepPlayers) {
    uint8_t* striker = GameInfo.TeamTacticSlot(0, 0)->bytes + 9 * kTacticEntrySize;
    recbits::StoreI16(striker + kSlotRunAlong, 15);
    recbits::StoreI16(striker + kSlotRunAcross, 6);
    Reload(0);
    Goals[0] = 1;
    SetMinute(1, 44);
    Tactics_DropBack(0);
    EXPECT_EQ(Tactics_SlotWord(0, 9, kSlotRunAlong), -1);
    EXPECT_EQ(Tactics_SlotWord(0, 9, kSlotRunAcross), -1);
    EXPECT_EQ(Byte(0, 9, kSlotInstruction2), 2);
    EXPECT_EQ(Byte(0, 1, kSlotInstruction2), 1) << "a defender below row 7 holds";
}

TEST_F(ComputerManagerTest, CarriedGoalsOfTheFirstLegCount) {
    Write(0, 10, {7, 17});
    Write(1, 10, {7, 1});
    Reload(0);
    Reload(1);
    OldGoals[0] = 2;  // won the first leg 2-0
    Goals[1] = 1;     // 0-1 on the day
    SetMinute(0, 0);
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(Y(0, 10), 16) << "one up on aggregate drops back";
    EXPECT_EQ(Y(1, 10), 2) << "one down on aggregate pushes forward";
}

// The goal itself makes a side that falls behind late push forward, before
// the next restart.
TEST_F(ComputerManagerTest, AGoalMakesTheSideBehindPushForwardAtOnce) {
    SetMinute(1, 40);
    Tactics_UpdateComputerTeams();
    AttackDirection = 0;
    BallState.y = 2040;  // in the high goal: team 0 scores
    LastToucher = 9;
    MatchPhase = kPhaseGoal;
    MatchPhaseTick();
    ASSERT_EQ(Goals[0], 1);
    EXPECT_EQ(Y(1, 9), kManagerShape[8].y + 1) << "team 1 is behind";
    EXPECT_EQ(Y(0, 9), kManagerShape[8].y - 1) << "team 0 leads by one";
}

TEST_F(ComputerManagerTest, AHumanTeamIsNeverTouched) {
    GameInfo.SetTeamU8(0, kHumanManagedAtStart, 1);
    GameInfo.SetTeamU8(0, kHumanManaged, 0);  // only the copy taken at the start counts
    Write(0, 1, {3, 1});
    Reload(0);
    const TacticRecord before = MatchTacticRecord[0];
    Goals[1] = 1;
    SetMinute(1, 40);
    Tactics_UpdateComputerTeams();
    EXPECT_EQ(std::memcmp(&MatchTacticRecord[0], &before, sizeof before), 0);
}

TEST_F(ComputerManagerTest, TheRecordIsAppliedToTheFigures) {
    Goals[1] = 1;
    SetMinute(1, 44);
    EXPECT_EQ(+MatchFigures[MatchLineUp[0][7]].tacticBytes[0], 0);
    Tactics_UpdateComputerTeams();
    // The pushed-forward record's first instruction (2 beyond row 5) on the
    // figure of slot 7.
    EXPECT_EQ(+MatchFigures[MatchLineUp[0][7]].tacticBytes[0], 2);
    EXPECT_EQ(+MatchFigures[MatchLineUp[0][1]].tacticBytes[3], +Byte(0, 1, kSlotInstruction3));
}

TEST_F(ComputerManagerTest, AHoleIsFilledFromTheRowsAhead) {
    // The central defender of slot 2 (6, 4) is sent off: the central
    // midfielder of slot 6 (6, 8) drops into his place, a wide midfielder
    // into the midfielder's and a forward into his, so the team goes on a
    // man short up front.
    MatchFigures[MatchLineUp[0][2]].sentOff = 1;
    Tactics_Restore(0);
    EXPECT_EQ(X(0, 6), 6);
    EXPECT_EQ(Y(0, 6), 4);
    EXPECT_EQ(Byte(0, 6, kSlotInstruction1), 0) << "the player moved starts afresh";
    EXPECT_EQ(X(0, 8), 6);
    EXPECT_EQ(Y(0, 8), 8);
    EXPECT_EQ(X(0, 9), 11);
    EXPECT_EQ(Y(0, 9), 9);
    EXPECT_EQ(Y(0, 2), 13) << "the empty slot ends with the place left up front";
    EXPECT_EQ(X(0, 10), 7) << "the lone forward left is centred";
    // Two bookings count as gone too; the next hole is the deepest.
    MatchFigures[MatchLineUp[0][3]].cautions = 2;
    EXPECT_EQ(Tactics_FindSlot(0), 3);
    Tactics_CountZones(0);
    EXPECT_EQ(TacticsZones[0].activeCount, 9);
}

TEST_F(ComputerManagerTest, ALoneForwardWithNobodyBeyondHimIsNotTakenForAHole) {
    for (int slot = 5; slot <= 8; ++slot) Write(0, slot, {2 + 3 * (slot - 5), 7});
    Write(0, 9, {7, 13});
    Write(0, 10, {7, 10});
    Reload(0);
    MatchFigures[MatchLineUp[0][10]].off = 1;
    Tactics_CountZones(0);
    Tactics_FillFromAhead(0, 3, 2, 10);
    EXPECT_EQ(Y(0, 9), 13) << "band 4 held by its lone player";
    EXPECT_EQ(Y(0, 10), 10);
    // With a player beyond him, the forward drops into the hole.
    Write(0, 8, {11, 16});
    Reload(0);
    Tactics_CountZones(0);
    Tactics_FillFromAhead(0, 3, 2, 10);
    EXPECT_EQ(Y(0, 9), 10);
    EXPECT_EQ(Y(0, 10), 13);
}

TEST_F(ComputerManagerTest, UnevenRowsAreRespacedAndALoneMiddleManCentred) {
    Write(0, 5, {2, 8});
    Write(0, 6, {4, 8});
    Write(0, 7, {6, 7});
    Write(0, 8, {12, 8});  // three left of centre, one right
    Write(0, 9, {7, 13});  // a lone striker on the centre
    Write(0, 10, {7, 16});
    Reload(0);
    Tactics_Restore(0);
    const int spaced[4] = {2, 5, 9, 12};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(X(0, 5 + k), spaced[k]);
        EXPECT_EQ(Y(0, 5 + k), 7) << "row band 2 at its second row";
    }
    EXPECT_EQ(X(0, 9), 7);
    EXPECT_EQ(Y(0, 9), 13) << "a centred lone player stays where he is";
    Write(0, 9, {6, 12});
    Reload(0);
    Tactics_Restore(0);
    EXPECT_EQ(X(0, 9), 7);
    EXPECT_EQ(Y(0, 9), 13);
    EXPECT_EQ(Tactics_SlotWord(0, 9, kSlotMarking), -1);
}

}  // namespace
