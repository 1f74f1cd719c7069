#include "generic/matchkeys.h"

int16_t TouchMarkerSwitch;
int16_t BallPathSwitch;
int16_t NameLabelSwitch;
int16_t PitchRadarSwitch;
MatchMouseState MatchMouse;

void MatchMouse_Get(int32_t* x, int32_t* y) {
    *x = MatchMouse.x;
    *y = MatchMouse.y;
}
