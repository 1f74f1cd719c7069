// The board view (screen 106): how the board, the fans and the squad see
// the manager of the selected club, each as a percentage with its words,
// beside the board's support and generosity and the club's standing.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

extern const MenuItem BoardViewTable[];
void BoardViewMenuProc();
// The first pass after entry: every line of the screen.
void BoardViewBuild();

// What the screen shows, for tests: 0 board, 1 fans, 2 squad.
const char* BoardViewManagerName();
const char* BoardViewRatingLine(int line);
int16_t BoardViewBandText(int line);
int16_t BoardViewSupportText();
int16_t BoardViewGenerosityText();
