// The board over the whole generated world: half a season of daily reviews
// and weekly money jobs keeps every club with at most one manager, finds
// managers for the clubs without one and keeps the money sound.
#include <gtest/gtest.h>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/clubmoney.h"
#include "core/club/squads.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "tests/fakes/board_checks.h"
#include "tests/fakes/world_records.h"

namespace {

TEST(WorldBoardTest, WeeksOfReviewsKeepClubsManagedAndMoneySound) {
    ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
    RebuildAllRosters();
    ClearFixtureTable();
    GameSeedRandom(2024);
    SeasonCalendar.currentDay = 60;
    // Money from the clubs' standing, and a few boards out of patience.
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        SetClubBalance(club, GetClubRep(club) * 300000);
        SetClubSupport(club, int16_t(club % 101));
        SetClubTenure2(club, int16_t(club % 40));
    }
    // Managers long in post, so the boards judge them.
    for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerField52(p, 40);
    RankClubsByStrength();
    ResetManagerVacancies();
    ASSERT_EQ(CheckBoardInvariants(), "");
    int managed = 0, vacant = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsLeagueClub(club)) continue;
        (FindClubManager(club) == kNoManager ? vacant : managed)++;
    }
    for (int day = 0; day < 26 * 7; ++day) {
        SeasonCalendar.weekday = int16_t(day % 7);
        BoardWeeklyReview();
        if (SeasonCalendar.weekday == 2) {
            // The weekly loan pass's count of weeks at the club.
            for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerField52(p, int16_t(GetPlayerField52(p) + 1));
            ClubWindfallJob();
            RankClubsByStrength();
        }
        if (SeasonCalendar.weekday == 1) {
            ClubBalanceWeeklyJob();
            ASSERT_EQ(CheckComputerBalancesCapped(), "");
        }
        TrackManagerVacancies();
        ASSERT_EQ(CheckBoardInvariants(), "") << "day " << SeasonCalendar.currentDay;
        ++SeasonCalendar.currentDay;
    }
    std::printf(
        "league clubs managed %d, vacant %d at the start; %d vacancies ended, %.2f weeks on average\n",
        managed, vacant, EndedVacancies(), AverageVacancyWeeks());
    EXPECT_GT(EndedVacancies(), 0);
    EXPECT_LE(AverageVacancyWeeks(), 8.0);
}

}  // namespace
