#include "core/match/offside.h"

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"

int16_t OffsideStrictness = 50;
OffsideRecordValues OffsideRecord;
int16_t SetPieceWord;

namespace {

bool ValidPlayer(int16_t figure) { return figure >= 0 && figure < kPlayerFigures; }

}  // namespace

bool MatchBeyondOffsideLine(int16_t figure, int attackers) {
    if (!ValidPlayer(figure)) return false;
    const MatchFigure& f = MatchFigures[figure];
    if (f.off != 0) return false;
    attackers &= 1;
    const int16_t line = MatchLastDefenderY[attackers ^ 1];
    const int16_t y = int16_t(f.y);
    if (attackers == AttackDirection) return y > line && y > kPitchHalfwayY;
    return y < line && y < kPitchHalfwayY;
}

void MatchDrawOffsideStrictness() { OffsideStrictness = int16_t(20 + GameRandom() % 80); }

void MatchMarkOffside(int16_t figure) {
    if (MatchPhase != kPhaseOpenPlay || !ValidPlayer(figure)) return;
    const int attackers = CurrentTeam & 1;
    const bool ballInAttackingHalf =
        attackers == AttackDirection ? BallState.y > kPitchHalfwayY : BallState.y < kPitchHalfwayY;
    if (!ballInAttackingHalf) return;
    MatchFigure& p = MatchFigures[figure];
    if (p.offsideMark == 0 || !MatchBeyondOffsideLine(figure, attackers)) return;
    int beyond = p.y - MatchLastDefenderY[attackers ^ 1];
    if (beyond < 0) beyond = -beyond;
    if (beyond < kOffsideTolerance && GameRandom() % 100 > OffsideStrictness) return;

    OffsideRecord = {BallState.x, BallState.y, uint8_t(attackers), figure};
    MatchPhase = kPhaseOffside;
    ++p.counts[kCountOffsides];
    SetPieceWord = 0;
    if (p.y > kPitchHalfwayY) {
        Match_SetPlayerAction(kRefereeFigure + 1, kOfficialTurnAndStandA);
    } else {
        Match_SetPlayerAction(kRefereeFigure + 2, kOfficialTurnAndStandB);
    }
}

void MatchMarkTeamOffside(int16_t figure) {
    if (MatchPhase != kPhaseOpenPlay || !ValidPlayer(figure)) return;
    const int team = figure / kTeamFigures;
    const bool forward = team == AttackDirection ? BallState.vy > 0 : BallState.vy < 0;
    for (int slot = 1; slot <= 10; ++slot) {
        const int16_t mate = MatchLineUp[team][slot];
        if (!ValidPlayer(mate)) continue;
        MatchFigure& g = MatchFigures[mate];
        g.offsideMark = 0;
        if (mate == figure) continue;
        if (!forward || !MatchBeyondOffsideLine(mate, team)) continue;
        g.offsideMark = 1;
        if (g.offsideWord == 0) {
            g.offsideWord = uint16_t((100 - MatchSlotRoleChoice(mate, g.intelligence)) / 2 + 1);
        }
    }
}

void MatchClearOffsideFlags() {
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        MatchFigures[figure].offsideMark = 0;
        if (MatchPhase != kPhaseOpenPlay) MatchFigures[figure].offsideWord = 0;
    }
}
