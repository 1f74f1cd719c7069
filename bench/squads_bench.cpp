// Season set-up of every club on the generated world, and one club's squad
// lists and side as a fixture needs them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "core/base/bytes.h"
#include "core/club/reshuffle.h"
#include "core/club/squadpass.h"
#include "core/club/squads.h"
#include "core/records/ranges.h"
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
    // Half a season played: a season's fixtures spread over the days, today
    // in the middle, so the next-fixture searches scan what they would.
    ClearFixtureTable();
    constexpr int kFixtures = 15000;
    for (int slot = 0; slot < kFixtures; ++slot) {
        uint8_t* f = FixtureTable[slot].bytes;
        recbits::StoreU32(f, uint32_t(slot * 366 / kFixtures));
        recbits::StoreU16(f + 4, uint16_t(slot % kClubCount));
        recbits::StoreU16(f + 6, uint16_t((slot * 7 + 1) % kClubCount));
    }
    SeasonCalendar.currentDay = 180;
}

void BM_SetUpAllClubTeams(benchmark::State& state) {
    LoadWorldOnce();
    for (auto _ : state) SetUpAllClubTeams();
}
BENCHMARK(BM_SetUpAllClubTeams)->Unit(benchmark::kMillisecond);

// Clubs in turn, computer-managed ones reshuffled before their lists.
void BM_BuildListsAndPickASide(benchmark::State& state) {
    LoadWorldOnce();
    RebuildAllRosters();
    int16_t club = 0;
    for (auto _ : state) {
        do {
            club = int16_t((club + 1) % kClubCount);
        } while (GetClubRep(club) == 0);
        state.PauseTiming();
        CurrentClubManager = FindClubManager(club);
        state.ResumeTiming();
        BuildClubSquadList(club);
        SelectClubTeamByFormation(club, 5, 0, 0);
    }
}
BENCHMARK(BM_BuildListsAndPickASide)->Unit(benchmark::kMicrosecond);

// A computer club's reshuffle run whole: one of its players' weeks at the
// club moves between runs (the reshuffle does not read it), so the last
// run's kept inputs never stand, as in a season where its players' records
// change daily.
void BM_ReshuffleChangedSquad(benchmark::State& state) {
    LoadWorldOnce();
    RebuildAllRosters();
    // The clubs' managers and the players' club words kept, as over a
    // season's day.
    const KeptClubLookups keep;
    int16_t club = 0;
    for (auto _ : state) {
        do {
            club = int16_t((club + 1) % kClubCount);
        } while (GetClubRep(club) == 0 || GetClubControl(club) != 0 || !IsPlayerNumber(ClubRoster[club][0]));
        const uint16_t first = ClubRoster[club][0];
        SetPlayerField52(first, int16_t(GetPlayerField52(first) ^ 1));
        ReshuffleComputerSquad(club, -1);
    }
}
BENCHMARK(BM_ReshuffleChangedSquad)->Unit(benchmark::kMicrosecond);

void BM_FindClubManager(benchmark::State& state) {
    LoadWorldOnce();
    int16_t club = 0;
    for (auto _ : state) {
        club = int16_t((club + 7) % kClubCount);
        benchmark::DoNotOptimize(FindClubManager(club));
    }
}
BENCHMARK(BM_FindClubManager)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
