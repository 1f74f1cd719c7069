#include "core/club/playervalue.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <type_traits>
#include <vector>

#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/playedleagues.h"

namespace {

// Each position's age curve is 100 up to its last full index, then falls.
struct AgeCurveShape {
    int lastFull;
    uint16_t falling[kAgeCurveEntries];
};

constexpr AgeCurveShape kKeeperCurve = {17, {90, 80, 65, 45, 15, 0}};
constexpr AgeCurveShape kFullBackCurve = {10, {95, 90, 85, 80, 75, 50, 30, 10, 0, 0, 0, 0, 0}};
constexpr AgeCurveShape kOutfieldCurve = {10, {98, 95, 90, 85, 80, 75, 50, 30, 10, 0, 0, 0, 0}};
constexpr AgeCurveShape kEarlyCurve = {9, {98, 95, 90, 85, 80, 75, 50, 30, 10, 0, 0, 0, 0, 0}};
constexpr AgeCurveShape kLateCurve = {11, {90, 80, 65, 50, 35, 25, 15, 10, 5, 0, 0, 0}};

constexpr const AgeCurveShape* kCurveOfPosition[kValuePositions] = {
    &kKeeperCurve,   &kFullBackCurve, &kOutfieldCurve, &kFullBackCurve, &kOutfieldCurve,
    &kOutfieldCurve, &kEarlyCurve,    &kEarlyCurve,    &kOutfieldCurve, &kLateCurve,
    &kOutfieldCurve, &kEarlyCurve,    &kOutfieldCurve};

constexpr PlayerValueTableSet BuildValueTables() {
    PlayerValueTableSet t{
        {{60, 0, 0, 0, 0, 0, 60, 0, 0, 10, 0, 10, 10, 0},
         {0, 65, 25, 0, 0, 0, 10, 0, 25, 10, 15, 10, 0, 0},
         {0, 65, 5, 0, 35, 0, 10, 0, 10, 20, 0, 5, 0, 0},
         {0, 50, 25, 0, 0, 15, 10, 0, 30, 0, 10, 10, 0, 0},
         {0, 65, 25, 0, 15, 0, 0, 0, 5, 10, 10, 10, 10, 0},
         {0, 25, 40, 10, 0, 0, 0, 10, 0, 25, 10, 5, 5, 20},
         {0, 30, 35, 0, 0, 0, 0, 0, 0, 40, 10, 0, 0, 35},
         {0, 10, 70, 10, 0, 0, 0, 30, 0, 0, 20, 0, 10, 0},
         {0, 0, 40, 30, 0, 20, 0, 0, 15, 15, 5, 10, 0, 15},
         {0, 0, 25, 10, 0, 45, 5, 0, 40, 0, 5, 20, 0, 0},
         {0, 0, 25, 55, 15, 0, 0, 0, 0, 20, 5, 10, 10, 10},
         {0, 0, 0, 55, 10, 0, 10, 0, 15, 15, 10, 5, 10, 20},
         {0, 0, 0, 45, 0, 0, 40, 0, 15, 10, 10, 5, 10, 15}},
        {},
        {60, 90, 100, 95, 90, 100, 100, 100, 100, 100, 90, 100, 100, 0},
        {100, 85, 50, 25, 2, 1},
        {50000, 15000, 4000, 1000, 500, 100},
    };
    for (int pos = 0; pos < kValuePositions; ++pos) {
        const AgeCurveShape& shape = *kCurveOfPosition[pos];
        for (int i = 0; i < kAgeCurveEntries; ++i) {
            t.ageCurve[pos][i] = i <= shape.lastFull ? uint16_t(100) : shape.falling[i - shape.lastFull - 1];
        }
    }
    return t;
}

constexpr double kThousandth = 0.001;
constexpr double kFiftieth = 0.02;
constexpr double kHundredth = 0.01;
constexpr double kTwelfth = 1.0 / 12.0;
constexpr double kTwice = 2.0;
constexpr double kTwentieth = 0.05;
constexpr double kSixty = 60.0;

// Columns in the order the sum adds them; attribute 11 (no column) counts
// between columns 13 and 7.  Column 10 is left out of both valuations.
constexpr int kSumOrderBeforeAttr11[] = {0, 1, 2, 3, 4, 5, 6, 8, 11, 12, 9, 13};
constexpr int kSumOrderAfterAttr11[] = {7};

constexpr int kNoLevel = 0;
constexpr int kLastLeagueNation = 8;

int ClubDivision(uint16_t club) {
    // Clubs outside the league pyramid may carry divisions 6 and 7: they
    // count as the lowest division of the table.
    return std::min<int>(GetClubDivision(int16_t(club)), kValueDivisions - 1);
}

int64_t StatSquared(uint16_t player, int column, int level) {
    const int64_t a = GetPlayerStat(player, kValueColumnStat[column], int16_t(level));
    return a * a;
}

// The multiplier of a column in the full valuation: the scoring record
// raises three of them.
int64_t FullColumnFactor(uint16_t player, int column, int weight) {
    int64_t k = 2 * weight;
    if (column == 2) k += 2 * int64_t(GetPlayerAssists(player));
    if (column == 3) k += 5 * int64_t(GetPlayerTotalGoals(player));
    if (column == 9) k += 4 * int64_t(GetPlayerMoM(player));
    return k;
}

// The weighted square sum; every term is an integer product, so the sum is
// exact and the order of adding does not change it.
int64_t WeightedSquareSum(uint16_t player, int pos, int level, bool full) {
    const int8_t* w = PlayerValueTables.weights[pos];
    auto term = [&](int column) -> int64_t {
        if (w[column] == 0) return 0;
        const int64_t k = full ? FullColumnFactor(player, column, w[column]) : 2 * w[column];
        return StatSquared(player, column, level) * k;
    };
    int64_t sum = 0;
    for (int column : kSumOrderBeforeAttr11) sum += term(column);
    const int64_t a11 = GetPlayerStat(player, kStaminaStat, int16_t(level));
    sum += a11 * a11 * (full ? 20 : 40);
    for (int column : kSumOrderAfterAttr11) sum += term(column);
    return sum;
}

double BaseValue(uint16_t player, int pos, int level, bool full) {
    const double s = double(WeightedSquareSum(player, pos, level, full)) * kThousandth;
    double v = s * s;
    return double(GetPlayerStat27(player)) * v * kFiftieth;
}

// The curve entry applied twice more: c x (V x c x 0.01) x 0.01.
double ApplyCurveTwice(double v, double c) { return c * (v * c * kHundredth) * kHundredth; }

// Converts toward zero, saturating where the double lies beyond 32 bits.
int32_t TruncToInt32(double v) {
    if (!(v > double(INT32_MIN))) return INT32_MIN;
    if (v >= double(INT32_MAX)) return INT32_MAX;
    return int32_t(v);
}

int LevelForAbility(int ageIndex) { return ageIndex < 7 ? 8 - ageIndex : 1; }

}  // namespace

constexpr PlayerValueTableSet PlayerValueTables = BuildValueTables();

bool IsPlayedLeagueNation(uint16_t nation) {
    return nation <= kLastLeagueNation && PlayedLeagueFlags[nation] != 0;
}

int32_t RoundMoneyValue(int32_t value) {
    if (value < 1000) return 0;
    const int32_t step = value < 10000      ? 100
                         : value < 100000   ? 1000
                         : value < 1000000  ? 10000
                         : value < 10000000 ? 100000
                                            : 1000000;
    return value - value % step;
}

int32_t ValuePlayer(uint16_t player) {
    const int pos = GetPlayerPosition2(player);
    const uint16_t club = GetPlayerClub(player);
    if (pos >= kValuePositions || !IsClubNumber(club)) return 0;
    const int ageIndex = std::min<int>(GetPlayerAge(player), kAgeCurveEntries - 1);
    const double curve = PlayerValueTables.ageCurve[pos][ageIndex];
    const int div = ClubDivision(club);

    double v = BaseValue(player, pos, kNoLevel, false);
    v = curve * v * kHundredth;
    if (GetPlayerCaps89(player) == 0) v = double(PlayerValueTables.divisionPercent[div]) * v * kHundredth;
    v = ApplyCurveTwice(v, curve);
    v = double(PlayerValueTables.positionFactor[pos]) * v * kHundredth;
    if (double(PlayerValueTables.divisionMinimum[div]) > v) v = 0.0;
    const uint16_t apps = GetPlayerCareerApps(player);
    if (IsPlayedLeagueNation(GetClubNation(int16_t(club))) && apps < 50) v = double(apps) * v * kFiftieth;
    if (GetPlayerContract(player) == 0) v = 0.0;
    return RoundMoneyValue(TruncToInt32(v));
}

int32_t ValuePlayerFull(uint16_t player) {
    int months = GetPlayerContract(player);
    const uint16_t club = GetPlayerClub(player);
    const int age = GetPlayerAge(player);
    const int pos = GetPlayerPosition2(player);
    if (pos >= kValuePositions || !IsClubNumber(club)) return 0;

    // Longer contracts count only as far as the manager's skill (stat 16)
    // makes them worth it; two years at most.
    if (months > 12) {
        const uint16_t manager = FindClubManager(int16_t(club));
        const int skill = IsValidPlayer(manager) ? GetPlayerStat(manager, kGreedStat, 0) : 0;
        months = 12 + skill * (months - 12) / 100;
    }
    months = std::min(months, 24);

    // A player under 23 is valued on his ability at 23.
    const int level = age < 7 ? 7 - age : 0;
    const int ageIndex = age < 7 ? 7 : std::min(age, kAgeCurveEntries - 1);
    const double curve = PlayerValueTables.ageCurve[pos][ageIndex];
    const int div = ClubDivision(club);
    const uint16_t nation = GetClubNation(int16_t(club));

    double v = BaseValue(player, pos, level, true);
    const int ambition = GetPlayerField117(player);
    if (ambition >= 5) v = v + double(ambition * ambition * ambition);
    v = curve * v * kHundredth;
    if (GetPlayerCaps89(player) == 0) v = double(PlayerValueTables.divisionPercent[div]) * v * kHundredth;
    v = ApplyCurveTwice(v, curve);
    if (GetPlayerTxList(player) == 0) {
        v = double(months) * v * kTwelfth;
        if (GetPlayerSaleStatus(player) != 0) {
            v = v * kTwice;
        } else if (nation > kLastLeagueNation) {
            v = double(GetClubRep(int16_t(club))) * v * kTwentieth;
        }
    }
    v = double(PlayerValueTables.positionFactor[pos]) * v * kHundredth;
    const uint16_t shirt = GetPlayerShirt(player);
    if (IsPlayedLeagueNation(nation) && (shirt == 0 || shirt > 11) && ageIndex > 7)
        v = v * kSixty * kHundredth;
    if (double(PlayerValueTables.divisionMinimum[div]) > v) v = 0.0;
    const int weeksAtClub = GetPlayerField52(player);
    if (weeksAtClub < 52) v = double((52 - weeksAtClub) / 10) * v + v;
    const int32_t fixedPrice = GetPlayerManPrice(player);
    if (uint32_t(fixedPrice) != 0xFFFFFFFFu) v = double(uint32_t(fixedPrice));
    if (months == 0) v = 0.0;
    return RoundMoneyValue(TruncToInt32(v));
}

namespace {

// The column quantity of the position ratings: the attribute and, for four
// columns, the scoring record.  Kept within 16 bits (saturating) so that a
// prolific scorer never wraps into a penalty.
int32_t RatingQuantity(uint16_t player, int column, int32_t s) {
    if (column == 2) s += 2 * int32_t(GetPlayerTotalAssists(player));
    if (column == 3) s += 5 * int32_t(GetPlayerTotalGoals(player));
    if (column == 9 || column == 10) s += 3 * int32_t(GetPlayerMoM(player));
    return std::min(s, int32_t(INT16_MAX));
}

// The stats a rating reads: the weighted columns', the fixed weight's and
// consistency (stat 22, never with a position bonus).
constexpr int kRatingStatCount = kValueColumns + 2;
constexpr std::array<int16_t, kRatingStatCount> kRatingStats = [] {
    std::array<int16_t, kRatingStatCount> stats{};
    for (int column = 0; column < kValueColumns; ++column) stats[column] = kValueColumnStat[column];
    stats[kValueColumns] = kStaminaStat;
    stats[kValueColumns + 1] = kConsistencyStat;
    return stats;
}();

int16_t RatePlayer(uint16_t player, int16_t position, int level, int stat22Offset, int divisor) {
    if (position < 0 || position >= kValuePositions) return 1;
    const int8_t* w = PlayerValueTables.weights[position];
    const int age = GetPlayerAge(player);
    // Without a position bonus every stat comes in one call; with one, a
    // stat at a time and only those weighed.
    int16_t unbonused[kRatingStatCount];
    const bool bonus = level != 0;
    if (!bonus) GetPlayerStats(player, kRatingStats.data(), kRatingStatCount, unbonused);
    auto stat = [&](int i) {
        return bonus ? GetPlayerStat(player, kRatingStats[i], int16_t(level)) : unbonused[i];
    };
    int64_t r = int64_t(w[0]) * stat(0);
    if (position == 0 && GetPlayerPosition2(player) != 0) r /= 4;
    const int32_t threshold = age / 2 + 40;
    for (int column = 1; column < kValueColumns; ++column) {
        if (w[column] == 0) continue;
        const int32_t s = RatingQuantity(player, column, stat(column));
        r += s < threshold ? -int64_t(threshold - s) * w[column] : int64_t(s) * w[column];
    }
    r += int64_t(stat(kValueColumns)) * 20;
    const int32_t consistency =
        bonus ? GetPlayerStat(player, kConsistencyStat, 0) : unbonused[kValueColumns + 1];
    r = r * (consistency + stat22Offset) / divisor;
    // Held at the 16-bit top rather than wrapped: a great scorer's rating
    // would otherwise turn negative and count as 1.
    r = std::min<int64_t>(r, INT16_MAX);
    return r < 0 ? int16_t(1) : int16_t(r);
}

}  // namespace

namespace {

// Each player's last ability and potential ratings with what they read: the
// squad jobs rate every roster player again and again (a squad rank rates
// the whole roster per player asked, the squad evaluation the potential of
// every player daily), while stats and scoring records move seldom.
struct RatingMemo {
    PlayerRatingKey key;
    int16_t abilityPosition = -1;  // -1: nothing kept
    int16_t ability = 0;
    int16_t potentialPosition = -1;
    int16_t potential = 0;
};
std::vector<RatingMemo> g_ratingMemo;

// The player's kept ratings, both dropped when what they read has moved.
RatingMemo& KeptRatings(uint16_t player) {
    if (g_ratingMemo.empty()) g_ratingMemo.resize(kMaxPlayers);
    RatingMemo& memo = g_ratingMemo[player];
    const PlayerRatingKey key = GetPlayerRatingKey(player);
    static_assert(std::has_unique_object_representations_v<PlayerRatingKey>);
    if (std::memcmp(&memo.key, &key, sizeof key) != 0) {
        memo.key = key;
        memo.abilityPosition = -1;
        memo.potentialPosition = -1;
    }
    return memo;
}

}  // namespace

int16_t RatePlayerPotential(uint16_t player, int16_t position) {
    if (position < 0 || position >= kValuePositions || !IsPlayerNumber(player))
        return RatePlayer(player, position, LevelForAbility(GetPlayerAge(player)), 50, 150);
    RatingMemo& memo = KeptRatings(player);
    if (memo.potentialPosition != position) {
        memo.potential = RatePlayer(player, position, LevelForAbility(GetPlayerAge(player)), 50, 150);
        memo.potentialPosition = position;
    }
    return memo.potential;
}

void PrefetchPlayerRatings(uint16_t player) {
    if (g_ratingMemo.empty() || player >= g_ratingMemo.size()) return;
    __builtin_prefetch(&g_ratingMemo[player]);
    __builtin_prefetch(reinterpret_cast<const char*>(&g_ratingMemo[player]) + sizeof(RatingMemo) - 1);
}

int16_t RatePlayerAbility(uint16_t player, int16_t position) {
    if (position < 0 || position >= kValuePositions || !IsPlayerNumber(player))
        return RatePlayer(player, position, 0, 30, 130);
    RatingMemo& memo = KeptRatings(player);
    if (memo.abilityPosition != position) {
        memo.ability = RatePlayer(player, position, 0, 30, 130);
        memo.abilityPosition = position;
    }
    return memo.ability;
}

int16_t GetPlayerStat21Div10(uint16_t player) { return int16_t(GetPlayerStat(player, kOutlookStat, 0) / 10); }
