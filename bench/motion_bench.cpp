// Cost of loading the 352 motion clips from the data kit's archive, done
// for every match played, shown or not.  Run from anywhere: the archive is
// looked for in the game folder beside the benchmark.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <climits>
#include <string>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/motion.h"

namespace {

void BM_LoadAllMotionClips(benchmark::State& state) {
    const std::string base = BenchArchive();
    if (access((base + ".pki").c_str(), R_OK) != 0) {
        state.SkipWithError("no generated archive beside the benchmark");
        return;
    }
    InitMemory(64 * 1024);
    PakFileInit();
    PakAddFile(base.c_str());
    PakFileAddDone();
    uint64_t frames = 0;
    for (auto _ : state) {
        Motion_LoadAll();
        frames += Motion_GetFrameCount(254);
        Motion_FreeAll();
    }
    benchmark::DoNotOptimize(frames);
    state.SetItemsProcessed(int64_t(state.iterations()) * kMotionClipCount);
    PakFileUninit();
    UninitMemory();
}
BENCHMARK(BM_LoadAllMotionClips)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
