// A corner from its award to the first touch after the kick: the taker
// fetches the ball, places it, chooses a receiver and curls it in; each run
// is a whole corner of ticks, and the rate counts the ticks.  The corner is
// taken from the four corners in turn by a counter of the bench's own.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/formation.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchphases.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchtick.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "core/match/phases.h"
#include "core/match/setpieces.h"
#include "core/match/teamsetup.h"

namespace {

using namespace gameinfo;

void SetUpCornerMatch() {
    BenchMountClipsOnce();
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetI16(kDurationMinutes, 5);
    block->SetI16(kCompetition, 0);
    block->SetI16(kNumAvailableSubs, 5);
    for (int team = 0; team < 2; ++team) block->SetTeamI16(team, kCornerTaker, 8);
    BenchFillSides(block);
    DisplayModeFlags = kDisplayOff;
    Match_SetPitchGeometry();
    GameSeedRandom(5);
    MatchResetEngineState();
    MatchClockStartMatch();
    Period = 0;
    KickOffTeam = 0;
    AttackDirection = 0;
    Match_SetupPeriod();
    MatchPhase = kPhaseKickOffSetUp;
    Match_ChooseFormationZone();
    Match_SetFormationTargets();
}

// Everybody on his formation place and the ball over the line by a corner.
void AwardCorner(int counter) {
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        MatchFigure& f = MatchFigures[figure];
        if (f.off != 0) continue;
        f.x = f.targetX;
        f.y = f.targetY;
        f.x16 = int32_t(f.x) * 65536;
        f.y16 = int32_t(f.y) * 65536;
        Match_SetPlayerAction(int16_t(figure),
                              figure % kTeamFigures == 0 ? kActionKeeperReady : kActionStand);
    }
    const bool right = counter % 2 == 1;
    const bool high = (counter / 2) % 2 == 1;
    BallState.x = int16_t(right ? 1440 : 152);
    BallState.y = int16_t(high ? 2044 : 120);
    BallState.z = 0;
    BallState.vx = BallState.vy = BallState.vz = 0;
    RestartTeam = high ? 0 : 1;  // the team attacking that end
    PhaseTimer = 0;
    MatchPhase = kPhaseCorner;
    MatchFinished = 0;
}

void BM_CornerToFirstTouch(benchmark::State& state) {
    SetUpCornerMatch();
    int counter = 0;
    int64_t ticks = 0;
    for (auto _ : state) {
        AwardCorner(counter++);
        // Until the kick, then until someone else touches the ball.
        int bound = 6000;
        while (MatchPhase != kPhaseOpenPlay && bound-- > 0) {
            MatchTick();
            ++ticks;
        }
        const int16_t taker = RestartKicker;
        while (LastToucher == taker && MatchPhase == kPhaseOpenPlay && bound-- > 0) {
            MatchTick();
            ++ticks;
        }
        benchmark::DoNotOptimize(LastToucher);
    }
    state.counters["ticks/s"] = benchmark::Counter(double(ticks), benchmark::Counter::kIsRate);
    state.counters["ticks/corner"] = double(ticks) / double(state.iterations());
}
BENCHMARK(BM_CornerToFirstTouch);

}  // namespace

BENCHMARK_MAIN();
