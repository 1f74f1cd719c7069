// Loan moves and the terms of an agreed loan.
#include "core/club/loans.h"

#include "core/club/signingplan.h"
#include "core/records/history.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class LoanTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kParent = 10, kHost = 11;
    void SetUp() override {
        DailyJobsTest::SetUp();
        ClearHistoryLists();
        MakeSquad(kParent, 18);
        MakeSquad(kHost, 18);
        RebuildAllRosters();
        player_ = 5;
    }
    uint16_t player_ = 0;
};

TEST_F(LoanTest, LoanMoveSetsTermsAndHistories) {
    SetPlayerFans(player_, 20);
    RecordPlayerLoanMove(player_, kHost, 14, 1, 1, 1, 0, 1, 0, 1, 0);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kHost));
    EXPECT_EQ(GetPlayerLoanClub(player_), uint16_t(kParent));
    EXPECT_EQ(GetPlayerLoanPeriod(player_), 14);
    EXPECT_EQ(GetPlayerField120Bits9(player_), 1);
    EXPECT_EQ(GetPlayerFlag120Bit12(player_), 1);
    EXPECT_EQ(GetPlayerFlag120Bit11(player_), 1);
    EXPECT_EQ(GetPlayerCupFlag0(player_) + GetPlayerCupFlag2(player_) + GetPlayerCupFlag4(player_), 3);
    EXPECT_EQ(GetPlayerCupFlag1(player_) + GetPlayerCupFlag3(player_) + GetPlayerCupFlag5(player_), 0);
    EXPECT_EQ(GetPlayerLoanClubFans(player_), 20);
    EXPECT_EQ(GetPlayerFans(player_), 48);
    EXPECT_EQ(GetClubSeasonLoans(kHost), 1);
    PlayerHistoryEntry own[10];
    EXPECT_EQ(FindPlayerHistoryEntry(player_, own), 1);
    ClubHistoryEntry club[10];
    EXPECT_EQ(FindClubHistoryEntry(kHost, club), 1);
    EXPECT_EQ(FindClubHistoryEntry(kParent, club), 1);
    bool inHostRoster = false;
    for (uint16_t p : ClubRoster[kHost]) inHostRoster |= p == player_;
    EXPECT_TRUE(inHostRoster);

    // Thirteen weeks do not set the second term flag.
    RecordPlayerLoanMove(6, kHost, 13, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(GetPlayerFlag120Bit11(6), 0);
}

TEST_F(LoanTest, TrialLeavesNoTraceAndBadMovesAreRefused) {
    StartLoanTrial(player_, kHost, 2);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kHost));
    EXPECT_EQ(GetPlayerLoanClub(player_), uint16_t(kParent));
    EXPECT_EQ(GetPlayerLoanTrial(player_), 1);
    EXPECT_EQ(GetPlayerField120Bits9(player_), 2);
    EXPECT_EQ(GetClubSeasonLoans(kHost), 0);
    PlayerHistoryEntry own[10];
    EXPECT_EQ(FindPlayerHistoryEntry(player_, own), 0);
    // Not on loan: both fields answer his club.
    EXPECT_EQ(GetPlayerClub(6), GetPlayerLoanClub(6));

    // Away already, to his own club, bad numbers: nothing moves.
    RecordPlayerLoanMove(player_, kParent, 5, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kHost));
    RecordPlayerLoanMove(6, kParent, 5, 0, 0, 0, 0, 0, 0, 0, 0);
    RecordPlayerLoanMove(6, kHost, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    RecordPlayerLoanMove(6, kHost, 64, 0, 0, 0, 0, 0, 0, 0, 0);
    RecordPlayerLoanMove(6, kHost, 5, 3, 0, 0, 0, 0, 0, 0, 0);
    RecordPlayerLoanMove(6, -1, 5, 0, 0, 0, 0, 0, 0, 0, 0);
    RecordPlayerLoanMove(0, kHost, 5, 0, 0, 0, 0, 0, 0, 0, 0);
    StartLoanTrial(6, 1200, 2);
    EXPECT_EQ(GetPlayerClub(6), uint16_t(kParent));
    EXPECT_EQ(GetPlayerLoanPeriod(6), 0);
    EXPECT_EQ(GetClubSeasonLoans(kHost), 0);
}

TEST_F(LoanTest, LoanLengths) {
    SeasonCalendar.currentDay = 100;
    SeasonCalendar.leagueEndDay[0] = 300;  // 28 weeks left
    // A young first-team prospect goes to the season's end; so does a
    // youngster the host could not afford.
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(player_, s, 90);
    SetPlayerAge(player_, 3);
    EXPECT_EQ(LoanLengthWeeks(6, kHost, 0), 5);
    SetPlayerAge(6, 5);
    EXPECT_EQ(LoanLengthWeeks(6, kHost, 0), 28);
    EXPECT_EQ(LoanLengthWeeks(player_, kHost, 2), 28);
    // Others 5..13 weeks, 5 with more than 13 left.
    SetPlayerAge(player_, 23);
    EXPECT_EQ(LoanLengthWeeks(player_, kHost, 2), 5);
    SeasonCalendar.currentDay = 230;  // 10 weeks left
    EXPECT_EQ(LoanLengthWeeks(player_, kHost, 2), 10);
    // Past the season's end a loan still lasts a week.
    SeasonCalendar.currentDay = 320;
    SetPlayerAge(player_, 3);
    EXPECT_EQ(LoanLengthWeeks(player_, kHost, 2), 1);

    SeasonCalendar.currentDay = 100;
    SetPlayerLoanList(player_, 1);
    SetPlayerCareerApps(player_, 2);
    PrepareLoanTerms(player_, kHost);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kHost));
    EXPECT_EQ(GetPlayerLoanPeriod(player_), 28);
    EXPECT_EQ(GetPlayerCupFlag3(player_), 1);
    EXPECT_EQ(GetPlayerFlag120Bit12(player_), 1);
}

}  // namespace
