// One computer club's squad evaluation and its search of the whole player
// table for targets, on the generated world.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "core/club/bids.h"
#include "core/club/squadneeds.h"
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
    SeasonCalendar.currentDay = 30;
    // Money to spend, so that searches weigh prices and wages.
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        SetClubBalance(club, GetClubRep(club) * 2000000);
        for (int16_t week = 0; week < kFinanceWeeks; ++week)
            SetClubWeekLastBalance(club, GetClubBalance(club), week);
    }
}

// Clubs in turn; each starts with empty short lists, so every plan that
// names a need searches the player table.
void BM_EvaluateAndPlanSignings(benchmark::State& state) {
    LoadWorldOnce();
    int16_t club = 0;
    for (auto _ : state) {
        state.PauseTiming();
        do {
            club = int16_t((club + 1) % kClubCount);
        } while (GetClubRep(club) == 0);
        ClearClubBidShortLists(club);
        CurrentClubManager = FindClubManager(club);
        BuildClubSquadList(club);
        state.ResumeTiming();
        EvaluateClubSquad(club);
        PlanClubSignings(club, 0);
    }
}
BENCHMARK(BM_EvaluateAndPlanSignings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
