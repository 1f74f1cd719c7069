// The daily club squad pass: which clubs work on which day, and what a
// set-up pass leaves alone.
#include "core/club/squadpass.h"

#include "core/club/squadupkeep.h"
#include "core/club/transfers.h"
#include "core/season/leagues.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class SquadPassTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kClubs[] = {20, 21, 22};
    static constexpr int16_t kNation = 8;
    void SetUp() override {
        DailyJobsTest::SetUp();
        for (auto& row : LeagueTransferWords) std::fill(std::begin(row), std::end(row), int16_t(400));
        for (int16_t club : kClubs) {
            MakeSquad(club, 16, kNation, 1, 30);
            const uint16_t manager = MakePlayer(club, 13, 20);
            (void)manager;
        }
        // One player of the first club is owed the top wage.
        claimant_ = 5;
        SetPlayerClause8(claimant_, 1);
        SetPlayerWage(claimant_, 16);
        SetPlayerWage(6, 100);
        RebuildAllRosters();
        SeasonCalendar.currentDay = kSquadWorkDay[kNation];
    }
    uint16_t claimant_ = 0;
};

TEST_F(SquadPassTest, SquadWorkDayAndTheWeeklyRules) {
    SeasonCalendar.weekday = 7;
    for (int16_t club : kClubs) EXPECT_EQ(SquadPassTrainingDays(club, kNation, false), 7);
    // Another day: the weekly rule club % 5 + 2; a weekday word of 7 or
    // more matches nobody.
    SeasonCalendar.currentDay = 60;
    for (int16_t club : kClubs) EXPECT_EQ(SquadPassTrainingDays(club, kNation, false), -1);
    SeasonCalendar.weekday = int16_t(21 % 5 + 2);
    EXPECT_EQ(SquadPassTrainingDays(21, kNation, false), 7);
    EXPECT_EQ(SquadPassTrainingDays(20, kNation, false), -1);
    EXPECT_EQ(SquadPassTrainingDays(20, kNation, true), 7);  // the eve of a shut window
    // After the season's end: club % 31 against the day of the month.
    SeasonCalendar.currentDay = 310;
    SeasonCalendar.dayOfMonth = 22;
    EXPECT_EQ(SquadPassTrainingDays(22, kNation, false), 0);
    EXPECT_EQ(SquadPassTrainingDays(21, kNation, false), -1);
}

TEST_F(SquadPassTest, SetUpPassesEvaluateOnlyAndRealDaysWork) {
    SeasonCalendar.currentDay = 60;
    SeasonCalendar.weekday = 1;  // no club of the weekly rules
    RunClubSquadPass(0, 0);
    EXPECT_EQ(SquadPassTotal, 3);
    EXPECT_EQ(SquadPassCounter, 3);
    EXPECT_EQ(GetPlayerWage(claimant_), 16);  // no lasting job ran
    // A real day off the clubs' weekdays processes nobody of the nation.
    RunClubSquadPass(1, 1);
    EXPECT_EQ(SquadPassCounter, 0);
    EXPECT_EQ(GetPlayerWage(claimant_), 16);
    // On the squad-work day everyone works; the mood job pays the claim.
    SeasonCalendar.currentDay = kSquadWorkDay[kNation];
    RunClubSquadPass(1, 1);
    EXPECT_EQ(SquadPassTotal, 3);
    EXPECT_EQ(SquadPassCounter, 3);
    EXPECT_EQ(GetPlayerWage(claimant_), 100);
}

TEST_F(SquadPassTest, TransferActivityTakesOnlyOneAsARealDay) {
    SeasonCalendar.currentDay = kSquadWorkDay[kNation];
    ComputerTransferActivity(kClubs[1], 0);  // a club number is no real-day flag
    EXPECT_EQ(GetPlayerWage(claimant_), 16);
    ComputerTransferActivity(1, 0);
    EXPECT_EQ(SquadPassCounter, 3);
}

}  // namespace
