// Making new players: 10,000 records of every position code and age, each
// with its attributes drawn and its past career lived week by week, as the
// new game and the squad top-ups do (target: under 2 s for the batch).
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/base/random.h"
#include "core/club/newplayers.h"
#include "core/records/records.h"

namespace {

constexpr int kBatch = 10000;

void BM_CreateTenThousandPlayers(benchmark::State& state) {
    GameSeedRandom(11);
    uint32_t round = 0;
    for (auto _ : state) {
        PlayerCount = 1;
        for (int i = 0; i < kBatch; ++i) {
            const uint16_t p = PlayerCount++;
            const uint32_t n = round * kBatch + uint32_t(i);
            std::memset(PlayerRecords[p].bytes, 0, sizeof PlayerRecords[p].bytes);
            SetPlayerPositionFromCode(p, 0, int16_t(n % 30));
            SetPlayerAge(p, int16_t(n % 20));
            SetPlayerStat(p, 27, int16_t(1 + n % 99));
            RandomisePlayerPositionTraits(p, 4);
            DerivePlayerStatsByPosition(p);
        }
        ++round;
        benchmark::DoNotOptimize(PlayerRecords[PlayerCount - 1].bytes[30]);
    }
}
BENCHMARK(BM_CreateTenThousandPlayers)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
