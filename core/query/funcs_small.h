// Query layer: small members: forwarders, display percentages of the 0..60
// fields, squad-list membership tests and a few plain table operations.
#pragma once
#include <cstdint>

int16_t HVW_GetClubSeasonLoans(int16_t club);
void HVW_SetPlayerIntShirt(uint16_t player, int16_t shirt);
void HVW_SetClubSeasonMerchandising(int16_t club, int32_t value);
void HVW_SetClubWeeksMerchandising(int16_t club, int16_t week, int32_t value);
int16_t HVW_GetFixtureField16(int16_t slot);
int16_t HVW_GetFixtureField12(int16_t slot);
void HVW_ClubSquadPass2(int16_t club);

// The player's rank (0 = best) among the club's players; -1 when unranked.
int16_t HVW_IsPlayerAvailable(uint16_t player, int16_t club);
int16_t HVW_GetClubGenerosity(int16_t club);
int16_t HVW_GetClubSquadHappinessPct(int16_t club);
int16_t HVW_GetClubManagerFansPct(int16_t club);
int16_t HVW_GetBoardConfidence(int16_t club);
int16_t HVW_GetPlayerField117(uint16_t player);
int16_t HVW_GetPlayerStat(uint16_t player, int16_t stat);
int16_t HVW_GetPlayerStat27(uint16_t player);
void HVW_SetPlayerField96(uint16_t player, int16_t value);
int16_t HVW_GetPlayerField92(uint16_t player);
void HVW_SetPlayerFlag95(uint16_t player, int16_t value);
int16_t HVW_GetPlayerFlag95(uint16_t player);
int32_t HVW_GetPlayerClause1(uint16_t player);
int16_t HVW_GetPlayerClause2(uint16_t player);
int16_t HVW_GetPlayerClause3(uint16_t player);
int32_t HVW_GetPlayerClause4(uint16_t player);
int32_t HVW_GetPlayerClause5(uint16_t player);
int32_t HVW_GetPlayerClause6(uint16_t player);
int32_t HVW_GetPlayerClause7(uint16_t player);
int16_t HVW_GetPlayerClause8(uint16_t player);

// Builds the club's squad lists, then runs the daily fitness change.
void HVW_PlayerFitnessDailyOfClub(int16_t club);

// Fitness and fatigue are kept 0..60: a percentage p is stored as
// (p + 1) x 60 / 100.
void HVW_SetPlayerFitnessPercent(uint16_t player, int16_t percent);
void HVW_SetPlayerFatiguePercent(uint16_t player, int16_t percent);
int16_t HVW_GetPlayerField105Percent(uint16_t player);
int16_t HVW_GetPlayerField96Percent(uint16_t player);

// 0..100 sort key of the player lists: half form, half performance.
int16_t HVW_GetPlayerFormScore(uint16_t player);

// 1 when the player is in that list of the club's squad lists, else 0.
int16_t HVW_IsInSelectedTeam(uint16_t player, int16_t club);
int16_t HVW_IsInNationalSquad(uint16_t player, int16_t club);
int16_t HVW_IsInThirdSquadList(uint16_t player, int16_t club);

// The first national-squad player, up to the list's first empty slot,
// wearing that national shirt; 0 when none.
uint16_t HVW_FindIntSquadPlayerByShirt(int16_t shirt);

// Cut to 15 characters and a NUL.
void HVW_SetPlayerSurname(uint16_t player, const char* surname);

// 2430 + code for a position code 0..12, else -1.
int16_t HVW_GetPositionTextId2430(int16_t code);
// The text naming a position 0..13; -1 for any other number.
int16_t GetPositionNameTextId(int16_t position);

// Two saved 16-bit words of the game state: written to the out and
// returned.
int16_t HVW_GetStateWord1(int16_t* out);
int16_t HVW_GetStateWord2(int16_t* out);

// Clears the side counters and the match count of a referee 0..399 who is
// in use.
void HVW_ResetRefereeCounters(int16_t referee);

// Square root rounded to the nearest whole number; -1 for a negative n.
int32_t HVW_RoundedSquareRoot(int32_t n);

// 0..22.
uint8_t HVW_RandomBelow23();
