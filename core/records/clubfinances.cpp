// Club finance records: the week entries and season totals, the season
// operations on them and the projection of a club's balance to the end of
// the season.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/club/sponsorship.h"
#include "core/club/squads.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/records/clubfinances.h"
#include "core/records/dates.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"

using recbits::LoadI32;
using recbits::StoreI32;

ClubFinanceRecord ClubFinanceRecords[kClubCount];
FinanceFixture FinanceFixtureList[kFinanceFixtureListSize];
int32_t FinanceForecast[kFinanceWeeks];

namespace {

constexpr int kForecast = 0;
constexpr int kWeeks = 208;
constexpr int kTotals = 2912;

// Field offsets within a FinanceWeekEntry.
enum : int {
    kSales = 0,
    kGate = 4,
    kSponsorship = 8,
    kTV = 12,
    kMiscIn = 16,
    kMerchandising = 20,
    kReserved = 24,
    kSignings = 28,
    kWages = 32,
    kCoaching = 36,
    kMiscOut = 40,
    kBonuses = 44,
    kLastBalance = 48,
};

int ClampWeek(int week) { return week < 0 || week >= kFinanceWeeks ? kFinanceWeeks - 1 : week; }

uint8_t* WeekEntry(int16_t club, int week) {
    return ClubFinanceRecords[club].bytes + kWeeks + kFinanceWeekEntrySize * ClampWeek(week);
}

uint8_t* Totals(int16_t club) { return ClubFinanceRecords[club].bytes + kTotals; }

// Getters stop the program on a club outside the table (the message names
// negative clubs; one past the end is the same error), naming the accessor
// that called them (the compiler fills it in as the default argument).
void CheckGet(int16_t club, const char* message, const char* accessor = __builtin_FUNCTION()) {
    if (!IsClubNumber(club)) {
        std::printf(message, int(club));
        FatalExit(accessor);
    }
}

int32_t GetWeek(int16_t club, int16_t week, int field, const char* message,
                const char* accessor = __builtin_FUNCTION()) {
    CheckGet(club, message, accessor);
    return LoadI32(WeekEntry(club, week) + field);
}

void SetWeek(int16_t club, int32_t value, int16_t week, int field, bool atLeastZero) {
    if (!IsClubNumber(club)) return;
    StoreI32(WeekEntry(club, week) + field, atLeastZero && value < 0 ? 0 : value);
}

int32_t GetSeason(int16_t club, int field, const char* message, const char* accessor = __builtin_FUNCTION()) {
    CheckGet(club, message, accessor);
    return LoadI32(Totals(club) + field);
}

void SetSeason(int16_t club, int32_t value, int field, bool atLeastZero) {
    if (!IsClubNumber(club)) return;
    StoreI32(Totals(club) + field, atLeastZero && value < 0 ? 0 : value);
}

// Money sums held within the 32-bit range rather than overflowing.
int32_t Saturate(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

int RepPercent(int16_t club) { return GetClubRep(club) * 100 / 63; }

// What the projection needs of one club, worked out once.
struct Projection {
    int32_t gate;
    int32_t tv;
    int32_t fixed;
    int32_t outgoings;
};

Projection ProjectionOf(int16_t club) {
    Projection p;
    p.gate = EstimateHomeGate(club);
    p.tv = GetTelevisedMatchIncome(club);
    p.fixed = GetWeeklyCommercialIncome(club, p.gate);
    p.outgoings = GetWeeklyOutgoings(club);
    return p;
}

// The balance at the end of the week of days (d - 7, d], from the balance
// before it and the fixtures of the list in that week.
int32_t ProjectWeek(const Projection& p, int32_t previous, int d) {
    int home = 0, televised = 0;
    for (const FinanceFixture& f : FinanceFixtureList) {
        if (f.day == -1 || f.day > d) break;
        if (f.day <= d - 7) continue;
        if (f.kind == 0 || f.kind == 1) ++home;
        if (f.kind == 1 || f.kind == 2) ++televised;
    }
    double matches = double(int64_t(home) * p.gate + int64_t(televised) * p.tv) + 0.3 * home * p.gate;
    int64_t income = int64_t(std::clamp(matches, -9.0e18, 9.0e18));
    return Saturate(int64_t(previous) + p.fixed + income - p.outgoings);
}

}  // namespace

// --- week fields -----------------------------------------------------------

int32_t GetClubWeekTotalSales(int16_t club, int16_t week) {
    return GetWeek(club, week, kSales, "Trying to get Total Sales of neg club : '%d'\n");
}
void SetClubWeekTotalSales(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kSales, true);
}
int32_t GetClubWeekGateReceipts(int16_t club, int16_t week) {
    return GetWeek(club, week, kGate, "Trying to get Gate Receipts of neg club : '%d'\n");
}
void SetClubWeekGateReceipts(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kGate, true);
}
int32_t GetClubWeeksSponsorship(int16_t club, int16_t week) {
    return GetWeek(club, week, kSponsorship, "Trying to get WeeksSponsorship of neg club : '%d'\n");
}
void SetClubWeeksSponsorship(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kSponsorship, true);
}
int32_t GetClubWeeksTVIncome(int16_t club, int16_t week) {
    return GetWeek(club, week, kTV, "Trying to get WeeksTVIncome of neg club : '%d'\n");
}
void SetClubWeeksTVIncome(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kTV, false);
}
int32_t GetClubWeekMiscIn(int16_t club, int16_t week) {
    return GetWeek(club, week, kMiscIn, "Trying to get MiscIn of neg club : '%d'\n");
}
void SetClubWeekMiscIn(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kMiscIn, true);
}
// The one week getter that treats a bad week as fatal.
int32_t GetClubWeeksMerchandising(int16_t club, int16_t week) {
    if (week < 0 || week >= kFinanceWeeks) FatalError("Invalid Week in GetLastBalance() Access");
    return GetWeek(club, week, kMerchandising, "Trying to get WeeksMerchandising of neg club : '%d'\n");
}
void SetClubWeeksMerchandising(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kMerchandising, false);
}
int32_t GetClubWeekTotalSignings(int16_t club, int16_t week) {
    return GetWeek(club, week, kSignings, "Trying to get Total Signings of neg club : '%d'\n");
}
void SetClubWeekTotalSignings(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kSignings, true);
}
int32_t GetClubWeekTotalWages(int16_t club, int16_t week) {
    return GetWeek(club, week, kWages, "Trying to get Total Wages of neg club : '%d'\n");
}
void SetClubWeekTotalWages(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kWages, true);
}
int32_t GetClubWeeksCoachingStaffWages(int16_t club, int16_t week) {
    return GetWeek(club, week, kCoaching, "Trying to get WeeksCoachingStaffWages of neg club : '%d'\n");
}
void SetClubWeeksCoachingStaffWages(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kCoaching, false);
}
int32_t GetClubWeekMiscOut(int16_t club, int16_t week) {
    return GetWeek(club, week, kMiscOut, "Trying to get MiscOut of neg club : '%d'\n");
}
void SetClubWeekMiscOut(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kMiscOut, true);
}
int32_t GetClubWeeksBonuses(int16_t club, int16_t week) {
    return GetWeek(club, week, kBonuses, "Trying to get WeeksBonuses of neg club : '%d'\n");
}
void SetClubWeeksBonuses(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kBonuses, false);
}
int32_t GetClubWeekLastBalance(int16_t club, int16_t week) {
    return GetWeek(club, week, kLastBalance, "Trying to get LastBalance of neg club : '%d'\n");
}
void SetClubWeekLastBalance(int16_t club, int32_t value, int16_t week) {
    SetWeek(club, value, week, kLastBalance, true);
}

// --- season totals ---------------------------------------------------------

int32_t GetClubSeasonSales(int16_t club) {
    return GetSeason(club, kSales, "Trying to get SeasonSales of neg club : '%d'\n");
}
void SetClubSeasonSales(int16_t club, int32_t value) { SetSeason(club, value, kSales, false); }
int32_t GetClubSeasonGateReceipts(int16_t club) {
    return GetSeason(club, kGate, "Trying to get SeasonGateReceipts of neg club : '%d'\n");
}
void SetClubSeasonGateReceipts(int16_t club, int32_t value) { SetSeason(club, value, kGate, false); }
int32_t GetClubSeasonSponsorship(int16_t club) {
    return GetSeason(club, kSponsorship, "Trying to get SeasonSponsorship of neg club : '%d'\n");
}
void SetClubSeasonSponsorship(int16_t club, int32_t value) { SetSeason(club, value, kSponsorship, false); }
int32_t GetClubSeasonTVIncome(int16_t club) {
    return GetSeason(club, kTV, "Trying to get SeasonTVIncome of neg club : '%d'\n");
}
void SetClubSeasonTVIncome(int16_t club, int32_t value) { SetSeason(club, value, kTV, false); }
int32_t GetClubSeasonMiscIn(int16_t club) {
    return GetSeason(club, kMiscIn, "Trying to get MiscIn of neg club : '%d'\n");
}
void SetClubSeasonMiscIn(int16_t club, int32_t value) { SetSeason(club, value, kMiscIn, true); }
int32_t GetClubSeasonMerchandising(int16_t club) {
    return GetSeason(club, kMerchandising, "Trying to get SeasonMerchandising of neg club : '%d'\n");
}
void SetClubSeasonMerchandising(int16_t club, int32_t value) {
    SetSeason(club, value, kMerchandising, false);
}
int32_t GetClubSeasonSignings(int16_t club) {
    return GetSeason(club, kSignings, "Trying to get SeasonSignings of neg club : '%d'\n");
}
void SetClubSeasonSignings(int16_t club, int32_t value) { SetSeason(club, value, kSignings, false); }
int32_t GetClubSeasonPlayerWages(int16_t club) {
    return GetSeason(club, kWages, "Trying to get SeasonPlayerWages of neg club : '%d'\n");
}
void SetClubSeasonPlayerWages(int16_t club, int32_t value) { SetSeason(club, value, kWages, false); }
int32_t GetClubSeasonCoachingStaffWages(int16_t club) {
    return GetSeason(club, kCoaching, "Trying to get SeasonCoachingStaffWages of neg club : '%d'\n");
}
void SetClubSeasonCoachingStaffWages(int16_t club, int32_t value) {
    SetSeason(club, value, kCoaching, false);
}
int32_t GetClubSeasonMiscOut(int16_t club) {
    return GetSeason(club, kMiscOut, "Trying to get MiscOut of neg club : '%d'\n");
}
void SetClubSeasonMiscOut(int16_t club, int32_t value) { SetSeason(club, value, kMiscOut, true); }
int32_t GetClubSeasonBonuses(int16_t club) {
    return GetSeason(club, kBonuses, "Trying to get SeasonBonuses of neg club : '%d'\n");
}
void SetClubSeasonBonuses(int16_t club, int32_t value) { SetSeason(club, value, kBonuses, false); }

// --- season operations -----------------------------------------------------

// The reserved field and the season's starting balance are kept.
void ClearFinanceTotals() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        uint8_t* t = Totals(club);
        std::memset(t + kSales, 0, kReserved - kSales);
        std::memset(t + kSignings, 0, kLastBalance - kSignings);
    }
}

void GetLastBalance(int16_t week) {
    if (week < 0 || week >= kFinanceWeeks) FatalError("Invalid Week in GetLastBalance() Access");
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        uint8_t* entry = WeekEntry(club, week);
        std::memset(entry, 0, kFinanceWeekEntrySize);
        StoreI32(entry + kLastBalance, GetClubBalance(club));
    }
}

void RecordWeeklyBalances() {
    int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    for (int16_t club = 0; club < kClubCount; ++club) {
        SetClubWeekLastBalance(club, GetClubBalance(club), week);
    }
}

void InitClubFinanceHistory() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        uint8_t* forecast = ClubFinanceRecords[club].bytes + kForecast;
        int32_t balance = GetClubBalance(club);
        StoreI32(forecast, balance);
        StoreI32(Totals(club) + kLastBalance, balance);
        BuildFinanceFixtureList(club);
        Projection p = ProjectionOf(club);
        for (int week = 1; week < kFinanceWeeks; ++week) {
            int32_t previous = LoadI32(forecast + 4 * (week - 1));
            StoreI32(forecast + 4 * week, ProjectWeek(p, previous, 7 * week));
        }
        SetClubWeekLastBalance(club, balance, 0);
    }
}

// --- projection ------------------------------------------------------------

constexpr int kFixturePrefetchAhead = 16;

namespace {

// Whether a fixture counts in the clubs' finance lists: national-team days
// and the reserve league pay nothing.
bool IsFinanceFixture(int slot) {
    const int type = FixtureType(slot);
    return type < kCompNationalTeam || type > kCompReserveLeague;
}

// Every club's finance fixtures, slot numbers in table order.
struct FinanceFixtureIndex {
    bool kept = false;
    bool built = false;
    uint32_t generation = 0;
    int16_t day = 0;
    uint16_t start[kClubCount + 1];
    uint16_t slots[2 * kFixtureSlots];
};
FinanceFixtureIndex g_financeIndex;

void BuildFinanceFixtureIndex() {
    FinanceFixtureIndex& x = g_financeIndex;
    uint16_t counts[kClubCount] = {};
    int used = 0;
    while (used < kFixtureSlots && !IsFixtureEmpty(used)) ++used;
    const auto clubsOf = [](int slot, auto visit) {
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (IsClubNumber(home)) visit(home);
        if (away != home && IsClubNumber(away)) visit(away);
    };
    for (int slot = 0; slot < used; ++slot) {
        if (IsFinanceFixture(slot)) clubsOf(slot, [&](int16_t club) { ++counts[club]; });
    }
    x.start[0] = 0;
    for (int club = 0; club < kClubCount; ++club) x.start[club + 1] = uint16_t(x.start[club] + counts[club]);
    uint16_t next[kClubCount];
    std::copy(x.start, x.start + kClubCount, next);
    for (int slot = 0; slot < used; ++slot) {
        if (IsFinanceFixture(slot))
            clubsOf(slot, [&](int16_t club) { x.slots[next[club]++] = uint16_t(slot); });
    }
    x.built = true;
    x.generation = FixtureTableGeneration;
    x.day = SeasonCalendar.currentDay;
}

void AddFinanceFixture(int* filled, int slot, int16_t club) {
    const bool home = FixtureHome(slot) == club;
    const bool televised = (FixtureScore(slot) & kFixtureBroadcastBit) != 0;
    const uint16_t kind = home ? (televised ? 1 : 0) : (televised ? 2 : 3);
    FinanceFixtureList[(*filled)++] = FinanceFixture{int16_t(FixtureDay(slot)), kind};
}

}  // namespace

void KeepFinanceFixtureIndex(bool keep) {
    g_financeIndex.kept = keep;
    g_financeIndex.built = false;
}

void BuildFinanceFixtureList(int16_t club) {
    for (FinanceFixture& f : FinanceFixtureList) f = FinanceFixture{-1, 0};
    int filled = 0;
    FinanceFixtureIndex& x = g_financeIndex;
    if (x.kept && IsClubNumber(club)) {
        if (!x.built || x.generation != FixtureTableGeneration || x.day != SeasonCalendar.currentDay)
            BuildFinanceFixtureIndex();
        for (int i = x.start[club]; i < x.start[club + 1] && filled < kFinanceFixtureListSize; ++i)
            AddFinanceFixture(&filled, x.slots[i], club);
        return;
    }
    for (int slot = 0; slot < kFixtureSlots && filled < kFinanceFixtureListSize; ++slot) {
        // The used slots stand first, so the first empty one ends them (an
        // empty slot keeps whatever clubs it last held, club 0 after a
        // clear: it is no fixture of anybody's).
        if (IsFixtureEmpty(slot)) break;
        // The slots' stride defeats the hardware's own prefetching.
        if (slot + kFixturePrefetchAhead < kFixtureSlots)
            __builtin_prefetch(FixtureTable[slot + kFixturePrefetchAhead].bytes);
        // The table's inline readers: this walk runs for every club
        // several times a day.
        if (!IsFinanceFixture(slot)) continue;
        if (FixtureHome(slot) != club && FixtureAway(slot) != club) continue;
        AddFinanceFixture(&filled, slot, club);
    }
}

// A club without a known average fills its stands by division and
// reputation.
int32_t EstimateHomeGate(int16_t club) {
    int64_t attendance = GetClubAvgAttendanceField(club);
    int division = GetClubDivision(club);
    if (attendance <= 0) {
        int capacity = GetClubStandCapacity0(club) + GetClubStandCapacity1(club) +
                       GetClubStandCapacity2(club) + GetClubStandCapacity3(club);
        static constexpr int kBase[4] = {70, 40, 30, 20};
        static constexpr int kSpread[4] = {30, 60, 70, 80};
        int base = division < 4 ? kBase[division] : 5;
        int spread = division < 4 ? kSpread[division] : 95;
        int fill = base + spread * RepPercent(club) / 100;
        attendance = int64_t(capacity) * 1000 * fill / 100;
    }
    const int price = HVW_GetTicketPrice(int16_t(division), int16_t(GetClubNation(club)));
    return Saturate(attendance * price);
}

int32_t GetWeeklyCommercialIncome(int16_t club, int32_t gate) {
    int16_t nation = int16_t(GetClubNation(club));
    int16_t division = int16_t(GetClubDivision(club));
    uint16_t standing = uint16_t(HVW_GetClubStandingClass(club));
    int32_t sponsorship = GetSponsorshipAmount(nation, standing, division);
    return Saturate(int64_t(gate * 0.2 + sponsorship / 52));
}

int32_t GetTelevisedMatchIncome(int16_t club) {
    int nation = GetClubNation(club);
    int division = GetClubDivision(club);
    if (!IsCountryNumber(nation) || !IsDivisionNumber(division)) return 0;
    return BroadcastMoney[nation][division] / 25;
}

int32_t GetCoachingWeeklyWage(int16_t club) {
    int rep = RepPercent(club);
    if (rep > 80) return 1730 * 50;
    if (rep > 60) return 1057 * 25;
    if (rep > 30) return 480 * 15;
    if (rep > 10) return 288 * 15;
    return 96 * 5;
}

// Wages every week, the clause money once for every started block of five
// fixtures, and the coaching staff.
int32_t GetWeeklyOutgoings(int16_t club) {
    BuildClubSquadList(club);
    int64_t wages = 0, clauses = 0;
    for (uint16_t player : FirstTeamList.players) {
        if (!IsValidPlayer(player)) continue;
        wages += int64_t(GetPlayerWage(player)) * 25;
        clauses += int64_t(GetPlayerClause4(player)) + GetPlayerClause5(player) + GetPlayerClause6(player);
    }
    int blocks = 0;
    for (int i = 0; i < kFinanceFixtureListSize && FinanceFixtureList[i].day != -1; ++i) {
        if (i % 5 == 0) ++blocks;
    }
    return Saturate(wages + blocks * clauses / 52 + GetCoachingWeeklyWage(club));
}

void ForecastClubBalance(int16_t club) {
    // On day 365 (a season whose February has 29 days) the week number
    // reaches 52, one past the buffer: the last week stands for the season's
    // end rather than a write beyond the buffer.
    int week = std::min<int>(DaysToWeeks(SeasonCalendar.currentDay), kFinanceWeeks - 1);
    week = std::max(week, 0);
    FinanceForecast[week] = GetClubWeekLastBalance(club, int16_t(week));
    BuildFinanceFixtureList(club);
    Projection p = ProjectionOf(club);
    // The first projected week is the one that ends seven days from today:
    // the week's start balance is brought up to date after every match, so
    // the days just past are already in it, and projecting them again would
    // book their gates and television money twice.
    int d = SeasonCalendar.currentDay + 7;
    for (int b = week + 1; b < kFinanceWeeks; ++b, d += 7) {
        FinanceForecast[b] = ProjectWeek(p, FinanceForecast[b - 1], d);
    }
}

int32_t GetAffordableWage(int16_t club) {
    BuildClubSquadList(club);
    int64_t n = 0, sum = 0;
    for (uint16_t player : FirstTeamList.players) {
        if (!IsValidPlayer(player)) continue;
        if (GetPlayerClause8(player) == 0) continue;
        ++n;
        sum += int64_t(GetPlayerWage(player)) * 25;
    }
    int64_t weeksLeft = 52 - DaysToWeeks(SeasonCalendar.currentDay);
    ForecastClubBalance(club);
    int64_t g = FinanceForecast[kFinanceWeeks - 1];
    if (g <= 0 || g - 75 * weeksLeft <= 100) return 0;
    int64_t per = weeksLeft != 0 ? g / weeksLeft : g;
    if (n == 0 || per < sum / n) return Saturate(per);
    return Saturate((per + sum) / (n + 1));
}
