// The weekly and season-end money jobs that keep the clubs' balances inside
// a band: a windfall for a poor computer club, a weekly check that makes a
// club in the red sell and skims very large balances, and a levy on the
// richest computer clubs at the season roll.
#pragma once
#include <cstdint>

constexpr int kWindfallDivisions = 6;
constexpr int kWindfallAmounts = 10;
// The windfall a club of the division may receive, one amount drawn of ten.
extern const int32_t ClubWindfallTable[kWindfallDivisions][kWindfallAmounts];

// How many clubs the windfall job draws at most looking for a computer
// league club before it gives up for the week.
constexpr int kWindfallDraws = 2400;

// A club of a played league nation, division 0..5, reputation not 0.
bool IsLeagueClub(int16_t club);
// A league club run by the computer (control 0).
bool IsComputerLeagueClub(int16_t club);

// Weekly: one randomly drawn computer league club that can afford little
// receives a windfall, booked as miscellaneous income.
void ClubWindfallJob();
// Weekly: every league club in the red puts its most valuable player up for
// sale; every balance above 80,000,000 loses 10-24 percent.
void ClubBalanceWeeklyJob();
// Season roll: computer league clubs above 62,000,000 lose 10-24 percent.
void SeasonEndRichClubLevy();
// Brings the money screen's figures of the current week up to date after
// match money was paid: the week's balance becomes the club's balance.
void RefreshWeeklyMoneyFigures(int16_t club);
