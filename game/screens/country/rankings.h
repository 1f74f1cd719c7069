// The ranking screens (62 clubs of the user's nation by reputation, 63 the
// player-managers by reputation, 69 the clubs by worth): one list of 19 rows
// a page.  A row opens a club's squad list or a player's screen, and its
// division button the league table of the club's division with the club
// marked.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kRankingRows = 19;
constexpr int kRankingEntries = 1200;

extern const MenuItem RankingsTable[];
void RankingsMenu();

int32_t Rankings_OpenRow(int row);
int32_t Rankings_OpenLeagueTable(int row);
int32_t Rankings_OpenPlayerClub(int row);
int32_t Rankings_ToClubMain(MenuHotItem*);
int32_t Rankings_PageDown(MenuHotItem*);
int32_t Rankings_PageUp(MenuHotItem*);

// The reputation a player counts with on screen 63: a quarter for one who
// manages his club.
int16_t RankingPlayerValue(uint16_t player);

// ---- Views (tests) ----------------------------------------------------------
struct RankingRow {
    int16_t style;   // 1 a human manager's club
    int16_t club;    // -1 none
    uint16_t entry;  // the club or player of the row, 0xFFFF empty
    char rank[12];
    char division[48];
};
const RankingRow& RankingShownRow(int row);
int16_t RankingCount();
int16_t RankingTop();
uint16_t RankingEntry(int index);
int16_t RankingTitleText();
