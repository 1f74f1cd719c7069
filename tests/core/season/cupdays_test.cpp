#include "core/season/cupdays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <vector>

#include <algorithm>
#include <memory>
#include <tuple>
#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/query/leagueoutlook.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/season/clubseason.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/nationorder.h"
#include "core/season/results.h"
#include "tests/core/season/message_check.h"
#include "tests/core/season/season_fixture.h"
#include "tests/fakes/season_scorer.h"
#include "tests/fakes/world_records.h"

namespace {

// The generated world set up as a new game leaves it: fixtures laid out,
// the shipped order and honours, the European lists drawn.
class CupSeasonTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        std::memset(HonoursTable, 0xFF, sizeof HonoursTable);
        InitNationClubOrder();
        ClearFixtureTable();
        ResetClubSeasonRecords();
        SetUpSeasonFixtures();
        SortLeagueTables();
        EuropeanSetUpWordA = 606;
        EuropeanSetUpWordB = 1025;
        SetUpEuropeanEntrants();
        ShuffleEuropeanOrder();
        BuildDivisionClubLists();
    }

    // One day as the calendar runs it, for the cups alone.
    static void NextDay() {
        ++SeasonCalendar.currentDay;
        if (SeasonCalendar.currentDay > SeasonCalendar.leagueStartDay[0]) ++CompetitionDayWord;
        ProcessCompetitionDay();
    }
};

TEST_F(CupSeasonTest, EveryCupOfASeasonEndsWithAWinnerAndARunnerUp) {
    std::map<int, std::set<int>> tiesOfRound;  // code -> clubs
    std::set<int16_t> cup6, cup4;              // the first rounds as drawn
    for (int day = 0; day < 365; ++day) {
        ScoreTodaysFixtures();
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            const int type = FixtureType(slot);
            if (FixtureDay(slot) != SeasonCalendar.currentDay || type < 5 || type > 116) continue;
            const int round = (type - 5) % 8 + 16 * ((type - 5) / 16);
            // No club plays two first matches of one round (a group plays
            // six days of matches, so groups are left out).
            if ((type - 5) % 16 < 8 && !(type >= 101 && (type - 101) % 16 < 2)) {
                const int key =
                    round + 1000 * (IsClubNumber(FixtureHome(slot)) ? GetClubNation(FixtureHome(slot)) : 0) *
                                (type < 69);
                EXPECT_TRUE(tiesOfRound[key].insert(FixtureHome(slot)).second)
                    << "code " << type << " club " << FixtureHome(slot);
                EXPECT_TRUE(tiesOfRound[key].insert(FixtureAway(slot)).second)
                    << "code " << type << " club " << FixtureAway(slot);
            }
        }
        PlayTodaysCupFixtures();
        NextDay();
        if (CompetitionDayWord == 47 && cup6.empty()) {
            for (int i = 0; i < 32; ++i) cup6.insert(CupDrawClub(0, 6, 0, i));
            for (int i = 0; i < 64; ++i) cup4.insert(CupDrawClub(0, 4, 0, i));
        }
    }
    for (int nation = 0; nation < kCountryCount; ++nation) {
        for (int cup = 0; cup < 4; ++cup) {
            if (CupRoundCounts[nation][cup] == 0) continue;
            const int16_t winner = HonoursTable[nation][0].words[2 * cup];
            const int16_t runnerUp = HonoursTable[nation][0].words[2 * cup + 1];
            EXPECT_TRUE(IsClubNumber(winner)) << "nation " << nation << " cup " << cup;
            EXPECT_TRUE(IsClubNumber(runnerUp)) << "nation " << nation << " cup " << cup;
            EXPECT_NE(winner, runnerUp);
        }
    }
    // Country 0's row holds every European final; the winners are also
    // recorded in their own countries' rows.
    for (int cup : {4, 6}) {
        EXPECT_TRUE(IsClubNumber(HonoursTable[0][0].words[2 * cup])) << "cup " << cup;
        EXPECT_TRUE(IsClubNumber(HonoursTable[0][0].words[2 * cup + 1])) << "cup " << cup;
    }
    // Cup 5 has no final: it qualifies its winners for cup 6 and sends its
    // losers to cup 4, whose first rounds were full.
    for (int cup : {4, 6}) {
        const int16_t winner = HonoursTable[0][0].words[2 * cup];
        const int country = IsClubNumber(winner) ? int(GetClubNation(winner)) : 0;
        if (IsCountryInPlay(country)) {
            EXPECT_EQ(HonoursTable[country][0].words[2 * cup], winner);
        }
        for (int nation = 1; nation < kCountryCount; ++nation) {
            const int16_t named = HonoursTable[nation][0].words[2 * cup];
            if (nation == country) continue;
            EXPECT_FALSE(IsClubNumber(named)) << "cup " << cup << " nation " << nation;
        }
    }
    EXPECT_EQ(cup6.count(-1), 0u);
    EXPECT_EQ(cup6.size(), 32u);
    EXPECT_EQ(cup4.count(-1), 0u);
    EXPECT_EQ(cup4.size(), 64u);
}

// The group list the screens search holds a stage's groups from the day
// they are drawn, and a new season's lay-out forgets last season's.
TEST_F(CupSeasonTest, TheGroupListHoldsEachStageFromItsDrawOn) {
    // Last season's groups, then the new season's lay-out.
    for (int stage = 0; stage < 2; ++stage) {
        for (int g = 0; g < 8; ++g) {
            for (int i = 0; i < 4; ++i)
                ChampionsLeagueGroups[stage][g][i] = int16_t(300 + 32 * stage + 4 * g + i);
        }
    }
    ClearFixtureTable();
    SetUpSeasonFixtures();
    ShuffleEuropeanOrder();
    EXPECT_EQ(HVW_FindClubGroup(300, 0), -1);
    EXPECT_EQ(HVW_FindClubGroup(340, 1), -1);
    const auto expectListed = [](int stage, int groups) {
        for (int g = 0; g < groups; ++g) {
            for (int i = 0; i < 4; ++i) {
                const int16_t club = CupDrawClub(0, 6, stage, 4 * g + i);
                ASSERT_TRUE(IsClubNumber(club)) << "stage " << stage << " group " << g;
                EXPECT_EQ(HVW_FindClubGroup(club, int16_t(stage)), g)
                    << "stage " << stage << " club " << club;
            }
        }
    };
    bool first = false;
    while (CompetitionDayWord < 103) {
        ScoreTodaysFixtures();
        PlayTodaysCupFixtures();
        NextDay();
        if (CompetitionDayWord == 47 && !first) {
            first = true;
            expectListed(0, 8);
        }
    }
    expectListed(1, 4);
}

// A small world: nation 0's clubs 0..39 in its table in club order.
class CupTieTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        std::memset(CompetitionTable, 0xFF, sizeof CompetitionTable);
        for (int16_t club = 0; club < 40; ++club) {
            MakeClub(club, 0, int16_t(club / 20));
            PlaceInTable(club, club / 20, club % 20);
        }
        for (int c = 0; c < kCountryCount; ++c) SeasonCalendar.leagueEndDay[c] = 360;
        SeasonCalendar.leagueStartDay[0] = 20;
        SeasonCalendar.currentDay = 100;
        CompetitionDayWord = 80;
    }
    static void StoreScore(int slot, int home, int away) {
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        recbits::StoreU32(word, (recbits::LoadU32(word) & ~0x3FFu) | uint32_t(home) | uint32_t(away) << 5);
    }
};

TEST_F(CupTieTest, ACupShockIsTwentyOnePlacesOrMore) {
    // Cup 1 round 0: 30 (place 31) beats 9 (place 10); 29 beats 9 in the
    // second tie only by 20 places.
    const int16_t code = CupCode(1, 0);
    for (auto [a, b, entry] :
         {std::tuple{int16_t(9), int16_t(30), 0}, std::tuple{int16_t(10), int16_t(30), 2}}) {
        SetCupDrawClub(0, 1, 0, entry, a);
        SetCupDrawClub(0, 1, 0, entry + 1, b);
    }
    SetCupDrawClub(0, 1, 0, 2, 10);
    SetCupDrawClub(0, 1, 0, 3, 29);
    MakeUserClub(30);  // the message goes to the user alone
    const int16_t first = AddFixture(100, code, 9, 30, 0);
    ProcessCupTieResult(first, 30, 21, 11);
    EXPECT_TRUE(Received(30, 138, 9));
    MakeUserClub(29);
    const int16_t second = AddFixture(100, code, 10, 29, 0);
    ProcessCupTieResult(second, 29, 21, 11);
    EXPECT_FALSE(Received(29, 138));
    // The losers have left the round's table.
    EXPECT_EQ(CupDrawClub(0, 1, 0, 0), -1);
    EXPECT_EQ(CupDrawClub(0, 1, 0, 2), -1);
}

TEST_F(CupTieTest, ALevelMatchIsReplayedAndAWinnerMeetsTheNextOpponent) {
    // Cup 0 of nation 0: round 2 has its ties drawn, one of them still open.
    const int16_t code = CupCode(0, 1);
    SetCupDrawClub(0, 0, 1, 0, 3);
    SetCupDrawClub(0, 0, 1, 1, 25);
    SetCupDrawClub(0, 0, 2, 4, 3);
    SetCupDrawWord(0, 0, 2, 4, 1, 25);
    SetCupDrawClub(0, 0, 2, 5, 12);
    const int16_t first = AddFixture(100, code, 3, 25, 0);
    ProcessCupTieResult(first, -1, 5, 9);
    const int16_t replay = FindFixture(25, 3, int16_t(code + 8));
    EXPECT_GE(FixtureDay(replay), 110);
    ProcessCupTieResult(replay, 25, 5, 9);
    EXPECT_EQ(CupDrawClub(0, 0, 2, 4), 25);
    EXPECT_EQ(CupDrawWord(0, 0, 2, 4, 1), -1);
    EXPECT_NE(FindFixture(25, 12, CupCode(0, 2)), -1);
    EXPECT_TRUE(Received(25, 123, 12));
}

TEST_F(CupTieTest, ATieCompletedByAResultKeepsItsDrawnHomeClub) {
    // Nation 6's cup 0: the draw-day rule that gives the home tie to a club
    // two divisions below does not touch a tie that a result completes.
    MakeClub(100, 6, 0);
    MakeClub(101, 6, 3);
    SetCupDrawClub(6, 0, 1, 0, 100);
    SetCupDrawClub(6, 0, 1, 1, 101);
    MakeUserClub(100);
    ArrangeNextTie(1, 100, 0, 0, 6);
    const int16_t slot = FindFixture(100, 101, CupCode(0, 1));
    EXPECT_EQ(FixtureHome(slot), 100);
    EXPECT_TRUE(Received(100, 123, 101));
}

TEST_F(CupTieTest, AClubThroughTwoLateTiesKeepsItsPlaceInTheRoundDrawnMeanwhile) {
    // Cup 0 of nation 0, round 4 drawn while a round-3 tie waits on a
    // round-2 tie: 10 meets the winner of 29 v 2, and 5 v 6 is open too.
    SetCupDrawClub(0, 0, 2, 0, 29);
    SetCupDrawClub(0, 0, 2, 1, 2);
    SetCupDrawClub(0, 0, 3, 0, 10);
    SetCupDrawClub(0, 0, 3, 1, 29);
    SetCupDrawWord(0, 0, 3, 1, 1, 2);
    SetCupDrawClub(0, 0, 3, 2, 5);
    SetCupDrawClub(0, 0, 3, 3, 6);
    const uint8_t* round4 = CupRoundRules.bytes[0][0][4];
    const int16_t drawDay = int16_t(round4[kCupDrawDay] | round4[kCupDrawDay + 1] << 8);
    const int16_t matchDay = int16_t(round4[kCupMatchDay] | round4[kCupMatchDay + 1] << 8);
    CompetitionDayWord = drawDay;
    SeasonCalendar.currentDay = int16_t(SeasonCalendar.leagueStartDay[0] + drawDay);
    ProcessCompetitionDay();
    std::set<int16_t> carried;
    for (int entry = 0; entry < 2; ++entry) {
        for (int w = 0; w < kDrawEntryWords; ++w) carried.insert(CupDrawWord(0, 0, 4, entry, w));
    }
    EXPECT_EQ(carried, (std::set<int16_t>{-1, 2, 5, 6, 10, 29})) << "every club of both open ties";

    // The round-2 replay, then the round-3 tie, both after round 4's day.
    CompetitionDayWord = int16_t(matchDay + 3);
    SeasonCalendar.currentDay = int16_t(SeasonCalendar.leagueStartDay[0] + CompetitionDayWord);
    const int16_t replay = AddFixture(SeasonCalendar.currentDay, CupCode(0, 2 + kSecondMatchCodes), 2, 29, 0);
    ProcessCupTieResult(replay, 2, 5, 9);
    // (FindFixture ends the program when nothing is found.)
    const auto tieSlot = [](int16_t a, int16_t b, int16_t code) {
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            if (FixtureType(slot) == code && IsFixtureOfClub(slot, a) && IsFixtureOfClub(slot, b))
                return int16_t(slot);
        }
        return int16_t(-1);
    };
    const int16_t late = tieSlot(10, 2, CupCode(0, 3));
    ASSERT_NE(late, -1);
    ProcessCupTieResult(late, 2, 5, 9);
    const int16_t other = AddFixture(SeasonCalendar.currentDay, CupCode(0, 3), 5, 6, 0);
    ProcessCupTieResult(other, 5, 5, 9);
    EXPECT_NE(tieSlot(2, 5, CupCode(0, 4)), -1) << "2 meets 5 in round 4";
}

TEST_F(CupTieTest, AWinnerLeftOutOfAFullEntryTakesItsRivalsPlace) {
    // Round 4 was drawn with 10 standing for the open tie 10 v 2 but not
    // carrying 2 (its entry was full); 2 wins and meets 5 all the same.
    SetCupDrawClub(0, 0, 3, 0, 10);
    SetCupDrawClub(0, 0, 3, 1, 2);
    SetCupDrawClub(0, 0, 4, 0, 10);
    SetCupDrawClub(0, 0, 4, 1, 5);
    SetCupDrawClub(0, 0, 5, 0, 10);
    SetCupDrawWord(0, 0, 5, 0, 1, 5);
    const int16_t late = AddFixture(SeasonCalendar.currentDay, CupCode(0, 3), 10, 2, 0);
    ProcessCupTieResult(late, 2, 5, 9);
    EXPECT_EQ(CupDrawClub(0, 0, 4, 0), 2);
    EXPECT_EQ(CupDrawClub(0, 0, 5, 0), 2) << "every later round waiting on the tie";
    EXPECT_EQ(CupDrawWord(0, 0, 5, 0, 1), 5);
    EXPECT_TRUE(Received(2, 123, 5));
}

TEST_F(CupTieTest, TodaysMatchesStayWhereTheyAreWhenTheNextTieIsArranged) {
    // Club 3 has just won a replay today and club 12 plays a league match
    // later today; their next tie is due tomorrow.
    MakeUserClub(3);
    const int16_t replay = AddFixture(100, CupCode(0, 1 + kSecondMatchCodes), 3, 25, 0);
    StoreScore(replay, 2, 1);
    const int16_t league = AddFixture(100, kCompLeague, 12, 13, 0);
    const Fixture before[2] = {FixtureTable[replay], FixtureTable[league]};
    ArrangeCupFixture(3, 12, 1, 2, 0, 0, 0);
    // Neither of today's fixtures moved or lost its result: the tie goes
    // on two days instead.
    EXPECT_EQ(std::memcmp(&FixtureTable[replay], &before[0], sizeof(Fixture)), 0);
    EXPECT_EQ(std::memcmp(&FixtureTable[league], &before[1], sizeof(Fixture)), 0);
    EXPECT_EQ(HeadOf(2), (FixtureHead{103, CupCode(0, 2), 3, 12}));
    EXPECT_EQ(UsedSlots(), 3);
    EXPECT_FALSE(Received(3, 147));

    // A league match of a later day still makes way for the tie.
    const int16_t later = AddFixture(106, kCompLeague, 3, 14, 0);
    ArrangeCupFixture(3, 12, 5, 3, 0, 0, 0);
    EXPECT_EQ(FixtureType(later), CupCode(0, 3));
    EXPECT_GT(FixtureDay(FindFixture(3, 14, kCompLeague)), 106);
    EXPECT_TRUE(Received(3, 147));
}

TEST_F(CupTieTest, TheFinalAwardsTheCupAndItsTelevisionMoney) {
    EXPECT_EQ(CupTVAmount(0, 0, 65), 1079000);
    const int16_t code = CupCode(0, 7);
    SetCupDrawClub(0, 0, 7, 0, 4);
    SetCupDrawClub(0, 0, 7, 1, 5);
    const int32_t before = GetClubBalance(4), tvBefore = GetClubSeasonTVIncome(5);
    const int16_t final = AddFixture(100, code, 4, 5, 1);
    ProcessCupTieResult(final, 4, 5, 9);
    EXPECT_EQ(HonoursTable[0][0].words[0], 4);
    EXPECT_EQ(HonoursTable[0][0].words[1], 5);
    EXPECT_EQ(GetClubBalance(4) - before, 1079000);
    EXPECT_EQ(GetClubSeasonTVIncome(5) - tvBefore, 2000000 * 83 / 100 * 35 / 100);
}

TEST_F(CupTieTest, AFirstLegNeverDecidesATie) {
    auto block = std::make_unique<MatchResultBlock>();
    recbits::StoreU16(block->teams[0].bytes + kReportGoals, 3);
    const int16_t code = CupCode(4, 1);  // European cup 4 round 1: two legs
    SetCupDrawClub(0, 4, 1, 0, 6);
    SetCupDrawClub(0, 4, 1, 1, 7);
    const int16_t first = AddFixture(100, code, 6, 7, 0);
    StoreScore(first, 3, 0);
    BookMatchResult(*block, first, 0);
    EXPECT_EQ(CupDrawClub(0, 4, 1, 1), 7) << "nothing decided";
    const int16_t second = AddFixture(114, int16_t(code + 8), 7, 6, 0);
    recbits::StoreU16(block->teams[0].bytes + kReportGoals, 1);
    BookMatchResult(*block, second, 1);
    EXPECT_EQ(CupDrawClub(0, 4, 1, 1), -1) << "club 7 out on aggregate";
}

TEST_F(CupTieTest, GroupsSettleOnPointsThenSignedGoalDifference) {
    // Cup 6's first group stage: group 0 of clubs 0-3 has played.
    for (int i = 0; i < 4; ++i) SetCupDrawClub(0, 6, 0, i, int16_t(i));
    std::fill(std::begin(EuropeanEntrantListA), std::end(EuropeanEntrantListA), int16_t(-1));
    for (int i = 0; i < 4; ++i) EuropeanEntrantListA[i] = int16_t(i);
    const int16_t code = CupCode(6, 0);
    // Club 2 wins every match 1-0 but one 0-1 loss to 3; 0 and 1 draw 0-0
    // with each other and lose the rest 0-1; 3 loses the rest 0-2.
    const int results[4][4] = {{0, 0, 0, 1}, {0, 0, 0, 1}, {1, 1, 0, 1}, {0, 0, 1, 0}};
    const int against[4][4] = {{0, 0, 1, 0}, {0, 0, 1, 0}, {0, 0, 0, 0}, {2, 2, 0, 0}};
    for (int h = 0; h < 4; ++h) {
        for (int a = 0; a < 4; ++a) {
            if (h == a) continue;
            StoreScore(AddFixture(int16_t(60 + h), code, int16_t(h), int16_t(a), 0), results[h][a],
                       against[h][a]);
        }
    }
    GroupRow rows[4];
    for (int i = 0; i < 4; ++i) rows[i] = GroupRow{int16_t(i), 0, 0, 0};
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            if (a != b) AddGroupResult(rows[a], rows[b], code);
        }
    }
    EXPECT_EQ(rows[2].points, 15);
    EXPECT_EQ(rows[3].goalDifference, -6);
    CompetitionDayWord = 103;  // the second stage's draw day
    SeasonCalendar.currentDay = 130;
    ProcessCompetitionDay();
    std::vector<int16_t> through;
    for (int i = 0; i < 4; ++i) {
        if (CupDrawClub(0, 6, 0, i) != -1) through.push_back(CupDrawClub(0, 6, 0, i));
    }
    ASSERT_EQ(through.size(), 2u);
    const int16_t groupSorted[4] = {rows[0].club, rows[1].club, rows[2].club, rows[3].club};
    (void)groupSorted;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ChampionsLeagueGroups[0][0][i], i);
    int16_t best = -1, second = -1;
    {
        std::vector<GroupRow> sorted(rows, rows + 4);
        std::stable_sort(sorted.begin(), sorted.end(), [](const GroupRow& x, const GroupRow& y) {
            if (x.points != y.points) return x.points > y.points;
            if (x.goalDifference != y.goalDifference) return x.goalDifference > y.goalDifference;
            return x.goalsScored > y.goalsScored;
        });
        best = sorted[0].club;
        second = sorted[1].club;
    }
    EXPECT_TRUE(std::count(through.begin(), through.end(), best) == 1);
    EXPECT_TRUE(std::count(through.begin(), through.end(), second) == 1);
    EXPECT_EQ(std::count(EuropeanEntrantListA, EuropeanEntrantListA + 32, int16_t(-1)), 30);
}

TEST(GroupRankTest, PointsThenSignedGoalDifferenceThenGoals) {
    GroupRow rows[4] = {{1, 6, -1, 9}, {2, 6, 0, 1}, {3, 7, -5, 0}, {4, 6, 0, 2}};
    RankGroupRows(rows);
    EXPECT_EQ(rows[0].club, 3);
    EXPECT_EQ(rows[1].club, 4);
    EXPECT_EQ(rows[2].club, 2);
    EXPECT_EQ(rows[3].club, 1) << "-1 ranks below 0";
}

}  // namespace
