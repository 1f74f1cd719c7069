#include "core/season/friendlies.h"

#include <array>

#include "core/base/random.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"

namespace {

constexpr int kFriendlySlots = 4;
constexpr int kDrawsPerSlot = 10000;
constexpr int kFreeDays = 14;

// No national-team day, competitive fixture or friendly on any day around.
bool FreeAround(int16_t club, int from, int to) {
    for (int day = from; day <= to; ++day) {
        if (FindFixtureOnDay(club, int16_t(day)) != -1) return false;
        if (FindFriendlyOnDay(club, int16_t(day)) != -1) return false;
    }
    return true;
}

}  // namespace

void ArrangeFriendlies(int16_t club, int16_t nation) {
    const int today = SeasonCalendar.currentDay;
    int16_t chosen[kFriendlySlots] = {-1, -1, -1, -1};
    for (int n = kFriendlySlots; n >= 1; --n) {
        const int target = today + 3 * n;
        for (int draw = 0; draw < kDrawsPerSlot; ++draw) {
            // A draw that finds no club in use (reputation 0) counts toward
            // the bound too.
            int16_t candidate = int16_t(GameRandom() % kClubCount);
            if (GetClubNation(candidate) != uint16_t(nation) || GetClubRep(candidate) == 0) continue;
            // The club itself is no opponent: it would play itself.
            bool taken = candidate == club;
            for (int16_t c : chosen) taken = taken || c == candidate;
            if (taken || !FreeAround(candidate, target - 3, target + 1)) continue;
            AddFixture(int16_t(target - 1), kCompFriendly, candidate, club, 0);
            chosen[n - 1] = candidate;
            break;
        }
    }
}

int16_t IsFriendlyDateFree(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    return FreeAround(club, today, today + kFreeDays - 1) ? 1 : 0;
}

// ---- Pre-season friendlies -------------------------------------------------------------

namespace {

constexpr int kPreSeasonFriendlies[kCountryCount] = {100, 36, 50, 40, 40, 30, 40, 30, 30};
constexpr int kFirstPreSeasonDay = 10;
constexpr int kPreSeasonDays = 14;  // days 10..23
constexpr int kHomeDraws = 5000;
constexpr int kAwayDraws = 5001;
constexpr int kLowestHomeDivision = 2;
constexpr int kDivisionReach = 2;
constexpr int kMinimumSquad = 18;
constexpr int kFriendlyGap = 2;

int16_t DrawClub() { return int16_t(GameRandom() % kClubCount); }

bool NoFriendlyNear(int16_t club, int day) {
    for (int d = day - kFriendlyGap; d <= day + kFriendlyGap; ++d) {
        if (d >= 0 && FindFriendlyOnDay(club, int16_t(d)) != -1) return false;
    }
    return true;
}

// Players of each club other than managers, counted once for a call.
std::array<int16_t, kClubCount> CountSquads() {
    std::array<int16_t, kClubCount> counts{};
    for (uint16_t p = 1; IsPlayerNumber(p); ++p) {
        const uint16_t club = GetPlayerClub(p);
        if (IsClubNumber(club) && GetPlayerPosition(p) != 13) ++counts[club];
    }
    return counts;
}

int16_t DrawHomeClub(int nation, int day) {
    for (int draw = 0; draw < kHomeDraws; ++draw) {
        const int16_t club = DrawClub();
        if (GetClubRep(club) != 0 && GetClubNation(club) == uint16_t(nation) &&
            GetClubDivision(club) <= kLowestHomeDivision && GetClubControl(club) == 0 &&
            NoFriendlyNear(club, day))
            return club;
    }
    return -1;
}

int16_t DrawAwayClub(int16_t home, int day, const std::array<int16_t, kClubCount>& squads) {
    const int homeDivision = GetClubDivision(home);
    for (int draw = 0; draw < kAwayDraws; ++draw) {
        const int16_t club = DrawClub();
        const int gap = int(GetClubDivision(club)) - homeDivision;
        if (GetClubRep(club) != 0 && squads[club] >= kMinimumSquad && club != home &&
            GetClubControl(club) == 0 && gap >= -kDivisionReach && gap <= kDivisionReach &&
            NoFriendlyNear(club, day))
            return club;
    }
    return -1;
}

}  // namespace

void AddPreSeasonFriendlies() {
    const std::array<int16_t, kClubCount> squads = CountSquads();
    for (int nation = 0; nation < kCountryCount; ++nation) {
        if (!IsCountryInPlay(nation)) continue;
        for (int i = 0; i < kPreSeasonFriendlies[nation]; ++i) {
            const int day = kFirstPreSeasonDay + GameRandom() % kPreSeasonDays;
            const int16_t home = DrawHomeClub(nation, day);
            const int16_t away = home < 0 ? int16_t(-1) : DrawAwayClub(home, day, squads);
            // The draws ran out: no further friendlies this pre-season.
            if (away < 0) return;
            AddFixture(int16_t(day), kCompFriendly, home, away, 0);
        }
    }
}

// ---- National-team days ----------------------------------------------------------------

namespace {

constexpr int kNationalEntries = 10;
constexpr int kNationalTables = 4;
constexpr int kMatchesPerDate = 9;
constexpr int kPairingDraws = 1000;
constexpr int kHomeNations = 18;
constexpr int kNearNations = 32;
constexpr int kAllNations = 116;
constexpr int kMinimumNationalPlayers = 100;
constexpr int kNationalTeamWeekday = 4;

enum NationalKind : int16_t { kSeniorNear = 0, kSeniorAll = 1, kSeniorAndUnder21 = 2 };
struct NationalEntry {
    int16_t kind;
    int16_t offset;  // from the base day; 0 = no entry
};
constexpr NationalEntry kNationalCalendar[kNationalTables][kNationalEntries] = {
    {{0, 343}, {0, 347}, {0, 351}, {0, 355}},
    {{2, 238}, {2, 343}},
    {{2, 238}, {1, 343}, {1, 347}, {1, 351}, {1, 355}},
    {{2, 238}, {2, 343}},
};

// Players who may be picked for their nation (managers are not), per
// nationality, counted once for a call.
std::array<int, kAllNations> CountNationalPlayers() {
    std::array<int, kAllNations> counts{};
    for (uint16_t p = 1; IsPlayerNumber(p); ++p) {
        const uint16_t nation = GetPlayerNationality(p);
        if (nation < kAllNations && GetPlayerPosition(p) != 13) ++counts[nation];
    }
    return counts;
}

void AddNationalDate(const NationalEntry& entry, int day, const std::array<int, kAllNations>& players) {
    const int awayRange = entry.kind == kSeniorAll ? kAllNations : kNearNations;
    std::array<bool, kAllNations> playing{};
    for (int match = 0; match < kMatchesPerDate; ++match) {
        int16_t a = -1, b = -1;
        for (int draw = 0; draw < kPairingDraws && a < 0; ++draw) {
            const int16_t home = int16_t(GameRandom() % kHomeNations);
            const int16_t away = int16_t(GameRandom() % awayRange);
            if (home == away || playing[home] || playing[away]) continue;
            if (players[home] < kMinimumNationalPlayers || players[away] < kMinimumNationalPlayers) continue;
            a = home;
            b = away;
        }
        if (a < 0) continue;
        playing[a] = playing[b] = true;
        for (int16_t nation : {a, b}) {
            if (nation < kCountryCount) MoveNationLeagueFixtures(nation, int16_t(day));
        }
        if (entry.kind == kSeniorAndUnder21) AddFixture(int16_t(day - 1), kCompNationalUnder21, a, b, 1);
        AddFixture(int16_t(day), kCompNationalTeam, a, b, 1);
    }
}

}  // namespace

void ScheduleNationalTeamDays() {
    const std::array<int, kAllNations> players = CountNationalPlayers();
    const int weekday = SeasonCalendar.weekday;
    const int base = SeasonCalendar.currentDay + (kNationalTeamWeekday - weekday + 7) % 7;
    const NationalEntry* table =
        kNationalCalendar[((SeasonCalendar.year % kNationalTables) + kNationalTables) % kNationalTables];
    for (int e = 0; e < kNationalEntries; ++e) {
        if (table[e].offset == 0) continue;
        AddNationalDate(table[e], base + table[e].offset, players);
    }
}
