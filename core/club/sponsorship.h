// Season sponsorship paid by the board.
#pragma once
#include <cstdint>

// The full sponsorship of a club of the nation's division, less the
// deduction for its standing class (0..8).  A class of 9 or more is fatal.
int32_t GetSponsorshipAmount(int16_t nation, uint16_t standingClass, int16_t division);

// 0..60: how the club's season went, from its league and cup results, its
// goals and how little was expected of a club of its reputation.  30 until
// six matches have been played anywhere.
int16_t SeasonFormScore(int16_t club);
// The season-roll judgement: every league club at or above its expected
// place is paid its sponsorship scaled by its season; a club below it pays
// its manager's reputation for every place it missed.
void PaySeasonSponsorship();

// The board's expected league place (0 = top) for the club, from its rank
// by reputation among the nation's clubs and, from the second season on,
// from the division it finished last season in.
void ComputeClubBaseRep(int16_t club);
// The expected place of every club in a played league.
void UpdateAllClubsBaseRep();
