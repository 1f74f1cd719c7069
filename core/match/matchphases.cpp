#include "core/match/matchphases.h"
#include "core/match/actions.h"

#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"

#include <algorithm>
#include <cstdlib>

#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <utility>
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/computermanager.h"
#include "core/match/dribble.h"
#include "core/match/fouls.h"
#include "core/match/infobartypes.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/playeractions.h"
#include "core/match/replay.h"
#include "core/match/setpieces.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"
#include "core/match/tacklefalls.h"
#include "core/match/teamjobs.h"
#include "core/match/teamsetup.h"

using namespace gameinfo;

int16_t PhaseTimer;
uint16_t ResumePhase;
uint16_t ChangePending[2];
uint8_t StoppageMenuCount[2];
int8_t KickOffTaker = -1, KickOffPartner = -1;
int16_t IntroStep;
int16_t IntroPlayer = -1;
int16_t GoalReplayCountdown;
int16_t FoulTeam;
int16_t FouledPlayer = -1;
int16_t FoulX, FoulY;
int16_t PhaseWaitTicks;
int16_t RestartTeam;
int16_t FormationOffset[2];

namespace {

// The keeper's restart actions: the release from his hands and the goal kick.
constexpr uint16_t kBookingActions[2] = {kActionBooked, kActionFetchAndThrow};
constexpr int16_t kPartnerGoTicks = 500;
constexpr uint16_t kFirstLongAction = kActionIdleVariation;

bool latchF1F12;

int Team(int figure) { return figure / kTeamFigures; }
bool ValidPlayer(int figure) { return figure >= 0 && figure < kPlayerFigures; }

// A wait for figures that may never arrive ends after the bound: the
// figures are put in place and play goes on.
bool WaitBounded(bool waiting, const char* what) {
    if (!waiting) {
        PhaseWaitTicks = 0;
        return false;
    }
    if (++PhaseWaitTicks < kWaitTicksBound) return true;
    std::printf("MatchPhaseTick(): Warning: %s still not ready after %d ticks; play goes on\n", what,
                int(kWaitTicksBound));
    PhaseWaitTicks = 0;
    NotReadyCount = 0;
    return false;
}

// A substitution is carried by the players' actions (the walk off, the run
// on).  When neither is under way any more (the leaving player was called
// to the referee, say, and went back to play) it is over: the interrupted
// phase resumes rather than wait for ever.
void SubstitutionPhase() {
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        const uint16_t action = MatchFigures[figure].action;
        if (action == kActionSubstitutedOff || action == kActionSubstituteOn || action == kBookingActions[0])
            return;
    }
    std::printf("MatchPhaseTick(): Warning: substitution with nobody walking off or on; play goes on\n");
    MatchPhase = ResumePhase;
}

void GiveBall(int team) {
    BallTeam = uint8_t(team);
    CurrentTeam = uint8_t(team);
    TeamMomentum[team] = 1000;
    TeamMomentum[team ^ 1] = 0;
}

// The common pause; true while it runs.
bool Pause(uint16_t phase, int team) {
    if (PhaseTimer == 0) {
        PhaseTimer = MatchRestartPause(phase, Goals[team] < Goals[team ^ 1]);
        if (phase == kPhaseFoul || phase == kPhaseOffside || phase == kPhaseThrowIn) GiveBall(team);
    }
    if (PhaseTimer > 0 && --PhaseTimer > 0) return true;
    // Over: it does not start again while the phase goes on waiting (for
    // the referee, say).
    PhaseTimer = -1;
    for (int side = 0; side < 2; ++side) {
        if (MatchTeamHuman(&GameInfo, side)) continue;
        if (Match_ComputerSubstitution(int16_t(side)) >= 0) {
            MatchStartSubstitution(int16_t(side));
            if (MatchPhase == kPhaseSubstitution) return true;
        }
    }
    return false;
}

void Restarted(uint16_t next) {
    RestartWaitTicks = 0;
    MatchOfferTeamMenus();
    MatchEvent = kOrdinaryPlay;
    PhaseTimer = 0;
    MatchPhase = next;
}

void SetAim(int16_t x, int16_t y) {
    FreeKickAimX = x;
    FreeKickAimY = y;
}

int GoalYOf(int team) { return team == AttackDirection ? kGoalLineHigh : kGoalLineLow; }

// The team's best hands go in goal (the replacement keeper of a computer
// side): he is placed on the middle of his goal line, in the keeper's stance.
void PutNewKeeperInGoal(int team) {
    Match_PickPlayerByAttributes(int16_t(team));
    const int16_t keeper = MatchLineUp[team][0];
    if (!MatchOnPitch(keeper)) return;
    MatchFigure& k = MatchFigures[keeper];
    k.x = k.targetX = kPitchCentreX;
    k.y = k.targetY = int16_t(GoalYOf(team ^ 1));
    k.x16 = int32_t(k.x) * 65536;
    k.y16 = int32_t(k.y) * 65536;
    k.facing = uint16_t(MatchDirectionTo(k.x, k.y, kPitchCentreX, kPitchHalfwayY) & 255);
    Match_SetPlayerAction(keeper, kActionKeeperReady);
}

// A computer side whose keeper is off the pitch puts its best hands in goal.
void ReplaceLostKeeper(int team) {
    if (MatchTeamHuman(&GameInfo, team) || MatchOnPitch(MatchLineUp[team][0])) return;
    PutNewKeeperInGoal(team);
}

// Both keepers on the pitch take their stance for a restart or a penalty.
// A keeper who had caught the ball lets go of it: it is put down for the
// restart, and a holder left on it would keep the taker waiting for good.
// He makes his gesture with it on the way to his stance.
void KeepersToTheirStance() {
    for (int team = 0; team < 2; ++team) {
        const int16_t keeper = MatchLineUp[team][0];
        if (!MatchOnPitch(keeper)) continue;
        if (BallState.holder == keeper + 1) {
            BallState.holder = 0;
            Match_SetPlayerAction(keeper, kActionKeeperHoldGestureB);
            continue;
        }
        if (MatchFigures[keeper].action != kActionKeeperReady)
            Match_SetPlayerAction(keeper, kActionKeeperReady);
    }
}

// The referee's signal of the given kind (1 the whistle, 3 the arm), after
// which he takes up his place for the restart.
void RefereeSignals(uint16_t variant) {
    Match_SetPlayerAction(kRefereeFigure, kOfficialSignal);
    MatchFigures[kRefereeFigure].actionParam = variant;
    MatchFigures[kRefereeFigure].officialWord = kOfficialRestartPosition;
}

// Set at each new foul: its fouled player's injury has been seen to.
bool foulInjurySeenTo;

// The fouled player hurt in the foul: while he is still going down the foul
// waits; then his injury is marked and he is seen to.  A human manager's
// injured player leaves the pitch, and the manager is offered his team menu
// when a substitution is left; a computer side puts new hands in goal for
// its injured keeper (an injured outfield player is taken off by the
// computer manager's substitution at the end of the pause, which runs
// every tick until the restart is set up).  True while the foul waits.
bool SeeToTheInjury() {
    if (foulInjurySeenTo || !ValidPlayer(FouledPlayer)) return false;
    MatchFigure& f = MatchFigures[FouledPlayer];
    if (f.injury == kInjuryNone) return false;
    const bool goingDown = f.off == 0 && f.action == kActionFallForward && f.injury == kInjuryHurt;
    if (WaitBounded(goingDown, "the injured player")) return true;
    foulInjurySeenTo = true;
    f.wasInjured = 1;
    if (f.off != 0) return false;
    const int team = Team(FouledPlayer);
    if (MatchTeamHuman(&GameInfo, team)) {
        f.off = 1;
        f.hasBall = 0;
        if (Match_SubstitutionsMade(team) < MatchSubstitutionsAllowed(&GameInfo)) ChangePending[team] = 1;
    } else if (MatchLineUp[team][0] == FouledPlayer) {
        PutNewKeeperInGoal(team);
    }
    return false;
}

void FoulPhase() {
    if (PhaseTimer == 0) foulInjurySeenTo = false;
    if (Pause(kPhaseFoul, FoulTeam ^ 1)) return;
    if (RefereeAction != 0) {
        ResumePhase = kPhaseFoul;
        MatchPhase = kPhaseWaitReferee;
        return;
    }
    ReplaceLostKeeper(FoulTeam & 1);
    if (SeeToTheInjury()) return;
    if (WaitBounded(NotReadyCount != 0, "the referee")) return;
    const int awarded = FoulTeam ^ 1;
    ++MatchTeamTotals[FoulTeam & 1][kTotalFouls];
    BallState.x = FoulX;
    BallState.y = FoulY;
    // The kick is taken from the ground: a keeper penalised while holding
    // the ball (handling outside his area) lets go of it, or the taker
    // would wait on him for good; he makes his gesture on the way to his
    // stance, rather than go on keeping the ball at his feet.
    for (int team = 0; team < 2; ++team) {
        const int16_t keeper = MatchLineUp[team][0];
        if (BallState.holder == keeper + 1 && MatchOnPitch(keeper))
            Match_SetPlayerAction(keeper, kActionKeeperHoldGestureB);
    }
    BallState.holder = 0;
    CurrentTeam = uint8_t(awarded);
    FreeKickForOffside = false;
    if (MatchInDefendingArea(FoulTeam & 1, FoulX, FoulY)) {
        const int16_t keeper = MatchLineUp[FoulTeam & 1][0];
        if (ValidPlayer(keeper) && MatchFigures[keeper].penaltiesFaced < 255)
            ++MatchFigures[keeper].penaltiesFaced;
        StoppageTime += 30 + GameRandom() % 30;
        BallState.x = kPitchCentreX;
        BallState.y = GoalYOf(awarded) == kGoalLineHigh ? PitchGeometry.penaltySpotHighY
                                                        : PitchGeometry.penaltySpotLowY;
        KeepersToTheirStance();
        Restarted(kPhasePenalty);
        return;
    }
    const int goalY = GoalYOf(awarded);
    const int distance = MatchOctDistance(kPitchCentreX - FoulX, goalY - FoulY);
    const uint16_t toGoal = MatchDirectionTo(FoulX, FoulY, kPitchCentreX, goalY);
    const bool side = (toGoal >= 41 && toGoal <= 87) || (toGoal >= 169 && toGoal <= 215);
    if (distance < 38 * kDistanceUnit && !side) {
        StoppageTime += 30 + GameRandom() % 30;
        Restarted(kPhaseFreeKickAtGoal);
        return;
    }
    Restarted(kPhaseFreeKick);
}

// Who fetches the ball for an offside free kick and throws it to the place of
// the kick: the awarded team's player nearest where the ball is expected,
// unless the taker (placed nearest the kick) is himself far nearer the ball
// while not at it; -1 for nobody.
int16_t OffsideBallFetcher(int team) {
    CurrentTeam = uint8_t(team);
    const int16_t fetcher = MatchFindNearestPlayer(BallState.predicted[2][0], BallState.predicted[2][1], -1);
    if (fetcher <= 0 || !ValidPlayer(fetcher) || Team(fetcher) != team) return -1;
    const int16_t taker = Match_NearestByFormation(team, OffsideRecord.x, OffsideRecord.y);
    if (taker == fetcher) return -1;
    if (ValidPlayer(taker)) {
        const MatchFigure& t = MatchFigures[taker];
        const MatchFigure& f = MatchFigures[fetcher];
        const int takerToBall = MatchOctDistance(t.x - BallState.x, t.y - BallState.y);
        const int fetcherToBall = MatchOctDistance(f.x - BallState.x, f.y - BallState.y);
        if (takerToBall * 4 < fetcherToBall && takerToBall > 80) return -1;
    }
    return fetcher;
}

void OffsidePhase() {
    const int awarded = OffsideRecord.team ^ 1;
    if (Pause(kPhaseOffside, awarded)) return;
    MatchSfx_PlayEvent(kSoundLongWhistle, -1);
    InfoBar(kInfoOffside, OffsideRecord.figure, int16_t(MatchClockMinute()));
    RefereeSignals(1);
    KeepersToTheirStance();
    ++MatchTeamTotals[OffsideRecord.team & 1][kTotalOffsides];
    // Nobody was fouled: the taker is the player whose place in the
    // formation is nearest the place of the kick.
    FouledPlayer = -1;
    FreeKickForOffside = true;
    FoulX = OffsideRecord.x;
    FoulY = OffsideRecord.y;
    // A team-mate fetches the ball and throws it there; without one it is
    // put there.
    const int16_t fetcher = OffsideBallFetcher(awarded);
    if (fetcher >= 0) {
        RestartBallOwner = 0;
        Match_SetPlayerAction(fetcher, kActionFetchAndThrow);
    } else {
        BallState.x = OffsideRecord.x;
        BallState.y = OffsideRecord.y;
    }
    Restarted(kPhaseFreeKick);
}

void ThrowInPhase() {
    // The team is the one the ball code awarded the throw (the other team
    // of the last toucher).
    if (Pause(kPhaseThrowIn, RestartTeam)) return;
    KeepersToTheirStance();
    CurrentTeam = uint8_t(RestartTeam);
    const int along = BallState.y < kPitchHalfwayY ? 1 : -1;
    SetAim(BallState.x, int16_t(BallState.y + along * 10 * kDistanceUnit));
    Match_PlaceThrowInPairs(RestartTeam, Match_StartThrowIn(RestartTeam));
    Restarted(kPhaseTakeThrowIn);
}

// A keeper still taking the ball: a catch carried on with it held, the end
// of a holding dive, a holding dive.
constexpr uint16_t kCatchingActions[] = {kActionKeeperTakeBall,
                                         kActionKeeperHoldHighCatch,
                                         kActionKeeperHoldMiddleCatch,
                                         kActionKeeperHoldLowCatch,
                                         kActionKeeperLongMiddleHoldingDive,
                                         kActionKeeperLongLowHoldingDive,
                                         kActionKeeperLongHighHoldingDive,
                                         kActionKeeperShortLowHoldingDive,
                                         kActionKeeperShortMiddleHoldingDive,
                                         kActionKeeperShortHighHoldingDive};

bool KeeperStillCatching() {
    for (int team = 0; team < 2; ++team) {
        const int16_t keeper = MatchLineUp[team][0];
        if (!MatchOnPitch(keeper)) continue;
        for (uint16_t action : kCatchingActions) {
            if (MatchFigures[keeper].action == action) return true;
        }
    }
    return false;
}

// The keeper releases toward a point 70 yards out from the ball, upfield.
void FaceTheRelease(int16_t keeper, int team) {
    const int along = GoalYOf(team) > BallState.y ? 1 : -1;
    const int y = std::clamp(BallState.y + along * 70 * kDistanceUnit, int(kGoalLineLow), int(kGoalLineHigh));
    MatchFigure& k = MatchFigures[keeper];
    k.targetX = BallState.x;
    k.targetY = int16_t(y);
    k.facing = uint16_t(MatchDirectionTo(k.x, k.y, k.targetX, k.targetY) & 255);
}

void GoalKickPhase() {
    // Not started while a keeper is still taking the ball.
    if (WaitBounded(KeeperStillCatching(), "the keeper's catch")) return;
    if (Pause(kPhaseGoalKick, RestartTeam)) return;
    InfoBar(kInfoGoalKick, -1, int16_t(MatchClockMinute()));
    const int goalLine = BallState.y < kPitchHalfwayY ? kGoalLineLow : kGoalLineHigh;
    BallState.y = int16_t(goalLine + (goalLine == kGoalLineLow ? 96 : -96));
    BallState.x = BallState.x < kPitchCentreX ? kPostLeftX - 100 : kPostRightX + 100;
    Restarted(kPhaseTakeGoalKick);
    // The keeper fetches the ball and kicks it from where it was put: the
    // ball lies still there (its exact position too, or it would fly on
    // from where it went out).
    BallState.x16 = int32_t(BallState.x) * 65536;
    BallState.y16 = int32_t(BallState.y) * 65536;
    BallState.z = 0;
    BallState.z16 = 0;
    Ball_Stop();
    GoalKickX = BallState.x;
    GoalKickY = BallState.y;
    PhaseWaitTicks = 0;
    const int16_t keeper = MatchLineUp[RestartTeam & 1][0];
    if (MatchOnPitch(keeper)) Match_SetPlayerAction(keeper, kActionKeeperFetchGoalKick);
}

void CornerPhase() {
    if (Pause(kPhaseCorner, RestartTeam)) return;
    RefereeSignals(3);  // he points to the corner
    InfoBar(kInfoCorner, -1, int16_t(MatchClockMinute()));
    BallState.x =
        BallState.x < kPitchCentreX ? int16_t(PitchGeometry.left + 4) : int16_t(PitchGeometry.right - 4);
    BallState.y = BallState.y < kPitchHalfwayY ? int16_t(kGoalLineLow + 4) : int16_t(kGoalLineHigh - 4);
    // The ball lies still at the corner: with the speed it went out with it
    // would roll on beyond the touchline before the taker reached it.
    BallState.x16 = int32_t(BallState.x) * 65536;
    BallState.y16 = int32_t(BallState.y) * 65536;
    BallState.z = 0;
    BallState.z16 = 0;
    Ball_Stop();
    ++MatchTeamTotals[RestartTeam & 1][kTotalCorners];
    CornerX = BallState.x;
    CornerY = BallState.y;
    Match_StartCorner(RestartTeam);
    Restarted(kPhaseTakeCorner);
}

void KeeperHoldsPhase() {
    // Nothing happens while a keeper is still taking the ball.
    if (WaitBounded(KeeperStillCatching(), "the keeper's catch")) return;
    // The team defending the end where the ball is.
    const int team = BallState.y > kPitchHalfwayY ? (AttackDirection ^ 1) : AttackDirection;
    const int16_t keeper = MatchLineUp[team][0];
    // During the pause (once it is over it does not run again).
    if (PhaseTimer >= 0 && MatchOnPitch(keeper)) {
        const MatchFigure& k = MatchFigures[keeper];
        if (!MatchInDefendingArea(team, k.x, k.y)) {
            // Handling outside the area: a foul at the keeper's position.
            FoulTeam = int16_t(team);
            FouledPlayer = -1;
            FoulX = k.x;
            FoulY = k.y;
            Match_RaiseRefereeCall(kOfficialSendingOff, keeper);
            InfoBar(kInfoHandball, keeper, int16_t(MatchClockMinute()));
            PhaseTimer = 0;
            MatchPhase = kPhaseFoul;
            return;
        }
    }
    if (Pause(kPhaseKeeperHolds, team)) return;
    PhaseWaitTicks = 0;
    if (MatchOnPitch(keeper)) {
        Match_SetPlayerAction(keeper, kActionKeeperDistribute);
        FaceTheRelease(keeper, team);
    }
    Restarted(kPhaseKeeperReleases);
}

void PeriodOverPhase() {
    if (PhaseTimer == 0) PhaseTimer = Period == 4 ? 720 : 360;
    // Whoever is back in ordinary play walks off too.
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        const MatchFigure& f = MatchFigures[figure];
        // A dejected player finishes showing it first.
        if (f.off != 0 || !MatchInOrdinaryPlay(f.action) || f.action == kActionKeeperGestureMate) continue;
        Match_SetPlayerAction(figure, kActionToTunnel);
        MatchFigures[figure].actionParam = uint16_t(GameRandom() % 6);
    }
    if (--PhaseTimer > 0) return;
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        MatchFigure& f = MatchFigures[figure];
        if (f.off != 0) continue;
        f.x = f.formationX;
        f.y = f.formationY;
    }
    PhaseTimer = 0;
    MatchFinished = 1;
}

bool KeepersInPenaltyStance() {
    for (int team = 0; team < 2; ++team) {
        const int16_t keeper = MatchLineUp[team][0];
        if (MatchOnPitch(keeper) && MatchFigures[keeper].action != kActionKeeperReady) return false;
    }
    return true;
}

// Between two kicks of the shoot-out: the reactions to the kick just taken,
// then the keeper who faced it takes the ball back to the spot.
struct KickAftermath {
    int kick = -1;  // the count of kicks taken once this kick is over
    int goalsBefore = 0;
    int16_t taker = -1;
    int16_t takerHomeX = 0, takerHomeY = 0;  // where he waited for his turn
    bool reacted = false;
    bool returnStarted = false;
    bool done = false;
    bool celebrationDue = false;  // a scored kick, its scorer not yet celebrating with his team
};
KickAftermath aftermath;

bool FreeToWalkBack(int16_t figure) {
    return ValidPlayer(figure) && MatchOnPitch(figure) && MatchInOrdinaryPlay(MatchFigures[figure].action) &&
           MatchFigures[figure].action < kActionKeeperTakeBall;
}

// The first tick after the kick.  A keeper who conceded reacts while he
// stands waiting with nobody holding the ball; a keeper who holds it (caught
// after the kick was over) makes his gesture with it before his stance; a
// taker who neither scored nor was caught walks back to where he waited.
void ReactToTheKick(int16_t keeper) {
    MatchFigure& k = MatchFigures[keeper];
    const bool scored = ShootOutGoals[0] + ShootOutGoals[1] > aftermath.goalsBefore;
    if (BallState.holder == keeper + 1 && k.action != kActionCatchReaction) {
        Match_SetPlayerAction(keeper, kActionKeeperHoldGestureB);
    } else if (scored && BallState.holder == 0 && k.action == kActionKeeperReady) {
        Match_SetPlayerAction(keeper, kActionCatchReaction);
        k.actionParam = uint16_t(9 + GameRandom() % 3);
    }
    const int16_t taker = aftermath.taker;
    aftermath.celebrationDue = scored;
    if (!scored && FreeToWalkBack(taker)) {
        Match_SetPlayerAction(taker, kActionKeeperHoldWalk);
        MatchFigures[taker].targetX = aftermath.takerHomeX;
        MatchFigures[taker].targetY = aftermath.takerHomeY;
    }
}

// Once the scorer of the kick just taken is done with his first reaction
// and back in ordinary play, he celebrates and the team-mates near him run
// to him, as after a goal in play.  The next kick does not wait for it.
void CelebrateTheKick(int n) {
    if (!aftermath.celebrationDue || aftermath.kick != n) return;
    const int16_t scorer = aftermath.taker;
    if (!ValidPlayer(scorer) || !MatchOnPitch(scorer)) {
        aftermath.celebrationDue = false;
        return;
    }
    if (!MatchInOrdinaryPlay(MatchFigures[scorer].action)) return;
    aftermath.celebrationDue = false;
    Match_StartShootOutCelebration(scorer);
}

// True while the aftermath of the kick just taken holds the next one up.
bool AfterTheKick(int n) {
    if (n == 0 || aftermath.kick != n || aftermath.done) return false;
    const int16_t keeper = MatchLineUp[((n - 1) & 1) ^ 1][0];
    if (!MatchOnPitch(keeper)) {
        aftermath.done = true;
        return false;
    }
    if (!aftermath.reacted) {
        aftermath.reacted = true;
        ReactToTheKick(keeper);
    }
    const MatchFigure& k = MatchFigures[keeper];
    if (!aftermath.returnStarted) {
        // Once he stands ready again, with the ball loose or in his own hands.
        const bool ballFree = BallState.holder == 0 || BallState.holder == keeper + 1;
        if (WaitBounded(k.action != kActionKeeperReady || !ballFree, "the keeper's return of the ball"))
            return true;
        aftermath.returnStarted = true;
        if (k.action != kActionKeeperReady || !ballFree) {
            aftermath.done = true;
            return false;
        }
        Match_SetPlayerAction(keeper, kActionKeeperReturnBall);
        return true;
    }
    if (WaitBounded(k.action == kActionKeeperReturnBall, "the keeper's return of the ball")) return true;
    aftermath.done = true;
    return false;
}

void ShootoutPhase() {
    const int n = PenaltiesTaken;
    if (MatchShootoutOver(n, ShootOutGoals[0], ShootOutGoals[1])) {
        const int winner = ShootOutGoals[1] > ShootOutGoals[0] ? 1 : 0;
        MatchPhase = kPhasePeriodOver;
        PhaseTimer = 0;
        MatchSfx_PlayEvent(kSoundPeriodWon, int16_t(winner));
        MatchSfx_PlayEvent(kSoundLosersGroan, int16_t(winner ^ 1));
        for (int slot = 0; slot < 11; ++slot) {
            // The last scorer goes on with the celebration of his kick.
            const int16_t player = MatchLineUp[winner][slot];
            const bool celebrating =
                player == ShootOutScorer && MatchFigures[player].action == kActionCelebrate;
            // A taker still walking back or waiting after his miss joins in.
            const uint16_t action = MatchFigures[player].action;
            if (action == kActionKeeperHoldWalk || action == kActionWaitTurning)
                Match_SetPlayerAction(player, kActionStand);
            if (!celebrating) MatchStartCelebration(player);
            // One loser in three shows his dejection before he walks off
            // (once walking he would no longer take it up).
            const int16_t loser = MatchLineUp[winner ^ 1][slot];
            const bool dejected = GameRandom() % 3 == 0;
            if (dejected) MatchStartDejection(loser);
            if (!dejected || MatchFigures[loser].action != kActionKeeperGestureMate)
                Match_SetPlayerAction(loser, kActionWalkOff);
        }
        return;
    }
    CelebrateTheKick(n);
    if (AfterTheKick(n)) return;
    // The next kick once both keepers are back in their penalty stance (the
    // one who caught the last kick has let go of the ball).
    if (WaitBounded(!KeepersInPenaltyStance(), "the keepers' penalty stance")) return;
    CurrentTeam = uint8_t(n & 1);
    AttackDirection = uint8_t((n & 1) ^ 1);
    const int16_t taker = MatchShootoutTaker();
    aftermath = KickAftermath{};
    aftermath.kick = n + 1;
    aftermath.goalsBefore = ShootOutGoals[0] + ShootOutGoals[1];
    aftermath.taker = taker;
    if (ValidPlayer(taker)) {
        aftermath.takerHomeX = MatchFigures[taker].x;
        aftermath.takerHomeY = MatchFigures[taker].y;
    }
    // The keeper's touch ends a kick: one of an earlier kick does not.
    KeeperTouchedBall = 0;
    BallState.vx = BallState.vy = BallState.vz = 0;
    BallState.x = kPitchCentreX;
    BallState.y = PitchGeometry.penaltySpotLowY;
    // Nobody holds the ball on the spot: the keeper who caught the last kick
    // would otherwise keep it, and no kick could move it.
    BallState.holder = 0;
    BallState.controller = 0;
    KickOffTaker = int8_t(taker);
    Match_StartShootOutKick(taker);
    MatchPhase = kPhasePenalty;
    PhaseTimer = 0;
}

void WaitRefereePhase() {
    StoppageTime += 1 + (GameRandom() % 2);
    const bool booking = MatchClockStoppedByAction(kBookingActions[0], kBookingActions[1],
                                                   kActionThrowInFetch, kActionCornerFetch, kActionNetFetch,
                                                   kActionCarryToCentre, kActionFreeKickFetch);
    if (WaitBounded(RefereeAction != 0 || booking, "the referee's call")) return;
    RefereeAction = 0;
    MatchPhase = ResumePhase;
}

// The line-up before the first kick-off: both teams' eleven in a line
// beside the halfway line, each team on its own side, 100 in from the
// touchline; once all have stood in place for a while, the players are
// presented one by one (only in the run's first match with a line-up).
constexpr uint8_t kLineUpEvent = 10;
constexpr int kLineUpX = kDefaultPitch.left + 100;
constexpr int kLineUpStill = 15;
constexpr int kIntroSteps = 22;
constexpr int kIntroEvery = 40;
constexpr int kInPlace = 5;  // as near as a running player stops to his target
int lineUpStillTicks;
int introTicks;
// Ticks in a row in which no player ran to his place during the kick-off
// set-up.
constexpr int kKickOffStill = 15;
// The walk on from beside the pitch takes up to some 2000 ticks.
constexpr int kKickOffStillBound = 3000;
int kickOffStillTicks;
int kickOffWaitTicks;

int16_t LineUpY(int team, int slot) {
    const int away = 48 + 20 * slot;
    return int16_t(team == AttackDirection ? kPitchHalfwayY - away : kPitchHalfwayY + away);
}

// The event value of the introduction's step: the first team from its
// eleventh player down to its first, then the second from its first up.
int16_t IntroducedPlayer(int step) { return int16_t(step < 11 ? 10 - step : 16 + step - 11); }

// True while the line-up or the introduction runs.
bool LineUpAndIntroduction() {
    if (LineUpPending == 0 || Period != 0) return false;
    MatchEvent = kLineUpEvent;
    bool inPlace = true;
    for (int team = 0; team < 2; ++team) {
        for (int slot = 0; slot < 11; ++slot) {
            const int16_t figure = MatchLineUp[team][slot];
            if (!MatchOnPitch(figure)) continue;
            MatchFigure& f = MatchFigures[figure];
            f.targetX = kLineUpX;
            f.targetY = LineUpY(team, slot);
            if (MatchOctDistance(f.x - f.targetX, f.y - f.targetY) <= kInPlace) continue;
            inPlace = false;
            // Standing players walk on; so does the keeper from his stance.
            if (f.action == kActionStand || (slot == 0 && f.action == kActionKeeperReady))
                Match_SetPlayerAction(figure, kActionRunToPosition);
        }
    }
    if (!inPlace) {
        lineUpStillTicks = 0;
        if (WaitBounded(true, "the line-up")) return true;
        // Those still walking are put in their places.
        for (int team = 0; team < 2; ++team) {
            for (int slot = 0; slot < 11; ++slot) {
                MatchFigure& f = MatchFigures[MatchLineUp[team][slot]];
                f.x = f.targetX;
                f.y = f.targetY;
                f.x16 = int32_t(f.x) * 65536;
                f.y16 = int32_t(f.y) * 65536;
            }
        }
    }
    PhaseWaitTicks = 0;
    if (++lineUpStillTicks < kLineUpStill) return true;
    if (IntroStep < kIntroSteps) {
        if (++introTicks >= kIntroEvery) {
            introTicks = 0;
            IntroPlayer = IntroducedPlayer(IntroStep);
            ++IntroStep;
        }
        return true;
    }
    IntroPlayer = -1;
    lineUpStillTicks = 0;
    introTicks = 0;
    LineUpPending = 0;
    return false;
}

// True once no player has run to his place for kKickOffStill ticks in a
// row, or the wait has lasted its bound.
bool KickOffPlayersStill() {
    if (kickOffStillTicks >= kKickOffStill) return true;
    if (RunningCount != 0) {
        kickOffStillTicks = 0;
    } else {
        ++kickOffStillTicks;
    }
    if (++kickOffWaitTicks < kKickOffStillBound) return kickOffStillTicks >= kKickOffStill;
    std::printf(
        "MatchPhaseTick(): Warning: the players still not in their places after %d ticks; play goes on\n",
        kKickOffStillBound);
    kickOffStillTicks = kKickOffStill;
    return true;
}

void KickOffSetUpPhase() {
    FormationOffset[0] = int16_t(GameRandom() % 60);
    FormationOffset[1] = int16_t(GameRandom() % 60);
    if (LineUpAndIntroduction()) return;
    // The set-up's countdown runs out first.
    if (KickOffWaitCount > 0) {
        --KickOffWaitCount;
        kickOffStillTicks = kickOffWaitTicks = 0;
        return;
    }
    // Everybody in his own half first: targets beyond halfway move back.
    bool waiting = false;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (!MatchOnPitch(figure)) continue;
        MatchFigure& f = MatchFigures[figure];
        const bool attacksHighY = Team(figure) == AttackDirection;
        if (attacksHighY && f.targetY > kPitchHalfwayY + 20) {
            f.targetY = int16_t(f.targetY - 32);
            waiting = true;
        } else if (!attacksHighY && f.targetY < kPitchHalfwayY - 20) {
            f.targetY = int16_t(f.targetY + 32);
            waiting = true;
        }
    }
    if (WaitBounded(waiting, "the kick-off line-up")) return;
    // At the start of a period the set-up then waits until nobody has run
    // to his place for a while: meanwhile the players stand in their places.
    // The wait is bounded, as a player whose place keeps moving may never
    // quite get there.
    if (MatchPhase == kPhaseKickOffSetUp && !KickOffPlayersStill()) return;
    if (Match_BringBallToCentre(KickOffTeam) && WaitBounded(true, "the ball at the centre spot")) return;
    Match_StopBringingTheBall();
    BallState.controller = 0;
    LineUpPending = 0;
    CurrentTeam = KickOffTeam;
    BallTeam = KickOffTeam;
    MatchEvent = kOrdinaryPlay;
    // The kick-off pair: the outfield players whose places are nearest the centre spot.
    int best = 32767, second = 32767;
    KickOffTaker = KickOffPartner = -1;
    for (int slot = 1; slot <= 10; ++slot) {
        const int16_t figure = MatchLineUp[KickOffTeam & 1][slot];
        if (!MatchOnPitch(figure)) continue;
        const MatchFigure& f = MatchFigures[figure];
        const int d = MatchOctDistance(f.formationX - kPitchCentreX, f.formationY - kPitchHalfwayY);
        if (d < best) {
            second = best;
            KickOffPartner = KickOffTaker;
            best = d;
            KickOffTaker = int8_t(figure);
        } else if (d < second) {
            second = d;
            KickOffPartner = int8_t(figure);
        }
    }
    Ball_PlaceOnCentreSpot();
    // The taker walks to his place beside the centre spot, the partner to
    // the other side, and they take the kick-off.
    KickOffTicks = 0;
    KickOffWaitCount = 0;
    Match_SetPlayerAction(KickOffTaker, kActionKickOffWalk);
    Match_SetPlayerAction(KickOffPartner, kActionKickOffPartner);
    kickOffStillTicks = kickOffWaitTicks = 0;
    MatchPhase = kPhaseKickOffPositions;
}

void KickOffWhistlePhase() {
    if (PhaseTimer == -1) return;
    if (KickOffTaker >= 0 && MatchFigures[KickOffTaker].action >= kFirstLongAction) return;
    if (PhaseTimer == 0) PhaseTimer = 31;
    if (--PhaseTimer > 0) return;
    MatchSfx_PlayEvent(kSoundWhistle, -1);
    MatchClearOffsideFlags();
    MatchClockRunning = 1;
    PhaseTimer = -1;
    // The taker starts the kick-off: he stands over the ball at the centre
    // spot, and his partner may play it to him.
    if (KickOffTaker >= 0 && MatchOnPitch(KickOffTaker))
        Match_SetPlayerAction(KickOffTaker, kActionOverTheBall);
    if (KickOffTicks < kPartnerGoTicks) KickOffTicks = kPartnerGoTicks;
}

// Who a goal is credited to: the last toucher, but the scoring side's last
// attacker when the ball went in off the conceding keeper, or off a defender
// after that attacker's shot (his own goal otherwise).
int16_t GoalCreditedTo(int scoring) {
    const int16_t toucher = LastToucher;
    if (!ValidPlayer(toucher) || Team(toucher) == scoring) return toucher;
    const int16_t attacker = TeamLastToucher[scoring];
    if (!ValidPlayer(attacker) || Team(attacker) != scoring) return toucher;
    if (toucher == MatchLineUp[scoring ^ 1][0]) return attacker;
    return LastShooter == uint8_t(attacker) ? attacker : toucher;
}

// His own strike went in untouched: a header, a volley, or a shot from
// outside the area counts as one.
void CountGoalKind(MatchFigure& scorer, int16_t figure, int scoring) {
    const ScoringStrike& strike = LastScoringStrike;
    if (strike.figure != figure) return;
    if (strike.kind == kShotHeaded) ++scorer.counts[kCountHeaderGoals];
    if (strike.kind == kShotVolleyed) ++scorer.counts[kCountVolleyGoals];
    if (strike.kind != kShotHeaded && !MatchInDefendingArea(scoring ^ 1, strike.x, strike.y) &&
        scorer.longShotGoals < 255) {
        ++scorer.longShotGoals;
    }
}

void GoalPhase() {
    // After the signal he takes up his place for the kick-off: the saved
    // action may still be the one of the last period's final whistle.
    RefereeSignals(1);
    if (Period == 4) {
        MatchStartCelebration(KickOffTaker);
        MatchPhase = kPhaseShootOutControl;
        return;
    }
    const int scoring = BallState.y > kPitchHalfwayY ? AttackDirection : (AttackDirection ^ 1);
    ++Goals[scoring];
    Tactics_UpdateComputerTeams();
    GoalScorer = -1;
    const int16_t keeper = MatchLineUp[scoring ^ 1][0];
    if (ValidPlayer(keeper)) ++MatchFigures[keeper].counts[kCountGoalsConceded];
    const int16_t toucher = GoalCreditedTo(scoring);
    if (toucher >= 0 && toucher < kPlayerFigures && Team(toucher) != scoring) {
        ++MatchFigures[toucher].ownGoals;
        InfoBar(kInfoOwnGoal, toucher, int16_t(MatchClockMinute()));
        MatchRecordEvent(kEventOwnGoal, int16_t(Team(toucher)), toucher, 0);
        Match_CreditSetPieceGoal(-1);
    } else if (toucher >= 0 && toucher < kPlayerFigures) {
        MatchFigure& scorer = MatchFigures[toucher];
        ++scorer.goals;
        if (toucher == LastToucher) CountGoalKind(scorer, toucher, scoring);
        GoalScorer = toucher;
        InfoBar(kInfoGoal, toucher, int16_t(MatchClockMinute()));
        MatchRecordEvent(kEventGoal, int16_t(scoring), toucher, 0);
        Match_CreditSetPieceGoal(toucher);
        const uint16_t passer = PendingPass[0].passer;
        if (passer < kPlayerFigures && passer != uint16_t(toucher) && Team(passer) == scoring) {
            ++MatchFigures[passer].assists;
        }
    }
    MatchPhase = kPhaseAfterGoal;
    GoalReplayCountdown = 100;
    ShotTimer = kGoalShotTicks;
    PhaseTimer = 0;
}

// The scorer's celebration waits until he is back in ordinary play.
bool celebrationDue;

void AfterGoalPhase() {
    if (PhaseTimer == 0) {
        PhaseTimer = 500;
        celebrationDue = GoalScorer >= 0;
    }
    if (celebrationDue && MatchInOrdinaryPlay(MatchFigures[GoalScorer].action)) {
        celebrationDue = false;
        Match_StartGoalCelebration(Team(GoalScorer), GoalScorer);
    }
    if (--PhaseTimer > 0 && (celebrationDue || CelebrationSwitch != 0 || MatchCountBusyPlayers() > 0)) return;
    celebrationDue = false;
    CelebrationSwitch = 0;
    CameraSubject = kBallFigure;
    MatchResetAllPlayers();
    MatchSfx_PlayEvent(kSoundAfterCelebration, -1);
    PhaseTimer = 0;
    MatchPhase = kPhaseBackToKickOff;
}

// The team whose net it is kicks off; its keeper picks the ball out of the
// net and throws it out, which starts the kick-off set-up.  A keeper who
// never gets there holds it up for a bounded time only.
void BackToTheKickOff() {
    if (PhaseTimer == 0) {
        PhaseTimer = 1;
        KickOffTeam = uint8_t(BallState.y > kPitchHalfwayY ? AttackDirection ^ 1 : AttackDirection);
        MatchOfferTeamMenus();
        if (Match_StartNetFetch(KickOffTeam)) return;
    } else if (++PhaseTimer < kWaitTicksBound) {
        return;
    } else {
        std::printf(
            "MatchPhaseTick(): Warning: the ball still not out of the net after %d ticks; play goes on\n",
            int(kWaitTicksBound));
        Ball_PlaceOnCentreSpot();
    }
    PhaseTimer = 0;
    MatchPhase = kPhaseKickOffSetUpAfterGoal;
}

// A restart nobody took within the stall bound: play goes on where the ball
// lies, with the team awarded the restart in possession.
void GiveUpOnTheTaker(int team) {
    PhaseTimer = 0;
    Ball_Stop();
    BallState.holder = BallState.controller = 0;
    BallTeam = uint8_t(team & 1);
    MatchResetAllPlayers();
    MatchPhase = kPhaseOpenPlay;
}

// The keeper takes his team's goal kick or release himself; his actions put
// the ball back into play.  Called away to stand or run (a reset of the
// players), he takes it up again; a restart nobody takes within the stall
// bound is given up.
constexpr uint16_t kKeeperFreeActions[] = {kActionStand, kActionRunToPosition, kActionThink,
                                           kActionKeeperReady};

void KeeperTakesRestart(int team, uint16_t start, const char* what) {
    const int16_t keeper = MatchLineUp[team & 1][0];
    if (MatchOnPitch(keeper)) {
        for (uint16_t action : kKeeperFreeActions) {
            if (MatchFigures[keeper].action != action) continue;
            Match_SetPlayerAction(keeper, start);
            break;
        }
    }
    if (Match_RestartStalled(RestartWaitTicks, what)) GiveUpOnTheTaker(team);
}

// Free kicks and penalties: the aim is set and the taker sent on the
// first tick; the taker's actions restart play.
void SetPiecePhase() {
    if (MatchPhase == kPhasePenalty) ++StoppageTime;
    const int team = Period == 4 ? (CurrentTeam & 1) : (BallTeam & 1);
    if (PhaseTimer == 0) {
        PhaseTimer = 1;
        RestartWaitTicks = 0;
        if (MatchPhase == kPhaseFreeKick) {
            const int goalY = GoalYOf(team);
            int aimY = BallState.y + (goalY > BallState.y ? 30 : -30) * kDistanceUnit;
            if (aimY < kGoalLineLow) aimY = kGoalLineLow;
            if (aimY > kGoalLineHigh) aimY = kGoalLineHigh;
            SetAim(kPitchCentreX, int16_t(aimY));
        } else if (MatchPhase == kPhasePenalty) {
            SetAim(kPitchCentreX, BallState.y > kPitchHalfwayY ? kGoalLineHigh : kGoalLineLow);
        } else {
            SetAim(kPitchCentreX, int16_t(GoalYOf(team)));
        }
        // The second free-kick phase is entered by its taker, already at
        // the ball.
        if (Period != 4 && MatchPhase != kPhaseFreeKickSecond) Match_StartSetPiece(team, MatchPhase);
        return;
    }
    Match_KeepRestartTaker(MatchPhase, team);
    if (Match_RestartStalled(RestartWaitTicks, "the free kick")) GiveUpOnTheTaker(team);
}

void NewOffsets() {
    FormationOffset[0] = int16_t(GameRandom() % 60);
    FormationOffset[1] = int16_t(GameRandom() % 60);
}

void OpenPlayPhase() { MatchEvent = kOrdinaryPlay; }

void BackToKickOffPhase() {
    NewOffsets();
    BackToTheKickOff();
}

void KeeperReleasesPhase() {
    NewOffsets();
    const int team = BallState.y > kPitchHalfwayY ? (AttackDirection ^ 1) : AttackDirection;
    KeeperTakesRestart(team, kActionKeeperDistribute, "the keeper's release");
}

void TakeGoalKickPhase() { KeeperTakesRestart(RestartTeam, kActionKeeperFetchGoalKick, "the goal kick"); }

void TakeThrowInOrCornerPhase() {
    Match_KeepRestartTaker(MatchPhase, RestartTeam);
    if (Match_RestartStalled(RestartWaitTicks, "the restart")) GiveUpOnTheTaker(RestartTeam);
}

void NoPhase() {}

struct PhaseHandlerEntry {
    uint16_t code;
    MatchPhaseHandler handler;
};

// One handler per phase code, in code order.
constexpr PhaseHandlerEntry kPhaseHandlers[] = {
    {kPhaseOpenPlay, OpenPlayPhase},
    {kPhaseFoul, FoulPhase},
    {kPhaseOffside, OffsidePhase},
    {kPhaseThrowIn, ThrowInPhase},
    {kPhaseGoalKick, GoalKickPhase},
    {kPhaseCorner, CornerPhase},
    {kPhaseTakeThrowIn, TakeThrowInOrCornerPhase},
    {kPhaseTakeGoalKick, TakeGoalKickPhase},
    {kPhaseTakeCorner, TakeThrowInOrCornerPhase},
    {kPhaseGoal, GoalPhase},
    {kPhaseBackToKickOff, BackToKickOffPhase},
    {kPhaseKickOffWhistle, KickOffWhistlePhase},
    {kPhaseKeeperHolds, KeeperHoldsPhase},
    {kPhaseKeeperReleases, KeeperReleasesPhase},
    {kPhasePeriodOver, PeriodOverPhase},
    {kPhaseSubstitution, SubstitutionPhase},
    {kPhaseUnusedA, NoPhase},
    {kPhaseFreeKick, SetPiecePhase},
    {kPhaseFreeKickAtGoal, SetPiecePhase},
    {kPhasePenalty, SetPiecePhase},
    {kPhaseShootOutControl, ShootoutPhase},
    {kPhaseFreeKickSecond, SetPiecePhase},
    {kPhaseWaitReferee, WaitRefereePhase},
    {kPhaseUnusedB, NoPhase},
    {kPhaseUnusedC, NoPhase},
    {kPhaseKickOffSetUp, KickOffSetUpPhase},
    {kPhaseUnusedD, NoPhase},
    {kPhaseKickOffSetUpAfterGoal, KickOffSetUpPhase},
    {kPhaseAfterGoal, AfterGoalPhase},
    {kPhaseKickOffPositions, NewOffsets},
};

constexpr bool EveryPhaseOnceInOrder() {
    for (std::size_t i = 0; i < std::size(kPhaseHandlers); ++i) {
        if (kPhaseHandlers[i].code != i) return false;
    }
    return std::size(kPhaseHandlers) == kMatchPhaseCount;
}
static_assert(EveryPhaseOnceInOrder(), "the phase table must list every phase code once, in order");

void ManagerKeys() {
    const bool human0 = MatchTeamHuman(&GameInfo, 0);
    const bool human1 = MatchTeamHuman(&GameInfo, 1);
    if (!human0 && !human1) return;
    const bool f1 = MatchHooks.keyIsDown != nullptr && MatchHooks.keyIsDown(kKeyF1);
    const bool f12 = MatchHooks.keyIsDown != nullptr && MatchHooks.keyIsDown(kKeyF12);
    if (!f1 && !f12) {
        latchF1F12 = false;
        return;
    }
    if (latchF1F12) return;
    latchF1F12 = true;
    const bool practice = GameInfo.TeamI16(0, kTeamClub) == GameInfo.TeamI16(1, kTeamClub);
    const int f1Team = practice || human0 ? 0 : 1;
    const int team = f1 ? f1Team : (practice ? 1 : f1Team ^ 1);
    ChangePendingRequest(team);
    MatchSfx_PlayEvent(kSoundTeamMenuToggle, -1);
}

}  // namespace

MatchPhaseHandler MatchPhaseHandlerOf(uint16_t phase) {
    if (phase >= kMatchPhaseCount)
        FatalError("MatchPhaseTick(): match phase %u is outside the phase table\n", unsigned(phase));
    return kPhaseHandlers[phase].handler;
}

bool MatchShootoutOver(int n, int s0, int s1) {
    if (n == 10 && s0 != s1) return true;
    if (n > 10 && n % 2 == 0 && s0 != s1) return true;
    if (n < 10 && s0 - s1 > 5 - n / 2) return true;
    if (n < 10 && s1 - s0 > 5 - (n + 1) / 2) return true;
    return false;
}

bool MatchInDefendingArea(int team, int x, int y) {
    if (x < kAreaLeftX || x > kAreaRightX) return false;
    // A team defends the low end when it attacks toward high y.
    return team == AttackDirection ? y <= kAreaLowY : y >= kAreaHighY;
}

int16_t MatchRestartPause(uint16_t phase, bool behind) {
    int16_t pause = 60;
    if (phase == kPhaseFoul) pause = 30;
    if (phase == kPhaseThrowIn || phase == kPhaseCorner) pause = 90;
    if (phase == kPhaseKeeperHolds) return behind ? 7 : pause;
    if (behind && (phase == kPhaseFoul || phase == kPhaseOffside || phase == kPhaseThrowIn)) {
        pause = int16_t(pause / (1 + GameRandom() % 4));
    }
    return pause;
}

void ChangePendingRequest(int team) { ChangePending[team & 1] ^= 1; }

void MatchOfferTeamMenus() {
    for (int team = 0; team < 2; ++team) {
        if (MatchTeamHuman(&GameInfo, team)) {
            if (ChangePending[team] == 0) continue;
            if (MatchHooks.igMenuRequest6 != nullptr) MatchHooks.igMenuRequest6(int16_t(team));
            TeamMomentum[team] = int16_t(TeamMomentum[team] + 4);
            TeamMomentum[team ^ 1] = int16_t(TeamMomentum[team ^ 1] > 8 ? TeamMomentum[team ^ 1] - 8 : 0);
            ChangePending[team] = 0;
            ++StoppageMenuCount[team];
            continue;
        }
        if (MatchOnPitch(MatchLineUp[team][0])) continue;
        int best = -1, bestSkill = -1;
        for (int slot = 1; slot <= 10; ++slot) {
            const int16_t figure = MatchLineUp[team][slot];
            if (MatchOnPitch(figure) && MatchFigures[figure].keeping > bestSkill) {
                bestSkill = MatchFigures[figure].keeping;
                best = slot;
            }
        }
        if (best > 0) std::swap(MatchLineUp[team][0], MatchLineUp[team][best]);
    }
}

void MatchStartSubstitution(int16_t team) {
    if (team < 0 || team > 1 || MatchPhase == kPhaseSubstitution) return;
    if (Match_SubstitutionsMade(team) >= MatchSubstitutionsAllowed(&GameInfo) || ChangePending[team] != 0)
        return;
    // The computer manager's request, left by its substitution decision.
    const int16_t leaving = SubstitutionRequest[team][0];
    if (leaving == kNoSubstitutionRequest || leaving / kTeamFigures != team) return;
    SubstitutionRequest[team][0] = kNoSubstitutionRequest;
    TeamStoppageRequest[team] = 0;
    if (Match_PickSetPieceTaker(team, leaving) < 0) return;
    MatchFigures[leaving].officialWord = MatchFigures[leaving].action;
    Match_SetPlayerAction(leaving, kActionSubstitutedOff);
    InfoBar(kInfoSubstitution, leaving, int16_t(MatchClockMinute()));
    ResumePhase = MatchPhase;
    TeamMomentum[team] = int16_t(TeamMomentum[team] + 4);
    TeamMomentum[team ^ 1] = int16_t(TeamMomentum[team ^ 1] > 8 ? TeamMomentum[team ^ 1] - 8 : 0);
    MatchPhase = kPhaseSubstitution;
}

void MatchPlaceRestartPlayers(int16_t count, const int16_t* figures, const int16_t* x, const int16_t* y) {
    for (int i = 0; i < count && i < 3; ++i) {
        const int16_t figure = figures[i];
        if (figure < 0 || figure >= kPlayerFigures) continue;
        // He runs to his place and waits there facing the ball.
        Match_SetPlayerAction(figure, kActionRestartPlace);
        MatchFigure& f = MatchFigures[figure];
        f.targetX = x[i];
        f.targetY = y[i];
        f.turnTarget = uint16_t(MatchDirectionTo(x[i], y[i], BallState.x, BallState.y) & 255);
    }
}

void MatchPhaseTick() {
    // A wait's count belongs to the phase that waits: a phase left while it
    // waited (a foul during a wait for the referee) starts the next one anew.
    static uint16_t waitingPhase;
    if (MatchPhase != waitingPhase) {
        PhaseWaitTicks = 0;
        waitingPhase = MatchPhase;
    }
    Match_WatchSetPieceShot();
    MatchPhaseHandlerOf(MatchPhase)();
    // The shoot-out's goal reaction lasts while its countdowns run.
    for (int16_t& decision : ShootOutDecision) {
        if (decision > 0) --decision;
    }
    if (GoalReplayCountdown > 0 && --GoalReplayCountdown == 0) {
        Replay_SaveGoal();
    }
    ManagerKeys();
}
