// What a European group match holds at stake for a club: every combination
// of the group's other open results is played out on paper.
#include <algorithm>
#include <array>
#include <cstring>

#include "core/query/europeangroups.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"
#include "core/season/racestory.h"
#include "core/season/reportfacts.h"

namespace {

constexpr int kGroupGames = 6;
constexpr int kGroupCup = 6;
constexpr int kMostGroupScenarios = 4;
constexpr int kResults = 3;
// Byte 2 of flag word A.
constexpr int kGroupShift = 16;

struct GroupScenario {
    int16_t slot, homeRow, awayRow, result;
};

struct Rows {
    int16_t r[kGroupStandingRows][kGroupStandingWords];
};

int RowOf(const Rows& s, int16_t club) {
    for (int i = 0; i < kGroupStandingRows; ++i) {
        if (s.r[i][kGroupClub] == club) return i;
    }
    return -1;
}

int Played(const int16_t* row) {
    return row[kGroupHomeWon] + row[kGroupHomeDrawn] + row[kGroupHomeLost] + row[kGroupAwayWon] +
           row[kGroupAwayDrawn] + row[kGroupAwayLost];
}

void ApplyGroupScenario(Rows& s, int clubRow, int clubPoints, int16_t opponent, int opponentPoints,
                        const GroupScenario* scenarios, int count, int16_t day, int16_t stage,
                        int16_t group) {
    for (int i = 0; i < kGroupStandingRows; ++i) {
        int16_t* row = s.r[i];
        if (i == clubRow) {
            row[kGroupPoints] = int16_t(row[kGroupPoints] + clubPoints);
            continue;
        }
        int added = 0, counted = 0;
        if (row[kGroupClub] == opponent) added = opponentPoints, counted = 1;
        for (int k = 0; k < count; ++k) {
            const GroupScenario& g = scenarios[k];
            if (g.homeRow == i) {
                added += g.result == 0 ? 3 : g.result == 2 ? 1 : 0;
                ++counted;
            } else if (g.awayRow == i) {
                added += g.result == 1 ? 3 : g.result == 2 ? 1 : 0;
                ++counted;
            }
        }
        if (i > clubRow) added += 3 * std::max(0, kGroupGames - counted - Played(row));
        row[kGroupPoints] = int16_t(row[kGroupPoints] + added);
    }
    SortGroupStandings(s.r, day, stage, group);
}

void CountGroupPlaces(int16_t club, const Rows& s) {
    const int j = RowOf(s, club);
    if (j < 0) return;
    auto count = [](int place) { ++ZoneCounters[RaceZones[place]]; };
    count(j);
    for (int i = j - 1; i >= 0 && s.r[i][kGroupPoints] == s.r[j][kGroupPoints]; --i) count(i);
    for (int i = j + 1; i < kGroupStandingRows && s.r[i][kGroupPoints] >= s.r[j][kGroupPoints]; ++i) count(i);
}

uint8_t GroupByte() { return uint8_t(RaceFlags[0] >> kGroupShift); }
void SetGroupByte(uint8_t b) {
    RaceFlags[0] = (RaceFlags[0] & ~(0xFFu << kGroupShift)) | uint32_t(b) << kGroupShift;
}

}  // namespace

int16_t GetGroupStageStoryCode(int16_t club, int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || !IsClubNumber(club) || IsFixtureEmpty(slot)) return -1;
    if (!IsFixtureOfClub(slot, club) || HVW_GetCupIndex(FixtureType(slot)) != kGroupCup) return -1;
    const int16_t stage = HVW_GetCupRoundIndex(FixtureType(slot));
    if (stage != 0 && stage != 1) return -1;
    const int16_t group = HVW_FindClubGroup(club, stage);
    if (group < 0) return -1;
    const int16_t opponent = FixtureHome(slot) == club ? FixtureAway(slot) : FixtureHome(slot);
    const int16_t day = int16_t(FixtureDay(slot));

    Rows base{};
    BuildGroupStandings(base.r, group, stage);
    std::fill(std::begin(RaceZones), std::end(RaceZones), int16_t(-1));
    RaceZones[0] = RaceZones[1] = 0;
    RaceZones[2] = RaceZones[3] = 1;

    for (auto& row : base.r) {
        row[kGroupPoints] =
            int16_t((row[kGroupHomeWon] + row[kGroupAwayWon] + kGroupGames - Played(row)) * 3 +
                    row[kGroupHomeDrawn] + row[kGroupAwayDrawn]);
    }
    SortGroupStandings(base.r, day, stage, group);
    const int p = RowOf(base, club);
    if (p < 0) return -1;
    const int maximum = base.r[p][kGroupPoints];
    for (auto& row : base.r) row[kGroupPoints] = int16_t(row[kGroupPoints] - (kGroupGames - Played(row)) * 3);
    const int now = base.r[p][kGroupPoints];
    const int remaining = maximum - now;

    int above = 0, below = 0;
    for (int i = 0; i < p; ++i) {
        if (base.r[i][kGroupPoints] <= maximum) ++above;
    }
    for (int i = p + 1; i < kGroupStandingRows; ++i) {
        if ((kGroupGames - Played(base.r[i])) * 3 + base.r[i][kGroupPoints] >= now) ++below;
    }
    const int first = p - above, last = p + below;
    std::array<GroupScenario, kMostGroupScenarios> scenarios{};
    int taken = 0;
    for (int s = 0; s < kFixtureSlots && !IsFixtureEmpty(s) && taken < kMostGroupScenarios; ++s) {
        const int16_t type = FixtureType(s);
        if (FixtureDay(s) < day || HVW_GetCupIndex(type) != kGroupCup || HVW_GetCupRoundIndex(type) != stage)
            continue;
        if (IsFixtureOfClub(s, club) || HVW_FindClubGroup(FixtureHome(s), stage) != group) continue;
        const int h = RowOf(base, FixtureHome(s)), a = RowOf(base, FixtureAway(s));
        if (h < first || h > last || a < first || a > last) continue;
        scenarios[taken++] = GroupScenario{int16_t(s), int16_t(h), int16_t(a), 0};
    }

    SetGroupByte(0);
    RaceFlags[1] &= ~kRaceTooManyFlag;
    if (taken >= kMostGroupScenarios) {
        RaceFlags[1] |= kRaceTooManyFlag;
        return 7;
    }
    int combinations = 1;
    for (int i = 0; i < taken; ++i) combinations *= kResults;
    auto pass = [&](int clubPoints, int opponentPoints) {
        ZoneCounters[0] = ZoneCounters[1] = 0;
        for (int k = 0; k < combinations; ++k) {
            int digits = k;
            for (int i = 0; i < taken; ++i)
                scenarios[i].result = int16_t(digits % kResults), digits /= kResults;
            Rows copy = base;
            ApplyGroupScenario(copy, p, clubPoints, opponent, opponentPoints, scenarios.data(), taken, day,
                               stage, group);
            CountGroupPlaces(club, copy);
        }
    };
    static constexpr int kClubGain[kResults] = {0, 1, 3};
    static constexpr int kOpponentGain[kResults] = {3, 1, 0};
    for (int r = 0; r < kResults; ++r) {
        pass(kClubGain[r], kOpponentGain[r]);
        if (ZoneCounters[1] != 0) continue;
        uint8_t b = GroupByte();
        b = uint8_t((b & ~3) | std::min(3, (b & 3) + 1));
        SetGroupByte(uint8_t(b | 1u << (2 + r)));
    }
    const int bestCase[kResults] = {remaining - 3, remaining - 2, remaining};
    for (int r = 0; r < kResults; ++r) {
        pass(bestCase[r], kOpponentGain[r]);
        if (ZoneCounters[0] > 0) SetGroupByte(uint8_t(GroupByte() | 1u << (5 + r)));
    }
    const uint8_t b = GroupByte();
    if ((b & 3) == 3) return 43;
    if (b & 1u << 3) return 38;
    if (b & 1u << 4) return 39;
    if (b & 1u << 5) return 40;
    if (b & 1u << 6) return 41;
    if (b & 1u << 7) return 42;
    return 44;
}
