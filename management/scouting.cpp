#include "management/scouting.h"

uint16_t ScoutingWordPair[2];
uint16_t ScoutingWord;

// Least form until scouting by region is built: scouts report nothing.
void Scout_WeeklyJob() {}
