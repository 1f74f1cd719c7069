#include "core/club/reserveside.h"

#include <algorithm>
#include <cstdio>

#include "core/base/debug.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/slotcandidates.h"

namespace {

constexpr int kUnfitBelow = 48;

int Group(int position) { return PositionGroupTable[std::clamp(position, 0, 12)]; }

bool IsCandidate(uint16_t player, int16_t club, bool fitnessCounts, bool relaxed) {
    if (GetPlayerShirt(player) != 0 || GetPlayerIntShirt(player) != 0 || GetPlayerIntDuty(player) != 0)
        return false;
    if (GetPlayerClub(player) != uint16_t(club) || IsPlayerSuspended(player) != 0 ||
        GetPlayerIT(player) != 0) {
        return false;
    }
    // The match sheet would refuse him against the club that lent him.
    if (FacesLendingClub(player, club)) return false;
    return !(fitnessCounts && GetPlayerFitness(player) < kUnfitBelow && !relaxed);
}

bool FitsSlot(int own, int position, bool relaxed) {
    const bool fullList = ReserveList.count >= kSquadListSize;
    if (position == 0) return own == 0 || relaxed || fullList;
    if (own == 0) return !relaxed && fullList;
    if (relaxed) return true;
    return Group(own) == Group(position) || ReserveList.count >= FirstTeamList.count;
}

int64_t Rating(uint16_t player, int position, int kind, bool relaxed) {
    const int8_t* w = PlayerValueTables.weights[position];
    const int32_t threshold = GetPlayerAge(player) / 2 + 40;
    int64_t r = 0;
    for (int column = 0; column < kValueColumns; ++column) {
        if (w[column] == 0) continue;
        const int32_t s = GetPlayerStat(player, kValueColumnStat[column], 0);
        r += s >= threshold ? int64_t(s) * w[column] : -int64_t(threshold - s) * w[column];
    }
    if (r < 0) r = 1;
    r += int64_t(GetPlayerStat(player, kStaminaStat, 0)) * 20;
    if (!relaxed) r = r * (GetPlayerStat(player, kConsistencyStat, 0) + 40) / 140;
    // A player at or past fatigue 60 rates nothing.
    r = r * std::max(0, 60 - int(GetPlayerFatigue(player))) / 60;
    if (Group(GetPlayerPosition2(player)) != Group(position)) r = (r / 100) * 60;
    int setting = 3;
    if (kind == 0) setting = GetPlayerSetting2(player);
    if (kind == 1) setting = GetPlayerSetting3(player);
    if (kind == 2) setting = GetPlayerSetting1(player);
    if (setting != 3) r = r * (setting * 20 + 40) / 100;
    return r == 0 ? 1 : r;
}

}  // namespace

int64_t RateReserveSidePlayer(uint16_t player, int16_t position, int16_t kind, int16_t relaxed) {
    return Rating(player, std::clamp<int>(position, 0, 12), kind, relaxed == 1);
}

uint16_t PickReserveSidePlayer(int16_t position, int16_t kind, int16_t club, int16_t relaxed,
                               int16_t passValue) {
    if (!IsClubNumber(club)) {
        std::printf("PickReserveSidePlayer(): Error: invalid club %d\n", int(club));
        FatalExit(__func__);
    }
    position = int16_t(std::clamp<int>(position, 0, 12));
    const int nation = GetClubNation(club) < kCountryCount ? GetClubNation(club) : 0;
    const bool fitnessCounts = SeasonCalendar.currentDay >= SeasonCalendar.splitDay[nation];
    const bool isRelaxed = relaxed == 1;
    int64_t best = 0;
    uint16_t chosen = 0;
    for (int i = 0; i < std::clamp<int>(ReserveList.count, 0, kSquadListSize); ++i) {
        const uint16_t p = ReserveList.players[i];
        if (!IsPlayerNumber(p) || !IsCandidate(p, club, fitnessCounts, isRelaxed)) continue;
        if (!FitsSlot(GetPlayerPosition2(p), position, isRelaxed)) continue;
        const int64_t r = Rating(p, position, kind, isRelaxed);
        if (r > best) {
            best = r;
            chosen = p;
        }
    }
    if (chosen == 0) chosen = PickSlotFromThirdList(club, position, passValue, kind);
    if (chosen != 0 && GetPlayerFlag107(chosen) == 0) AddToReserveList(chosen);
    return chosen;
}
