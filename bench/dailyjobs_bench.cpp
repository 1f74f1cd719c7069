// One real day of the club jobs' six passes, and a week's wage, loan and
// ban passes, on the generated world.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "core/club/contractexpiry.h"
#include "core/club/dailyjobs.h"
#include "core/club/squadpass.h"
#include "core/club/squads.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
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
    RebuildAllRosters();
    SeasonCalendar.currentDay = 60;
    CompetitionDayWord = 40;
    for (int country = 0; country < kCountryCount; ++country) {
        SeasonCalendar.leagueStartDay[country] = 30;
        SeasonCalendar.leagueEndDay[country] = 300;
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) SetClubBalance(club, GetClubRep(club) * 200000);
    }
}

void BM_DailyJobPasses(benchmark::State& state) {
    LoadWorldOnce();
    int16_t weekday = 0;
    for (auto _ : state) {
        weekday = int16_t((weekday + 1) % 7);
        SeasonCalendar.weekday = weekday;
        RunDailyJobPasses();
    }
}
BENCHMARK(BM_DailyJobPasses)->Unit(benchmark::kMillisecond);

void BM_WeeklyPasses(benchmark::State& state) {
    LoadWorldOnce();
    for (auto _ : state) {
        PayWeeklyPlayerWages();
        WeeklyLoanPass();
        WeeklyBanPass();
    }
}
BENCHMARK(BM_WeeklyPasses)->Unit(benchmark::kMillisecond);

// One real day's squad pass: the human clubs and the computer clubs due
// today, the day moving on each round.
void BM_ClubSquadPass(benchmark::State& state) {
    LoadWorldOnce();
    int16_t weekday = 0;
    for (auto _ : state) {
        weekday = int16_t((weekday + 1) % 7);
        SeasonCalendar.weekday = weekday;
        RunClubSquadPass(1, 1);
    }
}
BENCHMARK(BM_ClubSquadPass)->Unit(benchmark::kMillisecond);

// The players' season roll over the whole world.
void BM_SeasonRollPlayers(benchmark::State& state) {
    LoadWorldOnce();
    for (auto _ : state) SeasonRollPlayers();
}
BENCHMARK(BM_SeasonRollPlayers)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
