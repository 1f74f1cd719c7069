// Small members of the query layer: one-line forwarders, display
// percentages of the 0..60 fields, squad-list membership tests and a few
// plain table operations.
#include "core/query/funcs_small.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/contracts.h"
#include "core/club/mood.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/records/Access.h"
#include "core/records/ranges.h"
#include "core/records/referees.h"
#include "core/season/fixtures.h"

// --- forwarders ---------------------------------------------------------------

int16_t HVW_GetClubSeasonLoans(int16_t club) { return int16_t(GetClubSeasonLoans(club)); }
void HVW_SetPlayerIntShirt(uint16_t player, int16_t shirt) { SetPlayerIntShirt(player, shirt); }
void HVW_SetClubSeasonMerchandising(int16_t club, int32_t value) { SetClubSeasonMerchandising(club, value); }
void HVW_SetClubWeeksMerchandising(int16_t club, int16_t week, int32_t value) {
    SetClubWeeksMerchandising(club, value, week);
}
int16_t HVW_GetFixtureField16(int16_t slot) { return int16_t(GetMatchField16(slot)); }
int16_t HVW_GetFixtureField12(int16_t slot) { return int16_t(GetMatchField12(slot)); }
void HVW_ClubSquadPass2(int16_t club) { ClubSquadPass2(club); }
int16_t HVW_IsPlayerAvailable(uint16_t player, int16_t club) { return GetPlayerSquadRank(player, club); }
int16_t HVW_GetClubGenerosity(int16_t club) { return int16_t(GetClubGenerosity(club)); }
int16_t HVW_GetClubSquadHappinessPct(int16_t club) { return GetClubSquadHappinessPct(club); }
int16_t HVW_GetClubManagerFansPct(int16_t club) { return GetClubManagerFansPct(club); }
int16_t HVW_GetBoardConfidence(int16_t club) { return GetBoardConfidence(club); }
int16_t HVW_GetPlayerField117(uint16_t player) { return int16_t(GetPlayerField117(player)); }
int16_t HVW_GetPlayerStat(uint16_t player, int16_t stat) { return GetPlayerStat(player, stat, 0); }
int16_t HVW_GetPlayerStat27(uint16_t player) { return GetPlayerStat27(player); }
void HVW_SetPlayerField96(uint16_t player, int16_t value) { SetPlayerField96(player, value); }
int16_t HVW_GetPlayerField92(uint16_t player) { return int16_t(GetPlayerField92(player)); }
void HVW_SetPlayerFlag95(uint16_t player, int16_t value) { SetPlayerFlag95(player, value); }
int16_t HVW_GetPlayerFlag95(uint16_t player) { return int16_t(GetPlayerFlag95(player)); }
int32_t HVW_GetPlayerClause1(uint16_t player) { return GetPlayerClause1(player); }
int16_t HVW_GetPlayerClause2(uint16_t player) { return int16_t(GetPlayerClause2(player)); }
int16_t HVW_GetPlayerClause3(uint16_t player) { return int16_t(GetPlayerClause3(player)); }
int32_t HVW_GetPlayerClause4(uint16_t player) { return GetPlayerClause4(player); }
int32_t HVW_GetPlayerClause5(uint16_t player) { return GetPlayerClause5(player); }
int32_t HVW_GetPlayerClause6(uint16_t player) { return GetPlayerClause6(player); }
int32_t HVW_GetPlayerClause7(uint16_t player) { return GetPlayerClause7(player); }
int16_t HVW_GetPlayerClause8(uint16_t player) { return int16_t(GetPlayerClause8(player)); }

void HVW_PlayerFitnessDailyOfClub(int16_t club) {
    BuildClubSquadList(club);
    PlayerFitnessDaily(club);
}

// --- percentages ----------------------------------------------------------------

namespace {

constexpr int32_t kFieldMax = 60;

int16_t PercentToField(int16_t percent) { return int16_t((int32_t(percent) + 1) * kFieldMax / 100); }
int16_t FieldToPercent(uint16_t value) { return int16_t(int32_t(value) * 100 / kFieldMax); }

}  // namespace

void HVW_SetPlayerFitnessPercent(uint16_t player, int16_t percent) {
    SetPlayerFitness(player, PercentToField(percent));
}
void HVW_SetPlayerFatiguePercent(uint16_t player, int16_t percent) {
    SetPlayerFatigue(player, PercentToField(percent));
}
int16_t HVW_GetPlayerField105Percent(uint16_t player) { return FieldToPercent(GetPlayerField105(player)); }
int16_t HVW_GetPlayerField96Percent(uint16_t player) { return FieldToPercent(GetPlayerField96(player)); }
int16_t HVW_GetPlayerFormScore(uint16_t player) {
    const int32_t form = FieldToPercent(GetPlayerField96(player));
    return int16_t(form * 50 / 100 + int32_t(GetPlayerPerf(player)) * 50 / 100);
}

// --- squad lists ------------------------------------------------------------------

namespace {

int16_t InList(const SquadList& list, uint16_t player) {
    return std::find(std::begin(list.players), std::end(list.players), player) != std::end(list.players) ? 1
                                                                                                         : 0;
}

}  // namespace

int16_t HVW_IsInSelectedTeam(uint16_t player, int16_t club) {
    BuildClubSquadList(club);
    return InList(FirstTeamList, player);
}
int16_t HVW_IsInNationalSquad(uint16_t player, int16_t club) {
    BuildClubSquadList(club);
    return InList(ReserveList, player);
}
int16_t HVW_IsInThirdSquadList(uint16_t player, int16_t club) {
    BuildClubSquadList(club);
    return InList(YouthList, player);
}

uint16_t HVW_FindIntSquadPlayerByShirt(int16_t shirt) {
    for (uint16_t player : ReserveList.players) {
        // An empty slot, or the end mark, ends the list.
        if (!IsPlayerNumber(player)) break;
        if (GetPlayerIntShirt(player) == uint16_t(shirt)) return player;
    }
    return 0;
}

// --- plain operations ----------------------------------------------------------------

void HVW_SetPlayerSurname(uint16_t player, const char* surname) {
    // The accessor cuts the text to the 15 characters the field holds.
    SetPlayerSurname(player, surname);
}

int16_t HVW_GetPositionTextId2430(int16_t code) {
    return code >= 0 && code <= 12 ? int16_t(2430 + code) : int16_t(-1);
}

int16_t GetPositionNameTextId(int16_t position) {
    constexpr int16_t kFirstPositionName = 2430;  // 2443 names the manager
    return position >= 0 && position <= 13 ? int16_t(kFirstPositionName + position) : int16_t(-1);
}

int16_t HVW_GetStateWord1(int16_t* out) { return *out = CurrentTacticB; }
int16_t HVW_GetStateWord2(int16_t* out) { return *out = SeasonStepWord; }

void HVW_ResetRefereeCounters(int16_t referee) {
    constexpr int kRefereeTable = 400;
    if (referee < 0 || referee >= kRefereeTable) return;
    uint8_t* record = RefereeRecords[referee].bytes;
    if (int16_t(recbits::LoadU16(record + 17)) < 0) return;
    recbits::StoreU16(record + 25, 0);
    recbits::StoreU16(record + 27, 0);
    record[29] = 0;
}

int32_t HVW_RoundedSquareRoot(int32_t n) {
    if (n < 0) return -1;
    // i: the smallest whole number whose square exceeds n, found from the
    // floating-point root and corrected for its rounding.
    int64_t i = int64_t(std::sqrt(double(n)));
    while (i * i <= n) ++i;
    while (i > 0 && (i - 1) * (i - 1) > n) --i;
    const int64_t below = i - 1;
    return int32_t(n - below * below < i * i - n ? below : i);
}

uint8_t HVW_RandomBelow23() { return uint8_t(GameRandom() % 23); }
