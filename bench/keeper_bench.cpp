// The goalkeeper in his stance facing a ball in flight: one tick of his
// handler, with the positioning, the perceived distance and, at his
// reaction rate, the save choice and its flight prediction.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/keeper.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"

namespace {

constexpr int16_t kBenchKeeper = 16;

void PlaceKeeper() {
    std::memset(MatchFigures, 0, sizeof MatchFigures);
    MatchFigure& k = MatchFigures[kBenchKeeper];
    k.x = 796;
    k.y = 2010;
    k.x16 = int32_t(k.x) << 16;
    k.y16 = int32_t(k.y) << 16;
    k.keeping = 100;  // a save choice every tick
    k.agility = k.heading = 80;
    k.intelligence = k.vision = 70;
    k.action = kActionKeeperReady;
}

void BM_KeeperFacingAShot(benchmark::State& state) {
    MatchResetEngineState();
    Match_ResetKeeperState();
    AttackDirection = 0;
    MatchPhase = kPhaseOpenPlay;
    PlayStopped = 0;
    BallState.drag = 991;
    BallState.gravity = 40000;
    BallState.bounceKeep = 0.96f;
    BallState.bounceRestitution = 0.52f;
    GameSeedRandom(7);
    int counter = 0;
    for (auto _ : state) {
        // A new shot from a varying spot every 30 ticks; the keeper is put
        // back in his stance so that every tick runs the stance.
        if (counter % 30 == 0) {
            BallState.x = int16_t(600 + counter % 400);
            BallState.y = 1700;
            BallState.z = 20;
            BallState.z16 = 20 << 16;
            BallState.vx = ((counter / 30) % 7 - 3) << 15;
            BallState.vy = 12 << 16;
            BallState.vz = 3 << 16;
            BallState.direction = 128;
            BallState.speed = 12;
        }
        PlaceKeeper();
        BallState.y = int16_t(1700 + (counter % 30) * 10);
        BallState.x16 = int32_t(BallState.x) << 16;
        BallState.y16 = int32_t(BallState.y) << 16;
        MatchCurX = 796;
        MatchCurY = 2010;
        MatchCurX16 = MatchCurX << 16;
        MatchCurY16 = MatchCurY << 16;
        CurrentTeam = 1;
        Match_ActKeeperReady(kBenchKeeper);
        benchmark::DoNotOptimize(MatchFigures[kBenchKeeper]);
        ++counter;
    }
}
BENCHMARK(BM_KeeperFacingAShot);

}  // namespace

BENCHMARK_MAIN();
