// Open play with the real clips: a lone carrier runs the ball up the pitch,
// the ranking settles, a defender closes down the carrier, and two full
// sides play from a ball on the centre spot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"
#include "core/match/dribble.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/setpieces.h"
#include "tests/core/match/scenario.h"

namespace {

using namespace scenario;

class OpenPlayScenario : public ::testing::Test {
  protected:
    void SetUp() override {
        FillTwoClubs(31);
        StartMatch(5);
    }
    static void AllOff() {
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigures[figure].off = 1;
            MatchFigures[figure].action = kActionStand;
        }
    }
    // The kick-off shape as the formation gives it, everyone on his place.
    static void FormUp() {
        MatchPhase = kPhaseKickOffSetUp;
        LineUpPending = 0;
        Match_ChooseFormationZone();
        Match_SetFormationTargets();
        PlaceTeamsOnFormation();
    }
    static bool IsChallenge(uint16_t action) {
        return action == kActionBlockTackle || action == kActionSlideTackle ||
               action == kActionSlidingTackle || action == kActionStandingChallenge ||
               action == kActionHeavySlide;
    }
};

// The frames at which the carrier knocked the ball on (the knock plays
// sound event 6 after the tick's animation step).
std::vector<int> KnockFrames;
int16_t WatchedCarrier = -1;
void RecordKnock(int16_t event, int16_t) {
    if (event == 6 && WatchedCarrier >= 0) KnockFrames.push_back(MatchFigures[WatchedCarrier].frame - 1);
}

TEST_F(OpenPlayScenario, ALoneCarrierRunsTheBallTowardGoalTouchingItAtTheTouchFrames) {
    AllOff();
    const int16_t carrier = MatchLineUp[0][7];
    MatchFigure& c = MatchFigures[carrier];
    c.off = 0;
    PlaceFigure(carrier, 700, 700, kActionThink);
    c.facing = 128;  // team 0 attacks the goal at y 2038
    c.hasBall = 1;
    PlaceBall(700, 704);
    StartOpenPlay(0);
    TeamChallenger[0] = carrier;
    KnockFrames.clear();
    WatchedCarrier = carrier;
    MatchHooks.soundEvent = RecordKnock;
    for (int tick = 0; tick < 240; ++tick) {
        MatchTick();
        ASSERT_EQ(MatchPhase, kPhaseOpenPlay) << tick;
        // He never lets the ball run far from him.
        ASSERT_LT(Match_ApproxDistance(c.x, c.y, BallState.x, BallState.y), 100) << tick;
    }
    MatchHooks = MatchDisplayHooks{};
    EXPECT_GE(KnockFrames.size(), 3u);
    for (int frame : KnockFrames) {
        EXPECT_TRUE(frame == kDribbleLeftTouchFrame || frame == kDribbleRightTouchFrame) << frame;
    }
    EXPECT_GT(+c.y, 700 + 400);  // well up the pitch, toward the goal he attacks
    EXPECT_GT(+BallState.y, +c.y);
    EXPECT_LT(std::abs(c.x - 700), 120);
    EXPECT_EQ(LastToucher, carrier);
}

TEST_F(OpenPlayScenario, HeldStillTheRankingSettlesAndTheFirstFigureNeverMovesUp) {
    FormUp();
    PlaceBall(500, 700);
    StartOpenPlay(1);
    for (int team = 0; team < 2; ++team) {
        const int16_t first = int16_t(team * kTeamFigures);
        int firstAt = 0;
        for (int run = 0; run < 15; ++run) {
            RankingTeam = uint8_t(team);
            Match_RankPlayersByBall();
            int at = 0;
            while (BallRanking[team][at] != first) ++at;
            EXPECT_GE(at, firstAt) << "run " << run;
            firstAt = at;
        }
        for (int k = 0; k + 1 < kTeamFigures; ++k) {
            const int16_t a = BallRanking[team][k], b = BallRanking[team][k + 1];
            if (a == first || b == first) continue;
            EXPECT_LE(MatchFigures[a].rankDistance, MatchFigures[b].rankDistance) << team << " entry " << k;
        }
    }
}

TEST_F(OpenPlayScenario, TheDefendersChallengerClosesDownTheCarrierAndGoesIn) {
    FormUp();
    // Team 1's striker has the ball in the middle of team 0's half.
    const int16_t carrier = MatchLineUp[1][9];
    PlaceFigure(carrier, 796, 800, kActionOnBall);
    MatchFigures[carrier].facing = 0;
    MatchFigures[carrier].hasBall = 1;
    PlaceBall(796, 796);
    StartOpenPlay(1);
    TeamChallenger[1] = carrier;
    int startDistance = 10000, closest = 10000;
    for (int slot = 1; slot <= 10; ++slot) {
        const MatchFigure& d = MatchFigures[MatchLineUp[0][slot]];
        startDistance = std::min<int>(startDistance, Match_ApproxDistance(d.x, d.y, 796, 800));
    }
    bool challenged = false;
    for (int tick = 0; tick < 400 && !challenged; ++tick) {
        MatchTick();
        if (MatchPhase != kPhaseOpenPlay || BallTeam != 1) break;
        const int16_t now = TeamChallenger[0];
        if (!Match_IsPlayerFigure(now)) continue;
        const MatchFigure& d = MatchFigures[now];
        const MatchFigure& c = MatchFigures[carrier];
        closest = std::min<int>(closest, Match_ApproxDistance(d.x, d.y, c.x, c.y));
        for (int figure = 0; figure < kTeamFigures; ++figure)
            challenged |= IsChallenge(MatchFigures[figure].action);
    }
    EXPECT_GT(startDistance, 150);
    EXPECT_LT(closest, 48);
    EXPECT_TRUE(challenged);
}

// A fingerprint of the figures and the ball.
uint64_t Fingerprint() {
    uint64_t h = 1469598103934665603ull;
    const auto mix = [&h](int64_t v) { h = (h ^ uint64_t(v)) * 1099511628211ull; };
    for (int figure = 0; figure < kMatchFigureCount; ++figure) {
        mix(MatchFigures[figure].x16);
        mix(MatchFigures[figure].y16);
        mix(MatchFigures[figure].action);
    }
    mix(BallState.x16);
    mix(BallState.y16);
    return h;
}

struct PlayReport {
    uint64_t fingerprint;
    double thinkersPerTeam;
    int maxThinkers;
    int ballMoves;
    long openPlayTicks;
};

PlayReport PlayFromTheCentreSpot(uint32_t seed) {
    FillTwoClubs(31);
    StartMatch(seed);
    StartOpenPlayFromTheCentre();
    PlayReport report{};
    long thinkers = 0, samples = 0;
    int16_t lastX = BallState.x, lastY = BallState.y;
    for (int tick = 0; tick < 3000 && MatchFinished == 0; ++tick) {
        MatchTick();
        if (BallState.x != lastX || BallState.y != lastY) ++report.ballMoves;
        lastX = BallState.x;
        lastY = BallState.y;
        for (int team = 0; team < 2; ++team) {
            int inFour = 0;
            for (int slot = 0; slot < kTeamFigures; ++slot) {
                const int16_t figure = MatchLineUp[team][slot];
                const MatchFigure& f = MatchFigures[figure];
                EXPECT_LT(f.action, kMatchActionCount);
                if (f.off != 0) continue;
                EXPECT_GE(f.x, -300);
                EXPECT_LE(f.x, 1600);
                EXPECT_GE(f.y, -10);
                EXPECT_LE(f.y, 2200);
                if (f.action == kActionThink) ++inFour;
            }
            if (MatchPhase == kPhaseOpenPlay) {
                thinkers += inFour;
                ++samples;
                report.maxThinkers = std::max(report.maxThinkers, inFour);
            }
        }
    }
    report.openPlayTicks = samples / 2;
    report.thinkersPerTeam = samples == 0 ? 0.0 : double(thinkers) / double(samples);
    report.fingerprint = Fingerprint();
    return report;
}

TEST_F(OpenPlayScenario, OpenPlayFromTheCentreSpotStaysOnThePitchAndRepeats) {
    const PlayReport first = PlayFromTheCentreSpot(77);
    EXPECT_LE(first.thinkersPerTeam, 3.0);
    EXPECT_GT(first.openPlayTicks, 300);
    EXPECT_GT(first.ballMoves, 300);  // the ball is contested and carried
    const PlayReport again = PlayFromTheCentreSpot(77);
    EXPECT_EQ(first.fingerprint, again.fingerprint);
}

TEST_F(OpenPlayScenario, AGoalKickWhoseKeeperWasCalledAwayIsTakenByHimAllTheSame) {
    FormUp();
    AttackDirection = 0;  // team 1 defends the high goal
    PlaceBall(630, 1942);
    GoalKickX = 630;
    GoalKickY = 1942;
    RestartTeam = 1;
    MatchPhase = kPhaseTakeGoalKick;
    PhaseTimer = 0;
    RestartStallCount = 0;
    const int16_t keeper = MatchLineUp[1][0];
    ASSERT_EQ(+MatchFigures[keeper].action, kActionKeeperReady) << "standing in goal, not taking the kick";
    int ticks = 0;
    while (MatchPhase != kPhaseOpenPlay && ticks++ < 4000) MatchTick();
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_EQ(LastToucher, keeper) << "the keeper kicked it";
    EXPECT_EQ(RestartStallCount, 0);
}

}  // namespace
