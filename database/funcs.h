// The query layer the screens use to reach the game's records.
#pragma once
#include <cstdint>

// A 24-byte table of the query layer.
extern uint8_t QueryLayerTable[24];

// The country (0..8) whose leagues the screens show.
extern int8_t ViewedCountry;
int16_t HVW_GetViewedCountry();
void HVW_SetViewedCountry(int16_t country);

// Money per spectator for a division (0..5) of a country (0..8).
int16_t HVW_GetTicketPrice(int16_t division, int16_t country);
// Class 0..7 of the club's standing in its division, from its base Rep.
int16_t HVW_GetClubStandingClass(int16_t club);

// A player's initial, a full stop and his surname ("J.Smith"), or the
// surname alone for a player without an initial; in a static buffer that the
// next call overwrites.
const char* HVW_GetPlayerShortName(uint16_t player);
