// Query layer: what the friendlies screen asks of the fixture table.
#pragma once
#include <cstdint>

// The club's fixture on the day: its competitive fixture, else its
// friendly; -1 when it plays neither.  National-team days (whose club
// fields hold nations) never count.
int16_t HVW_FindCompetitiveOrFriendlyOnDay(int16_t club, int16_t day);
// The other club of a fixture slot, -1 for a slot the club does not play.
int16_t HVW_GetClubOpponentInSlot(int16_t slot, int16_t club);
int16_t HVW_GetFixtureCompetition(int16_t slot);
// Marks busy[c] for every club c with a fixture of any kind (national-team
// days left out) on a day from first to last; days before 0 are skipped.
void HVW_MarkClubsBusyBetween(int16_t first, int16_t last, bool busy[1200]);
// 1 when the club has no fixture of any kind from first to last, else 0.
int16_t HVW_IsClubFreeBetween(int16_t club, int16_t first, int16_t last);
