#include "management/squads.h"

#include <cstring>

uint16_t ClubRoster[kClubCount][kRosterSize];
SquadList FirstTeamList;
SquadList ReserveList;
SquadList YouthList;
int16_t TeamSelectionWords[7];
uint8_t SquadBytes[28];
int16_t TeamSelectionTables[4][5];

namespace {

void ClearList(SquadList& list) {
    std::memset(list.players, 0, sizeof list.players);
    list.count = 0;
}

void Append(SquadList& list, uint16_t player) {
    if (list.count < kSquadListSize) list.players[list.count++] = player;
}

void MarkEnd(SquadList& list) {
    if (list.count < kSquadListSize) list.players[list.count] = PlayerCount;
}

void AddToRoster(int16_t club, uint16_t player) {
    for (uint16_t& slot : ClubRoster[club]) {
        if (slot == 0) {
            slot = player;
            return;
        }
    }
}

}  // namespace

// Youth players go to the youth list, everyone else who plays to the first
// team; managers who do not play are left out.
void BuildClubSquadList(int16_t club) {
    ClearList(FirstTeamList);
    ClearList(ReserveList);
    ClearList(YouthList);
    if (club >= 0 && club < kClubCount) {
        for (uint16_t player : ClubRoster[club]) {
            if (!IsValidPlayer(player)) continue;
            if (GetPlayerPosition(player) == 13 && GetPlayerHalvorn(player) == 0) continue;
            Append(GetPlayerFlag95(player) ? YouthList : FirstTeamList, player);
        }
    }
    MarkEnd(FirstTeamList);
    MarkEnd(ReserveList);
    MarkEnd(YouthList);
}

void UpdateClubSquads() {
    std::memset(ClubRoster, 0, sizeof ClubRoster);
    for (uint16_t player = 1; IsValidPlayer(player); ++player) {
        uint16_t club = GetPlayerClub(player);
        uint16_t owner = GetPlayerLoanClub(player);
        if (club < kClubCount) AddToRoster(int16_t(club), player);
        if (owner < kClubCount && owner != club) AddToRoster(int16_t(owner), player);
    }
}

uint16_t FindClubManager(int16_t club) {
    if (club < 0) return kNoManager;
    uint16_t halvorn = kNoManager;
    for (uint16_t player = 1; IsValidPlayer(player); ++player) {
        if (GetPlayerClub(player) != uint16_t(club)) continue;
        if (GetPlayerPosition(player) == 13 && player != kNoManager) return player;
        if (GetPlayerHalvorn(player) != 0) halvorn = player;
    }
    return halvorn;
}
