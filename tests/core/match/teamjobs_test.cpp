// The team jobs: the computer manager's substitutions and who comes on,
// the stand-in keeper, marking in tick phase 2, the offside step-back of
// phase 3, the man-markers and the ball holder.
#include <gtest/gtest.h>

#include "core/match/actions.h"
#include "core/match/dribble.h"
#include "core/match/matchengine.h"
#include "core/match/matchphases.h"
#include "core/match/phases.h"
#include "core/match/teamjobs.h"
#include "core/match/teamsetup.h"
#include "tests/core/match/frame_fixture.h"

namespace {

using namespace gameinfo;

class TeamJobsTest : public frametest::FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        GameInfo.SetI16(kNumSubstitutionsAllowed, 3);
        MatchSubstitutesAvailable = 5;
        StoppageMenuCount[0] = StoppageMenuCount[1] = 0;
        MatchSubsUsed[0] = MatchSubsUsed[1] = 0;
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            const bool bench = figure % kTeamFigures >= 11;
            f.onBench = bench ? 1 : 0;
            f.benchState = bench ? 0 : 50;
            f.tacticBytes[6] = 255;
            f.pace = f.shooting = f.passing = f.tackling = 50;
        }
    }
    static MatchFigure& Fig(int figure) { return MatchFigures[figure]; }
    static void BringOn(int figure) {
        Fig(figure).off = 0;
        Fig(figure).onBench = 0;
        Fig(figure).benchState = 50;
        ++MatchSubsUsed[figure / kTeamFigures];
    }
};

// ---------------------------------------------------------------------------
// Who comes off.

TEST_F(TeamJobsTest, ComputerStopsOneShortOfTheSubstitutionsAllowed) {
    Fig(4).injury = 1;
    BringOn(11);
    EXPECT_EQ(Match_ComputerSubstitution(0), 4) << "one made of three";
    EXPECT_EQ(SubstitutionRequest[0][0], 4);
    EXPECT_EQ(TeamStoppageRequest[0], 1);
    BringOn(12);
    TeamStoppageRequest[0] = 0;
    EXPECT_EQ(Match_ComputerSubstitution(0), -1) << "two made of three: not even for an injury";
    EXPECT_EQ(SubstitutionRequest[0][0], kNoSubstitutionRequest);
    EXPECT_EQ(TeamStoppageRequest[0], 0);
    // Nor while a request is with a human manager.
    --MatchSubsUsed[0];
    StoppageMenuCount[0] = 1;
    EXPECT_EQ(Match_ComputerSubstitution(0), -1);
}

TEST_F(TeamJobsTest, AKeeperOnTheBenchReplacesAnOutfieldPlayerInGoalFirst) {
    Fig(0).position = 4;  // an outfield player went in goal
    Fig(6).injury = 1;
    Fig(15).position = 0;
    EXPECT_EQ(Match_ComputerSubstitution(0), 0) << "the player in goal, before the injured one";
    Fig(16).position = 4;
    Fig(22).injury = 1;
    Fig(31).position = 0;
    EXPECT_EQ(Match_ComputerSubstitution(1), 16);
    Fig(31).benchState = 50;  // the bench keeper has played: the injury comes first
    EXPECT_EQ(Match_ComputerSubstitution(1), 22);
}

TEST_F(TeamJobsTest, WeaknessAndStrainWaitForTheSecondHalfButAnInjuryDoesNot) {
    Fig(20).stateA = 41;
    int firstHalf = 0, secondHalf = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        GameSeedRandom(seed);
        Period = 0;
        firstHalf += Match_ComputerSubstitution(1) >= 0;
        Period = 1;
        const int16_t off = Match_ComputerSubstitution(1);
        secondHalf += off >= 0;
        EXPECT_TRUE(off == 17 || off == 20) << "the weakest (the first of equals) or the tired one";
    }
    EXPECT_EQ(firstHalf, 0);
    EXPECT_EQ(secondHalf, 300);
    Fig(20).stateA = 40;
    Fig(25).injury = 3;
    Period = 0;
    EXPECT_EQ(Match_ComputerSubstitution(1), 25);
}

TEST_F(TeamJobsTest, AWeakPlayerComesOffOnlyWhenTheDrawNamesHisFigure) {
    // Team 1's weakest is figure 17 (equal marks: the first); the draw must
    // be 17 of 50 once the ratings are worked out.
    Period = 1;
    int requests = 0;
    for (uint32_t seed = 1; seed <= 500; ++seed) {
        GameSeedRandom(seed);
        const int draw = GameRandom() % 50;
        GameSeedRandom(seed);
        const int16_t off = Match_ComputerSubstitution(1);
        EXPECT_EQ(off >= 0, draw == 17) << seed;
        requests += off >= 0;
    }
    EXPECT_GT(requests, 0);
    // A locked player is never the weakest.
    Fig(17).stateC = 1;
    for (uint32_t seed = 1; seed <= 500; ++seed) {
        GameSeedRandom(seed);
        const int16_t off = Match_ComputerSubstitution(1);
        if (off >= 0) {
            EXPECT_EQ(off, 18);
        }
    }
}

// ---------------------------------------------------------------------------
// Who comes on.

TEST_F(TeamJobsTest, TheBestFittingBenchPlayerComesOnAndTheLaterOfEquals) {
    Fig(3).position = 1;
    for (int figure = 11; figure < kTeamFigures; ++figure) Fig(figure).position = 9;
    EXPECT_EQ(Match_PickSubstitute(0, 3), 15) << "equal scores: the last";
    Fig(12).position = 3;  // fits a 1 best (10 against 6)
    EXPECT_EQ(Match_PickSubstitute(0, 3), 12);
    Fig(14).pace = 100;  // 250 x 6 = 1500 does not beat 200 x 10 = 2000
    EXPECT_EQ(Match_PickSubstitute(0, 3), 12);
    Fig(14).pace = 127;
    Fig(14).shooting = Fig(14).passing = Fig(14).tackling = 127;  // 508 x 6 = 3048
    EXPECT_EQ(Match_PickSubstitute(0, 3), 14);
    // Only named substitutes still on the bench count.
    Fig(14).benchState = 0xFF;
    Fig(12).onBench = 0;
    EXPECT_EQ(Match_PickSubstitute(0, 3), 15);
    EXPECT_EQ(Match_PickSetPieceTaker(0, 3), 15) << "one routine";
    for (int figure = 11; figure < kTeamFigures; ++figure) Fig(figure).off = 0;
    EXPECT_EQ(Match_PickSubstitute(0, 3), -1);
}

TEST_F(TeamJobsTest, ThePlayerManagersOwnPositionCountsAsCentralMidfield) {
    Fig(3).position = 13;
    for (int figure = 11; figure < kTeamFigures; ++figure) Fig(figure).position = 1;
    Fig(13).position = 7;  // 13 for 7, 4 for 1
    EXPECT_EQ(Match_PickSubstitute(0, 3), 13);
    Fig(3).position = -1;
    EXPECT_EQ(Match_PickSubstitute(0, 3), 13);
}

TEST_F(TeamJobsTest, TheBestHandsGoInGoalWhateverTheShirts) {
    // Shirts that do not follow the player list.
    for (int k = 0; k < kTeamFigures; ++k) Fig(16 + k).shirt = int8_t(16 - k);
    Fig(16).off = 1;  // the keeper is gone
    Fig(20).keeping = 30;
    Fig(20).agility = 30;
    Fig(23).keeping = 50;
    Fig(23).agility = 10;  // equal: the later
    Match_PickPlayerByAttributes(1);
    EXPECT_EQ(MatchLineUp[1][0], 23);
    EXPECT_EQ(MatchLineUp[1][7], 16);
    Fig(20).agility = 31;
    Match_PickPlayerByAttributes(1);
    EXPECT_EQ(MatchLineUp[1][0], 20);
    EXPECT_EQ(MatchLineUp[1][4], 23);
}

TEST_F(TeamJobsTest, TheRequestIsCarriedOutOnceAndANoneIsNeverAFigure) {
    Fig(5).injury = 1;
    MatchPhase = kPhaseThrowIn;
    ASSERT_EQ(Match_ComputerSubstitution(0), 5);
    MatchStartSubstitution(0);
    EXPECT_EQ(MatchPhase, kPhaseSubstitution);
    EXPECT_EQ(ResumePhase, 3);
    EXPECT_EQ(+Fig(5).action, kActionSubstitutedOff);
    EXPECT_EQ(SubstitutionRequest[0][0], kNoSubstitutionRequest);
    EXPECT_EQ(TeamStoppageRequest[0], 0);
    // No request: nothing starts.
    MatchPhase = kPhaseThrowIn;
    MatchStartSubstitution(0);
    EXPECT_EQ(MatchPhase, 3);
    // Nobody to bring on: the request is dropped and play is not held up.
    Fig(9).injury = 1;
    Fig(5).injury = 0;
    for (int figure = 11; figure < kTeamFigures; ++figure) Fig(figure).benchState = 0xFF;
    ASSERT_EQ(Match_ComputerSubstitution(0), 9);
    MatchStartSubstitution(0);
    EXPECT_EQ(MatchPhase, 3);
    EXPECT_EQ(TeamStoppageRequest[0], 0);
    EXPECT_NE(+Fig(9).action, kActionSubstitutedOff);
}

TEST_F(TeamJobsTest, ASubstitutionWhoseWalkOffWasCalledAwayEnds) {
    Fig(5).injury = 1;
    MatchPhase = kPhaseFoul;
    PhaseTimer = -1;
    ASSERT_EQ(Match_ComputerSubstitution(0), 5);
    MatchStartSubstitution(0);
    ASSERT_EQ(MatchPhase, kPhaseSubstitution);
    MatchPhaseTick();
    EXPECT_EQ(MatchPhase, kPhaseSubstitution) << "he is walking off";
    // The referee calls him over and he goes back to play.
    Match_SetPlayerAction(5, kActionBooked);
    MatchPhaseTick();
    EXPECT_EQ(MatchPhase, kPhaseSubstitution);
    Match_SetPlayerAction(5, kActionRunToPosition);
    MatchPhaseTick();
    EXPECT_EQ(MatchPhase, 1) << "the interrupted phase resumes";
}

// ---------------------------------------------------------------------------
// Marking.

TEST_F(TeamJobsTest, MarkingFollowsPossessionOnTheSixthCallOrAtOnceAtAStoppage) {
    MatchPhase = kPhaseOpenPlay;
    BallTeam = 1;
    for (int call = 1; call <= 5; ++call) {
        Match_TeamJobPhase2();
        EXPECT_EQ(MarkingTeam, 0) << call;
    }
    Match_TeamJobPhase2();
    EXPECT_EQ(MarkingTeam, 1);
    BallTeam = 0;
    MatchPhase = kPhaseCorner;
    Match_TeamJobPhase2();
    EXPECT_EQ(MarkingTeam, 0);
}

TEST_F(TeamJobsTest, AtACornerAnAttackerCloseToTheBallIsLeftToOthers) {
    // Team 0 attacks the far goal; only figure 5 stands near the corner.
    for (int figure = 0; figure < kPlayerFigures; ++figure) Fig(figure).y = 1000;
    for (int figure = 16; figure < 27; ++figure) {
        Fig(figure).formationX = 200;
        Fig(figure).formationY = 200;
        Fig(figure).targetX = Fig(figure).targetY = 0;
    }
    Fig(20).formationX = 1300;
    Fig(20).formationY = 2000;
    BallState.x = 1430;
    BallState.y = 2034;
    BallTeam = 0;
    MatchPhase = kPhaseTakeCorner;
    // The ranking names every attacker and nobody is challenging (not what
    // an earlier match left).
    for (int team = 0; team < 2; ++team) {
        for (int k = 0; k < kTeamFigures; ++k) BallRanking[team][k] = int16_t(team * kTeamFigures + k);
        TeamChallenger[team] = kNoChallenger;
    }
    for (int figure = 16; figure < 32; ++figure) Fig(figure).offsideWord = 7;
    for (const int gap : {159, 160}) {
        Fig(5).x = int16_t(1430 - gap);
        Fig(5).y = 2034;
        Fig(20).targetX = 0;
        Match_TeamJobPhase2();
        if (gap == 159) {
            EXPECT_EQ(+Fig(20).targetX, 0) << "too near the ball to be marked";
        } else {
            EXPECT_NE(+Fig(20).targetX, 0);
            EXPECT_EQ(MarkerAssigned[20], 1u);
            // Goal side of him: toward the goal he attacks.
            EXPECT_GT(+Fig(20).targetY, 2034 - 40);
            EXPECT_LT(+Fig(20).targetX, 1430 - gap + 1);
        }
    }
    for (int figure = 16; figure < 32; ++figure) EXPECT_EQ(+Fig(figure).offsideWord, 0) << figure;
}

TEST_F(TeamJobsTest, InOpenPlayTheMarkerIsTheNearestFreeDefenderWithinHisReach) {
    for (int figure = 0; figure < kPlayerFigures; ++figure) Fig(figure).y = 1000;
    BallState.x = 796;
    BallState.y = 1500;
    Fig(7).x = 900;
    Fig(7).y = 1450;
    Fig(7).tackling = 100;
    for (int figure = 16; figure < 27; ++figure) {
        Fig(figure).formationX = 100;
        Fig(figure).formationY = 100;
    }
    Fig(18).formationX = 900;
    Fig(18).formationY = 1700;  // 250 away: reach 2 x 50 + 200 = 300
    Fig(19).formationX = 900;
    Fig(19).formationY = 1650;
    Fig(19).action = kActionThink;  // thinking: not free to mark
    MatchLastDefenderY[1] = 1200;
    MatchPhase = kPhaseOpenPlay;
    Match_TeamJobPhase2();
    EXPECT_EQ(MarkerAssigned[19], 0u);
    ASSERT_EQ(MarkerAssigned[18], 1u);
    // Goal side of him, behind the back line: kept.
    EXPECT_GT(+Fig(18).targetY, 1450);
    Fig(18).formationY = 1750;  // 300 away: out of reach
    Fig(18).targetY = 0;
    Match_TeamJobPhase2();
    EXPECT_EQ(MarkerAssigned[18], 0u);
    EXPECT_EQ(+Fig(18).targetY, 0);
    // A target just upfield of the back line is taken onto it.
    Fig(18).formationY = 1700;
    MatchLastDefenderY[1] = 1600;
    Match_TeamJobPhase2();
    EXPECT_EQ(+Fig(18).targetY, 1600);
}

// ---------------------------------------------------------------------------
// Offside step-back and man-markers.

TEST_F(TeamJobsTest, APlayerCaughtBeyondTheLineStepsBackOnceHisHesitationRunsOut) {
    MatchLastDefenderY[1] = 1700;  // team 0 attacks the far goal
    Fig(9).y = 1750;
    Fig(9).targetY = 1900;
    Fig(9).offsideWord = 2;
    MatchPhase = kPhaseOpenPlay;
    Match_TeamJobPhase3();
    EXPECT_EQ(+Fig(9).offsideWord, 2);
    EXPECT_EQ(+Fig(9).targetY, 1700 - 16);
    Match_TeamJobPhase3();
    EXPECT_EQ(+Fig(9).targetY, 1700 - 16) << "16 behind the line, not 16 further";
    // Beyond the line with no hesitation yet: it is drawn from his wits.
    Fig(9).offsideWord = 0;
    Fig(9).intelligence = 100;
    Match_TeamJobPhase3();
    EXPECT_GE(+Fig(9).offsideWord, 1);
    EXPECT_LE(+Fig(9).offsideWord, 13);
    // Back onside it only runs down; and nothing happens outside open play.
    Fig(9).y = 1600;
    Fig(9).offsideWord = 5;
    Match_TeamJobPhase3();
    EXPECT_EQ(+Fig(9).offsideWord, 4);
    MatchPhase = kPhaseThrowIn;
    Match_TeamJobPhase3();
    EXPECT_EQ(+Fig(9).offsideWord, 4);
}

TEST_F(TeamJobsTest, AManMarkerStandsGoalSideOfHisMan) {
    // Team 1 defends the far goal (team 0 attacks it); its slot 3 marks
    // team 0's slot 9.
    Fig(19).tacticBytes[6] = 9;
    Fig(9).x = 796;
    Fig(9).y = 1800;
    MatchPhase = kPhaseOffside;
    Match_PlaceManMarkers();
    EXPECT_EQ(+Fig(19).targetX, 796);
    EXPECT_NEAR(+Fig(19).targetY, 1800 + 32, 1);
    Fig(9).off = 1;
    Fig(19).targetY = 0;
    Match_PlaceManMarkers();
    EXPECT_EQ(+Fig(19).targetY, 0) << "his man has left the pitch";
    Fig(9).off = 0;
    MatchPhase = kPhaseThrowIn;
    Match_PlaceManMarkers();
    EXPECT_EQ(+Fig(19).targetY, 0);
}

TEST_F(TeamJobsTest, TheBallHolderIsTheFirstWithTheBall) {
    Match_FindBallHolder();
    EXPECT_EQ(BallCarrierFigure, -1);
    Fig(25).hasBall = 1;
    Fig(7).hasBall = 1;
    Match_FindBallHolder();
    EXPECT_EQ(BallCarrierFigure, 7);
}

}  // namespace
