// Stadium, stands and their redevelopment.
#pragma once
#include <cstdint>

// Stand redevelopment for a human-managed club.
void HumanGroundRedevelopment(int16_t club);
