#include "core/club/squadupkeep.h"

#include <algorithm>

#include "core/base/debug.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"

uint16_t ClubReputationOrder[kClubCount];

namespace {

int ListCount(const SquadList& list) { return std::clamp<int>(list.count, 0, kSquadListSize); }

// The listed player whose shirt (read by get) is 1-11 with the best
// stat 20 x experience; the first found wins ties.
uint16_t BestLeader(const SquadList& list, uint16_t (*get)(uint16_t)) {
    uint16_t best = 0;
    int32_t bestScore = -1;
    for (int i = 0; i < ListCount(list); ++i) {
        const uint16_t player = list.players[i];
        if (!IsPlayerNumber(player)) continue;
        const uint16_t shirt = get(player);
        if (shirt < 1 || shirt > 11) continue;
        const int32_t score =
            int32_t(GetPlayerStat(player, kLeadershipStat, 0)) * GetPlayerExperience(player);
        if (score > bestScore) {
            bestScore = score;
            best = player;
        }
    }
    return best;
}

// The club's first player, by number, whose flag is set; 0 when none.  The
// club's roster holds its players in that order, so it is walked in place
// of the whole player table (the captain is looked up for every side a
// match picks); a player it holds who is out on loan plays for another club.
uint16_t FirstFlaggedMember(int16_t club, uint16_t (*flagOf)(uint16_t)) {
    if (!IsClubNumber(club)) return 0;
    for (const uint16_t player : ClubRoster[club]) {
        if (IsPlayerNumber(player) && GetPlayerClub(player) == uint16_t(club) && flagOf(player) != 0)
            return player;
    }
    return 0;
}

// What the move away kept of the player comes back: his fans figure and
// the squad number he wore before the loan.
void RestoreKeptForLoan(uint16_t player) {
    SetPlayerFans(player, int16_t(GetPlayerLoanClubFans(player)));
    SetPlayerField92(player, int16_t(GetPlayerField116(player)));
}

}  // namespace

uint16_t getsquadsize(int16_t club) {
    if (!IsClubNumber(club)) {
        DebugLog(DEBUG_GENERAL, 1, "Invalid team access in getsquadsize '%d'\n", int(club));
        return 1;
    }
    // Counted afresh: a count kept from the club's last list build would
    // depend on when that build ran, which a saved game does not keep.
    return RefreshClubAvailableCount(club);
}

uint16_t FindNationalCaptain(int16_t team) { return FirstFlaggedMember(team, GetPlayerFlag107Bit7); }

uint16_t FindClubCaptain(int16_t club) { return FirstFlaggedMember(club, GetPlayerCaptain); }

void PickClubCaptain() {
    for (int i = 0; i < ListCount(FirstTeamList); ++i) {
        if (IsPlayerNumber(FirstTeamList.players[i])) SetPlayerCaptain(FirstTeamList.players[i], 0);
    }
    const uint16_t captain = BestLeader(FirstTeamList, GetPlayerShirt);
    if (captain != 0) SetPlayerCaptain(captain, 1);
}

// The old reserve captain's flag is cleared too, so the reserve side never
// has two.
void PickNationalCaptain() {
    for (int i = 0; i < ListCount(ReserveList); ++i) {
        const uint16_t player = ReserveList.players[i];
        if (!IsPlayerNumber(player)) continue;
        SetPlayerCaptain(player, 0);
        SetPlayerFlag107Bit7(player, 0);
    }
    const uint16_t captain = BestLeader(ReserveList, GetPlayerIntShirt);
    if (captain != 0) SetPlayerFlag107Bit7(captain, 1);
}

bool IsFreeTrialist(uint16_t player) {
    return GetPlayerLoanTrial(player) != 0 && IsClubNumber(GetPlayerClub(player)) &&
           !IsClubNumber(GetPlayerLoanClub(player));
}

void ClearPlayerLoan(uint16_t player) {
    const uint16_t owner = GetPlayerLoanClub(player);
    const uint16_t club = GetPlayerClub(player);
    if (IsClubNumber(owner) && owner != club) {
        RestoreKeptForLoan(player);
        SetPlayerClub(player, int16_t(owner));
    } else if (IsFreeTrialist(player)) {
        // A trialist who came without a club goes back to having none.
        RestoreKeptForLoan(player);
        SetPlayerClub(player, -1);
    }
    SetPlayerLoanTrial(player, 0);
    SetPlayerLoanPeriod(player, 0);
    SetPlayerShirt(player, 0);
    SetPlayerIntShirt(player, 0);
    SetPlayerCupFlag0(player, 0);
    SetPlayerCupFlag1(player, 0);
    SetPlayerCupFlag2(player, 0);
    SetPlayerCupFlag3(player, 0);
    SetPlayerCupFlag4(player, 0);
    SetPlayerCupFlag5(player, 0);
}

void SortClubsByReputation() {
    int count = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) ClubReputationOrder[count++] = uint16_t(club);
    }
    std::stable_sort(ClubReputationOrder, ClubReputationOrder + count,
                     [](uint16_t a, uint16_t b) { return GetClubRep(int16_t(a)) > GetClubRep(int16_t(b)); });
    std::fill(ClubReputationOrder + count, ClubReputationOrder + kClubCount, uint16_t(0xFFFF));
}

int16_t CountPlayerManagers() {
    int16_t count = 0;
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        if (GetPlayerPosition(player) != 13 && GetPlayerHalvorn(player) != 0 &&
            GetPlayerCaretaker(player) == 0) {
            ++count;
        }
    }
    return count;
}

int32_t RoundDownToHundred(int32_t value) { return value / 100 * 100; }

int32_t AverageClubWage(int16_t club) {
    if (!IsClubNumber(club)) return 100000;
    int64_t sum = 0;
    int32_t count = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club)) continue;
        if (GetPlayerShirt(player) == 0 || GetPlayerPosition(player) == 13) continue;
        sum += 25 * int64_t(GetPlayerWage(player));
        ++count;
    }
    return count == 0 ? 100000 : int32_t(sum / count);
}
