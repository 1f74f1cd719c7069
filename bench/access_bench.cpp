// Whole-table scans through the record accessors, as the season and club
// code run them every day: every player's stats with the position bonus,
// and every club's finance projection.
#include <benchmark/benchmark.h>

#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/records/records.h"

namespace {

void FillPlayers() {
    GameSeedRandom(7);
    PlayerCount = kMaxPlayers;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, int16_t(GameRandom() % 100));
        SetPlayerPosition(p, int16_t(GameRandom() % 13));
        SetPlayerClub(p, int16_t(p % kClubCount));
        SetPlayerWage(p, int16_t(GameRandom() % 400));
    }
}

void BM_AllPlayerStats(benchmark::State& state) {
    FillPlayers();
    for (auto _ : state) {
        int sum = 0;
        for (uint16_t p = 1; p < PlayerCount; ++p) {
            for (int16_t s = 0; s < 8; ++s) sum += GetPlayerStat(p, s, 3);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_AllPlayerStats)->Unit(benchmark::kMillisecond);

// One club's figure per iteration, club after club through all of them,
// so the time is the mean over clubs of every size.
void BM_AffordableWage(benchmark::State& state) {
    FillPlayers();
    for (int16_t c = 0; c < kClubCount; ++c) {
        SetClubRep(c, 40);
        SetClubBalance(c, 5000000);
    }
    UpdateClubSquads();
    int club = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetAffordableWage(int16_t(club)));
        club = (club + 1) % kClubCount;
    }
}
BENCHMARK(BM_AffordableWage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
