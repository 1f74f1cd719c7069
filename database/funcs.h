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

// The user's club: the club of player 1; -1 before any player is loaded.
int16_t HVW_GetMyClub();
// Cup block 0-6 of a cup code 5..116, else -2.
int16_t HVW_GetCupIndex(int16_t competition);
// Row 0-5 of the club's country's league table that holds it; 0 when not
// found or the club is not 0-1199.
int16_t HVW_FindClubInDivisionRows(int16_t club);
// Where a fixture sits in its competition: the division row of its home
// club for codes 0-3 and 120, the cup block and round index for cup codes;
// -2 where a part does not apply (round -1 for other codes).
void HVW_GetFixtureCompPosition(int16_t slot, int16_t* division, int16_t* cup, int16_t* round);
// The user's fixture of the day (userSlot) and his reserve-league fixture
// (flaggedSlot), -1 when none, and how the day's other fixtures divide
// into his group, his reserve-league group and the rest.
void HVW_CountFixturesOnDay(int16_t day, int16_t* userSlot, int16_t* sameCount,
                            int16_t* flaggedSlot, int16_t* flaggedCount, int16_t* otherCount);
