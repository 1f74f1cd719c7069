#include "match/playeractions.h"

#include "match/geometry.h"
#include "match/matchclock.h"
#include "match/matchengine.h"
#include "match/matchfigure.h"
#include "match/matchphases.h"
#include "match/matchrules.h"
#include "match/matchstate.h"
#include "match/officials.h"
#include "support/random.h"

int16_t KickOffTicks;
int16_t KickOffWaitCount;

namespace {

constexpr int16_t kCentreX = 796;
constexpr int16_t kCentreY = 1082;
constexpr int16_t kKickOffSideGap = 48;
constexpr int kAnyHeight = 10000;
constexpr int16_t kKickOffWaitTicks = 10;
constexpr int16_t kPartnerPlaceTicks = 9;
constexpr uint16_t kPhaseKickOffPositions = 29;
constexpr uint16_t kActionStand = 0;
constexpr uint16_t kActionReceivePass = 17;
constexpr uint16_t kPhaseShootOutControl = 20;
constexpr uint8_t kShootOutPeriod = 4;

bool At(int x, int y) { return Match_BallInReach5(MatchCurX, MatchCurY, x, y, kAnyHeight) == 0; }

void StandFacingBall(int16_t figure) {
    MatchStepPlayerAnim(figure, MatchFigures[figure].ballDirection & 255);
}

bool ValidPlayer(int figure) { return figure >= 0 && figure < kPlayerFigures; }

// The whistle of the kick-off phase has sounded (its timer is left at -1).
bool KickOffWhistled() { return MatchPhase == kPhaseKickOffWhistle && PhaseTimer == -1; }

void StartOpenPlay(int16_t partner) {
    const int team = partner / kTeamFigures;
    MatchPhase = kPhaseOpenPlay;
    PhaseTimer = 0;
    BallTeam = uint8_t(team);
    LastToucher = partner;
    if (ValidPlayer(KickOffTaker)) {
        Match_SetPlayerAction(KickOffTaker, kActionReceivePass);
        MatchFigures[KickOffTaker].aimX = BallState.x;  // he runs onto the ball
        MatchFigures[KickOffTaker].aimY = BallState.y;
        TeamChallenger[team] = KickOffTaker;
    }
    Match_SetPlayerAction(partner, kActionStand);
    KickOffTicks = 0;
}

}  // namespace

void Match_ActNothing(int16_t) {}

void Match_ActStandTurningToBall(int16_t figure) { StandFacingBall(figure); }

void Match_ActKickOffWalk(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const bool leftOfCentre = MatchCurX < kCentreX;
    if (ValidPlayer(KickOffPartner) && KickOffPartner != figure) {
        MatchFigure& partner = MatchFigures[KickOffPartner];
        partner.targetY = kCentreY;
        partner.targetX = int16_t(leftOfCentre ? kCentreX + kKickOffSideGap : kCentreX - kKickOffSideGap);
    }
    if (MatchPhase == kPhaseKickOffWhistle) {
        StandFacingBall(figure);
        return;
    }
    f.targetY = kCentreY;
    f.targetX = int16_t(leftOfCentre ? kCentreX - kKickOffSideGap : kCentreX + kKickOffSideGap);
    if (!At(f.targetX, f.targetY)) {
        Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        return;
    }
    if (MatchPhase == kPhaseKickOffPositions && KickOffWaitCount < kKickOffWaitTicks) {
        StandFacingBall(figure);
        ++KickOffWaitCount;
        return;
    }
    PhaseTimer = 0;
    KickOffWaitCount = 0;
    MatchPhase = kPhaseKickOffWhistle;
    if (figure == KickOffTaker) {
        StandFacingBall(figure);
    } else {
        Match_SetPlayerAction(figure, kActionStand);
    }
}

void Match_ActKickOffPartner(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    ++KickOffTicks;
    if (KickOffTicks <= kPartnerPlaceTicks || !KickOffWhistled()) {
        if (KickOffTicks <= kPartnerPlaceTicks && ValidPlayer(KickOffTaker)) {
            const bool takerLeft = MatchFigures[KickOffTaker].x < kCentreX;
            f.targetY = kCentreY;
            f.targetX = int16_t(takerLeft ? kCentreX + kKickOffSideGap : kCentreX - kKickOffSideGap);
        }
        if (At(f.targetX, f.targetY)) {
            StandFacingBall(figure);
        } else {
            Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        }
        return;
    }
    if (!At(BallState.x, BallState.y)) {
        Match_ChaseTarget(figure, BallState.x, BallState.y, 0);
        return;
    }
    StartOpenPlay(figure);
}

void Match_ActPenaltyKick(int16_t figure) {
    if (Period != kShootOutPeriod) {
        StandFacingBall(figure);
        return;
    }
    if (!At(BallState.x, BallState.y)) {
        Match_ChaseTarget(figure, BallState.x, BallState.y, 0);
        return;
    }
    MatchFigure& f = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    ++PenaltiesTaken;
    ++f.counts[kCountPenaltiesTaken];
    if (GameRandom() % 4 != 0) {
        ++ShootOutGoals[team];
        ++f.counts[kCountPenaltiesScored];
        MatchPhase = kPhaseGoal;
    } else {
        MatchPhase = kPhaseShootOutControl;
    }
    Match_SetPlayerAction(figure, kActionStand);
}
