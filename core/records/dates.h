// Day numbers of the season and the finance weeks.
#pragma once
#include <cstdint>

// The finance week of a day: day x 52 / 365.
int16_t DaysToWeeks(int16_t day);
