// Ranking the world's news over full archives: every club holds 100
// messages of this week, so every record is scored and checked against the
// list.
#include <benchmark/benchmark.h>

#include "bench/news_archives.h"
#include "core/query/layerstate.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/news.h"

namespace {

void BM_RankWorldNewsOverFullArchives(benchmark::State& state) {
    BenchFillNewsArchives();
    int16_t viewed = 0;
    for (auto _ : state) {
        HVW_SetViewedCountry(viewed);
        viewed = int16_t((viewed + 1) % 9);
        RankWorldNews();
        benchmark::DoNotOptimize(WorldNewsList[0].score);
    }
}
BENCHMARK(BM_RankWorldNewsOverFullArchives)->Unit(benchmark::kMillisecond);

void BM_RankNationalNewsOverFullArchives(benchmark::State& state) {
    BenchFillNewsArchives();
    int16_t nation = 0;
    for (auto _ : state) {
        RankNationalNews(nation);
        nation = int16_t((nation + 1) % 9);
        benchmark::DoNotOptimize(NationalNewsList[0].score);
    }
}
BENCHMARK(BM_RankNationalNewsOverFullArchives)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
