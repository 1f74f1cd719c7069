#include "core/club/markethelpers.h"

#include "core/club/board.h"
#include "core/club/playervalue.h"
#include "core/club/shortlist.h"
#include "core/club/squads.h"
#include "core/season/messages.h"

namespace market {

namespace {
constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kClubScope = 1;
}  // namespace

bool IsRestOfWorldClub(int16_t club) {
    if (!IsClubNumber(club)) return true;
    const uint16_t nation = GetClubNation(club);
    return nation >= 9 || !IsPlayedLeagueNation(nation);
}

int16_t ManagerStat(int16_t club, int16_t index) { return Stat(FindClubManager(club), index); }

void PostShortlistNews(int16_t type, uint16_t player, int16_t club, int16_t text1, int16_t text2) {
    if (ShortList_IsPlayerOn(player) == 0) return;
    const int16_t user = GetUserClub();
    if (user < 0) return;
    AddMessage(user, club, player, kNoPlayer, -1, -1, -1, text1, text2, GetPlayerAge(player) + 16, -1, type,
               kClubScope, 0);
}

void PostPlayerNews(int16_t type, int16_t club, uint16_t player) {
    AddMessage(club, -1, player, kNoPlayer, -1, -1, -1, -1, -1, GetPlayerAge(player) + 16, -1, type,
               kClubScope, 0);
}

}  // namespace market
