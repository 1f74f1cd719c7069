// Query layer: player picks of the match report and the news.
#pragma once
#include <cstdint>

// The club's players, national squad first then the selected team, sorted
// by their fans text; the first n go to out (0 beyond the players found).
void HVW_ListClubPlayersByFans(int16_t club, uint16_t* out, int16_t n);

// 1 when the club has no fixture of the competition before the slot.
int16_t HVW_IsFirstClubFixtureInComp(int16_t club, int16_t slot, int16_t competition);
uint16_t HVW_FindClubPlayerByShirt(int16_t club, int16_t shirt);
uint16_t HVW_GetClubTopAssistsPlayer(int16_t club);

// 1 when the player may play for the club in the fixture.
int16_t HVW_IsPlayerAvailableForFixture(int16_t club, uint16_t player, int16_t slot);

// The two best forwards' tallies; 1 when both pass 5 and together reach
// half the division's average.
int16_t HVW_HasClubStrikePartnership(int16_t club, int16_t* top, int16_t* second);

// The two forwards of a partnership (slot -1: whether they may play or
// not); 1 when two different players were found.
int16_t HVW_FindClubStrikePair(int16_t club, uint16_t* first, uint16_t* second, int16_t target,
                               int16_t threshold, int16_t slot);
uint16_t HVW_GetClubTopScorer(int16_t club, int16_t* tie);
uint16_t HVW_GetDivisionTopScorer(int16_t country, int16_t division, int16_t* tie);

// Of a list of 32 players (0 empty); the value to the out.
uint16_t HVW_PickMostValuablePlayer(const uint16_t* list, int32_t* value);
uint16_t HVW_GetClubMostValuablePlayer(int16_t club, int32_t* value);
void HVW_GetClubStarPlayerFigures(int16_t club, int16_t* performance, int16_t* goals, int16_t* assists,
                                  int16_t* keeperGoals);
uint16_t HVW_GetClubStarPlayer(int16_t club);
int16_t HVW_AreClubsInSameDivision(int16_t a, int16_t b);

// The club whose squad lists are built; -1 when it cannot be told.
int16_t HVW_GetSquadListClub();

// Average match mark of the last seven days; 0 when none.
int16_t HVW_GetPlayerRecentRating(uint16_t player, int16_t club);
// The club's row of the match-rating table: its index among its country's
// clubs of its division row, while the division of that row of the viewed
// country (and the table) has a place for it; -1 when none.
int16_t HVW_GetMatchRatingRow(int16_t club);
