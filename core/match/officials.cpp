#include "core/match/officials.h"
#include "core/match/actions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/base/angles.h"
#include "core/base/random.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/infobartypes.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/motionclips.h"
#include "core/match/netmarks.h"
#include "core/match/phases.h"
#include "core/match/soundevents.h"

using namespace gameinfo;

uint8_t NotReadyCount;
uint16_t RefereeAction;
int16_t RefereeOffender = -1;
uint32_t (*MatchClipFrameCount)(int32_t clip) = nullptr;
float BallRoll[2];

namespace {

constexpr int kWalkSpeed = 64;
constexpr int kRunSpeed = 125;
constexpr int16_t kStandingSpotY = kPitchHalfwayY;
constexpr int16_t kFirstSpotX = kPitchCentreX - 40;
constexpr int16_t kSecondSpotX = kPitchCentreX + 40;
constexpr int kArrived = 3;
constexpr int kReach = 12;
constexpr uint16_t kResumeAfterListening = kActionRunToPosition;
constexpr int16_t kAssistantFigure = kRefereeFigure + 1;

MatchFigure& Fig(int16_t figure) { return MatchFigures[figure]; }

// A roll angle moved on by a 16.16 distance rolled: one radian per radius,
// kept within one turn so that a long match loses no precision.
float RollOn(float angle, int32_t moved16) {
    const float turned = angle + float(moved16) / (65536.0f * kBallRadiusUnits);
    return std::remainder(turned, 2.0f * kPiF);
}

// One turning step of the heading toward the target, the shorter way.
void TurnOneStep(MatchFigure& f, uint16_t target) {
    const int diff = (int(target) - int(f.facing)) & 255;
    if (diff == 0) return;
    f.facing = uint16_t((f.facing + (diff < 128 ? 1 : -1)) & 255);
}

// Moves the working position toward a point at a walking speed; true once
// within the arrival distance.
bool WalkTo(int16_t figure, int x, int y, int16_t clip, int speed) {
    MatchFigure& f = Fig(figure);
    const int dx = x - MatchCurX;
    const int dy = y - MatchCurY;
    if (std::abs(dx) <= kArrived && std::abs(dy) <= kArrived) return true;
    f.facing = MatchDirectionTo(MatchCurX, MatchCurY, x, y);
    const int distance = MatchOctDistance(dx, dy);
    const int64_t step = int64_t(speed) * 1024;  // speed 64 is one pitch unit a tick
    const int64_t whole = int64_t(distance) * 65536;
    const int64_t move = step < whole ? step : whole;
    MatchCurX16 += int32_t(int64_t(dx) * move / (distance > 0 ? distance : 1));
    MatchCurY16 += int32_t(int64_t(dy) * move / (distance > 0 ? distance : 1));
    MatchCurX = int16_t(MatchCurX16 / 65536);
    MatchCurY = int16_t(MatchCurY16 / 65536);
    MatchSetPlayerAnimKeepFrame(figure, clip, 1, 0);
    return false;
}

void StandFacing(int16_t figure, int x, int y) {
    MatchStepPlayerAnim(figure, MatchDirectionTo(MatchCurX, MatchCurY, x, y));
}

void TakeRestartPosition(int16_t figure) {
    int x = BallState.x;
    if (x < PitchGeometry.left) x = PitchGeometry.left;
    if (x > PitchGeometry.right) x = PitchGeometry.right;
    int y = BallState.y;
    if (MatchPhase == kPhaseBackToKickOff || MatchPhase == kPhaseKickOffWhistle ||
        MatchPhase == kPhaseKickOffSetUp) {
        x = kPitchCentreX - 15 * kDistanceUnit;
        y = kPitchHalfwayY - 15 * kDistanceUnit;
    } else if (MatchPhase == kPhaseTakeCorner) {
        x = BallState.x > kPitchCentreX ? kAreaRightX : kAreaLeftX;
        y = BallState.y > kPitchHalfwayY ? kAreaHighY : kAreaLowY;
    } else {
        x += x < kPitchCentreX ? 200 : -200;
        y += y < kPitchHalfwayY ? 200 : -200;
    }
    if (WalkTo(figure, x, y, kClipWalk, kWalkSpeed)) StandFacing(figure, BallState.x, BallState.y);
}

void StandingSpot(int16_t figure, int spotX, bool walk, uint16_t thenAction) {
    const bool there =
        std::abs(MatchCurX - spotX) <= kArrived && std::abs(MatchCurY - kStandingSpotY) <= kArrived;
    if (there) {
        if (thenAction == 0xFFFF) {
            Fig(figure).frame = -1;
        } else {
            Match_SetPlayerAction(figure, thenAction);
        }
        return;
    }
    ++NotReadyCount;
    if (walk) {
        WalkTo(figure, spotX, kStandingSpotY, kClipWalk, kWalkSpeed);
    } else {
        StandFacing(figure, spotX, kStandingSpotY);
    }
}

void Signal(int16_t figure) {
    static constexpr int16_t kClips[4] = {241, 241, 4, 243};
    static constexpr int16_t kSoundFrame[4] = {50, 50, 80, -1};
    static constexpr int16_t kSound[4] = {kSoundWhistle, kSoundWhistle, kSoundLongWhistle, -1};
    MatchFigure& f = Fig(figure);
    const int variant = f.actionParam <= 3 ? f.actionParam : 1;
    const int kind = variant == 0 ? 1 : variant;
    if (!f.stateB && kSound[kind] >= 0 && f.frame >= kSoundFrame[kind]) {
        MatchSfx_PlayEvent(kSound[kind], -1);
        f.stateB = 1;
    }
    const uint16_t resume = f.officialWord;
    if (!MatchSetPlayerAnim(figure, kClips[kind], 1, resume)) Fig(figure).stateB = 0;
}

// Runs to the offender; true once within reach, facing him.
bool ReachOffender(int16_t figure) {
    if (RefereeOffender < 0 || RefereeOffender >= kPlayerFigures) return true;
    const MatchFigure& o = Fig(RefereeOffender);
    const int dx = o.x - MatchCurX;
    const int dy = o.y - MatchCurY;
    if (MatchOctDistance(dx, dy) > kReach) {
        WalkTo(figure, o.x, o.y, kClipRun, kRunSpeed);
        return false;
    }
    Fig(figure).facing = MatchDirectionTo(MatchCurX, MatchCurY, o.x, o.y);
    return true;
}

void FinishCall() {
    RefereeAction = 0;
    MatchEvent = kOrdinaryPlay;
}

void Talk(int16_t figure) {
    MatchFigure& f = Fig(figure);
    if (!ReachOffender(figure)) return;
    if (f.actionWord == 0 && RefereeOffender >= 0 && RefereeOffender < kPlayerFigures) {
        Match_SetPlayerAction(RefereeOffender, kActionBooked);
        Fig(RefereeOffender).officialWord = kResumeAfterListening;
        Fig(RefereeOffender).actionParam = uint16_t(GameRandom() % 4);
        f.actionWord = 1;
    }
    FinishCall();
    Match_SetPlayerAction(figure, kOfficialRestartPosition);
}

void Booking(int16_t figure) {
    MatchFigure& f = Fig(figure);
    if (!ReachOffender(figure)) return;
    if (f.actionWord == 0) {
        MatchSfx_PlayEvent(kSoundWhistle, -1);
        if (RefereeOffender >= 0 && RefereeOffender < kPlayerFigures) {
            Match_SetPlayerAction(RefereeOffender, kActionBooked);
            Fig(RefereeOffender).officialWord = kResumeAfterListening;
            ++Fig(RefereeOffender).cautions;
            InfoBar(kInfoBooked, RefereeOffender, int16_t(MatchClockMinute()));
            MatchRecordEvent(kEventBooking, int16_t(RefereeOffender / kTeamFigures), RefereeOffender, 0);
        }
        f.actionWord = 1;
    }
    if (MatchSetPlayerAnim(figure, 246, 1, kOfficialRestartPosition)) return;
    FinishCall();
}

void SendingOff(int16_t figure) {
    MatchFigure& f = Fig(figure);
    if (!ReachOffender(figure)) return;
    if (MatchSetPlayerAnim(figure, 246, 1, kOfficialRestartPosition)) return;
    if (RefereeOffender >= 0 && RefereeOffender < kPlayerFigures && f.actionWord == 0) {
        const int team = RefereeOffender / kTeamFigures;
        MatchFigure& o = Fig(RefereeOffender);
        // The manager is offered his team menu (a request he had made
        // already stands).
        if (MatchTeamHuman(&GameInfo, team)) ChangePending[team] = 1;
        if (TeamSentOffCount[team] < 255) ++TeamSentOffCount[team];
        if (o.cautions < 2) {
            o.sentOff = 1;
            MatchRecordEvent(kEventSendingOff, int16_t(team), RefereeOffender, 0);
        }
        // He hears the referee out, then walks off.
        Match_SetPlayerAction(RefereeOffender, kActionBooked);
        o.officialWord = kActionWalkOff;
        o.actionParam = uint16_t(GameRandom() % 4);
        f.actionWord = 1;
    }
    RefereeAction = 0;
}

void TurnAndStand(int16_t figure, uint16_t heading, int steps) {
    MatchFigure& f = Fig(figure);
    for (int i = 0; i < steps; ++i) TurnOneStep(f, heading);
    MatchSetPlayerAnimKeepFrame(figure, 2, 1, 0);
    // The assistant lowers his flag once play is on again and goes back to
    // fetching the balls that go out.
    if (figure == kAssistantFigure && MatchPhase == kPhaseOpenPlay)
        Match_SetPlayerAction(figure, kOfficialFetchBall);
}

// The assistant's ball fetching at a throw-in, goal kick or corner: he runs
// to the ball, picks it up, turns and throws it toward the restart spot,
// then walks back to the middle of his quarter of the line.
enum FetchStage : uint16_t { kFetchRun, kFetchPickUp, kFetchThrow, kFetchWalkBack, kFetchDone };
constexpr int16_t kReleaseFrame = 68;
constexpr int kBallReachHeight = 110;
constexpr int32_t kThrowLift = 204800;  // 3.125 units per tick
constexpr int16_t kLineLeftX = 30, kLineRightX = 1562;

bool RestartBeingGiven() { return MatchPhase >= kPhaseThrowIn && MatchPhase <= kPhaseCorner; }

// The restart spot and the throw's speed for the restart being given.
void RestartSpot(int16_t& x, int16_t& y, int& speed) {
    if (MatchPhase == kPhaseThrowIn) {
        x = ThrowInX, y = ThrowInY, speed = 40;
    } else if (MatchPhase == kPhaseGoalKick) {
        x = GoalKickX, y = GoalKickY, speed = 80;
    } else {
        x = CornerX, y = CornerY, speed = 60;
    }
}

bool Holds(int16_t figure) { return BallState.holder == figure + 1; }

void LetGo(int16_t figure, MatchFigure& f) {
    if (Holds(figure)) BallState.holder = 0;
    f.frame = 0;
    f.actionWord = kFetchWalkBack;
}

// The ball he carries stays inside the stand walls: he walks to the line of
// the wall, and a step beyond it would leave the ball in the stands when he
// drops or throws it there (a free ball nothing brings back).
void CarryTheBall() {
    BallState.x = int16_t(std::clamp<int>(MatchCurX, kLineLeftX, kLineRightX));
    BallState.y = int16_t(std::clamp<int>(MatchCurY, PitchGeometry.wallLowY, PitchGeometry.wallHighY));
    MatchFigures[kBallFigure].x = BallState.x;
    MatchFigures[kBallFigure].y = BallState.y;
}

void FetchTheBall(int16_t figure) {
    MatchFigure& f = Fig(figure);
    const bool carrying = f.actionWord == kFetchPickUp || f.actionWord == kFetchThrow;
    if (carrying && (!RestartBeingGiven() || !Holds(figure))) {
        // The restart went ahead without him: he drops the ball where he is.
        LetGo(figure, f);
        return;
    }
    int16_t spotX = 0, spotY = 0;
    int speed = 0;
    if (RestartBeingGiven()) RestartSpot(spotX, spotY, speed);
    switch (f.actionWord) {
        case kFetchRun: {
            if (!RestartBeingGiven()) return;
            const int aheadX = BallState.x + BallState.vx / 10000;
            const int aheadY = BallState.y + BallState.vy / 10000;
            const bool reached =
                MatchOctDistance(BallState.x - MatchCurX, BallState.y - MatchCurY) <= kReach &&
                BallState.z <= kBallReachHeight;
            if (!reached) {
                WalkTo(figure, aheadX, aheadY, kClipRun, kRunSpeed);
                return;
            }
            if (BallState.holder != 0 || BallState.controller != 0) return;
            Ball_Stop();
            BallState.holder = int16_t(figure + 1);
            f.frame = 0;
            f.actionWord = kFetchPickUp;
            return;
        }
        case kFetchPickUp:
            CarryTheBall();
            for (int i = 0; i < 3; ++i) TurnOneStep(f, MatchDirectionTo(MatchCurX, MatchCurY, spotX, spotY));
            if (!MatchTrySetPlayerAnim(figure, kClipPickUp, 1)) {
                f.frame = 0;
                f.actionWord = kFetchThrow;
            }
            return;
        case kFetchThrow: {
            CarryTheBall();
            const bool playing = MatchTrySetPlayerAnim(figure, kClipThrow, 1) != 0;
            if (playing && f.frame < kReleaseFrame) return;
            // The throw: toward the spot, lofted.
            Match_VectorFromDirection(MatchDirectionTo(MatchCurX, MatchCurY, spotX, spotY), speed, 256);
            BallState.holder = 0;
            BallState.vx = MatchVecX * 4096;
            BallState.vy = -MatchVecNY * 4096;
            BallState.vz = kThrowLift;
            Ball_UpdateDirectionSpeed();
            LetGo(figure, f);
            return;
        }
        case kFetchDone:
            // One fetch per restart: he waits on his line until play goes on.
            StandFacing(figure, BallState.x, BallState.y);
            if (!RestartBeingGiven()) f.actionWord = kFetchRun;
            return;
        default: {
            const int lineX = MatchCurX < kPitchCentreX ? kLineLeftX : kLineRightX;
            const int quarter =
                std::min(3, std::max(0, (MatchCurY - kGoalLineLow) * 4 / (kGoalLineHigh - kGoalLineLow)));
            const int lineY = kGoalLineLow + (2 * quarter + 1) * (kGoalLineHigh - kGoalLineLow) / 8;
            if (WalkTo(figure, lineX, lineY, kClipWalk, kWalkSpeed)) {
                StandFacing(figure, BallState.x, BallState.y);
                f.actionWord = RestartBeingGiven() ? kFetchDone : kFetchRun;
            }
            return;
        }
    }
}

void RunOfficialAction(int16_t figure) {
    switch (Fig(figure).action) {
        case kOfficialRestartPosition:
            TakeRestartPosition(figure);
            break;
        case kOfficialFetchBall:
        case kOfficialFetchBallAlt:
            FetchTheBall(figure);
            break;
        case kOfficialFaceFirstSpot:
            StandingSpot(figure, kFirstSpotX, false, kOfficialToSecondSpot);
            break;
        case kOfficialWalkToFirstSpot:
            StandingSpot(figure, kFirstSpotX, true, kOfficialToSecondSpot);
            break;
        case kOfficialSignal:
            Signal(figure);
            break;
        case kOfficialTalk:
            Talk(figure);
            break;
        case kOfficialBooking:
            Booking(figure);
            break;
        case kOfficialSendingOff:
            SendingOff(figure);
            break;
        case kOfficialTurnAndStandA:
        case kOfficialTurnAndStandC:
            TurnAndStand(figure, 64, 2);
            break;
        case kOfficialTurnAndStandB:
        case kOfficialTurnAndStandD:
            TurnAndStand(figure, 192, 3);
            break;
        case kOfficialToSecondSpot:
            StandingSpot(figure, kSecondSpotX, true, 0xFFFF);
            break;
        default:
            break;  // idle, nothing
    }
}

}  // namespace

void MatchOfficialsTick() {
    NotReadyCount = 0;
    for (int16_t figure = kRefereeFigure; figure <= kRefereeFigure + 1; ++figure) {
        MatchFigure& f = Fig(figure);
        MatchCurX16 = f.x16;
        MatchCurY16 = f.y16;
        MatchCurX = int16_t(f.x16 / 65536);
        MatchCurY = int16_t(f.y16 / 65536);
        RunOfficialAction(figure);
        MatchFigure& g = Fig(figure);
        g.x16 = MatchCurX16;
        g.y16 = MatchCurY16;
        g.x = int16_t(MatchCurX16 / 65536);
        g.y = int16_t(MatchCurY16 / 65536);
    }
}

void MatchStepPlayerAnim(int16_t figure, uint16_t targetHeading) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    MatchFigure& f = Fig(figure);
    f.anim = kClipStand;
    const int32_t frames = MatchClipFrames(kClipStand);
    ++f.frame;
    if (f.frame >= frames || f.frame < 0) f.frame = 0;
    f.shownFacing = uint16_t((f.facing + 64) & 255);
    TurnOneStep(f, uint16_t(targetHeading & 255));
    f.facing &= 255;
    f.shownFrame = f.frame;
}

int16_t MatchAttackChance() {
    if (RefereeFavours != CurrentTeam + 1) return 0;
    return GameRandom() % 100 < 30 ? 1 : 0;
}

void MatchBallHolderUpdate() {
    static int32_t lastX16, lastY16;
    if (BallState.holder == 0 && BallState.controller == 0) {
        // A loose ball rolls by its movement since the last tick; a ball in
        // someone's hands or at his feet for a restart keeps its angles.
        BallRoll[0] = RollOn(BallRoll[0], BallState.y16 - lastY16);
        BallRoll[1] = RollOn(BallRoll[1], BallState.x16 - lastX16);
        if (BallState.direction == 256 && LastToucher >= 0 && LastToucher < kPlayerFigures &&
            Fig(LastToucher).action == kActionRunAfterBall) {
            BallState.direction = Fig(LastToucher).facing & 255;
        }
    }
    lastX16 = BallState.x16;
    lastY16 = BallState.y16;
    Ball3D_SetSpin(BallRoll[0], BallRoll[1]);
}
