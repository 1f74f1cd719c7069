// Cup and European round days: entry, draws, group settling, fixtures,
// tie results and the cups' television money.
#pragma once
#include <cstdint>

#include "core/season/cuprounds.h"

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

// Text id of cup 0's name per nation; cup k is named by the base + k.
extern const int16_t CupNameTextBase[kCountryCount];

// One row of a group being settled.
struct GroupRow {
    int16_t club;
    int points;
    int goalDifference;
    int goalsScored;
};

// Every day after the league day counter has moved: the round draws of
// the day, with entry, group settling and the round's fixtures.
void ProcessCompetitionDay();
// Draws count clubs whose eligibility flag is 0 into round r of cup k of
// nation n; a draw that finds no club after its sweep stops.
void DrawCupRound(int16_t count, int16_t round, int16_t cup, int16_t nation);
// Adds a cup match days after today's league day (the round's second match
// when second is 1), moving the clubs' lower-coded fixtures out of its way
// or moving itself two days on past higher-coded ones.
void ArrangeCupFixture(int16_t home, int16_t away, int16_t days, int16_t round, int16_t second, int16_t cup,
                       int16_t codeBase);
// After a cup match: a replay for a level tie, or the winner into the next
// round, the loser out, the final's honours and the television money.
void ProcessCupTieResult(int16_t slot, int16_t winner, int16_t firstCode, int16_t honoursKind);
// The next round's tie of the winner is arranged once both its clubs are
// known.
void ArrangeNextTie(int16_t round, int16_t winner, int16_t cup, int16_t codeBase, int16_t nation);
// The loser leaves every entry of the round's and the later rounds' tables
// of its cup (entries keep their other clubs).
void RemoveLoserFromLaterRounds(int16_t round, int16_t loser, int16_t cup);
// Books the played group match of a against b into both rows.
void AddGroupResult(GroupRow& a, GroupRow& b, int16_t code);
void SwapGroupRows(GroupRow& a, GroupRow& b);
// Orders a group's four rows: points, then the signed goal difference,
// then goals scored; level rows keep their order.
void RankGroupRows(GroupRow* rows);
// A cup winner's players' cup-win bonuses are paid by the club.
void PayCupWinBonuses(int16_t club);
// The cup's television money: base x 83 / 100 x percent / 100.
void AddClubTVIncome(int16_t club, int16_t cup, int16_t percent);
int64_t CupTVAmount(int16_t club, int16_t cup, int16_t percent);
