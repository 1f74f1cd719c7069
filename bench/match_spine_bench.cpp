// The match engine's spine per tick: formation zones and targets, the
// group update, the officials, the dispatcher over 32 players (standing or
// walking to the kick-off), the phases and the clock, with the generated
// motion clips loaded.  Also the build of one team's formation tables.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>

#include <cstring>
#include <string>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/formation.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchtick.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "core/match/phases.h"
#include "core/match/teamsetup.h"

namespace {

using namespace gameinfo;

void FillBlock() {
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetI16(kDurationMinutes, 5);
    block->SetI16(kCompetition, 0);
    block->SetI16(kNumAvailableSubs, 5);
    block->SetI16(kPlayersLineUp, 0);
    BenchFillSides(block);
}

void SetUpMatch() {
    BenchMountClipsOnce();
    FillBlock();
    DisplayModeFlags = kDisplayOff;
    Match_SetPitchGeometry();
    GameSeedRandom(5);
    MatchResetEngineState();
    MatchClockStartMatch();
    Period = 0;
    KickOffTeam = 0;
    AttackDirection = 0;
    Match_SetupPeriod();
}

void BM_SpineTick(benchmark::State& state) {
    SetUpMatch();
    int counter = 0;
    for (auto _ : state) {
        // Move the ball about so that the zones and targets keep changing.
        BallState.x = int16_t(200 + (counter * 53) % 1200);
        BallState.y = int16_t(200 + (counter * 37) % 1700);
        ++counter;
        MatchTick();
        if (MatchFinished != 0 || PeriodClock >= PeriodLength) {
            Match_SetupPeriod();
            MatchPhase = kPhaseOpenPlay;
            MatchClockRunning = 1;
        }
    }
    state.counters["ticks/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SpineTick);

void BM_FormationTables(benchmark::State& state) {
    SetUpMatch();
    int counter = 0;
    for (auto _ : state) {
        GetComputerTactics(&MatchTacticRecord[1], int16_t(counter % 10));
        ++counter;
        MatchTeam_TakeWorkingCopy(1);
        MatchTeam_ApplySetup(1);
        benchmark::DoNotOptimize(FormationTable[1][0][0]);
    }
}
BENCHMARK(BM_FormationTables);

}  // namespace

BENCHMARK_MAIN();
