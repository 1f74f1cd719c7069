// The fixture table's linear scans on a season-sized table: inserting and
// deleting in the middle, the next-fixture lookup, and posting a message
// to the user's club.
#include <benchmark/benchmark.h>

#include "core/base/random.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"

namespace {

// About a season's worth of fixtures, spread over the days in order.
void FillSeason(int fixtures) {
    ClearFixtureTable();
    for (int slot = 0; slot < fixtures; ++slot) {
        uint8_t* f = FixtureTable[slot].bytes;
        recbits::StoreU32(f, uint32_t(slot * 366 / fixtures));
        recbits::StoreU16(f + 4, uint16_t(slot % kClubCount));
        recbits::StoreU16(f + 6, uint16_t((slot * 7 + 1) % kClubCount));
    }
}

void BM_AddAndDeleteMidSeason(benchmark::State& state) {
    FillSeason(15000);
    for (auto _ : state) {
        int16_t slot = AddFixture(180, 0, 1300, 1301, 0);
        DeleteFixture(slot);
    }
}
BENCHMARK(BM_AddAndDeleteMidSeason)->Unit(benchmark::kMicrosecond);

void BM_NextOpponentLateInTheSeason(benchmark::State& state) {
    FillSeason(15000);
    SeasonCalendar.currentDay = 300;
    int club = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetNextOpponent(int16_t(club)));
        club = (club + 1) % kClubCount;
    }
}
BENCHMARK(BM_NextOpponentLateInTheSeason)->Unit(benchmark::kMicrosecond);

// Each post names the next player in turn, so the inbox's repeat check
// passes and the message is really stored, as most posts are.
void BM_PostToTheUsersClub(benchmark::State& state) {
    PlayerCount = kMaxPlayers;
    SetPlayerClub(1, 5);
    uint32_t player = 1;
    for (auto _ : state) {
        AddMessage(5, 6, player, 0xFFFFFFFF, -1, -1, -1, -1, -1, -1, -1, 26, 1, 1);
        player = player % uint32_t(kMaxPlayers - 1) + 1;
    }
}
BENCHMARK(BM_PostToTheUsersClub)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
