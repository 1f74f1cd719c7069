#include "management/board.h"

#include "database/Access.h"

int16_t GetUserClub() {
    if (!IsValidPlayer(1)) return -1;
    const uint16_t club = GetPlayerClub(1);
    return club < kClubCount ? int16_t(club) : int16_t(-1);
}
