// Club mood figures (the manager's popularity, the squad's contentment)
// and small squad routines shared by the squad lists and the screens.
#pragma once
#include <cstdint>

// 0..100: the fans' rating (0..63) of the club's manager x 100 / 63.
int16_t GetClubManagerFansPct(int16_t club);
// 0..100: 100 less the average unhappiness of the club's fit players who
// play for it, each weighted by the squad status he was promised.
int16_t GetClubSquadHappinessPct(int16_t club);
// Down to a multiple of 25; a negative amount gives 0.
int32_t RoundDownTo25(int32_t amount);
// Builds the club's squad lists and clears the captain flag of every
// first-team list player.
void ClearClubCaptains(int16_t club);
// The player's tactic code: a manager's formation family 0..5.
int16_t GetPlayerTacticCode(uint16_t player);
// Moves every youth player of the first-team list to the end of the youth
// list, clearing his first-team flag; the first-team list closes up.
void MoveYouthFromFirstTeamList();
