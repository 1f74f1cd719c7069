#include "management/clubjobs.h"

// Until the club jobs are in place the day passes without them.
void ProcessSquadTrainingDay() {}
void BoardWeeklyReview(int16_t, int16_t) {}
void ClubStrengthRanking() {}
void PayWeeklyPlayerWages() {}
void ComputerStadiumUpdate() {}
void UpdateAllClubsBaseRep() {}
void FillClubSquads() {}
