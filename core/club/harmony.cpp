#include "core/club/harmony.h"

#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/club/markethelpers.h"
#include "core/club/nations.h"
#include "core/club/playervalue.h"
#include "core/club/squadpass.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

constexpr int16_t kScope = 1;
constexpr int32_t kSplitSquad = 30;

int Camp(uint16_t player) { return GetPlayerStat(player, kOutlookStat, 0); }

bool IsHomePlayer(uint16_t player, uint16_t nation) {
    const uint16_t nationality = GetPlayerNationality(player);
    return nationality < kNationalityCodes && NationalityNation[nationality] == nation;
}

void LoseMorale(uint16_t player, int amount) {
    SetPlayerMorale(player, int16_t(int(GetPlayerMorale(player)) - amount));
}

// The first of `tries` random picks from the list that passes the test; 0
// when none does.
template <typename Test>
uint16_t PickFromList(const SquadList& list, int tries, Test test) {
    for (int i = 0; i < tries; ++i) {
        const uint16_t p = list.players[GameRandom() % list.count];
        if (IsPlayerNumber(p) && test(p)) return p;
    }
    return 0;
}

void ReviewClub(int16_t club) {
    BuildClubSquadList(club);
    const SquadList& list = FirstTeamList;
    const int count = std::min<int>(list.count, kSquadListSize);
    if (count <= 0) return;
    if (GameRandom() % (GetClubRep(club) + 1) != 0) return;

    const uint16_t nation = GetClubNation(club);
    int home = 0, foreign = 0;
    for (int i = 0; i < count; ++i) {
        if (!IsPlayerNumber(list.players[i])) continue;
        IsHomePlayer(list.players[i], nation) ? ++home : ++foreign;
    }
    if (foreign >= home) {
        for (int i = 0; i < count; ++i) {
            if (IsPlayerNumber(list.players[i])) LoseMorale(list.players[i], 2);
        }
    }

    const int32_t split = SquadCampSplit(list.players, count);
    if (split < kSplitSquad) return;
    const uint16_t a = PickFromList(list, 2 * count, [](uint16_t p) { return Camp(p) < 50; });
    if (a == 0) return;
    const uint16_t b = PickFromList(list, 50, [a](uint16_t p) { return Camp(p) < 100 && p != a; });
    if (b == 0) return;
    if (GameRandom() % 10 == 0) {
        AddMessage(club, -1, a, b, -1, -1, -1, -1, -1, -1, -1, kMsgSquadHarmony, kScope, 0);
    }
    for (int32_t round = 0; round < split - kSplitSquad; ++round) {
        for (int i = 0; i < count; ++i) {
            const uint16_t p = list.players[i];
            if (IsPlayerNumber(p) && GetPlayerStat(p, kSpiritStat, 0) < GameRandom() % 100) LoseMorale(p, 1);
        }
    }

    const uint16_t manager = FindClubManager(club);
    CurrentClubManager = manager;
    uint16_t lowest = 0;
    int lowestCamp = 1000;
    for (int i = 0; i < count; ++i) {
        const uint16_t p = list.players[i];
        if (IsPlayerNumber(p) && Camp(p) < lowestCamp) {
            lowest = p;
            lowestCamp = Camp(p);
        }
    }
    if (GetClubControl(club) != 0 || lowest == 0) return;
    const uint16_t candidate = lowestCamp < Camp(b) ? lowest : b;
    if (GetPlayerTxList(candidate) != 0 || GetPlayerClub(candidate) != GetPlayerLoanClub(candidate)) return;
    SetPlayerTxList(candidate, 1);
    SetPlayerSaleStatus(candidate, 0);
    const int16_t type = market::PositionType(market::OwnPosition(candidate));
    AddMessage(int16_t(GetPlayerClub(candidate)), -1, candidate, manager, -1, -1, -1, PositionTypeText(type),
               -1, -1, -1, kMsgListedForPeace, kScope, 0);
}

}  // namespace

int32_t SquadCampSplit(const uint16_t* players, int count) {
    int64_t same = 0, other = 0;
    for (int i = 0; i < count; ++i) {
        if (!IsPlayerNumber(players[i])) continue;
        const int v = Camp(players[i]), w = 100 - v;
        for (int j = 0; j < count; ++j) {
            if (!IsPlayerNumber(players[j])) continue;
            const int dSame = std::abs(Camp(players[j]) - v), dOther = std::abs(Camp(players[j]) - w);
            if (dSame < 4) same += (3 - dSame) * (3 - dSame);
            if (dOther < 4) other += (3 - dOther) * (3 - dOther);
        }
    }
    return int32_t((other + 1) * 100 / (same + 1));
}

void SquadHarmonyReview() {
    // Every club's squad list is built: each asks for its manager.
    const KeptClubLookups keep;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0 || GetClubDivision(club) >= 6) continue;
        const uint16_t nation = GetClubNation(club);
        if (nation >= kCountryCount || !IsPlayedLeagueNation(nation)) continue;
        ReviewClub(club);
    }
}
