// The in-match keys' display switches and the mouse pointer of the shown
// match.  Each overlay switch shows its overlay while it is non-zero; the
// switches keep their values from one match to the next.
#pragma once
#include <cstdint>

extern int16_t TouchMarkerSwitch;
extern int16_t BallPathSwitch;
extern int16_t NameLabelSwitch;
extern int16_t PitchRadarSwitch;

// The pointer in pixels of an 800 x 600 screen and the left button.
struct MatchMouseState {
    int32_t x, y;
    int32_t leftHeld;  // non-zero while the left button is down
};
extern MatchMouseState MatchMouse;

void MatchMouse_Get(int32_t* x, int32_t* y);
