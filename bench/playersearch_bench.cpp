// The player search on the generated world: every candidate tested against
// a filter with five weighted attributes and the passing players sorted by
// their scores, as each change of the filter makes it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "core/records/records.h"
#include "game/screens/squad/searchfilter.h"
#include "game/screens/transfers/playersearch.h"
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
    // The user manages a club of the first nation.
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) > 0 && GetClubNation(club) == 0) {
            SetPlayerClub(1, club);
            break;
        }
    }
    PlayerSearch_CollectCandidates();
}

// Weights of five attributes, different each round, so every sort orders a
// fresh set of scores.
void BM_SearchWithFiveWeights(benchmark::State& state) {
    LoadWorldOnce();
    SearchFilterPreset& filter = PlayerSearchFilterRecord();
    SearchFilter_Reset(&filter);
    SearchFilter_SetMaxPrice(filter, 99999000);
    SearchFilter_SetMaxWage(filter, 99999);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 0; i < 5; ++i) {
            const auto kind = int16_t((round + 4 * i) % kSearchLimitedKinds);
            SearchAttr_SetLimit(int16_t(10 + (round * 7 + i * 13) % 90), kind, &filter, 2);
        }
        PlayerSearch_Search();
        benchmark::DoNotOptimize(SearchResults[0]);
        state.PauseTiming();
        SearchFilter_ClearAttrLimits(&filter);
        state.ResumeTiming();
    }
    state.counters["candidates"] = double(SearchCandidateCount);
    state.counters["results"] = double(SearchResultCount);
}
BENCHMARK(BM_SearchWithFiveWeights)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
