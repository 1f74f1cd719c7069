#include "core/query/approachedplayers.h"

#include <cstring>

#include "core/query/people.h"

int16_t HVW_AddApproachedPlayer(int16_t, uint16_t player) {
    if (RecentValues[kRecentListSize - 1] != 0) return 0;
    std::memmove(RecentValues + 1, RecentValues, sizeof RecentValues[0] * (kRecentListSize - 1));
    RecentValues[0] = player;
    return 1;
}
