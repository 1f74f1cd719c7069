#include "management/mood.h"

#include "database/Access.h"
#include "database/ranges.h"
#include "management/squads.h"

// Every player taken counts with the same weight until the contract
// status figures exist.
int16_t GetClubSquadHappinessPct(int16_t club) {
    if (!IsClubNumber(club)) return 100;
    int32_t sum = 0;
    int32_t taken = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsValidPlayer(player)) continue;
        if (GetPlayerLoanClub(player) != uint16_t(club)) continue;
        if (GetPlayerHalvornB(player) != 0 && GetPlayerHalvorn(player) == 0) continue;
        if (GetPlayerIT(player) != 0) continue;
        ++taken;
        const int morale = GetPlayerMorale(player);
        if (morale < 60) sum += (60 - morale) / 2;
    }
    if (taken == 0) return 100;
    const int32_t unhappiness = sum / taken;
    return int16_t(100 - (unhappiness > 100 ? 100 : unhappiness));
}

int16_t GetClubManagerFansPct(int16_t club) {
    return int16_t(int32_t(GetPlayerFans(FindClubManager(club))) * 100 / 63);
}
