#include "core/match/ballcollide.h"

#include <cassert>
#include <cstdlib>
#include <initializer_list>

#include "core/base/random.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/computermanager.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "core/match/soundevents.h"

uint8_t PlayStopped;
int16_t ThrowInX, ThrowInY, CornerX, CornerY, GoalKickX, GoalKickY;
int16_t ThrowInToucher, CornerToucher, GoalKickToucher;
int8_t ShooterFigure = -1;
int16_t ShootOutScorer;
int16_t ShootOutDecision[2];
uint8_t KeeperTouchedBall;

namespace {

constexpr int kAssistant = kRefereeFigure + 1;
constexpr int16_t kPostHeight = 145;  // the crossbar's underside
constexpr int16_t kBarTop = 175;
constexpr int16_t kWallHeight = 110;  // below it the stand walls return the ball
constexpr int16_t kMouthLeftX = 733;  // the goal mouth inside the posts
constexpr int16_t kMouthRightX = 859;
constexpr int16_t kTopWallY = -2, kBottomWallY = 2166;
constexpr int16_t kLeftWallX = 30, kRightWallX = 1562;
constexpr int16_t kTunnelLowY = 1002, kTunnelHighY = 1162;
constexpr int16_t kNetCooldown = 25;
constexpr uint8_t kShootOut = 4;

using Response = void (*)();
constexpr Response kPostResponses[7] = {Ball_PostEdgeHigh, Ball_PostOuterHigh, Ball_PostInnerHigh,
                                        Ball_PostCentre,   Ball_PostInnerLow,  Ball_PostOuterLow,
                                        Ball_PostEdgeLow};
constexpr Response kBarResponses[7] = {Ball_BarTopFlick,  Ball_BarTopFlick,  Ball_BarUpperHalf,
                                       Ball_BarCentre,    Ball_BarLowerHalf, Ball_BarUnderFlick,
                                       Ball_BarUnderFlick};

// Which goal mouth the probe is at: the top goal (y 126) or the bottom one.
struct GoalEnd {
    int16_t line;       // the goal line
    int sign;           // +1 when depth grows with y (the bottom goal)
    int16_t sideDepth;  // deepest side netting
    int attackers;
};

GoalEnd TopEnd() { return {kGoalLineLow, -1, 31, AttackDirection ^ 1}; }
GoalEnd BottomEnd() { return {kGoalLineHigh, +1, 25, AttackDirection}; }

int Depth(const GoalEnd& end, int y) { return end.sign * (y - end.line); }
int16_t AtDepth(const GoalEnd& end, int depth) { return int16_t(end.line + end.sign * depth); }

// The goal whose half the probe is in.
GoalEnd EndOfProbe() { return BallState.probeY < kPitchHalfwayY ? TopEnd() : BottomEnd(); }

int ToucherTeam() {
    return LastToucher >= 0 && LastToucher < kPlayerFigures ? LastToucher / kTeamFigures : (BallTeam & 1);
}

bool Held() { return BallState.holder != 0 || BallState.controller != 0; }

void Hit() { ++BallState.collisionCount; }

void NetSound() {
    if (BallState.collisionCount == 0 && BallState.netCooldown == 0) {
        MatchSfx_PlayEvent(kSoundNet, -1);
        D3DGame_RecordNetImpact();
        BallState.netCooldown = kNetCooldown;
    }
}

void ChangePhase(uint16_t phase) {
    PhaseTimer = 0;
    MatchPhase = phase;
}

// The assistant referee runs to the line where the ball went out.
void SendAssistant(int x, int y) {
    MatchFigure& a = MatchFigures[kAssistant];
    a.x = int16_t(x);
    a.y = int16_t(y);
    a.x16 = int32_t(x) * 65536;
    a.y16 = int32_t(y) * 65536;
    a.actionWord = 0;
}

void SendAssistantToEnd() {
    const int y = MatchFigures[kBallFigure].y > kPitchHalfwayY ? kBottomWallY : kTopWallY;
    SendAssistant(BallState.predicted[2][0], y);
}

int32_t Magnitude() {
    const int64_t s = std::llabs(int64_t(BallState.vx)) + std::llabs(int64_t(BallState.vy));
    return int32_t(s > 0x7FFFFFFF ? 0x7FFFFFFF : s);
}

int32_t Capped(int32_t value, int32_t cap) { return value < cap ? value : cap; }

// The bar: the ball flicked up or down off it.
void BarFlick(int32_t lift) {
    BallState.vz = lift;
    BallState.vy = BallState.vy / int32_t(4 + GameRandom() % 4);
    if (GameRandom() % 2 == 0) BallState.vy = -BallState.vy;
}

// The bar's upper or lower half: the ball goes in when it is already over
// the line, else it comes back out.
void BarHalf(int32_t lift) {
    BallState.vz = lift;
    BallState.vy = BallState.vy / int32_t(2 + GameRandom() % 2);
    const bool overTheLine = BallState.probeY < kPitchHalfwayY ? BallState.probeY <= kGoalLineLow
                                                               : BallState.probeY >= kGoalLineHigh;
    if (!overTheLine) BallState.vy = -BallState.vy;
}

void Pass() { BallState.collisionCount = 0; }

int Octant() { return BallState.direction >= 256 ? 8 : BallState.direction / 32; }

void GoalFrame(const GoalEnd& end) {
    int16_t& px = BallState.probeX;
    int16_t& py = BallState.probeY;
    const int16_t height = BallState.z;
    for (int16_t post : {kPostLeftX, kPostRightX}) {
        if (std::abs(px - post) > 3 || height >= kPostHeight) continue;
        const int depth = Depth(end, py);
        const int16_t aside = int16_t(px > post ? post + 4 : post - 4);
        if (depth >= -3 && depth <= 3) {
            Hit();
            MatchSfx_PlayEvent(kSoundPost, -1);
            if (PlayStopped == 0) MatchSfx_PlayEvent(kSoundCrowdMiss, int16_t(end.attackers));
            MatchCheckRestart(5);
            const int index = post + 3 - px;
            assert(index >= 0 && index <= 6);
            kPostResponses[index]();
            px = aside;
            py = int16_t(py > end.line ? end.line + 4 : end.line - 4);
        } else if (depth >= 4 && depth <= end.sideDepth) {
            BallState.vx = -(BallState.vx / 3);
            NetSound();
            Hit();
            px = aside;
        }
    }
    if (px < kMouthLeftX || px > kMouthRightX || height > kBarTop) return;
    const int depth = Depth(end, py);
    const bool goalward = end.sign > 0 ? BallState.vy > 0 : BallState.vy < 0;
    if (depth >= -3 && depth <= 3) {
        if (goalward && height >= kPostHeight) {
            Hit();
            MatchSfx_PlayEvent(kSoundCrossbar, -1);
            if (PlayStopped == 0) MatchSfx_PlayEvent(kSoundCrowdMiss, int16_t(end.attackers));
            MatchCheckRestart(5);
            const int index = (kBarTop - height) / 5;
            assert(index >= 0 && index <= 6);
            kBarResponses[index]();
            py = AtDepth(end, -4);
        }
    } else if (depth >= 25 && depth <= 31) {
        if (height < kPostHeight && MatchPhase != kPhaseGoalKick && MatchPhase != kPhaseCorner) {
            Ball_HitBackNet();
            const int16_t middle = AtDepth(end, 28);
            py = int16_t(py > middle ? middle + 4 : middle - 4);
        }
    } else if (depth >= 4 && depth <= 24) {
        if (MatchPhase == kPhaseOpenPlay) {
            Ball_GoalScored();
        } else if (MatchPhase == kPhaseOffside && PlayStopped == 0) {
            PlayStopped = 2;
            MatchSfx_PlayEvent(kSoundAfterGoal, int16_t(end.attackers));
            MatchSfx_PlayEvent(kSoundCrowdMiss, int16_t(end.attackers));
        }
    }
}

void OverGoalLine(const GoalEnd& end) {
    const int defenders = end.attackers ^ 1;
    GoalLineCrossX = BallState.probeX;  // how near the miss went, for the crowd
    if (Period == kShootOut && MatchPhase < kPhasePenalty) {
        // The kick is over: no corner or goal kick in a shoot-out.
        if (end.sign < 0) {
            MatchSfx_PlayEvent(kSoundAfterGoal, int16_t(end.attackers));
            MatchSfx_PlayEvent(kSoundCrowdMiss, int16_t(defenders));
        } else {
            MatchSfx_PlayEvent(kSoundCrowdMiss, int16_t(end.attackers));
            MatchSfx_PlayEvent(kSoundCrowdMiss, int16_t(defenders));
        }
        ChangePhase(kPhaseShootOutControl);
        return;
    }
    if (ToucherTeam() == defenders) {
        MatchSfx_PlayEvent(kSoundCrowdCorner, int16_t(end.attackers));
        Ball_AwardCorner();
    } else {
        MatchSfx_PlayEvent(kSoundCrowdMiss, int16_t(end.attackers));
        Ball_AwardGoalKick();
    }
}

void OverTouchLine() {
    PlayStopped = 2;
    MatchSfx_PlayEvent(kSoundWhistle, -1);
    ThrowInToucher = LastToucher;
    RestartTeam = int16_t(ToucherTeam() ^ 1);
    PhaseTimer = 0;
    if (MatchPhase != kPhaseThrowIn) {
        const int x = MatchFigures[kBallFigure].x < kPitchCentreX ? kLeftWallX : kRightWallX;
        SendAssistant(x, BallState.predicted[2][1]);
    }
    MatchPhase = kPhaseThrowIn;
    const int16_t py = BallState.probeY;
    ThrowInX = BallState.probeX < kPitchCentreX ? kDefaultPitch.left : kDefaultPitch.right;
    ThrowInY =
        int16_t(py < kGoalLineLow + 1 ? kGoalLineLow + 1 : (py > kGoalLineHigh - 1 ? kGoalLineHigh - 1 : py));
}

void OutOfPlay() {
    if (BallState.probeY < kGoalLineLow - 3) OverGoalLine(TopEnd());
    if (BallState.probeY > kGoalLineHigh + 3) OverGoalLine(BottomEnd());
    if (BallState.probeX > kDefaultPitch.right + 2 || BallState.probeX < kDefaultPitch.left - 2)
        OverTouchLine();
}

// After a goal the ball stays in the net; while a goal kick or corner is
// being given it rolls off the goal's roof.
void KeepInTheGoal() {
    int16_t& px = BallState.probeX;
    int16_t& py = BallState.probeY;
    if (MatchPhase == kPhaseGoal) {
        if (BallState.z > kPostHeight - 1) {
            BallState.z = kPostHeight;
            Hit();
        }
        if (py < kPitchHalfwayY && py < 98) {
            py = 98;
            Hit();
        } else if (py >= kPitchHalfwayY && py > 2066) {
            py = 2066;
            Hit();
        }
        if (px < kPostLeftX) {
            px = kPostLeftX;
            Hit();
        } else if (px > kPostRightX) {
            px = kPostRightX;
            Hit();
        }
        return;
    }
    if (MatchPhase != kPhaseGoalKick && MatchPhase != kPhaseCorner) return;
    const bool behindAGoal = (py >= 96 && py <= 123) || (py >= 2041 && py <= 2068);
    if (px >= kMouthLeftX && px <= kMouthRightX && behindAGoal && BallState.z <= kBarTop) {
        BallState.z = kBarTop + 1;
        BallState.vz = -BallState.vz;
    }
}

void ShootOutKickEnd() {
    if (Period != kShootOut || MatchPhase >= kPhasePenalty || MatchPhase == kPhasePeriodOver) return;
    // A ball in the keeper's hands is his to end the kick with, when he has
    // taken it (and so his catch and its reactions): stopped in his hands, it
    // would otherwise count as a ball at rest and end the kick first.
    if (BallState.holder != 0) return;
    const int32_t vy = BallState.vy;
    const bool ended = vy > 0 || (vy >= 0 && KeeperTouchedBall != 0) ||
                       (vy >= 0 && BallState.speed == 0 && MatchFigures[kBallFigure].y > kGoalLineLow);
    if (ended) ChangePhase(kPhaseShootOutControl);
}

// A reflection off a wall below the stands' height; the path ends there so
// that the ball never finishes a tick beyond the wall (walking on, it would
// end the tick up to its whole step inside the stand).
void WallReturn(int32_t& velocity, bool reverse) {
    if (reverse) {
        velocity = -velocity;
        MatchSfx_PlayEvent(kSoundWall, -1);
    }
    Hit();
}

void Walls() {
    if (BallState.z >= kWallHeight) return;
    const int16_t px = BallState.probeX;
    const int16_t py = BallState.probeY;
    MatchFigure& ball = MatchFigures[kBallFigure];
    if (py == kTopWallY) {
        ball.y = kTopWallY;
        WallReturn(BallState.vy, BallState.vy < 0);
    } else if (py == kBottomWallY) {
        ball.y = kBottomWallY;
        WallReturn(BallState.vy, BallState.vy > 0);
    }
    const bool tunnel = py >= kTunnelLowY && py <= kTunnelHighY;
    if (!tunnel && px == kLeftWallX) {
        ball.x = kLeftWallX;
        WallReturn(BallState.vx, BallState.vx < 0);
    }
    if (tunnel && px < kLeftWallX) {
        if (py == kTunnelLowY && BallState.vy < 0) {
            ball.y = kTunnelLowY;
            WallReturn(BallState.vy, true);
        } else if (py == kTunnelHighY && BallState.vy > 0) {
            ball.y = kTunnelHighY;
            WallReturn(BallState.vy, true);
        }
    }
    if (px == kRightWallX) {
        ball.x = kRightWallX;
        WallReturn(BallState.vx, BallState.vx > 0);
    }
}

}  // namespace

void Ball_Collide() {
    if (MatchPhase == kPhaseOpenPlay) PlayStopped = 0;
    if (BallState.probeY <= kGoalLineLow + 3) GoalFrame(TopEnd());
    if (BallState.probeY >= kGoalLineHigh - 3) GoalFrame(BottomEnd());
    if (MatchPhase == kPhaseOpenPlay) OutOfPlay();
    KeepInTheGoal();
    ShootOutKickEnd();
    Walls();
    Ball_CornerFlags();
    Ball_StandWalls();
}

void Ball_GoalScored() {
    const GoalEnd end = EndOfProbe();
    PlayStopped = 2;
    ChangePhase(kPhaseGoal);
    MatchCheckRestart(6);
    if (ShootOutDecision[0] != 0) {
        MatchSfx_PlayEvent(kSoundAfterGoal, int16_t(end.attackers));
    } else {
        MatchSfx_PlayEvent(kSoundGoal, int16_t(end.attackers));
        MatchSfx_PlayEvent(kSoundLosersGroan, int16_t(end.attackers ^ 1));
    }
    if (Period == kShootOut) {
        const int kicking = AttackDirection ^ 1;
        ShootOutDecision[0] = ShootOutDecision[1] = 100;
        ++ShootOutGoals[kicking];
        ShootOutScorer = TeamLastToucher[kicking];
    }
}

void Ball_AwardCorner() {
    const GoalEnd end = EndOfProbe();
    BallState.holder = 0;
    CornerX = BallState.probeX;
    CornerY = BallState.probeY;
    PlayStopped = 2;
    if (MatchPhase != kPhaseCorner) SendAssistantToEnd();
    MatchPhase = kPhaseCorner;
    Tactics_UpdateComputerTeams();
    CornerToucher = LastToucher;
    PhaseTimer = 0;
    RestartTeam = int16_t(end.attackers);
    MatchCheckRestart(2);
}

void Ball_AwardGoalKick() {
    const GoalEnd end = EndOfProbe();
    BallState.holder = 0;
    GoalKickX = BallState.probeX;
    GoalKickY = BallState.probeY;
    PlayStopped = 2;
    Tactics_UpdateComputerTeams();
    if (MatchPhase != kPhaseGoalKick) SendAssistantToEnd();
    PhaseTimer = 0;
    GoalKickToucher = LastToucher;
    MatchPhase = kPhaseGoalKick;
    RestartTeam = int16_t(end.attackers ^ 1);
    if (ShooterFigure == -1) return;
    // A shot that only just missed raises the attackers' pressure.
    const int16_t px = BallState.probeX;
    bool near = false;
    if (px < kPostLeftX || px > kPostRightX) {
        near = (px < kPostLeftX ? kPostLeftX - px : px - kPostRightX) < 10;
    } else {
        const int over = BallState.z - 160;
        near = over >= 1 && over <= 4;
    }
    ShooterFigure = -1;
    if (near) MatchCheckRestart(1);
}

void Ball_HitBackNet() {
    NetSound();
    Hit();
    BallState.vy = -(BallState.vy / 16);
}

void Ball_CornerFlags() {
    const int16_t line = BallState.vy >= 0 || Held() ? kGoalLineHigh : kGoalLineLow;
    const int16_t px = BallState.probeX;
    if (std::abs(BallState.probeY - line) > 2 || BallState.z >= kWallHeight) return;
    const bool atFlag = (px >= kDefaultPitch.left - 2 && px <= kDefaultPitch.left + 2) ||
                        (px >= kDefaultPitch.right - 2 && px <= kDefaultPitch.right + 2);
    if (!atFlag) return;
    BallState.vx = -(BallState.vx / 6);
    BallState.vy = -(BallState.vy / 6);
    Hit();
}

void Ball_StandWalls() {
    const int16_t endWall = BallState.vy >= 0 || Held() ? kBottomWallY : kTopWallY;
    if (BallState.probeY == endWall) {
        BallState.vy = -(BallState.vy / 8);
        BallState.vz += BallState.vy;
        Hit();
    }
    const int16_t sideWall = BallState.vx >= 0 || Held() ? kRightWallX : kLeftWallX;
    if (BallState.probeX == sideWall) {
        BallState.vx = -(BallState.vx / 8);
        BallState.vz += BallState.vx;
        Hit();
    }
}

void Ball_SetPhase12() {
    GoalKickX = BallState.x;
    GoalKickY = BallState.y;
    GoalKickToucher = LastToucher;
    ChangePhase(kPhaseKeeperHolds);
}

// ---------------------------------------------------------------------------
// The post responses: by the octant the ball travels in (8 when still).

void Ball_PostEdgeHigh() {
    int32_t& vx = BallState.vx;
    const int32_t vy = BallState.vy;
    switch (Octant()) {
        case 0:
            vx = -vy;
            break;
        case 4:
            vx = vy;
            break;
        case 5:
        case 7:
            vx = -vx;
            break;
        case 6:
            break;
        default:
            Pass();
            break;
    }
}

void Ball_PostOuterHigh() {
    int32_t& vx = BallState.vx;
    int32_t& vy = BallState.vy;
    switch (Octant()) {
        case 0:
        case 4:
            vx = std::abs(vy / 2), vy = -vy;
            break;
        case 1:
        case 2:
        case 3:
            vx = std::abs(vy), vy = -(vy / 8);
            break;
        case 5:
        case 7:
            vx = -vx, vy = -vy;
            break;
        case 6:
            vx = vy;
            if (vy <= 0) vy = -vy;
            break;
        default:
            break;
    }
}

void Ball_PostInnerHigh() {
    int32_t& vx = BallState.vx;
    int32_t& vy = BallState.vy;
    switch (Octant()) {
        case 0:
        case 4:
            vx = std::abs(vy / 5), vy = -vy;
            break;
        case 1:
        case 2:
        case 3:
            vx = std::abs(vy / 2), vy = -(vy / 5);
            break;
        case 5:
        case 7:
            vx = -(vx / 2), vy = -vy;
            break;
        case 6:
            vx = vy / 7;
            vy = vy <= 0 ? -(vy / 7) : vy / 7;
            break;
        default:
            break;
    }
}

void Ball_PostCentre() {
    int32_t& vx = BallState.vx;
    int32_t& vy = BallState.vy;
    switch (Octant()) {
        case 0:
        case 4:
            vx = -(vx / 2), vy = -(vy / 2);
            break;
        case 1:
        case 3:
        case 5:
        case 7:
            vx = vx / 2, vy = -(vy / 2);
            break;
        case 2:
        case 6:
            vx = vx / 10, vy = -(vy / 2);
            break;
        default:
            break;
    }
}

void Ball_PostInnerLow() {
    int32_t& vx = BallState.vx;
    int32_t& vy = BallState.vy;
    switch (Octant()) {
        case 0:
            vx = vy / 5, vy = -vy;
            break;
        case 1:
        case 3:
            vx = -(vx / 2), vy = -vy;
            break;
        case 2:
            vx = vy / 7;
            vy = vy > 0 ? -(vy / 7) : vy / 7;
            break;
        case 4:
            vx = -(vy / 5), vy = -vy;
            break;
        case 5:
        case 6:
        case 7:
            vx = std::abs(vy / 2), vy = -(vy / 5);
            break;
        default:
            break;
    }
}

void Ball_PostOuterLow() {
    int32_t& vx = BallState.vx;
    int32_t& vy = BallState.vy;
    switch (Octant()) {
        case 0:
            vx = vy / 2, vy = -vy;
            break;
        case 1:
        case 3:
            vx = -vx, vy = -vy;
            break;
        case 2:
            vx = vy;
            if (vy > 0) vy = -vy;
            break;
        case 4:
            vx = -(vy / 2), vy = -vy;
            break;
        case 5:
        case 6:
        case 7:
            vx = std::abs(vy), vy = -(vy / 8);
            break;
        default:
            break;
    }
}

void Ball_PostEdgeLow() {
    int32_t& vx = BallState.vx;
    const int32_t vy = BallState.vy;
    switch (Octant()) {
        case 0:
            vx = vy;
            break;
        case 1:
        case 3:
            vx = -vx;
            break;
        case 2:
            break;
        case 4:
            vx = -vy;
            break;
        default:
            Pass();
            break;
    }
}

// ---------------------------------------------------------------------------
// The crossbar responses.

void Ball_BarTopFlick() { BarFlick(Capped(Magnitude(), 2097152)); }
void Ball_BarUpperHalf() { BarHalf(Capped(Magnitude(), 1048576)); }
void Ball_BarCentre() { BallState.vy = -(BallState.vy / 2); }
void Ball_BarLowerHalf() { BarHalf(-Capped(Magnitude(), 1048576)); }
void Ball_BarUnderFlick() { BarFlick(-Capped(Magnitude(), 2097152)); }
