// The league table, the rankings, the fixtures by day, the club fixtures and
// the European qualification view over one shared new-game world, with
// fixtures laid out by the tests: paging, goal differences, views, zone
// lines and movement marks; the player-managers' order and the hand-over to
// the table; match days, brackets and second legs; the club's season view;
// and, with the scripted user, the title-bar way to the table and to the
// qualification view, the title click and a grab of the table.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/europeanplaces.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/query/standings.h"
#include "core/records/frontstate.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/newgame.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/country/rankings.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/league/clubfixtures.h"
#include "game/screens/league/fixturesbyday.h"
#include "game/screens/league/leaguetable.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/start/soakscreen.h"
#include "game/screens/start/startmenu.h"
#include "game/system/display2d.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

bool g_leagueWorldReady = false;
std::string g_leagueWorldError;
std::vector<Fixture> g_leagueFixtures;
SeasonCalendarState g_leagueCalendar;

void LeagueNewWorld() {
    g_leagueWorldError = testenv::KeptNewGame(70);
    g_leagueWorldReady = g_leagueWorldError.empty();
    if (!g_leagueWorldReady) return;
    g_leagueFixtures.assign(std::begin(FixtureTable), std::end(FixtureTable));
    g_leagueCalendar = SeasonCalendar;
}

void ClearFixtures() {
    for (Fixture& f : FixtureTable) {
        std::memset(f.bytes, 0, sizeof f.bytes);
        f.bytes[0] = 0xFF;  // day 511: an empty slot
        f.bytes[1] = 0x01;
    }
}

// Writes a fixture into a slot; 31 goals each for one not played.
void PutFixture(int slot, int day, int type, int home, int away, int homeGoals = 31, int awayGoals = 31,
                uint32_t flags = 0, uint32_t crowd = 0) {
    uint8_t* f = FixtureTable[slot].bytes;
    recbits::StoreU32(f + kFixtureHeadWord, uint32_t(day) | uint32_t(type) << 9);
    recbits::StoreU16(f + kFixtureHomeClub, uint16_t(home));
    recbits::StoreU16(f + kFixtureAwayClub, uint16_t(away));
    recbits::StoreU32(f + kFixtureScoreWord, uint32_t(homeGoals) | uint32_t(awayGoals) << 5 | flags);
    recbits::StoreU32(f + kFixtureCrowdWord, crowd);
}

// A screen function's first walk and then one more, as the engine makes them.
template <typename Screen>
void Enter(Screen screen) {
    SetMenuFirstEntry(1);
    screen();
    SetMenuFirstEntry(0);
}

int16_t DivisionClub(int country, int division, int i) {
    return int16_t(DivisionClubLists[country][division][i]);
}

int RowOfClub(uint16_t club) {
    for (int r = 0; r < LeagueTableShownRows(); ++r)
        if (LeagueTableShownRow(r).club == club) return r;
    return -1;
}

class LeagueScreensTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        LeagueNewWorld();
        if (!g_leagueWorldReady) GTEST_FAIL() << g_leagueWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        std::copy(g_leagueFixtures.begin(), g_leagueFixtures.end(), FixtureTable);
        SeasonCalendar = g_leagueCalendar;
        BuildNameTables();
        user_ = DivisionClub(0, 0, 10);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SelectedClub = uint16_t(user_);
        MenuCurrentPlayer = 1;
        PreviousMenuOption = kScreenClubMain;
        HandedOverClub = HandedOverDivision = kNoTableClub;
        MatchPrepActive = 0;
        ClubFixtures_ResetTitleClick();
    }
    void TearDown() override {
        if (g_leagueWorldReady && started_) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
            HVW_SetViewedCountry(0);
        }
        MenuEngineTest::TearDown();
    }
    int16_t user_ = -1;
};

TEST_F(LeagueScreensTest, TablePagesSortsAndShowsGoalDifferences) {
    ClearFixtures();
    SeasonCalendar.currentDay = 100;
    const int16_t a = DivisionClub(0, 0, 0), b = DivisionClub(0, 0, 1), c = DivisionClub(0, 0, 2),
                  d = DivisionClub(0, 0, 3), e = DivisionClub(0, 0, 4), f = DivisionClub(0, 0, 5);
    PutFixture(0, 50, kCompLeague, a, b, 5, 0);
    PutFixture(1, 50, kCompLeague, c, d, 1, 4);
    PutFixture(2, 50, kCompLeague, e, f, 2, 2);
    Enter(LeagueTableMenu);
    EXPECT_EQ(ViewedDivision, 0);
    EXPECT_EQ(LeagueTableView, kLeagueOrderView);
    ASSERT_EQ(LeagueTableClubCount(), 20);
    ASSERT_EQ(LeagueTableShownRows(), 18);
    for (int r = 0; r < 18; ++r) EXPECT_EQ(LeagueTableShownRow(r).counters[kSeasonPlace], r + 1) << r;
    EXPECT_STREQ(LeagueTableShownRow(RowOfClub(a)).goalDifferenceText, "+5");
    EXPECT_STREQ(LeagueTableShownRow(RowOfClub(e)).goalDifferenceText, "0");
    EXPECT_EQ(RowOfClub(c), -1);  // -3 and -5: the last two places
    EXPECT_EQ(LeagueTableShownRow(RowOfClub(user_)).style, 1);
    EXPECT_EQ(LeagueTableShownRow(RowOfClub(a)).style, 0);
    // The last page ends at the last club, and goes no further.
    LeagueTable_ScrollDown(nullptr);
    LeagueTableMenu();
    EXPECT_EQ(LeagueTableTop, 2);
    EXPECT_EQ(LeagueTableShownRow(0).counters[kSeasonPlace], 3);
    EXPECT_EQ(LeagueTableShownRow(17).counters[kSeasonPlace], 20);
    EXPECT_STREQ(LeagueTableShownRow(RowOfClub(c)).goalDifferenceText, "-3");
    EXPECT_EQ(LeagueTableShownRow(17).club, uint16_t(b));
    LeagueTable_ScrollDown(nullptr);
    EXPECT_EQ(LeagueTableTop, 2);
    LeagueTable_ScrollUp(nullptr);
    LeagueTableMenu();
    EXPECT_EQ(LeagueTableTop, 0);
    EXPECT_EQ(LeagueTableShownRow(0).counters[kSeasonPlace], 1);

    // View 12 keeps the league order; home goals for puts the club with
    // five first and the place column keeps each club's place.
    for (int i = 0; i < 20; ++i) EXPECT_EQ(LeagueTableSortedClub(i), uint16_t(LeagueTable[0][0][i])) << i;
    EXPECT_EQ(LeagueTable_SetColumnView(4), MENU_REDRAW);
    LeagueTableMenu();
    EXPECT_EQ(LeagueTableSortedClub(0), uint16_t(a));
    EXPECT_EQ(LeagueTableSortedClub(1), uint16_t(e));
    for (int r = 0; r < 18; ++r) {
        const LeagueTableRow& row = LeagueTableShownRow(r);
        EXPECT_EQ(row.counters[kSeasonPlace], LeagueSeasonRecords[row.club].words[kSeasonPlace] + 1);
    }
    // Goal difference: +5 first, -5 last.
    LeagueTable_SetColumnView(11);
    LeagueTableMenu();
    EXPECT_EQ(LeagueTableSortedClub(0), uint16_t(a));
    EXPECT_EQ(LeagueTableSortedClub(19), uint16_t(b));
    // Away goals against: the five b conceded; form: a's win by five first.
    LeagueTable_SetColumnView(10);
    LeagueTableMenu();
    EXPECT_EQ(LeagueTableSortedClub(0), uint16_t(b));
    LeagueTable_SetColumnView(kFormView);
    LeagueTableMenu();
    EXPECT_EQ(LeagueTableSortedClub(0), uint16_t(a));
    EXPECT_EQ(LeagueTableSortedClub(1), uint16_t(d));
    LeagueTable_SetColumnView(11);
    EXPECT_EQ(LeagueTable_SetColumnView(14), MENU_CONTINUE);
    EXPECT_EQ(LeagueTableView, 11);

    // An empty row's name click does nothing; a club's goes to screen 2.
    EXPECT_EQ(LeagueTable_PickClub(18), MENU_CONTINUE);
    EXPECT_EQ(LeagueTable_PickClub(0), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenSelectedClubSquad);
    EXPECT_EQ(SelectedClub, uint16_t(a));

    // A division of 18 never scrolls; with the user's club abroad the
    // screen opens at division 0.
    HVW_SetViewedCountry(2);
    Enter(LeagueTableMenu);
    EXPECT_EQ(ViewedDivision, 0);
    ASSERT_EQ(LeagueTableClubCount(), 18);
    LeagueTable_ScrollDown(nullptr);
    EXPECT_EQ(LeagueTableTop, 0);
    // A division past the country's count is refused.
    EXPECT_EQ(LeagueTable_SetDivision(int16_t(HVW_CountDivisions(2))), MENU_CONTINUE);
    EXPECT_EQ(ViewedDivision, 0);
}

TEST_F(LeagueScreensTest, ZoneLinesOnlyOnShownRowsAndTheReservesToggle) {
    ClearFixtures();
    SeasonCalendar.currentDay = 100;
    Enter(LeagueTableMenu);
    // Division 1 of country 0: two promoted, four play-off places, three
    // relegated, 24 clubs.
    LeagueTable_SetDivision(1);
    LeagueTableMenu();
    ASSERT_EQ(LeagueTableClubCount(), 24);
    for (int r = 0; r < 18; ++r) {
        const int expected = r == 2 ? kZoneLineSolid : r == 6 ? kZoneLineDashed : 0;
        EXPECT_EQ(LeagueTableZoneLines(r), expected) << r;
    }
    LeagueTable_ScrollDown(nullptr);
    LeagueTableMenu();
    ASSERT_EQ(LeagueTableTop, 6);
    for (int r = 0; r < 18; ++r) {
        const int i = 6 + r;
        const int expected = i == 21 ? kZoneLineSolid : i == 6 ? kZoneLineDashed : 0;
        EXPECT_EQ(LeagueTableZoneLines(r), expected) << r;
    }
    EXPECT_EQ(LeagueTableZoneLines(18), 0);
    // The toggle shows the reserve league's table of the division.
    EXPECT_TRUE(LeagueTableHasToggle());
    LeagueTable_ToggleTable(nullptr);
    LeagueTableMenu();
    EXPECT_EQ(LeagueTableMode, 1);
    LeagueTable_ScrollUp(nullptr);
    LeagueTableMenu();
    EXPECT_NE(std::string(LeagueTableTitle()).find(GetText(2428)), std::string::npos);
    for (int r = 0; r < 18; ++r) {
        EXPECT_EQ(LeagueTableSortedClub(r), uint16_t(ReserveLeagueTable[0][1][r])) << r;
        EXPECT_EQ(LeagueTableShownRow(r).counters[kSeasonPlace], r + 1) << r;
    }
    // Country 2's third division has no reserve league: no toggle, the mode
    // stays.
    HVW_SetViewedCountry(2);
    LeagueTable_SetDivision(2);
    LeagueTableMenu();
    EXPECT_FALSE(LeagueTableHasToggle());
    EXPECT_EQ(LeagueTableMode, 1);
}

TEST_F(LeagueScreensTest, MovementMarksAfterTwoLeagueDays) {
    ClearFixtures();
    SeasonCalendar.currentDay = 100;
    const int16_t a = DivisionClub(0, 0, 0), b = DivisionClub(0, 0, 1), c = DivisionClub(0, 0, 2),
                  d = DivisionClub(0, 0, 3), idle = DivisionClub(0, 0, 7);
    PutFixture(0, 40, kCompLeague, a, b, 2, 0);
    PutFixture(1, 40, kCompLeague, c, d, 1, 0);
    // One league day: nothing moved.
    SeasonCalendar.currentDay = 50;
    Enter(LeagueTableMenu);
    for (int r = 0; r < LeagueTableShownRows(); ++r) EXPECT_EQ(LeagueTableShownRow(r).movementIcon, 87) << r;
    // The second day: c passes a.
    PutFixture(2, 60, kCompLeague, c, b, 3, 0);
    SeasonCalendar.currentDay = 100;
    LeagueTableMenu();
    int moved = 0;
    for (int i = 0; i < 20; ++i) {
        const uint16_t club = LeagueTableSortedClub(i);
        const int16_t icon = TableMovement[club] == 1 ? 88 : TableMovement[club] == 2 ? 89 : 87;
        if (i < 18) {
            EXPECT_EQ(LeagueTableShownRow(i).movementIcon, icon) << i;
        }
        moved += icon != 87 ? 1 : 0;
    }
    EXPECT_EQ(LeagueTableShownRow(RowOfClub(uint16_t(c))).movementIcon, 88);
    EXPECT_EQ(LeagueTableShownRow(RowOfClub(uint16_t(a))).movementIcon, 89);
    EXPECT_EQ(LeagueTableShownRow(RowOfClub(uint16_t(idle))).movementIcon, 87);
    EXPECT_EQ(TableMovement[d], 0);  // last before and after
    EXPECT_EQ(moved, 2);
}

TEST_F(LeagueScreensTest, RankingsOrderPageAndHandTheClubToTheTable) {
    // Player-managers: one who manages his club counts a quarter of his
    // reputation (63, the most the field holds, counts 15), below a player
    // of 16.
    std::vector<std::pair<uint16_t, uint16_t>> flags;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        flags.emplace_back(GetPlayerHalvorn(p), GetPlayerHalvornB(p));
        SetPlayerHalvorn(p, 0);
        SetPlayerHalvornB(p, 0);
    }
    // Three players from 300 on whose flags may be set (the new-player flag
    // locks them).
    std::vector<uint16_t> settable;
    for (uint16_t p = 300; settable.size() < 3 && p < PlayerCount; ++p) {
        if (GetPlayerFlag95(p) == 0) settable.push_back(p);
    }
    ASSERT_EQ(settable.size(), 3u);
    const uint16_t manager = settable[0], player = settable[1], third = settable[2];
    SetPlayerClub(manager, user_);
    SetPlayerClub(player, DivisionClub(0, 1, 0));
    SetPlayerClub(third, int16_t(kNoClub));
    SetPlayerReputation(manager, 63);
    SetPlayerReputation(player, 16);
    SetPlayerReputation(third, 5);
    SetPlayerHalvorn(manager, 1);
    SetPlayerHalvornB(player, 1);
    SetPlayerHalvornB(third, 1);
    EXPECT_EQ(RankingPlayerValue(manager), 15);
    EXPECT_EQ(RankingPlayerValue(player), 16);
    MenuOption = kScreenManagerRankings;
    Enter(RankingsMenu);
    EXPECT_EQ(RankingTitleText(), 1834);
    ASSERT_EQ(RankingCount(), 3);
    EXPECT_EQ(RankingEntry(0), player);
    EXPECT_EQ(RankingEntry(1), manager);
    EXPECT_EQ(RankingEntry(2), third);
    EXPECT_STREQ(RankingShownRow(0).rank, "1.");
    EXPECT_EQ(RankingShownRow(1).style, 1);  // the user's club
    EXPECT_EQ(RankingShownRow(3).entry, 0xFFFF);
    EXPECT_STREQ(RankingShownRow(3).rank, "");
    // Fewer than 19: no paging.
    Rankings_PageDown(nullptr);
    EXPECT_EQ(RankingTop(), 0);
    // The free player: "( )"-less empty division, his buttons do nothing.
    EXPECT_STREQ(RankingShownRow(2).division, "");
    EXPECT_EQ(Rankings_OpenLeagueTable(2), MENU_CONTINUE);
    EXPECT_EQ(Rankings_OpenPlayerClub(2), MENU_CONTINUE);
    EXPECT_EQ(Rankings_OpenLeagueTable(5), MENU_CONTINUE);
    EXPECT_EQ(std::string(RankingShownRow(0).division), "(" + std::string(HVW_GetDivisionName(1, 0)) + ")");
    EXPECT_EQ(Rankings_OpenRow(0), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenCareerHistory);
    EXPECT_EQ(SelectedPlayer, int16_t(player));
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        SetPlayerHalvorn(p, int16_t(flags[p - 1].first));
        SetPlayerHalvornB(p, int16_t(flags[p - 1].second));
    }

    // Clubs by reputation, highest first, all of the user's nation.
    MenuOption = kScreenClubRankings;
    Enter(RankingsMenu);
    ASSERT_GT(RankingCount(), 19);
    for (int i = 1; i < RankingCount(); ++i) {
        EXPECT_GE(GetClubRep(int16_t(RankingEntry(i - 1))), GetClubRep(int16_t(RankingEntry(i))));
        EXPECT_EQ(GetClubNation(int16_t(RankingEntry(i))), 0u);
    }
    Rankings_PageDown(nullptr);
    EXPECT_EQ(RankingTop(), 18);
    for (int i = 0; i < 20; ++i) Rankings_PageDown(nullptr);
    EXPECT_EQ(RankingTop(), RankingCount() - 19);
    Rankings_PageUp(nullptr);
    EXPECT_EQ(RankingTop(), RankingCount() - 19 - 18);

    // Clubs by worth: the division button opens the club's division with
    // its row marked; leaving the table forgets both words.
    MenuOption = kScreenClubWorthRankings;
    Enter(RankingsMenu);
    EXPECT_EQ(RankingTitleText(), 1681);
    int row = 0;
    while (row < kRankingRows && RankingShownRow(row).club == user_) ++row;
    const int16_t club = RankingShownRow(row).club;
    ASSERT_GE(club, 0);
    EXPECT_STREQ(RankingShownRow(row).division, HVW_GetDivisionName(int16_t(GetClubDivision(club)), 0));
    EXPECT_EQ(Rankings_OpenLeagueTable(row), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenLeagueTable);
    EXPECT_EQ(PreviousMenuOption, kScreenClubWorthRankings);
    EXPECT_EQ(HandedOverClub, uint16_t(club));
    Enter(LeagueTableMenu);
    EXPECT_EQ(ViewedDivision, int16_t(GetClubDivision(club)));
    // The club's page of the table.
    for (int i = 0; i < 2 && RowOfClub(uint16_t(club)) < 0; ++i) {
        LeagueTable_ScrollDown(nullptr);
        LeagueTableMenu();
    }
    ASSERT_GE(RowOfClub(uint16_t(club)), 0);
    EXPECT_EQ(LeagueTableShownRow(RowOfClub(uint16_t(club))).style, 7);
    LeagueTable_Leave();
    EXPECT_EQ(HandedOverClub, kNoTableClub);
    EXPECT_EQ(HandedOverDivision, kNoTableClub);
    EXPECT_EQ(Rankings_ToClubMain(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(LeagueScreensTest, FixturesByDayFindsTheMatchDayAndFillsTheRows) {
    ClearFixtures();
    SeasonCalendar.currentDay = 100;
    int slot = 0;
    // Division 0: a played day, then ten matches three days ahead.
    for (int i = 0; i < 10; ++i)
        PutFixture(slot++, 90, kCompLeague, DivisionClub(0, 0, 2 * i), DivisionClub(0, 0, 2 * i + 1), 1, 0);
    for (int i = 0; i < 10; ++i)
        PutFixture(slot++, 103, kCompLeague, DivisionClub(0, 0, 2 * i + 1), DivisionClub(0, 0, 2 * i));
    Enter(FixturesByDayMenu);
    EXPECT_EQ(FixturesMode, 1);
    EXPECT_EQ(FixturesDay, 103);
    EXPECT_EQ(FixturesByDayMessage(), -1);
    ASSERT_EQ(FixturesByDayShownRows(), 10);
    for (int r = 0; r < 10; ++r) {
        const FixtureDayRow& row = FixturesByDayRow(r);
        EXPECT_EQ(row.separatorText, 152);
        EXPECT_EQ(row.homeGoals, INT16_MIN);
        char ordinal[NUMBER_TEXT_SIZE];
        OrdinalStr(ordinal, int16_t(LeagueSeasonRecords[row.homeClub].words[kSeasonPlace] + 1));
        EXPECT_EQ(std::string(row.homeBracket), "(" + std::string(ordinal) + ")");
    }
    EXPECT_EQ(FixturesByDayRow(10).slot, -1);
    EXPECT_STREQ(FixturesByDayCompetitionLine(), HVW_GetDivisionName(0, 0));
    // The day before: played, the clubs in the wide cells, no brackets.
    FixturesByDay_PrevDay(nullptr);
    FixturesByDayMenu();
    EXPECT_EQ(FixturesDay, 90);
    EXPECT_EQ(FixturesByDayRow(0).separatorText, 125);
    EXPECT_EQ(FixturesByDayRow(0).homeGoals, 1);
    EXPECT_EQ(FixturesByDayRow(0).homeClub, -1);
    EXPECT_EQ(FixturesByDayRow(0).homeWideClub, DivisionClub(0, 0, 0));
    EXPECT_STREQ(FixturesByDayRow(0).homeBracket, "");
    // After the last day the screen opens on it; the previous day never
    // reaches day 0, the next none past the last.
    PutFixture(slot++, 0, kCompLeague, DivisionClub(0, 0, 0), DivisionClub(0, 0, 1));
    std::sort(std::begin(FixtureTable), std::begin(FixtureTable) + slot,
              [](const Fixture& x, const Fixture& y) {
                  return (x.bytes[0] | (x.bytes[1] & 1) << 8) < (y.bytes[0] | (y.bytes[1] & 1) << 8);
              });
    SeasonCalendar.currentDay = 200;
    Enter(FixturesByDayMenu);
    EXPECT_EQ(FixturesDay, 103);
    EXPECT_TRUE(FixturesByDayIsFlagged(0));
    FixturesByDay_NextDay(nullptr);
    EXPECT_EQ(FixturesDay, 103);
    for (int i = 0; i < 5; ++i) FixturesByDay_PrevDay(nullptr);
    EXPECT_EQ(FixturesDay, 90);
    // A division without fixtures: text 159.
    FixturesByDay_PickDivision(3);
    FixturesByDayMenu();
    EXPECT_EQ(FixturesByDayMessage(), kTextNoFixtures);
    EXPECT_EQ(FixturesByDayShownRows(), 0);
    EXPECT_EQ(FixturesByDay_PickHomeClub(0), MENU_CONTINUE);
    EXPECT_EQ(FixturesByDay_PickDivision(7), MENU_CONTINUE);
}

TEST_F(LeagueScreensTest, FixturesByDayCupsSecondLegsAndAFullDay) {
    ClearFixtures();
    SeasonCalendar.currentDay = 100;
    // A round of a European cup played over two legs.
    int16_t secondLeg = -1;
    for (int16_t code = kCompFirstEuropeanCup; code <= kCompLastCup && secondLeg < 0; ++code) {
        int16_t round = -1, leg = -1;
        HVW_GetCompRoundText(code, &round, &leg, 0);
        if (leg == 135) secondLeg = code;
    }
    ASSERT_GE(secondLeg, 0);
    const int16_t cup = int16_t((secondLeg - kCompFirstNationalCup) / kCodesPerCup);
    const int16_t x = DivisionClub(0, 0, 0), y = DivisionClub(3, 0, 0), z = DivisionClub(2, 0, 0),
                  w = DivisionClub(5, 0, 0);
    PutFixture(0, 80, secondLeg - 8, x, y, 2, 1);
    PutFixture(1, 80, secondLeg - 8, z, w, 0, 0);
    PutFixture(2, 103, secondLeg, y, x);
    PutFixture(3, 103, secondLeg, w, z, 1, 1);  // played early: counts as not yet
    // A national cup tie of another country is not listed for country 0.
    PutFixture(4, 104, CupCode(0, 0), DivisionClub(3, 0, 5), DivisionClub(3, 0, 6));
    PutFixture(5, 105, CupCode(0, 0), DivisionClub(0, 1, 5), DivisionClub(0, 0, 6));
    Enter(FixturesByDayMenu);
    EXPECT_EQ(FixturesByDay_PickCup(cup), MENU_REDRAW);
    FixturesByDayMenu();
    EXPECT_EQ(FixturesDay, 103);
    EXPECT_TRUE(FixturesByDaySecondLegLayout());
    ASSERT_EQ(FixturesByDayShownRows(), 2);
    const FixtureDayRow& first = FixturesByDayRow(0);
    EXPECT_EQ(first.homeClub, y);
    EXPECT_EQ(first.aggregateHome, 1);  // the first leg seen from this side
    EXPECT_EQ(first.aggregateAway, 2);
    EXPECT_STREQ(first.homeAggregate, "(1)");
    EXPECT_STREQ(first.awayAggregate, "(2)");
    EXPECT_EQ(first.aggregateSeparator, 125);
    EXPECT_EQ(std::string(first.homeBracket), "(" + std::string(GetText(int16_t(500 + 3))) + ")");
    // Both nations of a European cup are listed.
    EXPECT_EQ(FixturesByDayRow(1).homeClub, w);
    // The national cup: only the viewed country's tie, the bracket its
    // division's name text, cut to fit.
    FixturesByDay_PickCup(0);
    FixturesByDayMenu();
    EXPECT_EQ(FixturesDay, 105);
    EXPECT_FALSE(FixturesByDaySecondLegLayout());
    EXPECT_FALSE(FixturesByDayIsFlagged(104));
    ASSERT_EQ(FixturesByDayShownRows(), 1);
    const std::string bracket = FixturesByDayRow(0).homeBracket;
    EXPECT_LE(bracket.size(), 14u);
    EXPECT_EQ(bracket.front(), '(');
    EXPECT_EQ(bracket.back(), ')');
    EXPECT_EQ(bracket.substr(1, bracket.size() - 2),
              std::string(GetText(HVW_GetCompRoundTextId(1, 0))).substr(0, bracket.size() - 2));
    EXPECT_EQ(FixturesByDay_PickAwayClub(0), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenSelectedClubSquad);
    EXPECT_EQ(SelectedClub, uint16_t(DivisionClub(0, 0, 6)));

    // 130 league fixtures on one day: the first 128 are listed.
    ClearFixtures();
    for (int i = 0; i < 130; ++i)
        PutFixture(i, 103, kCompLeague, DivisionClub(0, 0, i % 20), DivisionClub(0, 0, (i + 1) % 20));
    FixturesByDay_PickDivision(0);
    FixturesByDayMenu();
    EXPECT_EQ(FixturesByDayListCount(), kFixtureDayListSize);
    for (int i = 0; i < 200; ++i) FixturesByDay_RowDown(nullptr);
    EXPECT_EQ(FixturesTop, kFixtureDayListSize - kFixtureDayRows);
    FixturesByDayMenu();
    EXPECT_EQ(FixturesByDayRow(16).slot, kFixtureDayListSize - 1);
    for (int i = 0; i < 200; ++i) FixturesByDay_RowUp(nullptr);
    EXPECT_EQ(FixturesTop, 0);
}

TEST_F(LeagueScreensTest, ClubFixturesOpenAtTheNextMatchAndPageToTheLast) {
    ClearFixtures();
    const int16_t club = user_;
    SelectedClub = uint16_t(club);
    // 44 fixtures five days apart, cups at six of them; 12 played.
    constexpr int kCupAt[] = {3, 9, 20, 25, 30, 35};
    int slot = 0;
    for (int k = 0; k < 44; ++k) {
        const bool cupTie = std::find(std::begin(kCupAt), std::end(kCupAt), k) != std::end(kCupAt);
        const int16_t other = DivisionClub(0, 0, k % 20 == 10 ? 11 : k % 20);
        const bool played = k < 12;
        const uint32_t neutral = k == 20 ? kFixtureNeutralBit : 0;
        const uint32_t broadcast = k == 25 ? kFixtureBroadcastBit : 0;
        if (k % 2 == 0) {
            PutFixture(slot++, 10 + 5 * k, cupTie ? CupCode(0, 0) : int16_t(kCompLeague), club, other,
                       played ? 2 : 31, played ? 1 : 31, neutral | broadcast, played ? 12345 : 0);
        } else {
            PutFixture(slot++, 10 + 5 * k, cupTie ? CupCode(0, 1) : int16_t(kCompLeague), other, club,
                       played ? 0 : 31, played ? 3 : 31, neutral | broadcast);
        }
        if (k % 10 == 4) PutFixture(slot++, 11 + 5 * k, kCompReserveLeague, club, other);
    }
    PutFixture(slot++, 300, kCompNationalTeam, club, DivisionClub(0, 0, 1));
    SeasonCalendar.currentDay = 70;
    ClubFixturesView = 2;
    Enter(ClubFixturesMenu);
    int16_t all = 0, league = 0, cups = 0, flagged = 0;
    ClubFixturesCounts(&all, &league, &cups, &flagged);
    EXPECT_EQ(league, 38);
    EXPECT_EQ(cups, 6);
    EXPECT_EQ(flagged, 4);
    EXPECT_EQ(all, 48);
    EXPECT_EQ(ClubFixturesView, 1);
    EXPECT_EQ(ClubFixturesHeadingText(), 1445);
    ASSERT_EQ(ClubFixturesViewCount(), 44);
    // The fourth fixture first, the next match nine rows below.
    EXPECT_EQ(ClubFixturesTop(), 3);
    EXPECT_EQ(FixtureDay(ClubFixturesShownRow(9).slot), 70);
    EXPECT_EQ(ClubFixturesShownRow(8).separatorText, 125);
    EXPECT_EQ(ClubFixturesShownRow(8).style, 8);
    EXPECT_EQ(ClubFixturesShownRow(9).separatorText, 152);
    EXPECT_EQ(ClubFixturesShownRow(9).ownGoals, INT16_MIN);
    // A home win with its crowd; an away win.
    const ClubFixtureRow& home = ClubFixturesShownRow(1);  // k = 4
    EXPECT_EQ(home.venueText, 102);
    EXPECT_EQ(home.ownGoals, 2);
    EXPECT_EQ(home.opponentGoals, 1);
    EXPECT_STREQ(home.attendance, "(12,345)");
    const ClubFixtureRow& away = ClubFixturesShownRow(2);  // k = 5
    EXPECT_EQ(away.venueText, 103);
    EXPECT_EQ(away.ownGoals, 3);
    EXPECT_EQ(away.opponentGoals, 0);
    EXPECT_STREQ(away.competition, "");
    EXPECT_NE(std::string(ClubFixturesShownRow(0).competition), "");  // k = 3, a cup tie
    // The neutral cup tie, and the broadcast icon of one to come.
    EXPECT_EQ(ClubFixturesShownRow(17).venueText, 1498);  // k = 20
    ClubFixtures_PageDown(nullptr);
    ClubFixturesMenu();
    EXPECT_EQ(ClubFixturesTop(), 21);
    EXPECT_EQ(ClubFixturesShownRow(4).icon, 197);  // k = 25
    // Paging ends with the last fixture in the last row.
    ClubFixtures_PageDown(nullptr);
    ClubFixtures_PageDown(nullptr);
    ClubFixturesMenu();
    EXPECT_EQ(ClubFixturesTop(), 44 - 19);
    EXPECT_EQ(FixtureDay(ClubFixturesShownRow(18).slot), 10 + 5 * 43);
    ClubFixtures_PageUp(nullptr);
    EXPECT_EQ(ClubFixturesTop(), 7);
    // The reserve league alone; the opponent's club from a row.
    ClubFixtures_SetView(4);
    ClubFixturesMenu();
    EXPECT_EQ(ClubFixturesViewCount(), 4);
    EXPECT_EQ(ClubFixturesHeadingText(), 1444);
    EXPECT_EQ(ClubFixtures_PickOpponent(4), MENU_CONTINUE);
    EXPECT_EQ(ClubFixtures_PickOpponent(0), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenSelectedClubSquad);
    EXPECT_EQ(SelectedClub, uint16_t(DivisionClub(0, 0, 4)));
    // Back from the view left at 4: the first fixture first.
    SelectedClub = uint16_t(club);
    ClubFixturesView = 4;
    Enter(ClubFixturesMenu);
    EXPECT_EQ(ClubFixturesTop(), 0);
    MatchPrepActive = 1;
    EXPECT_EQ(ClubFixtures_PickOpponent(0), MENU_CONTINUE);
    EXPECT_EQ(ClubFixtures_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubInfo);
}

bool SamePixel(uint32_t grabbed, uint32_t backBuffer) {
    const uint32_t swapped = (backBuffer & 0xFF) << 16 | (backBuffer & 0xFF00) | (backBuffer >> 16 & 0xFF);
    return grabbed == (backBuffer & 0xFFFFFF) || grabbed == swapped;
}

void WaitForTable(const MenuItem* table) {
    testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
    MenuUserWait(3);
}

// From the club screen, an entry of the title bar's League list (caption
// 539), then the screen it leads to.
void OpenLeagueListEntry(int row, const MenuItem* table) {
    MenuOption = kScreenClubMain;
    WaitForTable(ClubMainTable);
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 473; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(row);
    WaitForTable(table);
}

TEST_F(LeagueScreensTest, ScriptedUserReachesTheTableSortsPicksAClubAndGrabs) {
    static std::vector<uint32_t> grab;
    static int16_t viewAfterHeader = -1, divisionAfterButton = -1, topTable = -1;
    static uint16_t pickedClub = 0;
    // From the club screen: the League caption's first entry.
    OpenLeagueListEntry(0, LeagueTableTable);
    // The points header (league order), then the goal-difference header.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 588 && item.y == 116; });
    MenuUserWait(5);
    MenuUserDo([] { viewAfterHeader = LeagueTableView; });
    // The second division's button.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 60 + 135 && item.y == 559; });
    MenuUserWait(5);
    MenuUserDo([] { divisionAfterButton = ViewedDivision; });
    testenv::MenuUserMoveTo(790, 300);
    MenuUserWait(3);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    MenuUserWait(3);
    MenuUserDo([] { grab = testenv::NewestGrabPixels(); });
    // A club's name: screen 2, then its squad list.
    MenuUserDo([] { pickedClub = LeagueTableShownRow(1).club; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 55 && item.y == 146 + 22; });
    WaitForTable(SquadListTable);
    MenuUserDo([] { topTable = MenuViewTopTable() == SquadListTable ? 7 : -1; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (!WinCloseRequested() && ++rounds < 8 && (rounds == 1 || MenuOption != kScreenClubMain))
        DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(viewAfterHeader, 11);
    EXPECT_EQ(divisionAfterButton, 1);
    EXPECT_EQ(topTable, 7);
    EXPECT_EQ(SelectedClub, pickedClub);
    EXPECT_NE(MenuOption, kScreenSelectedClubSquad);
    ASSERT_EQ(grab.size(), 800u * 600u);

    // The second row's band (x 268.., colour 0x3000 at 25 percent) is the
    // background blended as the painter blends it; the line under the two
    // promotion places lies two units above the third row.
    ShowMenuBackground(4);
    SetDrawParam(2, kRowBandColours[1]);
    DrawShadedRect(268, 146 + 22, 160, 22, 25);
    SetDrawParam(2, kRowBandColours[2]);
    DrawShadedRect(428, 146 + 22, 160, 22, 25);
    const uint32_t line = MenuColourToPixel(kZoneLineColour);
    EXPECT_TRUE(SamePixel(grab[size_t(146 + 22 + 1) * 800 + 269], GetBackBufferPixel(269, 146 + 22 + 1)));
    EXPECT_TRUE(SamePixel(grab[size_t(146 + 22 + 1) * 800 + 430], GetBackBufferPixel(430, 146 + 22 + 1)));
    EXPECT_FALSE(SamePixel(grab[size_t(146 + 22 + 1) * 800 + 430], GetBackBufferPixel(269, 146 + 22 + 1)));
    const int lineY = 146 + 22 * 2 - 2;
    EXPECT_TRUE(SamePixel(grab[size_t(lineY) * 800 + 24], line));
    EXPECT_TRUE(SamePixel(grab[size_t(lineY) * 800 + 700], line));
    EXPECT_FALSE(SamePixel(grab[size_t(lineY + 1) * 800 + 24], line));
    EXPECT_FALSE(SamePixel(grab[size_t(lineY - 22) * 800 + 24], line));
}

TEST_F(LeagueScreensTest, LeaguePopupOpensTheQualificationViewAndTheTitleClick) {
    // Last season's honours and this season's entrants of country 0.
    const int16_t champion = DivisionClub(0, 0, 0), second = DivisionClub(0, 0, 1),
                  cupWinner = DivisionClub(0, 0, 2);
    HonoursRow& honours = HonoursTable[0][1];
    const HonoursRow keptHonours = honours;
    honours.words[2 * 7] = champion;
    honours.words[2 * 7 + 1] = second;
    honours.words[0] = cupWinner;
    honours.words[1] = cupWinner;
    std::vector<int16_t> keptA(std::begin(EuropeanEntrantListA), std::end(EuropeanEntrantListA));
    std::vector<int16_t> keptB(std::begin(EuropeanEntrantListB), std::end(EuropeanEntrantListB));
    std::vector<int16_t> keptC(std::begin(EuropeanEntrantListC), std::end(EuropeanEntrantListC));
    std::fill(std::begin(EuropeanEntrantListA), std::end(EuropeanEntrantListA), int16_t(-1));
    std::fill(std::begin(EuropeanEntrantListB), std::end(EuropeanEntrantListB), int16_t(-1));
    std::fill(std::begin(EuropeanEntrantListC), std::end(EuropeanEntrantListC), int16_t(-1));
    EuropeanEntrantListA[0] = champion;
    EuropeanEntrantListA[1] = DivisionClub(3, 0, 0);  // another country's
    EuropeanEntrantListB[0] = cupWinner;
    EuropeanEntrantListC[0] = DivisionClub(0, 0, 3);
    EuropeanEntrantListC[1] = DivisionClub(0, 0, 4);

    static int16_t division = -1;
    static std::vector<EuroQualifyRow> rows;
    OpenLeagueListEntry(13, EuroQualifyTable);
    MenuUserDo([] {
        division = EuroQualifyDivision();
        rows.clear();
        for (int r = 0; r < kEuroQualifyRows; ++r) rows.push_back(EuroQualifyShownRow(r));
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (!WinCloseRequested() && ++rounds < 6 && (rounds == 1 || MenuOption != kScreenClubMain))
        DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(division, 0);
    ASSERT_EQ(rows.size(), size_t(kEuroQualifyRows));
    const auto name = [](int16_t club) { return std::string(HVW_GetClubName(club)); };
    EXPECT_STREQ(rows[0].label, GetText(1470));
    EXPECT_EQ(std::string(rows[0].club), name(champion));
    EXPECT_STREQ(rows[1].label, GetText(1467));
    EXPECT_EQ(std::string(rows[1].club), name(second));
    EXPECT_EQ(std::string(rows[2].label), std::string(HVW_GetCupName(0, 0)) + " " + GetText(1466));
    EXPECT_EQ(std::string(rows[2].club), name(cupWinner));
    EXPECT_STREQ(rows[3].label, GetText(1821));
    EXPECT_EQ(std::string(rows[4].club).rfind(name(champion), 0), 0u);
    EXPECT_EQ(std::string(rows[5].club).rfind(name(cupWinner), 0), 0u);
    EXPECT_STREQ(rows[6].label, GetText(1822));
    EXPECT_EQ(std::string(rows[7].club).rfind(name(DivisionClub(0, 0, 3)), 0), 0u);
    EXPECT_EQ(std::string(rows[8].club).rfind(name(DivisionClub(0, 0, 4)), 0), 0u);
    EXPECT_STREQ(rows[9].label, "");
    EXPECT_STREQ(rows[9].club, "");
    // A division with play-offs lists its four play-off clubs.
    EuroQualify_SetDivision(1);
    SetMenuFirstEntry(0);
    EuroQualifyMenu();
    EXPECT_STREQ(EuroQualifyShownRow(2).label, GetText(1819));
    EXPECT_EQ(EuroQualify_SetDivision(9), MENU_CONTINUE);
    honours = keptHonours;
    std::copy(keptA.begin(), keptA.end(), EuropeanEntrantListA);
    std::copy(keptB.begin(), keptB.end(), EuropeanEntrantListB);
    std::copy(keptC.begin(), keptC.end(), EuropeanEntrantListC);

    // The title click: a wrong button starts the sequence again; five
    // right ones unlock the soak screen and open it; after unlocking one
    // click opens it.
    static bool armedAfterWrong = true, unlocked = false;
    static int stepBeforeWrong = -1;
    static int16_t previousOnSoak = -1;
    MenuOption = kScreenClubFixtures;
    WaitForTable(ClubFixturesTable);
    // The club's name, left-aligned at (70, 62).
    const auto clickTitle = [](int button) {
        testenv::MenuUserMoveTo(74, 62);
        MenuUserWait(2);
        testenv::MenuUserPress(button);
        MenuUserWait(2);
        testenv::MenuUserRelease(button);
        MenuUserWait(14);  // past the engine's click latch
    };
    const auto leaveSoakScreen = [] {
        WaitForTable(SoakScreenTable);
        MenuUserDo([] { previousOnSoak = PreviousMenuOption; });
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 570 && item.y == 436; });
    };
    clickTitle(0);  // arms
    clickTitle(0);  // step 1
    MenuUserDo([] { stepBeforeWrong = ClubFixturesTitleStep(); });
    clickTitle(1);  // the second step wants the first button: disarmed
    MenuUserDo([] { armedAfterWrong = ClubFixturesTitleArmed(); });
    clickTitle(0);  // arms again
    for (int button : {0, 0, 1, 0, 1}) clickTitle(button);
    MenuUserDo([] { unlocked = ClubFixturesTitleUnlocked(); });
    leaveSoakScreen();
    // Back on the club fixtures: unlocked, one click opens the soak screen.
    WaitForTable(ClubFixturesTable);
    clickTitle(1);
    leaveSoakScreen();
    WaitForTable(ClubFixturesTable);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    rounds = 0;
    int soakVisits = 0;
    while (!WinCloseRequested() && ++rounds < 10 && (rounds == 1 || MenuOption != kScreenClubMain)) {
        soakVisits += MenuOption == kScreenSoak;
        DoMainMenuOption();
    }
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(stepBeforeWrong, 1);
    EXPECT_FALSE(armedAfterWrong);
    EXPECT_TRUE(unlocked);
    EXPECT_TRUE(MenuOptionHasScreen(kScreenSoak));
    EXPECT_EQ(soakVisits, 2);
    EXPECT_EQ(previousOnSoak, 8) << "the soak screen leads back to the club fixtures";
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ClubFixtures_ResetTitleClick();
}

TEST_F(LeagueScreensTest, EachScreenIsDrawnAndItsBackIconLeadsHome) {
    struct Screen {
        int16_t id;
        const MenuItem* table;
    };
    static const Screen kScreens[] = {{8, ClubFixturesTable}, {9, LeagueTableTable}, {11, FixturesByDayTable},
                                      {12, EuroQualifyTable}, {62, RankingsTable},   {63, RankingsTable},
                                      {69, RankingsTable}};
    for (const Screen& screen : kScreens) {
        MenuOption = screen.id;
        WaitForTable(screen.table);
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        int rounds = 0;
        while (!WinCloseRequested() && ++rounds < 4 && MenuOption != kScreenClubMain) DoMainMenuOption();
        ASSERT_FALSE(WinCloseRequested()) << screen.id;
        EXPECT_EQ(MenuOption, kScreenClubMain) << screen.id;
    }
}

}  // namespace
