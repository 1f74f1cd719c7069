// Squad mood: camps, friends and rivals inside a squad, homesickness, and
// the top earner's claim to the club's best wage.
#pragma once
#include <cstdint>

// One club's roster (up to its first empty slot) after its squad was
// evaluated: the mood effects on each player.
void ClubSquadMoodJob(int16_t club);
// A team-mate of the player's camp, happier than he is (1 in 10 each); 0
// when none.
uint16_t FindHappierCampMate(uint16_t player);
// A team-mate of the opposite camp and a stronger will (1 in 20 each); 0
// when none.
uint16_t FindRivalCampMate(uint16_t player);
// A foreign player with no compatriot at the club pines; two or more lift
// him.
void HomesicknessCheck(uint16_t player);
