#include "core/season/competitions.h"

uint8_t CompetitionTable[516096];
uint8_t ClubCompetitionTable[kClubCount][126];
int16_t CompetitionPositionWords[6];
uint8_t UnusedSeasonBytesA[28];
uint8_t UnusedSeasonBytesB[200];
uint8_t EuropeanPlaceRecords[522];
uint8_t ClubMarkRecords[7200];
uint8_t UnusedSeasonBytesC[232];
uint8_t NewGameByte;
CountryCompetitionNames CompetitionNames[9];
