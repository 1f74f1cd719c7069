// The pass choosers with 22 players on the pitch: one call of each chooser a
// round, the passer moved about his half by a counter of the bench's own.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/base/random.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchstate.h"
#include "core/match/passing.h"
#include "core/match/phases.h"

namespace {

void SetUpPitch() {
    std::memset(MatchFigures, 0, sizeof MatchFigures);
    MatchResetEngineState();
    GameSeedRandom(7);
    AttackDirection = 0;
    BallTeam = 0;
    MatchPhase = kPhaseOpenPlay;
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        MatchFigure& f = MatchFigures[figure];
        const int slot = figure % kTeamFigures;
        f.off = slot < 11 ? 0 : 1;
        f.x = int16_t(200 + (slot % 4) * 330 + (figure / kTeamFigures) * 60);
        f.y = int16_t(figure < kTeamFigures ? 300 + slot * 120 : 1800 - slot * 120);
        f.facing = uint16_t(figure < kTeamFigures ? 128 : 0);
        f.passing = f.vision = f.intelligence = f.composure = f.greed = f.heading = f.agility = 60;
        f.tacticBytes[5] = 0xFF;
        f.ballDistance = uint16_t(100 + (figure * 53) % 900);
        f.ballDirection = uint16_t((figure * 37) & 255);
    }
}

void BM_PassChoosers(benchmark::State& state) {
    SetUpPitch();
    int counter = 0;
    int found = 0;
    for (auto _ : state) {
        const int16_t passer = int16_t(1 + counter % 10);
        MatchFigures[passer].facing = uint16_t((counter * 29) & 255);
        CurrentTeam = 0;
        MatchCurX = MatchFigures[passer].x;
        MatchCurY = MatchFigures[passer].y;
        ++counter;
        found += Match_ChooseShortPass(passer, 1) >= 0;
        found += Match_ChooseSafePass(passer) >= 0;
        found += Match_ChooseLongPass(passer, 0) >= 0;
        found += Match_ChooseFarPass(passer) >= 0;
        found += Match_ChooseVeryLongPass(passer) >= 0;
        found += Match_ChooseThroughPass(passer) >= 0;
        found += Match_ChooseCross(passer) >= 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_PassChoosers);

}  // namespace
BENCHMARK_MAIN();
