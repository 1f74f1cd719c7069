// The frame's own work per tick (team-job selection, bookkeeping, officials,
// phase dispatch, clock) with the players' figures left empty, so that the
// players' own actions cost nothing: one tick of open play with the clock
// running and both officials walking.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchtick.h"
#include "core/match/phases.h"

namespace {

void SetUpOpenPlay() {
    ClearMatchSetupBlock();
    GameInfo.SetI16(gameinfo::kCompetition, 0);
    std::memset(MatchFigures, 0, sizeof MatchFigures);
    MatchResetEngineState();
    GameSeedRandom(5);
    Period = 0;
    MatchClockStartMatch();
    MatchResetClock(45 * 60);
    MatchClockRunning = 1;
    MatchPhase = kPhaseOpenPlay;
    Match_SetPlayerAction(kRefereeFigure, kOfficialWalkToFirstSpot);
    Match_SetPlayerAction(kRefereeFigure + 1, kOfficialToSecondSpot);
}

void BM_MatchTick(benchmark::State& state) {
    SetUpOpenPlay();
    int counter = 0;
    for (auto _ : state) {
        // Vary the ball so that pressure and thirds take every branch.
        BallState.y = int16_t(200 + (counter * 37) % 1700);
        ++counter;
        MatchTick();
        if (PeriodClock >= PeriodLength) {
            PeriodClock = 0;
            MatchTimeUp = 0;
        }
        if (MatchPhase != kPhaseOpenPlay) {
            MatchPhase = kPhaseOpenPlay;
            MatchClockRunning = 1;
        }
    }
    benchmark::DoNotOptimize(MatchTicks);
}
BENCHMARK(BM_MatchTick);

}  // namespace

BENCHMARK_MAIN();
