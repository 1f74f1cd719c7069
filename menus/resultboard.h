// The result board of the user's match, the first screen of the results
// loop after it: the score and the continue icon that leaves the loop.
#pragma once
#include <cstdint>

#include "menus/machine.h"

extern const MenuItem ResultBoardTable[];
void ResultBoardMenuProc();
// The two score lines the board shows.
const char* ResultBoardHomeLine();
const char* ResultBoardAwayLine();
