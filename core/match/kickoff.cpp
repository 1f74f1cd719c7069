// Kick-off places, walks off the pitch and the empty actions: the ball
// picked out of the net and carried to the centre spot, the kick-off pair
// at their places and the first pass, the retreat from a free kick, the
// walk while the keeper holds the ball, the walk to the tunnel and off the
// pitch, and the substitution: the player walking off and the substitute
// running on.
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/computermanager.h"
#include "core/match/crowd.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/openplay.h"
#include "core/match/passing.h"
#include "core/match/phases.h"
#include "core/match/playeractions.h"
#include "core/match/replay.h"
#include "core/match/setpiececommon.h"
#include "core/match/setpieces.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/teamjobs.h"

using namespace setpiece;

uint8_t KickOffCount;
int16_t KeeperHoldDraw;

int16_t KickOffKeeperWait;

namespace {

constexpr uint8_t kPeriodShootOut = 4;
constexpr int kSpotHeight = 10000;
constexpr int kSideGap = 48;
constexpr int kOverTheBall = 8;
constexpr int kThrowFrame = 161;
constexpr int kPlacedFrame = 128;
constexpr int kPartnerPlaceTicks = 9;
constexpr int16_t kPartnerGo = 500;
constexpr int kKeeperInGoalX = 862;
constexpr int kTunnelX = -2;
constexpr int kTunnelY = kPitchHalfwayY;
constexpr int16_t kSubstitutionExcitement = 300;
constexpr int16_t kGaitClips[6] = {10, 11, 12, 13, 14, 5};

bool BallOnCentreSpot() { return BallState.x == kPitchCentreX && BallState.y == kPitchHalfwayY; }

bool IsTeamKeeper(int16_t figure) { return MatchLineUp[TeamOf(figure)][0] == figure; }

bool KickOffWhistled() { return MatchPhase == kPhaseKickOffWhistle && PhaseTimer == -1; }

// Back to the phase the substitution interrupted, once nobody is left to
// come on.
void SubstitutionDone() {
    if (MatchPhase == kPhaseSubstitution) {
        CameraSubject = kBallFigure;
        MatchPhase = ResumePhase;
    }
    RestartValue = 5;
    Tactics_UpdateComputerTeams();
}

}  // namespace

void Match_ActNetFetch(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (f.hasKicked < 2) {
        FetchTheBall(figure, FetchHold::InHands);
        if (f.hasKicked == 2) f.frame = 84;
        return;
    }
    Match_ApplyAnimMotion(figure);
    Match_TurnPlayerTowards(figure, Match_DirectionTo(MatchCurX, MatchCurY, kPitchCentreX, kPitchHalfwayY),
                            2);
    if (MatchSetPlayerAnim(figure, kClipThrowOut, 1, kActionKeeperReady) == 0) {
        RestartValue = 100;
        MatchPhase = kPhaseKickOffSetUpAfterGoal;
        PhaseTimer = 0;
        if (!IsTeamKeeper(figure)) Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    if (f.hasKicked > 2) return;  // thrown
    if (f.shownFrame < kThrowFrame) {
        BallState.holder = BallState.controller = int16_t(figure + 1);
        Ball_KeepAtFeet(figure);
        return;
    }
    BallState.holder = BallState.controller = 0;
    const uint16_t toCentre = Match_DirectionTo(MatchCurX, MatchCurY, kPitchCentreX, kPitchHalfwayY) & 255;
    Match_VectorFromDirection(toCentre, 16, 256);
    BallState.vx = MatchVecX * 40960;
    BallState.vy = -MatchVecNY * 40960;
    BallState.vz = 2097152;
    BallState.kickGrace = 16;
    f.touchLockout = 16;
    f.hasKicked = 3;
    // Direction and speed at once: the next tick's line tests read them
    // before the ball update does (a ball struck from still crossed unseen).
    Ball_UpdateDirectionSpeed();
}

void Match_ActCarryToCentre(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    if (f.hasKicked <= 1) {
        ++WalkingCount;
        if (BallOnCentreSpot() && BallState.controller == 0) {
            f.hasKicked = 4;
            return;
        }
        FetchTheBall(figure, FetchHold::AtFeet);
        return;
    }
    if (f.hasKicked <= 3) {
        ++WalkingCount;
        if (AtPoint(kPitchCentreX, kPitchHalfwayY, kSpotHeight)) {
            if (f.hasKicked == 2) {
                f.hasKicked = 3;
                f.frame = 0;
            }
            if (f.frame >= kPlacedFrame) {
                Ball_PlaceOnCentreSpot();
                BallState.controller = 0;
            }
            if (MatchTrySetPlayerAnim(figure, kClipPlaceBall, 2) == 0) {
                Ball_PlaceOnCentreSpot();
                BallState.controller = 0;
                f.hasKicked = 4;
            }
            return;
        }
        BallState.controller = int16_t(figure + 1);
        FacePoint(figure, kPitchCentreX, kPitchHalfwayY);
        if (TeamBehind(team, false)) {
            BallState.z = 70;
            Ball_PlaceAtFeet(figure);
            BallState.controller = 0;
            Match_ApplyAnimMotion(figure);
            MatchSetPlayerAnimKeepFrame(figure, kClipRun, 1, 0);
        } else {
            Ball_KeepAtFeet(figure);
            Match_ApplyAnimMotion(figure);
            Match_ApplyAnimMotion(figure);
            MatchSetPlayerAnimKeepFrame(figure, kClipWalkCarry, 1, 0);
        }
        ++TimeWastingCount;
        ++WalkingCount;
        BallTeam = uint8_t(team);
        return;
    }
    if (AtPoint(f.targetX, f.targetY, kSpotHeight)) {
        Match_SetPlayerAction(figure, kActionStand);
        MatchStepPlayerAnim(figure, f.facing);
        return;
    }
    ++WalkingCount;
    Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
    if (MatchCurX <= kTunnelX) MatchFigures[figure].frame = -1;
}

void Match_ActOverTheBall(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    f.facing = f.ballDirection & 255;
    // The taker's side is that of his kick-off place: judged by where he
    // stands, a taker standing over the ball himself would change sides
    // every tick.
    const bool takerLeft = IsPlayer(KickOffTaker) && MatchFigures[KickOffTaker].targetX < kPitchCentreX;
    MatchCurX = int16_t(takerLeft ? kPitchCentreX + kOverTheBall : kPitchCentreX - kOverTheBall);
    MatchCurX16 = int32_t(MatchCurX) * 65536;
    MatchStepPlayerAnim(figure, f.facing);
    Ball_Stop();
    f.gait = 0;
    BallState.x = kPitchCentreX;
    BallState.y = kPitchHalfwayY;
}

void Match_ActKickOffWalk(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const bool leftOfCentre = MatchCurX < kPitchCentreX;
    if (IsPlayer(KickOffPartner) && KickOffPartner != figure) {
        MatchFigure& partner = MatchFigures[KickOffPartner];
        partner.targetY = kPitchHalfwayY;
        partner.targetX = int16_t(leftOfCentre ? kPitchCentreX + kSideGap : kPitchCentreX - kSideGap);
    }
    if (MatchPhase == kPhaseKickOffWhistle) return;
    f.targetY = kPitchHalfwayY;
    f.targetX = int16_t(leftOfCentre ? kPitchCentreX - kSideGap : kPitchCentreX + kSideGap);
    if (!AtPoint(f.targetX, f.targetY, kSpotHeight)) {
        Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        return;
    }
    if (MatchPhase == kPhaseKickOffPositions && KickOffWaitCount < 10) {
        MatchStepPlayerAnim(figure, f.ballDirection & 255);
        ++KickOffWaitCount;
        return;
    }
    RestartValue = 0;
    KickOffWaitCount = 0;
    PhaseTimer = 0;
    MatchPhase = kPhaseKickOffWhistle;
    if (figure == KickOffTaker) {
        MatchStepPlayerAnim(figure, f.ballDirection & 255);
    } else {
        Match_SetPlayerAction(figure, kActionStand);
    }
}

void Match_ActKickOffPartner(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    CameraSubject = kBallFigure;
    ++KickOffTicks;
    if (KickOffTicks <= kPartnerPlaceTicks) {
        // The halves are checked while the pair take their places.
        FormationOffset[0] = int16_t(GameRandom() % 60);
        FormationOffset[1] = int16_t(GameRandom() % 60);
        const bool takerLeft = IsPlayer(KickOffTaker) && MatchFigures[KickOffTaker].targetX < kPitchCentreX;
        f.targetY = kPitchHalfwayY;
        f.targetX = int16_t(takerLeft ? kPitchCentreX + kSideGap : kPitchCentreX - kSideGap);
        if (!AtPoint(f.targetX, f.targetY, kSpotHeight)) Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        return;
    }
    // A keeper who never gets back into his goal holds the kick-off up for a
    // bounded time only.
    const bool keepersInGoal = MatchFigures[MatchLineUp[0][0]].x < kKeeperInGoalX &&
                               MatchFigures[MatchLineUp[1][0]].x < kKeeperInGoalX;
    if (!keepersInGoal && KickOffKeeperWait < kWaitTicksBound) {
        ++KickOffKeeperWait;
        FacePoint(figure, f.targetX, f.targetY);
        return;
    }
    if (KickOffTicks < kPartnerGo || !KickOffWhistled()) {
        // Still on his way to his place (the teams may be walking on), or
        // waiting there for the whistle.
        if (!AtPoint(f.targetX, f.targetY, kSpotHeight)) {
            Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        } else {
            MatchStepPlayerAnim(figure, f.ballDirection & 255);
        }
        return;
    }
    if (!AtPoint(BallState.x, BallState.y, kSpotHeight)) {
        Match_ChaseTarget(figure, BallState.x, BallState.y, 0);
        KickOffTicks = kPartnerGo;
        return;
    }
    // The first touch: the pair's pass starts open play.
    const int16_t taker = KickOffTaker;
    if (IsPlayer(taker)) {
        const MatchFigure& t = MatchFigures[taker];
        MatchPassTargetX = t.x;
        MatchPassTargetY = int16_t(t.y + (team == AttackDirection ? 4 : -4));
        RestartReceiver = taker;
        MatchPassReceiver = taker;
    }
    KickOffTicks = 0;
    MatchPhase = kPhaseOpenPlay;
    PhaseTimer = 0;
    RestartValue = 0;
    TeamChallenger[team ^ 1] = BallRanking[team ^ 1][0];
    LastToucher = figure;
    BallTeam = uint8_t(team);
    FacePoint(figure, BallState.x, BallState.y);
    Match_ChooseShortPass(figure, 1);  // weighs the options; the taker plays the ball
    if (IsPlayer(taker)) {
        Match_SetPlayerAction(taker, kActionReceivePass);
        // Nobody has struck the ball: the taker runs onto it where it lies.
        MatchFigures[taker].aimX = BallState.x;
        MatchFigures[taker].aimY = BallState.y;
        TeamChallenger[team] = taker;
    }
    KickOffPartner = -1;
    KickOffKeeperWait = 0;
    ++KickOffCount;
    Match_SetPlayerAction(figure, kActionStand);
}

void Match_ActRetreat(int16_t figure) {
    const int team = TeamOf(figure);
    const int distance = MatchOctDistance(MatchCurX - FoulX, MatchCurY - FoulY);
    if (distance < 160 && MatchCurY > kGoalLineLow && MatchCurY < kGoalLineHigh) {
        Match_ChaseTarget(figure, kPitchCentreX, DefendedGoalY(team), 1);
        return;
    }
    Match_SetPlayerAction(figure, kActionStand);
}

void Match_ActKeeperHoldWalk(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    KeeperHoldDraw = int16_t(GameRandom() % 200);
    if (!AtPoint(f.targetX, f.targetY, 1000)) {
        Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        return;
    }
    const bool nearAreaLine = MatchCurY < kAreaLowY + 80 || MatchCurY > kAreaHighY - 80;
    if (nearAreaLine && MatchCurX < kDefaultPitch.right) {
        FacePoint(figure, f.targetX, f.targetY);
        return;
    }
    if (Period == kPeriodShootOut) {
        Match_SetPlayerAction(figure, kActionWaitTurning);
    } else {
        Match_SetPlayerAction(figure, kActionStand);
        MatchFigures[figure].actionWord = 0;
    }
}

void Match_ActWaitTurning(int16_t figure) {
    if (MatchCurX > kTunnelX) {
        MatchStepPlayerAnim(figure, MatchFigures[figure].ballDirection & 255);
    } else {
        MatchFigures[figure].frame = -1;
    }
}

void Match_ActToTunnel(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (AtPoint(kTunnelX, kTunnelY, kSpotHeight)) {
        Match_SetPlayerAction(figure, kActionWalkOff);
        MatchFigures[figure].targetX = kTunnelX;
        MatchFigures[figure].targetY = kTunnelY;
        return;
    }
    ++WalkingCount;
    FacePoint(figure, kTunnelX, kTunnelY);
    if (f.actionParam > 5) return;
    Match_ApplyAnimMotion(figure, 0, 0);
    MatchSetPlayerAnimKeepFrame(figure, kGaitClips[f.actionParam], 1, 0);
}

void Match_ActWalkOff(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    // Off the pitch is through the tunnel, whoever started the walk.
    f.targetX = kTunnelX;
    f.targetY = kTunnelY;
    if (!AtPoint(f.targetX, f.targetY, kSpotHeight)) {
        ++f.actionWord;
        ++WalkingCount;
        Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        return;
    }
    if (f.sentOff != 0 || f.cautions > 1) {
        CameraSubject = kBallFigure;
        if (f.off == 0) Tactics_UpdateComputerTeams();
        ++f.off;
        Match_SetPlayerAction(figure, kActionStand);
    }
    MatchFigures[figure].frame = -1;
}

void Match_ActSubstitutedOff(int16_t figure) {
    const int team = TeamOf(figure);
    if (BallState.holder == figure + 1) BallState.holder = 0;
    Match_ActToTunnel(figure);
    CameraSubject = int8_t(figure);
    if (MatchFigures[figure].action != kActionWalkOff) return;
    Crowd_AddExcitement(kSubstitutionExcitement);
    MatchSfx_PlayEvent(kSoundSubstitution, int16_t(team));
    MatchSfx_PlayEvent(kSoundFansCheer, int16_t(team));
    MatchFigure& f = MatchFigures[figure];
    const int16_t substitute = Match_PickSubstitute(int16_t(team), figure);
    Match_SetPlayerAction(figure, kActionStand);
    if (substitute >= 0) {
        MatchSubstitutePlayer(int16_t(team), int16_t(figure - team * kTeamFigures),
                              int16_t(substitute - team * kTeamFigures));
        MatchFigure& in = MatchFigures[substitute];
        in.targetX = in.formationX;
        in.targetY = in.formationY;
        return;
    }
    // Nobody to bring on: he leaves and the team plays on a man short.
    f.off = 1;
    ++f.subbedOff;
    SubstitutionDone();
}

void Match_ActSubstituteOn(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    const bool keeper = MatchLineUp[team][0] == figure;
    const auto aim = [&] {
        f.targetY =
            f.formationY < kGoalLineLow || f.formationY > kGoalLineHigh ? kPitchHalfwayY : f.formationY;
        f.targetX = kPitchCentreX;
        if (keeper) f.targetY = int16_t(team == AttackDirection ? kGoalLineLow : kGoalLineHigh);
    };
    aim();
    Match_ActRunToPosition(figure);
    CameraSubject = int8_t(figure);
    aim();
    if (f.action == kActionSubstituteOn) return;
    if (!AtPoint(f.targetX, f.targetY, kSpotHeight)) {
        f.action = kActionSubstituteOn;
        return;
    }
    SubstitutionDone();
}
