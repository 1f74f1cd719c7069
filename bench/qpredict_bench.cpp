// Quick result prediction of 10,000 fixtures between clubs of the
// generated world, set-up blocks prepared beforehand.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/base/random.h"
#include "core/match/qpredict.h"
#include "core/match/qpredictreport.h"
#include "tests/core/match/predict_setup.h"
#include "tests/fakes/world_records.h"

namespace {

constexpr int kPreparedFixtures = 256;
constexpr int kFixturesPerRound = 10000;

struct Prepared {
    EnterGameInfo block;
    int16_t clubs[2];
    predicttest::FixtureRules rules;
};

const std::vector<Prepared>& PreparedFixtures() {
    static std::vector<Prepared> fixtures;
    if (!fixtures.empty()) return fixtures;
    const std::string error = LoadWorldRecords(HALVORN_GAME_DIR);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    const std::vector<predicttest::ClubSide> sides = predicttest::PickAllSides(5);
    fixtures.resize(kPreparedFixtures);
    for (int n = 0; n < kPreparedFixtures; ++n) {
        Prepared& f = fixtures[n];
        const auto& home = sides[size_t(n * 37) % sides.size()];
        const auto& away = sides[size_t(n * 91 + 5) % sides.size()];
        if (n % 4 == 3) {
            f.rules.competition = 21;
            f.rules.extraTime = f.rules.penalties = 1;
        }
        predicttest::FillFixture(&f.block, home, away, f.rules);
        f.clubs[0] = home.club;
        f.clubs[1] = away.club;
    }
    return fixtures;
}

void BM_PredictTenThousandFixtures(benchmark::State& state) {
    const std::vector<Prepared>& fixtures = PreparedFixtures();
    GameSeedRandom(99);
    int next = 0;
    for (auto _ : state) {
        QpClearReports();
        for (int i = 0; i < kFixturesPerRound; ++i) {
            const Prepared& f = fixtures[next];
            next = (next + 1) % kPreparedFixtures;
            *GetMatchSetupBlock() = f.block;
            QPredict2(f.clubs[0], f.clubs[1], f.rules.competition, f.rules.extraTime, f.rules.goldenGoal,
                      f.rules.penalties, 1, 0);
        }
        benchmark::DoNotOptimize(QpReportCount);
    }
}
BENCHMARK(BM_PredictTenThousandFixtures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
