// Scouting state of the user's club.
#pragma once
#include <cstdint>

extern uint16_t ScoutingWordPair[2];
extern uint16_t ScoutingWord;

// The weekly scouting job, run when the week starts again.
void Scout_WeeklyJob();
