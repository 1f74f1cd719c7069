#include "core/match/matchhooks.h"

void MatchSfx_PlayEvent(int16_t event, int16_t team, int32_t /*value*/) {
    if (MatchHooks.soundEvent != nullptr) MatchHooks.soundEvent(event, team);
}
