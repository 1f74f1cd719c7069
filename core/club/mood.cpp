#include "core/club/mood.h"

#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"

namespace {

// A manager who does not play: the manager flag without the player-manager
// flag.
bool IsManagerOnly(uint16_t player) {
    return GetPlayerHalvornB(player) != 0 && GetPlayerHalvorn(player) == 0;
}

}  // namespace

int16_t GetClubManagerFansPct(int16_t club) {
    return int16_t(int32_t(GetPlayerFans(FindClubManager(club))) * 100 / 63);
}

int16_t GetClubSquadHappinessPct(int16_t club) {
    if (!IsClubNumber(club)) return 100;
    int32_t sum = 0;
    int32_t taken = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsValidPlayer(player)) continue;
        if (GetPlayerClub(player) != uint16_t(club) || IsManagerOnly(player) || GetPlayerIT(player) != 0) {
            continue;
        }
        ++taken;
        const int morale = GetPlayerMorale(player);
        if (morale < 60) sum += (60 - morale) / 2 * int32_t(GetPlayerField117(player));
    }
    if (taken == 0) return 100;
    const int32_t unhappiness = sum / taken;
    return int16_t(100 - (unhappiness > 100 ? 100 : unhappiness));
}

int32_t RoundDownTo25(int32_t amount) { return amount < 0 ? 0 : amount / 25 * 25; }

void ClearClubCaptains(int16_t club) {
    BuildClubSquadList(club);
    for (int i = 0; i < FirstTeamList.count; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (IsValidPlayer(player)) SetPlayerCaptain(player, 0);
    }
}

int16_t GetPlayerTacticCode(uint16_t player) { return int16_t(GetPlayerTactic(player)); }

void MoveYouthFromFirstTeamList() {
    int kept = 0;
    for (int i = 0; i < FirstTeamList.count; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (IsValidPlayer(player) && GetPlayerFlag95(player) != 0) {
            SetPlayerFlag118(player, 0);
            if (YouthList.count < kSquadListSize) YouthList.players[YouthList.count++] = player;
            continue;
        }
        FirstTeamList.players[kept++] = player;
    }
    for (int i = kept; i < kSquadListSize; ++i) FirstTeamList.players[i] = 0;
    FirstTeamList.count = int16_t(kept);
}
