// One run of the news pages' screen function over full archives (the
// ranking of a country's week, or one club's archive, then ten headlines
// expanded and dated), the viewed country, page and filter varied.  The
// texts come from the data kit's archive beside the benchmark.
#include <benchmark/benchmark.h>

#include "bench/bench_util.h"
#include "bench/news_archives.h"
#include "core/query/layerstate.h"
#include "core/records/text.h"
#include "core/season/leagues.h"
#include "game/screens/country/newspages.h"

namespace {

void BM_NewsPagesWalkOverFullArchives(benchmark::State& state) {
    static const bool mounted = [] {
        BenchQuiet quiet;
        BenchMountArchive(64, false);
        InitText(LANGUAGE_ENGLISH);
        return true;
    }();
    benchmark::DoNotOptimize(mounted);
    BenchFillNewsArchives();
    for (int country = 0; country < 9; ++country)
        for (int division = 0; division < 6; ++division)
            for (int k = 0; k < 24; ++k)
                DivisionClubLists[country][division][k] =
                    uint16_t((country * 144 + division * 24 + k) % kClubCount);
    int round = 0;
    for (auto _ : state) {
        HVW_SetViewedCountry(int16_t(round % 9));
        NewsPage = round % 4 == 3 ? kNewsRegionPage : kNewsCountryPage;
        NewsGroupFilter = round % 5 == 1 ? kNewsOtherClubsGroup : kNewsNoFilter;
        NewsClubFilter = round % 3 == 2 ? int16_t(round % kClubCount) : kNewsNoFilter;
        NewsTop = int16_t(round % 7);
        NewsPagesMenu();
        benchmark::DoNotOptimize(NewsPagesHeadline(0));
        ++round;
    }
}
BENCHMARK(BM_NewsPagesWalkOverFullArchives)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
