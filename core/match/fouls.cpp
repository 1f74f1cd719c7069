#include "core/match/fouls.h"
#include "core/match/actions.h"

#include <algorithm>

#include "core/base/random.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/infobartypes.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/soundevents.h"
#include "core/match/tackle.h"

uint8_t TeamSentOffCount[2];
int16_t FoulerFigure = -1;
int16_t FoulCardRoll;
uint16_t SlideMarkLatch;
uint16_t HeavySlideMarkLatch;

namespace {

constexpr uint16_t kLastReceivingAction = kActionReceivePass;
constexpr int kContactReach = 16;
constexpr int kLowBall = 70;
constexpr int16_t kChallengeLockout = 16;
constexpr int32_t kTackleLift = 327680;  // 5 units a tick
constexpr int16_t kLastManBandFrom = 414, kLastManBandTo = 1182;
constexpr int kHeights = 30;
constexpr int32_t kDeflectionLiftTable[kHeights] = {
    -98304, -81920, -65536, -32768, -16384, 0,     4096,  8192,  12288, 16384,
    24576,  32768,  40960,  49152,  49152,  49152, 49152, 49152, 49152, 49152,
    49152,  49152,  49152,  49152,  49152,  49152, 49152, 49152, 49152, 49152};

MatchFigure& Fig(int16_t figure) { return MatchFigures[figure]; }
int TeamOf(int16_t figure) { return figure / kTeamFigures; }
bool OnTheBall(int16_t victim) { return victim >= 0 && Fig(victim).action == kActionOnBall; }
int Draw(int n) { return int(GameRandom() % uint32_t(n)); }

void Count(MatchFigure& f, MatchCounter counter) { ++f.counts[counter]; }

void KickAlong(int direction, int32_t length) {
    Match_VectorFromDirection(direction & 255, length, 256);
    BallState.vx += MatchVecX;
    BallState.vy -= MatchVecNY;
}

// The conditions every tackle's foul test shares: the victim close, the
// ball not his own team's, the tackler without it, open play, not just
// struck, and the victim a player in the other team's outfield actions.
bool BodyContact(int16_t tackler, int16_t victim) {
    if (victim < 0) return false;
    const MatchFigure& t = Fig(tackler);
    const MatchFigure& v = Fig(victim);
    return Match_ApproxDistance(MatchCurX, MatchCurY, v.x, v.y) < kContactReach &&
           BallTeam != TeamOf(tackler) && t.hasBall == 0 && MatchPhase == kPhaseOpenPlay &&
           t.touchLockout == 0 && v.action < kFirstKeeperAction;
}

bool BallWithinTackle(const MatchFigure& t) {
    return BallState.holder == 0 && t.ballDistance < kContactReach && t.actionParam == 0 &&
           BallState.z < kLowBall;
}

// The counts of a won tackle in open play.
void CountTackleWon(int16_t tackler, int16_t victim) {
    if (MatchPhase != kPhaseOpenPlay) return;
    Count(Fig(tackler), kCountTacklesWon);
    MatchCountOwnAreaTouch(tackler);
    if (victim >= 0) Count(Fig(victim), kCountTimesTackled);
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

// What differs between the two sliding tackles.
struct SlideKind {
    int16_t clip;
    int16_t motionUntilFrame;
    float markSize;
    int16_t markKind;
    int foulRoll;
    bool heavy;
};
constexpr SlideKind kSlide{129, 21, 1.0f, 5, 100, false};
constexpr SlideKind kHeavySlide{119, 50, 1.2f, 2, 50, true};

void DecideSlideCard(int16_t tackler, const SlideKind& kind) {
    if (!Match_CardMayBeDecided(tackler)) return;
    MatchFigure& t = Fig(tackler);
    if (kind.heavy) {
        const int r = Draw(100);
        FoulCardRoll = int16_t(r);
        Match_RaiseRefereeCall(r > MatchDismissalThreshold ? kCallBooking : kCallSendingOff, tackler);
    } else {
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
    }
    Match_ApplyLastManRule(tackler, BallState.x);
}

void JudgeSlideContact(int16_t tackler, int16_t victim, const SlideKind& kind) {
    MatchFigure& t = Fig(tackler);
    if (!BodyContact(tackler, victim) || Fig(victim).actionFlag != 0) return;
    uint16_t& latch = kind.heavy ? HeavySlideMarkLatch : SlideMarkLatch;
    if (latch == 0) {
        SkidMark_Add(MatchCurX, MatchCurY, kind.markSize, t.facing, kind.markKind);
        latch = 1;
    }
    const bool onBall = OnTheBall(victim);
    const int16_t stays = onBall ? 0 : MatchChallengeOutcome(victim, tackler);
    const int team = TeamOf(tackler);
    const MatchFigure& v = Fig(victim);
    const bool foul = Draw(kind.foulRoll) < MatchFoulChance && v.ballDistance > t.tackling / 12 &&
                      t.actionParam == 0 && stays == 0 && !onBall && MatchPhase == kPhaseOpenPlay &&
                      !(Match_AttackChanceFor(team) != 0 && v.injury == 0);
    if (!foul) return;
    Count(t, kCountFoulsCommitted);
    if (kind.heavy) ++t.moreCounts[kMoreHeavyFouls];
    InfoBar(kInfoFoulTackle, 0, 0);
    Match_RecordFoul(tackler, victim, team, v.x, v.y);
    DecideSlideCard(tackler, kind);
}

void WinBallBySlide(int16_t tackler, int16_t victim, const SlideKind& kind) {
    MatchFigure& t = Fig(tackler);
    if (!BallWithinTackle(t)) return;
    t.actionParam = 1;
    if (!kind.heavy && OnTheBall(victim)) {
        // He takes the ball off the player's feet and slides on with it.
        CountTackleWon(tackler, victim);
        SlideMarkLatch = 0;
        t.hasBall = 1;
        t.action = kActionSlideWithBall;
        Ball_KeepAtFeet(tackler);
    } else {
        const int direction = kind.heavy ? t.facing : int(t.facing) - Draw(100);
        KickAlong(direction, t.power * (kind.heavy ? 3072 : 2560));
        MatchSfx_PlayEvent(kind.heavy ? kSoundPass : kSoundKick, -1);
        BallState.vz = kTackleLift;
        t.touchLockout = kChallengeLockout;
        CountTackleWon(tackler, victim);
    }
    TakeFromVictim(tackler, victim);
}

void Slide(int16_t figure, const SlideKind& kind) {
    MatchFigure& t = Fig(figure);
    const int16_t victim = Match_ChallengeVictim(figure);
    if (t.frame < kind.motionUntilFrame) {
        Match_ApplyAnimMotion(figure);
        Match_ClampToPitch();
    }
    if (MatchSetPlayerAnim(figure, kind.clip, int16_t(1 + t.hasKicked), kActionThink) == 0) {
        if (kind.heavy) {
            HeavySlideMarkLatch = 0;
        } else {
            t.facing = uint16_t((t.facing + 128) & 255);  // he gets up facing back
            SlideMarkLatch = 0;
        }
        return;
    }
    JudgeSlideContact(figure, victim, kind);
    WinBallBySlide(figure, Match_BallLoser(figure), kind);
}

void JudgeStandingChallenge(int16_t figure, int16_t victim) {
    MatchFigure& t = Fig(figure);
    if (!BodyContact(figure, victim) || Fig(victim).action > kLastReceivingAction) return;
    const int team = TeamOf(figure);
    const MatchFigure& v = Fig(victim);
    const bool foul = Draw(1000) < MatchFoulChance && v.ballDistance > t.tackling / 12 && t.hasKicked == 0 &&
                      MatchPhase == kPhaseOpenPlay && Match_AttackChanceFor(team) == 0;
    if (!foul) return;
    Count(t, kCountChallengeFouls);
    InfoBar(kInfoFoul, 0, 0);
    Match_RecordFoul(figure, victim, team, v.x, v.y);
    if (!Match_CardMayBeDecided(figure)) return;
    FoulCardRoll = int16_t(Draw(100));
    if (t.stateB <= 10) return;  // only a persistent offender is carded
    if (Draw(200) < MatchDismissalThreshold) {
        Match_RaiseRefereeCall(kCallBooking, figure);
    } else {
        Match_RaiseRefereeCall(kCallWord, figure);
        ++t.stateB;
    }
}

void WinBallByChallenge(int16_t figure, int16_t victim) {
    MatchFigure& t = Fig(figure);
    if (victim < 0 || BallState.holder != 0 || t.ballDistance >= kContactReach || t.hasKicked != 0 ||
        BallState.z >= kLowBall) {
        return;
    }
    MatchFigure& v = Fig(victim);
    if (MatchRandomSpread(v.dribble, 100) <= v.dribble) return;
    t.hasKicked = 1;
    v.touchLockout = kChallengeLockout;
    // Whoever had it last, team-mate or opponent, is knocked off it.
    if (MatchPhase != kPhaseOpenPlay || victim == figure) return;
    Match_SetPlayerAction(victim, kActionStagger);
    if (t.power > v.power) {
        KickAlong(v.facing, t.power * 2048);
        BallState.vz = kTackleLift;
    }
}

}  // namespace

void Match_ResetFoulState() {
    TeamSentOffCount[0] = TeamSentOffCount[1] = 0;
    FoulerFigure = -1;
    FoulCardRoll = 0;
    SlideMarkLatch = HeavySlideMarkLatch = 0;
}

int32_t Match_DeflectionLift(int height, int32_t fromThreeHundred) {
    if (height >= kHeights * 10) return fromThreeHundred;
    return kDeflectionLiftTable[std::max(0, height / 10)];
}

int16_t Match_ChallengeVictim(int16_t challenger) {
    const int16_t v = LastToucher;
    if (v < 0 || v >= kPlayerFigures || challenger < 0 || challenger >= kPlayerFigures) return -1;
    return TeamOf(v) != TeamOf(challenger) ? v : int16_t(-1);
}

int16_t Match_BallLoser(int16_t tackler) {
    const int16_t toucher = LastToucher;
    return toucher >= 0 && toucher < kPlayerFigures && toucher != tackler ? toucher : int16_t(-1);
}

int16_t Match_AttackChanceFor(int team) {
    const uint8_t saved = CurrentTeam;
    CurrentTeam = uint8_t(team & 1);
    const int16_t chance = MatchAttackChance();
    CurrentTeam = saved;
    return chance;
}

void Match_RecordFoul(int16_t fouler, int16_t fouled, int foulingTeam, int16_t x, int16_t y, int crowdTeam) {
    FouledPlayer = fouled;
    FoulX = x;
    FoulY = y;
    FoulTeam = int16_t(foulingTeam & 1);
    FoulerFigure = fouler;
    MatchPhase = kPhaseFoul;
    PhaseTimer = 0;
    Crowd_AddExcitementNearGoal(int16_t(crowdTeam < 0 ? (foulingTeam & 1) ^ 1 : crowdTeam & 1), x, y);
}

void Match_RaiseRefereeCall(uint16_t call, int16_t offender) {
    RefereeAction = call;
    RefereeOffender = offender;
    Match_SetPlayerAction(kRefereeFigure, call);
}

bool Match_IsLastDefender(int16_t figure) {
    if (figure < 0 || figure >= kPlayerFigures) return false;
    const int team = TeamOf(figure);
    const bool upfield = team == AttackDirection;  // his own goal is at the low end
    int line = upfield ? 10000 : 0;
    int16_t last = -1;
    for (int slot = 1; slot <= 10; ++slot) {
        const int16_t f = MatchLineUp[team][slot];
        if (!MatchOnPitch(f)) continue;
        const int y = Fig(f).y;
        if (upfield ? y < line : y > line) {
            line = y;
            last = f;
        }
    }
    return last == figure;
}

void Match_ApplyLastManRule(int16_t fouler, int16_t ballCoordinate) {
    if (RefereeAction == 0 || !Match_IsLastDefender(fouler)) return;
    if (ballCoordinate > kLastManBandFrom && ballCoordinate < kLastManBandTo)
        Match_RaiseRefereeCall(kCallSendingOff, fouler);
}

bool Match_CardMayBeDecided(int16_t figure) {
    const int team = TeamOf(figure);
    return TeamSentOffCount[team] < kSentOffCardLimit && MatchLineUp[team][0] != figure;
}

void Match_ActSlidingTackle(int16_t figure) { Slide(figure, kSlide); }

void Match_ActHeavySlide(int16_t figure) { Slide(figure, kHeavySlide); }

void Match_ActSlideWithBall(int16_t figure) {
    MatchFigure& t = Fig(figure);
    if (t.frame < kSlide.motionUntilFrame) {
        Match_ApplyAnimMotion(figure);
        Match_ClampToPitch();
    }
    if (MatchSetPlayerAnim(figure, kSlide.clip, 3, kActionThink) == 0) {
        t.facing = uint16_t((t.facing + 128) & 255);
        return;
    }
    if (t.ballDistance <= 9) Ball_KeepAtFeet(figure);
}

void Match_ActStandingChallenge(int16_t figure) {
    MatchFigure& t = Fig(figure);
    Match_ApplyAnimMotion(figure);
    if (MatchSetPlayerAnim(figure, 103, 1, kActionThink) == 0) return;
    const int16_t victim = Match_ChallengeVictim(figure);
    JudgeStandingChallenge(figure, victim);
    const int16_t toucher = LastToucher;
    WinBallByChallenge(figure, toucher >= 0 && toucher < kPlayerFigures ? toucher : int16_t(-1));
    const int roll = Draw(100);
    if (roll < MatchSlotRoleChoice(figure, t.intelligence) && t.frame > 32) {
        Match_SetPlayerAction(figure, kActionThink);
    }
}

void Match_ActStagger(int16_t figure) {
    if (MatchSetPlayerAnim(figure, 116, 1, kActionThink) == 0) return;
    Match_ApplyAnimMotion(figure);
    const int e = std::max(1, 110 - Fig(figure).power);
    if (Draw(e) == 0) Match_SetPlayerAction(figure, kActionThink);
}

void Match_ActDive(int16_t figure) {
    MatchFigure& f = Fig(figure);
    if (MatchSetPlayerAnim(figure, 122, 1, kActionThink) == 0) return;
    Match_ApplyAnimMotion(figure);
    if (f.hasKicked != 0) return;
    SkidMark_Add(MatchCurX, MatchCurY, 1.0f, f.facing, 3);
    f.hasKicked = 1;
    // A dive is judged only in open play: one landing in a stoppage (the
    // ball out on the same tick) would overwrite the restart already given
    // with a free kick.
    if (MatchPhase != kPhaseOpenPlay) return;
    const int team = TeamOf(figure);
    const int other = team ^ 1;
    const int16_t nearestOpponent = BallRanking[other][0];
    const int r = Draw(100);
    if (r < f.dribble || Match_AttackChanceFor(team) != 0) {
        // Given or not, the crowd reacts by the other team's goal.
        Match_RecordFoul(nearestOpponent, figure, other, MatchCurX, MatchCurY, other);
    } else if (Draw(100) < MatchFoulChance && TeamSentOffCount[team] < kSentOffCardLimit) {
        Match_RecordFoul(figure, nearestOpponent, team, MatchCurX, MatchCurY);
        Match_RaiseRefereeCall(kCallBooking, figure);
    }
}

void Match_ActHandball(int16_t figure) {
    MatchFigure& f = Fig(figure);
    Match_TurnPlayerTowards(figure, f.ballDirection & 255, 0);
    if (MatchSetPlayerAnim(figure, 146, int16_t(1 + f.hasKicked), kActionStand) == 0) return;
    if (f.hasKicked != 0 || Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, 12, 140) != 0)
        return;
    f.hasKicked = 1;
    Match_VectorFromDirection(f.facing & 255, 65536, 256);
    BallState.vx = MatchVecX;
    BallState.vy = -MatchVecNY;
    BallState.vz = 10 * Match_DeflectionLift(BallState.z, -196608);
    // Only a handball in open play stops it: one in a stoppage (a receiver
    // still going for the ball after the whistle) would overwrite the foul
    // record already made and turn the free kick the other way.
    if (MatchPhase != kPhaseOpenPlay) return;
    const int team = TeamOf(figure);
    if (Match_AttackChanceFor(team) != 0) return;
    Count(f, kCountHandballs);
    InfoBar(kInfoHandball, 0, 0);
    const bool booked = Draw(200) < MatchFoulChance && TeamSentOffCount[team] < kSentOffCardLimit;
    Match_RecordFoul(figure, LastToucher, team, MatchCurX, MatchCurY);
    Count(f, kCountChallengeFouls);
    if (booked) Match_RaiseRefereeCall(kCallBooking, figure);
}
