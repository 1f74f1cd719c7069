// The club jobs the calendar runs every day, week, month and season.
#pragma once
#include <cstdint>

// The user's squad training of one day.
void ProcessSquadTrainingDay();
// The board's weekly look at a club's affairs (mode 1 from the day advance).
void BoardWeeklyReview(int16_t club, int16_t mode);
// Ranks every club by squad strength.
void ClubStrengthRanking();
// Pays every club's weekly player wages.
void PayWeeklyPlayerWages();
// Computer clubs extend and rebuild their grounds at the season's end.
void ComputerStadiumUpdate();
// Every club's base reputation from its current standing.
void UpdateAllClubsBaseRep();
// Tops every club's squad up for the new season.
void FillClubSquads();
