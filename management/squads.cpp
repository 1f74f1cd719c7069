#include "management/squads.h"

#include <algorithm>
#include <cstring>

#include "database/ranges.h"
#include "support/debug.h"

uint16_t ClubRoster[kClubCount][kRosterSize];
SquadList FirstTeamList;
SquadList ReserveList;
SquadList YouthList;
int16_t TeamSelectionWords[7];
uint8_t SquadBytes[28];
int16_t TeamSelectionTables[4][5];
uint16_t CurrentClubManager;

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

// A youth or reserve player without a shirt or the first-team flag goes to
// the reserve list when he has a reserve shirt or the reserve flag, else to
// the youth list; everyone else who plays to the first team.  Managers who
// do not play are left out.
void BuildClubSquadList(int16_t club) {
    ClearList(FirstTeamList);
    ClearList(ReserveList);
    ClearList(YouthList);
    if (IsClubNumber(club)) {
        for (uint16_t player : ClubRoster[club]) {
            if (!IsValidPlayer(player)) continue;
            if (GetPlayerPosition(player) == 13 && GetPlayerHalvorn(player) == 0) continue;
            const bool reserveFlag = GetPlayerFlag107(player) != 0;
            if (GetPlayerShirt(player) == 0 && GetPlayerFlag118(player) == 0 &&
                (GetPlayerFlag95(player) != 0 || reserveFlag)) {
                const bool reserve = reserveFlag || GetPlayerIntShirt(player) != 0;
                Append(reserve ? ReserveList : YouthList, player);
            } else {
                Append(FirstTeamList, player);
            }
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
        if (IsClubNumber(club)) AddToRoster(int16_t(club), player);
        if (IsClubNumber(owner) && owner != club) AddToRoster(int16_t(owner), player);
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

void ClearClubCaptains(int16_t club) {
    BuildClubSquadList(club);
    for (int i = 0; i < FirstTeamList.count; ++i) {
        uint16_t player = FirstTeamList.players[i];
        if (IsValidPlayer(player)) SetPlayerCaptain(player, 0);
    }
}

uint16_t getsquadsize(int16_t club) {
    if (!IsClubNumber(club)) {
        DebugLog(DEBUG_GENERAL, 1, "Invalid team access in getsquadsize '%d'\n", int(club));
        return 1;
    }
    uint16_t count = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (IsValidPlayer(player)) ++count;
    }
    return count;
}

namespace {

bool ShirtTaken(const SquadList& list, int shirt, int (*get)(uint16_t)) {
    for (int i = 0; i < list.count; ++i) {
        if (get(list.players[i]) == shirt) return true;
    }
    return false;
}

int ClubShirt(uint16_t player) { return GetPlayerShirt(player); }
int ReserveShirt(uint16_t player) { return GetPlayerIntShirt(player); }

// Hands the free shirts 1..last, in list order, to players without one.
void FillShirts(const SquadList& list, int last, int (*get)(uint16_t), void (*set)(uint16_t, int16_t)) {
    int next = 1;
    for (int i = 0; i < list.count; ++i) {
        uint16_t player = list.players[i];
        if (!IsValidPlayer(player) || get(player) != 0) continue;
        while (next <= last && ShirtTaken(list, next, get)) ++next;
        if (next > last) return;
        set(player, int16_t(next++));
    }
}

int LastShirt(int16_t substitutes) { return 11 + std::clamp<int>(substitutes, 0, 5); }

}  // namespace

void SelectClubTeamByFormation(int16_t club, int16_t substitutes, int16_t mode, int16_t competition) {
    (void)mode, (void)competition;
    BuildClubSquadList(club);
    for (int i = 0; i < FirstTeamList.count; ++i) SetPlayerShirt(FirstTeamList.players[i], 0);
    FillShirts(FirstTeamList, LastShirt(substitutes), ClubShirt, SetPlayerShirt);
}

void AutoAssignShirtNumbers(int16_t club, int16_t substitutes, int16_t mode, int16_t competition) {
    (void)mode, (void)competition;
    BuildClubSquadList(club);
    FillShirts(FirstTeamList, LastShirt(substitutes), ClubShirt, SetPlayerShirt);
}

void AutoAssignIntShirtNumbers(int16_t club, int16_t substitutes, int16_t mode, int16_t competition) {
    (void)mode, (void)competition;
    BuildClubSquadList(club);
    FillShirts(ReserveList, LastShirt(substitutes), ReserveShirt, SetPlayerIntShirt);
}
void ClubSquadPass2(int16_t) {}

void PlayerFitnessDaily(int16_t) {}
