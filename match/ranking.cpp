#include "match/ranking.h"

#include "match/geometry.h"
#include "match/matchengine.h"
#include "match/matchfigure.h"
#include "match/matchrules.h"
#include "match/matchstate.h"

namespace {

constexpr int32_t kUnit = 65536;
constexpr int16_t kTouchLineLeft = 158;
constexpr int16_t kTouchLineRight = 1434;
constexpr int kWingRunReach = 160;
constexpr int kWideRunBand = 240;
constexpr int16_t kWideRunLeftX = 208;
constexpr int16_t kWideRunRightX = 1384;

bool ValidPlayer(int16_t figure) { return figure >= 0 && figure < kPlayerFigures; }

int16_t ForwardGoalLine(int team) { return team == AttackDirection ? kGoalLineHigh : kGoalLineLow; }

int Sign(int value) { return value > 0 ? 1 : value < 0 ? -1 : 0; }

// The aim x of a player running at goal when his way forward is open.
int16_t RunAimX(int16_t straightX, int room) { return room <= kWingRunReach ? straightX : kPitchCentreX; }

}  // namespace

int16_t Match_NoOpponentNear(int16_t figure) {
    if (!ValidPlayer(figure)) return 1;
    const int other = (figure / kTeamFigures) ^ 1;
    for (int i = 0; i < kTeamFigures; ++i) {
        const int16_t q = int16_t(other * kTeamFigures + i);
        if (!MatchOnPitch(q)) continue;
        const int limit = 300 - MatchSlotRoleChoice(q, MatchFigures[q].composure);
        if (int(MatchFigures[q].ballDistance) < limit) return 0;
    }
    return 1;
}

void Match_GoalDistance(int16_t figure, int16_t team) {
    if (!ValidPlayer(figure)) return;
    const MatchFigure& p = MatchFigures[figure];
    GoalDistanceScratch = Match_ApproxDistance(p.x, p.y, kPitchCentreX, ForwardGoalLine(team & 1));
}

uint16_t Match_GoalDirection(int16_t figure, int16_t mode, int16_t team) {
    if (!ValidPlayer(figure)) return 0;
    const MatchFigure& p = MatchFigures[figure];
    const int own = figure / kTeamFigures;
    const int16_t goalLine = ForwardGoalLine(team & 1);
    const bool upfield = goalLine == kGoalLineHigh;
    int16_t aimX = kPitchCentreX;

    const int16_t marker = BallRanking[(CurrentTeam & 1) ^ 1][0];
    int room = 0;
    if (ValidPlayer(marker)) {
        room =
            Match_ApproxDistance(p.x, p.y, MatchFigures[marker].x, MatchFigures[marker].y) * p.dribble / 100;
    }
    const int behind = Goals[own ^ 1] - Goals[own];
    const int urgency = (behind > 0 ? 4 * behind : 0) + p.goals;
    const int16_t line = OffsideLine[own ^ 1];
    const bool pastDefence = upfield ? p.y > line : p.y < line;

    if (mode == 0 && !pastDefence) {
        const int skill = MatchPlayerSkill(figure);
        const bool wideRunner = p.tacticBytes[3] != 0;
        bool wing = false;
        if (urgency == 0 || !wideRunner) {
            wing =
                p.x < p.dribble + skill + 100 + kTouchLineLeft ||
                p.x > kTouchLineRight - (MatchSlotRoleChoice(figure, int16_t(skill / 2)) + 100 + p.dribble);
        }
        if (wing) {
            aimX = RunAimX(p.x, room);
        } else if (wideRunner) {
            // Near the middle no wide line is given: he keeps his own.
            int16_t wideX = p.x;
            if (p.x < kPitchCentreX - kWideRunBand) wideX = kWideRunLeftX;
            if (p.x > kPitchCentreX + kWideRunBand) wideX = kWideRunRightX;
            aimX = RunAimX(wideX, room);
        } else {
            const int reach = p.intelligence + p.shooting + p.dribble;
            const int16_t areaLine = upfield ? kAreaHighY : kAreaLowY;
            const bool nearArea = upfield ? p.y >= areaLine - reach : p.y <= areaLine + reach;
            aimX = nearArea ? kPitchCentreX : RunAimX(p.x, room);
        }
    }
    if (mode != 2) GoalDistanceScratch = Match_ApproxDistance(p.x, p.y, kPitchCentreX, goalLine);
    return Match_DirectionSector(p.x, p.y, aimX, goalLine, 256);
}

void Match_StepTowardX(int16_t figure, int16_t x, int16_t y) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    MatchFigure& f = MatchFigures[figure];
    int32_t x16 = f.x16, y16 = f.y16;
    x16 += Sign(x - f.x) * kUnit;
    y16 += Sign(y - f.y) * kUnit;
    f.x16 = x16;
    f.y16 = y16;
    f.x = int16_t(x16 / kUnit);
    f.y = int16_t(y16 / kUnit);
}
