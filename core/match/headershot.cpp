#include "core/match/headershot.h"
#include "core/match/actions.h"

#include <cstdlib>

#include "core/base/random.h"
#include "core/match/highball.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchrules.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"

namespace {

constexpr int kBackBand = 96;

int Fold(int difference) {
    const int d = std::abs(difference) & 255;
    return d > 128 ? 256 - d : d;
}

int Draw(int n) { return n > 0 ? int(GameRandom() % n) : 0; }

}  // namespace

void MatchHeadingCheck(int16_t figure, uint16_t goalDirection, int16_t flag) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    MatchFigure& p = MatchFigures[figure];
    const int angle = Fold(int(goalDirection) - int(p.facing & 255));
    const int facingBand = flag == 1 ? 32 : 20;

    // In every band: a jump at a ball close to goal, else a duel with the
    // opponent in front of him.
    if (GoalDistanceScratch < 320 && Draw(400) < p.agility && BallPrediction.bestDistance < 16) {
        Match_SetPlayerAction(figure, kActionAirBackHeader);
        return;
    }
    const int16_t opponent = MatchFindOpponentInFront(figure);
    if (opponent > 0 && opponent < kPlayerFigures) {
        Match_SetPlayerAction(figure, kActionClearingHeader);
        Match_SetPlayerAction(opponent, kActionAerialChallenge);
        return;
    }
    if (angle < facingBand) {
        // Facing goal: at the aim point, the better headers at goal itself.
        Match_DecideWithBall(figure, 3);
        const int roll = 100 - Draw(p.heading + 1);
        if (roll <= p.heading) {
            Match_SetPlayerAction(figure, Draw(2) == 0 ? kActionHeaderAtGoal : kActionHeaderAtAim);
        } else {
            Match_SetPlayerAction(figure, kActionHeader);
        }
    } else if (angle < kBackBand) {
        Match_SetPlayerAction(figure, kActionAttackingHeader);
    } else {
        Match_SetPlayerAction(figure, kActionBackHeader);
    }
}

void MatchTryShot(int16_t figure, uint16_t direction) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    const MatchFigure& p = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    const int16_t nearest = BallRanking[team ^ 1][0];
    const int challenge = nearest >= 0 && nearest < kPlayerFigures ? MatchFigures[nearest].ballDistance : 0;
    uint16_t chosen;
    if (challenge < (148 - p.tackling) / 2) {
        // Up or down the pitch, whichever is nearer the way he plays it.
        const int way = direction & 255;
        chosen = Fold(way) <= Fold(way - 128) ? 0 : 128;
    } else {
        chosen = Match_GoalDirection(figure, 1, int16_t(team));
    }
    MatchAimAlong(chosen);
}
