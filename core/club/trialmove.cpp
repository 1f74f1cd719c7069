#include "core/club/trialmove.h"

#include "core/club/loans.h"

void CheckPlayerClubChange(uint16_t player, int16_t club, int16_t weeks) {
    StartLoanTrial(player, club, weeks);
}
