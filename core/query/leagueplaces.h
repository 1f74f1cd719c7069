// Query layer: league places, standing classes, form, honours readers,
// record holders and the merges of a match into the club season blocks.
#pragma once
#include <cstdint>

struct ClubRecord;
struct MatchResultBlock;
struct TeamMatchReport;

int16_t HVW_FindClubInDivisionRows(int16_t club);
int16_t HVW_GetClubTablePosition(int16_t club);
int16_t HVW_GetLeaguePlace(int16_t club);
const char* HVW_GetLeaguePosTextForTeam(int16_t club, int16_t division);
int16_t HVW_GetLeagueTableClub(int16_t country, int16_t row, int16_t place);
void HVW_GetClubSeasonTotals(int16_t club, int16_t* played, int16_t* points, int16_t* place);
void HVW_GetClubSeasonHomeRecord(int16_t club, int16_t* won, int16_t* drawn, int16_t* lost, int16_t* goalsFor,
                                 int16_t* goalsAgainst);
void HVW_GetClubSeasonAwayRecord(int16_t club, int16_t* won, int16_t* drawn, int16_t* lost, int16_t* goalsFor,
                                 int16_t* goalsAgainst);

// Class 0..7 of the club's standing in its division, from its base Rep.
int16_t HVW_GetClubStandingClass(int16_t club);
int16_t HVW_GetStandingClassText(int16_t standingClass);

// Five letters of the last five league results, latest first; static.
const char* HVW_GetClubFormString(int16_t club);
int16_t HVW_GetCompRoundWord(int16_t division, int16_t country);
int16_t HVW_CountCompRounds(int16_t country);
int16_t HVW_CountCompRounds2(int16_t country);
int16_t HVW_GetCupIndex(int16_t competition);
int16_t HVW_GetCupIndexForText(int16_t competition);
int16_t HVW_GetCupRoundIndex(int16_t competition);
int16_t HVW_GetCompTextIdByIndex(int16_t n);
int16_t HVW_GetHonoursEntry(int16_t row, int16_t column, int16_t* second, int16_t country);
int16_t HVW_IsHonoursColumnClub(int16_t club, int16_t column, int16_t row, int16_t country);
int16_t HVW_GetHonoursPair1(int16_t row, int16_t division, int16_t* club, int16_t country);
int16_t HVW_GetHonoursPair2(int16_t row, int16_t division, int16_t* club, int16_t country);
int16_t HVW_GetHonoursPair3(int16_t row, int16_t division, int16_t* club, int16_t country);
int16_t HVW_GetHonoursTriple(int16_t row, int16_t division, int16_t* club, int16_t* goals, int16_t country);
int16_t HVW_FindRecordGoalsClub(int16_t* season, int16_t* player);
int16_t HVW_FindRecordCrowdClub(int16_t* season, int16_t* clubText);
int16_t HVW_FindRecordWinClub(int16_t* opponentText, int16_t* season);
int32_t HVW_FindRecordBuyClub(int16_t* player, int16_t* clubText, int16_t* sellerText, int16_t* season);
int16_t HVW_FindCountryRecordA(int16_t* season, int16_t* clubText);
int16_t HVW_FindCountryRecordB(int16_t* season, int16_t* clubText);
int16_t HVW_FindCountryRecordC(int16_t* season, int16_t* clubText);
int16_t HVW_GetCountryRecordA(int16_t club);
int16_t HVW_GetCountryRecordB(int16_t club);
int16_t HVW_GetCountryRecordC(int16_t club);

// Merges of a team's match report into the club's season blocks.
void HVW_AddMatchCounters(ClubRecord* club, const TeamMatchReport* report, int16_t block);
void HVW_AppendMatchPairs(ClubRecord* club, const TeamMatchReport* report);

// The goal entries of the report go to the first halves of the club's free
// entries, those of the other team's report (1 - team) to the second halves.
void HVW_AppendMatchEntries(ClubRecord* club, const TeamMatchReport* report, int16_t team,
                            const MatchResultBlock* match);
