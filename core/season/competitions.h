// The competition state of the season code: rounds, entrants and per-club
// standing in the cups.  Saved with the game as raw tables.
#pragma once
#include <cstdint>

#include "core/records/records.h"

extern uint8_t CompetitionTable[516096];
// Per club 126 bytes of competition state.
extern uint8_t ClubCompetitionTable[kClubCount][126];
// Competition-position and new-game words.
extern int16_t CompetitionPositionWords[6];
// Each country's European places record (58 bytes): the clubs that
// qualified by title or cup, then by league place per division.
extern uint8_t EuropeanPlaceRecords[522];
// Per club a six-byte mark record: two mark bytes and a 32-bit word.
extern uint8_t ClubMarkRecords[7200];
// Carried by the saved game to keep its layout; nothing reads or writes them.
extern uint8_t UnusedSeasonBytesA[28];
extern uint8_t UnusedSeasonBytesB[200];
extern uint8_t UnusedSeasonBytesC[232];
extern uint8_t NewGameByte;

// The names of each country's competitions: five division names, then
// seven cup names, 34 bytes each (32 characters and the terminator).  The
// data set-up fills them from the language texts or the edited names.
constexpr int kCompetitionNameSize = 34;
constexpr int kDivisionNames = 5;
constexpr int kCupNames = 7;
struct CountryCompetitionNames {
    char division[kDivisionNames][kCompetitionNameSize];
    char cup[kCupNames][kCompetitionNameSize];
};
static_assert(sizeof(CountryCompetitionNames) == 12 * kCompetitionNameSize);
extern CountryCompetitionNames CompetitionNames[9];
