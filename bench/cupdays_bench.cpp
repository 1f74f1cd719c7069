// Every competition day of one season: the draws, group settling and the
// arrangements of ties as results come in.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/match/matchresult.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/competitions.h"
#include "core/season/cupdays.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/nationorder.h"
#include "core/season/results.h"

namespace {

// Clubs laid out as the shipped divisions say, each country's cup order
// its clubs by division, and clubs of other nations for the European lists.
void MakeCupWorld() {
    std::memset(ClubRecords, 0, sizeof ClubRecords);
    std::memset(HonoursTable, 0xFF, sizeof HonoursTable);
    std::memset(NationClubOrder, 0xFF, sizeof NationClubOrder);
    int16_t club = 0;
    for (int country = 0; country < kCountryCount; ++country) {
        int order = 0;
        for (int division = 0; division < kDivisionCount; ++division) {
            for (int i = 0; i < kShippedDivisionLayout[country][division].clubs; ++i, ++club) {
                SetClubNation(club, int16_t(country));
                SetClubDivision(club, int16_t(division));
                SetClubRep(club, int16_t(10 + i));
                if (order < kNationClubOrderSize) NationClubOrder[country][order++] = uint16_t(club);
            }
        }
    }
    for (; club < kClubCount; ++club) {
        SetClubNation(club, int16_t(9 + club % 22));
        SetClubDivision(club, 0);
        SetClubRep(club, int16_t(5 + club % 40));
    }
}

// Today's cup and play-off matches get a random score, a shoot-out when
// the tie stays level, and are booked.
void PlayTodaysCups(MatchResultBlock& block) {
    const int today = SeasonCalendar.currentDay;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int type = FixtureType(slot);
        if (FixtureDay(slot) != today || type < kCompPlayOffFirst || type > kCompLastCup) continue;
        const int home = GameRandom() % 4, away = GameRandom() % 3;
        recbits::StoreU16(block.teams[0].bytes + kReportGoals, uint16_t(home));
        recbits::StoreU16(block.teams[1].bytes + kReportGoals, uint16_t(away));
        recbits::StoreU16(block.teams[0].bytes + kReportShootOutGoals, 5);
        recbits::StoreU16(block.teams[1].bytes + kReportShootOutGoals, 4);
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        recbits::StoreU32(word, (recbits::LoadU32(word) & ~0x3FFu) | uint32_t(home) | uint32_t(away) << 5);
        BookMatchResult(block, int16_t(slot), 1);
    }
}

void BM_CompetitionDaysOfASeason(benchmark::State& state) {
    MakeCupWorld();
    SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 0, 0, {}, {}, {}};
    ClearFixtureTable();
    ResetClubSeasonRecords();
    SetUpSeasonFixtures();
    auto laidOut = std::make_unique<Fixture[]>(kFixtureSlots);
    std::memcpy(laidOut.get(), FixtureTable, sizeof FixtureTable);
    auto block = std::make_unique<MatchResultBlock>();
    int counter = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GameSeedRandom(uint32_t(counter++));
        std::memcpy(FixtureTable, laidOut.get(), sizeof FixtureTable);
        std::memset(CompetitionTable, 0xFF, sizeof CompetitionTable);
        SeasonCalendar.currentDay = 0;
        CompetitionDayWord = 0;
        EuropeanSetUpWordA = 606;
        EuropeanSetUpWordB = 1025;
        SetUpEuropeanEntrants();
        ShuffleEuropeanOrder();
        state.ResumeTiming();
        for (int day = 0; day < 365; ++day) {
            PlayTodaysCups(*block);
            ++SeasonCalendar.currentDay;
            if (SeasonCalendar.currentDay > SeasonCalendar.leagueStartDay[0]) ++CompetitionDayWord;
            ProcessCompetitionDay();
        }
    }
}
BENCHMARK(BM_CompetitionDaysOfASeason)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
