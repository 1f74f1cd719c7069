// The crowd's excitement, raised by the engine at exciting moments of play
// (ball contacts, fouls, saves).  It is kept and capped; nothing shown or
// heard reads it, as the rules give it no reader.
#pragma once
#include <cstdint>

constexpr int16_t kCrowdExcitementCap = 2000;

extern int16_t CrowdExcitement;

void Crowd_AddExcitement(int16_t amount);
// Raises the excitement by how close (x, y) lies to the goal the team
// defends, along the pitch.
void Crowd_AddExcitementNearGoal(int16_t team, int16_t x, int16_t y = 0);
