// What the club screens ask of the records: the divisions of a country as
// the screens list them (club counts, how many, their editable names) and
// a club's manager.
#pragma once
#include <cstdint>

// The division's number of clubs; 0 when there is no such division.
int16_t HVW_GetClubsInDivision(int16_t divisionRow, int16_t country);
// How many of the country's divisions, from the first, have clubs.
int16_t HVW_CountDivisions(int16_t country);
// The division's 34-byte name; nullptr past the country's divisions or for
// a country without a name set.
const char* HVW_GetDivisionName(int16_t divisionRow, int16_t country);

// The club's manager (a player number; for the user's club player 1), 0
// when it has none.
uint16_t HVW_GetClubManager(int16_t club);

// The league places recorded for the home and the away club with the
// fixture's result (0 when none was recorded); 0 for a slot outside the
// table.
int16_t HVW_GetFixtureHomePlace(int16_t slot);
int16_t HVW_GetFixtureAwayPlace(int16_t slot);

// The club's best performer: of its team-list players with more
// appearances than 60 percent of the matches the club has played before
// today (reserve-league matches not counted), the one with the highest
// performance rating; 0 when there is none.
uint16_t HVW_GetBestPerformer(int16_t club);
// The club's outfield team-list player with the most goals; 0 when none
// has scored.
uint16_t HVW_GetTopScorer(int16_t club);

// Whether the club can field the sheet of kind 0 (its team list) or 1 (the
// reserve-league sheet) today: 0 it can; 2 it has too few players for a
// match; 1 a chosen player cannot play (injured, suspended, away or
// cup-tied).
int16_t HVW_CheckTeamForMatch(int16_t club, int16_t kind);

// ---- The history screens ----------------------------------------------------------

struct ClubHistoryEntry;
struct ClubRecordBook;

// The club's history log: up to kClubLogEntries of its history entries,
// newest season first, copied into the buffer; their number (0 for a club
// outside 0-1199).
constexpr int kClubLogEntries = 100;
int16_t HVW_GetClubHistoryLog(int16_t club, ClubHistoryEntry* buffer);
// Scorer slot 0-4 of the club's season entry 0-9 (0 the latest season
// played) and his goals; 0 for a slot, entry or club outside the record.
uint16_t HVW_GetSeasonScorer(int16_t club, int16_t slot, int16_t entry);
int16_t HVW_GetSeasonScorerGoals(int16_t club, int16_t slot, int16_t entry);
// The club's ten records, decoded.
ClubRecordBook HVW_GetClubRecordBook(int16_t club);

// Club k (0-3) of group 0-7 of the European group stage 0 or 1; -1 for an
// empty place or a number outside the groups.
int16_t HVW_GetEuroGroupClub(int16_t k, int16_t group, int16_t stage);
// The country's two season day words: the day its league season starts and
// the day it ends.
int16_t HVW_GetCountryDayWord(int16_t country);
int16_t HVW_GetCountryEndDayWord(int16_t country);
