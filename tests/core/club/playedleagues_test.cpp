// Countries switched off on the played-countries screen: their clubs run on
// the rules of the unplayed nations (money, wages, values, the board, the
// squad pass's days), while the clubs of a played country go on as before.
#include <algorithm>
#include <cstring>

#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/playervalue.h"
#include "core/club/squadpass.h"
#include "core/records/history.h"
#include "core/season/leagues.h"
#include "core/season/playedleagues.h"
#include "tests/core/club/management_fixture.h"

namespace {

class PlayedLeaguesTest : public ManagementTest {
  protected:
    // Both reviewed by the board on weekday 0.
    static constexpr int16_t kPlayed = 70;  // nation 0
    static constexpr int16_t kOff = 77;     // nation 3
    static constexpr int16_t kRival = 71;

    void SetUp() override {
        ManagementTest::SetUp();
        ResetPlayedLeagueFlags();
        for (int16_t club : {kPlayed, kOff}) {
            MakeClub(club, club == kPlayed ? 0 : 3, 0, 10);
            SetClubBalance(club, 100000000);
            SetClubGenerosity(club, 40);
            for (int i = 0; i < 16; ++i) SetPlayerWage(MakePlayer(club, int16_t(1 + i % 12), 9, 80), 200);
            // A forward of 25 years with half of fifty appearances and no shirt.
            forward_[club == kOff] = MakePlayer(club, 10, 9, 85);
            SetPlayerCareerApps(forward_[club == kOff], 25);
        }
        MakeClub(kRival, 0, 0, 20);
        RebuildAllRosters();
    }
    void TearDown() override { ResetPlayedLeagueFlags(); }

    static void PlayCountriesZeroAndFive() {
        std::fill(std::begin(PlayedLeagueFlags), std::end(PlayedLeagueFlags), uint16_t(0));
        PlayedLeagueFlags[0] = PlayedLeagueFlags[5] = 1;
    }

    struct Figures {
        int32_t budget, safeBudget, maxWage, finance, value, fullValue;
        bool operator==(const Figures&) const = default;
    };
    Figures FiguresOf(int16_t club) const {
        const uint16_t forward = forward_[club == kOff];
        return {ClubTransferBudget(club), ClubSafeTransferBudget(club), ClubMaxWage(club),
                BoardScoreFinance(club),  ValuePlayer(forward),         ValuePlayerFull(forward)};
    }

    uint16_t forward_[2] = {};
};

TEST_F(PlayedLeaguesTest, ASwitchedOffNationsMoneyAndValuesFollowTheUnplayedRules) {
    const Figures played = FiguresOf(kPlayed);
    const Figures offWhilePlayed = FiguresOf(kOff);
    PlayCountriesZeroAndFive();
    EXPECT_EQ(FiguresOf(kPlayed), played);

    const Figures off = FiguresOf(kOff);
    EXPECT_EQ(off.budget, 10 * 750000 + 100000);
    EXPECT_EQ(off.safeBudget, 10 * 750000 + 100000);
    EXPECT_EQ(off.maxWage, 10 * 1000);
    EXPECT_EQ(off.finance, 0);
    EXPECT_NE(off, offWhilePlayed);
    EXPECT_EQ(offWhilePlayed.finance, 16);
    // Neither the few appearances nor the missing shirt lower his value.
    const uint16_t forward = forward_[1];
    SetPlayerCareerApps(forward, 100);
    EXPECT_EQ(ValuePlayer(forward), off.value);
    EXPECT_GT(off.value, offWhilePlayed.value);
    SetPlayerShirt(forward, 9);
    EXPECT_EQ(ValuePlayerFull(forward), off.fullValue);
}

TEST_F(PlayedLeaguesTest, ASwitchedOffNationHasNoBoardAndTrainsOnItsOwnDays) {
    std::memset(MessageArchive, 0xFF, sizeof MessageArchive);
    std::memset(UserInbox, 0xFF, sizeof UserInbox);
    std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
    for (int c = 0; c < kClubCount; ++c) ClubStrengthRanking[c] = {uint16_t(c), 0};
    ClearHistoryLists();
    SeasonCalendar.currentDay = 100;
    SeasonCalendar.weekday = 0;
    for (int16_t& day : SeasonCalendar.leagueEndDay) day = 300;
    // No money and four defeats: confidence 0, 15 more on a counter of 50,
    // past the sacking point of 60.
    uint16_t managers[2] = {};
    int slot = 0;
    for (int16_t club : {kPlayed, kOff}) {
        const uint16_t m = MakePlayer(club, 13);
        SetPlayerReputation(m, 20);
        SetPlayerFans(m, 63);
        SetPlayerField52(m, 100);
        managers[club == kOff] = m;
        SetClubBalance(club, 0);
        SetClubSupport(club, 50);
        SetClubTenure2(club, 50);
        for (int i = 0; i < 4; ++i) PutFixture(slot++, 95 - i, kCompLeague, kRival, club, 3, 0);
    }
    RebuildAllRosters();
    PlayCountriesZeroAndFive();
    BoardWeeklyReview();
    EXPECT_EQ(GetClubTenure2(kPlayed), 0);
    EXPECT_EQ(GetPlayerClub(managers[0]), uint16_t(kNoClub));
    EXPECT_EQ(GetClubTenure2(kOff), 50);
    EXPECT_EQ(GetPlayerClub(managers[1]), uint16_t(kOff));

    // The squad pass: club % 12 + 2 for the unplayed nation, two weeks'
    // training; club % 5 + 2 for the played one, one week's.
    SeasonCalendar.weekday = int16_t(kOff % 12 + 2);
    ASSERT_NE(kOff % 5 + 2, SeasonCalendar.weekday);
    EXPECT_EQ(SquadPassTrainingDays(kOff, 3, false), 14);
    SeasonCalendar.weekday = int16_t(kPlayed % 5 + 2);
    EXPECT_EQ(SquadPassTrainingDays(kPlayed, 0, false), 7);
    EXPECT_EQ(SquadPassTrainingDays(kOff, 3, false), -1);
}

}  // namespace
