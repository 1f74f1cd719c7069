// League player statistics (screens 30, 70, 92 and 93): for each division
// of the viewed country the twenty best players by goals, performance,
// assists or man-of-the-match awards; tabs pick the division, a click on
// a player opens his profile, on his club the club's squad.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kLeagueStatDivisions = 6;
constexpr int kLeagueStatRows = 20;

struct LeagueStatsState {
    uint16_t mode;  // 30 goals, 70 performance, 92 assists, 93 awards
    int16_t division;
    uint16_t top[kLeagueStatDivisions][kLeagueStatRows];
};
extern LeagueStatsState LeagueStats;

extern const MenuItem LeagueStatsTable[];
void LeagueStatsScreenProc();
// The mode's statistic of a player.
int16_t LeagueStats_Value(uint16_t mode, uint16_t player);
// The six top lists for a mode over the viewed country's players.
void LeagueStats_Build(uint16_t mode);
// The division shown on entry: the user's club's row, 0 when that row is
// not one of the country's divisions.
int16_t LeagueStats_EntryDivision(int16_t row, int16_t divisions);
// "(%d %%)" share of the statistic per appearance, at most 100, 0 without
// appearances.
int LeagueStats_Percentage(int statistic, int appearances);
int32_t LeagueStats_ChooseDivision(int16_t division);
int32_t LeagueStats_PickPlayer(MenuHotItem* item);
int32_t LeagueStats_PickClub(MenuHotItem* item);

// Views (tests), row 0-19 of the shown division.
const char* LeagueStatsCell(int row, int column);  // columns: rank, player, club, value, second value
