// Query layer: dates, recent form, banded rating texts and the reserve-league
// rows.
#pragma once
#include <cstdint>

// Weekday 0..6, day of month 1..31, month 0..11 and year of a day number.
void HVW_DayNumberToFullDate(int16_t day, int16_t season, uint8_t* weekday, uint8_t* dayOfMonth,
                             uint8_t* month, int16_t* year);

// Five letters of the last five code-120 results, latest first; static.
const char* HVW_GetClubFormString120(int16_t club);

// Points (0..15) of the last five code-120 or league matches; the summed
// winning margin to the out.
int16_t HVW_GetClubRecentForm120(int16_t club, int16_t* margin);
int16_t HVW_GetClubRecentLeagueForm(int16_t club, int16_t* margin);

// Balance plus the value of every squad player.
int32_t HVW_GetClubWorth(int16_t club);

// -1, or 0..4 for a player the user's scouts do not know.
int16_t HVW_GetUnscoutedPlayerVariant(uint16_t player);

// Text ids of a 0..100 percentage (divisor 5) or 0..99 value (divisor 10);
// -1 outside the band.
int16_t HVW_GetManagerFansText(int16_t percent);
int16_t HVW_GetBoardConfidenceText(int16_t percent);
int16_t HVW_GetSquadHappinessText(int16_t percent);
int16_t HVW_GetClubSupportText(int16_t value);
int16_t HVW_GetClubGenerosityText(int16_t value);
int16_t HVW_GetClubTenureText(int16_t value);

// Words of the club's reserve-league record: played, points, place + 1.
void HVW_GetClubTableRow(int16_t club, int16_t* played, int16_t* points, int16_t* place);

// Words 1..5 (home) and 6..10 (away) of the reserve-league record.
void HVW_GetClubTableGroup1(int16_t club, int16_t* a, int16_t* b, int16_t* c, int16_t* d, int16_t* e);
void HVW_GetClubTableGroup2(int16_t club, int16_t* a, int16_t* b, int16_t* c, int16_t* d, int16_t* e);
int16_t HVW_GetDivisionTable2Club(int16_t division, int16_t row, int16_t country);

// Home and away goals for and against of the league record; their for
// sum, or -1 for a club outside the leagues.
int16_t HVW_GetClubSeasonFigures(int16_t club, int16_t* homeFor, int16_t* awayFor, int16_t* homeAgainst,
                                 int16_t* awayAgainst);

// The fixture's 23-bit value (its attendance).
int32_t HVW_GetFixtureWord12(int16_t slot);
void HVW_StoreFormationTotal();
void HVW_CheckFormationTotal();

// The check total of the formation tables.
extern int16_t FormationCheckTotal;

// Per country: 1 while the user's scouts know the country's players.
extern int16_t CountryScoutedFlags[9];
