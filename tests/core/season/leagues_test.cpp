#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "core/club/squads.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/season/clubseason.h"
#include "core/season/seasontemplates.h"
#include "season_fixture.h"

namespace {

// ---- Schedules -----------------------------------------------------------------------

TEST(LeagueScheduleTest, EveryPairMeetsOnceAndNoClubTwiceInARound) {
    for (int clubs = 10; clubs <= 24; ++clubs) {
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            GameSeedRandom(seed * 7919 + uint32_t(clubs));
            GenerateLeagueSchedule(int16_t(clubs));
            const int rounds = LeagueScheduleRoundCount();
            ASSERT_EQ(rounds, clubs % 2 == 1 ? clubs : clubs - 1) << clubs << " clubs, seed " << seed;
            std::set<std::pair<int, int>> met;
            for (int r = 0; r < rounds; ++r) {
                std::set<int> inRound;
                int pairings = 0;
                for (int k = 0; k < 12; ++k) {
                    int16_t home, away;
                    if (!LeagueSchedulePairing(r, k, &home, &away)) continue;
                    ++pairings;
                    ASSERT_LT(home, clubs);
                    ASSERT_LT(away, clubs);
                    ASSERT_TRUE(inRound.insert(home).second) << "club " << home << " twice in round " << r;
                    ASSERT_TRUE(inRound.insert(away).second) << "club " << away << " twice in round " << r;
                    ASSERT_TRUE(met.insert({std::min(home, away), std::max(home, away)}).second)
                        << clubs << " clubs: " << home << " and " << away << " meet twice";
                }
                EXPECT_EQ(pairings, clubs / 2) << clubs << " clubs, round " << r;
            }
            EXPECT_EQ(int(met.size()), clubs * (clubs - 1) / 2);
        }
    }
}

TEST(SeasonTemplateTest, ShippedTemplatesPassTheWalk) {
    EXPECT_STREQ(CheckSeasonTemplates(), "");
    // Country 1's top division carries the split marker; no other does.
    int splits = 0;
    for (int country = 0; country < kCountryCount; ++country) {
        for (int division = 0; division < kDivisionCount; ++division) {
            for (int slot = 0; slot < kTemplateSlots; ++slot)
                splits +=
                    SeasonTemplateCode(country, division, slot) == kSlotSplit ? (country == 1 ? 1 : 100) : 0;
        }
    }
    EXPECT_EQ(splits, 1);
}

// ---- Season set-up ------------------------------------------------------------------

class SeasonSetUpTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        const int16_t club = MakeShippedWorld();
        clubCount_ = club;
    }
    void TearDown() override { std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout); }

    // (home, away) of every fixture of a type whose home club plays in the
    // country's division.
    static std::vector<std::pair<int, int>> Fixtures(int type, int country, int division) {
        std::vector<std::pair<int, int>> out;
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            if (FixtureType(slot) != type) continue;
            const int16_t home = FixtureHome(slot);
            if (GetClubNation(home) == country && GetClubDivision(home) == division)
                out.push_back({home, FixtureAway(slot)});
        }
        return out;
    }

    int clubCount_ = 0;
};

TEST_F(SeasonSetUpTest, LaysOutEveryDivisionAsItsLayoutSays) {
    SetUpSeasonFixtures();
    EXPECT_EQ(SeasonCalendar.currentDay, 0);
    EXPECT_EQ(SeasonCalendar.weekday, 0);
    EXPECT_EQ(SeasonCalendar.dayOfMonth, 13);
    EXPECT_EQ(SeasonCalendar.month, 6);
    EXPECT_EQ(SeasonCalendar.year, 2002);
    EXPECT_EQ(CompetitionDayWord, 0);
    for (int country = 0; country < kCountryCount; ++country) {
        for (int division = 0; division < kDivisionCount; ++division) {
            const DivisionLayoutEntry& entry = kShippedDivisionLayout[country][division];
            const int n = entry.clubs;
            const auto league = Fixtures(kCompLeague, country, division);
            const auto reserve = Fixtures(kCompReserveLeague, country, division);
            const int leagueMeetings = entry.extraMeetings == 0 ? 2 : entry.extraMeetings == 1 ? 4 : 3;
            const int reserveMeetings = entry.extraMeetings == 0 ? 2 : 4;
            EXPECT_EQ(int(league.size()), n * (n - 1) / 2 * leagueMeetings) << country << "/" << division;
            EXPECT_EQ(int(reserve.size()), entry.third == 1 ? n * (n - 1) / 2 * reserveMeetings : 0)
                << country << "/" << division;
            std::map<std::pair<int, int>, int> ordered;
            for (const auto& f : league) ++ordered[f];
            if (entry.extraMeetings == 0 && n > 0) {
                EXPECT_EQ(int(ordered.size()), n * (n - 1)) << country << "/" << division;
                for (const auto& [pair, count] : ordered) EXPECT_EQ(count, 1);
            }
        }
        EXPECT_GT(SeasonCalendar.leagueStartDay[country], 0);
        EXPECT_GT(SeasonCalendar.leagueEndDay[country], SeasonCalendar.leagueStartDay[country] + 200);
        EXPECT_LT(SeasonCalendar.leagueEndDay[country], 366);
    }
    // Country 1's split lies after its start and four weeks or more before
    // its end; nobody else splits.
    EXPECT_GT(SeasonCalendar.splitDay[1], SeasonCalendar.leagueStartDay[1]);
    EXPECT_LE(SeasonCalendar.splitDay[1], SeasonCalendar.leagueEndDay[1] - 28);
    for (int country : {0, 2, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(SeasonCalendar.splitDay[country], 0);
    // Transfer deadline 31 August, window open again 1 January.
    EXPECT_EQ(LeagueTransferWords[0][0], 49);
    EXPECT_EQ(LeagueTransferWords[1][0], 172);

    // No club plays two league fixtures on a day, and nothing on Christmas Day.
    std::set<std::pair<int, int>> clubDays;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        EXPECT_NE(FixtureDay(slot), GetSeasonDayOfDate(25, 11));
        if (FixtureType(slot) != kCompLeague) continue;
        EXPECT_TRUE(clubDays.insert({FixtureHome(slot), FixtureDay(slot)}).second);
        EXPECT_TRUE(clubDays.insert({FixtureAway(slot), FixtureDay(slot)}).second);
        EXPECT_LE(FixtureDay(slot), SeasonCalendar.leagueEndDay[GetClubNation(FixtureHome(slot))]);
    }
}

// The lay-out's walks through the year rebuild the rosters at their first
// month end, so a roster left stale before the set-up is right after it,
// and the set-up days after it rebuild them again at a month end.
TEST_F(SeasonSetUpTest, TheLayOutRebuildsStaleRostersAndLeavesLaterMonthEndsRebuilding) {
    const auto inRoster = [](int16_t club, uint16_t player) {
        return std::find(std::begin(ClubRoster[club]), std::end(ClubRoster[club]), player) !=
               std::end(ClubRoster[club]);
    };
    constexpr uint16_t kMoved = 7;
    SetPlayerClub(kMoved, 5);
    std::memset(ClubRoster, 0, sizeof ClubRoster);
    SetUpSeasonFixtures();
    EXPECT_TRUE(inRoster(5, kMoved));
    SetPlayerClub(kMoved, 6);
    for (int day = 0; day < 40; ++day) RunDailyClubJobs(0);
    EXPECT_TRUE(inRoster(6, kMoved));
    EXPECT_FALSE(inRoster(5, kMoved));
}

TEST_F(SeasonSetUpTest, MatchDaysFollowTheCountryRules) {
    SetUpSeasonFixtures();
    // Weekday of a day number: day 0 is a Saturday in 2002.
    auto weekday = [](int day) { return day % 7; };
    int moved[kCountryCount] = {};
    int movedTop0 = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int type = FixtureType(slot), day = FixtureDay(slot);
        const int country = GetClubNation(FixtureHome(slot));
        const bool boxingDay = day == GetSeasonDayOfDate(26, 11);
        if (type == kCompLeague && (FixtureScore(slot) & kFixtureBroadcastBit)) {
            // A Saturday fixture moved by its country's rule for the
            // division: country 0's top two divisions to the Sunday, its
            // next two to the Friday, the top divisions of countries 1 and
            // 4 to the Sunday; elsewhere only the top division's are marked.
            const int division = GetClubDivision(FixtureHome(slot));
            ++moved[country];
            movedTop0 += country == 0 && division == 0;
            if (country == 0) {
                EXPECT_LT(division, 4);
                EXPECT_EQ(weekday(day), division < 2 ? 1 : 6) << day;
            } else {
                EXPECT_EQ(division, 0);
                EXPECT_EQ(weekday(day), country == 1 || country == 4 ? 1 : 0) << day;
            }
        } else if (type == kCompLeague && country == 2) {
            EXPECT_TRUE(weekday(day) == 1 || weekday(day) >= 3) << day;
        } else if (type == kCompLeague) {
            EXPECT_TRUE(weekday(day) == 0 || weekday(day) == 3 || weekday(day) == 4 || boxingDay) << day;
        } else if (type == kCompReserveLeague && country != 2) {
            EXPECT_TRUE(weekday(day) == 5 || weekday(day) == 2 || boxingDay) << day;
        }
    }
    // Every Saturday of the league's lay-out moves one: more than there are
    // clubs to take in turn, so the later ones are picked by reputation.
    EXPECT_GT(movedTop0, DivisionLayout[0][0].clubs);
    // Country 2 moves nothing; every other country moves some.
    for (int country = 0; country < kCountryCount; ++country) {
        if (country == 2)
            EXPECT_EQ(moved[country], 0);
        else
            EXPECT_GT(moved[country], 0) << country;
    }
}

TEST_F(SeasonSetUpTest, SeasonOpenerMeetsChampionAndCupWinnerAfterAMovedClash) {
    // Last season country 0's champion also won the cup, so the runner-up plays.
    const int16_t champion = 3, runnerUp = 7;
    HonoursTable[0][1].words[14] = champion;
    HonoursTable[0][1].words[0] = champion;
    HonoursTable[0][1].words[15] = runnerUp;
    // Country 2 has no cup winner: no opener.
    HonoursTable[2][1].words[14] = 300;
    SetUpSeasonFixtures();
    const int openerDay = SeasonCalendar.leagueStartDay[0] + 1;
    int openers = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureType(slot) != kCompChampionVsCupWinner) continue;
        ++openers;
        EXPECT_EQ(HeadOf(slot), (FixtureHead{openerDay, kCompChampionVsCupWinner, champion, runnerUp}));
        EXPECT_NE(FixtureScore(slot) & kFixtureNeutralBit, 0u);
    }
    EXPECT_EQ(openers, 1);
    for (int16_t club : {champion, runnerUp}) {
        int onDay = 0;
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot)
            onDay += FixtureDay(slot) == openerDay && FixtureType(slot) < kCompFriendly &&
                     IsFixtureOfClub(slot, club);
        EXPECT_EQ(onDay, 1) << club;
    }
}

TEST_F(SeasonSetUpTest, AClubBeyondTheTwentyFourthIsLeftOut) {
    // A 25th club claims country 0's division 1, which holds 24.
    MakeClub(int16_t(clubCount_), 0, 1, 50);
    StdoutCapture capture;
    BuildDivisionClubLists();
    EXPECT_NE(capture.Text().find("left out"), std::string::npos);
    for (int i = 0; i < kLeagueRowClubs; ++i) EXPECT_NE(DivisionClubLists[0][1][i], uint16_t(clubCount_));
    EXPECT_EQ(DivisionClubLists[0][2][0], 44);  // the next row is untouched
}

TEST_F(SeasonSetUpTest, ARoundWithoutAMatchDayIsPlacedBeforeTheEnd) {
    // A top division grown past what its template holds still gets every
    // fixture, none after its end day.
    DivisionLayout[5][0].clubs = 24;
    for (int i = 0; i < 6; ++i) MakeClub(int16_t(clubCount_ + i), 5, 0, 20);
    StdoutCapture capture;
    SetUpSeasonFixtures();
    EXPECT_NE(capture.Text().find("no match day left"), std::string::npos);
    const auto league = Fixtures(kCompLeague, 5, 0);
    EXPECT_EQ(int(league.size()), 24 * 23);
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureType(slot) == kCompLeague && GetClubNation(FixtureHome(slot)) == 5) {
            EXPECT_LE(FixtureDay(slot), SeasonCalendar.leagueEndDay[5]);
        }
    }
}

// Laying a season out from an empty table (division by division) leaves
// every byte of the table as laying it out behind a fixture already there
// (one insert at a time), once that fixture is deleted again: the same
// fixtures in the same order, the match data and the empty slots untouched.
TEST_F(SeasonSetUpTest, LayingOutFromAnEmptyTableLeavesWhatInsertsWouldLeave) {
    const auto layOut = [](bool behindAFixture) {
        for (int slot = 0; slot < kFixtureSlots; ++slot)
            std::memset(FixtureTable[slot].bytes, 0x5A ^ (slot & 0xFF), sizeof FixtureTable[slot].bytes);
        ClearFixtureTable();
        SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 0, 0, {}, {}, {}};
        GameSeedRandom(77);
        // A friendly of two top clubs a month after any league day.
        if (behindAFixture) AddFixture(400, kCompFriendly, 0, 1, 0);
        SetUpSeasonFixtures();
        if (behindAFixture) DeleteFixture(FindFriendlyOnDay(0, 400));
        std::vector<uint8_t> bytes(sizeof FixtureTable);
        std::memcpy(bytes.data(), FixtureTable, sizeof FixtureTable);
        return bytes;
    };
    const auto usedSlots = [] {
        int slot = 0;
        while (slot < kFixtureSlots && !IsFixtureEmpty(slot)) ++slot;
        return slot;
    };
    EXPECT_TRUE(layOut(false) == layOut(true));
    EXPECT_GT(usedSlots(), 17000);

    // Larger top and bottom divisions in country 0 bring the last divisions
    // within reach of a full table: they are laid out straight into it.
    DivisionLayout[0][0] = {24, 0, 1};
    DivisionLayout[0][4] = {24, 0, 1};
    for (int i = 0; i < 6; ++i) MakeClub(int16_t(clubCount_ + i), 0, i < 4 ? 0 : 4, 5);
    StdoutCapture capture;  // the bottom division runs out of match days
    EXPECT_TRUE(layOut(false) == layOut(true));
    EXPECT_GT(usedSlots(), 18400);
}

// ---- Tables ---------------------------------------------------------------------------

class LeagueTableTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        std::memset(DivisionClubLists, 0xFF, sizeof DivisionClubLists);
        std::memset(LeagueSeasonRecords, 0, sizeof LeagueSeasonRecords);
        std::memset(ReserveSeasonRecords, 0, sizeof ReserveSeasonRecords);
        for (int i = 0; i < 20; ++i) DivisionClubLists[4][0][i] = uint16_t(100 + i);
        for (int c = 0; c < kCountryCount; ++c) SeasonCalendar.leagueEndDay[c] = 300;
    }
    static void Record(int16_t club, int points, int homeFor, int homeAgainst, int awayFor = 0,
                       int awayAgainst = 0) {
        int16_t* w = LeagueSeasonRecords[club].words;
        w[kSeasonPoints] = int16_t(points);
        w[kSeasonHomeFor] = int16_t(homeFor);
        w[kSeasonHomeAgainst] = int16_t(homeAgainst);
        w[kSeasonAwayFor] = int16_t(awayFor);
        w[kSeasonAwayAgainst] = int16_t(awayAgainst);
    }
};

TEST_F(LeagueTableTest, PointsThenGoalDifferenceThenGoalsAndLevelClubsKeepTheirOrder) {
    Record(105, 10, 5, 5);        // level with 106 and 107 on everything
    Record(106, 10, 3, 1, 2, 4);  // goal difference 0, goals 5: level with 105
    Record(107, 10, 5, 5);
    Record(110, 10, 4, 1);        // +3
    Record(111, 10, 6, 2, 2, 2);  // +4, goals 8
    Record(112, 10, 4, 0);        // +4, goals 4
    Record(119, 12, 0, 9);        // most points
    SortLeagueTables();
    const int16_t* row = LeagueTable[4][0];
    const std::vector<int16_t> top(row, row + 7);
    EXPECT_EQ(top, (std::vector<int16_t>{119, 111, 112, 110, 105, 106, 107}));
    EXPECT_EQ(LeagueSeasonRecords[119].words[kSeasonPlace], 0);
    EXPECT_EQ(LeagueSeasonRecords[107].words[kSeasonPlace], 6);
    EXPECT_EQ(row[19], 118);  // the rest keep the list order
}

TEST_F(LeagueTableTest, ReserveTableStopsAfterTheEndDayAndPlacesReachYesterdaysFixtures) {
    ReserveSeasonRecords[103].words[kSeasonPoints] = 3;
    SeasonCalendar.currentDay = 300;
    SortLeagueTables();
    EXPECT_EQ(ReserveLeagueTable[4][0][0], 103);
    // After the end day the reserve table keeps its order.
    ReserveSeasonRecords[104].words[kSeasonPoints] = 9;
    Record(104, 3, 1, 0);
    AddFixture(300, kCompLeague, 104, 100, 0);
    SeasonCalendar.currentDay = 301;
    SortLeagueTables();
    EXPECT_EQ(ReserveLeagueTable[4][0][0], 103);
    EXPECT_EQ(LeagueTable[4][0][0], 104);
    const int slot = FindFixture(104, 100, kCompLeague);
    EXPECT_EQ((recbits::LoadU32(FixtureTable[slot].bytes + kFixtureCrowdWord) >> 23) & 0x1F, 0u);
    EXPECT_EQ(recbits::LoadU32(FixtureTable[slot].bytes + kFixtureAwaySideWord) & 0x1F, 1u);
}

TEST_F(LeagueTableTest, AfterTheSplitTheTopSixStayAboveTheBottomSix) {
    for (int i = 0; i < 12; ++i) DivisionClubLists[1][0][i] = uint16_t(200 + i);
    SortLeagueTables();
    SeasonCalendar.splitDay[1] = 250;
    SeasonCalendar.currentDay = 251;
    Record(206, 40, 0, 0);  // seventh at the split, now with the most points
    SortLeagueTables();
    const int16_t* row = LeagueTable[1][0];
    EXPECT_EQ(row[6], 206);
    EXPECT_EQ(row[0], 200);
    // Before the split it would have gone top.
    SeasonCalendar.splitDay[1] = 0;
    SortLeagueTables();
    EXPECT_EQ(row[0], 206);
}

}  // namespace
