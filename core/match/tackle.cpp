#include "core/match/tackle.h"
#include "core/match/actions.h"

#include <algorithm>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/ranking.h"
#include "core/match/soundevents.h"
#include "core/match/tacklefalls.h"
#include "core/match/volleys.h"

uint8_t TackleInjuries[2];

namespace {

constexpr int32_t kKnockLift = 204800;  // 3.125 units per tick

bool ValidPlayer(int16_t figure) { return figure >= 0 && figure < kPlayerFigures; }

int Fold(int difference) {
    const int d = std::abs(difference) & 255;
    return d > 128 ? 256 - d : d;
}

int Draw(int n) { return n > 0 ? int(GameRandom() % n) : 0; }

uint16_t TowardBall(const MatchFigure& f) { return Match_DirectionTo(f.x, f.y, BallState.x, BallState.y); }

void Go(int16_t figure, uint16_t action, uint16_t facing) {
    Match_SetPlayerAction(figure, action);
    MatchFigures[figure].facing = uint16_t(facing & 255);
}

void Lunge(int16_t defender, int16_t carrier) {
    Go(defender, kActionStandingChallenge, TowardBall(MatchFigures[defender]));
    MatchFigures[defender].actionParam = uint16_t(carrier);
}

void CountAttempt(MatchFigure& d) { ++d.moreCounts[kMoreTackleAttempts]; }

// Whether the carrier stands inside the penalty area the defender's team
// defends.
bool InDefendedArea(int defenderTeam, const MatchFigure& c) {
    if (c.x <= kAreaLeftX || c.x >= kAreaRightX) return false;
    return defenderTeam == AttackDirection ? c.y < kAreaLowY : c.y > kAreaHighY;
}

// The carrier rides the challenge and, when he has the ball close, knocks
// it on past the challenger.
bool Hurdle(int16_t carrier, MatchFigure& t) {
    MatchFigure& c = MatchFigures[carrier];
    ++c.counts[kCountDribblesPast];
    Match_SetPlayerAction(carrier, kActionHurdle);
    t.hasKicked = 1;
    c.actionFlag = 1;
    if (c.hasBall == 0 && c.ballDistance > 5) return false;
    MatchSfx_PlayEvent(kSoundKick, -1);
    const int pace = c.pace / 5 > 0 ? c.pace / 5 : 0;
    Match_VectorFromDirection(c.facing & 255, 90 + pace - c.dribble / 4, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    BallState.vz = kKnockLift;
    c.hasKicked = 1;
    c.touchLockout = int16_t(pace / 2 + 16);
    LastToucher = carrier;
    return true;
}

void GoDown(int16_t carrier, MatchFigure& t) {
    MatchFigure& c = MatchFigures[carrier];
    Match_SetPlayerAction(carrier, MatchFrontOrBackAction(c.facing, t.facing));
    t.hasKicked = 1;
    c.actionFlag = 1;
    ++c.counts[kCountKnockedDown];
    c.hasBall = 0;
    c.touchLockout = 16;
}

// A carrier hurt by a tackle may be injured, and loses pace and stamina.
void Hurt(int16_t carrier, bool hard) {
    MatchFigure& c = MatchFigures[carrier];
    const bool injured = hard ? Draw(30) < 16 : Draw(80) < 16;
    const int team = (CurrentTeam & 1) ^ 1;
    if (injured && TackleInjuries[team] < kTackleInjuryLimit) {
        ++TackleInjuries[team];
        c.injury = 1;
        Match_SetPlayerAction(carrier, kActionFallForward);
        c.actionFlag = 1;
        if (c.infoWord2 != 0) MatchSfx_PlayEvent(kSoundFansCheer, int16_t(team));
    }
    const int k = 100 + Draw(10) + (hard ? 10 : 0);
    c.pace = int8_t(std::max(10, c.pace * 100 / k));
    c.stamina = int8_t(std::max(10, c.stamina * 100 / k));
    c.stateA = uint8_t(std::min(255, c.stateA + c.stateA * k / 100));
    c.workload = uint16_t(c.workload + (k - 100) / 2);
}

}  // namespace

void MatchResetTackleCounts() {
    TackleInjuries[0] = TackleInjuries[1] = 0;
    Match_ResetFoulState();
    Match_ResetTackleFalls();
    Match_ResetAirPlay();
}

void MatchChooseTackle(int16_t defender, int16_t carrier) {
    if (!ValidPlayer(defender) || !ValidPlayer(carrier)) return;
    MatchFigure& d = MatchFigures[defender];
    const MatchFigure& c = MatchFigures[carrier];
    Match_VectorFromDirection(c.facing & 255, c.pace / 6, 256);
    const int nextX = c.x + MatchVecX;
    const int nextY = c.y - MatchVecNY;
    if (BallState.z > 30) return;
    const int m = Fold(int(d.ballDirection) - int(c.ballDirection));
    const int f = Fold(int(d.ballDirection) - int(d.facing & 255));
    if (d.tackling < f) return;

    const int defenderTeam = defender / kTeamFigures;
    Match_GoalDistance(carrier, int16_t(carrier / kTeamFigures));
    const int reading = std::max(1, d.tackling + d.intelligence);
    int k = ((GoalDistanceScratch + 16) / reading) / 2 + 1;
    if (d.cautions != 0) k *= 2;
    if (BallState.direction == kNoDirection) k /= 8;
    // Star players draw the challenges sooner, and the harder ones.
    if (c.infoWord2 != 0) k /= 3 * c.infoWord2 + 1;
    k = std::max(k, 1);
    if (InDefendedArea(defenderTeam, c)) {
        k += 3 * d.tackling;
        if (d.ballDistance > c.ballDistance && m > 78 && f < 50) k = 1;
    }
    const int q = std::max(1, (100 - d.tackling) / 4);
    // Each player's challenge reading is how far he is from the ball: the
    // defender goes in only when he has come within a stride of it.
    const int cD = d.ballDistance, cC = c.ballDistance;

    if (cD > cC && m > 8 && m < 48 && cD < 40 && AllTicks % k == 0) {
        if (Draw(100) > d.tackling && cD < 32 && PeriodClock % q == 0) {
            Lunge(defender, carrier);
        } else if (PeriodClock % q == 0) {
            CountAttempt(d);
            Go(defender, kActionSlidingTackle,
               Match_DirectionTo(d.x, d.y, BallState.predicted[0][0], BallState.predicted[0][1]));
        }
        return;
    }
    if (cD < 32 && m < 48 && cD >= cC && PeriodClock % q == 0) {
        Lunge(defender, carrier);
        return;
    }
    const bool byTiming = Draw(q) == 0;
    const bool byChance = Draw(k) == 0;
    if (!byTiming && !byChance) return;
    const int s = std::max(1, (200 - d.aggression) / (c.infoWord2 + 1));
    if (cD > cC && m >= 48 && m <= 78 && cD < 48) {
        CountAttempt(d);
        if (Draw(s) == 0) {
            Go(defender, kActionHeavySlide, Match_DirectionTo(d.x, d.y, nextX, nextY));
        } else {
            Go(defender, kActionSlideTackle, TowardBall(d));
        }
    } else if (cD > cC && m > 78 && cD < 32) {
        CountAttempt(d);
        Go(defender, kActionBlockTackle, TowardBall(d));
    }
}

int16_t MatchChallengeOutcome(int16_t carrier, int16_t challenger) {
    if (!ValidPlayer(carrier) || !ValidPlayer(challenger)) return 1;
    MatchFigure& c = MatchFigures[carrier];
    MatchFigure& t = MatchFigures[challenger];
    const int dribbleHalf = c.dribble / 2;
    const int tacklingHalf = t.tackling / 2;
    if (c.ballDistance > 32 && Draw(15) != 0) return 1;
    if (c.touchLockout != 0 || c.hasKicked != 0 || c.actionFlag != 0 || t.hasKicked != 0) return 1;
    const bool hard = t.action == kActionHeavySlide;
    const bool turning = c.action >= kActionTurnWithBallSmallA && c.action <= kActionTurnWithBallWideB;

    bool evaded;
    if (dribbleHalf >= tacklingHalf) {
        evaded = Draw(std::max(1, 51 - (dribbleHalf - tacklingHalf))) < c.agility;
        if (evaded && turning) t.touchLockout = 16;
    } else {
        evaded = c.agility > Draw(51 + (tacklingHalf - dribbleHalf));
        if (turning) t.touchLockout = 16;
    }
    const bool canHurdle =
        c.action < kMatchActionCount && MatchActionFlagTable[c.action].highBallReaction != 0;

    if (t.action == kActionSlideTackle || t.action == kActionHeavySlide || t.action == kActionAimedStrikeA) {
        if (evaded && c.actionFlag == 0 && !hard && canHurdle) {
            if (Hurdle(carrier, t) && Draw(200) < c.dribble) t.touchLockout = 16;
            return 1;
        }
        if (c.actionFlag != 0) return 1;
        GoDown(carrier, t);
        MatchSfx_PlayEvent(kSoundPlayerFalls, -1);
        const int unhurtUpTo = c.resilience - (hard ? 25 : 0);
        if (Draw(100) <= unhurtUpTo) return 0;
        Hurt(carrier, hard);
        return 0;
    }
    if (evaded && c.actionFlag == 0 && canHurdle) {
        Hurdle(carrier, t);
        const int r = c.dribble > 0 ? 200 - Draw(c.dribble + 1) : 0;
        if (r < c.dribble) t.touchLockout = 16;
        return 1;
    }
    if (c.actionFlag != 0) return 1;
    GoDown(carrier, t);
    return 0;
}
