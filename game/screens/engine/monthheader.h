// A row of twelve month names from the month of the current game day on,
// under the shared title bar, with a way back to the club.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kMonthColumns = 12;

extern const MenuItem MonthHeaderTable[];

void MonthHeaderMenuProc();
int32_t MonthHeader_Back(MenuHotItem*);
// The text id shown in column 0..11.
int16_t MonthHeaderColumnText(int column);
