// The club jobs the calendar runs every day, week, month and season.
#pragma once
#include <cstdint>

// The user's squad training of one day.
void ProcessSquadTrainingDay();
// Pays every club's weekly player wages.
void PayWeeklyPlayerWages();
