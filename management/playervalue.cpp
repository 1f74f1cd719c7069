#include "management/playervalue.h"

#include "database/Access.h"

// Until the full valuation (position, age, goals, contract and market) is
// built, a player is worth the square of his overall ability in hundreds:
// enough to rank squads by strength.
int32_t ValuePlayer(uint16_t player) {
    if (!IsValidPlayer(player)) return 0;
    const int32_t ability = GetPlayerStat27(player);
    return ability * ability * 100;
}
