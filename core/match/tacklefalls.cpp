#include "core/match/tacklefalls.h"
#include "core/match/actions.h"
#include "core/match/infobartypes.h"
#include "core/match/phases.h"

#include "core/base/random.h"
#include "core/match/ballcontacts.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/replay.h"
#include "core/match/soundevents.h"
#include "core/match/tackle.h"

uint16_t TackleSlideMarkFlag;
uint16_t FallMarkFlag;

namespace {

constexpr uint16_t kRoundTheKeeperActions[2] = {kActionRoundTheKeeperA, kActionRoundTheKeeperB};
constexpr int kContactReach = 16;
constexpr int kLowBall = 70;
constexpr int16_t kChallengeLockout = 16;
constexpr int16_t kSlideClip = 121, kBlockClip = 112, kHurdleClip = 109;
constexpr int16_t kFallClip = 126, kLyingClip = 215, kSlidingFallClip = 125;
constexpr int16_t kSlideUntilFrame = 40, kBlockMoveUntilFrame = 24;
constexpr int16_t kFallHoldFrame = 100;
constexpr int16_t kMarkSlide = 2, kMarkFall = 0;

MatchFigure& Fig(int16_t figure) { return MatchFigures[figure]; }
int TeamOf(int16_t figure) { return figure / kTeamFigures; }
int Draw(int n) { return int(GameRandom() % uint32_t(n)); }

int DistanceToBall() { return Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y); }

void KickAlongFacing(const MatchFigure& t, int32_t length) {
    Match_VectorFromDirection(t.facing & 255, length, 256);
    BallState.vx += MatchVecX;
    BallState.vy -= MatchVecNY;
}

// The common end of a tackle that won the ball.
void TakeFromVictim(int16_t tackler, int16_t victim) {
    const int team = TeamOf(tackler);
    if (victim >= 0) Fig(victim).hasBall = 0;
    BallState.kickGrace = kChallengeLockout;
    MatchTakePossession(tackler);
    BallTeam = uint8_t(team);
    TeamLastToucher[team] = tackler;
}

void JudgeSlideBodyContact(int16_t tackler, int16_t victim, bool victimOnBall) {
    MatchFigure& t = Fig(tackler);
    if (victim < 0) return;
    MatchFigure& v = Fig(victim);
    if (Match_ApproxDistance(MatchCurX, MatchCurY, v.x, v.y) >= kContactReach ||
        BallTeam == TeamOf(tackler) || t.hasBall != 0 || MatchPhase != kPhaseOpenPlay ||
        t.touchLockout != 0 || v.action >= kFirstKeeperAction || v.actionFlag != 0) {
        return;
    }
    if (TackleSlideMarkFlag == 0) {
        SkidMark_Add(MatchCurX, MatchCurY, 1.0f, t.facing, kMarkSlide);
        TackleSlideMarkFlag = 1;
    }
    const int16_t stays = victimOnBall ? 1 : MatchChallengeOutcome(victim, tackler);
    const int team = TeamOf(tackler);
    const bool foul = Draw(100) < MatchFoulChance && v.ballDistance > t.tackling / 12 && t.actionParam == 0 &&
                      stays == 0 && !victimOnBall && MatchPhase == kPhaseOpenPlay &&
                      (Match_AttackChanceFor(team) == 0 || v.injury != 0);
    if (!foul) return;
    InfoBar(kInfoFoulTackle, 0, 0);
    ++t.counts[kCountFoulsCommitted];
    Match_RecordFoul(tackler, victim, team, v.x, v.y);
    if (!Match_CardMayBeDecided(tackler)) return;
    const int r = Draw(300);
    FoulCardRoll = int16_t(r);
    if (r < MatchDismissalThreshold || t.stateB > 1) {
        Match_RaiseRefereeCall(kCallBooking, tackler);
    } else if (r % 4 == 0) {
        Match_RaiseRefereeCall(kCallWord, tackler);
        ++t.stateB;
    } else {
        return;
    }
    // The band runs across the pitch, as for every other foul: a band along
    // it would cover one half only, and the other after half-time.
    Match_ApplyLastManRule(tackler, BallState.x);
}

void WinBallBySlide(int16_t tackler, int16_t victim) {
    MatchFigure& t = Fig(tackler);
    if (BallState.holder != 0 || DistanceToBall() >= kContactReach || t.actionParam != 0 ||
        BallState.z >= kLowBall)
        return;
    KickAlongFacing(t, t.power * 3072);
    MatchSfx_PlayEvent(kSoundKick, -1);
    BallState.vz = 327680;
    t.actionParam = 1;
    t.touchLockout = kChallengeLockout;
    if (MatchPhase == kPhaseOpenPlay) {
        ++t.counts[kCountTacklesWon];
        MatchCountOwnAreaTouch(tackler);
        if (victim >= 0) ++Fig(victim).counts[kCountTimesTackled];
    }
    TakeFromVictim(tackler, victim);
}

bool RoundTheKeeperAction(uint16_t action) {
    return action == kRoundTheKeeperActions[0] || action == kRoundTheKeeperActions[1];
}

// A player on the ground is the one the camera shows while the foul is dealt
// with.
bool FoulBeingDealtWith() {
    return MatchPhase == kPhaseFoul || (MatchPhase == kPhaseWaitReferee && ResumePhase == kPhaseFoul);
}

}  // namespace

void Match_ResetTackleFalls() {
    CameraSubject = kBallFigure;
    TackleSlideMarkFlag = FallMarkFlag = 0;
}

void Match_ActSlideTackle(int16_t figure) {
    MatchFigure& t = Fig(figure);
    const int16_t victim = Match_ChallengeVictim(figure);
    const bool victimOnBall = victim >= 0 && Fig(victim).action == kActionOnBall;
    if (t.shownFrame < kSlideUntilFrame) {
        Match_ApplyAnimMotion(figure, 160, 8);
        Match_ClampToPitch();
    }
    if (MatchSetPlayerAnim(figure, kSlideClip, int16_t(1 + t.hasKicked), kActionThink) == 0) {
        TackleSlideMarkFlag = 0;
        return;
    }
    JudgeSlideBodyContact(figure, victim, victimOnBall);
    WinBallBySlide(figure, Match_BallLoser(figure));
}

void Match_ActBlockTackle(int16_t figure) {
    MatchFigure& t = Fig(figure);
    if (t.shownFrame < kBlockMoveUntilFrame && Match_OpponentAhead(figure) == 0)
        Match_ApplyAnimMotion(figure, 96, -2);
    if (MatchSetPlayerAnim(figure, kBlockClip, int16_t(1 + t.hasKicked), kActionThink) == 0) return;
    const int16_t toucher = LastToucher;
    const bool touchedByOther = toucher != figure;
    if (touchedByOther && toucher >= 0 && toucher < kPlayerFigures &&
        RoundTheKeeperAction(Fig(toucher).action))
        return;
    if (BallState.holder != 0 || DistanceToBall() >= kContactReach || t.hasKicked != 0 ||
        BallState.z >= kLowBall)
        return;
    KickAlongFacing(t, t.power * 2048);
    BallState.vz = 655360;
    t.hasKicked = 1;
    MatchSfx_PlayEvent(kSoundKick, -1);
    const int16_t victim = Match_BallLoser(figure);
    if (MatchPhase == kPhaseOpenPlay && victim >= 0) {
        MatchFigure& v = Fig(victim);
        ++t.counts[kCountTacklesWon];
        ++v.counts[kCountTimesTackled];
        MatchCountOwnAreaTouch(figure);
        Match_SetPlayerAction(victim, kActionStagger);
        ++v.actionFlag;
        ++v.counts[kCountKnockedDown];
    }
    t.touchLockout = kChallengeLockout;
    TakeFromVictim(figure, victim);
}

void Match_ActHurdle(int16_t figure) {
    MatchFigure& f = Fig(figure);
    Match_ApplyAnimMotion(figure, 180, 1);
    const int16_t step = Draw(100) < f.agility ? 2 : 1;
    f.gait = 2;
    if (MatchSetPlayerAnim(figure, kHurdleClip, step, kActionThink) != 0) return;
    f.frame = 0;
    TeamChallenger[TeamOf(figure)] = figure;  // back on his feet, he goes on after the ball
}

void Match_ActFallForward(int16_t figure) {
    MatchFigure& f = Fig(figure);
    switch (f.injury) {
        case kInjuryHurt:
            if (MatchSetPlayerAnim(figure, kFallClip, 1, kActionThink) == 0) return;
            if (f.frame < kFallHoldFrame) return;
            f.frame = kFallHoldFrame;
            if (FoulBeingDealtWith()) {
                CameraSubject = int8_t(figure);
                f.injury = kInjuryLying;
                f.frame = 0;
            } else {
                f.injury = kInjuryNone;
            }
            return;
        case kInjuryLying:
            if (MatchTrySetPlayerAnim(figure, kLyingClip, 1) == 0) {
                f.frame = kFallHoldFrame;
                f.injury = kInjuryGettingUp;
            }
            return;
        default:
            MatchSetPlayerAnim(figure, kFallClip, 1, kActionThink);
            return;
    }
}

void Match_ActSlidingFall(int16_t figure) {
    MatchFigure& f = Fig(figure);
    if (FallMarkFlag == 0) {
        SkidMark_Add(MatchCurX, MatchCurY, 1.0f, f.facing, kMarkFall);
        FallMarkFlag = 1;
    }
    if (MatchSetPlayerAnim(figure, kSlidingFallClip, 1, kActionThink) == 0) {
        FallMarkFlag = 0;
        return;
    }
    Match_ApplyAnimMotion(figure, 0, 2);
}
