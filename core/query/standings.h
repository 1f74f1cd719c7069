// Query layer: the zone place counts of a division, the reserve-league
// table and a fixture's crowd.
#pragma once
#include <cstdint>

// Per division of the country: the promotion places at the top, the
// play-off places of the division's own clubs directly below them, and the
// relegation places at the bottom; 0 for a division or country out of
// range.
int16_t HVW_GetPromotionPlaces(int16_t division, int16_t country);
int16_t HVW_GetPlayOffPlaces(int16_t division, int16_t country);
int16_t HVW_GetRelegationPlaces(int16_t division, int16_t country);
// 1 when the division holds play-offs.
int16_t HVW_HasPlayOffPlaces(int16_t division, int16_t country);
// The entries of a division's play-off list.
int16_t HVW_CountPlayOffEntries();

// The club at a place of the division's reserve-league table (65535 none).
int16_t HVW_GetFlaggedTableClub(int16_t division, int16_t place, int16_t country);

// The fixture's attendance (23 bits); 0 for a slot out of range.
int32_t HVW_GetFixtureAttendance(int16_t slot);
