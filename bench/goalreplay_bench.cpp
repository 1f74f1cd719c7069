// Saving a goal replay file (the 750-frame ring and the match block, about
// 375 KB) and loading it back as the saved-goals screens do, in a scratch
// folder.  Both should stay well under 50 ms.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/records/blockfiles.h"

namespace {

namespace fs = std::filesystem;

struct Scratch {
    Scratch() {
        old = fs::current_path();
        char pattern[] = "/tmp/halvorn_bench_goal_XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        dir = pattern;
        fs::current_path(dir);
        InitMemory(16384);
        Replay_AllocBuffer();
        ClearMatchSetupBlock();
        DisplayModeFlags = 0;
        for (uint32_t tick = 0; tick < 800; ++tick) {
            PeriodClock = tick;
            Replay_Tick();
        }
    }
    ~Scratch() {
        Replay_FreeBuffer();
        UninitMemory();
        fs::current_path(old);
        fs::remove_all(dir);
    }
    fs::path old, dir;
};

void BM_SaveGoal(benchmark::State& state) {
    Scratch scratch;
    uint32_t saved = 0;
    for (auto _ : state) {
        // Each round a new file, as goals come; the count is reset before
        // the limit, as a new day does.
        if (SavedGoalCount >= kMaxSavedGoals) SavedGoalCount = 0;
        Goals[0] = int16_t(saved++ % 10);
        Replay_SaveGoal();
    }
}
BENCHMARK(BM_SaveGoal)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadGoal(benchmark::State& state) {
    Scratch scratch;
    SavedGoalCount = 0;
    for (int goal = 0; goal < 10; ++goal) {
        Goals[0] = int16_t(goal);
        Replay_SaveGoal();
    }
    RemoveAllFiles("SaveData\\GOALS\\");
    int entry = 0;
    for (auto _ : state) {
        const char* name = GoalReplayFiles.names[entry++ % GoalReplayFiles.count];
        if (Replay_LoadGoalInfo(name) != 0 || ReplayLoadTheRest() != 0) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadGoal)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
