// The season set-up: one division's random schedule, laying out every
// league and reserve league of the nine countries on the calendar, and a
// whole new game on the generated world.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_util.h"
#include "core/base/random.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/seasonsquads.h"

namespace {

// Clubs laid out as the shipped divisions say.
void MakeLayoutWorld() {
    std::memset(ClubRecords, 0, sizeof ClubRecords);
    std::memset(HonoursTable, 0xFF, sizeof HonoursTable);
    int16_t club = 0;
    for (int country = 0; country < kCountryCount; ++country) {
        for (int division = 0; division < kDivisionCount; ++division) {
            for (int i = 0; i < kShippedDivisionLayout[country][division].clubs; ++i, ++club) {
                SetClubNation(club, int16_t(country));
                SetClubDivision(club, int16_t(division));
                SetClubRep(club, int16_t(10 + i));
            }
        }
    }
}

void BM_GenerateLeagueSchedule(benchmark::State& state) {
    GameSeedRandom(77);
    int counter = 0;
    for (auto _ : state) {
        GenerateLeagueSchedule(int16_t(10 + counter % 15));
        benchmark::DoNotOptimize(LeagueScheduleRoundCount());
        ++counter;
    }
}
BENCHMARK(BM_GenerateLeagueSchedule)->Unit(benchmark::kMicrosecond);

void BM_SetUpSeasonFixtures(benchmark::State& state) {
    MakeLayoutWorld();
    int counter = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GameSeedRandom(uint32_t(counter++));
        SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 0, 0, {}, {}, {}};
        ClearFixtureTable();
        state.ResumeTiming();
        SetUpSeasonFixtures();
    }
}
BENCHMARK(BM_SetUpSeasonFixtures)->Unit(benchmark::kMillisecond);

// The generated game folder: $HALVORN_GAME_DIR, else "game" beside the
// benchmark in the build tree.
void BM_NewGameSetUp(benchmark::State& state) {
    if (chdir(BenchGameFolder().c_str()) != 0) {
        state.SkipWithError("no game folder");
        return;
    }
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    int counter = 0;
    for (auto _ : state) {
        GameSeedRandom(uint32_t(1000 + counter++));
        NewGameSetUp();
        benchmark::DoNotOptimize(PlayerCount);
    }
    state.counters["players"] = PlayerCount;
}
BENCHMARK(BM_NewGameSetUp)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
