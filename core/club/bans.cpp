#include "core/club/bans.h"

#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

void PostBanServed(int16_t club, uint16_t player) {
    AddMessage(club, -1, player, 0xFFFFFFFFu, -1, -1, -1, -1, -1, 0, -1, kMsgBanServed, 1, 0);
}

bool PlaysFor(uint16_t player, int16_t club) {
    return IsPlayerNumber(player) && GetPlayerClub(player) == uint16_t(club);
}

}  // namespace

void ApplyPlayerSuspension(int16_t club) {
    if (!IsClubNumber(club)) return;
    for (uint16_t player : ClubRoster[club]) {
        if (!PlaysFor(player, club) || GetPlayerBanWait(player) != 0 || GetPlayerSusp(player) == 0) continue;
        SetPlayerSusp(player, int16_t(GetPlayerSusp(player) - 1));
        if (GetPlayerSusp(player) == 0) PostBanServed(club, player);
    }
}

void ApplyEuroDisciplinePoints(int16_t club) {
    if (!IsClubNumber(club)) return;
    for (uint16_t player : ClubRoster[club]) {
        if (!PlaysFor(player, club) || GetPlayerEuroBan(player) == 0) continue;
        SetPlayerEuroBan(player, int16_t(GetPlayerEuroBan(player) - 1));
        if (GetPlayerEuroBan(player) != 0) continue;
        PostBanServed(club, player);
        const int points = GetPlayerEuroDispoints(player);
        SetPlayerEuroDispoints(player, int16_t(points > 3 ? points - 3 : 0));
    }
}
