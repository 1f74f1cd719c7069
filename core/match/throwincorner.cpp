// Throw-ins and corners: the taker fetches the ball and carries it to the
// spot, chooses a receiver while the marker shows his aim, runs up and
// throws or kicks, then watches the ball until someone else touches it.
#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/highball.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/setpiececommon.h"
#include "core/match/setpieces.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

using namespace setpiece;

uint32_t TimeWastingCount;
int16_t RestartReceiver = -1;
int16_t RestartSearchIndex = -1;
int16_t RestartTakerTimer;
int16_t ThrowPower, ThrowPowerCopy;
int16_t RestartWatchX, RestartWatchY;
int16_t ThrowWaitBudget;
int16_t RestartKicker = -1;
int16_t SetPieceCountdown;
int16_t RestartValue;
int32_t RestartChoiceCount;

namespace {

constexpr int kSpotReachHeight = 10000;
constexpr int kCarriedHeight = 70;
constexpr int kThrowDistanceNear = 30 * 16;
constexpr int kThrowDistanceFar = 50 * 16;
constexpr int kThrowGoalDistance = 60 * 16;
constexpr int kThrowAngle = 20;
constexpr int kCornerReach = 45 * 16;
constexpr int kMaxThrowPower = 80;
constexpr int kLongThrowPower = 50;
constexpr int16_t kNoWaitBudget = 600;
constexpr int kRankingEntries = 10;
constexpr int kThrowInward = 5 * 16;

// The point the thrower aims at while he chooses, and the pass target once
// he has chosen.
void SetMarkerPoint(int x, int y) {
    Marker().x = int16_t(x);
    Marker().y = int16_t(y);
    RestartWatchX = int16_t(x);
    RestartWatchY = int16_t(y);
}

void ParkMarker() { Marker().y = kMarkerParkedY; }

int NextIndex(int index) { return index >= kRankingEntries - 1 ? 0 : index + 1; }

bool InsidePitchLines(const MatchFigure& f) {
    return f.x >= PitchGeometry.left && f.x <= PitchGeometry.right && f.y >= PitchGeometry.top &&
           f.y <= PitchGeometry.bottom;
}

int DistanceToBall(const MatchFigure& f) { return Match_ApproxDistance(f.x, f.y, BallState.x, BallState.y); }

// The carry of a fetched ball to the spot: true once the taker stands on it
// (he and the ball are put exactly there).
bool CarryToSpot(int16_t figure, int spotX, int spotY) {
    const int team = TeamOf(figure);
    if (AtPoint(spotX, spotY, kSpotReachHeight)) {
        PutCurrentAt(spotX, spotY);
        PutBallAt(spotX, spotY);
        Marker().x = int16_t(spotX);
        Marker().y = int16_t(spotY);
        Marker().frame = kMarkerOnSpot;
        MatchSelectPlayer(figure);
        return true;
    }
    BallState.controller = int16_t(figure + 1);
    Ball_KeepAtFeet(figure);
    FacePoint(figure, spotX, spotY);
    ++TimeWastingCount;
    if (TeamBehind(team, false)) {
        // Behind: he hurries, the ball in his hands.
        BallState.controller = 0;
        BallState.z = kCarriedHeight;
        Ball_PlaceAtFeet(figure);
        Match_ApplyAnimMotion(figure, 125, 0);
        MatchSetPlayerAnimKeepFrame(figure, kClipRun, 1, 0);
    } else {
        Match_ApplyAnimMotion(figure, 32, 1);
        Match_ApplyAnimMotion(figure, 32, 1);
        MatchSetPlayerAnimKeepFrame(figure, kClipWalkCarry, 1, 0);
    }
    BallTeam = uint8_t(team);
    return false;
}

bool TeamMateComingBack(int16_t figure) {
    const int team = TeamOf(figure);
    for (int slot = 0; slot < kTeamFigures; ++slot) {
        const int16_t mate = MatchLineUp[team][slot];
        if (mate == figure || !MatchOnPitch(mate)) continue;
        const MatchFigure& m = MatchFigures[mate];
        if (m.action == kActionBackToPoint && m.hasKicked == 0) return true;
    }
    return false;
}

// The throw-in's receiver search over the team's ranking; -1 when none.
int16_t SearchThrowReceiver(int16_t figure) {
    const int team = TeamOf(figure);
    Match_GoalDistance(figure, int16_t(team));
    if (GoalDistanceScratch > kThrowGoalDistance) {
        for (int tries = 0; tries < kRankingEntries; ++tries) {
            RestartSearchIndex = int16_t(NextIndex(RestartSearchIndex));
            const int16_t mate = BallRanking[team][RestartSearchIndex];
            if (!IsPlayer(mate) || mate == figure || !MatchOnPitch(mate)) continue;
            if (DistanceToBall(MatchFigures[mate]) <= kThrowDistanceNear) return mate;
        }
    }
    const int goalDirection = Match_GoalDirection(figure, 1, int16_t(team));
    for (int tries = 0; tries < kRankingEntries; ++tries) {
        RestartSearchIndex = int16_t(NextIndex(RestartSearchIndex));
        const int16_t mate = BallRanking[team][RestartSearchIndex];
        if (!IsPlayer(mate) || mate == figure || !MatchOnPitch(mate)) continue;
        const MatchFigure& m = MatchFigures[mate];
        const int distance = DistanceToBall(m);
        if (distance > kThrowDistanceFar) continue;
        const int direction = Match_DirectionTo(MatchCurX, MatchCurY, m.x, m.y);
        if (distance <= kThrowDistanceNear || Match_FoldedDifference(direction, goalDirection) <= kThrowAngle)
            return mate;
    }
    RestartSearchIndex = -1;
    return -1;
}

bool AcceptableCornerReceiver(int16_t figure, int16_t mate) {
    if (!IsPlayer(mate) || mate == figure || !MatchOnPitch(mate)) return false;
    const MatchFigure& m = MatchFigures[mate];
    if (DistanceToBall(m) > kCornerReach || !InsidePitchLines(m)) return false;
    return m.y <= PitchGeometry.penaltyLineLowY || m.y >= PitchGeometry.penaltyLineHighY;
}

void SearchCornerReceiver(int16_t figure) {
    const int team = TeamOf(figure);
    bool failed = false;
    const int firstTries = GameRandom() % 5 + 5;
    for (int tries = 0; tries < firstTries; ++tries) {
        RestartSearchIndex = int16_t(NextIndex(RestartSearchIndex));
        const int16_t mate = BallRanking[team][RestartSearchIndex];
        if (!AcceptableCornerReceiver(figure, mate)) {
            failed = true;
            continue;
        }
        RestartReceiver = mate;
        failed = false;
        if (MatchFigures[mate].action == kActionRestartPlace && GameRandom() % 3 == 0) break;
    }
    if (failed) {
        for (int tries = 0; tries < kRankingEntries && failed; ++tries) {
            RestartSearchIndex = int16_t(NextIndex(RestartSearchIndex));
            const int16_t mate = BallRanking[team][RestartSearchIndex];
            if (!AcceptableCornerReceiver(figure, mate)) continue;
            RestartReceiver = mate;
            failed = false;
        }
        if (failed) RestartSearchIndex = -1;
    }
}

// Where a corner goes when nobody is there to aim at: the penalty spot of
// that end.
void AimAtPenaltySpot() {
    const int spotY =
        BallState.y < kPitchHalfwayY ? PitchGeometry.penaltySpotLowY : PitchGeometry.penaltySpotHighY;
    SetMarkerPoint(kPitchCentreX, spotY);
}

// A throw with nobody to aim at goes down the line, a few yards in: the
// marker never stays on the taker's own spot, which has no direction.
void AimDownTheLine() {
    const int inward = BallState.x < kPitchCentreX ? kThrowInward : -kThrowInward;
    SetMarkerPoint(FreeKickAimX + inward, FreeKickAimY);
}

void ReleaseThrow(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    f.hasKicked = 1;
    LastKicker = kNoKicker;
    BallState.controller = 0;
    BallState.holder = 0;
    const uint16_t direction =
        Match_DirectionTo(BallState.x, BallState.y, MatchPassTargetX, MatchPassTargetY);
    const double length = double(ThrowPower * 2867 + 229376) * double(BallKickPower);
    Match_VectorFromDirection(direction & 255, int(length + 0.5), 256);
    BallState.vx = MatchVecX;
    BallState.vy = -MatchVecNY;
    BallState.vz = 327680 + int32_t(ThrowPowerCopy) * 10240;
    MatchClearOffsideFlags();
    BallState.z = 140;
    BallState.kickGrace = 16;
    MatchPhase = kPhaseOpenPlay;
    f.touchLockout = 16;
    if (IsPlayer(RestartReceiver)) {
        Match_SetPlayerAction(RestartReceiver, kActionReceivePass);
        MatchFigures[RestartReceiver].aimX = MatchPassTargetX;
        MatchFigures[RestartReceiver].aimY = MatchPassTargetY;
    }
    KeepBallInsideLines();
    SetPieceCountdown = 0;
    LastToucher = figure;
    TeamLastToucher[team] = figure;
    // Direction and speed at once: the next tick's line tests read them
    // before the ball update does (a ball struck from still crossed unseen).
    Ball_UpdateDirectionSpeed();
}

void StrikeCorner(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    LastKicker = kNoKicker;
    int targetX = MatchPassTargetX, targetY = MatchPassTargetY;
    const int d = Match_ApproxDistance(BallState.x, BallState.y, targetX, targetY);
    BallState.swerve[0] = BallState.swerve[1] = BallState.swerve[2] = 0;
    if (f.actionParam == 0) {
        BallState.swerve[1] = GameRandom() % 2 == 0 ? 6000 : -6000;
        BallState.swerveTime = 45;
        if (GameRandom() % 200 < f.passing + f.deadball) {
            // A skilled taker bends it no longer than half the way to the line.
            const int toLine =
                std::abs(MatchCurY - (MatchCurY < kPitchHalfwayY ? kGoalLineLow : kGoalLineHigh));
            BallState.swerveTime = uint16_t(std::min(int(BallState.swerveTime), toLine / 2));
        }
        if (MatchRandomSpread(f.deadball, 100) > f.deadball)
            BallState.swerveTime = uint16_t(f.deadball * BallState.swerveTime / 100);
        targetY -= (BallState.swerve[1] / 2000) * BallState.swerveTime;
    }
    const uint16_t direction = Match_DirectionTo(BallState.x, BallState.y, targetX, targetY);
    Match_VectorFromDirection(direction & 255, d * 1000, 256);
    BallState.vx = MatchVecX;
    BallState.vy = -MatchVecNY;
    if (f.actionParam == 0) {
        int32_t lift = int32_t(d) * (160 - GameRandom() % 48) * 10 + 737280;
        if (GameRandom() % 100 > f.deadball) lift -= 532480;
        BallState.vz = lift;
    } else {
        BallState.vz = 327680;
    }
    MatchCallToLanding(100);
    int16_t receiver = MatchFindNearestPlayer(int16_t(targetX), int16_t(targetY), -1);
    if (receiver == 0 || TeamOf(receiver) != team) receiver = -1;
    RestartReceiver = receiver;
    SetPieceCountdown = 70;
    MatchPhase = kPhaseOpenPlay;
    RestartValue = 0;
    f.hasKicked = 1;
    RestartKicker = figure;
    ++f.counts[kCountCornersTaken];
    MatchSfx_PlayEvent(kSoundShot, int16_t(team));
    BallState.kickGrace = 16;
    PassMarkerCountdown = 300;
    f.touchLockout = 16;
    LastToucher = figure;
    TeamLastToucher[team] = figure;
    LastStriker = uint8_t(figure);
    LastCrosser = uint8_t(figure);
    CrossReceiver = uint8_t(receiver < 0 ? kNoFigure : receiver);
    if (receiver >= 0) PendingPass[2] = {uint16_t(figure), uint16_t(receiver)};
    // Direction and speed at once: the next tick's line tests read them
    // before the ball update does (a ball struck from still crossed unseen).
    Ball_UpdateDirectionSpeed();
}

}  // namespace

void Match_ActThrowInFetch(int16_t figure) {
    BallState.predicted[0][0] = ThrowInX;
    BallState.predicted[0][1] = ThrowInY;
    if (!FetchTheBall(figure, FetchHold::AtFeet)) return;
    if (CarryToSpot(figure, ThrowInX, ThrowInY)) Match_SetPlayerAction(figure, kActionThrowInChoose);
}

void Match_ActCornerFetch(int16_t figure) {
    BallState.predicted[0][0] = CornerX;
    BallState.predicted[0][1] = CornerY;
    if (!FetchTheBall(figure, FetchHold::AtFeet)) return;
    if (!CarryToSpot(figure, CornerX, CornerY)) return;
    BallState.z = 0;
    BallState.controller = 0;
    Match_SetPlayerAction(figure, kActionCornerChoose);
}

void Match_ActThrowInChoose(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    PutBallAt(MatchCurX, MatchCurY);
    BallState.z = 0;
    Ball_Stop();
    f.gait = 0;
    const bool behind = TeamBehind(team, true);
    if (behind) ThrowWaitBudget = kNoWaitBudget;
    if (TeamMateComingBack(figure) && ThrowWaitBudget < kNoWaitBudget) {
        ++ThrowWaitBudget;
        f.frame = 0;
        MatchSetPlayerAnim(figure, kClipThrowWait, 1, kActionRunToPosition);
        FacePoint(figure, Marker().x, Marker().y);
        return;
    }
    if (Marker().frame != kMarkerChoosing) {
        RestartSearchIndex = -1;
        RestartTakerTimer = 0;
        Marker().frame = kMarkerChoosing;
        BallTeam = uint8_t(team);
    }
    if (RestartTakerTimer == 0) {
        const int16_t found = SearchThrowReceiver(figure);
        if (found >= 0) RestartReceiver = found;
        RestartTakerTimer = int16_t(GameRandom() % 50 + 10);
        if (behind) RestartTakerTimer = int16_t(RestartTakerTimer / (GameRandom() % 5 + 1));
        if (found >= 0) {
            MatchFigure& m = MatchFigures[found];
            SetMarkerPoint(m.x, m.y);
            m.targetX = m.x;
            m.targetY = m.y;
        } else if (RestartReceiver < 0) {
            AimDownTheLine();
        }
        f.frame = 0;
        MatchSetPlayerAnimKeepFrame(figure, kClipThrowWait, 1, 0);
        f.actionWord = uint16_t(Match_ApproxDistance(MatchCurX, MatchCurY, Marker().x, Marker().y));
        FacePoint(figure, Marker().x, Marker().y);
        return;
    }
    MatchSetPlayerAnimKeepFrame(figure, kClipThrowWait, 1, 0);
    FacePoint(figure, Marker().x, Marker().y);
    const int distance = Match_ApproxDistance(MatchCurX, MatchCurY, Marker().x, Marker().y);
    f.actionWord = uint16_t(distance);
    if (--RestartTakerTimer >= 2) return;
    const uint16_t goalDirection = Match_GoalDirection(figure, 1, int16_t(team));
    int power = distance / 10 + Match_FoldedDifference(goalDirection, f.facing & 255) / 3 - 24;
    power = std::min(power, kMaxThrowPower);
    ThrowPower = int16_t(power);
    if (RestartReceiver >= 1 && RestartReceiver <= 31) {
        MatchFigure& m = MatchFigures[RestartReceiver];
        m.targetX = m.x;
        m.targetY = m.y;
    }
    ThrowPowerCopy = ThrowPower;
    MatchPassTargetX = Marker().x;
    MatchPassTargetY = Marker().y;
    MatchPassReceiver = RestartReceiver;
    Marker().frame = kMarkerOnSpot;
    ParkMarker();
    ThrowWaitBudget = 0;
    Match_SetPlayerAction(figure, power < kLongThrowPower ? kActionShortThrowRunUp : kActionLongThrowRunUp);
}

void Match_ActThrowRunUp(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    if (RestartReceiver > 0 && IsPlayer(RestartReceiver)) {
        if (MatchFigures[RestartReceiver].action != kActionThink)
            Match_SetPlayerAction(RestartReceiver, kActionThink);
        TeamChallenger[team] = RestartReceiver;
    }
    PutBallAt(MatchCurX, MatchCurY);
    BallState.controller = int16_t(figure + 1);
    FacePoint(figure, MatchPassTargetX, MatchPassTargetY);
    MatchSetPlayerAnimKeepFrame(figure, kClipStepBackWithBall, 1, 0);
    Match_StepForward(figure, 32, (f.facing + 128) & 255);
    const int limit = f.action == kActionLongThrowRunUp ? 65 : 36;
    if (Match_ApproxDistance(MatchCurX, MatchCurY, ThrowInX, ThrowInY) > limit)
        Match_SetPlayerAction(figure,
                              f.action == kActionLongThrowRunUp ? kActionLongThrow : kActionShortThrow);
}

void Match_ActThrow(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const bool longThrow = f.action == kActionLongThrow;
    FacePoint(figure, MatchPassTargetX, MatchPassTargetY);
    if (MatchSetPlayerAnim(figure, longThrow ? kClipLongThrow : kClipThrowWait, 1, kActionWatchRestart) == 0)
        return;
    const int release = longThrow ? 72 : 42;
    if (f.hasKicked != 0) return;
    if (f.frame < release) {
        Match_StepForward(figure, longThrow ? 58 : 32, f.facing & 255);
        Ball_KeepAtFeet(figure);
        BallState.controller = int16_t(figure + 1);
        return;
    }
    ReleaseThrow(figure);
}

void Match_ActCornerChoose(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    if (Marker().frame != kMarkerChoosing) {
        Marker().frame = kMarkerChoosing;
        RestartChoiceCount = 0;
        RestartTakerTimer = 0;
        RestartSearchIndex = int16_t(GameRandom() % kRankingEntries);
        BallTeam = uint8_t(team);
    }
    if (RestartTakerTimer == 0) {
        RestartReceiver = -1;
        SearchCornerReceiver(figure);
        if (IsPlayer(RestartReceiver)) {
            MatchFigure& m = MatchFigures[RestartReceiver];
            if (m.action != kActionPause && m.action != kActionRestartPlace) {
                const uint16_t previous = m.action;
                Match_SetPlayerAction(RestartReceiver, kActionPause);
                m.officialWord = previous;
            }
            SetMarkerPoint(m.x, m.y);
        } else {
            AimAtPenaltySpot();
        }
        RestartTakerTimer = int16_t(GameRandom() % 50 + 80);
    }
    FacePoint(figure, Marker().x, Marker().y);
    MatchStepPlayerAnim(figure, f.facing);
    if (--RestartTakerTimer >= 2) return;
    MatchPassTargetX = Marker().x;
    MatchPassTargetY = Marker().y;
    MatchPassReceiver = RestartReceiver;
    Marker().frame = kMarkerOnSpot;
    ParkMarker();
    Match_SetPlayerAction(figure, kActionCornerRunUp);
}

void Match_ActCornerRunUp(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (Marker().frame == kMarkerOnSpot) {
        Marker().frame = kMarkerChoosing;
        KeepBallInsideLines();
    }
    FacePoint(figure, BallState.x, BallState.y);
    MatchSetPlayerAnimKeepFrame(figure, kClipStepBack, 1, 0);
    Match_StepForward(figure, 36, (f.facing + 128) & 255);
    if (Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y) <= 32) return;
    if (GameRandom() % 5 == 0) {
        Match_SetPlayerAction(figure, kActionGesture);
        f.officialWord = kActionCornerReady;
    } else {
        Match_SetPlayerAction(figure, kActionCornerReady);
    }
}

void Match_ActGesture(int16_t figure) {
    const uint16_t next = MatchFigures[figure].officialWord;
    MatchSetPlayerAnim(figure, kClipGesture, 1, next == kActionGesture ? kActionCornerReady : next);
}

void Match_ActCornerReady(int16_t figure) { Match_SetPlayerAction(figure, kActionCornerKick); }

void Match_ActCornerKick(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (f.hasKicked == 0) {
        BallState.holder = 0;
        BallState.controller = 0;
    }
    MatchClearOffsideFlags();
    FacePoint(figure, MatchPassTargetX, MatchPassTargetY);
    const bool curled = f.actionParam == 0;
    if (MatchSetPlayerAnim(figure, curled ? kClipCurlKick : kClipPassKick, curled ? 2 : 1,
                           kActionWatchRestart) == 0)
        return;
    if (f.hasKicked != 0) return;
    if (f.frame < (curled ? 22 : 16)) {
        FacePoint(figure, BallState.x, BallState.y);
        Match_StepForward(figure, 125, f.facing & 255);
        return;
    }
    StrikeCorner(figure);
}

void Match_ActWatchRestart(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    MatchStepPlayerAnim(figure, f.ballDirection & 255);
    if (LastToucher != figure || MatchPhase != kPhaseOpenPlay) {
        Match_SetPlayerAction(figure, kActionStand);
        f.actionWord = 0;
    }
}
