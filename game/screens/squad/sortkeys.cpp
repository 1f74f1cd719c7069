#include "game/screens/squad/sortkeys.h"

#include <initializer_list>

#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/season/clubseason.h"

int16_t PlayerSortKeys[SORT_KEY_LEVELS] = {SORT_KEY_NONE, SORT_KEY_NONE, SORT_KEY_NONE, SORT_KEY_NONE,
                                           SORT_KEY_NONE};
int32_t PlayerSortScores[46000];

namespace {

using PlayerComparator = int (*)(uint16_t a, uint16_t b);

int Descending(int64_t a, int64_t b) { return a > b ? -1 : a < b ? 1 : 0; }
int Ascending(int64_t a, int64_t b) { return -Descending(a, b); }

template <int32_t (*Value)(uint16_t)>
int ByDescending(uint16_t a, uint16_t b) {
    return Descending(Value(a), Value(b));
}

template <int Stat>
int32_t StatValue(uint16_t p) {
    return HVW_GetPlayerStat(p, Stat);
}

// Shirt order: no shirt, and a player on loan at another club while his own
// club is not the one viewed, go after every numbered shirt.
constexpr int32_t kNoShirtPlace = 200;
template <int16_t (*Shirt)(uint16_t)>
int32_t ShirtPlace(uint16_t p) {
    const int16_t shirt = Shirt(p);
    const int16_t club = HVW_GetPlayerClub(p);
    const int16_t loanClub = HVW_GetPlayerLoanClub(p);
    const bool loanedOut = loanClub >= 0 && loanClub != club && club != int16_t(SelectedClub);
    return shirt == 0 || loanedOut ? kNoShirtPlace : shirt;
}

int32_t Number(uint16_t p) { return p; }
int32_t Score(uint16_t p) { return PlayerSortScores[p]; }
int32_t Age(uint16_t p) { return HVW_GetPlayerAge(p); }
int32_t Value(uint16_t p) { return HVW_ValuePlayer(p); }
int32_t Position(uint16_t p) { return HVW_GetPositionType(p); }
int32_t Club(uint16_t p) { return HVW_GetPlayerClub(p); }
int32_t Wage(uint16_t p) { return HVW_GetPlayerWage(p); }
int32_t Contract(uint16_t p) { return HVW_GetPlayerContract(p); }
int32_t Perf(uint16_t p) { return HVW_GetPlayerPerf(p); }
int32_t Field112b(uint16_t p) { return HVW_GetPlayerField112b(p); }
int32_t Apps(uint16_t p) { return HVW_GetPlayerApps(p); }
// A goalkeeper's goals count below an outfield player's none.
int32_t Goals(uint16_t p) { return HVW_GetPositionType(p) == 0 ? -1 : HVW_GetPlayerGoals(p); }
int32_t Morale(uint16_t p) { return HVW_GetPlayerMoralePct(p); }
int32_t Fitness(uint16_t p) { return HVW_GetPlayerFitnessPct(p); }
int32_t Fatigue(uint16_t p) { return HVW_GetPlayerFatiguePct(p); }
int32_t Discipline(uint16_t p) { return GetPlayerDispoints(p); }
int32_t Experience(uint16_t p) { return HVW_GetPlayerExperiencePercent(p); }
int32_t Assists(uint16_t p) { return GetPlayerAssists(p); }
int32_t Field96(uint16_t p) { return HVW_GetPlayerField96Percent(p); }
int32_t Field105(uint16_t p) { return HVW_GetPlayerField105Percent(p); }

int Equal(uint16_t, uint16_t) { return 0; }
int ByPosition(uint16_t a, uint16_t b) { return Ascending(Position(a), Position(b)); }
int ByClub(uint16_t a, uint16_t b) { return Ascending(Club(a), Club(b)); }
int ByShirt(uint16_t a, uint16_t b) {
    return Ascending(ShirtPlace<HVW_GetPlayerShirt>(a), ShirtPlace<HVW_GetPlayerShirt>(b));
}
int ByReserveShirt(uint16_t a, uint16_t b) {
    return Ascending(ShirtPlace<HVW_GetPlayerIntShirt>(a), ShirtPlace<HVW_GetPlayerIntShirt>(b));
}

constexpr PlayerComparator kKeyTable[SORT_KEY_COUNT] = {
    ByDescending<Number>,
    ByDescending<Score>,
    ByDescending<Age>,
    ByDescending<Value>,
    ByDescending<Value>,
    Equal,
    ByPosition,
    ByDescending<StatValue<kKeepingStat>>,
    ByDescending<StatValue<kHeadingStat>>,
    ByDescending<StatValue<kTacklingStat>>,
    ByDescending<StatValue<kPassingStat>>,
    ByDescending<StatValue<kShootingStat>>,
    ByDescending<StatValue<kDribbleStat>>,
    ByDescending<StatValue<kControlStat>>,
    ByDescending<StatValue<kDeadballStat>>,
    ByDescending<StatValue<kPaceStat>>,
    ByDescending<StatValue<kAgilityStat>>,
    ByDescending<StatValue<kPowerStat>>,
    ByDescending<StatValue<kStaminaStat>>,
    ByDescending<StatValue<kResilienceStat>>,
    ByDescending<StatValue<kVisionStat>>,
    ByDescending<StatValue<kComposureStat>>,
    ByDescending<StatValue<kAggressionStat>>,
    ByDescending<StatValue<kIntelligenceStat>>,
    ByDescending<StatValue<kLeadershipStat>>,
    ByDescending<StatValue<kSpiritStat>>,
    ByShirt,
    ByClub,
    ByDescending<Wage>,
    ByDescending<Contract>,
    ByDescending<Perf>,
    ByDescending<Field112b>,
    ByDescending<Apps>,
    ByDescending<Goals>,
    ByDescending<Morale>,
    ByDescending<Fitness>,
    ByDescending<Fatigue>,
    ByDescending<Discipline>,
    ByDescending<Experience>,
    ByDescending<Assists>,
    ByReserveShirt,
    ByDescending<Field96>,
    ByDescending<Field105>,
    Equal,
};

// ---- Clubs --------------------------------------------------------------------------

int16_t ClubOf(const void* entry) { return *static_cast<const int16_t*>(entry); }

template <bool Reserve>
const ClubSeasonRecord& RecordOf(int16_t club) {
    return Reserve ? ReserveSeasonRecords[club] : LeagueSeasonRecords[club];
}

template <bool Reserve>
int32_t GoalDifference(int16_t club) {
    const ClubSeasonRecord& r = RecordOf<Reserve>(club);
    return int32_t(r.words[kSeasonHomeFor]) + r.words[kSeasonAwayFor] - r.words[kSeasonHomeAgainst] -
           r.words[kSeasonAwayAgainst];
}

template <bool Reserve, int Word>
int CompareWord(const void* a, const void* b) {
    return Descending(RecordOf<Reserve>(ClubOf(a)).words[Word], RecordOf<Reserve>(ClubOf(b)).words[Word]);
}

template <bool Reserve>
int CompareGoalDifference(const void* a, const void* b) {
    return Descending(GoalDifference<Reserve>(ClubOf(a)), GoalDifference<Reserve>(ClubOf(b)));
}

// Form points over the recent fixtures of the records' kind, then the
// summed winning margins for clubs level on them.
template <bool Reserve>
int CompareForm(const void* a, const void* b) {
    int16_t marginA = 0, marginB = 0;
    const int16_t formA = Reserve ? HVW_GetClubRecentForm120(ClubOf(a), &marginA)
                                  : HVW_GetClubRecentLeagueForm(ClubOf(a), &marginA);
    const int16_t formB = Reserve ? HVW_GetClubRecentForm120(ClubOf(b), &marginB)
                                  : HVW_GetClubRecentLeagueForm(ClubOf(b), &marginB);
    const int byForm = Descending(formA, formB);
    return byForm != 0 ? byForm : Descending(marginA, marginB);
}

template <bool Reserve>
constexpr ClubComparator kClubColumns[CLUB_SORT_COLUMNS] = {
    CompareGoalDifference<Reserve>,
    CompareWord<Reserve, kSeasonAwayAgainst>,
    CompareWord<Reserve, kSeasonAwayFor>,
    CompareWord<Reserve, kSeasonAwayLost>,
    CompareWord<Reserve, kSeasonAwayDrawn>,
    CompareWord<Reserve, kSeasonAwayWon>,
    CompareWord<Reserve, kSeasonHomeAgainst>,
    CompareWord<Reserve, kSeasonHomeFor>,
    CompareWord<Reserve, kSeasonHomeLost>,
    CompareWord<Reserve, kSeasonHomeDrawn>,
    CompareWord<Reserve, kSeasonHomeWon>,
    CompareWord<Reserve, kSeasonPlayed>,
    CompareForm<Reserve>,
};

}  // namespace

int16_t SortKeys_Add(int16_t key) {
    if (key == SORT_KEY_NONE) return 1;
    int freeLevel = -1;
    for (int level = 0; level < SORT_KEY_LEVELS; ++level) {
        if (PlayerSortKeys[level] == key) return 0;
        if (PlayerSortKeys[level] == SORT_KEY_NONE && freeLevel < 0) freeLevel = level;
    }
    if (freeLevel < 0) return 0;
    PlayerSortKeys[freeLevel] = key;
    return 1;
}

int16_t SortKeys_Remove(int16_t key) {
    for (int16_t& level : PlayerSortKeys) {
        if (level == key && key != SORT_KEY_NONE) {
            level = SORT_KEY_NONE;
            return 1;
        }
    }
    return 0;
}

void SortKeys_Clear() {
    for (int16_t& level : PlayerSortKeys) level = SORT_KEY_NONE;
}

void SortKeys_Set(int16_t k0, int16_t k1, int16_t k2, int16_t k3, int16_t k4) {
    SortKeys_Clear();
    for (int16_t key : {k0, k1, k2, k3, k4}) {
        if (SortKeys_Add(key) == 0) break;
    }
}

int ComparePlayersByKeys(const void* a, const void* b) {
    const uint16_t pa = *static_cast<const uint16_t*>(a);
    const uint16_t pb = *static_cast<const uint16_t*>(b);
    if (pa == 0 || pb == 0) return pa == pb ? 0 : pa == 0 ? 1 : -1;
    for (int16_t key : PlayerSortKeys) {
        // A key outside the table sorts nothing, like a free level.
        if (key < 0 || key >= SORT_KEY_COUNT) continue;
        const int result = kKeyTable[key](pa, pb);
        if (result != 0) return result;
    }
    return 0;
}

int CompareClubsByAttendance(const void* a, const void* b) {
    return Descending(HVW_GetClubAvgAttendance(ClubOf(a)), HVW_GetClubAvgAttendance(ClubOf(b)));
}

ClubComparator ClubColumnComparator(bool reserve, ClubSortColumn column) {
    if (column < 0 || column >= CLUB_SORT_COLUMNS) return nullptr;
    return reserve ? kClubColumns<true>[column] : kClubColumns<false>[column];
}
