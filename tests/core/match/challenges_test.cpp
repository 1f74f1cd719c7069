// Tackles, fouls and cards: the sliding tackles, the heavy slide, the
// standing challenge and tackle, the carrier's reactions, the dive and the
// handball, each run through its handler on prepared figures.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/match/actions.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/replay.h"
#include "core/match/tackle.h"
#include "core/match/tacklefalls.h"
#include "tests/core/match/scenario.h"
#include "tests/fakes/action_tick.h"

namespace {

using namespace scenario;

constexpr int16_t kTackler = 5;      // team 0, a midfielder
constexpr int16_t kVictim = 16 + 9;  // team 1's striker
constexpr int kVictimX = 796, kVictimY = 1000;

int ChallengeMarks = 0;
int ChallengeMarkKind = -1;
void CountChallengeMark(int16_t, int16_t, float, uint16_t, int16_t kind) {
    ++ChallengeMarks;
    ChallengeMarkKind = kind;
}

class ChallengeTest : public ::testing::Test {
  protected:
    MatchFigure savedTackler{}, savedVictim{};

    void SetUp() override {
        FillTwoClubs(41);
        StartMatch(3);  // team 0 attacks the goal at y 2038
        MatchPhase = kPhaseKickOffSetUp;
        LineUpPending = 0;
        Match_ChooseFormationZone();
        Match_SetFormationTargets();
        PlaceTeamsOnFormation();
        MatchResetTackleCounts();
        MatchFoulChance = MatchDismissalThreshold = 100;  // as every match starts
        ChallengeMarks = 0;
        MatchHooks.skidMark = CountChallengeMark;
        savedTackler = MatchFigures[kTackler];
        savedVictim = MatchFigures[kVictim];
    }
    void TearDown() override { MatchHooks = MatchDisplayHooks{}; }

    // The victim on his feet near the tackler, the ball out of the
    // tackler's reach, open play with the victim's team on the ball.
    void PrepareSlide(uint16_t action, int16_t tackler = kTackler) {
        MatchFigures[kVictim] = savedVictim;
        if (tackler == kTackler) MatchFigures[kTackler] = savedTackler;
        MatchFigure& v = MatchFigures[kVictim];
        PlaceFigure(kVictim, kVictimX, kVictimY, kActionThink);
        v.ballDistance = 30;
        v.facing = 0;
        v.agility = 10;  // he seldom rides a tackle
        PlaceFigure(tackler, kVictimX, kVictimY + 8, action);
        MatchFigure& t = MatchFigures[tackler];
        t.facing = 0;
        t.ballDistance = 40;
        t.stateB = 0;
        PlaceBall(kVictimX, kVictimY - 30);
        MatchPhase = kPhaseOpenPlay;
        BallTeam = 1;
        LastToucher = kVictim;
        RefereeAction = 0;
        BallState.holder = 0;
    }

    // One tick of the figure's action handler, as the dispatcher runs it.
    static void RunAction(int16_t figure) { testenv::RunActionTick(figure); }

    struct CallSplit {
        int fouls = 0, word = 0, booking = 0, sendingOff = 0;
    };
    CallSplit SlideMany(uint16_t action, int n, int16_t tackler = kTackler) {
        CallSplit split;
        GameSeedRandom(12345);
        for (int i = 0; i < n; ++i) {
            PrepareSlide(action, tackler);
            RunAction(tackler);
            if (MatchPhase != kPhaseFoul) continue;
            ++split.fouls;
            EXPECT_EQ(FouledPlayer, kVictim);
            EXPECT_EQ(FoulTeam, tackler / kTeamFigures);
            EXPECT_EQ(FoulerFigure, tackler);
            EXPECT_EQ(FoulX, kVictimX);
            if (RefereeAction == kCallWord) ++split.word;
            if (RefereeAction == kCallBooking) ++split.booking;
            if (RefereeAction == kCallSendingOff) ++split.sendingOff;
            if (RefereeAction != 0) {
                EXPECT_EQ(RefereeOffender, tackler);
                EXPECT_EQ(+MatchFigures[kRefereeFigure].action, RefereeAction);
            }
        }
        return split;
    }

    // Moves every other outfield player of team 0 behind the tackler, so
    // that he is the last defender.
    static void MakeTacklerLastDefender() {
        for (int slot = 1; slot <= 10; ++slot) {
            const int16_t f = MatchLineUp[0][slot];
            if (f != kTackler) PlaceFigure(f, 700, 1500, kActionStand);
        }
    }
};

TEST_F(ChallengeTest, SlidingTacklesCardAsTheDrawsGive) {
    for (const uint16_t action : {kActionSlidingTackle, kActionSlideTackle}) {
        const CallSplit split = SlideMany(action, 10000);
        ASSERT_GT(+split.fouls, 1000) << action;
        const double booking = double(split.booking) / split.fouls;
        const double word = double(split.word) / split.fouls;
        EXPECT_NEAR(booking, 1.0 / 3.0, 0.04) << action;
        EXPECT_NEAR(word, 1.0 / 6.0, 0.03) << action;
        EXPECT_EQ(+split.sendingOff, 0) << action;  // not the last man
    }
}

TEST_F(ChallengeTest, SkillDecidesWhoWinsASlideAndTheAngleHowTheCarrierFalls) {
    // Brought down (33 or 73) or riding the tackle (37), by tackling
    // against dribbling.
    const auto downShare = [&](int tackling, int dribble) {
        GameSeedRandom(77);
        int down = 0, rode = 0;
        for (int i = 0; i < 2000; ++i) {
            PrepareSlide(kActionSlideTackle);
            MatchFigures[kTackler].tackling = int8_t(tackling);
            MatchFigures[kVictim].dribble = int8_t(dribble);
            MatchFigures[kVictim].agility = 45;
            RunAction(kTackler);
            const uint16_t reaction = MatchFigures[kVictim].action;
            down += reaction == 33 || reaction == 73;
            rode += reaction == 37;
        }
        EXPECT_GT(down + rode, 1900);  // every slide within reach is settled
        return double(down) / (down + rode);
    };
    const double strong = downShare(95, 20);
    const double weak = downShare(20, 95);
    EXPECT_GT(strong, weak + 0.15);

    // From behind he falls forward; met head-on he slides to the ground.
    for (const uint16_t tacklerFacing : {uint16_t(0), uint16_t(128)}) {
        int forward = 0, sliding = 0;
        GameSeedRandom(3);
        for (int i = 0; i < 300; ++i) {
            PrepareSlide(kActionSlideTackle);
            MatchFigures[kTackler].facing = tacklerFacing;
            MatchFigures[kVictim].agility = 0;  // he never rides it
            RunAction(kTackler);
            forward += MatchFigures[kVictim].action == kActionFallForward;
            sliding += MatchFigures[kVictim].action == kActionSlidingFall;
        }
        if (tacklerFacing == 0) {
            EXPECT_EQ(sliding, 0);
            EXPECT_GT(forward, 250);
        } else {
            EXPECT_EQ(forward, 0);
            EXPECT_GT(sliding, 250);
        }
    }
}

TEST_F(ChallengeTest, TheLastDefenderInTheCentralBandIsSentOff) {
    MakeTacklerLastDefender();
    ASSERT_TRUE(Match_IsLastDefender(kTackler));
    const CallSplit central = SlideMany(kActionSlidingTackle, 2000);
    ASSERT_GT(+central.fouls, 100);
    EXPECT_EQ(central.word + central.booking, 0);
    EXPECT_GT(+central.sendingOff, central.fouls / 3);

    // Outside the band the same fouls keep their word or booking. Both
    // slides read the band across the pitch (x); where the ball lies along
    // it does not matter, in either half.
    struct Band {
        uint16_t action;
        int16_t ballX, ballY;
        bool sentOff;
    };
    for (const Band b :
         {Band{kActionSlidingTackle, 300, kVictimY - 30, false},
          Band{kActionSlideTackle, 300, kVictimY - 30, false}, Band{kActionSlideTackle, kVictimX, 1300, true},
          Band{kActionSlideTackle, kVictimX, 300, true}}) {
        MatchFigures[kTackler] = savedTackler;
        MakeTacklerLastDefender();
        GameSeedRandom(7);
        int cards = 0, sendingsOff = 0;
        for (int i = 0; i < 2000; ++i) {
            PrepareSlide(b.action);
            PlaceBall(b.ballX, b.ballY);
            RunAction(kTackler);
            if (MatchPhase != kPhaseFoul) continue;
            cards += RefereeAction != 0;
            sendingsOff += RefereeAction == kCallSendingOff;
        }
        EXPECT_GT(cards, 50) << b.action;
        if (b.sentOff) {
            EXPECT_EQ(sendingsOff, cards) << b.action;
        } else {
            EXPECT_LT(sendingsOff, cards / 3) << b.action;
        }
    }
}

TEST_F(ChallengeTest, NoFoulOnceTheSlideHasTouchedTheBallOrOutsideOpenPlayOrOnAKeeperAction) {
    GameSeedRandom(99);
    for (int i = 0; i < 500; ++i) {
        for (int variant = 0; variant < 3; ++variant) {
            PrepareSlide(kActionSlidingTackle);
            if (variant == 0) MatchFigures[kTackler].actionParam = 1;  // the ball came first
            if (variant == 1) MatchPhase = kPhaseThrowIn;
            if (variant == 2) MatchFigures[kVictim].action = kActionKeeperReady;
            const uint16_t phase = MatchPhase;
            RunAction(kTackler);
            ASSERT_EQ(MatchPhase, phase) << variant;
            ASSERT_EQ(RefereeAction, 0) << variant;
        }
    }
}

TEST_F(ChallengeTest, KeepersAndTeamsAtTheSentOffLimitAreNotCarded) {
    const int16_t keeper = MatchLineUp[0][0];
    const CallSplit byKeeper = SlideMany(kActionSlidingTackle, 2000, keeper);
    EXPECT_GT(+byKeeper.fouls, 100);
    EXPECT_EQ(byKeeper.word + byKeeper.booking + byKeeper.sendingOff, 0);

    TeamSentOffCount[0] = kSentOffCardLimit;
    for (const uint16_t action : {kActionSlidingTackle, kActionSlideTackle, kActionHeavySlide}) {
        const CallSplit atLimit = SlideMany(action, 2000);
        EXPECT_GT(+atLimit.fouls, 50) << action;
        EXPECT_EQ(atLimit.word + atLimit.booking + atLimit.sendingOff, 0) << action;
    }
}

TEST_F(ChallengeTest, TwoWarningsMakeEveryCardedSlideABooking) {
    GameSeedRandom(5);
    int fouls = 0;
    for (int i = 0; i < 3000; ++i) {
        PrepareSlide(i % 2 == 0 ? kActionSlidingTackle : kActionSlideTackle);
        MatchFigures[kTackler].stateB = 2;
        RunAction(kTackler);
        if (MatchPhase != kPhaseFoul) continue;
        ++fouls;
        EXPECT_EQ(RefereeAction, kCallBooking);
    }
    EXPECT_GT(fouls, 100);
}

TEST_F(ChallengeTest, AHeavySlideThatFoulsAlwaysSendsOff) {
    const CallSplit split = SlideMany(kActionHeavySlide, 4000);
    ASSERT_GT(+split.fouls, 100);
    EXPECT_EQ(+split.sendingOff, +split.fouls);
    EXPECT_GT(+MatchFigures[kTackler].moreCounts[kMoreHeavyFouls], 0);
}

TEST_F(ChallengeTest, OneMarkPerSlideHoweverLongTheContactLasts) {
    for (const uint16_t action : {kActionSlidingTackle, kActionHeavySlide, kActionSlideTackle}) {
        ChallengeMarks = 0;
        PrepareSlide(action);
        int ticks = 0;
        while (MatchFigures[kTackler].action == action && ticks < 200) {
            // The victim rides every contact, so the contact goes on.
            MatchFigures[kVictim].touchLockout = 5;
            MatchFigures[kVictim].x = MatchFigures[kTackler].x;
            MatchFigures[kVictim].y = MatchFigures[kTackler].y;
            RunAction(kTackler);
            ++ticks;
        }
        EXPECT_GT(ticks, 10) << action;
        EXPECT_EQ(ChallengeMarks, 1) << action;
        EXPECT_EQ(MatchPhase, kPhaseOpenPlay) << action;
        EXPECT_EQ(+MatchFigures[kTackler].action, kActionThink) << action;  // back to thinking
    }
    EXPECT_EQ(SlideMarkLatch + HeavySlideMarkLatch + TackleSlideMarkFlag, 0);
}

TEST_F(ChallengeTest, ASlideOnThePlayerOnTheBallTakesItAndSlidesOn) {
    PrepareSlide(kActionSlidingTackle);
    MatchFigure& v = MatchFigures[kVictim];
    MatchFigure& t = MatchFigures[kTackler];
    v.action = kActionOnBall;
    v.hasBall = 1;
    PlaceBall(kVictimX, kVictimY + 4);
    t.ballDistance = 4;
    RunAction(kTackler);
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_EQ(+t.action, kActionSlideWithBall);
    EXPECT_EQ(+t.hasBall, 1);
    EXPECT_EQ(+v.hasBall, 0);
    EXPECT_EQ(+BallTeam, 0);
    EXPECT_EQ(TeamLastToucher[0], kTackler);
    EXPECT_EQ(+t.counts[kCountTacklesWon], 1);
    EXPECT_EQ(+v.counts[kCountTimesTackled], 1);
    // He slides on with the ball at his feet and gets up to think.
    for (int tick = 0; tick < 100 && t.action == kActionSlideWithBall; ++tick) {
        t.ballDistance = uint16_t(Match_ApproxDistance(t.x, t.y, BallState.x, BallState.y));
        RunAction(kTackler);
        ASSERT_LE(Match_ApproxDistance(t.x, t.y, BallState.x, BallState.y), 12);
    }
    EXPECT_EQ(+t.action, kActionThink);
}

// The ball is won from whoever touched it last: an opponent, or a team-mate.
TEST_F(ChallengeTest, ASlideAtALooseBallKnocksItOnAndWinsPossession) {
    const int16_t mate = MatchLineUp[0][4];
    ASSERT_NE(mate, kTackler);
    for (const uint16_t action : {kActionSlidingTackle, kActionHeavySlide, kActionSlideTackle})
        for (const int16_t loser : {kVictim, mate}) {
            PrepareSlide(action);
            MatchFigure& t = MatchFigures[kTackler];
            MatchFigures[kVictim].x = 1300;  // far away: only the ball is there
            LastToucher = loser;
            const int tackled = MatchFigures[loser].counts[kCountTimesTackled];
            PlaceBall(kVictimX, kVictimY + 2);
            BallState.vx = BallState.vy = 0;
            t.ballDistance = 6;
            RunAction(kTackler);
            EXPECT_EQ(+t.actionParam, 1) << action;
            EXPECT_EQ(+BallState.vz, 327680) << action;
            // Along his facing (the light slide turns it up to 100 to his left).
            if (action != kActionSlidingTackle) {
                EXPECT_LT(+BallState.vy, 0) << action;
            }
            EXPECT_NE(BallState.vx | BallState.vy, 0) << action;
            EXPECT_EQ(+BallTeam, 0) << action;
            EXPECT_EQ(+t.touchLockout, 16) << action;
            EXPECT_EQ(+t.counts[kCountTacklesWon], 1) << action;
            EXPECT_EQ(MatchFigures[loser].counts[kCountTimesTackled], tackled + 1) << action << " " << loser;
        }
}

TEST_F(ChallengeTest, StandingChallengesCardOnlyThePersistentOffender) {
    for (const int warnings : {0, 10, 11}) {
        GameSeedRandom(21);
        int fouls = 0, cards = 0;
        for (int i = 0; i < 6000; ++i) {
            PrepareSlide(kActionStandingChallenge);
            MatchFigures[kTackler].stateB = uint8_t(warnings);
            RunAction(kTackler);
            if (MatchPhase != kPhaseFoul) continue;
            ++fouls;
            cards += RefereeAction != 0;
            EXPECT_EQ(+MatchFigures[kTackler].counts[kCountChallengeFouls], 1);
        }
        EXPECT_GT(fouls, 200) << warnings;  // about one in ten
        if (warnings <= 10) {
            EXPECT_EQ(cards, 0) << warnings;
        } else {
            EXPECT_EQ(cards, fouls) << warnings;
        }
    }
}

TEST_F(ChallengeTest, AStandingChallengeThatWinsStaggersTheVictim) {
    GameSeedRandom(8);
    int staggered = 0;
    for (int i = 0; i < 200; ++i) {
        PrepareSlide(kActionStandingChallenge);
        MatchFigure& t = MatchFigures[kTackler];
        t.ballDistance = 5;
        t.power = 90;
        MatchFigures[kVictim].dribble = 20;
        MatchFigures[kVictim].power = 30;
        PlaceBall(kVictimX, kVictimY + 4);
        BallState.vx = BallState.vy = 0;
        MatchFoulChance = 0;  // no fouls: only the ball
        RunAction(kTackler);
        MatchFoulChance = 100;
        if (MatchFigures[kVictim].action != kActionStagger) continue;
        ++staggered;
        EXPECT_EQ(+t.hasKicked, 1);
        EXPECT_EQ(+MatchFigures[kVictim].touchLockout, 16);
        EXPECT_EQ(+BallState.vz, 327680);  // the stronger man pushes the ball on
    }
    EXPECT_GT(staggered, 150);
    // The stagger ends, at the latest with its clip, in thinking.
    for (int tick = 0; tick < 200 && MatchFigures[kVictim].action == kActionStagger; ++tick)
        RunAction(kVictim);
    EXPECT_EQ(+MatchFigures[kVictim].action, kActionThink);
}

TEST_F(ChallengeTest, TheStandingTackleKnocksTheBallAwayAndStaggersTheCarrier) {
    PrepareSlide(kActionBlockTackle);
    MatchFigure& t = MatchFigures[kTackler];
    PlaceBall(kVictimX, kVictimY + 4);
    BallState.vx = BallState.vy = 0;
    for (int tick = 0; tick < 60 && t.hasKicked == 0 && t.action == kActionBlockTackle; ++tick)
        RunAction(kTackler);
    EXPECT_EQ(+t.hasKicked, 1);
    EXPECT_EQ(+BallState.vz, 655360);
    EXPECT_EQ(+MatchFigures[kVictim].action, kActionStagger);
    EXPECT_EQ(+MatchFigures[kVictim].actionFlag, 1);
    EXPECT_EQ(+MatchFigures[kVictim].counts[kCountKnockedDown], 1);
    EXPECT_EQ(+BallTeam, 0);
    EXPECT_EQ(+t.counts[kCountTacklesWon], 1);

    // A team-mate who had the ball last loses it all the same.
    const int16_t mate = MatchLineUp[0][4];
    ASSERT_NE(mate, kTackler);
    PrepareSlide(kActionBlockTackle);
    PlaceFigure(mate, kVictimX + 40, kVictimY, kActionThink);
    MatchFigures[mate].hasBall = 1;
    LastToucher = mate;
    BallTeam = 0;
    PlaceBall(kVictimX, kVictimY + 4);
    BallState.vx = BallState.vy = 0;
    for (int tick = 0; tick < 60 && t.hasKicked == 0 && t.action == kActionBlockTackle; ++tick)
        RunAction(kTackler);
    EXPECT_EQ(+t.counts[kCountTacklesWon], 1);  // the tackler's record was put back
    EXPECT_EQ(+MatchFigures[mate].counts[kCountTimesTackled], 1);
    EXPECT_EQ(+MatchFigures[mate].action, kActionStagger);
    EXPECT_EQ(+MatchFigures[mate].hasBall, 0);
}

TEST_F(ChallengeTest, TheCarriersReactionsEndInThinking) {
    // The hurdle: back on his feet he is his team's challenger.
    PlaceFigure(kVictim, kVictimX, kVictimY, kActionHurdle);
    for (int tick = 0; tick < 100 && MatchFigures[kVictim].action == kActionHurdle; ++tick)
        RunAction(kVictim);
    EXPECT_EQ(+MatchFigures[kVictim].action, kActionThink);
    EXPECT_EQ(TeamChallenger[1], kVictim);

    // The sliding fall leaves one mark.
    ChallengeMarks = 0;
    PlaceFigure(kVictim, kVictimX, kVictimY, kActionSlidingFall);
    for (int tick = 0; tick < 100 && MatchFigures[kVictim].action == kActionSlidingFall; ++tick)
        RunAction(kVictim);
    EXPECT_EQ(+MatchFigures[kVictim].action, kActionThink);
    EXPECT_EQ(ChallengeMarks, 1);
    EXPECT_EQ(ChallengeMarkKind, 0);

    // Hurt in a fall during a foul he lies injured, the camera on him, and
    // gets up; hurt in open play he just gets up.
    for (const uint16_t phase : {kPhaseFoul, kPhaseOpenPlay}) {
        PlaceFigure(kVictim, kVictimX, kVictimY, kActionFallForward);
        MatchFigure& v = MatchFigures[kVictim];
        v.injury = kInjuryHurt;
        MatchPhase = phase;
        CameraSubject = kBallFigure;
        bool lay = false;
        for (int tick = 0; tick < 400 && v.action == kActionFallForward; ++tick) {
            RunAction(kVictim);
            lay |= v.injury == kInjuryLying;
        }
        EXPECT_EQ(+v.action, kActionThink) << phase;
        EXPECT_EQ(lay, phase == kPhaseFoul) << phase;
        EXPECT_EQ(+CameraSubject, phase == kPhaseFoul ? kVictim : kBallFigure) << phase;
        EXPECT_EQ(+v.injury, phase == kPhaseFoul ? kInjuryGettingUp : kInjuryNone) << phase;
    }
}

TEST_F(ChallengeTest, ADiveIsGivenOrBookedOnlyInOpenPlay) {
    int given = 0, punished = 0;
    GameSeedRandom(4);
    for (int i = 0; i < 400; ++i) {
        PrepareSlide(kActionStand);
        PlaceFigure(kVictim, kVictimX, kVictimY, kActionDive);
        MatchFigures[kVictim].dribble = 50;
        MatchPhase = i % 4 == 3 ? 3 : kPhaseOpenPlay;
        const uint16_t before = MatchPhase;
        RunAction(kVictim);
        RunAction(kVictim);  // judged once
        if (before != kPhaseOpenPlay) {
            EXPECT_EQ(MatchPhase, before);
            continue;
        }
        if (MatchPhase != kPhaseFoul) continue;
        if (FouledPlayer == kVictim) {
            ++given;
            EXPECT_EQ(FoulTeam, 0);
            EXPECT_EQ(RefereeAction, 0);
        } else {
            ++punished;
            EXPECT_EQ(FoulerFigure, kVictim);
            EXPECT_EQ(FoulTeam, 1);
            EXPECT_EQ(RefereeAction, kCallBooking);
        }
    }
    EXPECT_GT(given, 100);
    EXPECT_GT(punished, 50);
}

TEST_F(ChallengeTest, AHandballDeflectsTheBallAndStopsPlay) {
    PrepareSlide(kActionStand);
    PlaceFigure(kTackler, kVictimX, kVictimY + 8, kActionHandball);
    MatchFigure& h = MatchFigures[kTackler];
    h.facing = 0;
    h.ballDirection = 0;
    PlaceBall(kVictimX, kVictimY + 2, 100);
    RunAction(kTackler);
    EXPECT_EQ(+h.hasKicked, 1);
    EXPECT_EQ(+BallState.vz, 10 * 24576);  // height 100: the eleventh entry
    EXPECT_EQ(+BallState.vy, -65536);
    EXPECT_EQ(MatchPhase, 1);
    EXPECT_EQ(FoulTeam, 0);
    EXPECT_EQ(FouledPlayer, kVictim);
    EXPECT_EQ(+h.counts[kCountHandballs], 1);
    // Touched once only; then he stands.
    const int32_t vz = BallState.vz;
    RunAction(kTackler);
    EXPECT_EQ(+BallState.vz, vz);
    EXPECT_EQ(+h.counts[kCountHandballs], 1);
    // Off a team-mate's touch the fouled player is still the ball's last
    // toucher, not nobody.
    const int16_t mate = MatchLineUp[0][1] != kTackler ? MatchLineUp[0][1] : MatchLineUp[0][2];
    bool fouled = false;
    for (int i = 0; i < 20 && !fouled; ++i) {
        PrepareSlide(kActionStand);
        PlaceFigure(kTackler, kVictimX, kVictimY + 8, kActionHandball);
        h.facing = h.ballDirection = 0;
        PlaceBall(kVictimX, kVictimY + 2, 100);
        LastToucher = mate;
        RunAction(kTackler);
        fouled = MatchPhase == kPhaseFoul;
    }
    ASSERT_TRUE(fouled);
    EXPECT_EQ(FouledPlayer, mate);
}

TEST(FoulTables, DeflectionLiftByHeight) {
    EXPECT_EQ(Match_DeflectionLift(0, -196608), -98304);
    EXPECT_EQ(Match_DeflectionLift(55, -196608), 0);
    EXPECT_EQ(Match_DeflectionLift(299, -196608), 49152);
    EXPECT_EQ(Match_DeflectionLift(300, -196608), -196608);
    EXPECT_EQ(Match_DeflectionLift(-5, -196608), -98304);
}

}  // namespace
