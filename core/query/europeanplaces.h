// Query layer: European qualification, the Champions League groups and where
// a fixture sits in its competition.
#pragma once
#include <cstdint>

extern int16_t EuroQualifiers[10];
void GetEuroQualifiers(int16_t* countA, int16_t* countC, int16_t country);
// The group 0-7 of the club in the stage's group table, the first that
// holds it; a club in no group ends the program.
int16_t HVW_GetChampionsLeagueGroup(int16_t club, int16_t stage);
int16_t HVW_GetChampionsLeagueGroupClub(int16_t place, int16_t group, int16_t stage);
int16_t HVW_GetEuroPlaceReasonText(int16_t club, int16_t country);
int16_t HVW_GetEuroPlaceClub(int16_t division, int16_t* text, int16_t k, int16_t country);
int16_t HVW_IsEuroPlaceFlagSet(int16_t i, int16_t j);
int16_t HVW_GetEuroPlaceCount();
void HVW_GetFixtureCompPosition(int16_t slot, int16_t* division, int16_t* cup, int16_t* round);
