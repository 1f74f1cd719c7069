#include "core/club/squads.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include "core/records/ranges.h"

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/bans.h"
#include "core/club/board.h"
#include "core/club/mood.h"
#include "core/club/playervalue.h"
#include "core/club/reaction.h"
#include "core/club/reserveside.h"
#include "core/club/reshuffle.h"
#include "core/club/squadupkeep.h"
#include "core/records/honours.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtures.h"
#include "core/season/matchday.h"
#include "core/season/slotcandidates.h"

uint16_t ClubRoster[kClubCount][kRosterSize];
uint16_t ClubRosterCount[kClubCount];
uint16_t ClubSquadCount[kClubCount];
uint16_t ClubAvailableCount[kClubCount];
SquadList FirstTeamList;
SquadList ReserveList;
SquadList YouthList;
int16_t SquadPositionCounts[kPositionGroups];
uint16_t CurrentClubManager;
uint16_t NationalSquadTable[2][kNationCodes][kNationalSquadSlots];
int16_t SeasonStepWord;
uint8_t SquadBytes[28];

const FormationSlotTables FormationSlotTable = {{
    {
        // family 0
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 1}, {6, 0}, {10, 0}, {11, 0}, {5, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 1}, {6, 0}, {10, 0}, {12, 0}, {5, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 1}, {7, 0}, {10, 0}, {11, 0}, {5, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 1}, {7, 0}, {10, 0}, {12, 0}, {5, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 1}, {7, 0}, {11, 0}, {11, 0}, {5, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {8, 1}, {7, 0}, {11, 0}, {11, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {8, 1}, {7, 0}, {11, 0}, {12, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {9, 1}, {6, 0}, {11, 0}, {11, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {9, 1}, {5, 0}, {11, 0}, {11, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {9, 1}, {7, 0}, {11, 0}, {12, 0}, {9, 2}},
    },
    {
        // family 1
        {{1, 2}, {1, 1}, {2, 0}, {2, 0}, {2, 0}, {5, 0}, {6, 0}, {10, 0}, {11, 0}, {5, 0}},
        {{1, 2}, {1, 1}, {2, 0}, {2, 0}, {2, 0}, {5, 0}, {6, 0}, {10, 0}, {12, 0}, {5, 0}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {5, 0}, {7, 0}, {10, 0}, {11, 0}, {5, 0}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {5, 0}, {7, 0}, {10, 0}, {12, 0}, {5, 0}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {5, 0}, {7, 0}, {11, 0}, {11, 0}, {5, 0}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {5, 0}, {7, 0}, {11, 0}, {12, 0}, {5, 0}},
        {{3, 2}, {3, 1}, {4, 0}, {2, 0}, {2, 0}, {5, 0}, {8, 0}, {11, 0}, {11, 0}, {5, 0}},
        {{3, 2}, {3, 1}, {4, 0}, {2, 0}, {2, 0}, {5, 0}, {8, 0}, {11, 0}, {12, 0}, {5, 0}},
        {{3, 2}, {3, 1}, {6, 0}, {2, 0}, {2, 0}, {7, 0}, {8, 0}, {11, 0}, {11, 0}, {7, 0}},
        {{3, 2}, {3, 1}, {6, 0}, {2, 0}, {2, 0}, {7, 0}, {8, 0}, {11, 0}, {12, 0}, {7, 0}},
    },
    {
        // family 2
        {{2, 0}, {2, 0}, {2, 0}, {3, 1}, {3, 2}, {5, 0}, {6, 0}, {10, 0}, {11, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {2, 0}, {3, 1}, {3, 2}, {5, 0}, {6, 0}, {10, 0}, {12, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {4, 0}, {3, 1}, {3, 2}, {5, 0}, {7, 0}, {10, 0}, {11, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {4, 0}, {3, 1}, {3, 2}, {5, 0}, {7, 0}, {10, 0}, {12, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {4, 0}, {3, 1}, {3, 2}, {5, 0}, {6, 0}, {11, 0}, {11, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {4, 0}, {9, 1}, {9, 2}, {5, 0}, {6, 0}, {11, 0}, {12, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {4, 0}, {9, 1}, {9, 2}, {5, 0}, {7, 0}, {11, 0}, {11, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {4, 0}, {9, 1}, {9, 2}, {5, 0}, {7, 0}, {11, 0}, {12, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {6, 0}, {9, 1}, {9, 2}, {5, 0}, {8, 0}, {11, 0}, {11, 0}, {5, 0}},
        {{2, 0}, {2, 0}, {6, 0}, {9, 1}, {9, 2}, {5, 0}, {8, 0}, {11, 0}, {12, 0}, {5, 0}},
    },
    {
        // family 3
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {6, 0}, {6, 0}, {8, 1}, {10, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {6, 0}, {6, 0}, {8, 1}, {11, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {6, 0}, {6, 0}, {8, 1}, {10, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {6, 0}, {6, 0}, {8, 1}, {11, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 0}, {5, 0}, {9, 1}, {10, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 0}, {5, 0}, {9, 1}, {11, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {5, 0}, {5, 0}, {9, 1}, {12, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {5, 0}, {5, 0}, {9, 1}, {12, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {7, 0}, {2, 0}, {2, 0}, {5, 0}, {5, 0}, {11, 1}, {12, 0}, {11, 2}},
        {{1, 2}, {1, 1}, {7, 0}, {2, 0}, {2, 0}, {5, 0}, {5, 0}, {11, 1}, {12, 0}, {11, 2}},
    },
    {
        // family 4
        {{1, 2}, {1, 1}, {2, 0}, {2, 0}, {2, 0}, {8, 1}, {6, 0}, {6, 0}, {10, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {2, 0}, {2, 0}, {2, 0}, {8, 1}, {6, 0}, {6, 0}, {11, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {2, 0}, {2, 0}, {2, 0}, {8, 1}, {6, 0}, {6, 0}, {10, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {2, 0}, {2, 0}, {2, 0}, {8, 1}, {6, 0}, {6, 0}, {11, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {9, 1}, {6, 0}, {5, 0}, {10, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {9, 1}, {6, 0}, {5, 0}, {11, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {9, 1}, {6, 0}, {7, 0}, {11, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {4, 0}, {2, 0}, {2, 0}, {9, 1}, {6, 0}, {7, 0}, {12, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {11, 1}, {5, 0}, {7, 0}, {11, 0}, {11, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {11, 1}, {5, 0}, {7, 0}, {12, 0}, {11, 2}},
    },
    {
        // family 5
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 1}, {6, 0}, {6, 0}, {10, 0}, {5, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {5, 1}, {6, 0}, {6, 0}, {11, 0}, {5, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {8, 1}, {6, 0}, {6, 0}, {10, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {6, 0}, {2, 0}, {2, 0}, {8, 1}, {6, 0}, {6, 0}, {11, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {8, 1}, {5, 0}, {5, 0}, {10, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {8, 1}, {5, 0}, {5, 0}, {11, 0}, {8, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {9, 1}, {5, 0}, {7, 0}, {11, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {9, 1}, {5, 0}, {7, 0}, {12, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {9, 1}, {5, 0}, {7, 0}, {11, 0}, {9, 2}},
        {{1, 2}, {1, 1}, {5, 0}, {2, 0}, {2, 0}, {9, 1}, {5, 0}, {7, 0}, {12, 0}, {9, 2}},
    },
}};

const int16_t FormationPickOrder[kFormationFamilies][kOutfieldShirts] = {
    {5, 10, 6, 4, 2, 3, 7, 11, 8, 9}, {4, 10, 6, 5, 8, 2, 3, 7, 11, 9}, {4, 8, 10, 5, 6, 2, 3, 9, 7, 11},
    {6, 10, 5, 9, 2, 3, 7, 11, 4, 8}, {4, 9, 10, 8, 5, 6, 2, 3, 7, 11}, {10, 5, 6, 4, 2, 3, 7, 11, 8, 9},
};

const int16_t PositionGroupTable[13] = {0, 4, 4, 4, 4, 5, 5, 5, 5, 5, 11, 11, 11};

// 1 for the nation codes whose players count toward a club's foreign-player
// sum: 32, 34-39, 41-48, 50-64, 66-68, 70, 72, 74-76, 78, 79, 81-83, 85-98,
// 102, 103, 105-109 and 111-115.
const uint16_t ForeignQuotaFlag[kNationCodes] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0-19
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1,  // 20-39
    0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 40-59
    1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 1,  // 60-79
    0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0,  // 80-99
    0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1,              // 100-115
};

uint16_t ForeignQuotaWord(uint16_t nation) { return nation < kNationCodes ? ForeignQuotaFlag[nation] : 0; }

namespace {

constexpr int kGroupKeeper = 0;
constexpr int kGroupDefence = 1;
constexpr int kGroupMidfield = 2;
constexpr int kGroupAttack = 3;
constexpr int kUnfitBelow = 48;
constexpr uint16_t kMaxSquadNumber = 127;
// Substitute shirts 12..16 and the positions they are picked for.
constexpr int16_t kSubstitutePositions[5] = {4, 5, 11, 8, 0};

bool IsNationalSide(int club) { return club == kNationalSideA || club == kNationalSideB; }
bool IsOnLoan(uint16_t player) { return GetPlayerLoanClub(player) != GetPlayerClub(player); }

// A player stands in the club's lists when he plays for it, or when it
// owns him while he is out on loan.
bool BelongsToClub(uint16_t player, int16_t club) {
    const uint16_t c = uint16_t(club);
    return GetPlayerClub(player) == c || (IsOnLoan(player) && GetPlayerLoanClub(player) == c);
}

// The position a player is listed by: a player-manager by his playing
// position; 13 (a manager who does not play) is never listed.
int ListingPosition(uint16_t player) {
    return GetPlayerHalvorn(player) != 0 ? GetPlayerPosition2(player) : GetPlayerPosition(player);
}

int PositionGroupIndex(int position) {
    return position == 0   ? kGroupKeeper
           : position < 5  ? kGroupDefence
           : position < 10 ? kGroupMidfield
                           : kGroupAttack;
}

int GroupOfPosition(int position) { return PositionGroupTable[std::clamp(position, 0, 12)]; }

void ClearList(SquadList& list) {
    std::memset(list.players, 0, sizeof list.players);
    list.count = 0;
}

int ListCount(const SquadList& list) { return std::clamp<int>(list.count, 0, kSquadListSize); }

bool InList(const SquadList& list, uint16_t player) {
    for (int i = 0; i < ListCount(list); ++i) {
        if (list.players[i] == player) return true;
    }
    return false;
}

void Append(SquadList& list, uint16_t player) {
    if (list.count < kSquadListSize) list.players[list.count++] = player;
}

// Removes the player, closing the gap; the last slot becomes 0.
void RemoveFromList(SquadList& list, uint16_t player) {
    const int count = ListCount(list);
    for (int i = 0; i < count; ++i) {
        if (list.players[i] != player) continue;
        for (int j = i; j + 1 < kSquadListSize; ++j) list.players[j] = list.players[j + 1];
        list.players[kSquadListSize - 1] = 0;
        list.count = int16_t(count - 1);
        return;
    }
}

bool IsAway(uint16_t player) {
    return GetPlayerIT(player) != 0 || IsPlayerSuspended(player) != 0 || GetPlayerIntDuty(player) != 0;
}

// Appends below 31 players; a fuller list gives the player the slot of its
// first listed player who cannot play.
void AddOrReplace(SquadList& list, uint16_t player, bool (*cannotPlay)(uint16_t)) {
    if (InList(list, player)) return;
    if (list.count < kSquadListSize - 1) {
        list.players[list.count++] = player;
        return;
    }
    for (int i = 0; i < ListCount(list); ++i) {
        const uint16_t other = list.players[i];
        if (IsPlayerNumber(other) && cannotPlay(other)) {
            list.players[i] = player;
            return;
        }
    }
}

// A roster entry that the club's squad lists take.
bool IsListedFor(uint16_t player, int16_t club) {
    return IsPlayerNumber(player) && BelongsToClub(player, club) && ListingPosition(player) != 13;
}

// Youth and reserve players without a first-team shirt or call go to the
// reserve or youth list.
bool IsOutsideFirstTeam(uint16_t player) {
    return GetPlayerShirt(player) == 0 && GetPlayerFlag118(player) == 0 &&
           (GetPlayerFlag95(player) != 0 || GetPlayerFlag107(player) != 0);
}

bool IsUnavailableForList(uint16_t player) {
    return GetPlayerPosition(player) == 13 || GetPlayerIT(player) != 0 || IsPlayerSuspended(player) != 0;
}

void LogUnplaced(int16_t club, uint16_t player) {
    DebugLog(DEBUG_GENERAL, 1, "Warning: roster of club %d is full: player %d not placed\n", int(club),
             int(player));
}

void PlaceInRoster(int16_t club, uint16_t player) {
    for (uint16_t& slot : ClubRoster[club]) {
        if (slot != 0) continue;
        slot = player;
        ++ClubRosterCount[club];
        if (GetPlayerFlag95(player) == 0) ++ClubSquadCount[club];
        return;
    }
    LogUnplaced(club, player);
}

}  // namespace

// ---------------------------------------------------------------------------
// Rosters

void RebuildClubRoster(int16_t club) {
    if (!IsClubNumber(club)) return;
    CorePoll();
    int filled = 0;
    // While the daily passes keep every player's club words, the players
    // each club's roster holds are kept with them, in the order the walk
    // below finds them.
    int count = 0;
    if (const uint16_t* members = KeptClubMembers(club, &count)) {
        for (int i = 0; i < count; ++i) {
            if (filled == kRosterSize) {
                LogUnplaced(club, members[i]);
                continue;
            }
            ClubRoster[club][filled++] = members[i];
        }
        for (int slot = filled; slot < kRosterSize; ++slot) ClubRoster[club][slot] = 0;
        return;
    }
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        // Managers too, as the rebuild of every roster places them: a
        // club's roster must not depend on which rebuild made it last, or a
        // game loaded from a save (whose rosters the full rebuild makes)
        // would play on otherwise than the game it was saved from.
        PrefetchPlayerRecord(player + kPlayerPrefetchAhead, kPlayerClubOffset);
        if (!BelongsToClub(player, club)) continue;
        if (filled == kRosterSize) {
            LogUnplaced(club, player);
            continue;
        }
        ClubRoster[club][filled++] = player;
    }
    for (int slot = filled; slot < kRosterSize; ++slot) ClubRoster[club][slot] = 0;
}

void RebuildAllRosters() {
    std::memset(ClubRoster, 0, sizeof ClubRoster);
    std::memset(ClubRosterCount, 0, sizeof ClubRosterCount);
    std::memset(ClubSquadCount, 0, sizeof ClubSquadCount);
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        PrefetchPlayerRecord(player + kPlayerPrefetchAhead, kPlayerClubOffset);
        const uint16_t club = GetPlayerClub(player);
        const uint16_t owner = GetPlayerLoanClub(player);
        if (owner != club && IsClubNumber(owner)) PlaceInRoster(int16_t(owner), player);
        if (IsClubNumber(club)) PlaceInRoster(int16_t(club), player);
    }
}

// ---------------------------------------------------------------------------
// Squad lists

void BuildClubSquadList(int16_t club) {
    CorePoll();
    ClearList(FirstTeamList);
    ClearList(ReserveList);
    ClearList(YouthList);
    std::memset(SquadPositionCounts, 0, sizeof SquadPositionCounts);
    if (!IsClubNumber(club)) return;
    if (GetClubControl(club) == 0) ReshuffleComputerSquad(club, GetNextFixtureOfClub(club));

    int unavailable = 0;
    int32_t statSum = 0;
    uint32_t wageSum = 0;
    int32_t counted = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsListedFor(player, club)) continue;
        if (IsOutsideFirstTeam(player)) {
            const bool reserve = GetPlayerFlag107(player) != 0 || GetPlayerIntShirt(player) != 0;
            Append(reserve ? ReserveList : YouthList, player);
            continue;
        }
        ++SquadPositionCounts[PositionGroupIndex(ListingPosition(player))];
        if (IsUnavailableForList(player)) ++unavailable;
        if (GetPlayerAge(player) > 2) {
            statSum += GetPlayerStat27(player);
            wageSum += 25u * GetPlayerWage(player);
            ++counted;
        }
        if (FirstTeamList.count < kSquadListSize) {
            FirstTeamList.players[FirstTeamList.count++] = player;
            continue;
        }
        for (uint16_t& slot : FirstTeamList.players) {
            if (IsAway(slot)) {
                slot = player;
                break;
            }
        }
    }
    ClubSquadCount[club] = uint16_t(FirstTeamList.count);
    // The unavailable may include players who found no place in the list.
    ClubAvailableCount[club] = uint16_t(std::max(0, FirstTeamList.count - unavailable));
    SetClubSquadAvgStat(club, int16_t(counted == 0 ? 0 : statSum / counted));
    SetClubSquadAvgWage(club, counted == 0 ? 0u : wageSum / uint32_t(counted));
}

uint16_t RefreshClubAvailableCount(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    int firstTeam = 0, unavailable = 0;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsListedFor(player, club) || IsOutsideFirstTeam(player)) continue;
        ++firstTeam;
        if (IsUnavailableForList(player)) ++unavailable;
    }
    // The first-team list holds at most 32; the unavailable are counted
    // over every first-team player, as the list build counts them.
    ClubAvailableCount[club] = uint16_t(std::max(0, std::min(firstTeam, kSquadListSize) - unavailable));
    return ClubAvailableCount[club];
}

void BuildSeasonSquadList(int16_t club) {
    CorePoll();
    ClearList(FirstTeamList);
    ClearList(ReserveList);
    ClearList(YouthList);
    if (!IsClubNumber(club)) return;
    ReshuffleComputerSquad(club, GetNextFixtureOfClub(club));
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || !BelongsToClub(player, club) || ListingPosition(player) == 13)
            continue;
        if (GetPlayerFlag95(player) != 0) {
            SetPlayerIntShirt(player, 0);
            SetPlayerShirt(player, 0);
            SetPlayerFlag107(player, 0);
            SetPlayerFlag118(player, 0);
            Append(YouthList, player);
        } else if (GetPlayerShirt(player) != 0 || GetPlayerFlag118(player) != 0 ||
                   GetPlayerFlag107(player) == 0) {
            Append(FirstTeamList, player);
        } else {
            Append(ReserveList, player);
        }
    }
}

namespace {

struct ClubManagerMemo {
    int keepers = 0;           // the passes keeping it, one within another
    uint16_t playerCount = 0;  // the table's length when the walk was made
    uint16_t manager[kClubCount];
    uint32_t stamp[kClubCount];  // each club's ClubPlayersStamp then
};
ClubManagerMemo g_managers;

uint16_t ScanClubManager(int16_t club);
void FindEveryClubManager();

}  // namespace

void KeepClubManagers(bool on) {
    if (on && ++g_managers.keepers == 1) FindEveryClubManager();
    if (!on && g_managers.keepers > 0) --g_managers.keepers;
}

uint16_t FindClubManager(int16_t club) {
    if (g_managers.keepers == 0 || !IsClubNumber(club)) return ScanClubManager(club);
    if (g_managers.playerCount != PlayerCount) FindEveryClubManager();
    if (g_managers.stamp[club] != ClubPlayersStamp(club)) {
        g_managers.manager[club] = ScanClubManager(club);
        g_managers.stamp[club] = ClubPlayersStamp(club);
    }
    return g_managers.manager[club];
}

namespace {

// ScanClubManager over the club's kept members, in the same number order:
// only those playing for it count, by their kept manager kinds.
uint16_t ScanKeptClubManager(const uint16_t* members, int count, int16_t club) {
    const uint32_t* words = PlayerClubWords();
    const uint8_t* kinds = PlayerManagerKinds();
    uint16_t playerManager = kNoManager;
    for (int i = 0; i < count; ++i) {
        const uint16_t player = members[i];
        if (uint16_t(words[player]) != uint16_t(club)) continue;
        if ((kinds[player] & kKeptManager) != 0 && player != kNoManager) return player;
        if ((kinds[player] & kKeptPlayerManager) != 0) playerManager = player;
    }
    return playerManager;
}

uint16_t ScanClubManager(int16_t club) {
    if (club < 0) return kNoManager;
    int count = 0;
    // While the club words are kept, only the club's kept members are read.
    if (const uint16_t* members = KeptClubMembers(club, &count); members != nullptr)
        return ScanKeptClubManager(members, count, club);
    uint16_t playerManager = kNoManager;
    // A number that is no club's has no members: while the club words are
    // kept, only the records of players it names are read.
    const uint32_t* words = PlayerClubWords();
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        if (words != nullptr) {
            if (uint16_t(words[player]) != uint16_t(club)) continue;
        } else {
            PrefetchPlayerRecord(player + kPlayerPrefetchAhead, kPlayerClubOffset);
            if (GetPlayerClub(player) != uint16_t(club)) continue;
        }
        if (GetPlayerPosition(player) == 13 && player != kNoManager) return player;
        if (GetPlayerHalvorn(player) != 0) playerManager = player;
    }
    return playerManager;
}

// One player of the walk for every club's manager: a club's first manager
// who does not play is kept, else its last player-manager.
void NoteClubManager(uint16_t player, uint16_t club, bool manages, bool playerManager, bool* found) {
    if (!IsClubNumber(club) || found[club]) return;
    if (manages && player != kNoManager) {
        g_managers.manager[club] = player;
        found[club] = true;
    } else if (playerManager) {
        g_managers.manager[club] = player;
    }
}

// ScanClubManager for every club in one walk: each club's first manager
// who does not play, else its last player-manager.
void FindEveryClubManager() {
    bool found[kClubCount] = {};
    std::fill(std::begin(g_managers.manager), std::end(g_managers.manager), kNoManager);
    // While the club words are kept, no player record is read, and only
    // the players of either manager kind are visited, in number order: a
    // player of neither leaves every club's answer as it is.
    const uint32_t* words = PlayerClubWords();
    const uint8_t* kinds = PlayerManagerKinds();
    const uint64_t* managing = KeptManagingSet();
    if (words != nullptr && kinds != nullptr && managing != nullptr) {
        for (uint32_t word = 0; word * 64 < PlayerCount; ++word) {
            for (uint64_t bits = managing[word]; bits != 0; bits &= bits - 1) {
                const uint16_t player = uint16_t(word * 64 + uint32_t(__builtin_ctzll(bits)));
                if (player == 0 || player >= PlayerCount) continue;
                NoteClubManager(player, uint16_t(words[player]), (kinds[player] & kKeptManager) != 0,
                                (kinds[player] & kKeptPlayerManager) != 0, found);
            }
        }
    } else {
        for (uint16_t player = 1; player < PlayerCount; ++player) {
            PrefetchPlayerRecord(player + kPlayerPrefetchAhead, kPlayerClubOffset);
            NoteClubManager(player, GetPlayerClub(player), GetPlayerPosition(player) == 13,
                            GetPlayerHalvorn(player) != 0, found);
        }
    }
    for (int16_t club = 0; club < kClubCount; ++club) g_managers.stamp[club] = ClubPlayersStamp(club);
    g_managers.playerCount = PlayerCount;
}

}  // namespace

int16_t GetManagerFormation(uint16_t manager) {
    return IsPlayerNumber(manager) ? GetPlayerTacticCode(manager) : int16_t(0);
}

int16_t GetManagerFormationVariant(uint16_t manager) {
    return IsPlayerNumber(manager) ? std::min<int16_t>(GetPlayerStat21Div10(manager), 9) : int16_t(0);
}

// ---------------------------------------------------------------------------
// Picking one slot

uint16_t PlayerCupFlag(uint16_t player, int flag) {
    switch (flag) {
        case 0:
            return GetPlayerCupFlag0(player);
        case 1:
            return GetPlayerCupFlag1(player);
        case 2:
            return GetPlayerCupFlag2(player);
        case 3:
            return GetPlayerCupFlag3(player);
        case 4:
            return GetPlayerCupFlag4(player);
        default:
            return GetPlayerCupFlag5(player);
    }
}

namespace {

// Registered for another club in this cup.  National cups keep one row
// per league nation; no national cup is played elsewhere.
bool CupTiedElsewhere(uint16_t player, int16_t club, int slot) {
    const int nation = GetClubNation(club);
    if (slot < 4 && !IsCountryNumber(nation)) return false;
    const uint16_t registered = GetPlayerCup(player, int16_t(slot), int16_t(slot < 4 ? nation : 0));
    return registered != uint16_t(club) && registered != kNoClub;
}

bool InNationalSquad(int side, int nation, uint16_t player) {
    if (nation < 0 || nation >= kNationCodes) return false;
    for (uint16_t entry : NationalSquadTable[side][nation]) {
        if (entry == player) return true;
    }
    return false;
}

int16_t SideSetting(uint16_t player, int sideMode) {
    switch (sideMode) {
        case 0:
            return int16_t(GetPlayerSetting2(player));
        case 1:
            return int16_t(GetPlayerSetting3(player));
        case 2:
            return int16_t(GetPlayerSetting1(player));
        default:
            return 3;
    }
}

// The column quantities of team selection: the attribute and, for four
// columns, the scoring record.
int32_t SelectionQuantity(uint16_t player, int column) {
    int32_t v = GetPlayerStat(player, kValueColumnStat[column], 0);
    if (column == 2) v += 2 * int32_t(GetPlayerTotalAssists(player));
    if (column == 3) v += 5 * int32_t(GetPlayerTotalGoals(player));
    if (column == 9 || column == 10) v += 3 * int32_t(GetPlayerMoM(player));
    return v;
}

// The next opponent of the club whose side is being picked: one fixture
// search per side instead of one per slot (picking changes no fixture).
struct SideInProgress {
    int16_t club = -1;
    int16_t opponent = -1;
};
SideInProgress g_side;

class SideScope {
  public:
    explicit SideScope(int16_t club) {
        if (IsClubNumber(club)) g_side = {club, FindNextFixtureOfClub(club)};
    }
    ~SideScope() { g_side = {}; }
    SideScope(const SideScope&) = delete;
    SideScope& operator=(const SideScope&) = delete;
};

int16_t NextOpponent(int16_t club) {
    return g_side.club == club && club >= 0 ? g_side.opponent : FindNextFixtureOfClub(club);
}

// A player on loan may not face the club that lent him unless his loan
// terms let him.
bool LoanBarsOpponent(uint16_t player, int16_t opponent) {
    return IsOnLoan(player) && GetPlayerFlag120Bit12(player) == 0 && opponent >= 0 &&
           GetPlayerLoanClub(player) == uint16_t(opponent);
}

struct SlotRequest {
    int16_t position;
    int16_t sideMode;
    int16_t club;
    int16_t anyPosition;
    int16_t experienceMode;
    bool afterSeasonStart;
};

int64_t ScoreForSlot(uint16_t player, const SlotRequest& slot) {
    const int8_t* w = PlayerValueTables.weights[slot.position];
    const int32_t threshold = 40 + GetPlayerAge(player) / 2;
    int64_t score = 0;
    for (int column = 0; column < kValueColumns; ++column) {
        if (w[column] == 0) continue;
        const int32_t v = SelectionQuantity(player, column);
        score += v < threshold ? -int64_t(threshold - v) * w[column] : int64_t(v) * w[column];
    }
    if (score < 0) score = 1;
    score += 20 * GetPlayerStat(player, kStaminaStat, 0);
    if (slot.anyPosition != 1) score = (GetPlayerStat(player, kConsistencyStat, 0) + 40) * score / 140;

    const int64_t morale = GetPlayerMorale(player);
    const int64_t fatigue = GetPlayerFatigue(player);
    const bool otherGroup = GroupOfPosition(GetPlayerPosition2(player)) != GroupOfPosition(slot.position);
    if (slot.experienceMode != 0) {
        score -= std::max(0, 2000 - 10 * int(GetPlayerCareerApps(player))) +
                 250 * int64_t(GetPlayerCaps89(player));
        if (score < 0) score = 0;
        score = (score / 70) * (morale + 10);
        score = (score / 70) * (60 - fatigue + 10);
        if (otherGroup) score = (score / 100) * 50;
    } else {
        if (morale < 30) score = (score / 70) * (morale + 10);
        if (slot.afterSeasonStart) score = (score / 70) * (GetPlayerFitness(player) + 10);
        score = (score / 70) * (GetPlayerField105(player) + 10);
        score = (60 - fatigue) * score / 60;
        if (otherGroup) score = (score / 100) * 60;
    }
    const int16_t setting = SideSetting(player, slot.sideMode);
    if (setting != 3) score = (20 * setting + 40) * score / 100;
    return score == 0 ? 1 : score;
}

// Keeps a picked player in the first-team list, so his shirt is counted and
// cleared with the side's: a full list that offers no absentee to replace
// gives him the place of its last player without a shirt.  The team sheet
// reads the shirts of the first-team list alone: a shirt given outside it
// would leave the side a man short.
void EnsureInFirstTeamList(uint16_t player) {
    if (InList(FirstTeamList, player)) return;
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 1);
    if (FirstTeamList.count < kSquadListSize) {
        FirstTeamList.players[FirstTeamList.count++] = player;
        return;
    }
    for (int i = kSquadListSize - 1; i >= 0; --i) {
        const uint16_t other = FirstTeamList.players[i];
        if (!IsPlayerNumber(other) || GetPlayerShirt(other) == 0) {
            FirstTeamList.players[i] = player;
            return;
        }
    }
}

uint16_t FallBackForSlot(int16_t position, int16_t sideMode, int16_t club, int16_t competitionType) {
    uint16_t player = PickSlotFromSecondList(club, position, competitionType, sideMode);
    if (player != 0) {
        if (GetPlayerFlag107(player) != 0) RemoveFromReserveList(player);
        AddToTeamList(player);
        EnsureInFirstTeamList(player);
        return player;
    }
    player = PickSlotFromThirdList(club, position, competitionType, sideMode);
    // The club's own reserve or youth player joins the first-team list as a
    // trialist does, for the same reason.
    if (player != 0 && (GetPlayerLoanTrial(player) != 0 || BelongsToClub(player, club))) {
        if (InList(ReserveList, player)) RemoveFromReserveList(player);
        AddToTeamList(player);
        EnsureInFirstTeamList(player);
    }
    return player;
}

}  // namespace

bool FacesLendingClub(uint16_t player, int16_t club) {
    // The fixture search only for the few players on loan.
    return IsClubNumber(club) && IsOnLoan(player) && LoanBarsOpponent(player, NextOpponent(club));
}

int64_t ScorePlayerForSlot(uint16_t player, int16_t position, int16_t sideMode, int16_t anyPosition,
                           int16_t experienceMode, bool afterSeasonStart) {
    const SlotRequest slot{int16_t(std::clamp<int>(position, 0, 12)),
                           sideMode,
                           0,
                           anyPosition,
                           experienceMode,
                           afterSeasonStart};
    return ScoreForSlot(player, slot);
}

uint16_t PickPlayerForSlot(int16_t position, int16_t sideMode, int16_t club, int16_t anyPosition,
                           int16_t nationIndex, int16_t experienceMode, int16_t competitionType,
                           int16_t foreignSum) {
    const bool national = IsNationalSide(club);
    if (!national && !IsClubNumber(club)) {
        std::printf("PickPlayerForSlot(): Error: invalid club %d\n", int(club));
        FatalExit(__func__);
    }
    position = int16_t(std::clamp<int>(position, 0, 12));
    const int nation = national ? 0 : GetClubNation(club);
    const int datesNation = IsCountryNumber(nation) ? nation : 0;
    const int today = SeasonCalendar.currentDay;
    const SlotRequest slot{position,    sideMode,       club,
                           anyPosition, experienceMode, today >= SeasonCalendar.leagueStartDay[datesNation]};
    const int16_t nextOpponent = national ? int16_t(-1) : NextOpponent(club);
    const bool quotaApplies = !national && ForeignQuotaWord(uint16_t(nation)) == 0 && foreignSum >= 55;
    const CupOfCompetition cup = CupOf(competitionType);
    const int side = club == kNationalSideA ? 0 : 1;
    const bool fullList = FirstTeamList.count >= kSquadListSize;

    int64_t bestScore = -20000;
    uint16_t best = 0;
    for (int i = 0; i < ListCount(FirstTeamList); ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (!IsPlayerNumber(p)) continue;
        if (national) {
            if (InNationalSquad(side, nationIndex, p)) continue;
        } else {
            if (quotaApplies && ForeignQuotaWord(GetPlayerNationality(p)) != 0) continue;
            if (LoanBarsOpponent(p, nextOpponent)) continue;
            if (GetPlayerShirt(p) != 0 || GetPlayerIntDuty(p) != 0 || GetPlayerClub(p) != uint16_t(club) ||
                GetPlayerFlag95(p) != 0 || GetPlayerFlag107(p) != 0) {
                continue;
            }
            if (IsEuropeanCompetition(competitionType) ? GetPlayerEuroBan(p) != 0 : IsPlayerSuspended(p) != 0)
                continue;
            if (cup.flag >= 0) {
                if (IsOnLoan(p) && PlayerCupFlag(p, cup.flag) == 0) continue;
                if (CupTiedElsewhere(p, club, cup.slot)) continue;
            }
        }
        if (GetPlayerIT(p) != 0) continue;
        if (national && today > SeasonCalendar.leagueEndDay[0]) SetPlayerFitness(p, 60);
        if (slot.afterSeasonStart && GetPlayerFitness(p) < kUnfitBelow) continue;
        if (!national) {
            // Only a full list lets a keeper into the defence or anyone
            // into goal; a substitute slot takes anyone but a keeper.
            const int own = GetPlayerPosition(p);
            if (position == 0) {
                if (own != 0 && anyPosition != 1 && !fullList) continue;
            } else {
                if (own == 0 && (anyPosition == 1 || !fullList)) continue;
                const bool fits = position < 5 ? own < 5 : position < 10 ? (own >= 5 && own <= 9) : own > 9;
                if (anyPosition != 1 && !fits) continue;
            }
        }
        const int64_t score = ScoreForSlot(p, slot);
        if (score > bestScore) {
            bestScore = score;
            best = p;
        }
    }

    if (best == 0) {
        if (national) {
            // A nation without a candidate fields the players it has: a
            // small nation short of fit players must not end the game.
            std::printf("International selection error in nation'%d'\n", int(club));
            return 0;
        }
        best = FallBackForSlot(position, sideMode, club, competitionType);
    }
    if (best == 0) return 0;
    if (GetPlayerFlag95(best) != 0 && GetPlayerFlag118(best) == 0) AddToTeamList(best);
    if (national && !(anyPosition == 1 && GetPlayerCaps89(best) != 0)) {
        SetPlayerExperience(best, int16_t(GetPlayerExperience(best) + 1));
    }
    return best;
}

// ---------------------------------------------------------------------------
// Sides

bool OutsidePlayedLeagues(int16_t club) {
    return GetClubNation(club) >= kCountryCount || GetClubDivision(club) >= 6 ||
           !IsPlayedLeagueNation(GetClubNation(club));
}

namespace {

// What follows every pick of a club side.
struct SidePick {
    int16_t club;
    int16_t mode;
    int16_t foreignSum;

    void After(uint16_t player, bool outfield) {
        if (player == 0) return;
        foreignSum = int16_t(foreignSum + ForeignQuotaWord(GetPlayerNationality(player)));
        if (mode != 0 && OutsidePlayedLeagues(club)) InitPlayerValueFields(player);
        if (outfield && GetClubControl(club) == 0 && GetPlayerLoanList(player) != 0)
            SetPlayerLoanList(player, 0);
    }
};

// The bans a match-day side serves, then the players' reaction to it.  A
// sheet picked afresh is reacted to in every competition but friendlies; a
// sheet only completed (AutoAssignShirtNumbers) is not in the European cups.
void ApplyMatchDayDiscipline(int16_t club, int16_t competitionType, bool reactInEurope) {
    const bool european = IsEuropeanCompetition(competitionType);
    if (european) {
        ApplyEuroDisciplinePoints(club);
    } else if (competitionType != kCompFriendly) {
        ApplyPlayerSuspension(club);
    }
    if (competitionType != kCompFriendly && (reactInEurope || !european)) PlayerSelectionReaction(club);
}

int SubstituteCount(int16_t substitutes) { return std::clamp<int>(substitutes, 0, 5); }

// Clears a shirt worn by a player of the club whom none of the lists holds
// (left over from an earlier side), so no number is worn twice.
void ClearUnlistedShirts(int16_t club, uint16_t (*get)(uint16_t), void (*set)(uint16_t, int16_t)) {
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club) || get(player) == 0) continue;
        if (InList(FirstTeamList, player) || InList(ReserveList, player) || InList(YouthList, player))
            continue;
        set(player, 0);
    }
}

}  // namespace

void ClearSquadShirts(int16_t club) {
    for (SquadList* list : {&FirstTeamList, &ReserveList, &YouthList}) {
        for (int i = 0; i < ListCount(*list); ++i) {
            const uint16_t player = list->players[i];
            if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club)) continue;
            SetPlayerShirt(player, 0);
            if (list == &YouthList) SetPlayerFlag118(player, 0);
        }
    }
    if (IsClubNumber(club)) ClearUnlistedShirts(club, GetPlayerShirt, SetPlayerShirt);
}

void ClearReserveShirts(int16_t club) {
    for (SquadList* list : {&FirstTeamList, &ReserveList, &YouthList}) {
        for (int i = 0; i < ListCount(*list); ++i) {
            const uint16_t player = list->players[i];
            if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club)) continue;
            SetPlayerIntShirt(player, 0);
            if (list == &YouthList) SetPlayerFlag107(player, 0);
        }
    }
    if (IsClubNumber(club)) ClearUnlistedShirts(club, GetPlayerIntShirt, SetPlayerIntShirt);
}

void SelectClubTeamByFormation(int16_t club, int16_t substitutes, int16_t mode, int16_t competitionType) {
    const SideScope side(club);
    const int family = GetManagerFormation(CurrentClubManager);
    const int variant = GetManagerFormationVariant(CurrentClubManager);
    ClearSquadShirts(club);
    MoveYouthFromFirstTeamList();
    const int16_t experienceMode = mode == 2 ? 1 : 0;
    SidePick pick{club, mode, 0};

    uint16_t player = PickPlayerForSlot(0, 3, club, 0, 0, experienceMode, competitionType, pick.foreignSum);
    if (player != 0) SetPlayerShirt(player, 1);
    pick.After(player, false);
    for (int k = 0; k < kOutfieldShirts; ++k) {
        const int16_t shirt = FormationPickOrder[family][k];
        const FormationSlot& slot = FormationSlotTable.slot[family][variant][shirt - 2];
        if (mode == 1) MatchFrameTimer();
        player = PickPlayerForSlot(slot.position, slot.mode, club, 0, 0, experienceMode, competitionType,
                                   pick.foreignSum);
        if (player != 0) SetPlayerShirt(player, shirt);
        pick.After(player, true);
    }
    PickClubCaptain();
    for (int i = 0; i < SubstituteCount(substitutes); ++i) {
        player = PickPlayerForSlot(kSubstitutePositions[i], 3, club, 1, 0, experienceMode, competitionType,
                                   pick.foreignSum);
        if (player != 0) SetPlayerShirt(player, int16_t(12 + i));
        pick.After(player, false);
    }
    if (mode == 1) ApplyMatchDayDiscipline(club, competitionType, true);
}

void SelectReserveTeamByFormation(int16_t club, int16_t, int16_t, int16_t competitionType) {
    const int family = GetManagerFormation(CurrentClubManager);
    const int variant = GetManagerFormationVariant(CurrentClubManager);
    const bool computer = IsClubNumber(club) && GetClubControl(club) == 0;
    ClearReserveShirts(club);
    uint16_t player = PickReserveSidePlayer(0, 3, club, 0, competitionType);
    if (player != 0) SetPlayerIntShirt(player, 1);
    for (int k = 0; k < kOutfieldShirts; ++k) {
        const int16_t shirt = FormationPickOrder[family][k];
        const FormationSlot& slot = FormationSlotTable.slot[family][variant][shirt - 2];
        player = PickReserveSidePlayer(slot.position, slot.mode, club, 0, competitionType);
        if (player == 0) continue;
        SetPlayerIntShirt(player, shirt);
        if (computer && GetPlayerLoanList(player) != 0) SetPlayerLoanList(player, 0);
    }
    PickNationalCaptain();
    for (int i = 0; i < 5; ++i) {
        player = PickReserveSidePlayer(kSubstitutePositions[i], 3, club, 1, competitionType);
        if (player != 0) SetPlayerIntShirt(player, int16_t(12 + i));
    }
}

namespace {

// Keeps the first wearer of the shirt in the list and takes it from any
// later one; true when somebody keeps it.
bool KeepFirstWearer(const SquadList& list, int16_t club, int16_t shirt, uint16_t (*get)(uint16_t),
                     void (*set)(uint16_t, int16_t)) {
    bool worn = false;
    for (int i = 0; i < ListCount(list); ++i) {
        const uint16_t player = list.players[i];
        if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club) ||
            get(player) != uint16_t(shirt)) {
            continue;
        }
        if (worn) {
            set(player, 0);
        } else {
            worn = true;
        }
    }
    return worn;
}

}  // namespace

void AutoAssignShirtNumbers(int16_t club, int16_t substitutes, int16_t mode, int16_t competitionType) {
    const SideScope side(club);
    const int family = GetManagerFormation(CurrentClubManager);
    const int variant = GetManagerFormationVariant(CurrentClubManager);
    const int16_t experienceMode = mode == 2 ? 1 : 0;
    const int last = 11 + SubstituteCount(substitutes);
    for (int16_t shirt = 1; shirt <= last; ++shirt) {
        if (KeepFirstWearer(FirstTeamList, club, shirt, GetPlayerShirt, SetPlayerShirt)) continue;
        uint16_t player = 0;
        if (shirt == 1) {
            player = PickPlayerForSlot(0, 3, club, 0, 0, experienceMode, competitionType, 0);
        } else if (shirt <= 11) {
            const FormationSlot& slot = FormationSlotTable.slot[family][variant][shirt - 2];
            player =
                PickPlayerForSlot(slot.position, slot.mode, club, 0, 0, experienceMode, competitionType, 0);
        } else {
            const int16_t position = int16_t(GameRandom() % 13);
            player = PickPlayerForSlot(position, 0, club, 1, 0, experienceMode, competitionType, 0);
        }
        if (player != 0) SetPlayerShirt(player, shirt);
    }
    if (mode == 1) ApplyMatchDayDiscipline(club, competitionType, false);
}

void AutoAssignReserveShirtNumbers(int16_t club, int16_t substitutes, int16_t, int16_t competitionType) {
    const int family = GetManagerFormation(CurrentClubManager);
    const int variant = GetManagerFormationVariant(CurrentClubManager);
    const int last = 11 + SubstituteCount(substitutes);
    for (int16_t shirt = 1; shirt <= last; ++shirt) {
        if (KeepFirstWearer(ReserveList, club, shirt, GetPlayerIntShirt, SetPlayerIntShirt)) continue;
        uint16_t player = 0;
        if (shirt == 1) {
            player = PickReserveSidePlayer(0, 3, club, 0, competitionType);
        } else if (shirt <= 11) {
            const FormationSlot& slot = FormationSlotTable.slot[family][variant][shirt - 2];
            player = PickReserveSidePlayer(slot.position, slot.mode, club, 0, competitionType);
        } else {
            player = PickReserveSidePlayer(int16_t(GameRandom() % 13), 0, club, 1, competitionType);
        }
        if (player != 0) SetPlayerIntShirt(player, shirt);
    }
}

// ---------------------------------------------------------------------------
// List operations

void AddToTeamList(uint16_t player) {
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 1);
    AddOrReplace(FirstTeamList, player, IsAway);
}

void AddToReserveList(uint16_t player) {
    SetPlayerFlag107(player, 1);
    AddOrReplace(ReserveList, player, IsAway);
}

void AddToYouthList(uint16_t player) {
    SetPlayerFlag107(player, 0);
    SetPlayerIntShirt(player, 0);
    AddOrReplace(YouthList, player,
                 [](uint16_t p) { return GetPlayerIT(p) != 0 || IsPlayerSuspended(p) != 0; });
}

void RemoveFromTeamList(uint16_t player) {
    SetPlayerFlag107(player, 1);
    SetPlayerFlag118(player, 0);
    SetPlayerShirt(player, 0);
    const int16_t user = GetUserClub();
    if (user >= 0 && GetPlayerClub(player) == uint16_t(user)) HVW_ClearPlayerWatchSlot(player);
    RemoveFromList(FirstTeamList, player);
}

void RemoveFromReserveList(uint16_t player) {
    SetPlayerFlag107(player, 0);
    SetPlayerIntShirt(player, 0);
    RemoveFromList(ReserveList, player);
}

void RemoveFromYouthList(uint16_t player) {
    SetPlayerFlag107(player, 1);
    RemoveFromList(YouthList, player);
}

// ---------------------------------------------------------------------------
// Season set-up and squad numbers

namespace {

int16_t CappedSquadNumber(int n) { return int16_t(std::min<int>(n, kMaxSquadNumber)); }

void NumberTheSquad() {
    int next = 17;
    for (int i = 0; i < ListCount(FirstTeamList); ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (!IsPlayerNumber(player)) continue;
        const uint16_t shirt = GetPlayerShirt(player);
        SetPlayerField92(player, shirt != 0 ? int16_t(shirt) : CappedSquadNumber(next++));
    }
    for (int i = 0; i < ListCount(ReserveList); ++i) {
        const uint16_t player = ReserveList.players[i];
        if (!IsPlayerNumber(player)) continue;
        const uint16_t shirt = GetPlayerShirt(player);
        if (shirt != 0) {
            SetPlayerField92(player, int16_t(shirt));
            continue;
        }
        SetPlayerField92(player, CappedSquadNumber(next));
        next += 1 + GameRandom() % 2;
    }
    for (int i = 0; i < ListCount(YouthList); ++i) {
        const uint16_t player = YouthList.players[i];
        if (!IsPlayerNumber(player)) continue;
        const uint16_t shirt = GetPlayerShirt(player);
        SetPlayerField92(player, shirt != 0 ? int16_t(shirt) : CappedSquadNumber(next++));
    }
}

}  // namespace

void SetUpAllClubTeams() {
    for (uint16_t player = 1; player < PlayerCount; ++player) SetPlayerField92(player, 0);
    RebuildAllRosters();
    // Every club's manager is asked for three times over, each a walk over
    // the players unless kept: one walk and the club words serve them all.
    KeepClubManagers(true);
    KeepPlayerMarketKeys(true);
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        CurrentClubManager = FindClubManager(club);
        BuildSeasonSquadList(club);
        SelectClubTeamByFormation(club, 5, 0, 0);
        BuildSeasonSquadList(club);
        NumberTheSquad();
    }
    KeepPlayerMarketKeys(false);
    KeepClubManagers(false);
}

int16_t NextFreeSquadNumber(int16_t, uint16_t player) {
    int candidate = GetPlayerPosition(player) / 2 + 1;
    for (int pass = 0; pass < 64; ++pass) {
        bool taken = false;
        for (const SquadList* list : {&FirstTeamList, &ReserveList, &YouthList}) {
            for (uint16_t other : list->players) {
                if (IsPlayerNumber(other) && GetPlayerField92(other) == candidate) {
                    taken = true;
                    break;
                }
            }
            if (taken) break;
        }
        if (!taken) break;
        ++candidate;
    }
    return CappedSquadNumber(candidate);
}

int16_t ClubHasShirtsUpTo(int16_t club, int16_t n) {
    for (int16_t shirt = 1; shirt <= n; ++shirt) {
        bool worn = false;
        for (int i = 0; i < ListCount(FirstTeamList) && !worn; ++i) {
            const uint16_t player = FirstTeamList.players[i];
            worn = IsPlayerNumber(player) && GetPlayerLoanClub(player) == uint16_t(club) &&
                   GetPlayerShirt(player) == uint16_t(shirt);
        }
        if (!worn) return -1;
    }
    return 0;
}

void ClubSquadPass2(int16_t) {}
