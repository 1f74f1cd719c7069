// A whole match played without the display, as the season plays every
// match of the viewed division: two halves of five minutes (15,000 ticks
// each and their stoppage), both teams computer-managed.  The clips are
// loaded at the start of every match; their load is timed apart, and the
// match is timed both with it and over its periods alone.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "core/match/wholematch.h"

namespace {

using namespace gameinfo;

std::string FullMatchArchive() {
    char exe[PATH_MAX] = {};
    if (readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0) return "game/pakfiles/demo";
    std::string dir(exe);
    return dir.substr(0, dir.rfind('/')) + "/game/pakfiles/demo";
}

void MountFullMatchData() {
    static bool mounted = false;
    if (mounted) return;
    mounted = true;
    InitMemory(64 * 1024);
    PakFileInit();
    PakAddFile(FullMatchArchive().c_str());
    PakFileAddDone();
}

// Two sides of ordinary players, different on each side and shirt.
void FillFullMatchBlock() {
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetU8(kExtraTime, 0);
    block->SetU8(kPenalties, 0);
    block->SetU8(kGoldenGoals, 0);
    block->SetU8(kAwayGoalsRule, 0);
    block->SetU8(kRefereeFavours, 0);
    block->SetU8(kPitchCondition, 0);
    block->SetI16(kDurationMinutes, 5);
    block->SetI16(kCompetition, 0);
    block->SetI16(kNumAvailableSubs, 5);
    block->SetI16(kNumSubstitutionsAllowed, 3);
    block->SetI16(kPlayersLineUp, 0);
    static constexpr int16_t kPositions[16] = {0, 1, 2, 3, 3, 4, 5, 6, 7, 9, 10, 3, 5, 9, 10, 0};
    for (int team = 0; team < 2; ++team) {
        block->SetTeamI16(team, kTeamClub, int16_t(100 + team));
        block->SetTeamU8(team, kHumanManaged, 0);
        block->SetTeamI16(team, kTacticChoice, int16_t(team == 0 ? 1 : 5));
        block->SetTeamI16(team, kOldGoals, 0);
        block->SetTeamI16(team, kCaptain, 5);
        block->SetTeamI16(team, kCornerTaker, 8);
        block->SetTeamI16(team, kPenaltyTaker, 10);
        block->SetTeamI16(team, kFreeKickTaker, 9);
        for (int entry = 0; entry < kMatchSquadSize; ++entry) {
            const int at = PlayerInfoAt(team, entry);
            std::snprintf(reinterpret_cast<char*>(block->bytes + at), kPlayerNameLength, "Bench %c%d",
                          'A' + team, entry);
            block->SetI16(at + kPlayerInfoNumber, int16_t(3000 + 100 * team + entry));
            for (int stat = 0; stat < kPlayerStatCount; ++stat)
                block->SetI16(at + kPlayerStats + 2 * stat,
                              int16_t(35 + (entry * 7 + stat * 3 + team * 11) % 60));
            block->SetI16(at + kPlayerPosition, kPositions[entry % 16]);
            block->SetI16(at + kPlayerShirt, int16_t(entry + 1));
            block->SetI16(at + kPlayerLeft, int16_t(entry % 3));
            block->SetI16(at + kPlayerSideB, 1);
            block->SetI16(at + kPlayerRight, 2);
        }
        MatchLoadTeamTactics(int16_t(team));
    }
}

double g_periodSeconds = 0;

void TimedPeriod() {
    const auto start = std::chrono::steady_clock::now();
    Match_RunPeriod();
    g_periodSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_FullMatchPeriods(benchmark::State& state) {
    MountFullMatchData();
    FillFullMatchBlock();
    MatchPeriodRunner = TimedPeriod;
    uint32_t seed = 1;
    long goals = 0;
    for (auto _ : state) {
        g_periodSeconds = 0;
        // The whole match clears the display-off flag at its end: each match
        // is set headless again, as the season sets each one.
        DisplayModeFlags = kDisplayOff;
        GameSeedRandom(seed++);
        PlayMatch();
        goals += Goals[0] + Goals[1];
        state.SetIterationTime(g_periodSeconds);
    }
    MatchPeriodRunner = Match_RunPeriod;
    state.counters["goals"] = benchmark::Counter(double(goals), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FullMatchPeriods)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FullMatchWithClipLoad(benchmark::State& state) {
    MountFullMatchData();
    FillFullMatchBlock();
    uint32_t seed = 100;
    for (auto _ : state) {
        DisplayModeFlags = kDisplayOff;
        GameSeedRandom(seed++);
        benchmark::DoNotOptimize(PlayMatch());
    }
}
BENCHMARK(BM_FullMatchWithClipLoad)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ClipLoad(benchmark::State& state) {
    MountFullMatchData();
    for (auto _ : state) {
        Motion_LoadAll();
        Motion_FreeAll();
    }
}
BENCHMARK(BM_ClipLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
