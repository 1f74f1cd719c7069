// The 256-step direction between two points, as the match asks for it
// dozens of times a tick: between points spread over the pitch, and
// between points a short run apart.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/match/geometry.h"

namespace {

struct Pair {
    int16_t x1, y1, x2, y2;
};

// A fixed spread of pairs: points on the pitch, the second within `reach`
// of the first.
std::vector<Pair> Pairs(int reach) {
    std::vector<Pair> pairs(4096);
    uint32_t seed = 12345;
    const auto next = [&](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % uint32_t(range));
    };
    for (Pair& p : pairs) {
        p.x1 = int16_t(158 + next(1276));
        p.y1 = int16_t(126 + next(1912));
        p.x2 = int16_t(p.x1 + next(2 * reach + 1) - reach);
        p.y2 = int16_t(p.y1 + next(2 * reach + 1) - reach);
    }
    return pairs;
}

void RunDirections(benchmark::State& state, int reach) {
    const std::vector<Pair> pairs = Pairs(reach);
    for (auto _ : state) {
        unsigned sum = 0;
        for (const Pair& p : pairs) sum += Match_DirectionTo(p.x1, p.y1, p.x2, p.y2);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pairs.size()));
}

void BM_DirectionAcrossThePitch(benchmark::State& state) { RunDirections(state, 1200); }
BENCHMARK(BM_DirectionAcrossThePitch);

void BM_DirectionShortRuns(benchmark::State& state) { RunDirections(state, 60); }
BENCHMARK(BM_DirectionShortRuns);

}  // namespace

BENCHMARK_MAIN();
