// The per-player match record of club management.
#pragma once
#include <cstdint>

// One player's match: three figures of his report (rating, goals,
// assists), his number, morale, fatigue, fitness and workload field, a
// zero, two bytes of the report (minutes on and off) and its card and
// injury states.  Nothing is kept: no record is laid down that would hold
// these figures, and the appearances and goals reach the player's history
// by their own road.
void RecordPlayerMatch(int16_t rating, int16_t goals, int16_t assists, uint16_t player, int16_t morale,
                       int16_t fatigue, int16_t fitness, int16_t workload, int16_t zero, uint8_t minuteOn,
                       uint8_t minuteOff, int16_t cardState, int16_t injuryState);
