#include "core/match/teamjobs.h"
#include "core/match/actions.h"
#include "core/match/phases.h"

#include <cstdlib>
#include <cstring>

#include "core/base/random.h"
#include "core/match/dribble.h"
#include "core/match/geometry.h"
#include "core/match/infobar.h"
#include "core/match/infobartypes.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/teamsetup.h"

uint8_t SubstitutionRequest[2][kSubstitutionRequestSize];
int16_t MarkingTeam;
int16_t MarkingChangeCount;
uint32_t MarkerAssigned[kPlayerFigures];

namespace {

constexpr int kFirstOutfieldSlot = 1;
constexpr int kLastOutfieldSlot = 10;
constexpr int kPositions = 13;
constexpr int kMidfieldPosition = 7;
constexpr uint8_t kNotPlayedMark = 0;
constexpr uint8_t kStarterMark = 50;
constexpr uint8_t kSubstitutionEvent = 1;
constexpr uint16_t kFirstBallAction = kActionSprintAfterBall;
constexpr uint16_t kFirstManMarkerBusyAction = kActionReceivePass + 1;
constexpr int kStrainLimit = 40;
constexpr int16_t kMarkingChangeCalls = 5;
constexpr int16_t kNearBall = 160;
constexpr int16_t kManMarkerGap = 32;
constexpr int16_t kStepBackGap = 16;
constexpr int16_t kNoMarker = 10000;

// How well a player of each position (column) stands in for one of each
// position (row) going off.
constexpr uint8_t kPositionFit[kPositions][kPositions] = {
    {13, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},  {1, 13, 9, 10, 8, 7, 5, 4, 3, 6, 2, 1, 1},
    {1, 9, 13, 7, 10, 8, 6, 4, 3, 2, 5, 1, 1}, {1, 10, 8, 13, 7, 6, 5, 4, 3, 9, 2, 1, 1},
    {1, 6, 10, 5, 13, 8, 7, 9, 4, 3, 2, 1, 1}, {1, 4, 3, 5, 6, 13, 10, 9, 8, 7, 2, 1, 1},
    {1, 4, 3, 5, 6, 10, 13, 9, 8, 7, 2, 1, 1}, {1, 4, 3, 5, 6, 10, 8, 13, 9, 7, 2, 1, 1},
    {1, 1, 1, 2, 3, 10, 8, 9, 13, 7, 5, 6, 4}, {1, 9, 8, 10, 7, 6, 5, 4, 3, 13, 2, 1, 1},
    {1, 5, 1, 6, 1, 4, 3, 2, 7, 8, 13, 10, 9}, {1, 5, 1, 6, 1, 4, 3, 2, 7, 8, 9, 13, 10},
    {1, 5, 1, 6, 1, 4, 3, 2, 7, 8, 9, 10, 13},
};

bool IsTeam(int team) { return team == 0 || team == 1; }
bool IsPlayerFigure(int figure) { return figure >= 0 && figure < kPlayerFigures; }

// A position code as the fit table reads it: the player-manager's own code
// (and anything else outside the table) counts as central midfield.
int PositionRow(int position) {
    return position >= 0 && position < kPositions ? position : kMidfieldPosition;
}

int AttackedGoalY(int team) { return team == AttackDirection ? kGoalLineHigh : kGoalLineLow; }
int OwnGoalY(int team) { return team == AttackDirection ? kGoalLineLow : kGoalLineHigh; }

void Request(int team, int16_t figure) {
    SubstitutionRequest[team][0] = uint8_t(figure);
    TeamStoppageRequest[team] = 1;
}

bool MarkingPhase(uint16_t phase) {
    return phase == kPhaseOpenPlay || phase == kPhaseTakeThrowIn || phase == kPhaseTakeCorner ||
           phase == kPhaseFreeKick || phase == kPhaseFreeKickAtGoal || phase == kPhaseFreeKickSecond;
}
bool SetPieceMarkingPhase(uint16_t phase) {
    return phase == kPhaseTakeCorner || phase == kPhaseFreeKick || phase == kPhaseFreeKickAtGoal ||
           phase == kPhaseFreeKickSecond;
}

// Whether the attacker is left to the other jobs in this marking call.
bool SkipAttacker(int team, int16_t attacker, bool openPlay) {
    const MatchFigure& a = MatchFigures[attacker];
    if (attacker == MatchLineUp[team][0] || a.off != 0 || a.action == kActionRestartPlace) return true;
    if (!openPlay && (attacker == TeamChallenger[team] || a.action >= kFirstBallAction)) return true;
    return SetPieceMarkingPhase(MatchPhase) &&
           Match_ApproxDistance(a.x, a.y, BallState.x, BallState.y) < kNearBall;
}

// The marking slot of a defender as a line-up slot of the other team, -1
// for none.
int MarkedSlot(const MatchFigure& f) {
    const int slot = int8_t(f.tacticBytes[6]);
    return slot >= 0 && slot < kTeamFigures ? slot : -1;
}

// The defender whose formation place is nearest the attacker, -1 none.
int16_t ChooseMarker(int defending, const MatchFigure& a, bool openPlay) {
    int16_t marker = -1;
    int nearest = kNoMarker;
    for (int k = 0; k < kTeamFigures; ++k) {
        const int16_t figure = int16_t(defending * kTeamFigures + k);
        MatchFigure& d = MatchFigures[figure];
        d.offsideWord = 0;
        if (d.off != 0 || MarkerAssigned[figure] != 0) continue;
        if (d.action == kActionThink || d.action == kActionWall || d.action == kActionRunToTarget) continue;
        const int marks = MarkedSlot(d);
        if (marks >= 0 && MatchOnPitch(MatchLineUp[defending ^ 1][marks])) continue;
        const int distance = Match_ApproxDistance(d.formationX, d.formationY, a.x, a.y);
        if (distance < nearest) {
            nearest = distance;
            marker = figure;
        }
    }
    if (marker >= 0 && openPlay && nearest >= 2 * MatchFigures[marker].tackling + 200) return -1;
    return marker;
}

void MarkAttacker(int team, int16_t attacker, bool openPlay) {
    const MatchFigure& a = MatchFigures[attacker];
    MatchCurX = a.x;
    MatchCurY = a.y;
    MatchCurX16 = a.x16;
    MatchCurY16 = a.y16;
    const int goalY = AttackedGoalY(team);
    const int depth = std::abs(goalY - a.y);
    const int length = (depth / 32 + 24) * a.tackling / 100;
    Match_VectorFromDirection(Match_DirectionTo(a.x, a.y, kPitchCentreX, goalY), length, 256);
    const int16_t dx = int16_t(MatchVecX), dy = int16_t(MatchVecNY);
    // Only attackers in their attacking half and not too far behind the
    // ball are marked.
    const int along = team == AttackDirection ? a.y - kPitchHalfwayY : kPitchHalfwayY - a.y;
    if (along < 0) return;
    const int behindBall = team == AttackDirection ? BallState.y - a.y : a.y - BallState.y;
    if (behindBall > (openPlay ? 200 : 600)) return;
    const int defending = team ^ 1;
    const int16_t marker = ChooseMarker(defending, a, openPlay);
    if (marker < 0) return;
    MatchFigure& m = MatchFigures[marker];
    m.targetX = int16_t(a.x + dx);
    m.targetY = int16_t(a.y - dy);
    if (openPlay && attacker != TeamChallenger[team]) {
        // A target just upfield of the back line is taken onto the line.
        const int line = MatchLastDefenderY[defending];
        const int ahead = defending == AttackDirection ? m.targetY - line : line - m.targetY;
        if (ahead >= 0 && ahead <= 400) m.targetY = int16_t(line);
    }
    MarkerAssigned[marker] = 1;
}

}  // namespace

void Match_ResetTeamJobs() {
    std::memset(SubstitutionRequest, kNoSubstitutionRequest, sizeof SubstitutionRequest);
    MarkingTeam = 0;
    MarkingChangeCount = 0;
    std::memset(MarkerAssigned, 0, sizeof MarkerAssigned);
}

int16_t Match_SubstitutionsMade(int team) { return IsTeam(team) ? MatchSubsUsed[team] : int16_t(0); }

void MatchSubstitutePlayer(int16_t team, int16_t leavingSlot, int16_t comingSlot) {
    const auto isSlot = [](int slot) { return slot >= 0 && slot < kTeamFigures; };
    if (!IsTeam(team) || !isSlot(leavingSlot) || !isSlot(comingSlot) || leavingSlot == comingSlot) return;
    const int16_t leaving = int16_t(team * kTeamFigures + leavingSlot);
    const int16_t coming = int16_t(team * kTeamFigures + comingSlot);
    MatchFigure& out = MatchFigures[leaving];
    MatchFigure& in = MatchFigures[coming];
    // The information bar names both players: the coming one in the third word.
    InfoBar(kInfoOnOff, leaving, coming);
    MatchRecordEvent(kSubstitutionEvent, team, leaving, int16_t(MatchFigurePlayerId(coming)));
    ChangePending[team] = 0;
    MatchSwapLineUp(team, leavingSlot, comingSlot);
    const bool practice =
        GameInfo.TeamI16(0, gameinfo::kTeamClub) == GameInfo.TeamI16(1, gameinfo::kTeamClub);
    in.off = 0;
    in.benchState = kStarterMark;
    in.formationX = out.formationX;
    in.formationY = out.formationY;
    const auto toTheTouchline = [](MatchFigure& f) {
        f.x = PitchGeometry.left;
        f.y = PitchGeometry.centreY;
        f.x16 = int32_t(f.x) << 16;
        f.y16 = int32_t(f.y) << 16;
    };
    if (practice) {
        in.onBench = 0;
        in.x = out.x;
        in.y = out.y;
        in.x16 = out.x16;
        in.y16 = out.y16;
        out.off = 1;
        out.onBench = 1;
        out.benchState = 0;
    } else {
        out.off = 1;
        ++out.subbedOff;
        toTheTouchline(out);
        toTheTouchline(in);
        ++MatchSubsUsed[team];
    }
    Match_SetPlayerAction(coming, kActionSubstituteOn);
}

int16_t Match_ComputerSubstitution(int16_t team) {
    if (!IsTeam(team)) return -1;
    SubstitutionRequest[team][0] = kNoSubstitutionRequest;
    const int made = Match_SubstitutionsMade(team);
    if (made >= MatchSubstitutionsAllowed(&GameInfo) - 1 || StoppageMenuCount[team] != 0) return -1;
    int16_t injured = 0, tired = 0, weakest = 0;
    int highestStrain = 0, lowestRating = 100;
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        const int16_t p = MatchLineUp[team][slot];
        if (!IsPlayerFigure(p)) continue;
        MatchFigure& f = MatchFigures[p];
        f.benchState = uint8_t(MatchRatePlayer(0, p));
        if (f.injury != 0 && f.off == 0) injured = p;
    }
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        const int16_t p = MatchLineUp[team][slot];
        if (!IsPlayerFigure(p) || MatchFigures[p].off != 0) continue;
        const MatchFigure& f = MatchFigures[p];
        if (f.stateA > highestStrain) {
            highestStrain = f.stateA;
            tired = p;
        }
        if (f.stateC == 0 && f.benchState < lowestRating) {
            lowestRating = f.benchState;
            weakest = p;
        }
    }
    // An outfield player in goal makes way for a keeper on the bench first.
    const int16_t inGoal = MatchLineUp[team][0];
    if (IsPlayerFigure(inGoal) && MatchFigures[inGoal].position != 0) {
        for (int k = 0; k < kTeamFigures; ++k) {
            const MatchFigure& f = MatchFigures[team * kTeamFigures + k];
            if (f.position == 0 && f.off != 0 && f.onBench != 0 && f.benchState == kNotPlayedMark) {
                Request(team, inGoal);
                return inGoal;
            }
        }
    }
    if (injured != 0) {
        Request(team, injured);
        return injured;
    }
    if (weakest != 0 && Period != 0 && GameRandom() % 50 == weakest && made < MatchSubstitutesAvailable - 1) {
        Request(team, weakest);
        return weakest;
    }
    if (highestStrain > kStrainLimit && Period != 0 && tired != 0) {
        Request(team, tired);
        return tired;
    }
    return -1;
}

int16_t Match_PickSubstitute(int16_t team, int16_t outgoing) {
    if (!IsTeam(team)) return -1;
    const int row =
        PositionRow(IsPlayerFigure(outgoing) ? MatchFigures[outgoing].position : kMidfieldPosition);
    int16_t chosen = -1;
    int32_t best = -1;
    for (int k = 0; k < kTeamFigures; ++k) {
        const int16_t figure = int16_t(team * kTeamFigures + k);
        const MatchFigure& f = MatchFigures[figure];
        if (f.benchState != kNotPlayedMark || f.off == 0 || f.onBench != 1) continue;
        const int32_t score =
            (f.pace + f.shooting + f.passing + f.tackling) * kPositionFit[row][PositionRow(f.position)];
        if (score >= best) {
            best = score;
            chosen = figure;
        }
    }
    return chosen;
}

int16_t Match_PickSetPieceTaker(int16_t team, int16_t leaving) { return Match_PickSubstitute(team, leaving); }

void Match_PickPlayerByAttributes(int16_t team) {
    if (!IsTeam(team)) return;
    int16_t chosen = -1;
    int best = -1;
    for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
        const int16_t p = MatchLineUp[team][slot];
        if (!MatchOnPitch(p)) continue;
        const int sum = MatchFigures[p].keeping + MatchFigures[p].agility;
        if (sum >= best) {
            best = sum;
            chosen = p;
        }
    }
    const int16_t inGoal = MatchLineUp[team][0];
    if (chosen < 0 || !IsPlayerFigure(inGoal)) return;
    // The places in the team, not the shirts: shirts need not follow the
    // player list, and a swap by shirt could put another player in goal.
    MatchSwapLineUp(team, int16_t(inGoal - team * kTeamFigures), int16_t(chosen - team * kTeamFigures));
}

void MatchSwapLineUp(int16_t team, int16_t a, int16_t b) {
    if (!IsTeam(team) || a < 0 || a >= kTeamFigures || b < 0 || b >= kTeamFigures) return;
    int16_t* lineUp = MatchLineUp[team];
    int entryA = -1, entryB = -1;
    for (int slot = 0; slot < kTeamFigures; ++slot) {
        if (lineUp[slot] == team * kTeamFigures + a) entryA = slot;
        if (lineUp[slot] == team * kTeamFigures + b) entryB = slot;
    }
    if (entryA < 0 || entryB < 0) return;
    std::swap(lineUp[entryA], lineUp[entryB]);
}

void Match_TeamJobPhase2() {
    if (MatchPhase != kPhaseOpenPlay) MarkingChangeCount = kMarkingChangeCalls;
    if (BallTeam != MarkingTeam) {
        if (++MarkingChangeCount > kMarkingChangeCalls) {
            MarkingChangeCount = 0;
            MarkingTeam = BallTeam & 1;
        }
    }
    if (!MarkingPhase(MatchPhase)) return;
    const bool openPlay = MatchPhase == kPhaseOpenPlay;
    const int team = MarkingTeam & 1;
    std::memset(MarkerAssigned + (team ^ 1) * kTeamFigures, 0, kTeamFigures * sizeof MarkerAssigned[0]);
    for (int k = 0; k < kTeamFigures; ++k) {
        const int16_t attacker = BallRanking[team][k];
        if (!IsPlayerFigure(attacker) || attacker / kTeamFigures != team) continue;
        if (SkipAttacker(team, attacker, openPlay)) continue;
        MarkAttacker(team, attacker, openPlay);
    }
}

void Match_TeamJobPhase3() {
    if (MatchPhase != kPhaseOpenPlay) return;
    for (int team = 0; team < 2; ++team) {
        const int line = MatchLastDefenderY[team ^ 1];
        const bool farEnd = team == AttackDirection;
        for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
            const int16_t p = MatchLineUp[team][slot];
            if (!IsPlayerFigure(p)) continue;
            MatchFigure& f = MatchFigures[p];
            if (f.offsideWord != 0) --f.offsideWord;
            const bool beyond = farEnd ? f.y > line : f.y < line;
            if (f.offsideWord == 0 && beyond)
                f.offsideWord = uint16_t((100 - MatchSlotRoleChoice(p, f.intelligence)) / 8 + 1);
            if (f.offsideWord == 1 && beyond) {
                f.offsideWord = 2;
                f.targetY = int16_t(farEnd ? line - kStepBackGap : line + kStepBackGap);
            }
        }
    }
}

void Match_PlaceManMarkers() {
    if (MatchPhase > kPhaseOffside) return;
    for (int team = 0; team < 2; ++team) {
        const int goalY = OwnGoalY(team);
        for (int slot = kFirstOutfieldSlot; slot <= kLastOutfieldSlot; ++slot) {
            const int16_t p = MatchLineUp[team][slot];
            if (!MatchOnPitch(p)) continue;
            MatchFigure& f = MatchFigures[p];
            const int marks = MarkedSlot(f);
            if (f.action >= kFirstManMarkerBusyAction || marks < 0) continue;
            const int16_t opponent = MatchLineUp[team ^ 1][marks];
            if (!MatchOnPitch(opponent)) continue;
            const MatchFigure& o = MatchFigures[opponent];
            Match_VectorFromDirection(Match_DirectionTo(o.x, o.y, kPitchCentreX, goalY), kManMarkerGap, 256);
            f.targetX = int16_t(o.x + MatchVecX);
            f.targetY = int16_t(o.y - MatchVecNY);
        }
    }
}

void Match_FindBallHolder() {
    BallCarrierFigure = -1;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (MatchFigures[figure].hasBall != 0) {
            BallCarrierFigure = figure;
            return;
        }
    }
}
