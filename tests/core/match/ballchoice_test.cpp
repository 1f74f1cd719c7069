// The decisions around the ball: the shot aim, the carrier's choice, the
// clearance that never goes toward the own goal, the shoot-or-not test,
// tackles and their outcome, the high-ball reaction and the header choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/headershot.h"
#include "core/match/highball.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/tackle.h"
#include "tests/core/match/units.h"

namespace {

constexpr int32_t kChoiceUnit = 65536;

class BallChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        MatchResetEngineState();
        MatchHooks = MatchDisplayHooks{};
        MatchPhase = kPhaseOpenPlay;
        AttackDirection = 0;  // team 0 attacks the goal at y 2038
        Goals[0] = Goals[1] = 0;
        MatchResetTackleCounts();
        HighBallReactionLevel = 0;
        for (int16_t f = 0; f < kPlayerFigures; ++f) {
            MatchFigure& p = MatchFigures[f];
            p.off = 1;
            p.x = p.y = 3000;
        }
        BallState.drag = 991;
        BallState.gravity = 40000;
        BallState.bounceKeep = 0.96f;
        BallState.bounceRestitution = 0.52f;
        GameSeedRandom(3);
    }

    static MatchFigure& Player(int16_t figure, int x, int y, uint16_t action, uint16_t facing = 0) {
        MatchFigure& p = MatchFigures[figure];
        p.off = 0;
        p.x = int16_t(x);
        p.y = int16_t(y);
        p.x16 = x * kChoiceUnit;
        p.y16 = y * kChoiceUnit;
        p.facing = facing;
        p.touchLockout = 0;
        p.actionFlag = 0;
        p.injury = 0;
        p.shooting = p.passing = p.dribble = p.composure = p.intelligence = p.agility = 50;
        p.tackling = p.heading = p.pace = p.stamina = p.resilience = 50;
        Match_SetPlayerAction(figure, action);
        return p;
    }
    static void Current(int16_t figure) {
        const MatchFigure& p = MatchFigures[figure];
        CurrentTeam = uint8_t(figure / kTeamFigures);
        MatchCurX = p.x;
        MatchCurY = p.y;
        MatchCurX16 = p.x16;
        MatchCurY16 = p.y16;
    }
    static void Ball(int x, int y, int z) {
        BallState.x = int16_t(x);
        BallState.y = int16_t(y);
        BallState.z = int16_t(z);
        BallState.x16 = x * kChoiceUnit;
        BallState.y16 = y * kChoiceUnit;
        BallState.z16 = z * kChoiceUnit;
        MatchFigures[kBallFigure].x = int16_t(x);
        MatchFigures[kBallFigure].y = int16_t(y);
    }
};

TEST_F(BallChoiceTest, PlacedKickAimsInsideTheFarPostBySkill) {
    // A bench figure has no line-up slot, so his composure counts in full.
    Player(16, 796, 2014, kActionKeeperReady);  // the opposing keeper in the middle of his goal
    for (int shooting : {100, 0}) {
        int low = 10000, high = -10000;
        for (uint32_t seed = 1; seed <= 2000; ++seed) {
            GameSeedRandom(seed);
            MatchFigure& p = Player(12, 700, 1700, kActionStand);
            p.composure = 100;
            p.shooting = int8_t(shooting);
            Current(12);
            MatchChooseShotAim(12, 2);
            low = std::min<int>(low, FreeKickAimX);
            high = std::max<int>(high, FreeKickAimX);
            EXPECT_EQ(FreeKickAimY, 2048);
        }
        EXPECT_EQ(low, shooting == 100 ? 845 : 853);
        EXPECT_EQ(high, shooting == 100 ? 864 : 872);
    }
}

TEST_F(BallChoiceTest, AimOnlyModesChangeNoAction) {
    Player(16, 796, 2014, kActionKeeperReady);
    for (int16_t mode = 1; mode <= 3; ++mode) {
        MatchFigure& p = Player(9, 800, 1800, kActionOnBall, 128);
        Current(9);
        Match_DecideWithBall(9, mode);
        EXPECT_EQ(p.action, kActionOnBall);
        EXPECT_EQ(+BallState.vx, 0);
    }
}

TEST_F(BallChoiceTest, CarrierChoiceOverRandomStates) {
    int turningShots = 0;
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        GameSeedRandom(seed);
        const int keeperY = 1900 + int(GameRandom() % 138);
        Player(16, 700 + GameRandom() % 200, keeperY, kActionKeeperReady);
        const int x = 500 + GameRandom() % 600;
        const int y = 1500 + GameRandom() % 530;
        const uint16_t facing = uint16_t(GameRandom() % 256);
        MatchFigure& p = Player(9, x, y, kActionOnBall, facing);
        p.dribble = int8_t(GameRandom() % 101);
        p.composure = int8_t(GameRandom() % 101);
        p.shooting = int8_t(GameRandom() % 101);
        p.passing = int8_t(GameRandom() % 101);
        p.gait = uint16_t(GameRandom() % 3);
        Current(9);
        Ball(x, y + 4, 0);
        const uint16_t goal = Match_DirectionTo(x, y, 796, 2038);
        int goalAngle = y <= 1082 ? goal : std::abs(128 - int(goal));
        if (goalAngle > 128) goalAngle = 256 - goalAngle;
        const int turn = std::min<int>(std::abs(int(goal) - facing), 256 - std::abs(int(goal) - facing));
        const bool beyond = y > keeperY;
        const bool standing = p.gait == 0;
        Match_DecideWithBall(9, 0);
        const uint16_t a = p.action;
        // Every action the choice can set.
        // A carry toward the middle may start a turn with the ball (7..13).
        const bool listed = a == 5 || a == 16 || a == 78 || a == 81 || a == 97 || a == 98 || a == 105 ||
                            a == 106 || a == 107 || a == 131 || a == 132 || a == 140 || a == 141 ||
                            (a >= 7 && a <= 13);
        EXPECT_TRUE(listed) << a;
        // A carrier standing on the ball strikes the turning shots without a
        // run-up, a moving one those with it.
        if (standing) {
            EXPECT_TRUE(a != 98 && a != 107) << a;
        } else {
            EXPECT_TRUE(a != 97 && a != 106) << a;
        }
        if (beyond) {
            EXPECT_NE(a, 105);
            EXPECT_NE(a, 16);
        }
        if (goalAngle < 15) {
            EXPECT_NE(a, 98);
            if (turn >= 48) {
                EXPECT_TRUE(a == 131 || a == 132 || a == 140 || a == 141) << a;
                ++turningShots;
            }
        }
    }
    EXPECT_GT(turningShots, 50);
}

// Where the line from (x, y) to the aim point crosses the goal line y =
// line, or no crossing.
bool CrossesBetweenPosts(int x, int y, int aimX, int aimY, int line) {
    if ((y - line) * (aimY - line) > 0 || aimY == y) return false;
    const double t = double(line - y) / double(aimY - y);
    const double crossX = x + t * (aimX - x);
    return crossX > 730.0 && crossX < 862.0;
}

TEST_F(BallChoiceTest, AClearanceNeverGoesBetweenTheOwnPosts) {
    for (uint32_t seed = 1; seed <= 4000; ++seed) {
        GameSeedRandom(seed);
        AttackDirection = uint8_t(seed & 1);
        const int16_t figure = int16_t(seed % 3 == 0 ? 20 : 4);
        const int team = figure / kTeamFigures;
        const int ownLine = team == AttackDirection ? 126 : 2038;
        const int x = 158 + GameRandom() % 1277;
        const int depth = GameRandom() % 700;
        const int y = ownLine == 126 ? 126 + depth : 2038 - depth;
        MatchFigure& p = Player(figure, x, y, kActionThink, uint16_t(GameRandom() % 256));
        p.gait = uint16_t(GameRandom() % 3);
        Current(figure);
        const uint16_t direction = uint16_t(GameRandom() % 256);
        MatchClearBall(figure, direction);
        EXPECT_FALSE(CrossesBetweenPosts(x, y, FreeKickAimX, FreeKickAimY, ownLine))
            << x << "," << y << " dir " << direction << " facing " << p.facing;
        const uint16_t a = p.action;
        EXPECT_TRUE(a == 52 || a == 78 || a == 81 || a == 123 || a == 124 || (a >= 129 && a <= 132)) << a;
        EXPECT_EQ(p.actionParam, a >= 129 && a <= 132 ? 2 : 1);
    }
}

TEST_F(BallChoiceTest, ShootDecisionSurvivesZeroSkillsAndSeesAnOpenGoal) {
    Player(16, 300, 2030, kActionKeeperReady);  // the keeper far off his line to one side
    MatchFigure& p = Player(9, 796, 1900, kActionOnBall, 128);
    p.shooting = 0;
    Current(9);
    EXPECT_EQ(MatchShootDecision(9, 1), 1);
    // The top goal: team 1 attacks it; its keeper (figure 0) in the way.
    Player(0, 796, 140, kActionKeeperReady);
    MatchFigure& q = Player(25, 796, 500, kActionOnBall, 0);
    q.shooting = 0;
    q.agility = 0;
    Current(25);
    MatchShootDecision(25, 1);  // no division by zero, whatever the answer
    // Facing away with the keeper between the posts: no open goal, and too
    // far to turn; with the keeper out of the goal, a shot at once.
    q.facing = 128;
    Current(25);
    EXPECT_EQ(MatchShootDecision(25, 1), 0);
    Player(0, 1300, 140, kActionKeeperReady);
    EXPECT_EQ(MatchShootDecision(25, 1), 1);
    // The same at the high goal.
    MatchFigure& r = Player(9, 796, 1700, kActionOnBall, 0);
    r.agility = 0;
    Player(16, 796, 2020, kActionKeeperReady);
    Current(9);
    EXPECT_EQ(MatchShootDecision(9, 1), 0);
}

TEST_F(BallChoiceTest, ChallengeOutcomes) {
    // A dribbler 50 above the tackler's half evades unless his agility is 0.
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        GameSeedRandom(seed);
        MatchFigure& c = Player(20, 500, 500, kActionTurnWithBallSmallA);
        c.dribble = 100;
        MatchFigure& t = Player(3, 505, 505, kActionSlideTackle);
        t.tackling = 0;
        c.counts[kCountKnockedDown] = 0;
        EXPECT_EQ(MatchChallengeOutcome(20, 3), 1);
        EXPECT_EQ(c.action, kActionHurdle);
        EXPECT_EQ(+c.actionFlag, 1);
        EXPECT_EQ(+c.counts[kCountKnockedDown], 0);  // he rode the tackle
        // Already going down: nothing more happens.
        const uint16_t before = c.action;
        EXPECT_EQ(MatchChallengeOutcome(20, 3), 1);
        EXPECT_EQ(c.action, before);
    }
    MatchFigure& c = Player(20, 500, 500, kActionTurnWithBallSmallA);
    c.dribble = 100;
    c.agility = 0;
    MatchFigure& t = Player(3, 505, 505, kActionSlideTackle);
    t.tackling = 0;
    c.counts[kCountKnockedDown] = 0;
    EXPECT_EQ(MatchChallengeOutcome(20, 3), 0);
    EXPECT_TRUE(c.action == kActionFallForward || c.action == kActionSlidingFall);
    EXPECT_EQ(+c.counts[kCountKnockedDown], 1);
    EXPECT_EQ(MatchChallengeOutcome(20, 3), 1);  // already down: not counted again
    EXPECT_EQ(+c.counts[kCountKnockedDown], 1);
}

TEST_F(BallChoiceTest, TackleInjuriesAndTheLossOfPace) {
    int hurtOrdinary = 0, hurtHard = 0, injuries = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        GameSeedRandom(seed);
        for (int hard = 0; hard < 2; ++hard) {
            MatchResetTackleCounts();
            CurrentTeam = 0;
            MatchFigure& c = Player(20, 500, 500, kActionRunToPosition);
            c.resilience = 100;
            c.agility = 0;  // never evades
            Player(3, 505, 505, hard ? kActionHeavySlide : kActionSlideTackle);
            EXPECT_EQ(MatchChallengeOutcome(20, 3), 0);
            if (c.pace < 50) {
                (hard ? hurtHard : hurtOrdinary)++;
                injuries += c.injury;
            }
        }
    }
    EXPECT_EQ(hurtOrdinary, 0);
    EXPECT_GT(hurtHard, 50);  // above 75 of 100
    EXPECT_LT(hurtHard, 150);
    EXPECT_GT(injuries, 0);
    // Four injuries counted: the fifth hurt player loses pace but is not injured.
    int hurtAfterFour = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        GameSeedRandom(seed);
        TackleInjuries[1] = kTackleInjuryLimit;
        CurrentTeam = 0;
        MatchFigure& c = Player(20, 500, 500, kActionRunToPosition);
        c.resilience = 0;
        c.agility = 0;
        Player(3, 505, 505, kActionHeavySlide);
        MatchChallengeOutcome(20, 3);
        EXPECT_EQ(+c.injury, 0);
        hurtAfterFour += c.pace < 50;
    }
    EXPECT_GT(hurtAfterFour, 300);
}

TEST_F(BallChoiceTest, TackleChoiceNeedsALowBallAndSetsOnlyTackles) {
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        GameSeedRandom(seed);
        MatchFigure& c = Player(20, 600, 600, kActionOnBall, uint16_t(GameRandom() % 256));
        MatchFigure& d = Player(4, 600 + GameRandom() % 30, 600 + GameRandom() % 30, kActionThink,
                                uint16_t(GameRandom() % 256));
        d.tackling = int8_t(GameRandom() % 101);
        d.intelligence = int8_t(GameRandom() % 101);
        c.contactTicks = uint16_t(GameRandom() % 60);
        d.contactTicks = uint16_t(GameRandom() % 60);
        c.ballDirection = uint16_t(GameRandom() % 256);
        d.ballDirection = uint16_t(GameRandom() % 256);
        Ball(600, 604, int(GameRandom() % 40));
        BallState.direction = uint16_t(GameRandom() % 257);
        const bool high = BallState.z > 30;
        MatchChooseTackle(4, 20);
        const uint16_t a = d.action;
        EXPECT_TRUE(a == 4 || a == 32 || a == 56 || a == 89 || a == 91 || a == 116) << a;
        if (high) {
            EXPECT_EQ(a, 4);
        }
    }
}

// A defender coming from the side at a carrier with the ball at his feet:
// what he does over many draws, by his distance to the ball and the
// carrier's star count.
struct SideChallenges {
    int none = 0, slides = 0, heavy = 0, other = 0;
};

SideChallenges ChallengesFromTheSide(int defenderToBall, int16_t stars) {
    SideChallenges seen;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        GameSeedRandom(seed);
        MatchFigure& c = MatchFigures[20];
        c = MatchFigure{};
        c.x = c.y = 600;
        c.action = kActionOnBall;
        c.ballDirection = 0;  // the ball just ahead of him
        c.ballDistance = 4;
        c.infoWord1 = 1234;  // his player number
        c.infoWord2 = stars;
        MatchFigure& d = MatchFigures[4];
        d = MatchFigure{};
        d.x = int16_t(600 - defenderToBall);
        d.y = 596;
        d.action = kActionThink;
        d.facing = d.ballDirection = 64;  // facing the ball, which lies across him
        d.ballDistance = uint16_t(defenderToBall);
        d.tackling = d.intelligence = d.aggression = 50;
        // A long-standing closeness must not stand for nearness to the ball.
        d.contactTicks = 20;
        BallState.x = 600;
        BallState.y = 596;
        BallState.z = 0;
        BallState.direction = 0;
        MatchChooseTackle(4, 20);
        if (d.action == kActionThink) {
            ++seen.none;
        } else if (d.action == kActionSlideTackle) {
            ++seen.slides;
        } else if (d.action == kActionHeavySlide) {
            ++seen.heavy;
        } else {
            ++seen.other;
        }
    }
    return seen;
}

TEST_F(BallChoiceTest, TackleChoiceGoesByEachPlayersDistanceToTheBall) {
    // Beyond a stride of the ball nobody goes in.
    const SideChallenges far = ChallengesFromTheSide(60, 0);
    EXPECT_EQ(far.none, 400);
    // Within one, from the side, he slides in, a heavy slide only now and
    // then for a carrier who is no star; the player number plays no part.
    const SideChallenges near = ChallengesFromTheSide(20, 0);
    EXPECT_GT(near.slides, 50);
    EXPECT_LT(near.heavy * 10, near.slides);
    EXPECT_EQ(near.other, 0);
    // A great star draws the heavy slide every time.
    const SideChallenges star = ChallengesFromTheSide(20, 99);
    EXPECT_GT(star.heavy, 50);
    EXPECT_EQ(star.slides + star.other, 0);
}

TEST_F(BallChoiceTest, ACarrierWhoHasLostTheBallIsSeldomBroughtDown) {
    int down[2] = {};
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        for (int away = 0; away < 2; ++away) {
            GameSeedRandom(seed);
            MatchFigure& c = Player(20, 500, 500, kActionTurnWithBallSmallA);
            c.agility = 0;  // he never evades
            c.ballDistance = uint16_t(away ? 40 : 4);
            Player(3, 505, 505, kActionSlideTackle);
            down[away] += MatchChallengeOutcome(20, 3) == 0;
        }
    }
    EXPECT_EQ(down[0], 300);
    EXPECT_LT(down[1], 60);
    EXPECT_GT(down[1], 0);
}

TEST_F(BallChoiceTest, HighBallReactionRateAndHeights) {
    // A ball at height 200 coming straight at the player.
    auto reacts = [](int height) {
        BallPrediction.bestDistance = -1;
        BallState.z = int16_t(height);
        Match_ReactToHighBall(9);
        return BallPrediction.bestDistance != -1;
    };
    for (int heading : {100, 0}) {
        MatchFigure& p = Player(9, 800, 800, kActionReceivePass, 128);
        p.heading = int8_t(heading);
        p.ballDirection = 128;  // the ball lies toward larger y
        Ball(800, 1000, 200);
        BallState.vy = -10 * kChoiceUnit;
        Ball_UpdateDirectionSpeed();
        int count = 0;
        for (int call = 0; call < 42; ++call) count += reacts(200);
        EXPECT_EQ(count, heading == 100 ? 42 : 2);
    }
    MatchFigure& p = Player(9, 800, 800, kActionReceivePass, 128);
    p.heading = 100;
    p.ballDirection = 128;
    EXPECT_FALSE(reacts(29));
    EXPECT_FALSE(reacts(139));
    HighBallReactionLevel = 5;
    EXPECT_TRUE(reacts(30));
    // A ball moving away from him is not his.
    BallState.vy = 10 * kChoiceUnit;
    Ball_UpdateDirectionSpeed();
    EXPECT_FALSE(reacts(200));
}

// The heading check that decides a ball met at head height reads the
// distance to goal, which the reaction measures from the player: a
// distance left over from an earlier decision must not steer it.
TEST_F(BallChoiceTest, TheHighBallReactionMeasuresTheDistanceToGoalForTheHeader) {
    MatchFigure& p = Player(9, 800, 1800, kActionReceivePass, 0);
    p.heading = 100;
    p.vision = 0;         // no opponent looked for
    p.ballDirection = 0;  // the ball lies toward smaller y
    Ball(800, 1500, 240);
    BallState.vy = 12 * kChoiceUnit;
    BallState.vz = 2 * kChoiceUnit;
    Ball_UpdateDirectionSpeed();
    Current(9);
    GoalDistanceScratch = 5000;
    Match_ReactToHighBall(9);
    ASSERT_NE(BallPrediction.bestDistance, kNoMeetingPoint);
    ASSERT_GE(BallPrediction.height, 30);
    EXPECT_EQ(GoalDistanceScratch, MatchOctDistance(796 - 800, 2038 - 1800));
}

}  // namespace

namespace {

TEST_F(BallChoiceTest, ClearancesInEveryDirectionFromBothEnds) {
    for (int spot = 0; spot < 24; ++spot) {
        AttackDirection = uint8_t(spot & 1);
        const int x = 200 + (spot * 197) % 1200;
        const int y = AttackDirection == 0 ? 130 + (spot * 37) % 300 : 2034 - (spot * 37) % 300;
        for (int direction = 0; direction < 256; ++direction) {
            MatchFigure& p = Player(4, x, y, kActionThink, uint16_t((spot * 53) & 255));
            Current(4);
            MatchClearBall(4, uint16_t(direction));
            const int ownLine = AttackDirection == 0 ? 126 : 2038;
            EXPECT_FALSE(CrossesBetweenPosts(x, y, FreeKickAimX, FreeKickAimY, ownLine))
                << x << "," << y << " dir " << direction;
            EXPECT_GE(p.counts[kCountClearances], 1);
        }
    }
}

TEST_F(BallChoiceTest, HighBallAndHeaderChoicesOverRandomStates) {
    for (uint32_t seed = 1; seed <= 4000; ++seed) {
        GameSeedRandom(seed);
        HighBallReactionLevel = uint8_t(GameRandom() % 8);
        AttackDirection = uint8_t(GameRandom() % 2);
        Player(16, 796, 2014, kActionKeeperReady);
        Player(0, 796, 150, kActionKeeperReady);
        for (int16_t f : {int16_t(21), int16_t(22), int16_t(5)})
            Player(f, 300 + GameRandom() % 1000, 300 + GameRandom() % 1500, uint16_t(GameRandom() % 17));
        MatchFigure& p = Player(9, 300 + GameRandom() % 1000, 300 + GameRandom() % 1500, kActionReceivePass,
                                uint16_t(GameRandom() % 256));
        p.heading = int8_t(GameRandom() % 101);
        p.agility = int8_t(GameRandom() % 101);
        p.vision = int8_t(GameRandom() % 101);
        p.gait = uint16_t(GameRandom() % 3);
        p.work3 = 0;
        Ball(p.x + int(GameRandom() % 400) - 200, p.y + int(GameRandom() % 400) - 200,
             int(GameRandom() % 300));
        BallState.vx = int32_t(GameRandom() % 40 - 20) * kUnit;
        BallState.vy = int32_t(GameRandom() % 40 - 20) * kUnit;
        BallState.vz = int32_t(GameRandom() % 16 - 4) * kUnit;
        Ball_UpdateDirectionSpeed();
        p.ballDirection = Match_DirectionTo(p.x, p.y, BallState.x, BallState.y);
        Current(9);
        Match_ReactToHighBall(9);
        const uint16_t a = p.action;
        static constexpr uint16_t kListed[] = {17, 46, 47,  48,  50,  51,  79,  80,  82,  83,  84, 86,
                                               87, 88, 105, 114, 115, 118, 119, 120, 135, 136, 137};
        EXPECT_NE(std::find(std::begin(kListed), std::end(kListed), a), std::end(kListed)) << a;
        // The header choice on its own, from any facing.
        MatchFigure& h = Player(10, p.x, p.y, kActionReceivePass, uint16_t(GameRandom() % 256));
        Current(10);
        MatchHeadingCheck(10, uint16_t(GameRandom() % 256), int16_t(GameRandom() % 2));
        static constexpr uint16_t kHeaders[] = {46, 47, 48, 50, 82, 87, 120};
        EXPECT_NE(std::find(std::begin(kHeaders), std::end(kHeaders), h.action), std::end(kHeaders))
            << h.action;
        // The direction of a first-time kick (only chosen: the caller
        // strikes), and a challenge on a random carrier.
        MatchFigure& s = Player(11, p.x, p.y, kActionThink, uint16_t(GameRandom() % 256));
        s.tackling = int8_t(GameRandom() % 101);
        Current(11);
        const uint16_t clearances = s.counts[kCountClearances];
        MatchTryShot(11, s.facing);
        EXPECT_EQ(s.action, kActionThink);
        EXPECT_EQ(s.counts[kCountClearances], clearances);
        const int aimed = Match_DirectionTo(s.x, s.y, FreeKickAimX, FreeKickAimY);
        const int goal = Match_GoalDirection(11, 1, 0);
        EXPECT_TRUE(std::abs(aimed - 0) <= 1 || std::abs(aimed - 256) <= 1 || std::abs(aimed - 128) <= 1 ||
                    std::abs(aimed - goal) <= 1)
            << aimed;
        MatchFigure& c = Player(21, p.x, p.y, uint16_t(GameRandom() % 20), uint16_t(GameRandom() % 256));
        c.dribble = int8_t(GameRandom() % 101);
        c.agility = int8_t(GameRandom() % 101);
        c.resilience = int8_t(GameRandom() % 101);
        c.contactTicks = uint16_t(GameRandom() % 40);
        const uint16_t carrierAction = c.action;
        Player(12, p.x, p.y, uint16_t(32 + GameRandom() % 2 * 24), uint16_t(GameRandom() % 256));
        const int16_t outcome = MatchChallengeOutcome(21, 12);
        EXPECT_TRUE(outcome == 0 || outcome == 1);
        if (outcome == 0) {
            EXPECT_TRUE(c.action == kActionFallForward || c.action == kActionSlidingFall) << c.action;
        } else {
            EXPECT_TRUE(c.action == carrierAction || c.action == kActionHurdle) << c.action;
        }
    }
}

TEST_F(BallChoiceTest, HeaderChoiceByAngleToGoalAndHeading) {
    // Nobody in front, far from goal: facing goal, a strong header goes at
    // goal; sideways an attacking header; facing away a header back.
    GoalDistanceScratch = 1000;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        GameSeedRandom(seed);
        MatchFigure& p = Player(9, 796, 1500, kActionReceivePass, 128);
        p.heading = 100;
        Current(9);
        MatchHeadingCheck(9, 130, 0);
        EXPECT_TRUE(p.action == kActionHeaderAtAim || p.action == kActionHeaderAtGoal) << p.action;
        p.heading = 0;
        Match_SetPlayerAction(9, kActionReceivePass);
        MatchHeadingCheck(9, 130, 0);
        EXPECT_EQ(p.action, kActionHeader);
    }
    MatchFigure& p = Player(9, 796, 1500, kActionReceivePass, 128);
    MatchHeadingCheck(9, 128 + 25, 0);
    EXPECT_EQ(p.action, kActionAttackingHeader);
    Match_SetPlayerAction(9, kActionReceivePass);
    MatchHeadingCheck(9, 128 + 25, 1);  // within the wider band of flag 1
    EXPECT_TRUE(p.action == kActionHeader || p.action == kActionHeaderAtAim ||
                p.action == kActionHeaderAtGoal);
    Match_SetPlayerAction(9, kActionReceivePass);
    MatchHeadingCheck(9, 0, 0);
    EXPECT_EQ(p.action, kActionBackHeader);
    // An opponent right in front turns it into a heading duel.
    Player(20, 796, 1510, kActionStand);
    Match_SetPlayerAction(9, kActionReceivePass);
    MatchHeadingCheck(9, 0, 0);
    EXPECT_EQ(p.action, kActionClearingHeader);
    EXPECT_EQ(MatchFigures[20].action, kActionAerialChallenge);
}

}  // namespace
