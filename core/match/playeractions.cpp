#include "core/match/playeractions.h"

#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/officials.h"

int16_t KickOffTicks;
int16_t KickOffWaitCount;

namespace {

void StandFacingBall(int16_t figure) {
    MatchStepPlayerAnim(figure, MatchFigures[figure].ballDirection & 255);
}

}  // namespace

void Match_ActNothing(int16_t) {}

void Match_ActStandTurningToBall(int16_t figure) { StandFacingBall(figure); }
