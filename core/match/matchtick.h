// The match loop and the tick: one fixed simulation step, the same for a
// shown and an unshown match.
#pragma once
#include <cstdint>

void MatchTick();
void MatchLoopDisplayed();

// Display steps, forwarded to the display side (nothing while unset).
void Match3D_UpdateAndRender();
void MatchTickDisplayStep();
