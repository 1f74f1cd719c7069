// Dates, weeks, recent form and banded rating texts of the query layer.
#include "core/query/datesandform.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/query/queryhelpers.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"

int16_t CountryScoutedFlags[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};

namespace {

constexpr int kFirstYear = 2002;
constexpr int kDayOneDayOfMonth = 13;
constexpr int kDayOneMonth = 6;  // July

// The season that starts in July of the year has 366 days when the next
// year's February has 29.
int SeasonLength(int firstYear) { return (firstYear + 1) % 4 == 0 ? 366 : 365; }

int MonthLength(int month, int february) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 1 ? february : kDays[month];
}

// Fixture fields.
int DayOf(int slot) { return FixtureDay(slot); }
int CodeOf(int slot) { return FixtureType(slot); }
int16_t HomeOf(int slot) { return FixtureHome(slot); }
int16_t AwayOf(int slot) { return FixtureAway(slot); }
uint32_t ScoreOf(int slot) { return FixtureScore(slot); }
int HomeGoals(int slot) { return int(ScoreOf(slot) & 31); }
int AwayGoals(int slot) { return int((ScoreOf(slot) >> 5) & 31); }
bool Unplayed(int slot) { return HomeGoals(slot) == 31 && AwayGoals(slot) == 31; }

constexpr int kDrawText = 139;
constexpr int kDefeatText = 140;
constexpr int kFormLength = 5;

// Points of the last five fixtures of the code, from the first fixture of
// today or later backwards; a fixture not played yet is passed over (its
// empty score, 31 to 31, would count as a draw).
int16_t RecentForm(int16_t club, int code, int16_t* margin) {
    const int today = SeasonCalendar.currentDay;
    int start = 0;
    while (start < kFixtureSlots && DayOf(start) < today) ++start;
    if (start == kFixtureSlots) --start;
    int16_t points = 0, total = 0;
    int counted = 0;
    for (int slot = start; slot >= 0 && counted < kFormLength; --slot) {
        if (DayOf(slot) == kEmptyFixtureDay || CodeOf(slot) != code) continue;
        if (HomeOf(slot) != club && AwayOf(slot) != club) continue;
        if (Unplayed(slot)) continue;
        ++counted;
        int own = HomeOf(slot) == club ? HomeGoals(slot) : AwayGoals(slot);
        int other = HomeOf(slot) == club ? AwayGoals(slot) : HomeGoals(slot);
        if (own > other) {
            points += 3;
            total += int16_t(own - other);
        } else if (own == other) {
            points += 1;
        }
    }
    *margin = total;
    return points;
}

int16_t Band(int16_t value, int divisor, int last, int16_t firstText) {
    int quotient = value / divisor;
    return quotient >= 0 && quotient <= last ? int16_t(firstText + quotient) : int16_t(-1);
}

int16_t Sum16(int32_t a, int32_t b) { return int16_t(a + b); }

int16_t FormationTableSum() {
    int16_t sum = 0;
    for (const auto& family : FormationSlotTable.slot) {
        for (const auto& variant : family) {
            for (const FormationSlot& slot : variant) sum = Sum16(sum, slot.position);
        }
    }
    return sum;
}

char g_form120[kFormLength + 1];

}  // namespace

// The formation tables are constant, so their total is known from the start:
// the daily check marks the log only when something wrote over them.
int16_t FormationCheckTotal = FormationTableSum();

namespace funcs_detail {

int ResultForClub(int16_t slot, int16_t club) {
    int own = HomeOf(slot) == club ? HomeGoals(slot) : AwayGoals(slot);
    int other = HomeOf(slot) == club ? AwayGoals(slot) : HomeGoals(slot);
    return own > other ? 1 : own == other ? 0 : -1;
}

void FormString(int16_t club, int16_t code, char* buffer) {
    int16_t* days = nullptr;
    int16_t* slots = nullptr;
    AllocateMemory(&days, kFixtureSlots * sizeof(int16_t), MEM_TYPE_MANUAL_FREE);
    AllocateMemory(&slots, kFixtureSlots * sizeof(int16_t), MEM_TYPE_MANUAL_FREE);
    std::fill(days, days + kFixtureSlots, int16_t(-1));

    const int today = SeasonCalendar.currentDay;
    int count = 0;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (DayOf(slot) >= today || CodeOf(slot) != code) continue;
        if (HomeOf(slot) != club && AwayOf(slot) != club) continue;
        days[count] = int16_t(DayOf(slot));
        slots[count++] = int16_t(slot);
    }
    std::memset(buffer, '-', kFormLength);
    buffer[kFormLength] = '\0';
    // Latest first; only the first five places matter.
    for (int i = 0; i < std::min(count, kFormLength); ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (days[i] < days[j]) {
                std::swap(days[i], days[j]);
                std::swap(slots[i], slots[j]);
            }
        }
    }
    for (int k = 0; k < kFormLength; ++k) {
        if (days[k] == -1) continue;
        int result = ResultForClub(slots[k], club);
        const char* letter = GetText(int16_t(result > 0 ? kTextWin : result == 0 ? kDrawText : kDefeatText));
        if (letter != nullptr && letter[0] != '\0') buffer[k] = letter[0];
    }
    FreeMemory(&days);
    FreeMemory(&slots);
}

}  // namespace funcs_detail

void HVW_DayNumberToFullDate(int16_t day, int16_t season, uint8_t* weekday, uint8_t* dayOfMonth,
                             uint8_t* month, int16_t* year) {
    int remaining = day, s = season;
    int d = kDayOneDayOfMonth, m = kDayOneMonth, w = 0, y = kFirstYear;
    // Days before day 0 of season 0: count back whole seasons.
    while (s < 0 && remaining < 0) {
        remaining += SeasonLength(y - 1);
        w = (w + 6) % 7;
        --s;
        --y;
    }
    for (int first = kFirstYear; first < kFirstYear + s; ++first) {
        w = (w + SeasonLength(first)) % 7;
        ++y;
    }
    do {
        const int length = SeasonLength(y);
        const int february = length == 366 ? 29 : 28;
        for (int i = 0; i < length; ++i) {
            if (i == remaining) break;
            w = (w + 1) % 7;
            if (++d > MonthLength(m, february)) {
                d = 1;
                if (++m > 11) {
                    m = 0;
                    ++y;
                }
            }
        }
        remaining -= length;
    } while (remaining > 0);
    *weekday = uint8_t(w);
    *dayOfMonth = uint8_t(d);
    *month = uint8_t(m);
    *year = int16_t(y);
}

const char* HVW_GetClubFormString120(int16_t club) {
    funcs_detail::FormString(club, kCompReserveLeague, g_form120);
    return g_form120;
}

int16_t HVW_GetClubRecentForm120(int16_t club, int16_t* margin) {
    return RecentForm(club, kCompReserveLeague, margin);
}

int16_t HVW_GetClubRecentLeagueForm(int16_t club, int16_t* margin) { return RecentForm(club, 0, margin); }

// Summed in 64 bits and held to the 32-bit range, so that a rich club's
// worth does not wrap round to a negative one.
int32_t HVW_GetClubWorth(int16_t club) {
    int64_t worth = GetClubBalance(club);
    BuildClubSquadList(club);
    for (uint16_t player : FirstTeamList.players) {
        if (player == 0 || player == PlayerCount) continue;
        worth += ValuePlayer(player);
    }
    return int32_t(std::clamp<int64_t>(worth, INT32_MIN, INT32_MAX));
}

int16_t HVW_GetUnscoutedPlayerVariant(uint16_t player) {
    const uint16_t club = GetPlayerClub(player);
    const bool hasClub = IsClubNumber(club);
    int country, division = 0;
    if (hasClub) {
        country = GetClubNation(int16_t(club));
        division = GetClubDivision(int16_t(club));
    } else {
        // A player without a club is placed by his nationality.  The
        // scouts' assignment word is not set to 6 here: it counts the weeks
        // paid, and a look at a player would corrupt the fee reported.
        country = GetPlayerNationality(player);
    }
    const uint16_t userClub = GetPlayerClub(1);
    if (IsClubNumber(userClub) && country == GetClubNation(int16_t(userClub))) return -1;
    if (country < 8 && CountryScoutedFlags[country] == 1) return -1;
    if (hasClub && IsCountryNumber(country) && division < 2) return -1;
    if (GetPlayerFlag119(player) != 0) return -1;
    return int16_t(player % 5);
}

int16_t HVW_GetManagerFansText(int16_t percent) { return Band(percent, 5, 20, 3054); }
int16_t HVW_GetBoardConfidenceText(int16_t percent) { return Band(percent, 5, 20, 3075); }
int16_t HVW_GetSquadHappinessText(int16_t percent) { return Band(percent, 5, 20, 3096); }
int16_t HVW_GetClubTenureText(int16_t value) { return Band(value, 10, 9, 3044); }
int16_t HVW_GetClubGenerosityText(int16_t value) { return Band(value, 10, 9, 3034); }
int16_t HVW_GetClubSupportText(int16_t value) { return Band(value, 10, 9, 3024); }

void HVW_GetClubTableRow(int16_t club, int16_t* played, int16_t* points, int16_t* place) {
    const int16_t* w = ReserveSeasonRecords[club].words;
    *played = w[kSeasonPlayed];
    *points = w[kSeasonPoints];
    *place = int16_t(w[kSeasonPlace] + 1);
}

void HVW_GetClubTableGroup1(int16_t club, int16_t* a, int16_t* b, int16_t* c, int16_t* d, int16_t* e) {
    const int16_t* w = ReserveSeasonRecords[club].words;
    *a = w[1], *b = w[2], *c = w[3], *d = w[4], *e = w[5];
}

void HVW_GetClubTableGroup2(int16_t club, int16_t* a, int16_t* b, int16_t* c, int16_t* d, int16_t* e) {
    const int16_t* w = ReserveSeasonRecords[club].words;
    *a = w[6], *b = w[7], *c = w[8], *d = w[9], *e = w[10];
}

int16_t HVW_GetDivisionTable2Club(int16_t division, int16_t row, int16_t country) {
    return ReserveLeagueTable[country][division][row];
}

int16_t HVW_GetClubSeasonFigures(int16_t club, int16_t* homeFor, int16_t* awayFor, int16_t* homeAgainst,
                                 int16_t* awayAgainst) {
    if (!IsClubNumber(club) || !IsDivisionNumber(GetClubDivision(club))) return -1;
    const int16_t* w = LeagueSeasonRecords[club].words;
    *homeFor = w[kSeasonHomeFor];
    *awayFor = w[kSeasonAwayFor];
    *homeAgainst = w[kSeasonHomeAgainst];
    *awayAgainst = w[kSeasonAwayAgainst];
    return Sum16(w[kSeasonHomeFor], w[kSeasonAwayFor]);
}

int32_t HVW_GetFixtureWord12(int16_t slot) {
    return int32_t(recbits::LoadU32(FixtureTable[slot].bytes + kFixtureCrowdWord) & 0x7FFFFF);
}

void HVW_StoreFormationTotal() { FormationCheckTotal = FormationTableSum(); }

// A changed total means something wrote over the formation tables; the
// day goes on, with a mark in the log.
void HVW_CheckFormationTotal() {
    if (FormationTableSum() != FormationCheckTotal) DebugLog(DEBUG_GENERAL, 0, "\n");
}
