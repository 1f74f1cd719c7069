// Ranking the world's news over full archives: every club holds 100
// messages of this week, so every record is scored and checked against the
// list.
#include <benchmark/benchmark.h>

#include <cstring>

#include "database/Access.h"
#include "database/query/funcs_state.h"
#include "season/calendar.h"
#include "season/messages.h"
#include "season/news.h"
#include "support/bytes.h"

namespace {

constexpr uint16_t kBenchPlayers = 2000;

void FillArchives() {
    PlayerCount = kBenchPlayers;
    for (uint16_t p = 1; p < kBenchPlayers; ++p) SetPlayerReputation(p, int16_t(p % 64));
    for (int16_t club = 0; club < kClubCount; ++club) {
        SetClubNation(club, uint16_t(club % 117));
        SetClubDivision(club, uint16_t(club % 7));
        SetClubRep(club, uint16_t(club % 64));
        for (int slot = 0; slot < kArchiveSlots; ++slot) {
            uint8_t* r = MessageArchive[club][slot].bytes;
            std::memset(r, 0xFF, kMessageRecordSize);
            const int n = club * kArchiveSlots + slot;
            recbits::StoreU16(r + kMsgClubA, uint16_t(club));
            recbits::StoreU16(r + kMsgClubB, uint16_t((n * 7) % kClubCount));
            recbits::StoreU32(r + kMsgPlayerA, uint32_t(1 + n % (kBenchPlayers - 1)));
            recbits::StoreI32(r + kMsgMoney, (n % 3) == 0 ? n * 100 : -1);
            recbits::StoreU16(r + kMsgType, uint16_t(n % kMessageTypeCount));
            recbits::StoreU16(r + kMsgDay, uint16_t(100 - slot / 15));
        }
    }
    SeasonCalendar.currentDay = 100;
}

void BM_RankWorldNewsOverFullArchives(benchmark::State& state) {
    FillArchives();
    int16_t viewed = 0;
    for (auto _ : state) {
        HVW_SetViewedCountry(viewed);
        viewed = int16_t((viewed + 1) % 9);
        RankWorldNews();
        benchmark::DoNotOptimize(WorldNewsList[0].score);
    }
}
BENCHMARK(BM_RankWorldNewsOverFullArchives)->Unit(benchmark::kMillisecond);

void BM_RankNationalNewsOverFullArchives(benchmark::State& state) {
    FillArchives();
    int16_t nation = 0;
    for (auto _ : state) {
        RankNationalNews(nation);
        nation = int16_t((nation + 1) % 9);
        benchmark::DoNotOptimize(NationalNewsList[0].score);
    }
}
BENCHMARK(BM_RankNationalNewsOverFullArchives)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
