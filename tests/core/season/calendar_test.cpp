#include <algorithm>
#include <cstring>
#include <vector>

#include "core/club/transfers.h"
#include "core/query/financerecord.h"
#include "core/query/people.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/playerstats.h"
#include "core/records/referees.h"
#include "core/records/usertransfers.h"
#include "core/season/clubfixtures.h"
#include "core/season/clubseason.h"
#include "core/season/messagetypes.h"
#include "core/season/nationorder.h"
#include "season_fixture.h"
#include "tests/fakes/season_scorer.h"
#include "tests/fakes/stadium_checks.h"
#include "tests/fakes/test_util.h"

namespace {

// A world of clubs laid out as the divisions say, its first season set up
// and the calendar at day 21, as a new game leaves it.
class SeasonRunTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        MakeShippedWorld();
        ClearFixtureTable();
        ResetClubSeasonRecords();
        SetUpSeasonFixtures();
        SortLeagueTables();
        DailyJobsWord2 = 0;
        for (int day = 0; day < 21; ++day) {
            RunDailyClubJobs(0);
            ++SeasonCalendar.currentDay;
        }
    }

    // Plays and ends days until the season number changes; returns the last
    // day of the season ended.
    int PlaySeason(std::vector<int16_t>* monthSlots, std::vector<int32_t>* prizeDayGain) {
        const int16_t season = SeasonCalendar.season;
        int lastDay = SeasonCalendar.currentDay;
        while (SeasonCalendar.season == season) {
            ScoreTodaysFixtures();
            lastDay = SeasonCalendar.currentDay;
            const int16_t month = SeasonCalendar.month;
            const int32_t before = GetClubBalance(kChampionWatch);
            const bool endDay = SeasonCalendar.currentDay == SeasonCalendar.leagueEndDay[0];
            // The season's crowds and loans, up to its last day.
            if (SeasonCalendar.currentDay >= 364) {
                for (int16_t club = 0; club < kClubCount; ++club) {
                    SetClubAvgAttendance(club, 30000);
                    SetClubSeasonLoans(club, 8);
                }
            }
            AdvanceDay();
            // The table the day advance sorted before paying out.
            if (endDay) checkedTable_.assign(LeagueTable[0][0], LeagueTable[0][0] + 20);
            if (endDay && prizeDayGain) prizeDayGain->push_back(GetClubBalance(kChampionWatch) - before);
            if (monthSlots && SeasonCalendar.month != month) monthSlots->push_back(DailyJobsWord2);
            // A month's end records each club's place in its month slot.
            if (SeasonCalendar.month != month) {
                for (int16_t club : {kChampionWatch, LeagueTable[3][1][5], LeagueTable[0][4][21]})
                    EXPECT_EQ(GetClubCoach(club, 0, DailyJobsWord2), GetClubLeaguePosition(club))
                        << "club " << club << " day " << SeasonCalendar.currentDay;
            }
        }
        return lastDay;
    }

    // The days of the messages of the type that the club received on the
    // day, in its archive or, as the user's club, in the inbox.
    static bool ReceivedOn(int16_t club, int16_t type, int day) {
        const auto on = [&](const MessageRecord& m) {
            return recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type) &&
                   recbits::LoadU16(m.bytes + kMsgDay) == uint16_t(day) &&
                   int16_t(recbits::LoadU16(m.bytes + kMsgClubA)) == club;
        };
        return std::any_of(std::begin(MessageArchive[club]), std::end(MessageArchive[club]), on) ||
               std::any_of(std::begin(UserInbox), std::end(UserInbox), on);
    }

    // Checks a season's finance forecast and start balance against the
    // club's balance of today, the first day of a season; the weeks to come
    // open empty, from that balance (nothing of last season's weeks stays).
    static void ExpectSeasonForecastFrom(int16_t club) {
        const int32_t balance = GetClubBalance(club);
        EXPECT_EQ(HVW_GetClubForecastWeek(club, 0), balance);
        EXPECT_EQ(HVW_GetClubSeasonField(club, kFinanceStartBalance), balance);
        EXPECT_NE(HVW_GetClubForecastWeek(club, kFinanceWeeks - 1), balance);
        for (int16_t week = 1; week < kFinanceWeeks; ++week) {
            for (int16_t field = 0; field < kFinanceStartBalance; ++field)
                EXPECT_EQ(HVW_GetClubWeekField(club, week, field), 0)
                    << "week " << week << " field " << field;
            EXPECT_EQ(HVW_GetClubWeekField(club, week, kFinanceStartBalance), balance) << "week " << week;
        }
    }

    static constexpr int16_t kChampionWatch = 0;  // a club of country 0's top division
    std::vector<int16_t> checkedTable_;
};

TEST_F(SeasonRunTest, TwoSeasonsRunIntoTheNextWithTablesSplitAndPrizes) {
    EXPECT_EQ(SeasonCalendar.currentDay, 21);
    EXPECT_EQ(SeasonCalendar.dayOfMonth, 3);
    EXPECT_EQ(SeasonCalendar.month, 7);

    std::vector<int16_t> monthSlots;
    std::vector<int32_t> prize;
    const int16_t splitBefore = SeasonCalendar.splitDay[1];
    ASSERT_GT(splitBefore, 0);
    int leagueOfCountry1 = 0;
    // Country 1's league fixtures before the end of the first season.
    auto countCountry1League = [] {
        int n = 0;
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            n += FixtureType(slot) == kCompLeague && GetClubNation(FixtureHome(slot)) == 1 &&
                 GetClubDivision(FixtureHome(slot)) == 0;
        }
        return n;
    };
    leagueOfCountry1 = countCountry1League();
    EXPECT_EQ(leagueOfCountry1, 198);

    // Just past the split day the split fixtures stand in the table.
    while (SeasonCalendar.currentDay <= splitBefore) {
        ScoreTodaysFixtures();
        AdvanceDay();
    }
    EXPECT_EQ(countCountry1League(), 198 + 30);

    // A contract the user was to settle when the season ended, and an
    // application whose answer day the season never reaches.
    PendingHumanDeals[1] = 40;
    JobApplicationRecord = {5, 370, 1};
    const int lastDay = PlaySeason(&monthSlots, &prize);
    EXPECT_EQ(lastDay, 364);  // 2003 has no 29 February
    EXPECT_EQ(GetJobApplicationClub(), 65535) << "an old season's application in the new one";
    // The new season leaves him no contract talks, and every slot free for
    // the deals to come.
    EXPECT_EQ(HVW_HasHumanContracts(), 0);
    for (uint16_t slot : PendingHumanDeals) EXPECT_EQ(slot, 0);
    EXPECT_EQ(SeasonCalendar.season, 1);
    EXPECT_EQ(SeasonCalendar.currentDay, 0);
    EXPECT_EQ(SeasonCalendar.weekday, 1);  // Sunday 13 July 2003
    EXPECT_EQ(SeasonCalendar.dayOfMonth, 13);
    EXPECT_EQ(SeasonCalendar.month, 6);
    EXPECT_EQ(SeasonCalendar.year, 2003);
    // A new season starts every club's average crowd and loan count again;
    // the computer clubs' loans of its first day are its own.
    for (int16_t club = 0; club < kClubCount; ++club) {
        ASSERT_EQ(GetClubAvgAttendanceField(club), 0) << club;
        ASSERT_LT(GetClubSeasonLoans(club), 8) << club;
    }
    // The new season's forecast starts from the balance it starts with.
    ExpectSeasonForecastFrom(kChampionWatch);

    // The month slot ran on one per month from where it stood.
    ASSERT_GE(monthSlots.size(), 3u);
    for (size_t i = 1; i < monthSlots.size(); ++i) EXPECT_EQ(monthSlots[i], (monthSlots[i - 1] + 1) % 12);

    // Prize money on the end day, by the final place.
    ASSERT_EQ(prize.size(), 1u);
    const auto place =
        std::find(checkedTable_.begin(), checkedTable_.end(), kChampionWatch) - checkedTable_.begin();
    EXPECT_EQ(prize[0], LeaguePrizeAmount(0, 0, int16_t(place)));

    // The new season has been laid out again.
    int fixtures = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        fixtures += FixtureType(slot) == kCompLeague;
        EXPECT_FALSE(IsFixturePlayed(slot));
    }
    EXPECT_GT(fixtures, 4000);
    EXPECT_GT(SeasonCalendar.leagueStartDay[0], 0);
    // After promotion and relegation every division holds its layout count.
    for (int c = 0; c < kCountryCount; ++c) {
        for (int d = 0; d < kDivisionCount; ++d) {
            int listed = 0;
            while (listed < kLeagueRowClubs && DivisionClubLists[c][d][listed] != kNoLeagueClub) ++listed;
            EXPECT_EQ(listed, DivisionLayout[c][d].clubs) << "country " << c << " division " << d;
        }
    }

    // A whole season moves the slot through every month once.
    monthSlots.clear();
    EXPECT_EQ(PlaySeason(&monthSlots, nullptr), 365);  // 2004 has 29 February
    ASSERT_EQ(monthSlots.size(), 12u);
    for (size_t i = 1; i < monthSlots.size(); ++i) EXPECT_EQ(monthSlots[i], (monthSlots[i - 1] + 1) % 12);
    EXPECT_EQ(SeasonCalendar.weekday, 3);  // Tuesday 13 July 2004
    EXPECT_EQ(SeasonCalendar.year, 2004);
}

TEST_F(SeasonRunTest, SeasonRollsKeepGroundsReputationsAndMoneySound) {
    // Grounds of every style and size, some clubs with money, some without,
    // and crowds that fill some grounds beyond four fifths every day.
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        for (int stand = 0; stand < kStandCount; ++stand) {
            const int style = (club + stand) % kStandStyleCount;
            SetStand(club, stand, style, StandMaxSeats(style, stand) / 1000 * (club % 5) / 4);
        }
        SetClubBalance(club, club % 7 == 0 ? -100000 : club % 3 == 0 ? 0 : GetClubRep(club) * 200000);
    }
    auto fillGrounds = [] {
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (GetClubRep(club) == 0) continue;
            int32_t seats = 0;
            for (int stand = 0; stand < kStandCount; ++stand) seats += StandThousandsOf(club, stand) * 1000;
            SetClubAvgAttendance(club, seats * (60 + club % 40) / 100 + 500 * (club % 3));
        }
    };
    ASSERT_EQ(CheckStadiumInvariants({}), "");
    int changed = 0;
    // Two rolls; one in a checked tree, where the whole second season of
    // the test above covers the next roll.
    const int rolls = ShortTestRun() ? 1 : 2;
    for (int roll = 0; roll < rolls; ++roll) {
        const int16_t season = SeasonCalendar.season;
        std::vector<int32_t> before;
        std::vector<int> grounds;
        auto ground = [](int16_t club) {
            int sum = 0;
            for (int stand = 0; stand < kStandCount; ++stand)
                sum += 100 * StandStyleOf(club, stand) + StandThousandsOf(club, stand);
            return sum;
        };
        while (SeasonCalendar.season == season) {
            ScoreTodaysFixtures();
            fillGrounds();
            before = ClubBalances();
            grounds.clear();
            for (int16_t club = 0; club < kClubCount; ++club) grounds.push_back(ground(club));
            AdvanceDay();
        }
        ASSERT_EQ(CheckStadiumInvariants(before), "") << "roll " << roll;
        for (int16_t club = 0; club < kClubCount; ++club) changed += ground(club) != grounds[club];
    }
    // Some grounds were extended or rebuilt.
    EXPECT_GT(changed, 0);
}

// The user's application is answered on its day; once that day has been
// played it is gone, answered or not.
TEST_F(SeasonRunTest, TheUsersApplicationEndsWithItsAnswerDay) {
    const uint16_t answerDay = uint16_t(SeasonCalendar.currentDay + 1);
    JobApplicationRecord = {5, answerDay, 1};
    AdvanceDay();
    EXPECT_EQ(GetJobApplicationClub(), 5) << "gone before its day";
    AdvanceDay();
    EXPECT_EQ(GetJobApplicationClub(), 65535) << "still there the day after its day";
}

// A referee marked unavailable for the day's matches is free again the
// next day; the day advance frees the first hundred of the table.
TEST_F(SeasonRunTest, TheDayAdvanceFreesTheFirstHundredReferees) {
    ASSERT_GT(DeliveredRefereeCount(), 150);
    for (int16_t referee : {0, 99, 150}) HVW_SetRefereeUnavailableFlag(referee, 1);
    AdvanceDay();
    EXPECT_EQ(HVW_GetRefereeUnavailableFlag(0), 0);
    EXPECT_EQ(HVW_GetRefereeUnavailableFlag(99), 0);
    EXPECT_EQ(HVW_GetRefereeUnavailableFlag(150), 1);
    HVW_SetRefereeUnavailableFlag(150, 0);
}

// On a month's last day each division whose league has run three weeks
// and not ended names the manager whose side did best over the last 30
// days: a message to his club and an entry in its history.
TEST_F(SeasonRunTest, AMonthsLastDayNamesTheManagerOfTheMonthWhileTheLeagueRuns) {
    ClearHistoryLists();
    const int clubs = DivisionLayout[0][0].clubs;
    std::vector<int16_t> division;
    for (int place = 0; place < clubs; ++place) {
        const int16_t club = LeagueTable[0][0][place];
        const uint16_t manager = uint16_t(3 + place);
        ASSERT_LT(manager, PlayerCount);
        SetPlayerClub(manager, club);
        SetPlayerLoanClub(manager, club);
        SetPlayerPosition(manager, 13);
        division.push_back(club);
    }
    const int start = SeasonCalendar.leagueStartDay[0], end = SeasonCalendar.leagueEndDay[0];
    std::vector<int> awardDays, dueDays;
    int monthEndsTooEarly = 0;
    while (SeasonCalendar.currentDay < start + 120) {
        const int day = SeasonCalendar.currentDay;
        const bool monthEnd =
            SeasonCalendar.dayOfMonth == CalendarMonthLength(SeasonCalendar.month, SeasonCalendar.year);
        if (monthEnd && day > start + 21 && day < end) dueDays.push_back(day);
        monthEndsTooEarly += monthEnd && day <= start + 21;
        ScoreTodaysFixtures();
        AdvanceDay();
        int winners = 0;
        for (int16_t club : division) winners += ReceivedOn(club, kMsgManagerOfTheMonth, day);
        ASSERT_LE(winners, 1) << "day " << day;
        if (winners == 1) awardDays.push_back(day);
    }
    EXPECT_GT(monthEndsTooEarly, 0);
    ASSERT_GE(dueDays.size(), 3u);
    EXPECT_EQ(awardDays, dueDays);
    // Each award stands in the winner's club history.
    int entries = 0;
    for (int16_t club : division) {
        ClubHistoryEntry found[kClubHistoryLookup];
        const int n = FindClubHistoryEntry(club, found);
        for (int i = 0; i < n; ++i) entries += ClubHistoryKind(found[i]) == 16;
    }
    EXPECT_EQ(entries, int(awardDays.size()));
}

// The user's scouts tip him now and then a player from abroad, but only on
// days when the transfer window is open.
TEST_F(SeasonRunTest, TheUsersScoutsTipPlayersOnlyWhileTheTransferWindowIsOpen) {
    constexpr int16_t kUser = kChampionWatch, kAbroad = kClubCount - 1;
    constexpr uint16_t kTipPlayers = 3000;
    int leagueClubs = 0;
    for (const auto& country : kShippedDivisionLayout)
        for (const auto& division : country) leagueClubs += division.clubs;
    ASSERT_LT(leagueClubs, kAbroad);  // the club abroad is none of the leagues'
    MakeUserClub(kUser);
    SetClubRep(kUser, 40);
    MakeClub(kAbroad, 40, 0, 30);
    std::memset(PlayerRecords + kPlayers, 0, sizeof(PlayerRecord) * (kTipPlayers - kPlayers));
    PlayerCount = kTipPlayers;
    for (uint16_t p = kPlayers; p < kTipPlayers; ++p) {
        SetPlayerClub(p, kAbroad);
        SetPlayerLoanClub(p, kAbroad);
        SetPlayerPosition(p, int16_t(1 + p % 12));
        SetPlayerStat(p, kAbilityStat, 70);  // inside the user's window, 60-85
    }
    const auto closed = [](int day) {
        for (int p = 0; p < kTransferClosedPeriods; ++p)
            if (day >= LeagueTransferWords[2 * p][0] && day <= LeagueTransferWords[2 * p + 1][0]) return true;
        return false;
    };
    int openDays = 0, closedDays = 0, openTips = 0, closedTips = 0;
    while (SeasonCalendar.currentDay < 120) {
        const int day = SeasonCalendar.currentDay;
        ScoreTodaysFixtures();
        AdvanceDay();
        const bool tip = ReceivedOn(kUser, kMsgScoutTip, day);
        if (closed(day)) {
            ++closedDays;
            closedTips += tip;
        } else {
            ++openDays;
            openTips += tip;
        }
    }
    ASSERT_GT(openDays, 10);
    ASSERT_GT(closedDays, 10);
    EXPECT_GT(openTips, 0);
    EXPECT_LT(openTips, openDays);
    EXPECT_EQ(closedTips, 0);
}

TEST_F(SeasonRunTest, RecountCountsDrawsAndSkipsUnplayedAndReserveFixtures) {
    ClearFixtureTable();
    AddFixture(30, kCompLeague, 1, 2, 0);
    AddFixture(31, kCompLeague, 3, 4, 0);  // not played
    AddFixture(32, kCompReserveLeague, 1, 3, 0);
    auto setScore = [](int slot, uint32_t home, uint32_t away) {
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        recbits::StoreU32(word, (recbits::LoadU32(word) & ~0x3FFu) | home | away << 5);
    };
    setScore(0, 0, 0);
    setScore(2, 2, 1);
    RecountClubSeasonRecords(40);
    EXPECT_EQ(LeagueSeasonRecords[1].words[kSeasonPlayed], 1);
    EXPECT_EQ(LeagueSeasonRecords[1].words[kSeasonPoints], 1);
    EXPECT_EQ(LeagueSeasonRecords[2].words[kSeasonAwayDrawn], 1);
    EXPECT_EQ(LeagueSeasonRecords[3].words[kSeasonPlayed], 0);
    EXPECT_EQ(ReserveSeasonRecords[1].words[kSeasonPoints], 3);
    EXPECT_EQ(ReserveSeasonRecords[3].words[kSeasonAwayLost], 1);
    EXPECT_EQ(LeagueSeasonRecords[1].words[kSeasonHomeWon], 0);
    // A day limit before the fixtures counts nothing.
    RecountClubSeasonRecords(29);
    EXPECT_EQ(LeagueSeasonRecords[1].words[kSeasonPlayed], 0);
}

TEST(PrizeMoneyTest, AmountsFallByPlaceAndDivisionWithoutOverflow) {
    EXPECT_EQ(LeaguePrizeAmount(0, 0, 0), int64_t(100) * LeaguePrizeBase(0, 0) * 83 / 100);
    EXPECT_GT(LeaguePrizeAmount(0, 0, 0), int64_t(INT16_MAX) * 100);
    for (int16_t place = 1; place < 24; ++place)
        EXPECT_LT(LeaguePrizeAmount(0, 0, place), LeaguePrizeAmount(0, 0, int16_t(place - 1)));
    EXPECT_LT(LeaguePrizeAmount(0, 1, 0), LeaguePrizeAmount(0, 0, 0));
    EXPECT_EQ(LeaguePrizeAmount(0, 0, 24), 0);
    EXPECT_EQ(LeaguePrizeAmount(9, 0, 0), 0);
}

TEST_F(SeasonRunTest, NationClubOrderByDivisionAndByLeaguePosition) {
    std::memset(NationClubOrder, 0xFF, sizeof NationClubOrder);
    InitNationClubOrder();
    int listed = 0;
    while (listed < kNationClubOrderSize && NationClubOrder[0][listed] != kNoClub) ++listed;
    EXPECT_GT(listed, 0);
    for (int i = listed; i < kNationClubOrderSize; ++i) EXPECT_EQ(NationClubOrder[0][i], kNoClub);

    // Clubs 20 (division 1), 0 (division 0), 21 (division 1), 1 (division 0).
    const uint16_t mixed[] = {20, 0, 21, 1};
    std::memset(NationClubOrder[4], 0xFF, sizeof NationClubOrder[4]);
    std::copy(std::begin(mixed), std::end(mixed), NationClubOrder[4]);
    for (int i = 0; i < 4; ++i) SetClubNation(int16_t(mixed[i]), 4);
    SortNationClubsByDivision();
    EXPECT_EQ(std::vector<uint16_t>(NationClubOrder[4], NationClubOrder[4] + 4),
              (std::vector<uint16_t>{0, 1, 20, 21}));

    // By league position: country 5's clubs, listed backwards, move to their
    // places through both divisions; places nobody names keep their entry.
    std::vector<uint16_t> tableOrder;
    for (int division = 0; division < 2; ++division) {
        for (int i = 0; i < 18; ++i) tableOrder.push_back(uint16_t(LeagueTable[5][division][i]));
    }
    std::memset(NationClubOrder[5], 0xFF, sizeof NationClubOrder[5]);
    std::copy(tableOrder.rbegin(), tableOrder.rend(), NationClubOrder[5]);
    NationClubOrder[5][40] = 1100;  // a club that stands in no table
    OrderNationClubsByLeaguePos(5);
    EXPECT_EQ(std::vector<uint16_t>(NationClubOrder[5], NationClubOrder[5] + 36), tableOrder);
    EXPECT_EQ(NationClubOrder[5][40], 1100);
    EXPECT_EQ(NationClubOrder[5][36], kNoClub);
}

}  // namespace
