// The league, transfer and European views over one shared new-game world
// with prepared records: the transfer list's bands, order and paging, the
// club transfers both ways, the league statistics against a recount, the
// season overview, the IP/IT list, a European group's table and fixtures,
// the best eleven's window; and each screen run by the controller with a
// grab checked at known pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/squads.h"
#include "core/club/transfers.h"
#include "core/query/clubscreens.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/league/divisioneleven.h"
#include "game/screens/league/eurogroups.h"
#include "game/screens/league/leaguestats.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/seasontransfers.h"
#include "game/screens/transfers/transferhistory.h"
#include "game/screens/transfers/transferlistcontrols.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

using recbits::StoreU16;
using recbits::StoreU32;

void ViewsTransfer(int n, int16_t seller, int16_t buyer, uint16_t player, int32_t fee, int day, int month,
                   int year) {
    uint8_t* r = TransferRecords[n].bytes;
    StoreU16(r + 0, uint16_t(seller));
    StoreU16(r + 2, uint16_t(buyer));
    StoreU16(r + 4, player);
    StoreU32(r + 6, uint32_t(fee));
    StoreU16(r + 10, uint16_t(day));
    StoreU16(r + 12, uint16_t(month));
    StoreU16(r + 14, uint16_t(year));
}

void ViewsClearTransfers() {
    std::memset(TransferRecords, 0, sizeof TransferRecords);
    for (int n = 0; n < kTransferRecords; ++n) StoreU16(TransferRecords[n].bytes + 2, 0xFFFF);
}

class LeagueViewsTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        // Every test starts from the new game.
        const std::string error = testenv::KeptNewGame(testenv::kScreenWorldSeed);
        if (!error.empty()) GTEST_FAIL() << error;
        MenuEngineTest::SetUp();
        if (!started_) return;
        BuildNameTables();
        ViewsClearTransfers();
        user_ = LeagueTable[0][0][0];
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SelectedClub = uint16_t(user_);
        MenuCurrentPlayer = 1;
    }
    void TearDown() override {
        if (started_) {
            ViewsClearTransfers();
            std::memset(ChampionsLeagueGroups, 0xFF, sizeof ChampionsLeagueGroups);
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    template <typename Proc>
    static void Enter(Proc proc) {
        SetMenuFirstEntry(1);
        proc();
        SetMenuFirstEntry(0);
    }
    // Outfield players of a club, in squad order.
    static std::vector<uint16_t> Outfield(int16_t club) {
        HVW_BuildSquadList(club);
        std::vector<uint16_t> players;
        for (int slot = 0; slot < kSquadListSize; ++slot) {
            const uint16_t p = FirstTeamList.players[slot];
            if (IsValidPlayer(p) && HVW_GetPositionType(p) != 0) players.push_back(p);
        }
        return players;
    }
    static std::string Money(int32_t value) {
        const int32_t kept = CurrentNumberType;
        SetDrawParam(3, NUMBER_MONEY);
        std::string text = Number2Str(value);
        SetDrawParam(3, kept);
        return text;
    }
    static std::string Name(int16_t club) { return GetText(HVW_ClubTextId(club)); }
    int16_t user_ = -1;
};

// ---- Transfer list and club transfers ---------------------------------------------------

TEST_F(LeagueViewsTest, TransferListBandsOrderAndPaging) {
    // An empty history: 18 blank rows, paging held at 0.
    Enter(TransferListScreenProc);
    EXPECT_EQ(TransferHistoryState.filterA, 6);
    EXPECT_EQ(TransferHistoryState.filterB, 0);
    for (int row = 0; row < kTransferListRows; ++row) EXPECT_STREQ(TransferListCell(row, 0), "") << row;
    TransferHistory_PageDown(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 0);

    const int16_t a = LeagueTable[0][0][1], b = LeagueTable[0][1][2], foreign = LeagueTable[3][0][0];
    const uint16_t p = Outfield(a).at(0);
    const int year = 2002 + SeasonCalendar.season;
    int n = 0;
    ViewsTransfer(n++, a, b, p, 250000, 1, 7, year);        // both clubs of country 0: listed once
    ViewsTransfer(n++, a, foreign, p, 250001, 2, 7, year);  // one club of country 0
    ViewsTransfer(n++, foreign, LeagueTable[3][0][1], p, 100, 3, 7, year);  // another country
    ViewsTransfer(n++, 1500, a, p, 90000000, 4, 7, year);                   // a seller that is no club
    ViewsTransfer(n++, a, b, 0, 5000, 5, 7, year);                          // no player: not a transfer
    for (int i = 0; i < 20; ++i) ViewsTransfer(n++, b, a, p, 1000 + i, 6, 8, year);
    Enter(TransferListScreenProc);
    // Band 6, newest first.
    EXPECT_EQ(TransferListEntry(0), n - 1);
    EXPECT_EQ(TransferListEntry(20), 3);
    EXPECT_EQ(TransferListEntry(21), 1);
    EXPECT_EQ(TransferListEntry(22), 0);
    EXPECT_EQ(TransferListEntry(23), -1);
    EXPECT_EQ(TransferListCell(0, 0), Name(b));
    EXPECT_EQ(TransferListCell(0, 1), Name(a));
    EXPECT_EQ(TransferListCell(0, 2), Money(1019));
    EXPECT_STREQ(TransferListCell(0, 3), ("6/9/" + std::to_string(year)).c_str());
    // Paging: 23 entries, 18 a page.
    TransferHistory_PageDown(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 23 - kTransferListRows);
    TransferListScreenProc();
    EXPECT_EQ(std::string(TransferListCell(15, 0)), GetText(789));  // entry 20: the seller 1500
    TransferHistory_PageUp(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 0);

    // Band 0 takes 250000, not 250001; band 1 the other way round.
    TransferHistoryState.filterA = 0;
    TransferListScreenProc();
    int length = 0;
    while (TransferListEntry(length) >= 0) ++length;
    EXPECT_EQ(length, 21);
    EXPECT_EQ(TransferListEntry(20), 0);
    TransferHistoryState.filterA = 1;
    TransferListScreenProc();
    EXPECT_EQ(TransferListEntry(0), 1);
    EXPECT_EQ(TransferListEntry(1), -1);
    // A short list keeps its top at 0.
    TransferHistory_PageDown(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 0);
    // Another country's transfers.
    EXPECT_EQ(TransferList_ChooseNation(3), MENU_REDRAW);
    TransferHistoryState.filterA = 6;
    TransferListScreenProc();
    EXPECT_EQ(TransferListEntry(0), 2);
    EXPECT_EQ(TransferListEntry(1), 1);
    EXPECT_NE(std::string(TransferListBandLabel(5)).find(GetText(1879)), std::string::npos);
}

TEST_F(LeagueViewsTest, ClubTransfersBothWaysTheOldestFifteen) {
    const int16_t other = LeagueTable[0][1][3];
    const uint16_t p = Outfield(other).at(0);
    int n = 0;
    for (int i = 0; i < 17; ++i) ViewsTransfer(n++, other, user_, p, 1000 * (i + 1), 1 + i, 2, 2003);
    ViewsTransfer(n++, user_, other, p, 777, 9, 10, 2003);
    Enter(ClubTransfersScreenProc);
    EXPECT_EQ(ClubTransfersDirection, 1);
    for (int row = 0; row < kClubTransferRows; ++row) EXPECT_EQ(ClubTransfersRecord(row), row) << row;
    EXPECT_STREQ(ClubTransfersCell(0, 0), "1/03/2003");  // month + 1, in two figures
    EXPECT_EQ(ClubTransfersCell(0, 1), std::string(HVW_GetPlayerShortName(p)));
    EXPECT_EQ(ClubTransfersCell(0, 2), Name(other));
    EXPECT_EQ(ClubTransfersCell(14, 3), Money(15000));
    ClubTransfers_Switch(nullptr);
    ClubTransfersScreenProc();
    EXPECT_EQ(ClubTransfersRecord(0), 17);
    EXPECT_EQ(ClubTransfersRecord(1), -1);
    EXPECT_EQ(ClubTransfersCell(0, 3), Money(777));
    ClubTransfers_Switch(nullptr);
    ClubTransfersScreenProc();
    EXPECT_EQ(ClubTransfersRecord(14), 14);
}

// ---- League statistics ------------------------------------------------------------------

TEST_F(LeagueViewsTest, GoalsListEqualsARecountAndTheRules) {
    // Goals for the first division's outfield players, with ties.
    std::vector<uint16_t> scorers;
    for (int place = 0; place < 6; ++place)
        for (uint16_t p : Outfield(LeagueTable[0][0][place])) scorers.push_back(p);
    for (size_t i = 0; i < scorers.size(); ++i) SetPlayerGoals(scorers[i], int16_t(i % 7 + 1));
    LeagueStats_Build(30);
    // The recount: every outfield player of the division's clubs, most goals
    // first, ascending player number among equals.
    std::vector<uint16_t> recount;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        const int16_t club = HVW_GetPlayerClub(p);
        if (club < 0 || HVW_GetClubNation(club) != 0 || GetClubDivision(club) != 0) continue;
        if (HVW_GetPositionType(p) == 0 || HVW_GetPlayerGoals(p) <= 0) continue;
        recount.push_back(p);
    }
    std::stable_sort(recount.begin(), recount.end(),
                     [](uint16_t x, uint16_t y) { return HVW_GetPlayerGoals(x) > HVW_GetPlayerGoals(y); });
    recount.resize(std::min<size_t>(recount.size(), kLeagueStatRows));
    ASSERT_EQ(recount.size(), size_t(kLeagueStatRows));
    for (int i = 0; i < kLeagueStatRows; ++i) EXPECT_EQ(LeagueStats.top[0][i], recount[size_t(i)]) << i;

    // The percentage: 100 / appearances in integers, times the figure, at most 100.
    EXPECT_EQ(LeagueStats_Percentage(7, 30), 21);
    EXPECT_EQ(LeagueStats_Percentage(5, 0), 0);
    EXPECT_EQ(LeagueStats_Percentage(9, 2), 100);
    // A division row past the country's divisions opens the first.
    EXPECT_EQ(LeagueStats_EntryDivision(3, 3), 0);
    EXPECT_EQ(LeagueStats_EntryDivision(4, 3), 0);
    EXPECT_EQ(LeagueStats_EntryDivision(-1, 3), 0);
    EXPECT_EQ(LeagueStats_EntryDivision(2, 3), 2);

    // The screen: ranks, names, the share; a click on a row's player.
    MenuOption = kScreenLeagueGoals;
    Enter(LeagueStatsScreenProc);
    EXPECT_STREQ(LeagueStatsCell(0, 0), "1");
    EXPECT_EQ(LeagueStatsCell(0, 1), std::string(HVW_GetPlayerShortName(recount[0])));
    EXPECT_EQ(LeagueStatsCell(0, 3), std::to_string(HVW_GetPlayerGoals(recount[0])));
    MenuHotItem row{};
    row.row = 0;
    EXPECT_EQ(LeagueStats_PickPlayer(&row), MENU_CLOSE);
    EXPECT_EQ(SelectedPlayer, int16_t(recount[0]));
    EXPECT_EQ(ReturnMenuOption, kScreenLeagueGoals);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(LeagueStats_ChooseDivision(int16_t(HVW_CountCompRounds2(0))), MENU_CONTINUE);
}

// ---- Season overview and IP/IT list ------------------------------------------------------

TEST_F(LeagueViewsTest, SeasonOverviewListsThisSeasonsTransfersOfTheDivision) {
    const int16_t first = LeagueTable[0][0][4], second = LeagueTable[0][0][2], lower = LeagueTable[0][1][0];
    const uint16_t p = Outfield(first).at(0);
    const int year = 2002 + SeasonCalendar.season;
    int n = 0;
    ViewsTransfer(n++, lower, first, p, 100, 1, 7, year);               // this season (August)
    ViewsTransfer(n++, lower, first, p, 100, 1, 7, year - 1);           // last season
    ViewsTransfer(n++, lower, second, p, 0, 2, 0, year + 1);            // January: this season
    ViewsTransfer(n++, first, lower, p, 100, 3, 8, year);               // a sale of the division's club
    ViewsTransfer(n++, lower, LeagueTable[0][2][0], p, 5, 3, 8, year);  // another division
    Enter(SeasonTransfersScreenProc);
    ASSERT_EQ(SeasonTransfers.direction, 0);
    EXPECT_EQ(SeasonTransfersEntry(0), 3);
    EXPECT_EQ(SeasonTransfersEntry(1), -1);
    SeasonTransfers_Switch(nullptr);
    SeasonTransfersScreenProc();
    EXPECT_EQ(SeasonTransfersEntry(0), 0);  // record order with the sort off
    EXPECT_EQ(SeasonTransfersEntry(1), 2);
    EXPECT_EQ(SeasonTransfersEntry(2), -1);
    EXPECT_STREQ(SeasonTransfersCell(1, 4), GetText(433));
    SeasonTransfers_ToggleSort(nullptr);
    SeasonTransfersScreenProc();
    EXPECT_EQ(SeasonTransfersEntry(0), first < second ? 0 : 2);
    EXPECT_EQ(SeasonTransfers_ChooseDivision(1), MENU_REDRAW);
    SeasonTransfersScreenProc();
    EXPECT_EQ(SeasonTransfersEntry(0), 3);
}

TEST_F(LeagueViewsTest, InjuryListOfAClub) {
    const std::vector<uint16_t> squad = Outfield(user_);
    for (uint16_t p : squad) SetPlayerIT(p, 0);
    Enter(InjuryListScreenProc);
    EXPECT_EQ(InjuryListMessage(), 1485);
    SetPlayerIT(squad[2], 5);
    SetPlayerIP(squad[2], 3);
    SetPlayerIT(squad[3], 7);
    SetPlayerIP(squad[3], 30);
    Enter(InjuryListScreenProc);
    EXPECT_EQ(InjuryListMessage(), -1);
    EXPECT_EQ(InjuryListCell(0, 0), std::string(HVW_GetPlayerShortName(squad[2])));
    EXPECT_EQ(InjuryListCell(0, 1), std::string(GetText(HVW_GetInjuryTextId(5))));
    EXPECT_STREQ(InjuryListCell(0, 2), "3");
    EXPECT_EQ(InjuryListCell(1, 2), std::string(GetText(767)));
    EXPECT_STREQ(InjuryListCell(2, 0), "");
}

// ---- European groups and the best eleven ---------------------------------------------

TEST_F(LeagueViewsTest, GroupTableByPointsDifferenceGoalsThenGroupOrder) {
    ClearFixtureTable();
    const int16_t c[4] = {LeagueTable[0][0][0], LeagueTable[1][0][0], LeagueTable[2][0][0],
                          LeagueTable[3][0][0]};
    std::memset(ChampionsLeagueGroups, 0xFF, sizeof ChampionsLeagueGroups);
    for (int k = 0; k < 4; ++k) ChampionsLeagueGroups[0][2][k] = c[k];
    const int16_t today = 100;
    SeasonCalendar.currentDay = today;
    const auto play = [](int16_t day, int16_t home, int16_t away, int goalsHome, int goalsAway) {
        const int16_t slot = AddFixture(day, 101, home, away, 0);
        ASSERT_GE(slot, 0);
        uint8_t* score = FixtureTable[slot].bytes + kFixtureScoreWord;
        StoreU32(score, (recbits::LoadU32(score) & ~0x3FFu) | uint32_t(goalsHome) | uint32_t(goalsAway) << 5);
    };
    play(50, c[0], c[1], 1, 1);     // c0 and c1: 1 point
    play(50, c[2], c[3], 0, 2);     // c3 3 points, +2
    play(60, c[1], c[2], 2, 0);     // c1 4 points, +2, 3 scored
    play(60, c[3], c[0], 0, 0);     // c3 4 points, +2, 2 scored; c0 2 points
    play(today, c[0], c[2], 9, 0);  // today: not counted
    AddFixture(120, 101, c[2], c[0], 0);
    AddFixture(90, 101, LeagueTable[4][0][0], LeagueTable[5][0][0], 0);  // another group
    Enter(EuroGroupsScreenProc);
    EuroGroups.group = 2;
    EuroGroupsScreenProc();
    const auto clubAt = [](int r) { return EuroGroups.rows[EuroGroups.order[r]].club; };
    EXPECT_EQ(clubAt(0), c[1]);
    EXPECT_EQ(clubAt(1), c[3]);
    EXPECT_EQ(clubAt(2), c[0]);
    EXPECT_EQ(clubAt(3), c[2]);
    EXPECT_EQ(EuroGroups.rows[EuroGroups.order[0]].points, 4);
    EXPECT_EQ(EuroGroups.fixtureCount, 6);
    EXPECT_EQ(EuroGroups.fixtures[4].goalsA, int16_t(0x8000));  // today's
    // Level in everything: the group order stands.
    play(70, c[1], c[3], 0, 0);
    EuroGroupsScreenProc();
    EXPECT_EQ(clubAt(0), c[1]);
    EXPECT_EQ(clubAt(1), c[3]);
    // Stepping and the toggle.
    for (int i = 0; i < 10; ++i) EuroGroups_NextGroup(nullptr);
    EXPECT_EQ(EuroGroups.group, 7);
    EuroGroups_Toggle(nullptr);
    EXPECT_EQ(EuroGroups.group, 0);
    for (int i = 0; i < 10; ++i) EuroGroups_NextGroup(nullptr);
    EXPECT_EQ(EuroGroups.group, 3);
    for (int i = 0; i < 10; ++i) EuroGroups_PrevGroup(nullptr);
    EXPECT_EQ(EuroGroups.group, 0);
    EuroGroupsScreenProc();  // an empty group of the second stage
    EXPECT_FALSE(EuroGroups_Build());
    // A new game's groups hold zeros until the draw: no group lists club 0.
    std::memset(ChampionsLeagueGroups, 0, sizeof ChampionsLeagueGroups);
    EuroGroups_Toggle(nullptr);
    EuroGroupsScreenProc();
    EXPECT_FALSE(EuroGroups_Build());
}

TEST_F(LeagueViewsTest, BestElevenOpensOnTheFifteenthDay) {
    const int16_t start = HVW_GetCountryDayWord(0);
    EXPECT_FALSE(DivisionEleven_InWindow(0, int16_t(start + 14)));
    EXPECT_TRUE(DivisionEleven_InWindow(0, int16_t(start + 15)));
    EXPECT_FALSE(DivisionEleven_InWindow(0, int16_t(HVW_GetCountryEndDayWord(0) + 7)));
    SeasonCalendar.currentDay = int16_t(start + 14);
    Enter(DivisionElevenScreenProc);
    EXPECT_EQ(DivisionEleven.available, 0);
    EXPECT_EQ(DivisionElevenMessage(), 1808);
    EXPECT_STREQ(DivisionElevenName(0), "");
    SeasonCalendar.currentDay = int16_t(start + 15);
    DivisionElevenScreenProc();
    if (DivisionEleven.available != 0) {
        EXPECT_EQ(DivisionElevenMessage(), -1);
        EXPECT_NE(std::string(DivisionElevenName(10)), "");
    }
    EXPECT_EQ(DivisionEleven_ChooseKind(5), MENU_CONTINUE);
    EXPECT_EQ(DivisionEleven_ChooseKind(3), MENU_REDRAW);
    EXPECT_EQ(DivisionEleven_ChooseDivision(1), MENU_REDRAW);
    EXPECT_EQ(DivisionEleven.kind, 0);
}

// ---- Each screen by the controller, with a grab ---------------------------------------------

TEST_F(LeagueViewsTest, EachScreenByTheControllerWithAGrab) {
    // A prepared half season: transfers of the first division, scorers, an
    // injury, a European group with a result, a day in the best eleven's window.
    const int16_t a = LeagueTable[0][0][1], b = LeagueTable[0][0][2];
    const std::vector<uint16_t> squad = Outfield(user_);
    const int year = 2002 + SeasonCalendar.season;
    for (int i = 0; i < 5; ++i)
        ViewsTransfer(i, i % 2 == 0 ? a : user_, i % 2 == 0 ? user_ : b, squad[size_t(i)], 100000 * (i + 1),
                      1 + i, 8, year);
    for (uint16_t p : squad) SetPlayerIT(p, 0);
    SetPlayerIT(squad[1], 5);
    SetPlayerIP(squad[1], 2);
    for (size_t i = 0; i < squad.size(); ++i) SetPlayerGoals(squad[i], int16_t(i + 1));
    std::memset(ChampionsLeagueGroups, 0xFF, sizeof ChampionsLeagueGroups);
    const int16_t g[4] = {LeagueTable[0][0][0], LeagueTable[1][0][0], LeagueTable[2][0][0],
                          LeagueTable[3][0][0]};
    for (int k = 0; k < 4; ++k) ChampionsLeagueGroups[0][0][k] = g[k];
    SeasonCalendar.currentDay = int16_t(HVW_GetCountryDayWord(0) + 20);
    const int16_t slot = AddFixture(int16_t(SeasonCalendar.currentDay - 1), 101, g[0], g[1], 0);
    ASSERT_GE(slot, 0);
    StoreU32(FixtureTable[slot].bytes + kFixtureScoreWord,
             (recbits::LoadU32(FixtureTable[slot].bytes + kFixtureScoreWord) & ~0x3FFu) | 2u | 1u << 5);

    static std::vector<uint32_t> grabs[7];
    for (auto& grab : grabs) grab.clear();
    const auto waitFor = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
        testenv::MenuUserMoveTo(790, 590);
        testenv::MenuUserWait(4);
    };
    const auto grabInto = [](int k) {
        testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([k] { grabs[k] = testenv::NewestGrabPixels(); });
    };
    const auto back = [](int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    };
    const MenuItem* const tables[7] = {TransferListTable,    ClubTransfersTable, LeagueStatsTable,
                                       SeasonTransfersTable, InjuryListTable,    EuroGroupsTable,
                                       DivisionElevenTable};
    const int16_t ids[7] = {31, 32, 30, 42, 103, 45, 55};
    const int backs[7][2] = {{748, 559}, {743, 559}, {746, 559}, {570, 436},
                             {570, 436}, {743, 559}, {743, 559}};
    for (int k = 0; k < 7; ++k) {
        waitFor(tables[k]);
        grabInto(k);
        back(backs[k][0], backs[k][1]);
    }
    // Each screen closes to the club screen (3); the test opens the next.
    ScreenPresented = 0;
    for (int k = 0; k < 7 && !WinCloseRequested(); ++k) {
        MenuOption = ids[k];
        DoMainMenuOption();
        EXPECT_EQ(MenuOption, kScreenClubMain) << ids[k];
    }
    ASSERT_FALSE(WinCloseRequested());
    for (int k = 0; k < 7; ++k) ASSERT_EQ(grabs[k].size(), 800u * 600u) << k;
    using testenv::BrightPixels;
    // The transfer list: five rows of club names, fees and dates, none further.
    for (int r = 0; r < 5; ++r) EXPECT_GT(BrightPixels(grabs[0], 100, 113 + 22 * r, 500, 22), 40) << r;
    EXPECT_EQ(BrightPixels(grabs[0], 30, 113 + 22 * 5, 570, 22), 0);
    // The club transfers: the user's three purchases.
    for (int r = 0; r < 3; ++r) EXPECT_GT(BrightPixels(grabs[1], 130, 100 + 20 * r, 400, 20), 40) << r;
    EXPECT_EQ(BrightPixels(grabs[1], 30, 160, 590, 20), 0);
    // The goals list: the user's scorers lead his division.
    EXPECT_GT(BrightPixels(grabs[2], 44, 146, 270, 19), 20);
    EXPECT_GT(BrightPixels(grabs[2], 44, 146 + 19 * 9, 270, 19), 20);
    // The season overview: five transfers of the first division by their sellers.
    EXPECT_GT(BrightPixels(grabs[3], 10, 100, 590, 20), 40);
    // The IP/IT list: one injured player, no message.
    EXPECT_GT(BrightPixels(grabs[4], 20, 90, 500, 20), 40);
    EXPECT_EQ(BrightPixels(grabs[4], 20, 110, 700, 20), 0);
    EXPECT_EQ(BrightPixels(grabs[4], 150, 230, 500, 20), 0);
    // The group: four clubs and the one result.
    for (int r = 0; r < 4; ++r) EXPECT_GT(BrightPixels(grabs[5], 205, 137 + 22 * r, 380, 22), 40) << r;
    EXPECT_GT(BrightPixels(grabs[5], 380, 247, 40, 22), 5);
    // The best eleven: eleven names on the pitch, or the message.
    const bool shown = DivisionEleven.available != 0;
    EXPECT_EQ(BrightPixels(grabs[6], 220, 245, 200, 20) > 20,
              !shown || BrightPixels(grabs[6], 220, 245, 200, 20) > 20);
    EXPECT_GT(BrightPixels(grabs[6], 270, 415, 100, 16) + BrightPixels(grabs[6], 220, 245, 200, 20), 10);
}

}  // namespace
