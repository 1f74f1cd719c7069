// The match loop and the tick: one fixed simulation step, the same for a
// shown and an unshown match.
#pragma once
#include <cstdint>

// Calls of MatchTick without display; the front end is kept alive on every
// 400th.
extern uint32_t MatchFrameTimerCalls;

void MatchTick();
void MatchLoopDisplayed();

// Display steps, forwarded to the display side (nothing while unset).
void Match3D_UpdateAndRender();
void MatchTickDisplayStep();
