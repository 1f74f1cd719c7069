#include "match/matchhooks.h"

void MatchSfx_PlayEvent(int16_t event, int16_t team, int32_t /*value*/) {
    if (MatchHooks.soundEvent != nullptr) MatchHooks.soundEvent(event, team);
}

void D3DGame_RecordNetImpact() {
    if (MatchHooks.netImpact != nullptr) MatchHooks.netImpact();
}

void SkidMark_Add(int16_t x, int16_t y, float size, uint16_t facing, int16_t kind) {
    if (MatchHooks.skidMark != nullptr) MatchHooks.skidMark(x, y, size, facing, kind);
}
