// Stadium, stands and their redevelopment.
#pragma once
#include <cstdint>

// Stand redevelopment for a human-managed club.
void HumanGroundRedevelopment(int16_t club);

// Lays out a club's four stands from the total capacity of its shipped
// database row (`record`, an index of the club rows) at a new game.
void BuildStandsFromCapacity(int16_t club, int16_t record);
