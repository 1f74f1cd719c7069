// Match report facts: codes and texts, the result memory, form, the
// European group analysis and the report's finders.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/club/squads.h"
#include "core/query/competitionnames.h"
#include "core/query/cupentry.h"
#include "core/query/europeangroups.h"
#include "core/query/fixturelookups.h"
#include "core/query/people.h"
#include "core/records/history.h"
#include "core/season/clubseason.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/racestory.h"
#include "core/season/reportfacts.h"
#include "tests/core/season/season_fixture.h"
#include "tests/fakes/soak_driver.h"
#include "tests/fakes/text_env.h"

namespace {

class ReportFactsTest : public SeasonTest {
  protected:
    void SetUp() override {
        UnmountSoakGameData();  // some tests bring up memory for their texts
        SeasonTest::SetUp();
        std::memset(LeagueSeasonRecords, 0, sizeof LeagueSeasonRecords);
        std::memset(ChampionsLeagueGroups, 0xFF, sizeof ChampionsLeagueGroups);
        MakeShippedWorld();
        for (int16_t c = 0; c < 20; ++c) PlaceInTable(c, 0, c);
        ShootOutCount = 0;
    }

    static void SetScore(int16_t slot, int home, int away, bool neutral = false) {
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        uint32_t score = recbits::LoadU32(word) & ~0x3FFu & ~kFixtureNeutralBit;
        score |= uint32_t(home) | uint32_t(away) << 5 | (neutral ? kFixtureNeutralBit : 0);
        recbits::StoreU32(word, score);
    }
    static int16_t Played(int16_t day, int16_t type, int16_t home, int16_t away, int hg, int ag) {
        const int16_t slot = AddFixture(day, type, home, away, 0);
        SetScore(slot, hg, ag);
        return slot;
    }
};

TEST(ReportCodes, StoryCupExitAndStandingClassTexts) {
    const struct {
        int code, text;
    } kStories[] = {{0, 2530},  {6, 2536},  {7, -1},    {8, 2500},  {17, 2509}, {18, 2515},
                    {19, 2516}, {20, 2517}, {30, 2517}, {21, 2518}, {31, 2518}, {22, 2519},
                    {32, 2519}, {23, 2510}, {27, 2514}, {28, 2520}, {29, 2521}, {33, 2525},
                    {37, 2529}, {38, 2899}, {44, 2905}, {45, -1},   {-1, -1}};
    for (const auto& s : kStories) EXPECT_EQ(GetStoryTextId(int16_t(s.code)), s.text) << "code " << s.code;
    EXPECT_EQ(GetCupExitTextId(1), 2489);
    EXPECT_EQ(GetCupExitTextId(2), 2498);
    EXPECT_EQ(GetCupExitTextId(3), 2498);
    EXPECT_EQ(GetCupExitTextId(4), 2499);
    EXPECT_EQ(GetCupExitTextId(0), -1);
    EXPECT_EQ(GetCupExitTextId(5), -1);
    EXPECT_EQ(CompareStandingClasses(5, 0), 5);
    EXPECT_EQ(CompareStandingClasses(6, 7), -1);
    EXPECT_EQ(CompareStandingClasses(7, 5), 0);
    EXPECT_EQ(CompareStandingClasses(8, 0), 0);
    EXPECT_EQ(CompareStandingClasses(0, -1), 0);
}

TEST_F(ReportFactsTest, CategorySentencesAndDerbies) {
    testenv::LoadTexts({{2594, "$0t have had mixed results$0g."},
                        {2562, "$0t have won their last $0n league games$0g."},
                        {2556, " at home"},
                        {2557, " away from home"}});
    const std::string mixed = BuildCategorySentence(3, 17, 0, 4);
    EXPECT_NE(mixed.find("mixed results"), std::string::npos) << mixed;
    EXPECT_NE(mixed.find("at home"), std::string::npos) << mixed;
    EXPECT_EQ(std::string(BuildCategorySentence(3, 30, 2, 4)),
              std::string(BuildCategorySentence(3, 17, 2, 4)));
    const std::string wins = BuildCategorySentence(3, 0, 1, 4);
    EXPECT_NE(wins.find("won their last 4"), std::string::npos) << wins;
    EXPECT_NE(wins.find("away from home"), std::string::npos) << wins;
    EXPECT_STREQ(BuildCategorySentence(1200, 0, 0, 4), "");
    testenv::UnloadTexts();

    const int16_t a = DerbyPairs[0][0], b = DerbyPairs[0][1];
    EXPECT_EQ(IsDerbyFixture(AddFixture(40, 0, a, b, 0)), 1);
    EXPECT_EQ(IsDerbyFixture(AddFixture(41, 0, b, a, 0)), 1);
    EXPECT_EQ(IsDerbyFixture(AddFixture(42, 0, a, int16_t(a == 3 ? 4 : 3), 0)), 0);
    EXPECT_EQ(IsDerbyFixture(-1), 0);
    EXPECT_EQ(IsDerbyFixture(kFixtureSlots), 0);
    EXPECT_EQ(IsMarkedClub(MarkedClubs[0]), 1);
    EXPECT_EQ(IsMarkedClub(-1), 0);
}

TEST_F(ReportFactsTest, TheDerbySentenceFollowsTheNextFixtureOnlyWhenItIsADerby) {
    const int16_t a = DerbyPairs[0][0], b = DerbyPairs[0][1];
    int16_t c = 0;
    while (c == a || c == b) ++c;
    EXPECT_STREQ(BuildDerbySentence(a), "");
    AddFixture(20, kCompFriendly, a, b, 0);  // friendlies are not counted
    EXPECT_STREQ(BuildDerbySentence(a), "");
    const int16_t plain = AddFixture(30, 0, a, c, 0);
    ASSERT_EQ(IsDerbyFixture(plain), 0);
    AddFixture(40, 0, b, a, 0);
    EXPECT_STREQ(BuildDerbySentence(a), "");
    SeasonCalendar.currentDay = 31;
    const std::string sentence = BuildDerbySentence(a);
    EXPECT_TRUE(sentence.find("derby") != std::string::npos || sentence.find("Derby") != std::string::npos)
        << sentence;
    EXPECT_STREQ(BuildDerbySentence(-1), "");
    EXPECT_STREQ(BuildDerbySentence(kClubCount), "");
}

TEST_F(ReportFactsTest, ResultMemoryIsEmptyAfterANewGameAndKeepsTheUsersLastResult) {
    std::memset(ClubResultMemory, 0, sizeof ClubResultMemory);
    ClearClubResultMemory();
    for (int16_t c = 0; c < kClubCount; ++c) ASSERT_FALSE(HasClubResult(c)) << c;

    MakeUserClub(4);
    const int16_t league = Played(30, 0, 7, 4, 1, 3);
    RecordUserClubResult(league);
    ClubResult r = GetClubResult(7);
    EXPECT_EQ(r.goalsA, 1);  // home club first
    EXPECT_EQ(r.goalsB, 3);
    EXPECT_EQ(r.aggregateA, -1);
    EXPECT_EQ(r.packed >> 9 & 0x1FF, 30u);
    EXPECT_EQ(r.packed >> 18 & 0x7F, 0u);
    EXPECT_EQ(r.packed >> 25 & 7, 0u);  // the user's division row
    EXPECT_EQ(r.packed >> 28 & 3, 1u);  // away
    EXPECT_FALSE(HasClubResult(8));

    // A friendly, a reserve match or a match without the user is not kept.
    RecordUserClubResult(Played(31, kCompFriendly, 4, 8, 2, 2));
    RecordUserClubResult(Played(32, kCompReserveLeague, 4, 8, 2, 2));
    RecordUserClubResult(Played(33, 0, 8, 9, 2, 2));
    EXPECT_FALSE(HasClubResult(8));
    EXPECT_FALSE(HasClubResult(9));
    RecordUserClubResult(-1);
    RecordUserClubResult(kFixtureSlots);
}

TEST_F(ReportFactsTest, TheUsersSecondLegKeepsTheAggregatesAndTheShootOut) {
    ClearClubResultMemory();
    MakeUserClub(4);
    // The first two-legged round of the cups club 4 can play in.
    int16_t first = -1, second = -1;
    for (int cup = 0; cup < 7 && second < 0; ++cup) {
        for (int round = 0; round < 8 && second < 0; ++round) {
            ClearFixtureTable();
            first = Played(50, CupCode(cup, round), 4, 12, 2, 0);
            second = Played(57, CupCode(cup, round + kSecondMatchCodes), 12, 4, 3, 1);
            if (!HVW_IsSecondLegFixture(second)) second = -1;
        }
    }
    ASSERT_GE(second, 0) << "some cup round is played over two legs";
    ASSERT_LT(first, second);
    ShootOutList[0] = uint32_t(second);  // the home side (12) won it
    ShootOutCount = 1;
    RecordUserClubResult(second);
    const ClubResult r = GetClubResult(12);
    EXPECT_EQ(r.goalsA, 3);
    EXPECT_EQ(r.goalsB, 1);
    EXPECT_EQ(r.aggregateA, 3 + 0);  // 12 scored none at 4's ground
    EXPECT_EQ(r.aggregateB, 1 + 2);
    EXPECT_EQ(r.packed >> 25 & 7, 6u);  // a cup match
    EXPECT_EQ(r.packed & kResultShootOutLost, kResultShootOutLost);
    EXPECT_EQ(r.packed & kResultShootOutWon, 0u);
    int16_t h = 0, a = 0;
    EXPECT_EQ(GetSecondLegFacts(second, &h, &a), 1);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(GetSecondLegFacts(first, &h, &a), 0);
}

TEST_F(ReportFactsTest, RecentFormOverAConstructedRun) {
    SeasonCalendar.currentDay = 100;
    // Club 0's league games, oldest first: W(h) L(a) D(h) W(a) W(h) 1-0, then
    // today's unplayed game.
    Played(10, 0, 0, 1, 2, 0);
    Played(20, 0, 2, 0, 1, 0);
    Played(30, 0, 0, 3, 1, 1);
    Played(40, 0, 4, 0, 0, 2);
    Played(50, 0, 0, 5, 1, 0);
    Played(55, kCompFriendly, 0, 6, 0, 5);  // not a league game
    AddFixture(100, 0, 0, 7, 0);
    uint8_t form[kFormEntries];
    const int16_t longest = GetRecentForm(0, form);
    auto all = [&form](int kind) { return int(form[kind * 3 + 2]); };
    auto home = [&form](int kind) { return int(form[kind * 3 + 0]); };
    EXPECT_EQ(all(0), 2);  // won the last two
    EXPECT_EQ(all(1), 3);  // unbeaten in three
    EXPECT_EQ(all(2), 5);  // then the defeat and one more unbeaten game
    EXPECT_EQ(all(3), 0);
    EXPECT_EQ(all(4), 0);
    EXPECT_EQ(all(5), 1);  // the first game, a win, ends kind 4 and starts it
    EXPECT_EQ(all(8), 1);  // one goal in the latest game starts it
    EXPECT_EQ(all(6), 0);
    EXPECT_EQ(all(9), 2);   // two clean sheets, then one goal conceded
    EXPECT_EQ(all(10), 3);  // ... which starts the second run
    EXPECT_EQ(home(0), 1);  // at home: W, D, W
    EXPECT_EQ(home(1), 3);
    EXPECT_EQ(longest, 5);
    EXPECT_EQ(CountRecentPoints(0, 3, 2), 3 + 3 + 1);
    EXPECT_EQ(CountRecentPoints(0, 10, 1), 3 + 0);
    EXPECT_EQ(CountRecentPoints(0, 0, 2), 0);
    EXPECT_EQ(CountRecentPoints(-1, 3, 2), 0);
    EXPECT_EQ(GetRecentForm(1200, form), 0);
}

TEST_F(ReportFactsTest, FormCodeEarlyFromStandingClassesLaterFromForm) {
    SeasonCalendar.currentDay = 200;
    const int16_t slot = AddFixture(200, 0, 0, 1, 0);
    EXPECT_EQ(ClassifyClubSeason(0, -1), -1);
    EXPECT_EQ(ClassifyClubSeason(5, slot), -1);
    const int16_t early = ClassifyClubSeason(0, slot);
    EXPECT_GE(early, 0);
    EXPECT_LE(early, 3);
    // Six games played: club 0 won all its home games; club 1's away games,
    // oldest first, W W L D: its best streak is the unbeaten run that began
    // before the defeat (mark 1).
    for (int i = 0; i < 6; ++i) Played(int16_t(10 + i * 7), 0, 0, int16_t(2 + i), 2, 0);
    Played(11, 0, 8, 1, 0, 1);
    Played(18, 0, 9, 1, 0, 1);
    Played(25, 0, 10, 1, 1, 0);
    Played(32, 0, 11, 1, 1, 1);
    LeagueSeasonRecords[0].words[kSeasonPlayed] = 6;
    LeagueSeasonRecords[1].words[kSeasonPlayed] = 6;
    // The earlier games moved today's fixture down the table.
    const int16_t today = FindClubFixtureSlotOnDay(0, 200, 0);
    EXPECT_EQ(ClassifyClubSeason(0, today), 0);
    EXPECT_EQ(ClassifyClubSeason(1, today), 3);  // mark 1 against mark 3
}

TEST_F(ReportFactsTest, FinderListsAndDays) {
    SeasonCalendar.currentDay = 20;
    AddFixture(10, 0, 0, 1, 0);
    const int16_t a = AddFixture(20, 0, 0, 2, 0);
    AddFixture(20, kCompReserveLeague, 0, 2, 0);
    AddFixture(22, kCompNationalTeam, 0, 1, 1);
    const int16_t f = AddFixture(25, kCompFriendly, 0, 3, 0);
    const int16_t b = AddFixture(27, 0, 4, 0, 0);
    int16_t list[100];
    SeasonCalendar.leagueStartDay[0] = 300;
    EXPECT_EQ(ListUpcomingFixtures(0, 10, 0, list, 0), 3);
    EXPECT_EQ(list[0], a);
    EXPECT_EQ(list[2], b);
    EXPECT_EQ(list[3], -1);
    EXPECT_EQ(ListUpcomingFixtures(0, 10, 0, list, 1), 4);
    EXPECT_EQ(list[2], f);
    EXPECT_EQ(ListUpcomingFixtures(0, 0, 1, list, 0), 3);  // up to day 28
    EXPECT_EQ(ListUpcomingFixtures(0, 0, 0, list, 0), 0);
    EXPECT_EQ(ListUpcomingFixtures(0, 1, 0, list, 0), 1);
    EXPECT_EQ(FindClubFixtureSlotOnDay(0, 20, 0), a);
    EXPECT_EQ(FixtureType(FindClubFixtureSlotOnDay(0, 20, kCompReserveLeague)), kCompReserveLeague);
    EXPECT_EQ(FindClubFixtureSlotOnDay(0, 21, 0), -1);
    EXPECT_EQ(FindClubFixtureSlotOnDay(1200, 20, 0), -1);
    MakeUserClub(4);
    EXPECT_EQ(FindUserFixtureOnDay(27, 0), b);
}

TEST_F(ReportFactsTest, MentionedPlayers) {
    ClearMentionedPlayers();
    EXPECT_EQ(IsPlayerMentioned(5), 0);
    MentionPlayer(5);
    EXPECT_EQ(IsPlayerMentioned(5), 1);
    EXPECT_EQ(IsPlayerMentioned(6), 0);
    EXPECT_EQ(IsPlayerMentioned(0), 0);
    ClearMentionedPlayers();
    EXPECT_EQ(IsPlayerMentioned(5), 0);
}

// ---------------------------------------------------------------------------
// The European group stage

class GroupStoryTest : public ReportFactsTest {
  protected:
    static constexpr int16_t kCode = 101;  // cup 6, group stage 0
    void SetUp() override {
        ReportFactsTest::SetUp();
        const int16_t clubs[4] = {0, 1, 2, 3};
        std::memcpy(ChampionsLeagueGroups[0][2], clubs, sizeof clubs);
        SeasonCalendar.currentDay = 100;
    }
    // Rounds of the group: 0v1 2v3, 0v2 1v3, 0v3 1v2 and back.
    static constexpr int16_t kPairs[6][2][2] = {{{0, 1}, {2, 3}}, {{2, 0}, {3, 1}}, {{0, 3}, {1, 2}},
                                                {{1, 0}, {3, 2}}, {{0, 2}, {1, 3}}, {{3, 0}, {2, 1}}};
    // Plays the first `rounds` rounds with the given winners (-1 a draw),
    // then lays the rest out from day 100.
    int16_t Lay(int rounds, const int16_t winners[][2]) {
        int16_t next = -1;
        for (int r = 0; r < 6; ++r) {
            for (int m = 0; m < 2; ++m) {
                const int16_t home = kPairs[r][m][0], away = kPairs[r][m][1];
                const int16_t day = int16_t(r < rounds ? 10 + r * 14 : 100 + (r - rounds) * 14);
                const int16_t slot = AddFixture(day, kCode, home, away, 0);
                if (r < rounds) {
                    const int16_t w = winners[r][m];
                    SetScore(slot, w == home ? 1 : 0, w == away ? 1 : 0);
                } else if (next < 0 && (home == 0 || away == 0)) {
                    next = slot;
                }
            }
        }
        return next;
    }
};

TEST_F(GroupStoryTest, StandingsFromThePlayedMatches) {
    const int16_t winners[4][2] = {{0, 2}, {0, -1}, {0, 1}, {0, 3}};
    Lay(4, winners);
    int16_t s[kGroupStandingRows][kGroupStandingWords];
    BuildGroupStandings(s, 2, 0);
    EXPECT_EQ(s[0][kGroupClub], 0);
    EXPECT_EQ(s[0][kGroupPoints], 12);
    EXPECT_EQ(s[0][kGroupPlayed], 4);
    int total = 0;
    for (auto& row : s) total += row[kGroupPlayed];
    EXPECT_EQ(total, 16);
    // A stage of 2 leaves the rows as they were.
    s[0][kGroupClub] = 77;
    BuildGroupStandings(s, 2, 2);
    EXPECT_EQ(s[0][kGroupClub], 77);
}

TEST_F(GroupStoryTest, NoOneCanCatchTheLeaderAndTheLastCannotReachSecond) {
    // Club 0 wins every match; club 3 loses every one.
    const int16_t winners[4][2] = {{0, 2}, {0, 1}, {0, 1}, {0, 2}};
    const int16_t next = Lay(4, winners);
    ASSERT_GE(next, 0);
    EXPECT_EQ(GetGroupStageStoryCode(0, next), 43);
    EXPECT_EQ(GetStoryTextId(43), 2904);
    // Club 3's next match: with 0 points and 6 to play for it cannot pass
    // club 1 (9 points).
    int16_t slot3 = -1;
    for (int s = next; s < kFixtureSlots && slot3 < 0 && !IsFixtureEmpty(s); ++s) {
        if (IsFixtureOfClub(s, 3)) slot3 = int16_t(s);
    }
    ASSERT_GE(slot3, 0);
    EXPECT_EQ(GetGroupStageStoryCode(3, slot3), 44);
}

TEST_F(GroupStoryTest, FourOtherOpenFixturesAreTooMany) {
    const int16_t next = Lay(0, nullptr);
    ASSERT_GE(next, 0);
    EXPECT_EQ(GetGroupStageStoryCode(0, next), 7);
    EXPECT_EQ(GetStoryTextId(7), -1);
}

TEST_F(GroupStoryTest, OutsideTheGroupStageThereIsNoStory) {
    const int16_t next = Lay(0, nullptr);
    EXPECT_EQ(GetGroupStageStoryCode(5, next), -1);  // not in the fixture
    EXPECT_EQ(GetGroupStageStoryCode(0, -1), -1);
    const int16_t knockOut = AddFixture(150, int16_t(kCode + 2), 0, 1, 0);
    EXPECT_EQ(GetGroupStageStoryCode(0, knockOut), -1);  // round index 2
    const int16_t league = AddFixture(150, 0, 0, 1, 0);
    EXPECT_EQ(GetGroupStageStoryCode(0, league), -1);
    std::memset(ChampionsLeagueGroups, 0xFF, sizeof ChampionsLeagueGroups);
    EXPECT_EQ(GetGroupStageStoryCode(0, next), -1);  // no group
}

TEST_F(ReportFactsTest, SquadValueFigureGivesTheSharedListsBackToTheirClub) {
    // The lists are built for a club outside the division; the figure builds
    // those of every club of the division and then that club's again.
    constexpr int16_t kListed = 40;
    SetClubControl(kListed, 1);
    for (uint16_t p = 2; p < 6; ++p) {
        SetPlayerClub(p, kListed);
        SetPlayerLoanClub(p, kListed);
        SetPlayerPosition(p, int16_t(p));
    }
    UpdateClubSquads();
    HVW_BuildSquadList(kListed);
    ASSERT_GE(FirstTeamList.count, 4);
    const SquadList before = FirstTeamList;
    EXPECT_EQ(GetSquadValueFigure(0, 0), 0);  // fewer than 20 valued players
    EXPECT_EQ(std::memcmp(&before, &FirstTeamList, sizeof before), 0);
    EXPECT_EQ(GetSquadValueFigure(9, 0), 0);
    EXPECT_EQ(GetSquadValueFigure(0, 6), 0);
}

}  // namespace

// ---------------------------------------------------------------------------
// National cup previews

class CupPreviewTest : public ReportFactsTest {
  protected:
    // The n-th club of the nation's division, placed at the table place.
    static int16_t Club(int nation, int row, int index, int place) {
        int seen = 0;
        for (int16_t c = 0; c < kClubCount; ++c) {
            if (GetClubNation(c) != uint16_t(nation) || GetClubDivision(c) != uint16_t(row)) continue;
            if (seen++ != index) continue;
            LeagueTable[nation][row][place] = c;
            LeagueSeasonRecords[c].words[kSeasonPlace] = int16_t(place);
            return c;
        }
        return -1;
    }
    // A round of a national cup of the nation whose tie type and legs match.
    static bool FindRound(int nation, int tieType, int legs, int* cup, int* round) {
        for (*cup = 0; *cup < 4; ++*cup) {
            for (*round = 0; *round < 8; ++*round) {
                if (tieType >= 0 &&
                    HVW_GetCupRoundTieType(int16_t(nation), int16_t(*cup), int16_t(*round)) != tieType)
                    continue;
                const int16_t h = Club(nation, 0, 0, 0), a = Club(nation, 0, 1, 1);
                ClearFixtureTable();
                const int16_t slot = AddFixture(60, CupCode(*cup, *round), h, a, 0);
                int16_t s, e, g, p, ag, leg, replay, fh, fa;
                HVW_GetFixturePlayOptions(slot, &s, &e, &g, &p, &ag, &leg, &replay, &fh, &fa);
                ClearFixtureTable();
                if ((legs == 2) == (leg == 1)) return true;
            }
        }
        return false;
    }
};

TEST_F(CupPreviewTest, TopQuarterClubsOfOneDivisionInOneMatchAndFinalsWithoutCodes) {
    int cup = 0, round = 0;
    ASSERT_TRUE(FindRound(0, 0, 1, &cup, &round));
    const int16_t h = Club(0, 0, 2, 1), a = Club(0, 0, 3, 3);
    int16_t homeCode = 0, awayCode = 0;
    const int16_t slot = AddFixture(60, CupCode(cup, round), h, a, 0);
    EXPECT_EQ(CompareClubPositions(slot, &homeCode, &awayCode), 3);
    EXPECT_EQ(homeCode, -1);
    EXPECT_EQ(awayCode, -1);
    // A top-quarter club at home to one of the bottom third.
    const int16_t low = Club(0, 0, 4, 15);
    const int16_t mismatch = AddFixture(62, CupCode(cup, round), h, low, 0);
    EXPECT_EQ(CompareClubPositions(mismatch, &homeCode, &awayCode), -1);
    EXPECT_EQ(homeCode, 1);
    // A home club two divisions up, both top of their tables.
    const int16_t lower = Club(0, 2, 0, 0);
    const int16_t gap = AddFixture(64, CupCode(cup, round), h, lower, 0);
    EXPECT_EQ(CompareClubPositions(gap, &homeCode, &awayCode), 4);
    EXPECT_EQ(homeCode, 2);

    int finalCup = 0, finalRound = 0;
    ASSERT_TRUE(FindRound(0, 3, 1, &finalCup, &finalRound));
    const int16_t final = AddFixture(70, CupCode(finalCup, finalRound), h, a, 0);
    EXPECT_EQ(CompareClubPositions(final, &homeCode, &awayCode), -1);
    EXPECT_EQ(homeCode, -1);
    EXPECT_EQ(awayCode, -1);
    // Not a national cup, or no fixture.
    EXPECT_EQ(CompareClubPositions(AddFixture(72, 0, h, a, 0), &homeCode, &awayCode), -1);
    EXPECT_EQ(CompareClubPositions(-1, &homeCode, &awayCode), -1);
}

TEST_F(CupPreviewTest, SecondLegsByTheFirstLegMargin) {
    int nation = 0, cup = 0, round = 0;
    while (nation < kCountryCount && !FindRound(nation, -1, 2, &cup, &round)) ++nation;
    ASSERT_LT(nation, kCountryCount) << "some national cup has a two-legged round";
    const int16_t h = Club(nation, 0, 0, 6), a = Club(nation, 0, 1, 7);
    const int16_t lower = Club(nation, 1, 0, 6);
    int16_t homeCode = 0, awayCode = 0;
    // Second legs: the first leg was played at the other club's ground.
    auto secondLeg = [&](int16_t home, int16_t away, int firstAwayClubGoals, int firstHomeClubGoals,
                         int day) {
        const int16_t first =
            Played(int16_t(day), CupCode(cup, round), away, home, firstAwayClubGoals, firstHomeClubGoals);
        (void)first;
        return AddFixture(int16_t(day + 7), CupCode(cup, round + kSecondMatchCodes), home, away, 0);
    };
    // Five up in one division: the tie is over.
    int16_t slot = secondLeg(h, a, 0, 5, 20);
    EXPECT_EQ(CompareClubPositions(slot, &homeCode, &awayCode), 27);
    // Three up: codes for both clubs.
    slot = secondLeg(a, h, 1, 4, 40);
    EXPECT_EQ(CompareClubPositions(slot, &homeCode, &awayCode), -1);
    EXPECT_EQ(homeCode, 30);
    EXPECT_EQ(awayCode, 31);
    // Five down at home to a club a division higher.
    slot = secondLeg(lower, h, 5, 0, 60);
    CompareClubPositions(slot, &homeCode, &awayCode);
    EXPECT_EQ(homeCode, 61);
    EXPECT_EQ(awayCode, 25);
    // A second leg whose first leg is missing gives nothing.
    slot = AddFixture(100, CupCode(cup, round + kSecondMatchCodes), h, lower, 0);
    EXPECT_EQ(CompareClubPositions(slot, &homeCode, &awayCode), -1);
    EXPECT_EQ(homeCode, -1);
}

TEST_F(ReportFactsTest, AFullEventListMakesRoomByDroppingTheOldest) {
    ClearReportEvents();
    const int16_t slot = AddFixture(40, 0, 0, 1, 0);
    for (int i = 0; i < kReportEventSlots + 5; ++i) {
        QueueReportEvent(uint16_t(1 + i % 40), slot, 2, int16_t(i), false);
    }
    // The oldest five went; the latest stands last.
    EXPECT_EQ(ReportEventList[4], 5);
    EXPECT_EQ(ReportEventList[(kReportEventSlots - 1) * kReportEventSize + 4], kReportEventSlots + 4);
    int16_t sum = 0;
    EXPECT_EQ(CountPlayerEvents(1, 2, &sum), kReportEventSlots / 40);
    QueueReportEvent(0, slot, 2, 1, false);  // no player: ignored
    QueueReportEvent(3, -1, 2, 1, false);    // no fixture: ignored
    EXPECT_EQ(ReportEventList[(kReportEventSlots - 1) * kReportEventSize + 4], kReportEventSlots + 4);
}

TEST_F(ReportFactsTest, HonoursAndTheSentencesThatReadThem) {
    const ClubHonoursRecord& top = ClubHonoursTable[0];
    const int16_t club = top.club;
    EXPECT_EQ(GetClubHonourCountA(club), top.league & 0xFF);
    EXPECT_EQ(GetClubHonourCountB(club), top.cups[0] & 0xFF);
    EXPECT_EQ(GetClubHonourCountA(1190), 1);  // outside the first two nations
    EXPECT_EQ(GetClubHonourCountB(110), 1);   // a club of nation 0 without a record
    EXPECT_EQ(GetClubHonourCountA(-1), 1);
    SeasonCalendar.currentDay = 30;
    AddFixture(40, CupCode(0, 3), club, 5, 0);
    ClubHonoursRecord record{};
    EXPECT_EQ(GetClubHonourByCup(club, &record), top.cups[0]);
    EXPECT_EQ(record.club, club);
    EXPECT_EQ(GetClubHonourByCup(110, &record), 0);

    testenv::LoadTexts({{2911, "$0t have won the league title $0n times."},
                        {2915, "$0t have never won the league title."},
                        {2537, "$0t sit proudly at the top of the table."},
                        {2542, "$0t are deep in relegation trouble."},
                        {2996, "$0t lead the way."},
                        {3002, "$0t, with $0n league titles and $1n cup wins, have a proud history."}});
    EXPECT_NE(std::string(BuildRecordSentence(club, 11, 18)).find("18 times"), std::string::npos);
    EXPECT_NE(std::string(BuildRecordSentence(club, 11, 0)).find("never"), std::string::npos);
    EXPECT_STREQ(BuildRecordSentence(club, 7, 3), "");
    EXPECT_NE(std::string(BuildTableSentence(0)).find("top of the table"), std::string::npos);
    EXPECT_NE(std::string(BuildTableSentence(19)).find("relegation"), std::string::npos);
    EXPECT_STREQ(BuildTableSentence(1190), "");
    SetClubBaseRep(0, 0);
    const std::string context = BuildLeagueContextSentence(0);
    EXPECT_NE(context.find("lead the way"), std::string::npos) << context;
    EXPECT_NE(context.find("proud history"), std::string::npos) << context;
    testenv::UnloadTexts();
}

TEST_F(CupPreviewTest, EarlierMeetingSentences) {
    testenv::LoadTexts({{2833, "Two of the division's front-runners meet."},
                        {2860, "$0t hold a commanding lead from the first leg, $0n-$1n."}});
    const int16_t first = Played(50, CupCode(1, 5), 3, 4, 0, 3);
    const int16_t second = AddFixture(57, CupCode(1, 5 + kSecondMatchCodes), 4, 3, 0);
    ASSERT_LT(first, second);
    const std::string lead = BuildEarlierMeetingSentence(30, 3, second);
    EXPECT_NE(lead.find("commanding lead from the first leg, 0-3"), std::string::npos) << lead;
    EXPECT_STREQ(BuildEarlierMeetingSentence(3, -1, second), "Two of the division's front-runners meet.");
    EXPECT_STREQ(BuildEarlierMeetingSentence(62, -1, second), "");
    EXPECT_STREQ(BuildEarlierMeetingSentence(3, 1200, second), "");
    EXPECT_STREQ(BuildEarlierMeetingSentence(3, -1, -1), "");
    testenv::UnloadTexts();
}

TEST_F(ReportFactsTest, TransferFeesAndMeetingsWithTheFormerClub) {
    ClearHistoryLists();
    const uint16_t player = 5;
    SetPlayerClub(player, 3);
    SetPlayerLoanClub(player, 3);
    int32_t fee = -1;
    EXPECT_EQ(FindPlayerTransferFee(player, &fee), 0);
    EXPECT_EQ(fee, 0);
    AddPlayerHistoryStats(player, 7, 3, 2500, 2, 0);  // from club 7 for 2,500,000
    EXPECT_EQ(FindPlayerTransferFee(player, &fee), 5);
    EXPECT_EQ(fee, 25000);
    EXPECT_EQ(FindPlayerPreviousClubMeeting(player, AddFixture(40, 0, 3, 7, 0)), 1);
    EXPECT_EQ(FindPlayerPreviousClubMeeting(player, AddFixture(41, 0, 8, 3, 0)), 0);
    EXPECT_EQ(FindPlayerPreviousClubMeeting(player, AddFixture(42, 0, 8, 7, 0)), 0);  // not his club's
    // Out on loan from club 9 at club 3: the parent is the former club.
    SetPlayerLoanClub(player, 9);
    EXPECT_EQ(FindPlayerTransferFee(player, &fee), 3);
    EXPECT_EQ(FindPlayerPreviousClubMeeting(player, AddFixture(43, 0, 9, 3, 0)), 1);
    EXPECT_EQ(FindPlayerTransferFee(0, &fee), 0);
    EXPECT_EQ(FindPlayerPreviousClubMeeting(player, -1), 0);
}
