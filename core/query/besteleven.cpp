// The best eleven of the viewed country, picked by one of five measures
// into a fixed formation for a competition screen.
#include "core/query/besteleven.h"

#include <algorithm>
#include <iterator>

#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/reportpicks.h"
#include "core/records/ranges.h"
#include "core/records/records.h"

BestElevenSlot BestEleven[kBestElevenSlots];

namespace {

enum : int {
    kKeeperSlot = 0,
    kLeftBack = 1,
    kCentreBack = 2,
    kCentreBack2 = 3,
    kRightBack = 4,
    kLeftMid = 5,
    kCentreMid = 6,
    kCentreMid2 = 7,
    kRightMid = 8,
    kForward1 = 9,
    kForward2 = 10,
};
constexpr int kLastMode = 4;
constexpr int16_t kManagerPosition = 13;

bool Beats(int16_t score, int slot) { return score > BestEleven[slot].score; }

void Place(int slot, uint16_t player, int16_t score) { BestEleven[slot] = {player, score}; }

// A central pair: only the first place of the pair is contested; its
// holder moves to the second place.
void OfferCentral(int first, uint16_t player, int16_t score) {
    if (!Beats(score, first)) return;
    BestEleven[first + 1] = BestEleven[first];
    Place(first, player, score);
}

void OfferLine(int left, int centre, int right, uint16_t player, int16_t score) {
    if (GetPlayerSetting2(player) == 3) {
        OfferCentral(centre, player, score);
        return;
    }
    const int side = GetPlayerSetting3(player) == 3 ? left : right;
    if (Beats(score, side)) Place(side, player, score);
}

void OfferForward(uint16_t player, int16_t score) {
    for (int slot = kForward1; slot <= kForward2; ++slot) {
        if (!Beats(score, slot)) continue;
        for (int move = kForward2; move > slot; --move) BestEleven[move] = BestEleven[move - 1];
        Place(slot, player, score);
        return;
    }
}

}  // namespace

void HVW_ClearBestEleven() { std::fill(std::begin(BestEleven), std::end(BestEleven), BestElevenSlot{0, 0}); }

void HVW_OfferBestGoalkeeper(uint16_t player, int16_t score) {
    if (Beats(score, kKeeperSlot)) Place(kKeeperSlot, player, score);
}

void HVW_BuildBestEleven(int16_t mode, int16_t division) {
    HVW_ClearBestEleven();
    if (mode < 0 || mode > kLastMode) return;
    const int16_t viewed = HVW_GetViewedCountry();
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        if (GetPlayerPosition(player) == kManagerPosition) continue;
        const uint16_t clubNumber = GetPlayerClub(player);
        if (!IsClubNumber(clubNumber)) continue;
        const int16_t club = int16_t(clubNumber);
        if (GetClubNation(club) != uint16_t(viewed)) continue;
        const int16_t type = HVW_GetPositionType(player);
        if (type < 0 || type > 3) continue;

        const bool inDivision = GetClubDivision(club) == uint16_t(division);
        const int16_t perf = int16_t(GetPlayerPerf(player));
        int16_t score = 0;
        switch (mode) {
            case 0:
                if (!inDivision || (type != 0 && !HVW_IsPlayerRegular(player, club))) continue;
                score = type == 0 ? HVW_GetPlayerRecentRating(player, club) : perf;
                break;
            case 1:
                score = HVW_GetPlayerDispoints(player);
                break;
            case 2:
                if (!inDivision || !HVW_IsPlayerRegular(player, club)) continue;
                score = int16_t(100 - perf);
                break;
            case 3:
                if (HVW_GetPlayerAge(player) >= 23 || !HVW_IsPlayerRegular(player, club)) continue;
                score = perf;
                break;
            default:
                if (HVW_GetPlayerAge(player) <= 31 || !HVW_IsPlayerRegular(player, club)) continue;
                score = perf;
                break;
        }
        switch (type) {
            case 0:
                HVW_OfferBestGoalkeeper(player, score);
                break;
            case 1:
                OfferLine(kLeftBack, kCentreBack, kRightBack, player, score);
                break;
            case 2:
                OfferLine(kLeftMid, kCentreMid, kRightMid, player, score);
                break;
            default:
                OfferForward(player, score);
                break;
        }
    }
}
