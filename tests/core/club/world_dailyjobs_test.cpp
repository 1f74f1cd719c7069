// The daily club jobs over the whole generated world: a few weeks of real
// days leave balances, injuries, bans and loans sound.
#include <gtest/gtest.h>

#include "core/base/random.h"
#include "core/club/dailyjobs.h"
#include "core/club/squads.h"
#include "core/club/transfers.h"
#include "core/query/layerstate.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "tests/fakes/daily_checks.h"
#include "tests/fakes/world_records.h"

namespace {

TEST(WorldDailyJobs, WeeksOfClubDaysKeepTheWorldSound) {
    ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
    GameSeedRandom(77);
    RebuildAllRosters();
    HVW_SetViewedCountry(0);
    SeasonCalendar.currentDay = 60;
    SeasonCalendar.weekday = 0;
    CompetitionDayWord = 40;
    for (int country = 0; country < kCountryCount; ++country) {
        SeasonCalendar.leagueStartDay[country] = 30;
        SeasonCalendar.leagueEndDay[country] = 300;
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) SetClubBalance(club, GetClubRep(club) * 200000);
    }
    // Squad sizes as a day's lists leave them.
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) BuildClubSquadList(club);
    }
    for (int day = 0; day < 28; ++day) {
        SeasonCalendar.weekday = int16_t((SeasonCalendar.weekday + 1) % 7);
        RunDailyJobPasses();
        if (SeasonCalendar.weekday == 2) {
            PayWeeklyPlayerWages();
            WeeklyLoanPass();
        }
        if (SeasonCalendar.weekday == 1) WeeklyBanPass();
        ++SeasonCalendar.currentDay;
        ASSERT_EQ(CheckDailyJobInvariants(), "") << "day " << day;
    }
    int injured = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) injured += GetPlayerIT(p) != 0;
    EXPECT_GT(injured, 0);
}

}  // namespace
