#include "core/match/ranking.h"
#include "core/match/actions.h"
#include "core/match/phases.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/match/actionmachine.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/openplay.h"
#include "core/match/tackle.h"

namespace {

constexpr int kKeepChallengerReach = 128;
constexpr int kSecondManAngle = 64;
constexpr int kStretchBase = 150;
constexpr int kFreeSpace = 10000;
constexpr int kProbeCount = 16;
constexpr int kKeeperDistanceFactor = 10;
constexpr int kNearOpponentReach = 300;
constexpr int kGoalAimWide = 240;
constexpr int16_t kWideAimLowX = 208;
constexpr int16_t kWideAimHighX = 1384;
constexpr int kLeadAtTackling = 100;
constexpr int kGoalSideX = 20;
constexpr int kGoalSideY = 24;
constexpr int32_t kKickLift = 0x32000;
constexpr int32_t kKickScale = 4096;
constexpr int16_t kKickLockout = 16;
// How much a free direction is worth by its step away from the base.
constexpr int kDirectionWeight[kProbeCount] = {100, 90, 75, 45, 20, 10, 3, 2, 2, 2, 3, 10, 20, 45, 75, 90};

bool FreeToReact(int16_t figure) { return MatchPlayerCanAct(figure) != 0; }

int TeamOf(int figure) { return figure / kTeamFigures; }

bool IsGoalkeeper(int figure) { return MatchLineUp[0][0] == figure || MatchLineUp[1][0] == figure; }

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

// A list entry that names one of the team's figures.
bool IsTeamFigure(int figure, int team) {
    return figure >= team * kTeamFigures && figure < (team + 1) * kTeamFigures;
}

void RefillEntry(int team, int k) {
    for (int figure = team * kTeamFigures; figure < (team + 1) * kTeamFigures; ++figure) {
        bool listed = false;
        for (int16_t entry : BallRanking[team]) listed = listed || entry == figure;
        if (!listed) BallRanking[team][k] = int16_t(figure);
    }
}

// A listed entry usable as a figure of its team; 32 or more, negatives and
// figures of the other team are not players of this list.
bool Usable(int16_t entry, int team) { return IsTeamFigure(entry, team); }

void RankOne(int team, int16_t figure, uint16_t goalward) {
    MatchFigure& p = MatchFigures[figure];
    const int distance = Match_ApproxDistance(p.x, p.y, BallState.x, BallState.y);
    p.ballDistance = uint16_t(distance);
    p.rankDistance = int16_t(distance);
    if (p.off != 0) {
        p.rankDistance = kRankOffPitch;
        return;
    }
    int64_t rank = Match_ApproxDistance(p.x, p.y, BallState.predicted[0][0], BallState.predicted[0][1]);
    if (!FreeToReact(figure)) rank += kRankBusyPenalty;
    if (team != BallTeam) {
        // Behind the ball's run toward the goal the distance stretches with
        // the ball's speed; taken wide and capped so that a fast ball cannot
        // wrap it in 16 bits and rank the farthest player first.
        const int apart = Match_FoldedDifference((p.ballDirection + 128) & 255, goalward);
        rank = (int64_t(apart) * BallGroundSpeed + kStretchBase) * rank / kStretchBase;
    }
    p.rankDistance = int16_t(std::min<int64_t>(rank, kRankDistanceCap));
}

void BubblePass(int team) {
    int16_t* list = BallRanking[team];
    const int16_t first = int16_t(team * kTeamFigures);
    for (int k = 0; k + 1 < kTeamFigures; ++k) {
        if (!Usable(list[k], team) || !Usable(list[k + 1], team) || list[k + 1] == first) continue;
        if (MatchFigures[list[k + 1]].rankDistance < MatchFigures[list[k]].rankDistance)
            std::swap(list[k], list[k + 1]);
    }
}

bool KeepsChallenge(int16_t c) {
    const MatchFigure& f = MatchFigures[c];
    return (f.ballDistance <= kKeepChallengerReach || f.action == kActionReceivePass) &&
           (FreeToReact(c) || f.hasBall != 0);
}

bool HandOverWanted(int j, bool isChallenger, bool inPossession, bool leading) {
    switch (j) {
        case 0:
            return !isChallenger || inPossession;
        case 1:
            return !isChallenger || (inPossession && leading);
        default:
            return (!isChallenger || inPossession) && leading;
    }
}

void ChooseChallenger(int team, bool leading) {
    const int16_t* list = BallRanking[team];
    const bool inPossession = team == BallTeam;
    for (int j = 0; j < 3; ++j) {
        const int16_t n = list[j];
        if (!Usable(n, team) || !FreeToReact(n)) continue;
        if (HandOverWanted(j, n == TeamChallenger[team], inPossession, leading))
            Match_PassThinkRole(int16_t(team), n);
        TeamChallenger[team] = n;
        const int16_t m = list[j + 1];
        if (!Usable(m, team)) return;
        const MatchFigure& second = MatchFigures[m];
        const bool extraHolds = j != 0 || leading;
        // Only in open play: in a stoppage the second man may be the one
        // fetching the ball for the restart, whom a call to challenge would
        // leave the restart waiting on for good.
        if (MatchPhase == kPhaseOpenPlay && second.action != kActionThink && !inPossession && extraHolds &&
            Match_FoldedDifference(second.ballDirection, MatchFigures[n].ballDirection) > kSecondManAngle) {
            Match_SetPlayerAction(m, kActionThink);
        }
        return;
    }
}

struct OpponentMark {
    int distance;
    int direction;
};

}  // namespace

int Match_FoldedDifference(int a, int b) {
    const int apart = std::abs(a - b);
    return apart > 128 ? 256 - apart : apart;
}

int16_t Match_AttackedGoalLine(int team) { return team == AttackDirection ? kGoalLineHigh : kGoalLineLow; }

void Match_RankPlayersByBall() {
    const int team = RankingTeam & 1;
    const uint16_t goalward = Match_DirectionSector(BallState.x, BallState.y, kPitchCentreX,
                                                    Match_AttackedGoalLine(BallTeam & 1), 256);
    for (int k = 0; k < kTeamFigures; ++k) {
        if (!Usable(BallRanking[team][k], team)) RefillEntry(team, k);
        const int16_t p = BallRanking[team][k];
        if (Usable(p, team)) RankOne(team, p, goalward);
    }
    BubblePass(team);
    const bool leading = Goals[team] - Goals[team ^ 1] == 1;
    if (TeamChallenger[team] == kNoChallenger && Usable(BallRanking[team][0], team)) {
        TeamChallenger[team] = BallRanking[team][0];
    }
    const int16_t c = TeamChallenger[team];
    if (Usable(c, team) && KeepsChallenge(c)) {
        if (MatchPhase == kPhaseOpenPlay && MatchFigures[c].action <= kActionNothing)
            Match_SetPlayerAction(c, kActionThink);
        return;
    }
    ChooseChallenger(team, leading);
    const int16_t challenger = TeamChallenger[team];
    if (Match_IsPlayerFigure(challenger)) ++MatchFigures[challenger].counts[kCountChallenges];
}

void Match_PassThinkRole(int16_t team, int16_t figure) {
    if (!Match_IsPlayerFigure(figure) || (team != 0 && team != 1)) return;
    const int n = figure;
    const uint16_t reach = MatchFigures[n].ballDistance;
    for (int16_t mate = int16_t(team * kTeamFigures); mate < (team + 1) * kTeamFigures; ++mate) {
        if (mate == n) continue;
        const MatchFigure& m = MatchFigures[mate];
        if (m.action == kActionThink && m.ballDistance > reach) Match_Redecide(mate, kActionRunToPosition);
    }
    const uint16_t action = MatchFigures[n].action;
    if ((action == kActionStand || action == kActionRunToPosition) && MatchPhase == kPhaseOpenPlay)
        Match_SetPlayerAction(figure, kActionThink);
    const int16_t old = TeamChallenger[team];
    if (old == n) return;
    if (!Match_IsPlayerFigure(old)) {
        TeamChallenger[team] = figure;
        return;
    }
    if (MatchFigures[old].action < kActionRunAfterBall) {
        // The role moves first, so that the old challenger is free to go
        // back to his place.
        TeamChallenger[team] = figure;
        Match_Redecide(old, kActionRunToPosition);
    }
}

int16_t Match_FindFreeDirection(int16_t figure, int16_t base, int16_t& score) {
    score = 0;
    if (!Match_IsPlayerFigure(figure)) return -1;
    const MatchFigure& p = MatchFigures[figure];
    int dribble = p.dribble;
    if (p.tacticBytes[0] == 3) dribble += 70;
    if (p.tacticBytes[2] == 2) dribble -= 70;
    dribble = Clamp(dribble, 1, 100);
    const int reach = std::max(8000 / (dribble / 2 + 50), 8 * kDistanceUnit);
    const int probe = std::max(reach * 80 / 100, 8 * kDistanceUnit);

    OpponentMark marks[kTeamFigures];
    const int opponents = (TeamOf(figure) ^ 1) * kTeamFigures;
    for (int i = 0; i < kTeamFigures; ++i) {
        const int16_t q = int16_t(opponents + i);
        const MatchFigure& o = MatchFigures[q];
        if (o.off != 0) {
            marks[i] = {kFreeSpace, 0};
            continue;
        }
        int x = o.x, y = o.y;
        const int watch = p.intelligence + 75;
        if (Match_ApproxDistance(p.x, p.y, x, y) > watch) {
            Match_VectorFromDirection(o.facing, watch / 2, 256);
            x += MatchVecX;
            y -= MatchVecNY;
        }
        int distance = Match_ApproxDistance(p.x, p.y, x, y);
        if (IsGoalkeeper(q)) distance *= kKeeperDistanceFactor;
        marks[i] = {distance, Match_DirectionSector(p.x, p.y, x, y, 256)};
    }

    int space[kProbeCount] = {};
    for (int k = 0; k < kProbeCount; ++k) {
        const int dk = (base + 16 * k) & 255;
        const double theta = double(dk) * kFullTurn / 256.0;
        const int px = p.x + 2 * int(std::trunc(std::sin(theta) * probe));
        const int py = p.y - int(std::trunc(std::cos(theta) * probe));
        if (px >= kDefaultPitch.right || px <= kDefaultPitch.left || py > kGoalLineHigh ||
            py < kGoalLineLow) {
            space[k] = 0;
            continue;
        }
        int free = kFreeSpace;
        for (const OpponentMark& mark : marks) {
            if (mark.distance < free && Match_FoldedDifference(mark.direction, dk) <= reach / 8)
                free = mark.distance;
        }
        const auto lowerBy = [&](int line) {
            if (line < free && line < reach) free = line;
        };
        if (dk <= 48 || dk >= 208) lowerBy(p.y - kGoalLineLow);
        if (dk >= 80 && dk <= 176) lowerBy(kGoalLineHigh - p.y);
        if (dk >= 1 && dk <= 127) lowerBy(kDefaultPitch.right - p.x);
        if (dk >= 129 && dk <= 255) lowerBy(p.x - kDefaultPitch.left);
        space[k] = free;
        if (space[0] == kFreeSpace) break;
    }

    int best = -1, bestScore = 0;
    for (int k = 0; k < kProbeCount; ++k) {
        const int s = space[k] * kDirectionWeight[k] / 100;
        if (s > bestScore) {
            bestScore = s;
            best = k;
        }
    }
    if (best < 0) return -1;
    score = int16_t(bestScore);
    return int16_t((base + 16 * best) & 255);
}

int16_t Match_NoOpponentNear(int16_t figure) {
    if (!Match_IsPlayerFigure(figure)) return 1;
    const int opponents = (TeamOf(figure) ^ 1) * kTeamFigures;
    for (int16_t q = int16_t(opponents); q < opponents + kTeamFigures; ++q) {
        const MatchFigure& o = MatchFigures[q];
        if (o.off != 0) continue;
        const int limit = kNearOpponentReach - MatchSlotRoleChoice(q, o.composure);
        if (o.ballDistance < limit) return 0;
    }
    return 1;
}

void Match_GoalDistance(int16_t figure, int16_t team) {
    if (!Match_IsPlayerFigure(figure)) return;
    const MatchFigure& p = MatchFigures[figure];
    GoalDistanceScratch = Match_ApproxDistance(p.x, p.y, kPitchCentreX, Match_AttackedGoalLine(team & 1));
}

uint16_t Match_GoalDirection(int16_t figure, int16_t mode, int16_t team) {
    team &= 1;
    const int16_t goalY = Match_AttackedGoalLine(team);
    if (!Match_IsPlayerFigure(figure)) return 0;
    MatchFigure& p = MatchFigures[figure];
    const bool upfield = team == AttackDirection;
    int aimX = kPitchCentreX;
    if (mode == 0) {
        const int16_t nearest = BallRanking[CurrentTeam ^ 1][0];
        int apart = kFreeSpace;
        if (Match_IsPlayerFigure(nearest)) {
            apart = Match_ApproxDistance(p.x, p.y, MatchFigures[nearest].x, MatchFigures[nearest].y);
        }
        const int w = apart * p.dribble / 100;
        const int own = TeamOf(figure);
        const int behind = Goals[own ^ 1] - Goals[own];
        const int urgency = 4 * std::max(behind, 0) + p.goals;
        const int16_t line = MatchLastDefenderY[team ^ 1];
        const bool shortOfLine = upfield ? p.y <= line : p.y >= line;
        const int xOrCentre = w <= 160 ? p.x : kPitchCentreX;
        if (shortOfLine) {
            const bool instructedWide = p.tacticBytes[3] != 0;
            bool wing = false;
            if (urgency == 0 || !instructedWide) {
                wing = p.x < p.dribble + MatchPlayerSkill(figure) + 100 + kDefaultPitch.left ||
                       p.x > kDefaultPitch.right -
                                 (MatchSlotRoleChoice(figure, int16_t(MatchPlayerSkill(figure) / 2)) + 100 +
                                  p.dribble);
            }
            if (wing) {
                aimX = xOrCentre;
            } else if (instructedWide) {
                int wideX = p.x;
                if (p.x < kPitchCentreX - kGoalAimWide) wideX = kWideAimLowX;
                if (p.x > kPitchCentreX + kGoalAimWide) wideX = kWideAimHighX;
                aimX = w <= 160 ? wideX : kPitchCentreX;
            } else {
                const int areaLine = upfield ? kAreaHighY : kAreaLowY;
                const int reach = p.intelligence + p.shooting + p.dribble;
                const bool nearArea = upfield ? p.y >= areaLine - reach : p.y <= areaLine + reach;
                aimX = nearArea ? kPitchCentreX : xOrCentre;
            }
        }
    }
    if (mode != 2) GoalDistanceScratch = Match_ApproxDistance(p.x, p.y, kPitchCentreX, goalY);
    return Match_DirectionSector(p.x, p.y, aimX, goalY, 256);
}

void Match_StepTowardX(int16_t figure, int16_t x, int16_t y) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    MatchFigure& f = MatchFigures[figure];
    if (f.x != x) f.x16 += f.x < x ? 65536 : -65536;
    if (f.y != y) f.y16 += f.y < y ? 65536 : -65536;
    f.x = int16_t(f.x16 / 65536);
    f.y = int16_t(f.y16 / 65536);
}

void Ball_Kick(int16_t direction, int16_t kicker, int16_t power) {
    const double theta = double(direction) * kFullTurn / 256.0;
    const double pace = double(power) * 15.0;
    BallState.vx = int32_t(std::trunc(std::sin(theta) * pace)) * kKickScale;
    BallState.vy = -int32_t(std::trunc(std::cos(theta) * pace)) * kKickScale;
    BallState.vz = kKickLift;
    if (!Match_IsPlayerFigure(kicker)) return;
    LastToucher = kicker;
    MatchFigures[kicker].touchLockout = kKickLockout;
    MatchFigures[kicker].hasKicked = 1;
}

void Match_InterceptCarrier(int16_t figure) {
    if (!Match_IsPlayerFigure(figure)) return;
    MatchFigure& p = MatchFigures[figure];
    const int possession = BallTeam & 1;
    if (TeamChallenger[possession] == kNoChallenger) TeamChallenger[possession] = BallRanking[possession][0];
    const int16_t c = TeamChallenger[possession];
    const int16_t shortX = BallState.predicted[0][0], shortY = BallState.predicted[0][1];
    if (!IsTeamFigure(c, TeamOf(figure) ^ 1)) {
        Match_ChaseTarget(figure, shortX, shortY, 0);
        return;
    }
    const MatchFigure& carrier = MatchFigures[c];
    const bool closer = p.ballDistance < carrier.ballDistance;
    if (p.tackling == 0) p.tackling = 1;
    const auto leadFor = [&](int goalDistance) {
        return ((goalDistance / 30 + 16 + p.ballDistance / 4) * 100) / p.tackling;
    };
    int lead = leadFor(GoalDistanceScratch);
    if (lead > kLeadAtTackling && !closer) {
        const uint16_t heading = Match_GoalDirection(c, 1, int16_t(possession));
        lead = leadFor(GoalDistanceScratch);
        const double theta = double(heading) * kFullTurn / 256.0;
        // The point ahead of the carrier stays on the pitch: near the goal
        // line a long lead would send the defender on beyond it.
        const PitchGeometryValues& g = PitchGeometry;
        const int ax =
            std::clamp(carrier.x + int(std::trunc(std::sin(theta) * lead)), int(g.left), int(g.right));
        const int ay =
            std::clamp(carrier.y - int(std::trunc(std::cos(theta) * lead)), int(g.top), int(g.bottom));
        if (Match_ApproxDistance(ax, ay, MatchCurX, MatchCurY) < p.ballDistance) {
            Match_ChaseTarget(figure, ax, ay, 0);
            MatchChooseTackle(figure, c);
            return;
        }
    }
    if (p.ballDistance > carrier.ballDistance &&
        Match_FoldedDifference(p.ballDirection, carrier.ballDirection) < kSecondManAngle) {
        const int x = carrier.x < kPitchCentreX ? carrier.x + kGoalSideX : carrier.x - kGoalSideX;
        const int y = possession == AttackDirection ? carrier.y + kGoalSideY : carrier.y - kGoalSideY;
        Match_ChaseTarget(figure, x, y, 0);
    } else {
        Match_ChaseTarget(figure, shortX, shortY, 0);
    }
    MatchChooseTackle(figure, c);
}
