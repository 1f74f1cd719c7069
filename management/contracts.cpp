#include "management/contracts.h"

#include <algorithm>

#include "database/Access.h"

int32_t GetClubWageLimit(int16_t club) { return GetAffordableWage(club); }

int32_t GetClubWageBudget(int16_t club) {
    return std::max<int32_t>(0, GetClubBalance(club) / 4);
}

int32_t GetClubWageFigure(int16_t club, uint16_t player) {
    (void)club;
    return int32_t(GetPlayerWage(player)) * 25;
}

int32_t RoundToWageUnit(int32_t value) {
    int32_t rounded = value / 25 * 25;
    return rounded < 0 ? 0 : rounded;
}

// The bidding club offers what is asked, within what it can afford.
int32_t GetFeeCounterOffer(uint16_t player, int32_t amount, int16_t round1, int16_t club,
                           int16_t unused1, int16_t unused2, int16_t round2) {
    (void)player, (void)round1, (void)unused1, (void)unused2, (void)round2;
    return std::clamp<int32_t>(amount, 0, std::max<int32_t>(0, GetClubWageBudget(club)));
}
