// Query layer: match-day look-ups, a player's match ratings and his
// standing with the fans.
#pragma once
#include <cstdint>

// The user's last fixture, set by HVW_FindUserLastFixture (0 when none).
extern int16_t HVW_LastFixtureSlot;

// The club's first fixture on or after the day of the competition (-1
// any; code 120 only with the flag set); 20000 when none.
int16_t HVW_FindClubFixtureFromDay(int16_t club, int16_t competition, int16_t withReserve, int16_t day);

// The other club of the fixture and the club's side (0 home, 1 away); -1
// and side 65535 when the club does not play in it.
int16_t HVW_GetFixtureOpponent(int16_t club, int16_t slot, uint16_t* side);

// kind 0: any code but 120; kind 1: code 120.  -1 when none.
int16_t HVW_FindClubFixtureOnDayByKind(int16_t club, int16_t day, int16_t kind);

// Flag 0: the last fixture before today; else the last up to today.
void HVW_FindUserLastFixture(int16_t includeToday);

// Rating 0..99 of the player in slot 0..15 of team 0..1 of the last match
// in category 0..5; the same of a player report of any result block.
int16_t HVW_CalcReportPlayerAttribute(const uint8_t* playerReport, int16_t category);
int16_t HVW_CalcMatchPlayerAttribute(int16_t slot, int16_t team, int16_t category);
int16_t HVW_GetMatchPlayerAttribute(int16_t slot, int16_t team, int16_t category);

// Text id of the player's fans band (21 bands).
int16_t HVW_GetPlayerFansText(uint16_t player);
