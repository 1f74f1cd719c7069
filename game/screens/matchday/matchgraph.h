// The match graph (results loop view 5): the smoothed share of play of one
// side minute by minute over a grid of 100 percent, with two bar series
// sampled every ten minutes; a pop-up switches the side and the series, a
// second leads back into the results loop.  It reads the user's kept match.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kGraphMinutes = 120;

// The shown side (1 the second) and the three series toggles (0 shown):
// C the smoothed share, A and B the bar series.
extern uint16_t MatchGraphSide;
extern uint16_t MatchGraphHideC;
extern uint16_t MatchGraphHideA;
extern uint16_t MatchGraphHideB;

extern const MenuItem MatchGraphTable[];
void MatchGraphMenu();

// The series of a side from the per-minute bytes (at most 120 read,
// stopping at the end marker 255 from index 85 on; a value above 100
// before it counts as 100; side 1 reads |v - 100|), smoothed: each value
// moves a fifth (toward zero) of the way to the next.  Gives the values
// read and the x step per minute (5 up to 90 values, else 3).
int MatchGraph_Series(const uint8_t* minutes, int side, uint16_t* smoothed, int* step);

// The series pop-up (0 side, 1 series C, 2 series A, 3 series B) and the
// exit pop-up (0 the share chart, 1 the result board, 2 the team
// statistics).
int32_t MatchGraph_Toggle(PopupCallBlock* call);
int32_t MatchGraph_Exit(PopupCallBlock* call);

// For tests: the series' point count, the score line and the side label.
int MatchGraphPoints();
const char* MatchGraphScoreLine();
const char* MatchGraphSideLabel();
