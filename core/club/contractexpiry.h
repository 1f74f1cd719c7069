// Contract expiry, retirement and the players' season roll.
#pragma once
#include <cstdint>

// Monthly: every contract but the user's runs a month down; one that runs
// out ends in a new contract, a free transfer or a release.
void MonthlyContractPass();
// The player leaves the game: out of every short list and roster, his club
// told, his record handed to the season's new-player code.
void RetirePlayer(uint16_t player);
// A nation's league end day: its clubs hear of their youth players who
// must soon be kept or let go.
void YouthSeasonEndPass(int16_t nation);
// Day 336: old managers retire; old or unwanted players retire or become
// free managers while managers are scarce.
void YearlyRetirementPass();
// The season roll: loans end, bids and short lists are emptied, everyone
// is a year older and the season's figures start again.
void SeasonRollPlayers();
