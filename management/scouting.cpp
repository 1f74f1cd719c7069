#include "management/scouting.h"

uint16_t ScoutingWordPair[2];
uint16_t ScoutingWord;
