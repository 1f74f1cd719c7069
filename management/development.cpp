#include "management/development.h"

#include <algorithm>
#include <iterator>

#include "database/Access.h"
#include "database/training.h"
#include "management/board.h"
#include "support/random.h"

namespace {

int Stat(uint16_t player, int stat) { return GetPlayerStat(player, int16_t(stat), 0); }
void AddToStat(uint16_t player, int stat, int change) {
    SetPlayerStat(player, int16_t(stat), int16_t(Stat(player, stat) + change));
}

// Stored position as a row of the per-position tables.
int PositionRow(uint16_t player) {
    const int position = GetPlayerPosition2(player);
    return position < kPlayerPositionCount ? position : 0;
}

// Injury groups and the stats each group wears down, in order.
struct InjuryGroup {
    int16_t types[6];
    int16_t stats[6];
};
constexpr InjuryGroup kInjuryGroups[] = {
    {{15, 26, 33, 37, -1, -1}, {8, 9, 5, 6, 2, 10}},
    {{19, 22, 23, 32, 34, 35}, {9, 0, -1, -1, -1, -1}},
    {{20, 21, 24, 31, 36, -1}, {18, 1, -1, -1, -1, -1}},
};

const InjuryGroup* FindInjuryGroup(int16_t type) {
    for (const InjuryGroup& group : kInjuryGroups) {
        if (std::find(std::begin(group.types), std::end(group.types), type) != std::end(group.types)) {
            return &group;
        }
    }
    return nullptr;
}

// Stats read and changed in the player's record.
struct RecordStats {
    uint16_t player;
    int Get(int stat) const { return Stat(player, stat); }
    void Add(int stat, int change) { AddToStat(player, stat, change); }
};

// A working copy of one player's stats that reads and stores as the record
// does (the group caps and 1..99 on reading, 0..100 on storing), for runs
// of many weeks on one player.
struct StatCopy {
    uint8_t raw[kStatCount];
    uint8_t limit[kStatCount];

    explicit StatCopy(uint16_t player) {
        for (int stat = 0; stat < kStatCount; ++stat) {
            raw[stat] = uint8_t(GetPlayerStatRaw(player, int16_t(stat)));
            limit[stat] = uint8_t(GetPlayerStatLimit(player, int16_t(stat)));
        }
    }
    int Get(int stat) const { return std::max<int>(std::min(raw[stat], limit[stat]), 1); }
    void Add(int stat, int change) { raw[stat] = uint8_t(std::clamp(Get(stat) + change, 0, 100)); }
    void StoreTo(uint16_t player) const {
        for (int stat = 0; stat < kStatCount; ++stat) {
            if (raw[stat] != GetPlayerStatRaw(player, int16_t(stat)))
                SetPlayerStat(player, int16_t(stat), raw[stat]);
        }
    }
};

// Draws are never negative: their remainders are taken unsigned, which
// costs less in the weeks' inner loops.
unsigned Rest(int draw, unsigned by) { return unsigned(draw) % by; }

// r = 1 lowers the stat, r = 2 raises it.
template <class Stats>
void DriftBy(Stats& stats, int stat, int draw) {
    const unsigned r = Rest(draw, 50);
    if (r == 1) stats.Add(stat, -1);
    if (r == 2) stats.Add(stat, 1);
}

template <class Stats>
void LoseOneBelow(Stats& stats, int stat, int range, int32_t e) {
    if (int(Rest(GameRandom(), unsigned(range))) < e) stats.Add(stat, -1);
}

// Training-record counter of each stat that can grow, -1 for none.
int CounterOfStat(int stat) {
    switch (stat) {
        case 0:
            return 8;
        case 1:
            return 9;
        case 2:
            return 10;
        case 3:
            return 11;
        case 4:
            return 12;
        case 5:
            return 13;
        case 6:
            return 15;
        case 7:
            return 14;
        case 10:
            return 2;
        case 22:
            return 7;
        default:
            return -1;
    }
}

// Raises the stat by one; when it really rose and the player has a
// training record, its counter moves too (it stops at 255).
template <class Stats>
void Grow(Stats& stats, int stat, int16_t record) {
    const int before = stats.Get(stat);
    stats.Add(stat, 1);
    if (record < 0 || record >= kTrainingRecords || stats.Get(stat) <= before) return;
    const int counter = CounterOfStat(stat);
    if (counter < 0) return;
    uint8_t& count = TrainingRecords[record].bytes[kTrainingCounters + counter];
    if (count < 255) ++count;
}

template <class Stats>
void AgeOrDriftWeekOf(Stats& stats, bool keeper, int32_t d, int32_t s) {
    if (d > s) {
        const int32_t e = d - s;
        LoseOneBelow(stats, 8, 150, e);
        LoseOneBelow(stats, 9, keeper ? 400 : 200, e);
        LoseOneBelow(stats, 11, 250, e);
        LoseOneBelow(stats, 12, 300, e);
        LoseOneBelow(stats, 18, 300, e);
        return;
    }
    // Nine draws a round whatever they change, so the week's 72 are drawn
    // at once and applied in the same order.
    constexpr int kRounds = 8, kDrawsPerRound = 9;
    int draws[kRounds * kDrawsPerRound];
    GameRandomBlock(draws, kRounds * kDrawsPerRound);
    const int* draw = draws;
    for (int round = 0; round < kRounds; ++round) {
        for (int stat : {8, 9, 11, 10}) DriftBy(stats, stat, *draw++);
        for (int stat : {14, 19}) {
            if (Rest(*draw++, 100) == 1) stats.Add(stat, 1);
        }
        for (int stat : {12, 15, 18}) DriftBy(stats, stat, *draw++);
    }
}

// `row` is the player's row of the per-position growth chances.
template <class Stats>
void GrowthWeekOf(Stats& stats, int row, int16_t record) {
    if (int(Rest(GameRandom(), 100)) <= stats.Get(27) + 1) {
        for (int stat = 0; stat < 8; ++stat) {
            if (int(Rest(GameRandom(), 100)) < kPositionGrowthChance[row][stat]) Grow(stats, stat, record);
        }
    }
    for (int stat : {10, 22}) {
        if (int(Rest(GameRandom(), 100)) <= stats.Get(stat) + 1 && Rest(GameRandom(), 100) < 5)
            Grow(stats, stat, record);
    }
}

}  // namespace

void InjuryAttributeLoss(uint16_t player, int16_t injuryType) {
    if (const InjuryGroup* group = FindInjuryGroup(injuryType)) {
        for (int16_t stat : group->stats) {
            if (stat < 0) break;
            AddToStat(player, stat, -(GameRandom() % 10));
        }
    }
    for (int stat : {14, 27, 12}) {
        if (GameRandom() % 100 > Stat(player, 12)) AddToStat(player, stat, -(GameRandom() % 20));
    }
}

void AgeOrDriftWeek(uint16_t player, int32_t d, int32_t s) {
    RecordStats stats{player};
    AgeOrDriftWeekOf(stats, GetPlayerPosition(player) == 0, d, s);
}

void WeeklyAgeingStep(uint16_t player) {
    AgeOrDriftWeek(player, 4 * int32_t(GetPlayerAge(player)), Stat(player, 27) + 1);
}

void WeeklyGrowthStep(uint16_t player) {
    int16_t record = -1;
    const int16_t userClub = GetUserClub();
    if (userClub >= 0 && GetPlayerClub(player) == uint16_t(userClub)) record = HVW_FindEntryById(player);
    GrowthWeek(player, record);
}

void GrowthWeek(uint16_t player, int16_t record) {
    RecordStats stats{player};
    GrowthWeekOf(stats, PositionRow(player), record);
}

void PastCareerWeeks(uint16_t player, int32_t weeks, int32_t allowance) {
    // Thousands of weeks on one player: worked on a copy of the stats,
    // stored once at the end.  Neither the player's position nor stat 27
    // changes on the way.
    StatCopy stats(player);
    const bool keeper = GetPlayerPosition(player) == 0;
    const int row = PositionRow(player);
    for (int32_t week = 0; week < weeks; ++week) {
        GrowthWeekOf(stats, row, -1);
        AgeOrDriftWeekOf(stats, keeper, (week / 52) * 4, allowance);
    }
    stats.StoreTo(player);
}
