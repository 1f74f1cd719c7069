#include "management/playervalue.h"

#include <climits>

#include "database/Access.h"

// Until the full valuation (position, age, goals, contract and market) is
// built, a player is worth the square of his overall ability in hundreds:
// enough to rank squads by strength.
int32_t ValuePlayer(uint16_t player) {
    if (!IsValidPlayer(player)) return 0;
    const int32_t ability = GetPlayerStat27(player);
    return ability * ability * 100;
}

int32_t ValuePlayerFull(uint16_t player) {
    int64_t value = ValuePlayer(player);
    value += int64_t(GetPlayerGoals(player)) * 10000 + int64_t(GetPlayerAssists(player)) * 5000;
    const int32_t manPrice = GetPlayerManPrice(player);
    if (manPrice > 0) value += manPrice;
    value += int64_t(GetPlayerMoM(player)) * 20000;
    return int32_t(value < INT32_MAX ? value : INT32_MAX);
}

int16_t GetPlayerStat21Div10(uint16_t player) { return int16_t(GetPlayerStat(player, 21, 0) / 10); }

int16_t RatePlayerAbility(uint16_t player, int16_t) { return GetPlayerStat27(player); }
