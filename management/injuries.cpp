#include "management/injuries.h"

#include "database/Access.h"
#include "support/random.h"

void ChangePlayerStatRandom(uint16_t player, int16_t n) {
    if (n <= 0) return;
    int chance = GetPlayerStat(player, 25, 0) / 5 + 1;
    if (GameRandom() % chance != 0) return;
    SetPlayerField118(player, int16_t(GetPlayerField118(player) + GameRandom() % n));
}
