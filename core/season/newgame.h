// A new game: the clubs and players of the shipped database, the first
// season laid out and a three-week pre-season played; and the human
// managers put in charge of their clubs.
#pragma once
#include <cstdint>

// The clubs of the shipped database: country, reputation, division, map
// place, stands and opening money; the calendar's start date.
void CreateClubsFromDatabase();

// Every human-run club (a reputation and a control value k) gets player k
// as its player-manager; `replaced` (0 for none) leaves his club.
void InstallPlayerManagers(uint16_t replaced);
// The query layer's form: the control values name the managers, the second
// number is the record being replaced.
inline void InstallHumanManagers(uint16_t, uint16_t replaced) { InstallPlayerManagers(replaced); }

// How far beyond the user's own league the game's world reaches; the
// scouts count the other playable nations as a region of their own from 2
// on.  No new-game choice sets it, for none is laid down: it stays 0.
extern int16_t GameScopeSetting;

// NewGameSetUp itself is declared with the calendar.
