// European competitions: entrant lists and the Champions
// League groups.  Saved with the game.
#pragma once
#include <cstdint>

// Club numbers, -1 empty.  List C (64) feeds cup 4 and keeps holder B in
// slot 63; list A (32) feeds cup 6 and keeps holder A in slot 31; list B
// (32) feeds cup 5.
constexpr int kEuropeanListA = 32;
constexpr int kEuropeanListB = 32;
constexpr int kEuropeanListC = 64;
extern int16_t EuropeanEntrantListC[kEuropeanListC];
extern int16_t EuropeanEntrantListA[kEuropeanListA];
extern int16_t EuropeanEntrantListB[kEuropeanListB];
// Holder A (the last winner of cup 6) and holder B (of cup 4).
extern int16_t EuropeanSetUpWordA;
extern int16_t EuropeanSetUpWordB;

// 2 stages x 8 groups x 4 club numbers.
extern int16_t ChampionsLeagueGroups[2][8][4];
extern uint8_t EuropeanTable[216];

// Places of a nation (0..31) in lists A and C; 0 for any other number.
int16_t EuropeanPlacesA(int nation);
int16_t EuropeanPlacesC(int nation);

// The two club rankings the entrant lists draw on for nations whose leagues
// are not played: the first by reputation, the second by club strength.
void RefreshEuropeanRankings();

// The season's entrant lists from the final tables (the shipped honours and
// club order in the first season), the holders and the rankings.
void SetUpEuropeanEntrants();
// How many of the three lists hold the club.
int16_t CountEuropeanEntries(int16_t club);
// Put the club into the first empty slot of list A or C; a full list, or a
// club already entered, is left as it is.
void AddToEuropeanListA(int16_t club);
void AddToEuropeanListC(int16_t club);
// List B shuffled into cup 5's first round.
void ShuffleEuropeanOrder();
// List A into cup 6's first round, shuffled and seeded: the 16 clubs of
// highest reputation in the even entries.
void EuroDrawFirstRound();
// The first 16 clubs of list A, gaps closed, shuffled and seeded into cup
// 6's second round; missing clubs leave their entries empty.
void EuroDrawSecondRound();
// List C shuffled into cup 4's first round, unseeded.
void EuroDrawListC();
