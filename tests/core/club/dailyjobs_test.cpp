// The weekly wage, loan and ban passes and the order of the club day.
#include "core/club/dailyjobs.h"

#include <vector>

#include "core/club/board.h"
#include "core/club/loans.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/season/leagues.h"
#include "core/season/seasontables.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class WeeklyTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kHost = 10, kParent = 11;
    void SetUp() override {
        DailyJobsTest::SetUp();
        MakeClub(kHost, 0, 1, 30);
        MakeClub(kParent, 0, 1, 30);
        SetClubBalance(kHost, 1000000);
        SetClubBalance(kParent, 1000000);
        player_ = MakePlayer(kParent, 6);
        SetPlayerWage(player_, 41);  // a week is 1025
    }
    uint16_t player_ = 0;
};

TEST_F(WeeklyTest, WagesSplitAndSeasonEnd) {
    PayWeeklyPlayerWages();
    EXPECT_EQ(GetClubBalance(kParent), 1000000 - 1025);
    EXPECT_EQ(GetClubSeasonPlayerWages(kParent), 1025);

    // On loan with split 1: half each, rounded down.
    RecordPlayerLoanMove(player_, kHost, 5, 1, 0, 0, 0, 0, 0, 0, 0);
    PayWeeklyPlayerWages();
    EXPECT_EQ(GetClubSeasonPlayerWages(kParent), 1025 + 512);
    EXPECT_EQ(GetClubSeasonPlayerWages(kHost), 512);
    // A trial costs nobody anything.
    SetPlayerLoanTrial(player_, 1);
    PayWeeklyPlayerWages();
    EXPECT_EQ(GetClubSeasonPlayerWages(kHost), 512);
    SetPlayerLoanTrial(player_, 0);

    // Wages stop 35 days after the league's end day.
    SeasonCalendar.currentDay = 300 + 35;
    PayWeeklyPlayerWages();
    EXPECT_EQ(GetClubSeasonPlayerWages(kHost), 512);
    SeasonCalendar.currentDay = 300 + 34;
    PayWeeklyPlayerWages();
    EXPECT_EQ(GetClubSeasonPlayerWages(kHost), 1024);
}

TEST_F(WeeklyTest, BrokeClubs) {
    // A broke computer club is helped with twice the week's pay.
    SetClubBalance(kParent, 0);
    PayWeeklyPlayerWages();
    EXPECT_EQ(GetClubBalance(kParent), 2050);

    // A broke human club lists its unpaid players: one message in all.
    MakeUserClub(kHost);
    SetClubBalance(kHost, 0);
    std::vector<uint16_t> squad;
    for (int i = 0; i < 5; ++i) {
        squad.push_back(MakePlayer(kHost, int16_t(i + 1)));
        SetPlayerStat(squad.back(), 17, 50);
        SetPlayerMorale(squad.back(), 40);
    }
    PayWeeklyPlayerWages();
    EXPECT_EQ(CountMessages(kHost, 292), 1);
    for (uint16_t p : squad) {
        EXPECT_EQ(GetPlayerTxList(p), 1);
        EXPECT_EQ(GetPlayerTxReq(p), 1);
        EXPECT_EQ(GetPlayerMorale(p), 20);
    }
    EXPECT_EQ(GetClubBalance(kHost), 0);
}

TEST_F(WeeklyTest, LoansEndAndBansStart) {
    RecordPlayerLoanMove(player_, kHost, 2, 0, 0, 0, 0, 0, 0, 0, 0);
    const uint16_t weeks = GetPlayerField52(player_);
    WeeklyLoanPass();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kHost));
    EXPECT_EQ(GetPlayerLoanPeriod(player_), 1);
    EXPECT_EQ(GetPlayerField52(player_), weeks + 1);
    WeeklyLoanPass();  // period 1 ends at the next pass
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kParent));
    EXPECT_EQ(CountMessages(kHost, 99, player_), 1);
    bool inHost = false;
    for (uint16_t p : ClubRoster[kHost]) inHost |= p == player_;
    EXPECT_FALSE(inHost);

    // A trial of period 0 ends at once, with word to both clubs (the
    // parent's in its manager's inbox).
    MakeUserClub(kParent);
    StartLoanTrial(player_, kHost, 2);
    SetPlayerLoanPeriod(player_, 0);
    WeeklyLoanPass();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kParent));
    EXPECT_EQ(CountMessages(kParent, 230, player_), 1);
    SetPlayerClub(1, -1);

    // A ban wait of 2 ends after two passes; no word without a ban.
    const uint16_t other = MakePlayer(kParent, 3);
    SetPlayerSusp(player_, 3);
    SetPlayerBanWait(player_, 2);
    SetPlayerBanWait(other, 1);
    WeeklyBanPass();
    EXPECT_EQ(GetPlayerBanWait(player_), 1);
    EXPECT_EQ(GetPlayerBanWait(other), 0);
    EXPECT_EQ(CountMessages(kParent, 79, other), 0);
    WeeklyBanPass();
    EXPECT_EQ(GetPlayerBanWait(player_), 0);
    EXPECT_EQ(CountMessages(kParent, 79, player_), 1);
}

TEST_F(WeeklyTest, ATrialOfAPlayerWithoutAClubRunsOutToNoClub) {
    // A free agent brought in to make up a side: the host pays, nobody is
    // his parent club.
    const uint16_t free = MakePlayer(-1, 6);
    const auto startTrial = [&] {
        SetPlayerLoanClub(free, -1);
        SetPlayerClub(free, kHost);
        SetPlayerLoanTrial(free, 1);
        SetPlayerLoanPeriod(free, 2);
    };
    startTrial();
    ASSERT_EQ(GetPlayerClub(free), uint16_t(kHost));
    ASSERT_TRUE(IsFreeTrialist(free));
    RebuildAllRosters();
    WeeklyLoanPass();
    EXPECT_EQ(GetPlayerClub(free), uint16_t(kHost));
    EXPECT_EQ(GetPlayerLoanPeriod(free), 1);
    WeeklyLoanPass();
    EXPECT_EQ(int16_t(GetPlayerClub(free)), -1);
    EXPECT_EQ(GetPlayerLoanTrial(free), 0);
    EXPECT_EQ(CountMessages(kHost, 99, free), 1);
    for (uint16_t p : ClubRoster[kHost]) EXPECT_NE(p, free);

    // The season roll ends a trial the same way.
    startTrial();
    ClearPlayerLoan(free);
    EXPECT_EQ(int16_t(GetPlayerClub(free)), -1);
}

TEST_F(WeeklyTest, EventLogEmpties) {
    EventLogCount = 12;
    EventLog[3][0] = 7;
    EventLog_ClearAll();
    EXPECT_EQ(EventLogCount, 0);
    EXPECT_EQ(EventLog[3][0], 0);
}

// A month of real days through the calendar's club day: what runs on
// which weekday, at a week's turn and at the month's end.
TEST_F(WeeklyTest, AMonthOfClubDays) {
    for (auto& row : LeagueTransferWords) std::fill(std::begin(row), std::end(row), int16_t(400));
    const uint16_t banned = MakePlayer(kParent, 3);
    const uint16_t flagged = MakePlayer(kParent, 4);
    SetPlayerSusp(banned, 5);
    SetPlayerBanWait(banned, 2);
    RecordPlayerLoanMove(player_, kHost, 20, 2, 0, 0, 0, 0, 0, 0, 0);
    const uint16_t mover = MakePlayer(kParent, 8);
    RebuildAllRosters();
    SetPlayerClub(mover, kHost);  // moved behind the rosters' back
    SetPlayerLoanClub(mover, kHost);

    SeasonCalendar.weekday = 0;  // Saturday 13 July
    constexpr uint32_t kStaleStrength = 0xFFFFFFFFu;
    int bansServed = 0, loanWeeks = 0, paydays = 0;
    for (int day = 0; day < 40; ++day) {
        SetPlayerFlag123(flagged, 1);
        ClubStrengthRanking[0].strength = kStaleStrength;  // cleared by a rebuild only
        const int banWait = GetPlayerBanWait(banned);
        const int period = GetPlayerLoanPeriod(player_);
        const int32_t wages = GetClubSeasonPlayerWages(kHost);
        const int16_t monthBefore = SeasonCalendar.month;
        RunDailyClubJobs(1);
        ++SeasonCalendar.currentDay;
        const int weekday = SeasonCalendar.weekday;
        const bool monthEnded = SeasonCalendar.month != monthBefore;
        ASSERT_EQ(GetPlayerFlag123(flagged), weekday == 0 && !monthEnded ? 0 : 1) << "day " << day;
        if (GetPlayerBanWait(banned) != banWait) {
            ASSERT_EQ(weekday, 1);
            ++bansServed;
        }
        if (GetPlayerLoanPeriod(player_) != period) {
            ASSERT_EQ(weekday, 2);
            ++loanWeeks;
        }
        if (GetClubSeasonPlayerWages(kHost) != wages) {
            ASSERT_EQ(weekday, 2);
            ++paydays;
        }
        // The strength ranking is the week's, rebuilt on Mondays alone.
        ASSERT_EQ(ClubStrengthRanking[0].strength != kStaleStrength, weekday == 2) << "day " << day;
        bool moverInHost = false;
        for (uint16_t p : ClubRoster[kHost]) moverInHost |= p == mover;
        ASSERT_EQ(moverInHost, SeasonCalendar.month != 6) << "day " << day;
    }
    EXPECT_EQ(bansServed, 2);
    EXPECT_EQ(loanWeeks, 6);
    EXPECT_EQ(paydays, 6);
    EXPECT_EQ(SeasonCalendar.month, 7);

    // Days that only wind the calendar run none of it.
    const int period = GetPlayerLoanPeriod(player_);
    for (int day = 0; day < 14; ++day) {
        SetPlayerFlag123(flagged, 1);
        RunDailyClubJobs(0);
        ASSERT_EQ(GetPlayerFlag123(flagged), 1);
    }
    EXPECT_EQ(GetPlayerLoanPeriod(player_), period);
}

}  // namespace
