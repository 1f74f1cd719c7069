// One tick of a match figure's action handler, as the action dispatcher
// runs it: the figure's team and place go in, its new place comes out.
#pragma once
#include <cstdint>

#include "core/match/actionmachine.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"

namespace testenv {

inline void RunActionTick(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    CurrentTeam = uint8_t(figure / kTeamFigures);
    MatchCurX = f.x;
    MatchCurY = f.y;
    MatchCurX16 = f.x16;
    MatchCurY16 = f.y16;
    MatchActionHandlerOf(f.action)(figure);
    f.x16 = MatchCurX16;
    f.y16 = MatchCurY16;
    f.x = int16_t(f.x16 / 65536);
    f.y = int16_t(f.y16 / 65536);
}

}  // namespace testenv
