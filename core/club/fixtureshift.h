// Moving one league fixture by a day, by country and move code.
#pragma once
#include <cstdint>

// Moves the fixture in the slot to another day by the country's rule for the
// move code; today is the day the caller is laying out.
void ShiftFixtureDay(int16_t fixture, int16_t today, int16_t moveCode, int16_t country);
