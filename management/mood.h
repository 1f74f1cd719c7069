// Club mood figures.
#pragma once
#include <cstdint>

// 0..100: 100 less the average unhappiness of the club's available
// players whose morale is below 60.
int16_t GetClubSquadHappinessPct(int16_t club);
// 0..100: the fans' rating (0..63) of the club's manager x 100 / 63.
int16_t GetClubManagerFansPct(int16_t club);
