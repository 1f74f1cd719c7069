// Results booked by competition: who wins a tie, and the play-off
// outcomes.
#pragma once
#include <cstdint>

#include "core/season/leagues.h"

struct MatchResultBlock;

// Per country and division the division that a play-off winner of that
// division goes to.
extern const int16_t PlayOffTarget[kCountryCount][kDivisionCount];

// The winner of the tie that the match in the slot belongs to: aggregate
// with the first leg of a second match, then (with the rule) away goals,
// then a shoot-out; -1 when the tie is still level.
int16_t TieWinner(const MatchResultBlock& result, int16_t slot, int16_t awayGoalsRule);

// A play-off semi-final's loser leaves every play-off list of its country.
void ClearPlayOffLoser(int16_t country, int16_t loser);

// A play-off final: a winner from the same division as the loser goes to
// its division's target; a winner from the lower division changes places
// with the loser; a winner from the higher division stays.
void ResolvePlayOff(const MatchResultBlock& result, int16_t slot, int16_t awayGoalsRule);

// A league or reserve-league result into the season records of both clubs.
void RecordLeagueResult(int16_t slot);
// A cup match's winner goes on to the tie's handling: every second match,
// and a first match of a round that is not two-legged or in groups.
void AdvanceCupWinner(const MatchResultBlock& result, int16_t slot, int16_t winner);
// Books a stored result by its competition: the league records, the
// play-offs, the season-opening and closing match and the cups.
void BookMatchResult(const MatchResultBlock& result, int16_t slot, int16_t awayGoalsRule);
