// Playing a ball that arrives in the air (actions 46, 47, 48, 50, 51, 79
// and 49): five headers, a chest control and a low control.  Each plays one
// animation, jumps and drifts toward its target point, and meets the ball
// once when it is within reach and high enough.
#include <algorithm>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/passing.h"
#include "core/match/ranking.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

namespace {

constexpr int kHeights = 30;

// Vertical velocities by the ball's height / 10 (16.16 a tick).
constexpr int32_t kT0[kHeights] = {-81920, -65536, -32768, -16384, 0,     4096,  8192,  12288, 16384, 24576,
                                   32768,  40960,  40960,  40960,  40960, 40960, 40960, 40960, 40960, 40960,
                                   40960,  40960,  40960,  40960,  40960, 40960, 40960, 40960, 40960, 40960};
constexpr int32_t kT1[kHeights] = {-147456, -131072, -122880, -114688, -106496, -98304, -81920, -65536,
                                   -32768,  -16384,  0,       4096,    8192,    12288,  16384,  32768,
                                   49152,   65536,   98304,   131072,  163840,  163840, 163840, 163840,
                                   163840,  163840,  163840,  163840,  163840,  163840};
constexpr int32_t kT2[kHeights] = {-98304, -81920, -65536, -32768, -16384, 0,     4096,  8192,  12288, 16384,
                                   24576,  32768,  40960,  49152,  49152,  49152, 49152, 49152, 49152, 49152,
                                   49152,  49152,  49152,  49152,  49152,  49152, 49152, 49152, 49152, 49152};
constexpr int32_t kT3[kHeights] = {-196608, -196608, -196608, -196608, -196608, -196608, -196608, -196608,
                                   -196608, -196608, -180224, -163840, -147456, -131072, -122880, -114688,
                                   -106496, -98304,  -81920,  -65536,  -32768,  -16384,  0,       16384,
                                   32768,   32768,   32768,   32768,   32768,   32768};
constexpr int32_t kT4[kHeights] = {-49152, -32768, -16384, 0,      16384,  32768,  49152,  65536,
                                   81920,  98304,  114688, 131072, 294912, 327680, 360448, 393216,
                                   393216, 393216, 393216, 393216, 393216, 393216, 393216, 393216,
                                   393216, 393216, 393216, 393216, 393216, 393216};

// The table entry for the ball's height; at 300 or above the last entry.
int32_t AtHeight(const int32_t (&table)[kHeights]) {
    const int index = std::clamp(BallState.z / 10, 0, kHeights - 1);
    return table[index];
}

enum class Toward { kAim, kGoal, kAwayFromGoal, kBall };

struct AirAction {
    uint16_t action;
    int16_t clip;
    Toward toward;
    int jumpDivisor;  // 0: no jump
    int extraUntil;   // the extra step while the counter is below it (0: none)
    int minFrame;     // the strike needs the shown frame at least this
};
constexpr AirAction kAirActions[] = {
    {kActionHeader, 95, Toward::kGoal, 33, 33, 33},
    {kActionHeaderAtAim, 97, Toward::kAim, 25, 0, 0},
    {kActionHeaderAtGoal, 100, Toward::kAim, 26, 26, 26},
    {kActionAirBackHeader, 128, Toward::kAwayFromGoal, 34, 34, 34},
    {kActionLowHeader, 91, Toward::kGoal, 0, 20, 10},
    {kActionAirChestControl, 96, Toward::kBall, 33, 33, 1},
    {kActionLowControl, 144, Toward::kBall, 0, 0, 0},
};

const AirAction* AirActionOf(uint16_t action) {
    for (const AirAction& a : kAirActions) {
        if (a.action == action) return &a;
    }
    return nullptr;
}

void AlongFacing(const MatchFigure& f, int32_t length) {
    Match_VectorFromDirection(f.facing & 255, length, 256);
    BallState.vx = MatchVecX;
    BallState.vy = -MatchVecNY;
}

bool InAttackingHalf(int team) {
    return team == AttackDirection ? BallState.y >= kPitchHalfwayY : BallState.y < kPitchHalfwayY;
}

void RecordShot(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    LastShooter = uint8_t(figure);
    ++f.counts[kCountShots];
    ShotOriginX = BallState.x;
    ShotOriginY = BallState.y;
    ShotOriginMinute = MatchClockMinute();
    ++TeamShotCount[figure / kTeamFigures];
    Match_NoteShotOnGoal(figure);
    Match_NoteScoringStrike(figure, kShotHeaded);  // every shot here is headed
}

void Possession(int16_t figure) {
    const int team = figure / kTeamFigures;
    MatchTakePossession(figure);
    BallTeam = uint8_t(team);
    TeamLastToucher[team] = figure;
}

}  // namespace

void Match_ActAirBall(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const AirAction* a = AirActionOf(f.action);
    if (a == nullptr) return;
    const int team = figure / kTeamFigures;
    switch (a->toward) {
        case Toward::kAim:
            Match_TurnPlayerTowards(figure,
                                    Match_DirectionTo(MatchCurX, MatchCurY, FreeKickAimX, FreeKickAimY), 0);
            break;
        case Toward::kGoal:
            Match_TurnPlayerTowards(figure, Match_GoalDirection(figure, 1, CurrentTeam), 0);
            break;
        case Toward::kAwayFromGoal: {
            const int away = (Match_GoalDirection(figure, 0, CurrentTeam) + 128) & 255;
            if (GoalDistanceScratch < 400) Match_TurnPlayerTowards(figure, away, 0);
            break;
        }
        case Toward::kBall:
            Match_TurnPlayerTowards(figure, Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y),
                                    0);
            break;
    }
    if (MatchSetPlayerAnim(figure, a->clip, 1, kActionStand) == 0) return;
    if (a->jumpDivisor > 0) {
        const int peak = f.heading / 2;
        int height = (f.heading * 50 / a->jumpDivisor) * f.shownFrame / 100;
        if (height > peak) height = peak - (height - peak);
        height = std::max(height, 0);
        if (f.action == kActionHeaderAtAim) height *= 2;
        f.actionTicks = uint16_t(height);
    }
    // The header at the aim point takes its extra step every tick, the chest
    // control also every tick once it has met the ball.
    bool extra = f.hasKicked == 0 && f.actionParam < a->extraUntil;
    if (f.action == kActionHeaderAtAim) extra = true;
    if (f.action == kActionAirChestControl) extra = f.hasKicked != 0 || f.actionParam < a->extraUntil;
    if (extra) {
        if (MatchSetPlayerAnim(figure, a->clip, 1, kActionStand) == 0) return;
        ++f.actionParam;
    }
    int reachDistance = f.heading / 20 + 8, reachHeight = f.heading / 2 + 140;
    if (f.action == kActionLowHeader) reachDistance = 20, reachHeight = 110;
    if (f.action == kActionAirChestControl) reachDistance = f.actionTicks / 40 + 8;
    if (f.action == kActionLowControl) reachDistance = 8, reachHeight = 140;
    const bool reach =
        Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, reachDistance, reachHeight) == 0;
    if (f.hasKicked == 0 && Match_BallInReach5(MatchCurX, MatchCurY, f.aimX, f.aimY, 10000) != 0) {
        const int d = Match_DirectionTo(MatchCurX, MatchCurY, f.aimX, f.aimY);
        if (Match_OpponentAhead(figure) == 0) Match_StepForward(figure, 125, d);
    }
    // No member heads or controls a ball in somebody's hands, the header at
    // the aim point included: it would knock the ball out of a goalkeeper's
    // hands while he still holds it.
    if (f.hasKicked != 0 || !reach || BallState.holder != 0 || f.shownFrame < a->minFrame) return;
    const int z = BallState.z;
    const int speed = BallState.speed;
    bool strike = z > 70;
    if (f.action == kActionHeaderAtAim) strike = z >= 108 && z <= 140;
    if (f.action == kActionLowHeader) strike = z >= 35;
    if (f.action == kActionLowControl) strike = true;
    if (!strike) return;
    f.hasKicked = 1;
    if (f.action == kActionAirChestControl || f.action == kActionLowControl) {
        // The control test: only the speed depends on it.
        if (GameRandom() % 100 < MatchSlotRoleChoice(figure, f.control)) {
            AlongFacing(f, 65536);
            ++f.counts[kCountGoodControls];
        } else {
            AlongFacing(f, 196608);
            ++f.counts[kCountPoorControls];
        }
        BallState.vz = 10 * AtHeight(kT2);
        MatchSfx_PlayEvent(kSoundKick, -1);
        if (f.action == kActionLowControl) {
            MatchTakePossession(figure);
            return;
        }
    } else {
        switch (f.action) {
            case kActionHeader:
                if (z >= f.heading / 2 + 138) {
                    BallState.vz = 131072;
                } else {
                    AlongFacing(f, (speed / 3 + 3) * 57344);
                    BallState.vz = 2 * AtHeight(kT4);
                }
                break;
            case kActionHeaderAtAim:
                AlongFacing(f, (speed + 10) * 69632);
                BallState.vz = 2 * AtHeight(kT1);
                break;
            case kActionHeaderAtGoal:
                AlongFacing(f, (speed + 1) * 57344);
                BallState.vz = AtHeight(kT3);
                break;
            case kActionAirBackHeader:
                AlongFacing(f, 688128);
                BallState.vz = AtHeight(kT3);
                break;
            default:  // 51
                AlongFacing(f, (speed + 1) * 57344);
                BallState.vz = 10 * AtHeight(kT0);
                break;
        }
        MatchSfx_PlayEvent(f.action == kActionAirBackHeader ? kSoundPass : kSoundHeader, -1);
        if (f.action == kActionHeader || f.action == kActionHeaderAtAim || f.action == kActionHeaderAtGoal) {
            ++f.counts[InAttackingHalf(team) ? kCountHeadersAttacking : kCountHeadersOwnHalf];
        }
    }
    MatchMarkOffside(figure);
    MatchMarkTeamOffside(figure);
    LastKicker = kNoKicker;
    BallState.kickGrace = kStrikeLockout;
    f.touchLockout = kStrikeLockout;
    Possession(figure);
    if (f.action == kActionHeader) MatchSetKickSpeed(figure, -1);
    if (f.action == kActionHeaderAtAim || f.action == kActionHeaderAtGoal || f.action == kActionAirBackHeader)
        RecordShot(figure);
    if (f.action == kActionHeaderAtAim) MatchSetKickSpeed(figure, FreeKickAimX);
}
