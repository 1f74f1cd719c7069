// Query layer: whether a club's league fate is settled, competition names
// of honours lines, games per club, and where a club stands among others
// by reputation and on the map.
#pragma once
#include <cstdint>

// 1086 champions, 189 promoted, 1084 play-offs, 1085 relegated, or -1
// while the club's fate is open.
int16_t HVW_GetLeagueOutlookTextId(int16_t club, int16_t division, int16_t country);

// The competition name of an honours line (null when there is none); the
// winners' or runners-up' text id goes to textId.
const char* HVW_GetCompPosition(int16_t event, int16_t* textId, int16_t country);
int16_t HVW_GetDivisionGamesPerTeam(int16_t country, int16_t division);

// 0-based place of the club by reputation among its country's league clubs.
int16_t HVW_GetClubReputationPos(int16_t club, int16_t country);

// 0-100: the share of a set of clubs (scope 0-3) that the club outranks.
int16_t HVW_GetClubRepPercentile(int16_t club, int16_t scope);

// Distance on the country map; 30 between clubs of different nations.
int16_t HVW_GetClubDistance(int16_t club, int16_t other);

// Group 0-7 of the club at stage 0-1 of the Champions League, -1 when none.
int16_t HVW_FindClubGroup(int16_t club, int16_t stage);
