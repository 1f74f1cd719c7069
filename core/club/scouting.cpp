#include "core/club/scouting.h"

#include <algorithm>
#include <memory>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/squadneeds.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/scouting.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/newgame.h"

uint16_t ScoutingWordPair[2];
uint16_t ScoutingWord;

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kHomeRegion = 9;
constexpr int16_t kWideRegion = 7;
constexpr int16_t kBelowTheLeagues = 6;
constexpr int kFadeAbove = 95;
constexpr int kSmallestBatch = 18;
constexpr int kBatchSpread = 50;
constexpr int kFeePerPlayer = 1000, kHomeFeePerPlayer = 500;
constexpr int kRandomRange = 32768;
constexpr uint16_t kOtherPlayableNations = 8;  // nations 0..7

// Nations of regions 0..8, each list ended by kRegionListEnd.
constexpr uint16_t kRegion0[] = {32, 35, 37,  41,  42,  43,  50,  52,  57,  60,
                                 64, 66, 67,  72,  79,  82,  83,  91,  92,  93,
                                 96, 97, 103, 105, 106, 107, 109, 111, 113, kRegionListEnd};
constexpr uint16_t kRegion1[] = {39, 48, 53, 56, 58, 81, 87, 88, 94, 95, 98, 114, kRegionListEnd};
constexpr uint16_t kRegion2[] = {34, 44, 47, 51, 54, 55, 59, 74, 86, 89, 108, 115, kRegionListEnd};
constexpr uint16_t kRegion3[] = {46, 62, 102, kRegionListEnd};
constexpr uint16_t kRegion4[] = {36, 38, 61, 68, 70, 71, 75, 76, 78, 99, kRegionListEnd};
constexpr uint16_t kRegion5[] = {
    16, 17, 18, 19, 20, 23, 24, 25, 26, 28, 29, 30, 33, 40, 65, 69, 73, 77, 80, 84, 100, 110, kRegionListEnd};
constexpr uint16_t kRegion6[] = {9, 14, 15, 27, 49, kRegionListEnd};
constexpr uint16_t kRegion7[] = {8, 10, 11, 12, 13, 21, 22, 31, 101, 104, kRegionListEnd};
constexpr uint16_t kRegion8[] = {45, 63, 85, 90, 112, kRegionListEnd};
constexpr const uint16_t* kRegionNations[kScoutRegions - 1] = {
    kRegion0, kRegion1, kRegion2, kRegion3, kRegion4, kRegion5, kRegion6, kRegion7, kRegion8};

// The region of the running assignment, for when its last players have
// been reported on and the marks no longer tell it.  Not saved: after a
// load such an assignment ends without naming its region.
int16_t LastScoutedRegion = -1;

bool IsRegion(int region) { return region >= 0 && region < kScoutRegions; }

bool InNationList(const uint16_t* list, uint16_t nation) {
    for (; *list != kRegionListEnd; ++list) {
        if (*list == nation) return true;
    }
    return false;
}

struct Place {
    uint16_t nation, division;
};

Place PlayerPlace(uint16_t player) {
    const uint16_t club = GetPlayerClub(player);
    if (IsClubNumber(club)) return {GetClubNation(int16_t(club)), GetClubDivision(int16_t(club))};
    return {GetPlayerNationality(player), 0};
}

int UserNation() {
    const int16_t user = GetUserClub();
    return IsClubNumber(user) ? int(GetClubNation(user)) : -1;
}

bool PlaceInRegion(Place place, int region, int userNation) {
    if (region == kHomeRegion) return int(place.nation) == userNation && place.division == kBelowTheLeagues;
    if (region == kWideRegion && place.nation < kOtherPlayableNations && GameScopeSetting >= 2 &&
        int(place.nation) != userNation)
        return true;
    return InNationList(kRegionNations[region], place.nation);
}

void SetWeeklyFee(uint32_t fee) {
    ScoutingWordPair[0] = uint16_t(fee & 0xFFFF);
    ScoutingWordPair[1] = uint16_t(fee >> 16);
}

void ClearMarks() {
    for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerScoutMark(p, 0);
}

int16_t RecommendedIn(int region, int userNation) {
    int count = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerScoutRecommended(p) != 0 && PlaceInRegion(PlayerPlace(p), region, userNation)) ++count;
    }
    return int16_t(std::min(count, int(INT16_MAX)));
}

void PostToUser(int16_t type, int64_t money, int16_t region, int32_t number) {
    if (!IsClubNumber(GetUserClub())) return;
    const int32_t amount = int32_t(std::clamp<int64_t>(money, INT32_MIN, INT32_MAX));
    AddMessage(GetUserClub(), -1, kNoPlayer, kNoPlayer, -1, -1, amount, HVW_GetScoutingContText(region), -1,
               number, -1, type, 1, 0);
}

// A draw below the list length: lists longer than one draw reaches take
// two, so that every entry can come up.
int DrawBelow(int length) {
    if (length <= kRandomRange) return GameRandom() % length;
    const int high = GameRandom(), low = GameRandom();
    return (high * kRandomRange + low) % length;
}

// The club could afford the player and he is clearly better than it.
struct Affordable {
    int32_t valueBelow, wageBelow;
    int clubRep;
};

bool IsRecommended(uint16_t player, const Affordable& club) {
    // The valuation is the dear part: it is asked last.
    const int ability = GetPlayerStat(player, kAbilityStat, 0);
    return club.clubRep < ability && club.clubRep < ability / 3 &&
           HVW_GetPlayerWage(player) < club.wageBelow && HVW_ValuePlayerFull(player) < club.valueBelow;
}

}  // namespace

uint32_t Scout_GetWeeklyFee() { return uint32_t(ScoutingWordPair[0]) | uint32_t(ScoutingWordPair[1]) << 16; }
uint16_t Scout_GetWeeksPaid() { return ScoutingWord; }

int16_t Scout_PlayerInRegion(uint16_t player, int16_t region) {
    if (!IsRegion(region) || !IsPlayerNumber(player)) return 0;
    return PlaceInRegion(PlayerPlace(player), region, UserNation()) ? 1 : 0;
}

int16_t Scout_GetMarkedRegion() {
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerScoutMark(p) == 0) continue;
        for (int16_t region = 0; region < kScoutRegions; ++region) {
            if (Scout_PlayerInRegion(p, region)) return region;
        }
        return -1;
    }
    return -1;
}

void Scout_MarkRegion(int16_t region, uint32_t weeklyFee) {
    SetWeeklyFee(weeklyFee);
    LastScoutedRegion = IsRegion(region) ? region : int16_t(-1);
    if (!IsRegion(region)) return;
    const int userNation = UserNation();
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerPosition(p) != 13 && PlaceInRegion(PlayerPlace(p), region, userNation))
            SetPlayerScoutMark(p, 1);
    }
}

void Scout_ClearAll() {
    SetWeeklyFee(0);
    ScoutingWord = 0;
    LastScoutedRegion = -1;
    ClearMarks();
}

int16_t GetScoutNumRecommendedInRegion(int16_t region) {
    if (!IsRegion(region)) FatalError("Invalid Continent GetScoutNumRecommendedInRegion()");
    EvaluateClubSquad(GetUserClub());
    return RecommendedIn(region, UserNation());
}

int16_t Scout_RegionKnownPercent(int16_t region) {
    if (!IsRegion(region)) return 0;
    const int userNation = UserNation();
    int all = 0, known = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (!PlaceInRegion(PlayerPlace(p), region, userNation)) continue;
        ++all;
        known += GetPlayerFlag119(p) != 0;
    }
    return all == 0 ? int16_t(0) : int16_t(100 * known / all);
}

int16_t Scout_WeeklyReport(int32_t n, bool* moreRemain) {
    int count = std::max(kSmallestBatch, int(n) - GameRandom() % kBatchSpread);
    static auto marked = std::make_unique<uint16_t[]>(kMaxPlayers);
    static auto taken = std::make_unique<bool[]>(kMaxPlayers);
    int length = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerScoutMark(p) != 0) marked[length++] = p;
    }
    *moreRemain = false;
    if (length == 0) return 0;
    *moreRemain = length >= count;
    count = std::min(count, length);
    std::fill_n(taken.get(), length, false);

    // Without a club of his own the user is recommended nobody.
    const int16_t user = GetUserClub();
    Affordable club{0, 0, 0};
    if (IsClubNumber(user))
        club = Affordable{HVW_GetClubWageBudget(user), ComputeFinancePercent(user), int(GetClubRep(user))};
    const int16_t region = Scout_GetMarkedRegion();
    int recommended = 0;
    for (int done = 0; done < count; ++done) {
        int j = DrawBelow(length);
        while (taken[j]) j = DrawBelow(length);
        taken[j] = true;
        const uint16_t p = marked[j];
        SetPlayerFlag119(p, 1);
        SetPlayerScoutMark(p, 0);
        if (IsRecommended(p, club)) {
            SetPlayerScoutRecommended(p, 1);
            ++recommended;
        }
    }
    if (recommended > 0 && IsRegion(region))
        PostToUser(recommended == 1 ? kMsgScoutOneRecommended : kMsgScoutRecommended, -1, region,
                   recommended);
    return 1;
}

namespace {

void EndAssignment(int16_t region) {
    if (IsRegion(region))
        PostToUser(kMsgScoutFinished, int64_t(ScoutingWord) * Scout_GetWeeklyFee(), region,
                   GetScoutNumRecommendedInRegion(region));
    Scout_ClearAll();
}

}  // namespace

void Scout_WeeklyJob() {
    const int16_t region = Scout_GetMarkedRegion();
    const int userNation = UserNation();
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerFlag119(p) == 0) continue;
        if (IsRegion(region) && PlaceInRegion(PlayerPlace(p), region, userNation)) continue;
        if (GameRandom() % 100 > kFadeAbove) SetPlayerFlag119(p, 0);
    }
    const uint32_t fee = Scout_GetWeeklyFee();
    const int16_t user = GetUserClub();
    if (fee == 0 || !IsClubNumber(user)) return;
    // Last week's batch took the last marked players: the assignment ends
    // now, uncharged.
    if (!IsRegion(region)) return EndAssignment(LastScoutedRegion);
    if (int64_t(GetClubBalance(user)) <= 2 * int64_t(fee)) {
        PostToUser(kMsgScoutCannotPay, fee, region, GetScoutNumRecommendedInRegion(region));
        return;
    }
    bool moreRemain = false;
    const int32_t n = int32_t(fee / (region == kHomeRegion ? kHomeFeePerPlayer : kFeePerPlayer));
    // When everybody has been seen this week is not charged, and the next
    // assignment starts counting its weeks afresh.
    if (Scout_WeeklyReport(n, &moreRemain) == 0 || !moreRemain) return EndAssignment(region);
    AddClubBalance(user, -int32_t(std::min<uint32_t>(fee, INT32_MAX)));
    ++ScoutingWord;
}
