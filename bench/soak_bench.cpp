// One whole season of the world without screens, from the new game's first
// day to day 0 of the next season with its new-season step: the user's club
// in country 0's division 4 with country 5 viewed (only his fixtures on the
// match engine: country 5 has no division 4), and with his own country
// viewed (his division's computer matches on the engine too).  Reported:
// the new game, the engine matches, the time by phase and whether the user
// still managed his club at the end.
//
// The second run's user manages the first club of country 0's division 0:
// in division 4 the board sacks the computer-run user within the season
// whatever club he takes (a few bad weeks are enough for every board), and
// a user without a club has no division on the engine.  The top division's
// leading club keeps him all season, so the run plays his division's whole
// season on the engine.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "core/club/board.h"
#include "tests/fakes/soak_driver.h"

namespace {

// The generated game folder: $HALVORN_GAME_DIR, else the build tree's.
std::string GameFolder() {
    if (const char* dir = std::getenv("HALVORN_GAME_DIR")) return dir;
    return HALVORN_GAME_DIR;
}

void RunSeason(benchmark::State& state, int16_t viewedCountry, int16_t userDivision) {
    int counter = 0;
    double newGame = 0;
    int16_t userClub = -1;
    for (auto _ : state) {
        state.PauseTiming();
        SoakConfig config;
        config.seed = uint32_t(1 + counter++);
        config.viewedCountry = viewedCountry;
        config.userDivision = userDivision;
        const auto start = std::chrono::steady_clock::now();
        userClub = StartSoakGame(GameFolder(), config);
        if (userClub < 0) {
            state.SkipWithError("no game folder");
            return;
        }
        newGame += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
        RunSoakUntil(1, 0);
    }
    const SoakCounts& c = CurrentSoakCounts();
    const SoakTimes& t = CurrentSoakTimes();
    state.counters["new_game_s"] = newGame / counter;
    // 1 when the user still managed the club he started with.
    state.counters["user_kept"] = GetUserClub() == userClub ? 1 : 0;
    state.counters["engine"] = c.engine;
    state.counters["predicted"] = c.predicted;
    state.counters["fixtures_s"] = t.fixtures;
    state.counters["setup_s"] = t.matchSetUp;
    state.counters["prediction_s"] = t.prediction;
    state.counters["engine_s"] = t.engine;
    state.counters["postmatch_s"] = t.postMatch;
    state.counters["competition_s"] = t.competitionDays;
    state.counters["clubjobs_s"] = t.clubJobs;
    state.counters["dayend_s"] = t.dayEnd;
}

void BM_SeasonOtherCountryViewed(benchmark::State& state) { RunSeason(state, 5, 4); }
BENCHMARK(BM_SeasonOtherCountryViewed)->Unit(benchmark::kSecond)->Iterations(1);

void BM_SeasonOwnCountryViewed(benchmark::State& state) { RunSeason(state, 0, 0); }
BENCHMARK(BM_SeasonOwnCountryViewed)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
