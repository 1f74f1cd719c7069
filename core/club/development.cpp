#include "core/club/development.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/records/records.h"
#include "core/records/training.h"

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
    {{15, 26, 33, 37, -1, -1},
     {kPaceStat, kAgilityStat, kDribbleStat, kControlStat, kTacklingStat, kPowerStat}},
    {{19, 22, 23, 32, 34, 35}, {kAgilityStat, kKeepingStat, -1, -1, -1, -1}},
    {{20, 21, 24, 31, 36, -1}, {kSpiritStat, kHeadingStat, -1, -1, -1, -1}},
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

// A drift week takes eight rounds of nine draws at once.
constexpr int kDrawsPerRound = 9, kDriftDraws = 8 * kDrawsPerRound;

// The weeks' draws straight from the generator, one by one or a drift
// week's at a time.
struct LiveDraws {
    int Next() { return GameRandom(); }
    const uint16_t* Take(int n) {
        GameRandomBlock(block, std::min(n, kDriftDraws));
        return block;
    }
    uint16_t block[kDriftDraws];
};

// The same draws for a run of many weeks, made a buffer at a time: Finish
// leaves the generator just past the last draw read, where reading them one
// by one would have left it.
class BufferedDraws {
  public:
    BufferedDraws() : start_(GameRandomState()) {}
    int Next() {
        if (at_ == filled_) Refill();
        return buffer_[at_++];
    }
    // The next n (at most a drift week's) draws, in place.
    const uint16_t* Take(int n) {
        if (filled_ - at_ < n) Refill();
        const uint16_t* draws = buffer_ + at_;
        at_ += n;
        return draws;
    }
    void Finish() const {
        GameSetRandomState(start_);
        GameRandomSkip(read_ + uint32_t(at_));
    }

  private:
    static constexpr int kSize = 1024;
    static_assert(kDriftDraws < kSize);
    // The unread draws move to the front and the generator, which stands
    // just past the last of them, fills the rest.
    void Refill() {
        const int left = filled_ - at_;
        std::copy(buffer_ + at_, buffer_ + filled_, buffer_);
        read_ += uint32_t(at_);
        GameRandomBlock(buffer_ + left, kSize - left);
        at_ = 0;
        filled_ = kSize;
    }
    uint32_t start_;
    uint32_t read_ = 0;  // draws read before buffer_[0]
    int at_ = 0, filled_ = 0;
    uint16_t buffer_[kSize];
};

template <class Stats>
void LoseOneBelow(Stats& stats, int stat, int draw, int range, int32_t e) {
    if (int(Rest(draw, unsigned(range))) < e) stats.Add(stat, -1);
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
// training record, its counter moves too (it stops at 255).  A stat at its
// ceiling does not rise, and the screens must not show it as improved; a
// full counter must not wrap round to nothing.
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

// The drift week: each draw of a round changes its stat by the draw's
// remainder. A drift draw lowers its stat at remainder 1 of 50 and raises
// it at 2; a rise draw raises its stat at remainder 1 of 100.
constexpr int kDriftStat[kDrawsPerRound] = {kPaceStat,       kAgilityStat,    kStaminaStat,
                                            kPowerStat,      kComposureStat,  kIntelligenceStat,
                                            kResilienceStat, kAggressionStat, kSpiritStat};
// Per place of the week, all ones for a rise draw.
struct DriftPlaces {
    uint16_t rise[kDriftDraws];
};
constexpr DriftPlaces MakeDriftPlaces() {
    DriftPlaces places{};
    for (int i = 0; i < kDriftDraws; ++i) {
        const int place = i % kDrawsPerRound;
        places.rise[i] = place == 4 || place == 5 ? 0xFFFF : 0;
    }
    return places;
}
constexpr DriftPlaces kDriftPlaces = MakeDriftPlaces();
constexpr uint8_t kLower = 1, kRaise = 2;  // one bit each

// One draw in 25 or fewer changes a stat: the week's changes are found in
// one branch-free pass over its draws, then applied in draw order.
template <class Stats>
void DriftWeek(Stats& stats, const uint16_t* draws) {
    uint8_t change[kDriftDraws];
    for (int i = 0; i < kDriftDraws; ++i) {
        // Remainder 1 of 100 is remainder 1 of 50 with an even quotient.
        const uint16_t quotient = draws[i] / 50, rest = draws[i] - quotient * 50;
        const uint16_t one = uint16_t(-(rest == 1)), two = uint16_t(-(rest == 2));
        const uint16_t rise = kDriftPlaces.rise[i], even = uint16_t((quotient & 1) - 1);
        const uint16_t lower = one & ~rise, raise = (two & ~rise) | (one & rise & even);
        change[i] = uint8_t((lower & kLower) | (raise & kRaise));
    }
    static_assert(kDriftDraws % 8 == 0);
    for (int first = 0; first < kDriftDraws; first += 8) {
        // Eight places a word, the first in its lowest byte.
        for (uint64_t word = recbits::LoadU64(change + first); word != 0; word &= word - 1) {
            const int bit = std::countr_zero(word);
            const int place = first + bit / 8;
            stats.Add(kDriftStat[place % kDrawsPerRound], bit % 8 == 0 ? -1 : 1);
        }
    }
}

template <class Stats, class Draws>
void AgeOrDriftWeekOf(Stats& stats, Draws& draws, bool keeper, int32_t d, int32_t s) {
    if (d > s) {
        const int32_t e = d - s;
        LoseOneBelow(stats, 8, draws.Next(), 150, e);
        LoseOneBelow(stats, 9, draws.Next(), keeper ? 400 : 200, e);
        LoseOneBelow(stats, 11, draws.Next(), 250, e);
        LoseOneBelow(stats, 12, draws.Next(), 300, e);
        LoseOneBelow(stats, 18, draws.Next(), 300, e);
        return;
    }
    DriftWeek(stats, draws.Take(kDriftDraws));
}

// `row` is the player's row of the per-position growth chances.
template <class Stats, class Draws>
void GrowthWeekOf(Stats& stats, Draws& draws, int row, int16_t record) {
    if (int(Rest(draws.Next(), 100)) <= stats.Get(kAbilityStat) + 1) {
        for (int stat = 0; stat < 8; ++stat) {
            if (int(Rest(draws.Next(), 100)) < kPositionGrowthChance[row][stat]) Grow(stats, stat, record);
        }
    }
    for (int stat : {kPowerStat, kConsistencyStat}) {
        if (int(Rest(draws.Next(), 100)) <= stats.Get(stat) + 1 && Rest(draws.Next(), 100) < 5)
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
    for (int stat : {kComposureStat, kAbilityStat, kResilienceStat}) {
        if (GameRandom() % 100 > Stat(player, kResilienceStat)) AddToStat(player, stat, -(GameRandom() % 20));
    }
}

void AgeOrDriftWeek(uint16_t player, int32_t d, int32_t s) {
    RecordStats stats{player};
    LiveDraws draws;
    AgeOrDriftWeekOf(stats, draws, GetPlayerPosition(player) == 0, d, s);
}

void WeeklyAgeingStep(uint16_t player) {
    AgeOrDriftWeek(player, 4 * int32_t(GetPlayerAge(player)), Stat(player, kAbilityStat) + 1);
}

void WeeklyGrowthStep(uint16_t player) {
    int16_t record = -1;
    const int16_t userClub = GetUserClub();
    if (userClub >= 0 && GetPlayerClub(player) == uint16_t(userClub)) record = HVW_FindEntryById(player);
    GrowthWeek(player, record);
}

void GrowthWeek(uint16_t player, int16_t record) {
    RecordStats stats{player};
    LiveDraws draws;
    GrowthWeekOf(stats, draws, PositionRow(player), record);
}

void PastCareerWeeks(uint16_t player, int32_t weeks, int32_t allowance) {
    // Thousands of weeks on one player: worked on a copy of the stats,
    // stored once at the end, with the draws made a buffer at a time.
    // Neither the player's position nor stat 27 changes on the way.
    StatCopy stats(player);
    const bool keeper = GetPlayerPosition(player) == 0;
    const int row = PositionRow(player);
    BufferedDraws draws;
    for (int32_t week = 0; week < weeks; ++week) {
        GrowthWeekOf(stats, draws, row, -1);
        AgeOrDriftWeekOf(stats, draws, keeper, (week / 52) * 4, allowance);
    }
    draws.Finish();
    stats.StoreTo(player);
}
