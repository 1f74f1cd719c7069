// The goalkeeper with the ball: he holds it, chooses a team-mate and
// throws it or kicks it from his hands; for a goal kick he fetches the
// ball, carries it to the restart point, backs off and kicks it; in the
// shoot-out he returns the ball toward the spot.
#include <algorithm>
#include <cmath>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/highball.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/soundevents.h"

int32_t KeeperKickPower;
int16_t KeeperThrowTarget = -1;
int16_t KeeperThrowPointX, KeeperThrowPointY;

namespace {

constexpr int kRankingLength = 10;
constexpr int16_t kLandingRadius = 120;
constexpr int16_t kSpotX = 796, kSpotY = 318;  // the penalty spot the returned ball goes to
constexpr int32_t kThrowLength = 589824;

// The release being prepared.
struct Release {
    int32_t vx, vy, vz;  // vz a tenth of what the release gives
    int16_t target = -1;
    int16_t x, y;
    int16_t power;
    int16_t cursor = -1, goalKickCursor = -1;
    int16_t choice;
    int16_t kind;
};
Release release;

int TeamOf(int16_t k) { return k / kTeamFigures; }

bool Losing(int team) { return Goals[team] + OldGoals[team] < Goals[team ^ 1] + OldGoals[team ^ 1]; }

void CentreSpotPrediction() {
    BallState.predicted[1][0] = kPitchCentreX;
    BallState.predicted[1][1] = kPitchHalfwayY;
}

void BallToKeeper(int16_t k) {
    const MatchFigure& f = MatchFigures[k];
    BallState.x = f.x;
    BallState.y = f.y;
    BallState.x16 = int32_t(f.x) * 65536;
    BallState.y16 = int32_t(f.y) * 65536;
}

void SetHeight(int z) {
    BallState.z = int16_t(z);
    BallState.z16 = int32_t(z) * 65536;
}

void Hold(int16_t k) {
    BallState.holder = int16_t(k + 1);
    Ball_KeepAtFeet(k);
}

void ResetPreparation(int16_t& cursor) {
    if (release.kind == kKeeperKindRelease) return;
    KeeperKickPower = 0;
    cursor = -1;
    release.choice = 0;
    release.kind = kKeeperKindRelease;
}

int16_t StepCursor(int16_t cursor) { return int16_t(cursor + 1 >= kRankingLength ? 0 : cursor + 1); }

// Target point by the chosen team-mate (the centre spot without one), drawn
// halfway to the middle; the power is an eighth of the distance.
void AimAtTarget() {
    int x = kPitchCentreX, y = kPitchHalfwayY;
    if (Match_IsPlayerFigure(release.target)) {
        x = MatchFigures[release.target].targetX;
        y = MatchFigures[release.target].targetY;
    }
    release.x = int16_t(kPitchCentreX + (x - kPitchCentreX) / 2);
    release.y = int16_t(y);
    release.power = int16_t(Match_ApproxDistance(MatchCurX, MatchCurY, release.x, release.y) / 8);
    CentreSpotPrediction();
}

void PrepareVelocity(int direction, double length) {
    Match_VectorFromDirection(direction, int(std::trunc(length)), 256);
    release.vx = MatchVecX;
    release.vy = -MatchVecNY;
}

// The ball leaves the keeper: the prepared velocity, play on, the receivers
// sent toward where it comes down.
void LetGo(int16_t k, bool event) {
    MatchFigure& f = MatchFigures[k];
    BallState.vx = release.vx;
    BallState.vy = release.vy;
    BallState.vz = release.vz * 10;
    f.hasKicked = 1;
    if (MatchPhase != kPhaseGoal && MatchPhase != kPhaseBackToKickOff) MatchPhase = kPhaseOpenPlay;
    BallState.kickGrace = 16;
    f.touchLockout = 16;
    if (event) MatchSfx_PlayEvent(kSoundShot, -1);
    MatchSetKickSpeed(k, -1);
    BallState.holder = 0;
    LastToucher = k;
    PhaseTimer = 0;
    MatchCallToLanding(kLandingRadius);
}

// Walks to the ball and picks it up (the first stages of the goal kick and
// the return of the ball); true while this tick was taken by them.
bool FetchAndPickUp(int16_t k, bool turn) {
    MatchFigure& f = MatchFigures[k];
    // The distance goes by where the ball stood as the tick began (the ball
    // figure); he faces where it is now.
    const MatchFigure& ball = MatchFigures[kBallFigure];
    if (f.hasKicked == 0 && Match_ApproxDistance(MatchCurX, MatchCurY, ball.x, ball.y) > 24) {
        f.facing = Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y);
        Match_ApplyAnimMotion(k, 64);
        MatchSetPlayerAnimKeepFrame(k, 11, 1, 0);
        return true;
    }
    if (f.hasKicked > 1) return false;
    Ball_Stop();
    if (f.hasKicked == 0) f.frame = 0;
    f.hasKicked = 1;
    if (f.frame >= 32) {
        if (turn) Match_TurnPlayerTowards(k, Match_DirectionTo(kSpotX, kSpotY, MatchCurX, MatchCurY), 1);
        Hold(k);
    }
    if (MatchTrySetPlayerAnim(k, 331, 1) == 0) {
        f.hasKicked = 2;
        if (!turn) f.frame = 0;
    }
    return true;
}

}  // namespace

void Match_ActKeeperHoldBall(int16_t k) {
    Match_TurnPlayerTowards(k, BallState.y < kPitchHalfwayY ? 128 : 0, 0);
    Ball_KeepAtFeet(k);
    Ball_Stop();
    LastToucher = k;
    CentreSpotPrediction();
}

void Match_ActKeeperHoldGesture(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    Match_TurnPlayerTowards(k, Match_DirectionTo(f.x, f.y, kPitchCentreX, kPitchHalfwayY), 0);
    switch (f.action) {
        case kActionKeeperHoldGestureC:
            MatchSetPlayerAnim(k, 258, 1, kActionKeeperHoldBall);
            break;
        case kActionKeeperHoldGestureD:
            MatchSetPlayerAnim(k, 259, 1, kActionKeeperHoldBall);
            break;
        default:  // 151, 174: the clip the action was started with
            MatchSetPlayerAnim(
                k, int16_t(f.actionParam), 1,
                f.action == kActionKeeperHoldGestureB ? kActionKeeperReady : kActionKeeperHoldBall);
            break;
    }
}

void Match_ActKeeperPenaltyGesture(int16_t k) {
    if (MatchSetPlayerAnim(k, 205, 1, kActionKeeperReady) != 0) return;
    MatchFigures[k].actionParam = 1;
}

void Match_ActKeeperDistribute(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int team = TeamOf(k);
    BallTeam = uint8_t(team);
    ResetPreparation(release.cursor);
    if (release.choice == 0) {
        int n = GameRandom() % 5 + 5;
        release.target = -1;
        while (n > 0) {
            release.cursor = StepCursor(release.cursor);
            --n;
            const int16_t p = BallRanking[team][release.cursor];
            if (!Match_IsPlayerFigure(p)) continue;
            if (MatchFigures[p].x > 1034) n /= 2;
            if (MatchFigures[p].x < 558) n /= 2;
            release.target = p;
        }
        release.choice = 1;
        AimAtTarget();
        Match_TurnPlayerTowards(k, Match_DirectionTo(MatchCurX, MatchCurY, release.x, release.y), 0);
        return;
    }
    CentreSpotPrediction();
    KeeperKickPower = std::min<int32_t>(release.power, 100);
    int direction = Match_DirectionTo(BallState.x, BallState.y, release.x, release.y);
    const int16_t saved = int16_t(CurrentTeam);
    CurrentTeam = uint8_t(team ^ 1);
    const int16_t opponent = MatchFindNearestPlayer(release.x, release.y, -1);
    CurrentTeam = uint8_t(saved);
    const int opponentAway =
        Match_IsPlayerFigure(opponent)
            ? Match_ApproxDistance(MatchFigures[opponent].x, MatchFigures[opponent].y, release.x, release.y)
            : 30000;
    bool thrown = false;
    if (release.power < 120 && Match_IsPlayerFigure(release.target) && opponentAway > 256) {
        KeeperThrowTarget = release.target;
        const int ahead = BallState.y < kPitchHalfwayY ? 200 : -200;
        KeeperThrowPointX = MatchFigures[release.target].x;
        KeeperThrowPointY = int16_t(MatchFigures[release.target].y + ahead);
        direction = Match_DirectionTo(BallState.x, BallState.y, release.x, release.y + ahead);
        if ((direction > 16 && direction < 112) || (direction > 144 && direction < 240)) {
            Match_SetPlayerAction(k, kActionKeeperThrow);
            f.actionParam = uint16_t(direction);
            PrepareVelocity(direction, double(BallKickPower) * kThrowLength);
            release.vz = (f.power + KeeperKickPower) * 400 + 73728;
            thrown = true;
        }
    }
    if (!thrown) {
        Match_SetPlayerAction(k, kActionKeeperDropKick);
        PrepareVelocity(direction, (double(f.power) * 1280 + 720896) * double(BallKickPower));
        release.vz = KeeperKickPower * 1536 + 65536;
    }
    Ball_Stop();
    LastToucher = k;
    f.touchLockout = 0;
    TeamLastToucher[team] = k;
    PhaseTimer = 0;
    BallState.holder = int16_t(k + 1);
    MatchEvent = kOrdinaryPlay;
    BallToKeeper(k);
    release.choice = 0;
    if (release.target > 0 && Match_IsPlayerFigure(release.target)) {
        Match_SetPlayerAction(release.target, kActionThink);
        TeamChallenger[team] = release.target;
    }
    release.target = -1;
    KeeperKickPower = -1;
}

void Match_ActKeeperThrow(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    CentreSpotPrediction();
    const int direction = f.actionParam & 255;
    Match_TurnPlayerTowards(k, direction, 0);
    const int16_t frame = f.shownFrame;
    if (frame >= 10 && frame <= 73) {
        const bool deep = (MatchCurY > kPitchHalfwayY && BallState.y > kAreaHighY) ||
                          (MatchCurY < kPitchHalfwayY && BallState.y < kAreaLowY);
        if (deep) Match_StepForward(k, 64, direction);
        Ball_KeepAtFeet(k);
    }
    if (MatchSetPlayerAnim(k, 256, int16_t(f.hasKicked + 1), kActionKeeperReady) == 0) return;
    if (f.shownFrame < 74 || f.hasKicked != 0) return;
    BallState.vx = release.vx;
    BallState.vy = release.vy;
    BallState.vz = release.vz * 10;
    SetHeight(140);
    f.hasKicked = 1;
    if (MatchPhase != kPhaseGoal && MatchPhase != kPhaseBackToKickOff) MatchPhase = kPhaseOpenPlay;
    BallState.kickGrace = 16;
    BallTeam = uint8_t(TeamOf(k));
    f.touchLockout = 16;
    MatchSetKickSpeed(k, -1);
    BallState.holder = 0;
    PhaseTimer = 0;
    LastToucher = k;
    MatchCallToLanding(kLandingRadius);
    const int16_t mate = KeeperThrowTarget;
    if (Match_IsPlayerFigure(mate)) {
        Match_SetPlayerAction(mate, kActionReceivePass);
        MatchFigures[mate].aimX = BallLandingX;
        MatchFigures[mate].aimY = BallLandingY;
    }
    Ball_UpdateDirectionSpeed();
}

void Match_ActKeeperDropKick(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    CentreSpotPrediction();
    const bool upfield = release.vy < 0;
    Match_TurnPlayerTowards(k, upfield ? 0 : 128, 0);
    const int16_t frame = f.shownFrame;
    const bool deep = upfield ? BallState.y > kAreaHighY : BallState.y < kAreaLowY;
    if (frame >= 114 && frame <= 160 && deep) {
        Match_StepForward(k, 64, upfield ? 0 : 128);
        Ball_KeepAtFeet(k);
    }
    if (MatchSetPlayerAnim(k, 254, int16_t(f.hasKicked + 1), kActionKeeperReady) == 0) {
        if (MatchPhase == kPhaseKeeperReleases) {
            BallState.holder = 0;
            MatchPhase = kPhaseOpenPlay;
        }
        return;
    }
    if (f.shownFrame < 161 || f.hasKicked != 0 || f.action != kActionKeeperDropKick) return;
    if (Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y) >= 9) return;
    LetGo(k, true);
}

void Match_ActKeeperFetchGoalKick(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int team = TeamOf(k);
    if (FetchAndPickUp(k, true)) return;
    if (f.hasKicked == 2) {
        if (Match_ApproxDistance(MatchCurX, MatchCurY, GoalKickX, GoalKickY) > 5) {
            Hold(k);
            BallState.controller = 0;
            f.facing = Match_DirectionTo(MatchCurX, MatchCurY, GoalKickX, GoalKickY);
            ++PeriodClock;
            if (Goals[team] < Goals[team ^ 1]) {
                SetHeight(70);
                BallState.holder = 0;
                BallState.controller = 0;
                Match_ApplyAnimMotion(k, 125);
                MatchSetPlayerAnimKeepFrame(k, 13, 1, 0);
                Ball_PlaceAtFeet(k);
            } else {
                Match_ApplyAnimMotion(k, 32);
                Match_ApplyAnimMotion(k, 32);
                MatchSetPlayerAnimKeepFrame(k, 7, 1, 0);
            }
            BallTeam = uint8_t(team);
            return;
        }
        if (MatchTrySetPlayerAnim(k, 326, 2) == 0) {
            BallState.holder = 0;
            f.hasKicked = 3;
        }
        return;
    }
    const int pointY = GoalKickY < kPitchHalfwayY ? GoalKickY + 64 : GoalKickY - 64;
    f.facing = Match_DirectionTo(MatchCurX, MatchCurY, GoalKickX, pointY);
    MatchSetPlayerAnimKeepFrame(k, 6, 1, 0);
    Match_StepForward(k, 36, (f.facing + 128) & 255);
    if (Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y) > 32)
        Match_SetPlayerAction(k, kActionKeeperAimGoalKick);
}

void Match_ActKeeperAimGoalKick(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int team = TeamOf(k);
    const bool losing = Losing(team);
    SetHeight(0);
    Ball_Stop();
    BallTeam = uint8_t(team);
    ResetPreparation(release.goalKickCursor);
    if (release.choice == 0) {
        int n = GameRandom() % 5 + 2;
        release.target = -1;
        while (n > 0) {
            release.goalKickCursor = StepCursor(release.goalKickCursor);
            --n;
            const int16_t p = BallRanking[team][release.goalKickCursor];
            bool accepted = Match_IsPlayerFigure(p);
            if (accepted) {
                const MatchFigure& m = MatchFigures[p];
                accepted = m.ballDistance >= 640 && m.ballDistance <= 1200 && m.y >= kGoalLineLow &&
                           m.y <= kGoalLineHigh && m.x >= 458 && m.x <= 1134 && m.off == 0 &&
                           p != MatchLineUp[team][0];
            }
            if (accepted) {
                release.target = p;
            } else if (n == 0) {
                release.goalKickCursor = -1;
            }
        }
        int choice = GameRandom() % 50 + 10;
        if (losing) choice = choice / 4 + 1;
        release.choice = int16_t(choice);
        AimAtTarget();
        MatchStepPlayerAnim(k, Match_DirectionTo(MatchCurX, MatchCurY, release.x, release.y));
        return;
    }
    MatchStepPlayerAnim(k, Match_DirectionTo(MatchCurX, MatchCurY, release.x, release.y));
    CentreSpotPrediction();
    if (losing) {
        KeeperKickPower = release.power;
    } else if (KeeperKickPower < release.power) {
        ++KeeperKickPower;
    }
    if (KeeperKickPower < release.power) return;
    if (--release.choice > 1) return;
    const int direction = Match_DirectionTo(MatchCurX, MatchCurY, release.x, release.y);
    PrepareVelocity(direction, (double(f.power) * 1024 + 720896) * double(BallKickPower));
    Ball_Stop();
    KeeperKickPower = std::min<int32_t>(KeeperKickPower, 100);
    Match_SetPlayerAction(k, kActionKeeperBackOff);
    PhaseTimer = 0;
    release.vz = KeeperKickPower * 1152 + 65536;
    release.target = -1;
    release.choice = 0;
    f.touchLockout = 0;
    LastToucher = k;
    TeamLastToucher[team] = k;
    KeeperKickPower = -1;
}

void Match_ActKeeperBackOff(int16_t k) {
    SetHeight(0);
    Ball_Stop();
    if (release.kind != kKeeperKindBackOff) {
        MatchEvent = kOrdinaryPlay;
        BallState.holder = 0;
        release.kind = kKeeperKindBackOff;
    }
    Match_TurnPlayerTowards(k, BallState.y < kPitchHalfwayY ? 128 : 0, 0);
    MatchSetPlayerAnimKeepFrame(k, 6, 1, 0);
    Match_StepForward(k, 36, (Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y) + 128) & 255);
    if (Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y) > 80)
        Match_SetPlayerAction(k, kActionKeeperGoalKick);
}

void Match_ActKeeperGoalKick(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    CentreSpotPrediction();
    const int toBall = Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y);
    Match_TurnPlayerTowards(k, toBall, 0);
    const int16_t frame = f.shownFrame;
    if (frame >= 16 && frame <= 76) Match_StepForward(k, 84, toBall);
    if (MatchSetPlayerAnim(k, 253, int16_t(f.hasKicked + 1), kActionKeeperReady) == 0) return;
    if (f.shownFrame < 77 || f.hasKicked != 0 || f.action != kActionKeeperGoalKick) return;
    LetGo(k, true);
}

void Match_ActKeeperReturnBall(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    if (FetchAndPickUp(k, false)) return;
    Match_TurnPlayerTowards(k, Match_DirectionTo(MatchCurX, MatchCurY, kSpotX, kSpotY), 1);
    const int16_t frame = f.shownFrame;
    if (frame < 68) {
        Hold(k);
    } else if (frame == 68) {
        BallState.holder = 0;
        SetHeight(0);
        Match_VectorFromDirection(Match_DirectionTo(MatchCurX, MatchCurY, kSpotX, kSpotY), 40, 256);
        BallState.vx = MatchVecX * 4096;
        BallState.vy = -MatchVecNY * 4096;
        BallState.vz = 524288;
        f.ballWork2 = 16;
    }
    Match_ApplyAnimMotion(k, 0);
    MatchSetPlayerAnim(k, 257, 1, kActionKeeperReady);
}

void Match_SetKeeperSetPiece(int16_t x, int16_t y, int16_t kind, int32_t power, int16_t choice) {
    release.x = x;
    release.y = y;
    release.kind = kind;
    release.choice = choice;
    KeeperKickPower = power;
}

void Match_ResetKeeperState() {
    release = Release{};
    KeeperKickPower = -1;
    KeeperThrowTarget = -1;
    KeeperThrowPointX = KeeperThrowPointY = 0;
    ShooterFigure = -1;
    ShotTimer = ShotHoldTimer = KeeperTipTimer = 0;
    TeamSavedShotCount[0] = TeamSavedShotCount[1] = 0;
    KeeperDiveType = 0;
    SaveSpreadPercent = 0;
    KeeperDiveDirection = 0;
    KeeperSavePointX = KeeperSavePointY = 0;
    BallMeetPrediction = {kNoMeetingPoint, 0, 0, 0, 0};
    KeeperPostTicks = 0;
}
