// The goalkeeper at an attacker's feet: he goes down on a loose low ball
// (a challenge that may give a free kick either way, knock the attacker or
// hurt the keeper), gathers it into his hands, clears it from his feet,
// blocks a close shot, or gestures to a team-mate.
#include <algorithm>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/infobartypes.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/passing.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/soundevents.h"

namespace {

int TeamOf(int16_t k) { return k / kTeamFigures; }

bool DefendsTopGoal(int16_t k) { return TeamOf(k) == AttackDirection; }

bool BallInOwnAreaDepth(int16_t k) {
    return DefendsTopGoal(k) ? BallState.y < kAreaLowY : BallState.y > kAreaHighY;
}

void SetHeight(int z) {
    BallState.z = int16_t(z);
    BallState.z16 = int32_t(z) * 65536;
}

void CardRoll(int16_t offender) {
    const int r = GameRandom() % 300;
    SaveSpreadPercent = int16_t(r);
    // The referee goes to the offender at once: the foul phase waits for
    // him to deal with the call.
    if (r < MatchDismissalThreshold) {
        Match_RaiseRefereeCall(kOfficialBooking, offender);
    } else if (r % 4 == 0) {
        Match_RaiseRefereeCall(kOfficialTalk, offender);
        ++MatchFigures[offender].stateB;
    }
}

// The keeper is hurt by the offender's challenge.
void KeeperHurt(int16_t k, int16_t offender) {
    MatchFigures[k].injury = 1;
    MatchSfx_PlayEvent(kSoundBallOnPlayer, -1);
    Match_SetPlayerAction(k, kActionFallForward);
    Match_RaiseRefereeCall(kOfficialBooking, offender);
}

// A free kick where the keeper went down, against the offender's team; the
// crowd stirs by the attackers' goal.
void FreeKickAt(int16_t k, int16_t offender, int16_t fouled, int attackers) {
    InfoBar(kInfoFoulTackle, 0);
    FouledPlayer = fouled;
    FoulerFigure = offender;
    RefereeOffender = offender;
    FoulTeam = int16_t(TeamOf(offender));
    FoulX = MatchFigures[k].x;
    FoulY = MatchFigures[k].y;
    MatchPhase = kPhaseFoul;
    PhaseTimer = 0;
    Crowd_AddExcitementNearGoal(int16_t(attackers), FoulX, FoulY);
}

// The attacker loses a little of each skill; none falls to 0.
void Knock(MatchFigure& a) {
    if (GameRandom() % 100 <= a.resilience) return;
    const int f = GameRandom() % 10 + 100;
    for (int8_t* skill : {&a.pace, &a.passing, &a.shooting, &a.tackling, &a.heading, &a.dribble, &a.power,
                          &a.agility, &a.stamina}) {
        int value = *skill * 100 / f;
        if (value == 0) value = 2;
        *skill = int8_t(value);
    }
    a.workload = uint16_t(a.workload + (f - 100));
}

// The smother's challenge with the attacker sent for the ball.
void Challenge(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int team = TeamOf(k);
    const int16_t a = TeamChallenger[team ^ 1];
    if (!Match_IsPlayerFigure(a)) {
        ++f.counts[kCountSmothers];
        return;
    }
    MatchFigure& attacker = MatchFigures[a];
    const int attackers = TeamOf(a);
    if (attacker.action == kActionSlidingPoke || attacker.action == kActionSlideTackle) {
        // The referee's leaning is read for the team being handled, the
        // keeper's: the chance takes no team of its own.
        const bool foulRoll = GameRandom() % 200 < MatchFoulChance;
        if (foulRoll && MatchAttackChance() == 0) {
            FreeKickAt(k, a, k, attackers);
            ++attacker.counts[kCountFoulsCommitted];
            CardRoll(a);
        }
        if (foulRoll && MatchPhase != kPhaseOpenPlay && GameRandom() % 100 > f.resilience &&
            GameRandom() % 50 < 4)
            KeeperHurt(k, a);
        ++f.counts[kCountSmothers];
        return;
    }
    if (attacker.hasBall == 0 && attacker.touchLockout == 0) {
        ++f.counts[kCountSmothers];
        return;
    }
    MatchDefaultDesignatedPlayer(int16_t(attackers));
    Match_SetPlayerAction(a, kActionStumble);
    ++attacker.counts[kCountKnockedDown];  // brought down at the keeper's feet
    if (GameRandom() % 100 > f.agility && GameRandom() % 3 == 0) {
        FreeKickAt(k, k, a, attackers);
        ++f.counts[kCountFoulsCommitted];
        CardRoll(k);
    } else if (GameRandom() % 100 > f.resilience && GameRandom() % 20 < 4) {
        KeeperHurt(k, a);
        FreeKickAt(k, a, k, attackers);
        ++attacker.counts[kCountInjuriesCaused];
        ++f.counts[kCountSmothers];
    } else {
        ++f.counts[kCountSmothers];
    }
    Knock(attacker);
}

void LongClearance(int16_t k, int length) {
    MatchFigure& f = MatchFigures[k];
    MatchSfx_PlayEvent(kSoundShot, -1);
    MatchSetKickSpeed(k, -1);
    f.hasKicked = 1;
    Match_VectorFromDirection(f.facing & 255, length, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    BallState.vz = 1474560 - (GameRandom() % (f.intelligence + 1)) * 5120;
    BallTeam = uint8_t(TeamOf(k));
    LastToucher = k;
}

}  // namespace

void Match_ActKeeperSmother(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    int d = Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y);
    if (d > 0) f.facing = Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y);
    f.ballDistance = uint16_t(d);
    if (BallInOwnAreaDepth(k) && f.frame < 30) Match_ApplyAnimMotion(k, 80);
    const int16_t clip = f.actionParam == 0 ? 296 : 294;
    if (MatchSetPlayerAnim(k, clip, int16_t(f.hasKicked + 2), kActionKeeperReady) == 0) return;
    if (f.shownFrame >= 31) f.hasKicked = 1;
    d = Match_ApproxDistance(MatchCurX16 / 65536, MatchCurY16 / 65536, BallState.x, BallState.y);
    if (BallState.z > 35 || d > 9) return;
    Ball_KeepAtFeet(k);
    Ball_Stop();
    f.action = kActionKeeperGatherFeet;  // side and frame carry on into the gather
    Challenge(k);
}

void Match_ActKeeperGatherFeet(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int16_t clip = f.actionParam == 0 ? 297 : 295;
    if (MatchSetPlayerAnim(k, clip, 2, kActionKeeperReady) == 0) {
        if (MatchPhase == kPhaseOpenPlay) {
            // Gathered into his hands: the ball is held high, as at the end
            // of a catch (the ball code lays a held ball at height 0, which
            // would send him down on it again).
            SetHeight(70);
            Match_KeeperTakesBall(k);
        } else {
            BallState.holder = 0;
            f.hasBall = 0;
        }
        return;
    }
    Ball_KeepAtFeet(k);
    Ball_Stop();
    LastToucher = k;
    if (f.shownFrame >= 31) BallState.holder = int16_t(k + 1);
    SetHeight(70);
}

void Match_ActKeeperClear(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int team = TeamOf(k);
    Match_TurnPlayerTowards(k, Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y), 0);
    const bool inReach = Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, 12, 70) == 0;
    const int16_t c = TeamChallenger[team ^ 1];
    const int challengerAway =
        Match_IsPlayerFigure(c) && TeamOf(c) == (team ^ 1) ? MatchFigures[c].rankDistance : 1000;
    Match_ApplyAnimMotion(k, 64);
    if (MatchSetPlayerAnim(k, 75, int16_t(f.hasKicked + 2), kActionKeeperReady) == 0) return;
    const int16_t frame = f.shownFrame;
    if (inReach && frame < 22) {
        Ball_KeepAtFeet(k);
        Ball_Stop();
    }
    if (frame < 22 || f.hasKicked != 0 || !inReach) return;
    if (challengerAway > 64 && f.off == 0) {
        const int16_t r = Match_ChooseShortPass(k, 1);
        if (Match_IsPlayerFigure(r)) {
            const int16_t second = BallRanking[team][1];
            if (Match_IsPlayerFigure(second))
                f.facing =
                    Match_DirectionTo(MatchCurX, MatchCurY, MatchFigures[second].x, MatchFigures[second].y);
            KeeperThrowPointX = KeeperThrowPointY = 0;
            f.ballWork2 = 1;
            Match_VectorFromDirection(
                Match_DirectionTo(MatchCurX, MatchCurY, MatchFigures[r].x, MatchFigures[r].y), 70, 256);
            BallState.vx = MatchVecX * 4096;
            BallState.vy = -MatchVecNY * 4096;
            BallState.vz = 327680;
            f.hasKicked = 1;
            LastToucher = k;
            Ball_UpdateDirectionSpeed();
            MatchSfx_PlayEvent(kSoundKick, -1);
            BallTeam = uint8_t(team);
        } else {
            LongClearance(k, 140);
        }
    } else {
        LongClearance(k, f.power * 2 + 140);
    }
    MatchMarkTeamOffside(k);
}

void Match_ActKeeperBlock(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const bool left = f.action == kActionKeeperBlockB;
    const int height = f.actionParam;
    const int16_t clip = int16_t((height < 4 ? 264 : height < 8 ? 265 : 266) + (left ? 0 : 3));
    if (MatchSetPlayerAnim(k, clip, int16_t(f.hasKicked + 1), kActionKeeperReady) == 0) return;
    const int d = Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y);
    f.ballDistance = uint16_t(d);
    if (d > f.keeping / 10 + 9 || f.hasKicked != 0 || BallState.z > 110) return;
    f.hasKicked = 1;
    ++f.counts[kCountPunches];
    MatchSfx_PlayEvent(kSoundBallOnKeeper, -1);
    BallState.vy = -BallState.vy;
    int p = GameRandom() % 30 + 10;
    SaveSpreadPercent = int16_t(p);
    BallState.vx = int32_t(int64_t(BallState.vx) * p / 100);
    p = GameRandom() % 30 + 10;
    SaveSpreadPercent = int16_t(p);
    BallState.vy = int32_t(int64_t(BallState.vy) * p / 100);
    const int lift = GameRandom() % 50 + 50;
    SaveSpreadPercent = int16_t(lift);
    BallState.vz = int32_t(int64_t(BallState.vz) * 100 / lift);
    LastToucher = k;
    BallTeam = uint8_t(TeamOf(k));
    MatchClearOffsideFlags();
    const int spin = GameRandom() % 64;
    SaveSpreadPercent = int16_t(spin);
    MatchSfx_PlayEvent(kSoundCatchCheer, -1);
    Match_VectorFromDirection((f.facing + (left ? 64 : 192)) & 255, 65536, 256);
    BallState.vx += MatchVecX;
    BallState.vy -= MatchVecNY;
    BallState.vz = spin * 8192 + 32768;
}

void Match_ActKeeperGestureMate(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int16_t mate = BallRanking[TeamOf(k)][0];
    if (Match_IsPlayerFigure(mate)) {
        Match_TurnPlayerTowards(
            k, Match_DirectionTo(MatchCurX, MatchCurY, MatchFigures[mate].x, MatchFigures[mate].y), 0);
        if (GameRandom() % 100 > f.outlook) MatchStartCelebration(mate);
    }
    if (MatchSetPlayerAnim(k, int16_t(f.actionParam), 1, kActionKeeperReady) == 0) return;
    Match_ApplyAnimMotionRet(k, 0);
}
