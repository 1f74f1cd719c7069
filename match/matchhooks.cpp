#include "match/matchhooks.h"

void MatchSfx_PlayEvent(int16_t event, int16_t team) {
    if (MatchHooks.soundEvent != nullptr) MatchHooks.soundEvent(event, team);
}

void InfoBar(int16_t message, int16_t figure, int16_t minute) {
    if (MatchHooks.infoBar != nullptr) MatchHooks.infoBar(message, figure, minute);
}

void Crowd_AddExcitement(int16_t amount) {
    if (MatchHooks.crowdExcitement != nullptr) MatchHooks.crowdExcitement(amount);
}

void D3DGame_RecordNetImpact() {
    if (MatchHooks.netImpact != nullptr) MatchHooks.netImpact();
}
