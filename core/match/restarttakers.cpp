// Who takes a restart and how he starts: the phases call these once a
// restart is set up; the takers' own actions carry it out from there.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <span>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "core/match/replay.h"
#include "core/match/setpiececommon.h"
#include "core/match/setpieces.h"

using namespace setpiece;

uint16_t RestartStallCount;
int16_t RestartWaitTicks;
bool FreeKickForOffside;

namespace {

constexpr uint8_t kPeriodShootOut = 4;
constexpr int kFreeKickTakerRange = 50 * 16;
constexpr int kJoinDistance = 480;
constexpr int kTenYards = 10 * 16;

bool OnPitch(int16_t figure) { return IsPlayer(figure) && MatchOnPitch(figure); }

// The team's outfield player on the pitch nearest the point, measured from
// where he stands or from his formation place; with `given`, only one free
// to take a task and not yet given one.
int16_t NearestOfTeam(int team, int x, int y, bool byFormation, const bool* given = nullptr) {
    int16_t found = -1;
    int best = 32767;
    for (int slot = 1; slot < kTeamFigures; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (!OnPitch(figure)) continue;
        if (given != nullptr && (given[figure] || MatchPlayerCanAct(figure) == 0)) continue;
        const MatchFigure& f = MatchFigures[figure];
        const int d = byFormation ? MatchOctDistance(f.formationX - x, f.formationY - y)
                                  : MatchOctDistance(f.x - x, f.y - y);
        if (d < best) {
            best = d;
            found = figure;
        }
    }
    return found;
}

int16_t NearestOutfield(int team, int x, int y, const bool* given = nullptr) {
    return NearestOfTeam(team, x, y, false, given);
}

int16_t FirstOfSlots(int team, int from, int to) {
    for (int slot = from; slot <= to; ++slot) {
        if (OnPitch(MatchLineUp[team][slot])) return MatchLineUp[team][slot];
    }
    return NearestOutfield(team, BallState.x, BallState.y);
}

void StartTaker(int16_t taker, uint16_t action) {
    if (!IsPlayer(taker)) return;
    RestartReceiver = -1;
    RestartSearchIndex = -1;
    RestartTakerTimer = 0;
    FreeKickWaitCount = 0;
    PenaltyPlaceWait = 0;
    Marker().frame = -1;
    Match_SetPlayerAction(taker, action);
}

// The thrower is the first of the team's first four slots on the pitch,
// else the fifth.  Slot 0 is the goalkeeper's, and a keeper who ran to the
// touchline for every throw would leave his goal empty: he is passed over.
// A fifth slot whose player is gone (sent off) leaves the throw to the
// outfield player nearest it, so that the throw is still taken.
int16_t ThrowInTaker(int team) {
    for (int slot = 1; slot <= 3; ++slot) {
        if (OnPitch(MatchLineUp[team][slot])) return MatchLineUp[team][slot];
    }
    const int16_t fifth = MatchLineUp[team][4];
    return OnPitch(fifth) ? fifth : NearestOutfield(team, ThrowInX, ThrowInY);
}

}  // namespace

int16_t Match_StartThrowIn(int team) {
    const int16_t thrower = ThrowInTaker(team & 1);
    StartTaker(thrower, kActionThrowInFetch);
    return IsPlayer(thrower) ? thrower : int16_t(-1);
}

namespace {

// The places of the throw-in pairs, in pitch units from the throw-in spot:
// in from the touchline, and along it toward the goal the throwers attack.
struct PairPlace {
    int16_t inward, upfield;
};
constexpr PairPlace kPairPlaces[kThrowInPairs] = {{12 * 16, 0}, {10 * 16, 12 * 16}, {10 * 16, -12 * 16}};
constexpr int kPairChanceInTen[kThrowInPairs] = {10, 8, 4};
// The marker stands this far goal-side of his man.
constexpr int kMarkerGoalSide = 2 * 16;

}  // namespace

void Match_PlaceThrowInPairs(int team, int16_t thrower) {
    team &= 1;
    bool given[kPlayerFigures] = {};
    if (IsPlayer(thrower)) given[thrower] = true;
    const int inward = ThrowInX < kPitchCentreX ? 1 : -1;
    const int upfield = AttackedGoalY(team) > ThrowInY ? 1 : -1;
    int16_t figures[2][kThrowInPairs], x[2][kThrowInPairs], y[2][kThrowInPairs];
    int16_t pairs = 0;
    for (int pair = 0; pair < kThrowInPairs; ++pair) {
        if (pair > 0 && GameRandom() % 10 >= kPairChanceInTen[pair]) continue;
        const PairPlace place = kPairPlaces[pair];
        const int px = ThrowInX + inward * place.inward;
        const int py = std::clamp(ThrowInY + upfield * place.upfield, kGoalLineLow + 16, kGoalLineHigh - 16);
        const int16_t man = NearestOutfield(team, px, py, given);
        const int16_t marker = NearestOutfield(team ^ 1, px, py, given);
        if (!IsPlayer(man) || !IsPlayer(marker)) continue;
        given[man] = given[marker] = true;
        figures[0][pairs] = man;
        figures[1][pairs] = marker;
        x[0][pairs] = x[1][pairs] = int16_t(px);
        y[0][pairs] = int16_t(py);
        y[1][pairs] =
            int16_t(std::clamp(py + upfield * kMarkerGoalSide, kGoalLineLow + 16, kGoalLineHigh - 16));
        ++pairs;
    }
    for (int side = 0; side < 2; ++side) MatchPlaceRestartPlayers(pairs, figures[side], x[side], y[side]);
}

void Match_StartCorner(int team) {
    int16_t taker = CornerTakerFigure[team & 1];
    if (!OnPitch(taker) || TeamOf(taker) != (team & 1)) taker = NearestOutfield(team & 1, CornerX, CornerY);
    CurrentTeam = uint8_t((team & 1) ^ 1);
    MatchCornerMarkers(int16_t((team & 1) ^ 1));
    CurrentTeam = uint8_t(team & 1);
    StartTaker(taker, kActionCornerFetch);
}

namespace {

void SendSetPieceTaker(int team, uint16_t phase) {
    int16_t taker = -1;
    // A taker lost from a pass free kick is replaced by one who carries the
    // ball to the spot and passes: the fetch belongs to the first phase.
    const bool pass = phase == kPhaseFreeKickSecond;
    if (pass) phase = kPhaseFreeKick;
    if (phase == kPhaseFreeKick && FreeKickForOffside) {
        taker = Match_NearestByFormation(team, FoulX, FoulY);
    } else if (phase == kPhasePenalty) {
        taker = PenaltyTakerFigure[team];
        if (!OnPitch(taker) || TeamOf(taker) != team) taker = FirstOfSlots(team, 1, 4);
    } else if (phase == kPhaseFreeKick) {
        const int toGoal = MatchOctDistance(kPitchCentreX - FoulX, AttackedGoalY(team) - FoulY);
        taker = FreeKickTakerFigure[team];
        if (toGoal > kFreeKickTakerRange || !OnPitch(taker) || TeamOf(taker) != team)
            taker = NearestOutfield(team, FoulX, FoulY);
        if (taker == FouledPlayer) taker = FirstOfSlots(team, 1, 4);
    } else {
        taker = FreeKickTakerFigure[team];
        if (!OnPitch(taker) || TeamOf(taker) != team) taker = FirstOfSlots(team, 1, 4);
    }
    StartTaker(taker, pass ? kActionFreeKickPasser : kActionFreeKickFetch);
}

bool TakerAtWork(std::initializer_list<uint16_t> actions) {
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (!OnPitch(figure)) continue;
        for (uint16_t action : actions) {
            if (MatchFigures[figure].action == action) return true;
        }
    }
    return false;
}

// The other side's outfield players standing within ten yards of a free
// kick, and free to move, retreat toward their own goal.
void SendBackFromTheKick(int team) {
    for (int slot = 1; slot < kTeamFigures; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (!OnPitch(figure) || MatchPlayerCanAct(figure) == 0) continue;
        const MatchFigure& f = MatchFigures[figure];
        if (MatchOctDistance(f.x - FoulX, f.y - FoulY) >= kTenYards) continue;
        Match_SetPlayerAction(figure, kActionRetreat);
    }
}

}  // namespace

int16_t Match_NearestByFormation(int team, int16_t x, int16_t y) {
    return NearestOfTeam(team & 1, x, y, true);
}

void Match_StartSetPiece(int team, uint16_t phase) {
    // An offside free kick is taken where the offside player stood, which the
    // offside set; the ball may still be on its way there.
    if (phase != kPhaseFreeKick || !FreeKickForOffside) {
        FoulX = BallState.x;
        FoulY = BallState.y;
    }
    // The other side lines up any wall: after an offside no foul has named
    // it, and the last foul's side may be either, or of another match.
    FoulTeam = int16_t((team & 1) ^ 1);
    SendSetPieceTaker(team & 1, phase);
    if (phase != kPhasePenalty) SendBackFromTheKick(FoulTeam);
}

void Match_KeepRestartTaker(uint16_t phase, int team) {
    team &= 1;
    switch (phase) {
        case kPhaseTakeThrowIn:
            if (!TakerAtWork({kActionThrowInFetch, kActionThrowInChoose, kActionLongThrowRunUp,
                              kActionShortThrowRunUp, kActionLongThrow, kActionShortThrow}))
                Match_StartThrowIn(team);
            break;
        case kPhaseTakeCorner:
            if (!TakerAtWork({22, 20, 45, 67, 68, 36})) Match_StartCorner(team);
            break;
        case kPhaseFreeKick:
        case kPhaseFreeKickAtGoal:
        case kPhaseFreeKickSecond:
        case kPhasePenalty:
            if (TakerAtWork({kActionFreeKickFetch, kActionFreeKickPlace, kActionFreeKickPasser,
                             kActionFreeKickShotRunUp, kActionFreeKickPassRunUp, kActionFreeKickShot,
                             kActionFreeKickPass, kActionPenaltyPlace, kActionPenaltyRunUp,
                             kActionPenaltyKick}))
                break;
            if (Period == kPeriodShootOut) {
                StartTaker(KickOffTaker, kActionFreeKickFetch);
            } else {
                SendSetPieceTaker(team, phase);
            }
            break;
        default:
            break;
    }
}

void Match_StartShootOutKick(int16_t taker) {
    FoulX = BallState.x;
    FoulY = BallState.y;
    StartTaker(taker, kActionFreeKickFetch);
}

bool Match_StartNetFetch(int concedingTeam) {
    const bool inNet = BallState.y < kGoalLineLow || BallState.y > kGoalLineHigh;
    if (!inNet) return false;
    // Whoever of the team stands nearest the net, the keeper included.
    const int team = concedingTeam & 1;
    int16_t fetcher = NearestOutfield(team, BallState.x, BallState.y);
    const int16_t keeper = MatchLineUp[team][0];
    if (OnPitch(keeper)) {
        const MatchFigure& k = MatchFigures[keeper];
        const bool keeperNearer =
            !IsPlayer(fetcher) || MatchOctDistance(k.x - BallState.x, k.y - BallState.y) <=
                                      MatchOctDistance(MatchFigures[fetcher].x - BallState.x,
                                                       MatchFigures[fetcher].y - BallState.y);
        if (keeperNearer) fetcher = keeper;
    }
    if (!IsPlayer(fetcher)) return false;
    StartTaker(fetcher, kActionNetFetch);
    return true;
}

bool Match_BringBallToCentre(int team) {
    if (BallState.x == kPitchCentreX && BallState.y == kPitchHalfwayY) return false;
    team &= 1;
    for (int slot = 1; slot < kTeamFigures; ++slot) {
        if (MatchFigures[MatchLineUp[team][slot]].action == kActionCarryToCentre) return true;
    }
    const int16_t carrier = NearestOutfield(team, BallState.x + BallState.vx / kBallPredictDivisors[2],
                                            BallState.y + BallState.vy / kBallPredictDivisors[2]);
    if (!IsPlayer(carrier)) return false;
    StartTaker(carrier, kActionCarryToCentre);
    MatchFigure& c = MatchFigures[carrier];
    c.targetX = c.formationX;
    c.targetY = c.formationY;
    return true;
}

void Match_StopBringingTheBall() {
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (MatchFigures[figure].action == kActionCarryToCentre) Match_SetPlayerAction(figure, kActionStand);
    }
}

namespace {

// The scorer's celebration stage, drawn among those of the kind the score
// calls for.  Levelled: a run of his own, to a corner, a quarter point or
// the touchline; one ahead: to the goal line with the team; further ahead
// (or still behind): he stays where he is and the team comes to him.
// The stages the team-mates of a shoot-out scorer play (9, 10, 11, 13) are
// theirs.
constexpr uint16_t kLevelledStages[] = {kStageQuarterRunA, kStageCornerRunA, kStageCornerRunB,
                                        kStageQuarterRunD, kStageTouchline};
constexpr uint16_t kOneAheadStages[] = {kStageGoalLine};
constexpr uint16_t kFurtherStages[] = {kStageHug,        kStageOnTheSpotA, kStageOnTheSpotB,
                                       kStageOnTheSpotC, kStageOnTheSpotD, kStageTeamOnTheSpot};

uint16_t DrawStage(std::span<const uint16_t> stages) {
    if (stages.size() == 1) return stages[0];
    return stages[GameRandom() % stages.size()];
}

uint16_t ScorerStage(int lead) {
    if (lead == 0) return DrawStage(kLevelledStages);
    if (lead == 1) return DrawStage(kOneAheadStages);
    return DrawStage(kFurtherStages);
}

// The scorer celebrates at the stage the lead calls for and the team-mates
// near him run to him; false for an own goal, which nobody celebrates.
bool StartCelebrationOf(int scoringTeam, int16_t scorer, int lead) {
    GoalScorer = scorer;
    if (!IsPlayer(scorer) || TeamOf(scorer) != (scoringTeam & 1)) {
        GoalScorer = -1;
        CelebrationSwitch = 0;
        return false;
    }
    CelebrationSwitch = 1;
    const uint16_t stage = ScorerStage(lead);
    Match_SetPlayerAction(scorer, kActionGoalCelebration);
    MatchFigures[scorer].actionParam = stage;
    CameraSubject = int8_t(scorer);
    const MatchFigure& s = MatchFigures[scorer];
    for (int slot = 1; slot < kTeamFigures; ++slot) {
        const int16_t mate = MatchLineUp[scoringTeam & 1][slot];
        if (mate == scorer || !OnPitch(mate)) continue;
        const MatchFigure& m = MatchFigures[mate];
        if (MatchOctDistance(m.x - s.x, m.y - s.y) <= kJoinDistance)
            Match_SetPlayerAction(mate, kActionJoinScorer);
    }
    return true;
}

}  // namespace

void Match_StartGoalCelebration(int scoringTeam, int16_t scorer) {
    const int lead = Goals[scoringTeam & 1] - Goals[(scoringTeam & 1) ^ 1];
    if (StartCelebrationOf(scoringTeam, scorer, lead)) MatchStartCelebration(MatchLineUp[scoringTeam & 1][0]);
}

void Match_StartShootOutCelebration(int16_t scorer) {
    // The goalkeepers keep their stance for the kicks still to come.
    if (!IsPlayer(scorer)) return;
    const int team = TeamOf(scorer);
    StartCelebrationOf(team, scorer, ShootOutGoals[team] - ShootOutGoals[team ^ 1]);
}

bool Match_RestartStalled(int16_t& ticks, const char* what) {
    if (++ticks < kRestartStallTicks) return false;
    std::printf("MatchPhaseTick(): Warning: %s not taken after %d ticks; play goes on\n", what,
                int(kRestartStallTicks));
    ticks = 0;
    ++RestartStallCount;
    return true;
}
