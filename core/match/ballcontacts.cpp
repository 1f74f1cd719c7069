#include "core/match/ballcontacts.h"
#include "core/match/actions.h"

#include <cassert>
#include <initializer_list>

#include "core/base/random.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

int16_t BallDeflectionCooldown;
int16_t BallFavouredPlayer = -1;
uint8_t BallTouchTeam;
int16_t TeamLastToucher[2] = {0, kTeamFigures};
int8_t PassMarker = -1;
int16_t PassMarkerCountdown;

namespace {

constexpr int32_t kUnit = 65536;
constexpr int kRebounded = 4;
constexpr int16_t kChestLow = 70;
constexpr int16_t kChestHigh = 139;
constexpr int16_t kFeetHeight = 30;
constexpr int16_t kTakeHeight = 70;
constexpr int32_t kChestDropSpeed = 157286;  // 1.2 x 131072: 2.4 units per tick
constexpr int kChestDropAhead = 16;

// Where the ball rebounds to, by where it met the player (row iy, column ix).
constexpr uint8_t kReboundSector[11][11] = {
    {7, 7, 7, 0, 0, 0, 0, 0, 1, 1, 1}, {7, 7, 7, 0, 0, 0, 0, 0, 1, 1, 1}, {7, 7, 7, 0, 0, 0, 0, 0, 1, 1, 1},
    {6, 6, 6, 7, 0, 0, 0, 1, 2, 2, 2}, {6, 6, 6, 6, 7, 0, 1, 2, 2, 2, 2}, {6, 6, 6, 6, 6, 0, 2, 2, 2, 2, 2},
    {6, 6, 6, 6, 5, 4, 3, 2, 2, 2, 2}, {6, 6, 6, 5, 4, 4, 4, 3, 2, 2, 2}, {5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3},
    {5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3}, {5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3},
};
// Per sector the share (in 180ths) of vx and vy kept.
constexpr int16_t kReboundFactor[8][2] = {{20, -90}, {70, -70}, {90, -20}, {70, 70},
                                          {-20, 90}, {-70, 70}, {-90, 20}, {-70, -70}};

bool IsOneOf(uint16_t action, std::initializer_list<uint16_t> actions) {
    for (uint16_t a : actions) {
        if (a == action) return true;
    }
    return false;
}

// Actions in which the player's body does not meet the ball here: the
// jumps, headers and volleys play it themselves.
bool IgnoresTheBall(uint16_t action) {
    return IsOneOf(action, {kActionHeader, kActionHeaderAtAim, kActionHeaderAtGoal, kActionAirBackHeader,
                            kActionLowHeader, kActionVolleyA, kActionAttackingHeader, kActionVolleyB,
                            kActionVolleyC, kActionHeaderPass, kActionBackHeader, kActionChestLayOff});
}

// Actions in which the player cannot take the ball: falls, slides, dives.
bool CannotTake(uint16_t action) {
    return IsOneOf(action, {kActionFallForward, kActionAirBackHeader, kActionLowHeader, kActionSlideTackle,
                            kActionWatchRestart, kActionDive, kActionSlidingFall, kActionSlidingTackle,
                            kActionSlideWithBall, kActionSlidingPoke, kActionHeavySlide});
}

// Actions that carry the ball on 4 units ahead of the player once he has it.
bool CarriesOn(uint16_t action) {
    return IsOneOf(action, {kActionRunAfterBall, kActionSprintAfterBall, kActionCross, kActionPass,
                            kActionBackHeel, kActionHurdle, kActionShot, kActionRunningBackHeel,
                            kActionCrossMirrored, kActionRunningForwardPass, kActionRunningShot,
                            kActionJoggingShot, kActionJoggingForwardPass, kActionJoggingBackHeel}) ||
           (action >= kActionStandingSidePassA && action <= kActionAimedStrikeD);
}

bool ValidPlayer(int16_t figure) { return figure >= 0 && figure < kPlayerFigures; }

// A hold word (figure + 1, 0 none) that names somebody other than figure.
bool HeldByAnother(int16_t word, int16_t figure) { return word != 0 && word != figure + 1; }

int32_t Share(int32_t velocity, int factor) { return int32_t(int64_t(velocity) * factor / 180); }

int CellIndex(int offset) {
    const int cell = offset / 2;
    return cell >= 0 && cell <= 10 ? cell : 0;
}

void StillTheBall() { Ball_Stop(); }

// A 16.16 value with new whole units, keeping its fraction.
int32_t WithWhole(int32_t value, int whole) { return (value & 0xFFFF) + whole * kUnit; }

// Moves the ball by whole units; the flight keeps the fraction.
void MoveBallTo(int x, int y) {
    MatchFigure& ball = MatchFigures[kBallFigure];
    BallState.x = int16_t(x);
    BallState.y = int16_t(y);
    ball.x = int16_t(x);
    ball.y = int16_t(y);
    ball.x16 = WithWhole(ball.x16, x);
    ball.y16 = WithWhole(ball.y16, y);
}

void Rebound(int16_t i, const MatchFigure& p, int ix, int iy) {
    const int sector = kReboundSector[iy][ix];
    BallState.vx = Share(BallState.vx, kReboundFactor[sector][0]);
    BallState.vy = Share(BallState.vy, kReboundFactor[sector][1]);
    BallDeflectionCooldown = kRebounded;
    LastToucher = i;
    // Off somebody else: no longer the pass that was played, nor the strike.
    BallFavouredPlayer = -1;
    Match_ClearScoringStrike();
    if (BallState.speed >= 12 && BallState.z == kBallTouchHeight && p.action <= kActionRunAfterBall) {
        // Struck unprepared at the top of his reach: he goes down.
        MatchSfx_PlayEvent(kSoundBallOnPlayer, -1);
        const int relative = (BallState.direction - p.facing) & 255;
        Match_SetPlayerAction(i, relative < 64 || relative >= 193 ? kActionSlidingFall : kActionFallForward);
    }
}

void ChestDrop(int16_t i, const MatchFigure& p) {
    LastToucher = i;
    Match_ClearScoringStrike();
    Match_VectorFromDirection(p.facing & 255, kChestDropAhead, 256);
    const int aimX = p.x + MatchVecX;
    const int aimY = p.y - MatchVecNY;
    const uint16_t toAim = Match_DirectionTo(BallState.x, BallState.y, aimX, aimY);
    Match_VectorFromDirection(toAim, kChestDropSpeed, 256);
    BallState.vx = MatchVecX;
    BallState.vy = -MatchVecNY;
    BallState.vz = -kUnit;
}

// The ball's response to the player's body while it moves.
void BodyResponse(int16_t i, const MatchFigure& p, int ix, int iy) {
    // The kicker's own moving ball does not meet his body.
    if (BallState.direction == kNoDirection || i == LastKicker) return;
    const int speed = BallState.speed;
    if (p.action == kActionLowControl && speed >= 1 && speed <= 11 && BallState.z <= kBallTouchHeight) {
        BallState.vz = -5 * kUnit;
        BallState.vx >>= 2;
        BallState.vy >>= 2;
    } else if (speed > 10 && i != BallFavouredPlayer) {
        Rebound(i, p, ix, iy);
    } else if (BallDeflectionCooldown == 0 && speed < 10 && BallState.z >= kChestLow &&
               BallState.z <= kChestHigh) {
        ChestDrop(i, p);
    } else if (BallState.z <= kFeetHeight && speed <= 10) {
        BallState.vx = BallState.vy = 0;
        BallState.kickGrace = 0;
    }
}

// Whether the player gets the ball under control: a loose ball always; his
// own ball or one reaching him while busy only by his control.
bool Takes(int16_t i, const MatchFigure& p) {
    if (i == LastToucher || p.action > kActionReceivePass) {
        const bool controlled = int(GameRandom() % 100) < p.control;
        return controlled && (p.action == kActionThink || p.action == kActionRunAfterBall ||
                              p.action == kActionSprintAfterBall);
    }
    return true;
}

void TakeTheBall(int16_t i, int team) {
    Match_SetPlayerAction(i, kActionThink);
    Match_PassThinkRole(int16_t(team), i);
    MatchFigure& p = MatchFigures[i];
    p.frame = p.left == 3 && p.right != 3 ? 11 : 27;
    const bool leads = Goals[team] > Goals[team ^ 1];
    if (BallState.z <= kTakeHeight && Match_NoOpponentNear(i) != 0 && leads &&
        int(GameRandom() % 200) < p.composure) {
        // Nobody near and the game won: he stops it dead and looks up.
        StillTheBall();
        p.action = kActionOnBall;
        p.actionWord = 0;
    }
}

// The first touch in open play: possession, the tackle count, carrying on,
// the offside marks and the crowd.
void OpenPlayTouch(int16_t i, int team) {
    MatchFigure& p = MatchFigures[i];
    CurrentTeam = uint8_t(team);
    MatchCurX = p.x;
    MatchCurY = p.y;
    MatchCurX16 = p.x16;
    MatchCurY16 = p.y16;
    MatchTakePossession(i);
    // Once somebody has the ball, the pass and the strike before are over.
    BallFavouredPlayer = -1;
    Match_ClearScoringStrike();
    if (p.action <= kActionReceivePass && BallState.z < kTakeHeight) {
        StillTheBall();
        if (MatchCountTackle(i) == 1) {
            const uint16_t direction = MatchRandomSpread(p.composure, 100) < p.composure
                                           ? Match_DirectionTo(p.x, p.y, kPitchCentreX, kPitchHalfwayY)
                                           : uint16_t(p.facing & 255);
            MatchClearBall(i, direction);
        }
    }
    if (CarriesOn(p.action) && BallState.holder == 0 && BallState.controller == 0) {
        Match_VectorFromDirection(p.facing & 255, 4, 256);
        MoveBallTo(p.x + MatchVecX, p.y - MatchVecNY);
    }
    BallTouchTeam = uint8_t(team);
    MatchMarkOffside(i);
    MatchMarkTeamOffside(i);
    if (BallTeam == team) Crowd_AddExcitement(100);
    BallTeam = uint8_t(team);
    TeamLastToucher[team] = i;
}

}  // namespace

void Ball_ResetContacts() {
    BallDeflectionCooldown = 0;
    LastKicker = kNoKicker;
    BallFavouredPlayer = -1;
    BallTouchTeam = 0;
    PassMarker = -1;
    PassMarkerCountdown = 0;
    BallState.kickGrace = 0;
    PlayStopped = 0;
    ShooterFigure = -1;
    ShootOutDecision[0] = ShootOutDecision[1] = 0;
    KeeperTouchedBall = 0;
    for (int team = 0; team < 2; ++team) {
        const int16_t keeper = MatchLineUp[team][0];
        TeamLastToucher[team] = ValidPlayer(keeper) ? keeper : int16_t(team * kTeamFigures);
    }
}

void Ball_PlayerContacts() {
    if (PassMarkerCountdown != 0 && --PassMarkerCountdown == 0) PassMarker = -1;
    if (BallState.kickGrace > 0) --BallState.kickGrace;
    if (BallDeflectionCooldown > 0) --BallDeflectionCooldown;

    bool touched = false;
    for (int16_t i = 0; i < kPlayerFigures; ++i) {
        MatchFigure& p = MatchFigures[i];
        p.hasBall = 0;
        if (p.off != 0) continue;
        if (p.touchLockout > 0) {
            p.touchLockout = int16_t(p.touchLockout - 1);
            continue;
        }
        p.touchLockout = 0;
        p.ballWork2 = p.ballWork2 > 0 ? int16_t(p.ballWork2 - 1) : int16_t(0);

        const int dx = BallState.x - p.x;
        const int dy = BallState.y - p.y;
        if (touched || BallDeflectionCooldown > 0 || p.action >= kFirstKeeperAction ||
            BallState.z > kBallTouchHeight || dx < -kBallTouchReach || dx > kBallTouchReach ||
            dy < -kBallTouchReach || dy > kBallTouchReach)
            continue;
        const int ix = CellIndex(dx + kBallTouchReach);
        const int iy = CellIndex(dy + kBallTouchReach);
        assert(ix <= 10 && iy <= 10);
        if (IgnoresTheBall(p.action)) continue;

        BodyResponse(i, p, ix, iy);

        if (CannotTake(p.action) || HeldByAnother(BallState.holder, i) ||
            HeldByAnother(BallState.controller, i))
            continue;
        const int team = i / kTeamFigures;
        if (BallState.z <= kTakeHeight) {
            if (ValidPlayer(LastToucher) && MatchFigures[LastToucher].hasBall != 0) continue;
            if (Takes(i, p)) TakeTheBall(i, team);
            p.hasBall = 1;
            BallState.vz = 0;
            if (p.action == kActionRunAfterBall || p.action == kActionSprintAfterBall) {
                Match_SetPlayerAction(i, kActionThink);
                Match_PassThinkRole(int16_t(team), i);
            }
        }
        if (MatchPhase == kPhaseOpenPlay) {
            touched = true;
            OpenPlayTouch(i, team);
        }
    }
}

void Ball_PlaceAtFeet(int16_t player) {
    if (!ValidPlayer(player)) return;
    const MatchFigure& p = MatchFigures[player];
    StillTheBall();
    Match_VectorFromDirection(p.facing & 255, 12, 256);
    MoveBallTo(p.x + MatchVecX, p.y - MatchVecNY);
}

void Ball_KeepAtFeet(int16_t player) {
    if (!ValidPlayer(player)) return;
    MatchFigure& p = MatchFigures[player];
    StillTheBall();
    if (p.action == kActionOnBall || p.action == kActionTurnOnSpotDown || p.action == kActionTurnOnSpotUp) {
        p.gait = 0;
        MoveBallTo(BallState.x, BallState.y);  // the ball figure's 16.16 agrees with the ball
        Match_VectorFromDirection((p.facing - 10) & 255, 8, 256);
        Match_StepTowardX(kBallFigure, int16_t(p.x + MatchVecX), int16_t(p.y - MatchVecNY));
        BallState.x = MatchFigures[kBallFigure].x;
        BallState.y = MatchFigures[kBallFigure].y;
        return;
    }
    Match_VectorFromDirection(p.facing & 255, 4, 256);
    MoveBallTo(p.x + MatchVecX, p.y - MatchVecNY);
}
