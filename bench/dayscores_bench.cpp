// The other scores of the day over a hundred listed fixtures and a full
// event log: every record is tested once per call, and the minute asked
// for changes from call to call.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "game/match3d/dayscores.h"

namespace {

constexpr int16_t kBenchDay = 100;
constexpr int kOtherFixtures = 120;

// 120 league fixtures today before the user's, and every record of the log
// a goal of one of them (or of the days before) at some minute.
void FillDay() {
    for (Fixture& f : FixtureTable) std::memset(f.bytes, 0, sizeof f.bytes);
    ClearFixtureTable();
    PlayerCount = 10;
    SetPlayerClub(1, 0);
    SeasonCalendar.currentDay = kBenchDay;
    for (int16_t day = 90; day < kBenchDay; ++day)
        for (int16_t c = 0; c < 20; ++c) AddFixture(day, 0, int16_t(300 + 2 * c), int16_t(301 + 2 * c), 0);
    for (int16_t c = 0; c < kOtherFixtures; ++c)
        AddFixture(kBenchDay, 0, int16_t(2 + 2 * c), int16_t(3 + 2 * c), 0);
    AddFixture(kBenchDay, 0, 0, 1, 0);
    const int16_t firstToday = FindFixture(2, 3, 0);
    const int usedSlots = firstToday + kOtherFixtures + 1;
    for (int record = 0; record < kMatchEventRecords; ++record) {
        uint8_t* r = MatchEventHistory + record * kMatchEventRecordSize;
        recbits::StoreU16(r, uint16_t((record * 7) % usedSlots));
        recbits::StoreU16(r + 2, 0);
        recbits::StoreU32(r + 4, uint32_t((record & 1) | ((record % 5) << 1)));
        r[8] = uint8_t(record % 95);
    }
}

void BM_RoundScoresOverAFullEventLog(benchmark::State& state) {
    FillDay();
    int16_t minute = 0;
    for (auto _ : state) {
        int16_t competition = 0;
        benchmark::DoNotOptimize(IgRoundScores_Build(minute, &competition));
        benchmark::DoNotOptimize(IgRoundScores[0].homeGoals);
        minute = int16_t((minute + 7) % 121);
    }
}
BENCHMARK(BM_RoundScoresOverAFullEventLog)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
