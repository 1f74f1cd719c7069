// Match set-up of a computer fixture on the generated world, and the
// formation choice of a computer side over a full fixture table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/bytes.h"
#include "core/club/squads.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/computertactics.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "tests/fakes/world_records.h"

namespace {

void LoadWorldOnce() {
    static bool loaded = false;
    if (loaded) return;
    const std::string error = LoadWorldRecords(HALVORN_GAME_DIR);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    loaded = true;
    ClearFixtureTable();
    SeasonCalendar.currentDay = 40;
    SetUpAllClubTeams();
}

int16_t NextClub(int16_t club) {
    do {
        club = int16_t((club + 1) % kClubCount);
    } while (GetClubRep(club) == 0);
    return club;
}

// The next club of a league nation with a club of its nation and division
// after it: the two meet in a league fixture.
int16_t NextLeagueClub(int16_t club) {
    for (;;) {
        club = NextClub(club);
        const int16_t next = NextClub(club);
        if (GetClubNation(club) < 9 && GetClubNation(next) == GetClubNation(club) &&
            GetClubDivision(next) == GetClubDivision(club)) {
            return club;
        }
    }
}

// League fixtures between computer clubs in turn.
void BM_PrepareClubMatch(benchmark::State& state) {
    LoadWorldOnce();
    ClearFixtureTable();
    int16_t home = 0;
    for (auto _ : state) {
        state.PauseTiming();
        home = NextLeagueClub(home);
        const int16_t away = NextClub(home);
        const int16_t slot = AddFixture(SeasonCalendar.currentDay, kCompLeague, home, away, 0);
        state.ResumeTiming();
        PrepareClubMatch(slot, home, away);
        state.PauseTiming();
        DeleteFixture(slot);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PrepareClubMatch)->Unit(benchmark::kMicrosecond);

// Every slot a played match of the past between computer sides.
void BM_ChooseComputerFormation(benchmark::State& state) {
    LoadWorldOnce();
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        uint8_t* f = FixtureTable[slot].bytes;
        recbits::StoreU32(f, uint32_t(slot * 365 / kFixtureSlots));
        recbits::StoreU16(f + 4, uint16_t(slot % kClubCount));
        recbits::StoreU16(f + 6, uint16_t((slot * 7 + 1) % kClubCount));
        recbits::StoreU32(f + 8, uint32_t(slot % 4) | uint32_t(slot % 3) << 5);
        SetFixtureSideCode(int16_t(slot), 0, int16_t(1 + slot % 6));
        SetFixtureSideCode(int16_t(slot), 1, int16_t(1 + slot % 5));
    }
    SeasonCalendar.currentDay = 365;
    const uint16_t manager = FindClubManager(10);
    int16_t club = 0;
    for (auto _ : state) {
        club = NextClub(club);
        const int16_t clubs[2] = {club, NextClub(club)};
        benchmark::DoNotOptimize(ChooseComputerFormation(manager, clubs, 0, TallyMatchClubs(clubs)));
    }
    ClearFixtureTable();
    SeasonCalendar.currentDay = 40;
}
BENCHMARK(BM_ChooseComputerFormation)->Unit(benchmark::kMicrosecond);

// The busiest day of the season, every fixture predicted
// (nobody's match is shown), the fixture table put back before each run.
void BM_WorldMatchDay(benchmark::State& state) {
    LoadWorldOnce();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    ClearFixtureTable();
    SetUpSeasonFixtures();
    SetPlayerClub(1, -1);
    int busiest = 0;
    int most = 0;
    for (int day = 0; day < 365; ++day) {
        int count = 0;
        for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= day; ++slot)
            count += FixtureDay(slot) == day;
        if (count > most) {
            most = count;
            busiest = day;
        }
    }
    SeasonCalendar.currentDay = int16_t(busiest);
    static Fixture saved[kFixtureSlots];
    std::memcpy(saved, FixtureTable, sizeof saved);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(FixtureTable, saved, sizeof saved);
        state.ResumeTiming();
        for (int16_t slot = FindFirstUnplayedFixtureToday(); slot >= 0 && FixtureDay(slot) == busiest; ++slot)
            PlayFixtureIfValid(slot);
    }
    state.counters["fixtures"] = most;
    ClearFixtureTable();
    SeasonCalendar.currentDay = 40;
}
BENCHMARK(BM_WorldMatchDay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
