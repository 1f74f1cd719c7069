// The division race analysis at its worst: a division where everyone can
// still pass everyone, with eleven other open fixtures in the window (3^11
// combinations in each of six passes).
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/racestory.h"

namespace {

constexpr int16_t kDay = 300;

void SetUpLevelDivision() {
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    std::memset(LeagueSeasonRecords, 0, sizeof LeagueSeasonRecords);
    std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
    ClearFixtureTable();
    SeasonCalendar.currentDay = kDay;
    for (int16_t club = 0; club < 20; ++club) {
        SetClubNation(club, 0);
        SetClubDivision(club, 0);
        SetClubRep(club, int16_t(10 + club));
        LeagueTable[0][0][club] = club;
        int16_t* w = LeagueSeasonRecords[club].words;
        // 28 of 38 games played, all on the same points and goals.
        w[kSeasonHomeWon] = 10, w[kSeasonHomeDrawn] = 8, w[kSeasonHomeLost] = 10;
        w[kSeasonPlayed] = 28, w[kSeasonPoints] = 38;
    }
    AddFixture(kDay, 0, 0, 1, 0);
    for (int16_t i = 0; i < 11; ++i)
        AddFixture(int16_t(kDay + 1 + i), 0, int16_t(2 + i), int16_t(19 - i % 7), 0);
}

void BM_WorstRaceAnalysis(benchmark::State& state) {
    SetUpLevelDivision();
    int16_t club = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetDivisionRaceStoryCode(club, 0));
        club = int16_t(1 - club);
    }
}
BENCHMARK(BM_WorstRaceAnalysis)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
