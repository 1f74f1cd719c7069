// One game day of the board's review on the generated world, with half a
// season of fixtures in the table for the form scores to scan.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "tests/fakes/world_records.h"

namespace {

void LoadWorldOnce() {
    static bool loaded = false;
    if (loaded) return;
    const std::string error = LoadWorldRecords(HALVORN_GAME_DIR);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    loaded = true;
    RebuildAllRosters();
    ClearFixtureTable();
    constexpr int kFixtures = 15000;
    for (int slot = 0; slot < kFixtures; ++slot) {
        uint8_t* f = FixtureTable[slot].bytes;
        recbits::StoreU32(f, uint32_t(slot * 366 / kFixtures));
        recbits::StoreU16(f + 4, uint16_t(slot % kClubCount));
        recbits::StoreU16(f + 6, uint16_t((slot * 7 + 1) % kClubCount));
        recbits::StoreU32(f + 8, uint32_t(slot % 4) | uint32_t(slot % 3) << 5);
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) SetClubBalance(club, GetClubRep(club) * 300000);
    }
    for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerField52(p, 40);
    SeasonCalendar.currentDay = 180;
    RankClubsByStrength();
    GameSeedRandom(5);
}

// Each iteration is the next weekday, so every club is reviewed in turn.
void BM_BoardWeeklyReviewOneDay(benchmark::State& state) {
    LoadWorldOnce();
    int counter = 0;
    for (auto _ : state) {
        SeasonCalendar.weekday = int16_t(counter++ % 7);
        BoardWeeklyReview();
    }
}
BENCHMARK(BM_BoardWeeklyReviewOneDay)->Unit(benchmark::kMillisecond);

void BM_RankClubsByStrength(benchmark::State& state) {
    LoadWorldOnce();
    for (auto _ : state) RankClubsByStrength();
}
BENCHMARK(BM_RankClubsByStrength)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
