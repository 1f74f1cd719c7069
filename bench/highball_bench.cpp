// The meeting-point prediction of a ball in the air, 100 ticks ahead.
#include <benchmark/benchmark.h>

#include "core/match/highball.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"

namespace {

void BM_BallPredictLanding100(benchmark::State& state) {
    BallState = {};
    BallState.drag = 990;
    BallState.gravity = 9000;
    BallState.bounceKeep = 0.7f;
    BallState.bounceRestitution = 0.5f;
    BallState.direction = 60;
    MatchFigures[5].heading = 70;
    int counter = 0;
    for (auto _ : state) {
        // A lofted ball from a varying spot toward the player.
        const int x = 400 + counter % 64;
        BallState.z = 10;
        BallState.x16 = x << 16;
        BallState.y16 = 600 << 16;
        BallState.z16 = 10 << 16;
        BallState.vx = 3 << 16;
        BallState.vy = (8 + counter % 5) << 16;
        BallState.vz = 5 << 16;
        Ball_PredictLanding(100, 700, 1400, 5, int16_t(counter & 1));
        benchmark::DoNotOptimize(BallPrediction);
        ++counter;
    }
}
BENCHMARK(BM_BallPredictLanding100);

}  // namespace

BENCHMARK_MAIN();
