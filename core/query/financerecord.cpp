#include "core/query/financerecord.h"

#include <algorithm>

#include "core/base/bytes.h"
#include "core/query/leagueplaces.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"

namespace {

// The record: the balance forecast by week, then the 52 weeks of 13
// fields, then the season's 13 totals.
constexpr int kForecastOffset = 0;
constexpr int kWeeksOffset = kFinanceWeeks * 4;
constexpr int kTotalsOffset = kWeeksOffset + kFinanceWeeks * kFinanceWeekEntrySize;
static_assert(kTotalsOffset + kFinanceFields * 4 == kClubFinanceRecordSize);
static_assert(kFinanceFields * 4 == kFinanceWeekEntrySize);

bool IsClub(int16_t club) { return club >= 0 && club < kClubCount; }
bool IsWeek(int16_t week) { return week >= 0 && week < kFinanceWeeks; }
bool IsField(int16_t field) { return field >= 0 && field < kFinanceFields; }

int32_t At(int16_t club, int offset) { return recbits::LoadI32(ClubFinanceRecords[club].bytes + offset); }

int32_t Clamp32(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

int32_t HVW_GetClubForecastWeek(int16_t club, int16_t week) {
    return IsClub(club) && IsWeek(week) ? At(club, kForecastOffset + 4 * week) : 0;
}

int32_t HVW_GetClubWeekField(int16_t club, int16_t week, int16_t field) {
    if (!IsClub(club) || !IsWeek(week) || !IsField(field)) return 0;
    return At(club, kWeeksOffset + kFinanceWeekEntrySize * week + 4 * field);
}

int32_t HVW_GetClubSeasonField(int16_t club, int16_t field) {
    return IsClub(club) && IsField(field) ? At(club, kTotalsOffset + 4 * field) : 0;
}

int32_t HVW_GetClubWeekSpending(int32_t* signings, int32_t* wages, int32_t* coachingWages, int32_t* other,
                                int16_t club, int16_t week) {
    *signings = HVW_GetClubWeekField(club, week, 7);
    *wages = HVW_GetClubWeekField(club, week, 8);
    *coachingWages = HVW_GetClubWeekField(club, week, 9);
    *other = HVW_GetClubWeekField(club, week, 10);
    return Clamp32(int64_t(*signings) + *wages + *coachingWages + *other);
}

int32_t HVW_GetClubWeekLastBalance(int16_t club, int16_t week) {
    return HVW_GetClubWeekField(club, week, kFinanceStartBalance);
}

int16_t HVW_FindClubCupTie(int16_t club, int16_t cup) {
    if (!IsClub(club) || cup < 0 || cup > 6) return -1;
    int16_t found = -1;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || !IsFixtureOfClub(slot, club)) continue;
        if (HVW_GetCupIndex(FixtureType(slot)) == cup) found = int16_t(slot);
    }
    return found;
}
