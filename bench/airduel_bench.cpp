// Two full sides contesting a ball in the air: every 60 ticks a long ball
// is lofted from a varying spot toward a varying point in midfield, where
// players of both teams react to it (headers, duels, chest controls,
// volleys, the challenges that follow); the whole tick is measured, with
// the generated motion clips loaded and open play kept going.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
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
#include "core/match/tackle.h"
#include "core/match/teamsetup.h"

namespace {

using namespace gameinfo;

void AirDuelSetUp() {
    BenchMountClipsOnce();
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetI16(kDurationMinutes, 90);
    block->SetI16(kCompetition, 0);
    block->SetI16(kNumAvailableSubs, 5);
    block->SetI16(kPlayersLineUp, 0);
    BenchFillSides(block);
    DisplayModeFlags = kDisplayOff;
    Match_SetPitchGeometry();
    GameSeedRandom(11);
    MatchResetEngineState();
    MatchClockStartMatch();
    MatchResetTackleCounts();
    MatchFoulChance = MatchDismissalThreshold = 100;
    Period = 0;
    KickOffTeam = 0;
    AttackDirection = 0;
    Match_SetupPeriod();
    MatchPhase = kPhaseKickOffSetUp;
    Match_ChooseFormationZone();
    Match_SetFormationTargets();
    for (int team = 0; team < 2; ++team) {
        for (int slot = 0; slot < 11; ++slot) {
            MatchFigure& f = MatchFigures[MatchLineUp[team][slot]];
            f.x16 = int32_t(f.targetX) * 65536;
            f.y16 = int32_t(f.targetY) * 65536;
            f.x = f.targetX;
            f.y = f.targetY;
            Match_SetPlayerAction(MatchLineUp[team][slot], slot == 0 ? kActionKeeperReady : kActionThink);
        }
    }
}

// A long ball from near one touchline toward a point in midfield.
void LoftBall(int counter) {
    const int fromX = 300 + (counter * 131) % 900;
    const int fromY = 700 + (counter * 71) % 300;
    const int toX = 650 + (counter * 37) % 300;
    const int toY = 1050 + (counter * 53) % 200;
    BallState.x16 = fromX * 65536;
    BallState.y16 = fromY * 65536;
    BallState.z16 = 20 * 65536;
    BallState.x = int16_t(fromX);
    BallState.y = int16_t(fromY);
    BallState.z = 20;
    BallState.holder = BallState.controller = 0;
    BallState.vx = (toX - fromX) * 65536 / 40;
    BallState.vy = (toY - fromY) * 65536 / 40;
    BallState.vz = 14 * 65536;
    Ball_UpdateDirectionSpeed();
    BallTeam = uint8_t(counter & 1);
    MatchPhase = kPhaseOpenPlay;
    MatchClockRunning = 1;
}

void BM_AirDuelTick(benchmark::State& state) {
    AirDuelSetUp();
    int counter = 0;
    for (auto _ : state) {
        if (counter % 60 == 0) LoftBall(counter / 60);
        ++counter;
        MatchTick();
        if (MatchFinished != 0 || PeriodClock >= PeriodLength) {
            PeriodClock = 0;
            MatchFinished = 0;
        }
    }
    state.counters["ticks/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AirDuelTick);

}  // namespace

BENCHMARK_MAIN();
