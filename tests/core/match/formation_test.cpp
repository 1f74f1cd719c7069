#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/formation.h"
#include "core/match/geometry.h"
#include "core/match/matchphases.h"
#include "core/match/phases.h"
#include "core/match/teamsetup.h"
#include "tests/core/match/frame_fixture.h"

namespace authored {
#include "data/formationtables.inc"
}

namespace {

using frametest::FrameTest;

// A tactic slot written as the tactic screens store it (before mirroring).
struct SlotPlace {
    int row, column;
    int row2 = -1, column2 = 0;
    int row3 = -1, column3 = 0;
};

void WriteSlot(TacticRecord& record, int slot, const SlotPlace& p) {
    uint8_t* e = record.bytes + slot * kTacticEntrySize;
    recbits::StoreU16(e + 5, uint16_t(p.row));
    recbits::StoreU16(e + 7, uint16_t(p.column));
    recbits::StoreU16(e + 9, uint16_t(p.row2));
    recbits::StoreU16(e + 11, uint16_t(p.column2));
    recbits::StoreU16(e + 20, uint16_t(p.row3));
    recbits::StoreU16(e + 22, uint16_t(p.column3));
    recbits::StoreU16(e + 24, 0xFFFF);
    recbits::StoreU16(e + 26, 0xFFFF);
}

void BuildBoth() {
    MatchTeam_MirrorPositions();
    MatchTeam_BuildFormationTable(0);
    Formation_ScaleTable(0);
    MatchTeam_BuildFormationTable(1);
    Formation_ScaleTable(1);
}

TEST(FormationGrid, CellsOfFormationValues) {
    EXPECT_EQ(Formation_ColumnOfX(82), 0);
    EXPECT_EQ(Formation_ColumnOfX(83), 1);
    EXPECT_EQ(Formation_ColumnOfX(1410), 16);
    EXPECT_EQ(Formation_ColumnOfX(1411), 17);
    EXPECT_EQ(Formation_ColumnOfX(5000), 17);
    EXPECT_EQ(Formation_ColumnOfX(-4), 0);
    EXPECT_EQ(Formation_RowOfY(65), 0);
    EXPECT_EQ(Formation_RowOfY(923), 13);
    EXPECT_EQ(Formation_RowOfY(924), 14);
    EXPECT_EQ(Formation_RowOfY(2000), 14);
}

TEST(FormationData, AuthoredTablesKeepTheirShape) {
    using namespace authored;
    for (int row = 0; row < 5; ++row) {
        for (int block = 0; block < 6; ++block) {
            for (int band = 1; band < 6; ++band) {
                EXPECT_GT(kAlongFactor[block][row][band], kAlongFactor[block][row][band - 1]) << block << row;
            }
            if (block < 5) {
                const float rise = kAlongFactor[block][row][5] - kAlongFactor[block][row][0];
                const float nextRise = kAlongFactor[block + 1][row][5] - kAlongFactor[block + 1][row][0];
                EXPECT_GT(rise, nextRise) << "defenders move up faster than the line ahead " << block << row;
            }
        }
    }
    // Values the tables must carry as given.
    EXPECT_FLOAT_EQ(kAlongFactor[0][0][2], 2.46f);
    EXPECT_FLOAT_EQ(kAlongFactor[2][2][0], 0.15f);
    EXPECT_FLOAT_EQ(kAlongFactor[5][3][5], 1.08f);
    EXPECT_FLOAT_EQ(kAcrossFactor[2][1], 0.85f);
    EXPECT_FLOAT_EQ(kSqueezeFactor[1][4], 0.88f);
    EXPECT_FLOAT_EQ(kKickOffFactor[12], 0.72f);
    EXPECT_FLOAT_EQ(kGoalKickFactor[10], 0.93f);
    EXPECT_EQ(kRestartPoints[3][0], 375);
    EXPECT_EQ(kRestartPoints[3][1], 1070);
    EXPECT_EQ(kRestartPoints[14][0], 855);
    for (int column = 0; column < 18; ++column) {
        for (int row = 0; row < 15; ++row) {
            const int16_t* p = kRestartPoints[column * 15 + row];
            const int16_t* m = kRestartPoints[column * 15 + 14 - row];
            EXPECT_EQ(p[0] + m[0], 1080) << "mirrored across the middle row";
            EXPECT_NEAR(p[1], m[1], 5);
            EXPECT_GE(p[0], 0);
            EXPECT_LE(p[0], 1000);
            EXPECT_GE(p[1], 0);
            EXPECT_LE(p[1], 1500);
        }
    }
}

TEST(FormationBuild, WorkedSlotsGiveTheirValues) {
    TacticRecord& record = FormationWorkingTactic;
    std::memset(record.bytes, 0, sizeof record.bytes);
    WriteSlot(record, 0, {7, 0});
    // Slot 1 on the team's left touchline at its own goal (row 14 before the
    // mirror is row 0 after it); slot 2 in midfield near that touchline; the
    // others far away on the right.
    WriteSlot(record, 1, {14, 0});
    WriteSlot(record, 2, {13, 7});
    for (int slot = 3; slot <= 10; ++slot) WriteSlot(record, slot, {slot - 3, 17});
    BuildBoth();
    // a = 33, b = 41; scaled by 126/100.
    EXPECT_EQ(FormationScratch[kSituationKickOff][0].across, 41);
    EXPECT_EQ(FormationScratch[kSituationKickOff][0].along, 30);     // 41 x 0.6 = 24
    EXPECT_EQ(FormationScratch[kSituationGoalKick][0].along, 64);    // 41 x 1.25 = 51
    EXPECT_EQ(FormationScratch[kSituationSetPiece][0].across, 283);  // (225, 565)
    EXPECT_EQ(FormationScratch[kSituationSetPiece][0].along, 711);
    EXPECT_EQ(FormationScratch[kSituationSetPieceB][0].along, 711);
    // Ball zone along-band 2, across-band 0: across 33 x 1.0; along
    // 41 x (2.46 + 1.15) / 2 = 74.
    const int zone = 2 * 5 + 0;
    EXPECT_EQ(FormationScratch[zone][0].across, 41);
    EXPECT_EQ(FormationScratch[zone][0].along, 93);
    // Variant B squeezes it: 41 x 1.805 x 0.55 = 40.
    EXPECT_EQ(FormationScratch[kVariantB + zone][0].along, 50);
    // The player nearest that zone's centre (100, 625) stands on it.
    EXPECT_EQ(FormationScratch[zone][1].across, 126);
    EXPECT_EQ(FormationScratch[zone][1].along, 787);
}

TEST(FormationBuild, RandomTacticsStayInsideWithAPlayerOnEveryZoneCentre) {
    GameSeedRandom(4242);
    for (int round = 0; round < 1000; ++round) {
        TacticRecord& record = FormationWorkingTactic;
        std::memset(record.bytes, 0, sizeof record.bytes);
        for (int slot = 0; slot < kTacticEntries; ++slot) {
            SlotPlace p{GameRandom() % 15, GameRandom() % 18};
            if (GameRandom() % 2) {
                p.row2 = GameRandom() % 15;
                p.column2 = GameRandom() % 18;
            }
            if (GameRandom() % 2) {
                p.row3 = GameRandom() % 15;
                p.column3 = GameRandom() % 18;
            }
            WriteSlot(record, slot, p);
        }
        BuildBoth();
        for (int situation = 0; situation < kFormationSituations; ++situation) {
            for (const FormationPoint& point : FormationScratch[situation]) {
                ASSERT_GE(+point.across, 0) << round;
                ASSERT_LE(+point.across, 1260) << round;
                ASSERT_GE(+point.along, 0) << round;
                ASSERT_LE(+point.along, 1890) << round;
            }
        }
        for (int variant = 0; variant < 2; ++variant) {
            for (int zone = 0; zone < kBallZones; ++zone) {
                const int cx = ((zone % 5) * 200 + 100) * 126 / 100;
                const int cy = ((zone / 5) * 250 + 125) * 126 / 100;
                const FormationPoint* points = FormationScratch[variant * kVariantB + zone];
                const bool onCentre =
                    std::any_of(points, points + kFormationPlayers,
                                [&](const FormationPoint& p) { return p.across == cx && p.along == cy; });
                ASSERT_TRUE(onCentre) << round << " zone " << zone;
            }
        }
        for (const FormationPoint& point : FormationScratch[kVariantB + kSituationKickOff]) {
            if (point.across > 320 * 126 / 100 && point.across < 680 * 126 / 100) {
                ASSERT_LE(+point.along, 570 * 126 / 100) << "out of the centre circle band, round " << round;
            }
            ASSERT_LE(+point.along, 750 * 126 / 100) << "in his own half";
        }
    }
}

TEST(FormationBuild, CellsOutsideTheGridAreClampedAndReported) {
    TacticRecord& record = FormationWorkingTactic;
    std::memset(record.bytes, 0, sizeof record.bytes);
    for (int slot = 0; slot < kTacticEntries; ++slot) WriteSlot(record, slot, {slot, slot});
    WriteSlot(record, 4, {20, 40, 99, 3, -1, 0});
    testing::internal::CaptureStdout();
    MatchTeam_MirrorPositions();
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("MatchTeam_MirrorPositions(): Warning: tactic column 40 of slot 4"), std::string::npos)
        << log;
    const uint8_t* e = record.bytes + 4 * kTacticEntrySize;
    EXPECT_EQ(int16_t(recbits::LoadU16(e + 5)), 0) << "row 20 kept at 14, mirrored";
    EXPECT_EQ(int16_t(recbits::LoadU16(e + 7)), 17);
    EXPECT_EQ(int16_t(recbits::LoadU16(e + 9)), 0);
    EXPECT_EQ(int16_t(recbits::LoadU16(e + 20)), -1) << "an empty place stays empty";
    const uint8_t* e2 = record.bytes + 2 * kTacticEntrySize;
    EXPECT_EQ(int16_t(recbits::LoadU16(e2 + 5)), 12);
    EXPECT_EQ(int16_t(recbits::LoadU16(e2 + 24)), -1);
}

// ---------------------------------------------------------------------------
// Zones and targets.

class FormationTargetTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        for (int team = 0; team < 2; ++team) {
            for (int situation = 0; situation < kFormationSituations; ++situation) {
                for (int player = 0; player < kFormationPlayers; ++player) {
                    FormationTable[team][situation][player] = {int16_t(100 + 10 * player + situation),
                                                               int16_t(200 + 20 * player)};
                }
            }
        }
        for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].action = kActionStand;
        FormationPossession = 0;
        FormationPossessionCount = 0;
        FormationTargetCount = 0;
        FormationHold = 0;
        Formation_ResetZones();
        KickOffTaker = KickOffPartner = -1;
        LineUpPending = 0;
        KickOffTeam = 0;
        BallState.vx = BallState.vy = 0;
    }
    static void Prediction(int16_t x, int16_t y) {
        BallState.predicted[1][0] = x;
        BallState.predicted[1][1] = y;
    }
};

TEST_F(FormationTargetTest, PossessionReachesTheFormationAfterSixZoneChoices) {
    BallTeam = 1;
    for (int call = 1; call <= 5; ++call) {
        Match_ChooseFormationZone();
        EXPECT_EQ(FormationPossession, 0) << call;
    }
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationPossession, 1);
    // At a restart the change comes at the next call.
    BallTeam = 0;
    MatchPhase = kPhaseThrowIn;
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationPossession, 0);
}

TEST_F(FormationTargetTest, ZonesFollowTheBallAndTheTeamWithoutItIsVariantB) {
    AttackDirection = 0;  // team 0 attacks toward y 2038
    BallTeam = FormationPossession = 0;
    // The zones follow the ball update's medium prediction, not where the
    // ball lies now.
    BallState.x = 1300;
    BallState.y = 200;
    Prediction(300, 1566);  // just right of band 0's centre (286); along-band 4's centre
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationZone[0].zone, 4 * 5 + 1);
    EXPECT_EQ(FormationZone[0].weightAcross, 5);
    // Team 1 sees the pitch the other way round: across-bands 4 and 3, along
    // 1; without the ball it takes variant B.
    EXPECT_EQ(FormationZone[1].zone, kVariantB + 2 * 5 + 4);
    // Team 0 without the ball and the ball predicted deep in the half it
    // attacks: it keeps variant A.
    BallTeam = FormationPossession = 1;
    Prediction(300, 1900);
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationZone[0].zone, 5 * 5 + 1);
    EXPECT_EQ(FormationZone[1].zone, 0 * 5 + 4);
    Prediction(300, 1000);
    Match_ChooseFormationZone();
    EXPECT_GE(FormationZone[0].zone, kVariantB);
    // Far left of the first band's centre: band 0, weight 100.
    Prediction(170, 1000);
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationZone[0].zone % kSituationsPerVariant % 5, 0);
    EXPECT_EQ(FormationZone[0].weightAcross, 100);
}

TEST_F(FormationTargetTest, RestartsTakeFixedShapes) {
    KickOffTeam = 1;
    MatchPhase = kPhaseKickOffSetUp;
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationZone[1].zone, kSituationKickOff);
    EXPECT_EQ(FormationZone[0].zone, 64);
    MatchPhase = kPhaseTakeCorner;
    BallTeam = 0;
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationZone[0].zone, 32);
    EXPECT_EQ(FormationZone[1].zone, 36);
    FormationHold = 1;
    MatchPhase = kPhaseKickOffSetUp;
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationZone[0].zone, 32) << "held";
}

TEST_F(FormationTargetTest, AKeepersCatchLinesUpTheGoalKickShapeOfHisOwnTeam) {
    AttackDirection = 0;  // team 0 defends the goal at y 126
    RestartTeam = 1;      // the last restart was team 1's
    for (const uint16_t phase : {kPhaseKeeperHolds, kPhaseKeeperReleases}) {
        MatchPhase = phase;
        BallState.y = 200;  // team 0's keeper holds it
        Match_ChooseFormationZone();
        EXPECT_EQ(FormationZone[0].zone, kSituationGoalKick) << phase;
        EXPECT_EQ(FormationZone[1].zone, kVariantB + kSituationGoalKick) << phase;
        BallState.y = 1950;  // team 1's keeper
        Match_ChooseFormationZone();
        EXPECT_EQ(FormationZone[1].zone, kSituationGoalKick) << phase;
        EXPECT_EQ(FormationZone[0].zone, kVariantB + kSituationGoalKick) << phase;
    }
    // A goal kick is the team's that was awarded it, wherever the ball is.
    MatchPhase = kPhaseGoalKick;
    RestartTeam = 0;
    Match_ChooseFormationZone();
    EXPECT_EQ(FormationZone[0].zone, kSituationGoalKick);
}

TEST_F(FormationTargetTest, TargetsComeFromTheTableEverySixtyTicksInOpenPlay) {
    AttackDirection = 0;
    FormationZone[0] = {3, 3, 100, 100};
    FormationZone[1] = {5, 5, 100, 100};
    for (int call = 1; call < 15; ++call) {
        Match_SetFormationTargets();
        EXPECT_EQ(+MatchFigures[2].targetX, 0) << call;
    }
    Match_SetFormationTargets();
    // Slot 2 (point 1) of team 0: 158 + across, 126 + along.
    EXPECT_EQ(+MatchFigures[2].targetX, 158 + 100 + 10 + 3);
    EXPECT_EQ(+MatchFigures[2].targetY, 126 + 220);
    EXPECT_EQ(+MatchFigures[2].formationX, +MatchFigures[2].targetX);
    EXPECT_EQ(MatchFigures[2].counts[kCountPlacedByFormation], 1);
    // Team 1 counts from the other corner.
    EXPECT_EQ(+MatchFigures[18].targetX, 1434 - (100 + 10 + 5));
    EXPECT_EQ(+MatchFigures[18].targetY, 2038 - 220);
    // Unchanged zones: nothing more.
    MatchFigures[2].targetX = 1;
    for (int call = 0; call < 30; ++call) Match_SetFormationTargets();
    EXPECT_EQ(+MatchFigures[2].targetX, 1);
}

TEST_F(FormationTargetTest, BusyOrOffsidePlayersKeepTheirTargets) {
    MatchPhase = kPhaseKickOffPositions;
    AttackDirection = 0;
    MatchFigures[3].action = kActionRunToTarget;
    MatchFigures[4].offsideWord = 1;
    MatchFigures[5].action = kActionFallForward;  // busy
    MatchFigures[6].action = kActionShot;         // free until he kicks
    MatchFigures[6].hasKicked = 1;
    KickOffPartner = 7;
    for (int figure : {3, 4, 5, 6, 7}) MatchFigures[figure].targetX = 5;
    FormationZone[0] = {30, 30, 100, 100};
    Match_SetFormationTargets();
    EXPECT_EQ(+MatchFigures[3].targetX, 5);
    EXPECT_EQ(+MatchFigures[4].targetX, 5);
    EXPECT_EQ(+MatchFigures[5].targetX, 5);
    EXPECT_NE(+MatchFigures[6].targetX, 5) << "only flag 1 is tested here";
    EXPECT_EQ(+MatchFigures[7].targetX, 5) << "the kick-off partner keeps his place";
    EXPECT_NE(+MatchFigures[2].targetX, 5);
}

TEST_F(FormationTargetTest, ThrowInSqueezesTargetsTowardTheTouchline) {
    MatchPhase = kPhaseTakeThrowIn;
    AttackDirection = 0;
    FormationZone[0] = {31, 31, 100, 100};
    FormationZone[1] = {31, 31, 100, 100};
    ThrowInX = 158;      // a throw on the left touchline
    BallState.x = 1400;  // the ball still on its way back: the throw's side counts
    Match_SetFormationTargets();
    const int a = 100 + 10 * 1 + 31;
    EXPECT_EQ(+MatchFigures[2].targetX, 158 + a * 85 / 100);
    const int x0 = 1434 - a;
    EXPECT_EQ(+MatchFigures[18].targetX, x0 - (x0 - 158) * 15 / 100);
    Formation_ResetZones();
    FormationZone[0] = FormationZone[1] = {31, 31, 100, 100};
    ThrowInX = 1434;
    BallState.x = 200;
    Match_SetFormationTargets();
    EXPECT_EQ(+MatchFigures[2].targetX, (158 + a) + (1434 - (158 + a)) * 15 / 100);
    EXPECT_EQ(+MatchFigures[18].targetX, 1434 - a * 85 / 100);
}

TEST_F(FormationTargetTest, FreeRolePlayerLooksForOpenSpaceInsideTheOpponentsBox) {
    AttackDirection = 0;
    for (int slot = 1; slot <= 10; ++slot) {
        MatchFigure& o = MatchFigures[16 + slot];
        o.x = int16_t(300 + 80 * slot);
        o.y = int16_t(1300 + 50 * slot);
        o.targetX = o.x;
        o.targetY = o.y;
        MatchFigure& m = MatchFigures[slot];
        m.targetX = int16_t(200 + 30 * slot);
        m.targetY = 600;
    }
    MatchFigures[9].position = 5;
    Match_SeekOpenSpace(0, 9);
    const MatchFigure& f = MatchFigures[9];
    EXPECT_EQ(+f.targetX % 63, 0);
    EXPECT_EQ(+f.targetY % 95, 0);
    EXPECT_GE(+f.targetX, 380);
    EXPECT_LE(+f.targetX, 1100);
    EXPECT_GE(+f.targetY, 1350);
    EXPECT_LE(+f.targetY, 1800);
    EXPECT_EQ(+f.formationX, +f.targetX);
}

}  // namespace
