#include "management/contracts.h"

#include <algorithm>

#include "database/Access.h"
#include "database/ranges.h"
#include "management/playervalue.h"
#include "management/squads.h"

int32_t GetClubWageLimit(int16_t club) { return GetAffordableWage(club); }

int32_t GetClubWageBudget(int16_t club) { return std::max<int32_t>(0, GetClubBalance(club) / 4); }

int32_t GetClubWageFigure(int16_t club, uint16_t player) {
    (void)club;
    return int32_t(GetPlayerWage(player)) * 25;
}

// The bidding club offers what is asked, within what it can afford.
int32_t GetFeeCounterOffer(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                           int16_t unused2, int16_t round2) {
    (void)player, (void)round1, (void)unused1, (void)unused2, (void)round2;
    return std::clamp<int32_t>(amount, 0, std::max<int32_t>(0, GetClubWageBudget(club)));
}

int16_t GetPlayerSquadRank(uint16_t player, int16_t club) {
    if (!IsClubNumber(club)) return -1;
    struct Ranked {
        uint16_t player;
        int16_t rating;
    };
    Ranked list[kRosterSize + 1];
    int count = 0;
    for (uint16_t other : ClubRoster[club]) {
        if (!IsValidPlayer(other) || other == player) continue;
        if (GetPlayerHalvornB(other) != 0 && GetPlayerHalvorn(other) == 0) continue;
        list[count++] = {other, RatePlayerAbility(other, int16_t(GetPlayerPosition(other)))};
    }
    if (!IsValidPlayer(player)) return -1;
    list[count++] = {player, RatePlayerAbility(player, int16_t(GetPlayerPosition(player)))};
    // A stable sort, best first: equal ratings keep their order, so the
    // player comes after the club's own players of his rating.
    std::stable_sort(list, list + count,
                     [](const Ranked& a, const Ranked& b) { return a.rating > b.rating; });
    for (int i = 0; i < count; ++i) {
        if (list[i].player == player) return int16_t(i);
    }
    return -1;
}
