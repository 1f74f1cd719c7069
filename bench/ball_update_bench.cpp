// One tick of the ball in flight among the 32 players: the flight with its
// unit-by-unit path walk and collision tests, then the players' contacts.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"

namespace {

void PlacePlayers() {
    std::memset(MatchFigures, 0, sizeof MatchFigures);
    for (int16_t f = 0; f < kPlayerFigures; ++f) {
        MatchFigure& p = MatchFigures[f];
        const int column = f % 4, row = (f % kTeamFigures) / 4;
        p.x = int16_t(300 + 250 * column + (f >= kTeamFigures ? 60 : 0));
        p.y = int16_t(300 + 400 * row + (f >= kTeamFigures ? 90 : 0));
        p.x16 = int32_t(p.x) << 16;
        p.y16 = int32_t(p.y) << 16;
        p.off = f % kTeamFigures >= 11 ? 1 : 0;  // eleven a side on the pitch
        p.action = kActionRunToPosition;
        p.control = 70;
        p.composure = 60;
    }
}

void BM_BallUpdateAmongPlayers(benchmark::State& state) {
    MatchResetEngineState();
    PlacePlayers();
    Ball_ResetContacts();
    MatchPhase = kPhaseOpenPlay;
    BallState.drag = 991;
    BallState.gravity = 40000;
    BallState.bounceKeep = 0.96f;
    BallState.bounceRestitution = 0.52f;
    int counter = 0;
    for (auto _ : state) {
        // Every 40 ticks a new lofted ball from a varying spot across the
        // players; in between it flies, bounces and rolls on.
        if (counter % 40 == 0) {
            const int x = 400 + counter % 600;
            BallState.x = int16_t(x);
            BallState.y = 700;
            BallState.z = 0;
            BallState.z16 = 0;
            BallState.vx = ((counter / 40) % 9 - 4) << 16;
            BallState.vy = (10 + counter % 7) << 16;
            BallState.vz = 6 << 16;
            BallState.holder = BallState.controller = 0;
            MatchPhase = kPhaseOpenPlay;
        }
        Ball_Update();
        benchmark::DoNotOptimize(BallState);
        ++counter;
    }
}
BENCHMARK(BM_BallUpdateAmongPlayers);

}  // namespace

BENCHMARK_MAIN();
