// Fetching the ball for a free kick or a penalty, placing it on the foul
// position while the other players keep ten yards away and the wall forms,
// the wall players themselves, and the run-ups of the penalty and of the
// free kick shot or pass.
#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/replay.h"
#include "core/match/setpiececommon.h"
#include "core/match/setpieces.h"
#include "core/match/shotchoice.h"

using namespace setpiece;

int16_t FreeKickWaitCount;
int16_t RunUpPause[2];
int16_t TeamMarkerKeep[2];
int16_t PenaltyRunUpStage;
uint8_t WalkingCount;

namespace {

int32_t RunUpSharedValue;

constexpr int kTenYards = 160;
constexpr int kPlacedFrame = 128;
constexpr int kWaitBound = 1000;
constexpr int kWallZone = 640;
constexpr int kWallSize = 3;
constexpr int kAtRestartPlace = 5;  // as near as a runner stops to his place
constexpr int kMarkerSteps = 123;
constexpr int32_t kMarkerStep = 100000;
constexpr int kRankingEntries = 10;

bool InsideBy(const MatchFigure& f, int margin) {
    return f.x >= PitchGeometry.left + margin && f.x <= PitchGeometry.right - margin &&
           f.y >= PitchGeometry.top + margin && f.y <= PitchGeometry.bottom - margin;
}

// Pushes every other player within ten yards of the ball away along the
// line of the kick; returns how many had to move.
int PushPlayersBack(int16_t taker, int16_t spared) {
    const int goalY = AttackedGoalY(TeamOf(taker));
    const uint16_t away = Match_DirectionTo(FoulX, FoulY, kPitchCentreX, goalY) & 255;
    Match_VectorFromDirection(away, 2, 256);
    int notReady = 0;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (figure == taker || figure == spared || !MatchOnPitch(figure)) continue;
        // A goalkeeper keeps to his own stance and cannot be sent back: he is
        // never waited for (his own side's free kick near his goal).
        if (MatchLineUp[TeamOf(figure)][0] == figure) continue;
        MatchFigure& f = MatchFigures[figure];
        if (f.ballDistance >= kTenYards || !InsideBy(f, 10)) continue;
        if (f.action == kActionWall || f.action == kActionRestartPlace) continue;
        // The push goes on while he is near the ball; his target stays on
        // the pitch (by a free kick near the goal line it would otherwise
        // run on beyond it for as long as he stood near the ball).
        const PitchGeometryValues& g = PitchGeometry;
        f.targetX = int16_t(std::clamp<int>(f.targetX + MatchVecX, g.left, g.right));
        f.targetY = int16_t(std::clamp<int>(f.targetY - MatchVecNY, g.top, g.bottom));
        ++notReady;
    }
    return notReady;
}

int WallNotReady() {
    int notReady = 0;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        const MatchFigure& f = MatchFigures[figure];
        if (f.action != kActionWall || !MatchOnPitch(figure)) continue;
        if (Match_BallInReach5(f.x, f.y, f.targetX, f.targetY, 10000) != 0) ++notReady;
    }
    return notReady;
}

bool TakerAtSpot() { return Match_BallInReach(MatchCurX, MatchCurY, FoulX, FoulY, 10, 1000) == 0; }

// The carry of the ball to the foul position, in the hands and hurrying.
void CarryToFoul(int16_t figure) {
    BallState.controller = 0;
    BallState.z = 70;
    ++TimeWastingCount;
    FacePoint(figure, FoulX, FoulY);
    Match_ApplyAnimMotion(figure, 125, 1);
    MatchSetPlayerAnimKeepFrame(figure, kClipRun, 1, 0);
    Ball_PlaceAtFeet(figure);
}

// The ball put down on the foul position; true once the clip has ended
// (stage 2).
bool PlaceTheBall(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (f.hasKicked >= 2) return true;
    if (f.hasKicked == 0) f.frame = 0;
    f.hasKicked = 1;
    if (f.frame >= kPlacedFrame) {
        PutBallAt(FoulX, FoulY);
        BallState.z = 0;
        BallState.controller = 0;
    }
    const uint16_t action = f.action;
    if (MatchSetPlayerAnim(figure, kClipPlaceBall, 2, action) == 0) MatchFigures[figure].hasKicked = 2;
    return false;
}

// The marker moved from the foul position toward the goal the team attacks.
void SetFreeKickMarker(int team) {
    const int goalY = AttackedGoalY(team);
    int32_t x16 = int32_t(FoulX) * 65536, y16 = int32_t(FoulY) * 65536;
    for (int step = 0; step < kMarkerSteps; ++step) {
        const uint16_t d = Match_DirectionTo(x16 / 65536, y16 / 65536, kPitchCentreX, goalY) & 255;
        Match_VectorFromDirection(d, kMarkerStep, 256);
        x16 += MatchVecX;
        y16 -= MatchVecNY;
    }
    Marker().x = int16_t(x16 / 65536);
    Marker().y = int16_t(y16 / 65536);
    RestartWatchX = Marker().x;
    RestartWatchY = Marker().y;
}

void StartRunUp(int16_t figure, bool pass) {
    MatchFigure& f = MatchFigures[figure];
    int16_t& pause = RunUpPause[pass ? 1 : 0];
    if (f.hasKicked == 0) {
        f.hasKicked = 1;
        pause = 0;
        CameraSubject = kBallFigure;
        KeepBallInsideLines();
    }
    if (pause == 0) {
        const int x = pass ? MatchPassTargetX : FreeKickAimX;
        const int y = pass ? MatchPassTargetY : FreeKickAimY;
        FacePoint(figure, x, y);
        MatchSetPlayerAnimKeepFrame(figure, kClipStepBack, 1, 0);
        Match_StepForward(figure, 36, (f.facing + 128) & 255);
        if (Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y) > 32) pause = 1;
        return;
    }
    ++pause;
    RunUpSharedValue = 0;
    MatchSetPlayerAnimKeepFrame(figure, kClipStand, 1, 0);
    if (pause >= 32) Match_SetPlayerAction(figure, pass ? kActionFreeKickPass : kActionFreeKickShot);
}

}  // namespace

int16_t MatchFindGoalkeeperAction(int16_t figure, uint16_t action) {
    if (!IsPlayer(figure)) return -1;
    const int goalY = AttackedGoalY(TeamOf(figure));
    int16_t found = -1;
    int best = 32767;
    for (int16_t other = 0; other < kPlayerFigures; ++other) {
        const MatchFigure& f = MatchFigures[other];
        if (f.action != action || !MatchOnPitch(other)) continue;
        const int d = std::abs(f.y - goalY);
        if (d < best) {
            best = d;
            found = other;
        }
    }
    return found;
}

namespace {

// True while a player other than the figure fetches the ball to throw it to
// the place of the kick.
bool BallBeingThrownIn(int16_t figure) {
    for (int16_t other = 0; other < kPlayerFigures; ++other) {
        if (other != figure && MatchFigures[other].action == kActionFetchAndThrow && MatchOnPitch(other))
            return true;
    }
    return false;
}

}  // namespace

void Match_ActFreeKickFetch(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    if (MatchPhase != kPhaseFreeKick && MatchPhase != kPhaseFreeKickAtGoal && MatchPhase != kPhasePenalty) {
        // The free kick he went for is gone (the keeper gathered the ball,
        // say): he runs back to his place and leaves the marker to the
        // restart now being taken.
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    FreeKickWaitCount = 0;
    Marker().frame = -1;
    f.gait = 0;
    // A team-mate fetching the ball throws it to the place of the kick: the
    // taker waits there for it.
    if (BallBeingThrownIn(figure)) {
        if (Match_ApproxDistance(MatchCurX, MatchCurY, FoulX, FoulY) > kAtRestartPlace) {
            FacePoint(figure, FoulX, FoulY);
            Match_ApplyAnimMotion(figure);
            MatchSetPlayerAnimKeepFrame(figure, kClipRun, 1, 0);
        } else {
            MatchStepPlayerAnim(figure, f.ballDirection & 255);
        }
        return;
    }
    if (!FetchTheBall(figure, FetchHold::AtFeet)) return;
    const int16_t keeper = MatchLineUp[team ^ 1][0];
    if (IsPlayer(keeper)) MatchFigures[keeper].action = kActionKeeperPenaltyGesture;
    const bool penalty = MatchPhase == kPhasePenalty;
    const int toGoal = Match_ApproxDistance(FoulX, FoulY, kPitchCentreX, AttackedGoalY(team));
    // A free kick out of shooting range (no wall needed against it) is
    // played as a pass to a chosen team-mate, in the second free-kick phase.
    const bool pass = MatchPhase == kPhaseFreeKick && toGoal >= kWallZone;
    Match_SetPlayerAction(figure, penalty ? kActionPenaltyPlace
                                  : pass  ? kActionFreeKickPasser
                                          : kActionFreeKickPlace);
    FacePoint(figure, BallState.x, BallState.y);
    if (penalty) return;
    Marker().x = FoulX;
    Marker().y = FoulY;
    RestartWatchX = FoulX;
    RestartWatchY = FoulY;
    if (TeamMarkerKeep[team] != 1) Marker().frame = kMarkerOnSpot;
    SetFreeKickMarker(team);
    if (pass) {
        MatchPhase = kPhaseFreeKickSecond;
        PhaseTimer = 0;
        return;
    }
    if (MatchPhase == kPhaseFreeKickAtGoal || toGoal < kWallZone) {
        Match_LineUpWall(kWallSize);
        CurrentTeam = uint8_t(team);
        MatchFindGoalkeeperAction(figure, kActionWall);
        MatchKeepPlayersInPitch(figure);
    }
}

void Match_ActFreeKickPlace(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    f.gait = 0;
    BallTeam = uint8_t(team);
    int notReady = PushPlayersBack(figure, -1);
    if (FreeKickWaitCount < 10) MatchKeepPlayersInPitch(figure);
    ++FreeKickWaitCount;
    notReady += WallNotReady();
    CameraSubject = kBallFigure;
    if (!TakerAtSpot()) {
        CarryToFoul(figure);
        return;
    }
    if (!PlaceTheBall(figure)) return;
    FacePoint(figure, FoulX, FoulY);
    if (notReady > 0 && FreeKickWaitCount < kWaitBound) return;
    MatchFindGoalkeeperAction(figure, kActionFreeKickShotRunUp);
    Match_SetPlayerAction(figure, kActionFreeKickShotRunUp);
    for (int16_t other = 0; other < kPlayerFigures; ++other) {
        const MatchFigure& o = MatchFigures[other];
        if (o.action != kActionRestartPlace || !MatchOnPitch(other)) continue;
        if (GameRandom() % 3 != 0) continue;
        Match_SetPlayerAction(figure, kActionFreeKickPass);
        MatchFigures[figure].actionParam = 1;
        MatchPassTargetX = o.x;
        MatchPassTargetY = o.y;
        MatchPassReceiver = other;
    }
}

void Match_ActWallPlayer(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    f.targetX = f.aimX;
    f.targetY = f.aimY;
    const bool stopped = MatchPhase != kPhaseOpenPlay;
    if (stopped && !AtPoint(f.targetX, f.targetY, 10000)) {
        Match_ChaseTarget(figure, f.targetX, f.targetY, 0);
        ++WalkingCount;
        f.hasKicked = 0;
        return;
    }
    if (stopped) {
        if (f.hasKicked != 0) {
            Match_SetPlayerAction(figure, kActionRunToPosition);
            return;
        }
        if (KeeperPostTicks != 0) ++KeeperPostTicks;
        f.facing = f.ballDirection & 255;
        f.actionWord = 32;
        MatchTrySetPlayerAnim(figure, kClipWallStance, 1);
        f.actionParam = uint16_t(GameRandom() % 3);
        return;
    }
    if (KeeperPostTicks != 0) ++KeeperPostTicks;
    if (f.hasKicked == 0) {
        f.hasKicked = 1;
        f.frame = int16_t(GameRandom() % 10);
    }
    if (f.actionParam == 1 || f.actionParam == 0) {
        MatchSetPlayerAnim(figure, f.actionParam == 1 ? 337 : 338, 1, kActionRunToPosition);
        return;
    }
    if (f.actionWord > 0) --f.actionWord;
    if (f.actionWord == 0) Match_SetPlayerAction(figure, kActionRunToPosition);
}

void Match_ActPenaltyRunUp(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (f.hasKicked == 0) {
        f.hasKicked = 1;
        PenaltyRunUpStage = 0;
        CameraSubject = kBallFigure;
        PutBallAt(FoulX, FoulY);
        KeepBallInsideLines();
    }
    const int fromBall = Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y);
    if (PenaltyRunUpStage <= 1) {
        const int beyondY = MatchCurY < kPitchHalfwayY ? FoulY + 64 : FoulY - 64;
        FacePoint(figure, FoulX, beyondY);
        MatchSetPlayerAnimKeepFrame(figure, kClipDash, 1, 0);
        Match_ApplyAnimMotion(figure, 0, 0);
        if (fromBall > 36) ++PenaltyRunUpStage;
        return;
    }
    if (PenaltyRunUpStage == 2) {
        const int goalY = MatchCurY >= kPitchHalfwayY ? kGoalLineHigh : kGoalLineLow;
        const uint16_t toGoal = Match_DirectionTo(MatchCurX, MatchCurY, kPitchCentreX, goalY) & 255;
        Match_TurnPlayerTowards(figure, toGoal, 2);
        MatchSetPlayerAnimKeepFrame(figure, kClipStand, 1, 0);
        if ((f.facing & 255) == toGoal) PenaltyRunUpStage = 3;
        return;
    }
    if (PenaltyRunUpStage == 3) {
        MatchSetPlayerAnimKeepFrame(figure, kClipStepBack, 1, 0);
        Match_StepForward(figure, 36, (f.facing + 128) & 255);
        if (fromBall > 64) PenaltyRunUpStage = 4;
        return;
    }
    ++PenaltyRunUpStage;
    if (PenaltyRunUpStage < 30) {
        MatchSetPlayerAnimKeepFrame(figure, kClipStand, 1, 0);
        return;
    }
    ++FreeKickWaitCount;
    if (WalkingCount != 0 && FreeKickWaitCount <= 999) return;
    // The aim of the placed kick only: the run-up goes on to the kick
    // whatever the choice.
    Match_DecideWithBall(figure, 2);
    Match_SetPlayerAction(figure, kActionPenaltyKick);
    SetPieceWords[0] = 50;
    SetPieceWords[1] = 350;
    ShotTimer = SetPieceWords[0];
    ShotHoldTimer = SetPieceWords[1];
    PenaltyRunUpStage = 0;
}

void Match_ActFreeKickPasser(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    BallTeam = uint8_t(team);
    f.gait = 0;
    PushPlayersBack(figure, RestartReceiver);
    if (Marker().frame != kMarkerChoosing) {
        RestartChoiceCount = 0;
        Marker().frame = kMarkerChoosing;
        RestartTakerTimer = 0;
        RestartSearchIndex = int16_t(GameRandom() % kRankingEntries);
    }
    if (!TakerAtSpot()) {
        CarryToFoul(figure);
        f.hasKicked = 0;
        return;
    }
    if (!PlaceTheBall(figure)) return;
    if (RestartTakerTimer == 0) {
        const int goalDirection = Match_GoalDirection(figure, 1, int16_t(team));
        int16_t chosen = -1;
        for (int tries = 0; tries < 16 && chosen < 0; ++tries) {
            RestartSearchIndex =
                int16_t(RestartSearchIndex <= 0 ? kRankingEntries - 1 : RestartSearchIndex - 1);
            const int16_t mate = BallRanking[team][RestartSearchIndex];
            if (!IsPlayer(mate) || mate == figure || !MatchOnPitch(mate)) continue;
            const MatchFigure& m = MatchFigures[mate];
            if (!InsideBy(m, 0)) continue;
            const bool waiting = m.action == kActionRestartPlace;
            const bool inRange =
                waiting ? m.ballDistance <= 960 : m.ballDistance >= 560 && m.ballDistance <= 960;
            if (!inRange) continue;
            const int angle = Match_FoldedDifference(Match_DirectionTo(MatchCurX, MatchCurY, m.x, m.y) & 255,
                                                     goalDirection & 255);
            if (!waiting && angle > 40 + 2 * (tries + 1)) continue;
            chosen = mate;
        }
        if (chosen < 0) {
            // Nobody to pass to: the aim of a placed kick at goal.
            Match_DecideWithBall(figure, 2);
            MatchFigures[figure].action = kActionFreeKickPasser;
            Marker().x = FreeKickAimX;
            Marker().y = FreeKickAimY;
        }
        RestartTakerTimer = int16_t(GameRandom() % 50 + 30);
        RestartReceiver = chosen;
        if (chosen >= 0) {
            MatchFigure& m = MatchFigures[chosen];
            if (m.action == kActionRestartPlace) {
                RestartTakerTimer = 1;
            } else if (m.action != kActionPause) {
                const uint16_t previous = m.action;
                Match_SetPlayerAction(chosen, kActionPause);
                m.officialWord = previous;
            }
            Marker().x = m.targetX;
            Marker().y = m.targetY;
        }
        RestartWatchX = Marker().x;
        RestartWatchY = Marker().y;
        f.actionWord = uint16_t(Match_ApproxDistance(MatchCurX, MatchCurY, Marker().x, Marker().y));
        FacePoint(figure, Marker().x, Marker().y);
        MatchSetPlayerAnimKeepFrame(figure, kClipStand, 1, 0);
        return;
    }
    MatchSetPlayerAnimKeepFrame(figure, kClipStand, 1, 0);
    f.actionWord = uint16_t(Match_ApproxDistance(MatchCurX, MatchCurY, Marker().x, Marker().y));
    if (MatchPhase == kPhaseFreeKickSecond) MatchKeepPlayersInPitch(figure);
    Match_SetPlayerAction(figure, kActionFreeKickPassRunUp);
    MatchPassTargetX = Marker().x;
    MatchPassTargetY = Marker().y;
    MatchPassReceiver = RestartReceiver;
    CameraSubject = kBallFigure;
    Marker().frame = kMarkerOnSpot;
    Marker().y = kMarkerParkedY;
}

void Match_ActFreeKickRunUp(int16_t figure) {
    StartRunUp(figure, MatchFigures[figure].action == kActionFreeKickPassRunUp);
}
