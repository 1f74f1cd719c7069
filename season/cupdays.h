// Cup and European round days: entry, draws, group settling, fixtures,
// tie results and the cups' television money.
#pragma once
#include <cstdint>

#include "season/cuprounds.h"

// The draw table (the saved competition table): per nation, cup and round
// 128 entries of four club words (-1 empty).  Entries 2t and 2t + 1 are
// tie t; the first word is the club, the others the clubs that may still
// take its place while a tie of the round before is open.  In a group
// round entries 4g .. 4g + 3 are group g.
constexpr int kDrawEntries = 128;
constexpr int kDrawEntryWords = 4;
// Word w of an entry (-1 outside the table); word 0 is its club.
int16_t CupDrawWord(int nation, int cup, int round, int entry, int word);
void SetCupDrawWord(int nation, int cup, int round, int entry, int word, int16_t club);
inline int16_t CupDrawClub(int nation, int cup, int round, int entry) {
    return CupDrawWord(nation, cup, round, entry, 0);
}
inline void SetCupDrawClub(int nation, int cup, int round, int entry, int16_t club) {
    SetCupDrawWord(nation, cup, round, entry, 0, club);
}

// Whether a club may be drawn for a nation's cup: 0 may, anything else may
// not (not entered, or drawn already).
uint16_t GetCupEligibility(int nation, int cup, int16_t club);
void SetCupEligibility(int nation, int cup, int16_t club, uint16_t flag);
