// Hand-set open play for the tests of the ranking, the thinking players and
// the player on the ball: every figure on the pitch at a chosen spot, clip
// lengths from a fixed table (no archive), a handler run as the dispatcher
// runs it.
#pragma once
#include <gtest/gtest.h>

#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/motion.h"
#include "core/match/officials.h"
#include "core/match/ranking.h"
#include "tests/core/match/frame_fixture.h"
#include "tests/fakes/action_tick.h"

namespace openplaytest {

// Every clip long enough for the frames the actions test.
inline uint32_t LongClips(int32_t clip) { return clip == 28 ? 44 : 80; }

class OpenPlayTest : public frametest::FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        // No clip's root motion moves a figure: a whole match run before
        // may have left the archive's clips loaded.
        Motion_FreeAll();
        MatchClipFrameCount = LongClips;
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            f.dribble = f.tackling = f.shooting = f.passing = f.vision = f.agility = f.composure = 50;
            f.outlook = f.control = f.heading = 50;
            f.left = f.right = 2;
            f.action = kActionStand;
            f.anim = -1;
            Put(int16_t(figure), 300 + 60 * (figure % kTeamFigures), figure < kTeamFigures ? 600 : 1500);
            f.targetX = f.x;
            f.targetY = f.y;
        }
        PutBall(796, 1082);
        TeamChallenger[0] = TeamChallenger[1] = kNoChallenger;
        LastToucher = PreviousToucher = -1;
        LineUpPending = 0;
        BallState.holder = BallState.controller = 0;
    }
    void TearDown() override {
        MatchClipFrameCount = nullptr;
        FrameTest::TearDown();
    }
    static void Put(int16_t figure, int x, int y) {
        MatchFigure& f = MatchFigures[figure];
        f.x = int16_t(x);
        f.y = int16_t(y);
        f.x16 = int32_t(x) * 65536;
        f.y16 = int32_t(y) * 65536;
        f.ballDirection = Match_DirectionTo(x, y, BallState.x, BallState.y);
        f.ballDistance = uint16_t(Match_ApproxDistance(x, y, BallState.x, BallState.y));
    }
    // A still ball at (x, y) with its predictions on it.
    static void PutBall(int x, int y) {
        BallState.x = int16_t(x);
        BallState.y = int16_t(y);
        BallState.z = 0;
        BallState.x16 = int32_t(x) * 65536;
        BallState.y16 = int32_t(y) * 65536;
        BallState.vx = BallState.vy = BallState.vz = 0;
        BallState.direction = kNoDirection;
        BallGroundSpeed = 0;
        MatchFigures[kBallFigure].x = int16_t(x);
        MatchFigures[kBallFigure].y = int16_t(y);
        for (auto& point : BallState.predicted) {
            point[0] = int16_t(x);
            point[1] = int16_t(y);
        }
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            f.ballDirection = Match_DirectionTo(f.x, f.y, x, y);
            f.ballDistance = uint16_t(Match_ApproxDistance(f.x, f.y, x, y));
        }
    }
    // One tick of the figure's action handler, as the dispatcher runs it.
    static void Run(int16_t figure) { testenv::RunActionTick(figure); }
    static void Rank(int team) {
        RankingTeam = uint8_t(team);
        Match_RankPlayersByBall();
    }
};

}  // namespace openplaytest
