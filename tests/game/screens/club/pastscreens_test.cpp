// The history screens over one shared new-game world given a constructed
// past: club records with their season rows, places and cup years; the
// top scorers of this season and the past ones; the honours roll with its
// pop-ups, years and scrolling; the game records; the club history log
// with its filters; and the scripted user opening each from the title bar,
// with a grab of each checked at known pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/squads.h"
#include "core/query/clubscreens.h"
#include "core/query/codetexts.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubhistory.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/clubrecords.h"
#include "game/screens/country/honoursroll.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/start/startmenu.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

using recbits::StoreU16;

// A season entry of the club record: k seasons back (0 the latest).
struct PastEntry {
    int place, played, won, drawn, goalsFor, goalsAgainst, points;
};
void PastSeasonEntry(int16_t club, int k, const PastEntry& e) {
    uint8_t* b = ClubRecords[club].bytes + 207 + 188 * k;
    b[0] = uint8_t(e.place);
    StoreU16(b + 12, uint16_t(e.points));
    StoreU16(b + 14, uint16_t(e.played));
    StoreU16(b + 16, uint16_t(e.won));
    StoreU16(b + 18, uint16_t(e.drawn));
    StoreU16(b + 20, uint16_t(e.goalsFor));
    StoreU16(b + 22, uint16_t(e.goalsAgainst));
}
void PastSeasonScorer(int16_t club, int k, int slot, uint16_t player, int goals) {
    uint8_t* b = ClubRecords[club].bytes + 207 + 188 * k + 28 + 4 * slot;
    StoreU16(b, player);
    StoreU16(b + 2, uint16_t(goals));
}
void PastHonour(int country, int row, int column, int16_t winner, int16_t runnerUp) {
    HonoursTable[country][row].words[2 * column] = winner;
    HonoursTable[country][row].words[2 * column + 1] = runnerUp;
}

std::string PastOrdinal(int value) {
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, NUMBER_ORDINAL);
    std::string text = Number2Str(value);
    SetDrawParam(3, kept);
    return text;
}

std::string PastMoney(int32_t value) {
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, NUMBER_MONEY_PLAIN);
    std::string text = Number2Str(value);
    SetDrawParam(3, kept);
    return text;
}

// ---- Grabs ---------------------------------------------------------------------

// The most common bright colour of a box (0 when nothing bright is there):
// the colour text is drawn in.
uint32_t PastCommonInk(const std::vector<uint32_t>& grab, int x, int y, int w, int h) {
    std::vector<uint32_t> ink;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) {
            const uint32_t c = grab[size_t(row) * 800 + size_t(col)];
            if (std::max({c >> 16, (c >> 8) & 0xFF, c & 0xFF}) > 200) ink.push_back(c);
        }
    return testenv::CommonestColour(ink);
}

std::vector<uint32_t> PastRegion(const std::vector<uint32_t>& grab, int x, int y, int w, int h) {
    std::vector<uint32_t> box;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) box.push_back(grab[size_t(row) * 800 + size_t(col)]);
    return box;
}

class PastScreensTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        // Every test starts from the new game, with no history.
        const std::string error = testenv::KeptNewGame(testenv::kScreenWorldSeed);
        if (!error.empty()) GTEST_FAIL() << error;
        MenuEngineTest::SetUp();
        if (!started_) return;
        ClearHistoryLists();
        BuildNameTables();
        // The club the club screen selects: the first of the top division by name.
        ViewedDivision = 0;
        int16_t clubs[kLeagueRowClubs];
        const int16_t count = int16_t(DivisionLayout[0][0].clubs);
        for (int i = 0; i < count; ++i) clubs[i] = int16_t(DivisionClubLists[0][0][i]);
        HVW_SortClubListByName(clubs, count, 0);
        user_ = clubs[0];
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SelectedClub = uint16_t(user_);
        MenuCurrentPlayer = 1;
        ClubPickedFlag = 0;
    }
    template <typename Proc>
    static void Enter(Proc proc) {
        SetMenuFirstEntry(1);
        proc();
        SetMenuFirstEntry(0);
    }
    // Outfield players of the user's squad, in squad order.
    std::vector<uint16_t> Outfield() const {
        HVW_BuildSquadList(user_);
        std::vector<uint16_t> players;
        for (int slot = 0; slot < kSquadListSize; ++slot) {
            const uint16_t p = FirstTeamList.players[slot];
            if (IsValidPlayer(p) && HVW_GetPositionType(p) != 0) players.push_back(p);
        }
        return players;
    }
    uint16_t Keeper() const {
        HVW_BuildSquadList(user_);
        for (int slot = 0; slot < kSquadListSize; ++slot) {
            const uint16_t p = FirstTeamList.players[slot];
            if (IsValidPlayer(p) && HVW_GetPositionType(p) == 0) return p;
        }
        return 0;
    }
    int16_t user_ = -1;
};

// ---- Club records ----------------------------------------------------------------

TEST_F(PastScreensTest, ClubRecordsSeasonRowsPlacesAndRecordLines) {
    SeasonCalendar.season = 3;
    const int topClubs = DivisionLayout[0][0].clubs;
    PastSeasonEntry(user_, 0, {5, 38, 20, 10, 61, 30, 70});
    PastSeasonEntry(user_, 1, {topClubs + 2, 46, 25, 11, 80, 41, 86});
    PastSeasonEntry(user_, 2, {1, 38, 27, 6, 90, 20, 87});
    SetClubRecordWin(user_, 5, 1, 7);
    SetClubRecordDefeat(user_, 1, 5, 9);
    const uint16_t signing = Outfield().at(0);
    const int16_t seller = LeagueTable[0][1][4];
    SetClubRecordBuy(user_, signing, 12345, uint8_t(seller));
    Enter(ClubRecordsScreenProc);

    // Three seasons: the latest first, each place within its division.
    EXPECT_FALSE(ClubRecordsSeasonRow(0).filled);
    for (int p = 1; p <= 3; ++p) EXPECT_TRUE(ClubRecordsSeasonRow(p).filled) << p;
    for (int p = 4; p < kClubSeasonRows; ++p) EXPECT_FALSE(ClubRecordsSeasonRow(p).filled) << p;
    const ClubSeasonRowView latest = ClubRecordsSeasonRow(1);
    EXPECT_STREQ(latest.season, "2004-05");
    EXPECT_EQ(latest.place, PastOrdinal(5));
    EXPECT_EQ(latest.colour, kDivisionPlaceColours[0]);
    EXPECT_EQ(latest.icon, kDivisionIconBase);
    EXPECT_EQ(latest.lost, 38 - 30);
    EXPECT_EQ(latest.points, 70);
    const ClubSeasonRowView before = ClubRecordsSeasonRow(2);
    EXPECT_STREQ(before.season, "2003-04");
    EXPECT_EQ(before.place, PastOrdinal(2));
    EXPECT_EQ(before.colour, kDivisionPlaceColours[1]);
    EXPECT_EQ(before.icon, kDivisionIconBase + 1);
    EXPECT_STREQ(ClubRecordsSeasonRow(3).season, "2002-03");
    EXPECT_EQ(ClubRecordsSeasonRow(3).place, PastOrdinal(1));

    // 5-1 is the record win, 1-5 the record defeat; the signing names the
    // player, the selling club (its stored tag) and the fee.
    EXPECT_EQ(std::string(ClubRecordLine(6)).rfind("5-1 ", 0), 0u) << ClubRecordLine(6);
    EXPECT_EQ(std::string(ClubRecordLine(7)).rfind("1-5 ", 0), 0u) << ClubRecordLine(7);
    const std::string line = ClubRecordLine(0);
    EXPECT_NE(line.find(HVW_GetPlayerShortName(signing)), std::string::npos) << line;
    // The stored tag is the club number's low byte.
    EXPECT_NE(line.find(GetText(HVW_ClubTextId(int16_t(seller & 0xFF)))), std::string::npos) << line;
    EXPECT_NE(line.find(PastMoney(1'234'500)), std::string::npos) << line;
    EXPECT_EQ(ClubRecordLabel(0), 556);
    EXPECT_STREQ(ClubRecordLine(1), "");  // no sale yet
    // A draw stored as either record shows in neither line.
    SetClubRecordWin(user_, 2, 2, 7);
    SetClubRecordDefeat(user_, 3, 3, 9);
    ClubRecordsScreenProc();
    EXPECT_STREQ(ClubRecordLine(6), "");
    EXPECT_STREQ(ClubRecordLine(7), "");
}

TEST_F(PastScreensTest, ClubRecordsRowCountsPagingAndTheBackRule) {
    for (int k = 0; k < kClubRecordSeasons; ++k) PastSeasonEntry(user_, k, {k + 1, 38, 10, 10, 40, 40, 40});
    // In the first season no row; then min(s, 10).
    for (int season : {0, 1, 7, 10, 12}) {
        SeasonCalendar.season = int16_t(season);
        Enter(ClubRecordsScreenProc);
        int filled = 0;
        for (int p = 0; p < kClubSeasonRows; ++p) filled += ClubRecordsSeasonRow(p).filled;
        EXPECT_EQ(filled, std::min(season, 10)) << season;
    }
    // Paging: down stops at the season number less 12, up at 0.
    SeasonCalendar.season = 15;
    Enter(ClubRecordsScreenProc);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ClubRecords_SeasonPageDown(nullptr), MENU_REDRAW);
    EXPECT_EQ(ClubRecordsSeasonOffset, 3);
    ClubRecordsScreenProc();
    EXPECT_STREQ(ClubRecordsSeasonRow(1).season, "2013-14");  // entry 3
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ClubRecords_SeasonPageUp(nullptr), MENU_REDRAW);
    EXPECT_EQ(ClubRecordsSeasonOffset, 0);
    SeasonCalendar.season = 5;
    ClubRecords_SeasonPageDown(nullptr);
    EXPECT_EQ(ClubRecordsSeasonOffset, 0);

    // Back: to the vacancies when the club was picked there, else home.
    ClubPickedFlag = 1;
    HandClubPicksOver(int16_t(SelectedClub));
    EXPECT_EQ(ClubRecords_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenVacancies);
    EXPECT_EQ(ClubRecords_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(PastScreensTest, ASixthDivisionHasItsColourAndAPlacePastTheDivisionsNone) {
    // A prepared six-division layout: the sixth holds 12 clubs.
    DivisionLayout[0][5].clubs = 12;
    int before = 0;
    for (int d = 0; d < 5; ++d) before += DivisionLayout[0][d].clubs;
    SeasonCalendar.season = 2;
    PastSeasonEntry(user_, 0, {before + 3, 22, 10, 5, 30, 20, 35});
    PastSeasonEntry(user_, 1, {before + 13, 22, 10, 5, 30, 20, 35});
    Enter(ClubRecordsScreenProc);
    const ClubSeasonRowView sixth = ClubRecordsSeasonRow(1);
    EXPECT_EQ(sixth.colour, kDivisionPlaceColours[5]);
    EXPECT_EQ(sixth.icon, kDivisionIconBase + 5);
    EXPECT_EQ(sixth.place, PastOrdinal(3));
    // Past every division (a country reorganised since): no division.
    const ClubSeasonRowView outside = ClubRecordsSeasonRow(2);
    EXPECT_TRUE(outside.filled);
    EXPECT_EQ(outside.colour, -1);
    EXPECT_EQ(outside.icon, 0);
    EXPECT_STREQ(outside.place, "");
    int16_t division = 0, place = 0;
    EXPECT_FALSE(ClubRecords_DivisionOfPlace(0, 0, &division, &place));
    EXPECT_TRUE(ClubRecords_DivisionOfPlace(0, before + 12, &division, &place));
    EXPECT_EQ(division, 5);
    EXPECT_EQ(place, 12);
}

TEST_F(PastScreensTest, CupsListYearsAndThePanelBands) {
    SeasonCalendar.season = 20;
    // The first cup won in 20 seasons: 18 years listed, 7 then 11.
    for (int row = 0; row < 20; ++row) PastHonour(0, row, 0, user_, int16_t(user_ + 1));
    PastHonour(0, 3, 6, user_, -1);
    Enter(ClubRecordsScreenProc);
    ASSERT_EQ(ClubRecordsCupRowCount(), HVW_CountNationCups(0) - 1);
    EXPECT_STREQ(ClubRecordsCupName(0), HVW_GetCupRoundEntry(0, 0));
    std::string years = std::string(ClubRecordsCupYears(0, 0)) + "," + ClubRecordsCupYears(0, 1);
    EXPECT_EQ(std::count(years.begin(), years.end(), ','), 17);
    EXPECT_EQ(std::string(ClubRecordsCupYears(0, 0)), "2023,2022,2021,2020,2019,2018,2017");
    EXPECT_EQ(years.substr(years.size() - 4), "2006");
    // The last row is the European cup of column 6.
    const int last = ClubRecordsCupRowCount() - 1;
    EXPECT_STREQ(ClubRecordsCupName(last), HVW_GetCupRoundEntry(6, 0));
    EXPECT_STREQ(ClubRecordsCupYears(last, 0), "2020");
    for (int row = ClubRecordsCupRowCount(); row < kClubCupRows; ++row)
        EXPECT_STREQ(ClubRecordsCupName(row), "");

    // The panel: 2 x rows bands of 20 pixels, 25 % then 50 %, framed.
    const int rows = ClubRecordsCupRowCount();
    FillSolidRect(0, 280, 800, 320, 0xFFFF);
    ClubRecords_PaintCupsPanel(20, 302, 379, 20);
    const auto red = [](int x, int y) { return int(BackRect(x, y, 1, 1)[0]) + BackRect(x, y, 1, 1)[2]; };
    const int light = red(200, 302 + 10), dark = red(200, 302 + 30);
    EXPECT_GT(light, dark);
    EXPECT_EQ(red(200, 302 + 50), light);
    EXPECT_EQ(red(200, 302 + 40 * rows - 10), dark);
    EXPECT_EQ(red(200, 302 + 40 * rows), 0);  // the frame's bottom line
    EXPECT_EQ(red(200, 302 + 40 * rows + 5), 2 * 255);
}

// ---- Top scorers ------------------------------------------------------------------

TEST_F(PastScreensTest, TopScorersThisSeasonAndThePastOnes) {
    const std::vector<uint16_t> outfield = Outfield();
    ASSERT_GE(outfield.size(), 4u);
    const uint16_t keeper = Keeper();
    ASSERT_NE(keeper, 0);
    for (uint16_t p : outfield) SetPlayerGoals(p, 0);
    SetPlayerGoals(keeper, 30);
    SetPlayerGoals(outfield[0], 4);
    SetPlayerGoals(outfield[1], 9);
    SetPlayerGoals(outfield[2], 4);
    uint16_t present[kPresentScorers];
    ASSERT_EQ(TopScorers_PresentScorers(user_, present), 3);
    EXPECT_EQ(present[0], outfield[1]);
    EXPECT_EQ(present[1], outfield[0]);  // equal goals keep the squad order
    EXPECT_EQ(present[2], outfield[2]);

    // The first season: only this season's column, from its second row.
    SeasonCalendar.season = 0;
    SelectedClub = 0;
    Enter(TopScorersScreenProc);
    EXPECT_EQ(SelectedClub, uint16_t(user_));
    EXPECT_STREQ(TopScorersName(0, 0), "");
    EXPECT_EQ(TopScorersName(0, 1), std::string(HVW_GetPlayerShortName(outfield[1])));
    EXPECT_EQ(TopScorersGoals(0, 1), 9);
    EXPECT_EQ(TopScorersGoals(0, 3), 4);
    // In the first season no label stands over it.
    for (int c = 0; c < kScorerColumns; ++c) {
        EXPECT_EQ(TopScorersFirstYear(c), int16_t(0x8000)) << c;
        EXPECT_STREQ(TopScorersName(c, 0), "") << c;
    }

    // Four seasons on: columns 1-4 take entries 0-3, labelled a season back each.
    SeasonCalendar.season = 4;
    for (int k = 0; k < 4; ++k) PastSeasonScorer(user_, k, 0, outfield[k], 20 - k);
    PastSeasonScorer(user_, 0, 4, outfield[3], 2);
    PastSeasonScorer(user_, 6, 0, outfield[0], 1);  // a season not played: not shown
    TopScorersScreenProc();
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(TopScorersName(c, 0), std::string(HVW_GetPlayerShortName(outfield[c - 1]))) << c;
        EXPECT_EQ(TopScorersGoals(c, 0), 20 - (c - 1)) << c;
        EXPECT_EQ(TopScorersFirstYear(c), 2006 - c) << c;
        EXPECT_EQ(TopScorersSecondYear(c), (2007 - c) % 100) << c;
    }
    EXPECT_EQ(TopScorersGoals(1, 4), 2);
    EXPECT_EQ(TopScorersFirstYear(0), 2006);
    EXPECT_EQ(TopScorersSecondYear(0), 7);
    EXPECT_EQ(TopScorersFirstYear(5), int16_t(0x8000));
    EXPECT_STREQ(TopScorersName(7, 0), "");
    // No goalkeeper in this season's column.
    for (int r = 0; r < kScorerRows; ++r) EXPECT_NE(TopScorersGoals(0, r), 30) << r;
}

// ---- Honours roll and game records ----------------------------------------------------

TEST_F(PastScreensTest, HonoursRollRowsScrollingPopupsAndYears) {
    SeasonCalendar.season = 0;
    const int16_t a = LeagueTable[0][0][1], b = LeagueTable[0][0][2], c = LeagueTable[0][0][3];
    PastHonour(0, 0, 7, a, b);
    PastHonour(0, 1, 7, b, c);
    PastHonour(0, 2, 7, c, a);
    Enter(HonoursRollScreenProc);
    EXPECT_EQ(HonoursRoll.competition, 0);  // the first cup
    EXPECT_EQ(HonoursRoll_ChooseColumn(7), MENU_REDRAW);
    HonoursRollScreenProc();
    EXPECT_EQ(HonoursRoll.divisionFlag, 1);
    EXPECT_STREQ(HonoursRollName(), HVW_GetDivisionName(0, 0));
    EXPECT_EQ(HonoursRollWinnerName(0), std::string(GetText(HVW_ClubTextId(a))));
    EXPECT_EQ(HonoursRollRunnerUpName(0), std::string(GetText(HVW_ClubTextId(b))));
    EXPECT_EQ(HonoursRollWinnerName(2), std::string(GetText(HVW_ClubTextId(c))));
    EXPECT_STREQ(HonoursRollWinnerName(3), "");
    // Years: 2002-03 first; before 2000 the second year wraps to 99.
    EXPECT_EQ(HonoursRoll.firstYear[0], 2002);
    EXPECT_EQ(HonoursRoll.secondYear[0], 3);
    EXPECT_EQ(HonoursRoll.firstYear[4], 1998);
    EXPECT_EQ(HonoursRoll.secondYear[4], 99);
    EXPECT_EQ(HonoursRoll.secondYear[5], 98);
    // Scrolling stops at the first season without a winner below the page.
    HonoursRoll_ScrollDown(nullptr);
    EXPECT_EQ(HonoursRoll.top, 0);
    for (int row = 3; row < 20; ++row) PastHonour(0, row, 7, a, b);
    HonoursRollScreenProc();
    for (int i = 0; i < 10; ++i) HonoursRoll_ScrollDown(nullptr);
    EXPECT_EQ(HonoursRoll.top, 5);
    for (int i = 0; i < 10; ++i) HonoursRoll_ScrollUp(nullptr);
    EXPECT_EQ(HonoursRoll.top, 0);

    // The pop-ups: the country's cups and its divisions; a choice of an
    // absent cup or division changes nothing.
    int16_t cups[kHonoursCupColumns], divisions[kHonoursColumns - kHonoursCupColumns];
    EXPECT_EQ(HonoursRollCupEntries(cups), HVW_CountNationCups(0));
    EXPECT_EQ(HonoursRollDivisionEntries(divisions), HVW_CountDivisions(0));
    EXPECT_EQ(HonoursRoll_ChooseColumn(int16_t(7 + HVW_CountDivisions(0))), MENU_CONTINUE);
    EXPECT_EQ(HonoursRoll.competition, 7);
    HVW_SetViewedCountry(4);  // no national cup
    EXPECT_EQ(HonoursRoll_ChooseColumn(0), MENU_CONTINUE);
    EXPECT_EQ(HonoursRoll_ChooseColumn(13), MENU_CONTINUE);
    EXPECT_EQ(HonoursRoll.competition, 7);
    EXPECT_EQ(HonoursRoll_ChooseColumn(4), MENU_REDRAW);
}

TEST_F(PastScreensTest, GameRecordsLinesEmptyWithoutARecord) {
    Enter(GameRecordsScreenProc);
    for (int line = 0; line < kGameRecordLines; ++line) EXPECT_STREQ(GameRecordText(line), "") << line;
    EXPECT_EQ(GameRecordLabel(0), 556);
    EXPECT_EQ(GameRecordLabel(7), -1);

    const uint16_t player = Outfield().at(1);
    const int16_t other = LeagueTable[0][1][5];
    SetClubRecordBuy(other, player, 50000, uint8_t(user_));
    SetClubRecordWin(user_, 7, 0, 3);
    SetClubRecordCrowd(other, 45123, 2);
    SetClubRecordGoalsTotal(user_, 99);
    SetClubRecordPointsTotal(other, 95);
    SetClubRecordGoals(user_, player, 41);
    GameRecordsScreenProc();
    const std::string signing = GameRecordText(0);
    EXPECT_EQ(signing.rfind(HVW_GetPlayerShortName(player), 0), 0u) << signing;
    EXPECT_NE(signing.find(GetText(HVW_ClubTextId(other))), std::string::npos) << signing;
    EXPECT_EQ(std::string(GameRecordText(1)).rfind("7-0 " + std::string(GetText(HVW_ClubTextId(user_))), 0),
              0u)
        << GameRecordText(1);
    EXPECT_EQ(std::string(GameRecordText(2)).rfind("45123 ", 0), 0u) << GameRecordText(2);
    EXPECT_EQ(std::string(GameRecordText(3)).rfind("99 ", 0), 0u) << GameRecordText(3);
    EXPECT_STREQ(GameRecordText(4), "");
    EXPECT_EQ(std::string(GameRecordText(5)).rfind("95 ", 0), 0u) << GameRecordText(5);
    EXPECT_EQ(std::string(GameRecordText(6)).rfind("41 ", 0), 0u) << GameRecordText(6);
}

// ---- Club history log ------------------------------------------------------------------

TEST_F(PastScreensTest, HistoryLogRowsFiltersBadgesAndUnknownEvents) {
    const std::vector<uint16_t> outfield = Outfield();
    const int16_t other = LeagueTable[0][1][0];
    AddClubHistoryEntry(outfield[0], user_, uint16_t(other), 1500, 0);  // bought
    AddClubHistoryEntry(outfield[1], user_, uint16_t(other), 0, 1);     // sold for nothing
    AddClubHistoryEntry(outfield[2], user_, uint16_t(other), 0, 2);     // loaned in
    AddClubHistoryEntry(outfield[3], user_, 0, 5, 4);                   // injured
    AddClubHistoryEntry(0, user_, 0, 9, 6);                             // a cup won
    AddClubHistoryEntry(0, user_, 0, 99, 6);                            // an event nobody knows
    AddClubHistoryEntry(0, user_, 0, 0, 18);                            // not a log type
    AddClubHistoryEntry(0, user_, 0, 0, 8);                             // promoted
    Enter(ClubHistoryScreenProc);
    EXPECT_EQ(ClubLog.count, 8);
    EXPECT_EQ(ClubLog.filter, kClubLogAll);
    EXPECT_EQ(ClubLog.allMark, 8);
    // Under "all" every entry of a log type, in log order.
    const int16_t labels[] = {1521, 1522, 1521, 1486, 1525, 1525, 1818};
    for (int r = 0; r < 7; ++r) EXPECT_EQ(ClubHistoryRowLabel(r), labels[r]) << r;
    for (int r = 7; r < kClubLogRows; ++r) {
        EXPECT_EQ(ClubHistoryRowLabel(r), -1) << r;
        EXPECT_EQ(ClubHistoryRowMarker(r), int16_t(0x8000)) << r;
    }
    char season[16];
    std::snprintf(season, sizeof season, "%d-%02d", 2002 + SeasonCalendar.season,
                  (2003 + SeasonCalendar.season) % 100);
    EXPECT_STREQ(ClubHistoryRowSeason(0), season);
    const std::string bought = ClubHistoryRowText(0);
    EXPECT_NE(bought.find(GetText(HVW_ClubTextId(other))), std::string::npos) << bought;
    EXPECT_NE(bought.find(HVW_GetPlayerShortName(outfield[0])), std::string::npos) << bought;
    EXPECT_NE(bought.find(PastMoney(1'500'000)), std::string::npos) << bought;
    EXPECT_NE(bought.find(GetText(1805)), std::string::npos) << bought;
    EXPECT_NE(std::string(ClubHistoryRowText(1)).find(GetText(433)), std::string::npos)
        << ClubHistoryRowText(1);
    EXPECT_NE(std::string(ClubHistoryRowText(3)).find(GetText(HVW_GetInjuryTextId(5))), std::string::npos);
    EXPECT_EQ(std::string(ClubHistoryRowText(4)), HVW_GetHonourEventText(9, 0));
    EXPECT_STREQ(ClubHistoryRowText(5), "");  // the unknown event: an empty cell
    EXPECT_EQ(ClubHistoryRowMarker(2), 2);
    EXPECT_TRUE(DrawHistoryRowBadge(2, 0, 0, 10, 10));
    EXPECT_TRUE(DrawHistoryRowBadge(8, 0, 0, 10, 10));
    EXPECT_FALSE(DrawHistoryRowBadge(0, 0, 0, 10, 10));
    EXPECT_FALSE(DrawHistoryRowBadge(0x8000, 0, 0, 10, 10));

    // The first button: purchases and loans in; its mark alone.
    EXPECT_EQ(ClubHistory_Filter(0), MENU_REDRAW);
    ClubHistoryScreenProc();
    EXPECT_EQ(ClubLog.marks[0], 8);
    EXPECT_EQ(ClubLog.allMark, 0);
    EXPECT_EQ(std::count(std::begin(ClubLog.marks), std::end(ClubLog.marks), 0), kClubLogFilters - 1);
    EXPECT_EQ(ClubHistoryRowLabel(0), 1521);
    EXPECT_EQ(ClubHistoryRowMarker(1), 2);
    EXPECT_EQ(ClubHistoryRowLabel(2), -1);
    // Honours: both, the second with its empty cell.
    ClubHistory_Filter(4);
    ClubHistoryScreenProc();
    EXPECT_EQ(ClubHistoryRowLabel(1), 1525);
    EXPECT_STREQ(ClubHistoryRowText(1), "");
    EXPECT_EQ(ClubHistoryRowLabel(2), -1);
    EXPECT_EQ(ClubHistory_Filter(16), MENU_CONTINUE);  // no such button
    EXPECT_EQ(ClubLog.filter, 6);
    ClubHistory_All(nullptr);
    EXPECT_EQ(ClubLog.filter, kClubLogAll);
    ClubHistory_ClearMarks();
    EXPECT_EQ(ClubLog.allMark, 0);
}

TEST_F(PastScreensTest, HistoryLogOfAClubWithoutHistoryAndScrolling) {
    SelectedClub = uint16_t(LeagueTable[0][2][3]);
    Enter(ClubHistoryScreenProc);
    EXPECT_EQ(ClubLog.count, 0);
    for (int button = -1; button < kClubLogFilters; ++button) {
        if (button >= 0) ClubHistory_Filter(int16_t(button));
        ClubHistoryScreenProc();
        for (int r = 0; r < kClubLogRows; ++r) EXPECT_EQ(ClubHistoryRowLabel(r), -1) << button << " " << r;
    }
    ClubHistory_ScrollDown(nullptr);
    EXPECT_EQ(ClubLog.top, 0);

    SelectedClub = uint16_t(user_);
    const std::vector<uint16_t> outfield = Outfield();
    for (int i = 0; i < 30; ++i) AddClubHistoryEntry(outfield[i % outfield.size()], user_, 0, 0, 7);
    Enter(ClubHistoryScreenProc);
    EXPECT_EQ(ClubLog.count, 30);
    for (int i = 0; i < 20; ++i) ClubHistory_ScrollDown(nullptr);
    EXPECT_EQ(ClubLog.top, 30 - kClubLogRows);
    ClubHistoryScreenProc();
    EXPECT_EQ(ClubHistoryRowLabel(kClubLogRows - 1), 1523);
    ClubHistory_ScrollUp(nullptr);
    EXPECT_EQ(ClubLog.top, 30 - kClubLogRows - 1);
    // More than a hundred entries: the log holds the newest hundred.
    for (int i = 0; i < 90; ++i) AddClubHistoryEntry(outfield[0], user_, 0, 0, 10);
    Enter(ClubHistoryScreenProc);
    EXPECT_EQ(ClubLog.count, 100);
}

// ---- From the title bar, with grabs ------------------------------------------------------

TEST_F(PastScreensTest, EachScreenFromTheTitleBarWithAGrab) {
    // A past of three seasons for the user's club and the country.
    SeasonCalendar.season = 3;
    const int topClubs = DivisionLayout[0][0].clubs;
    PastSeasonEntry(user_, 0, {3, 38, 20, 10, 61, 30, 70});
    PastSeasonEntry(user_, 1, {topClubs + 1, 46, 25, 11, 80, 41, 86});
    PastSeasonEntry(user_, 2, {4, 46, 22, 11, 70, 41, 77});
    const std::vector<uint16_t> outfield = Outfield();
    for (uint16_t p : outfield) SetPlayerGoals(p, 0);
    SetPlayerGoals(outfield[4], 3);
    SetPlayerGoals(Keeper(), 5);
    for (int k = 0; k < 3; ++k) PastSeasonScorer(user_, k, 0, outfield[k], 15 + k);
    for (int row = 0; row < 3; ++row) {
        PastHonour(0, row, 7, LeagueTable[0][0][row], LeagueTable[0][0][row + 3]);
        PastHonour(0, row, 0, LeagueTable[0][0][row + 6], LeagueTable[0][0][row + 9]);
    }
    SetClubRecordWin(user_, 6, 0, 4);
    SetClubRecordCrowd(user_, 41000, 4);
    AddClubHistoryEntry(outfield[0], user_, uint16_t(LeagueTable[0][1][0]), 800, 0);
    AddClubHistoryEntry(0, user_, 0, 99, 6);  // an unknown honour event
    AddClubHistoryEntry(outfield[1], user_, 0, 0, 7);

    static std::vector<uint32_t> records, roll, cupRoll, game, scorers, logAll, logFiltered;
    for (auto* grab : {&records, &roll, &cupRoll, &game, &scorers, &logAll, &logFiltered}) grab->clear();
    const auto waitFor = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
        testenv::MenuUserMoveTo(790, 590);
        testenv::MenuUserWait(4);
    };
    const auto grabInto = [](std::vector<uint32_t>* grab) {
        testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([grab] { *grab = testenv::NewestGrabPixels(); });
    };
    const auto open = [](int captionX, int row) {
        testenv::MenuUserClickItem(
            [captionX](const MenuHotItem& item) { return item.popup != nullptr && item.x == captionX; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(row);
    };
    const auto back = [] {
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    };
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    waitFor(ClubMainTable);
    open(171, 11);  // "Club Records"
    waitFor(ClubRecordsTable);
    grabInto(&records);
    back();
    waitFor(ClubMainTable);
    open(473, 9);  // the honours roll
    waitFor(HonoursRollTable);
    testenv::MenuUserClickAt(560, 573);  // the divisions pop-up
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(0);
    testenv::MenuUserWait(8);
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(4);
    grabInto(&roll);
    testenv::MenuUserClickAt(230, 573);  // the cups pop-up
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(0);
    testenv::MenuUserWait(8);
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(4);
    grabInto(&cupRoll);
    back();
    waitFor(ClubMainTable);
    open(473, 10);  // the game records
    waitFor(GameRecordsTable);
    grabInto(&game);
    back();
    waitFor(ClubMainTable);
    open(171, 22);  // "Top Scorers"
    waitFor(TopScorersTable);
    grabInto(&scorers);
    testenv::MenuUserClickAt(758, 574);
    waitFor(ClubMainTable);
    open(171, 23);  // the club's history
    waitFor(ClubHistoryTable);
    grabInto(&logAll);
    testenv::MenuUserClickAt(70, 135);  // the first filter
    testenv::MenuUserWait(8);
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(4);
    grabInto(&logFiltered);
    static bool done;
    done = false;
    testenv::MenuUserDo([] { done = true; });
    back();
    for (int rounds = 0; rounds < 30 && !WinCloseRequested() && !done; ++rounds) DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(MenuOption, kScreenClubMain);
    for (auto* grab : {&records, &roll, &cupRoll, &game, &scorers, &logAll, &logFiltered})
        ASSERT_EQ(grab->size(), 800u * 600u);

    // Club records: the three season rows, each place in its division's
    // colour: the first and the third in the top division's, the second in
    // another.
    uint32_t inks[3];
    for (int p = 1; p <= 3; ++p) {
        const int y = 302 + 20 * p;
        EXPECT_GT(testenv::BrightPixels(records, 460, y, 50, 20), 20) << "season " << p;
        inks[p - 1] = PastCommonInk(records, 516, y, 30, 20);
        EXPECT_NE(inks[p - 1], 0u) << "place " << p;
    }
    EXPECT_EQ(inks[0], inks[2]);
    EXPECT_NE(inks[0], inks[1]);
    EXPECT_EQ(testenv::BrightPixels(records, 460, 302 + 80, 300, 20), 0);   // no fourth season
    EXPECT_GT(testenv::BrightPixels(records, 250, 97 + 120, 300, 20), 20);  // the record win line
    EXPECT_EQ(testenv::BrightPixels(records, 250, 97 + 140, 300, 20), 0);   // no record defeat
    // The honours roll: three winners and runners-up of the first division, then the cup's.
    for (const auto* grab : {&roll, &cupRoll}) {
        for (int r = 0; r < 3; ++r) {
            EXPECT_GT(testenv::BrightPixels(*grab, 175, 157 + 25 * r, 200, 25), 20) << r;
            EXPECT_GT(testenv::BrightPixels(*grab, 485, 157 + 25 * r, 200, 25), 20) << r;
        }
        EXPECT_EQ(testenv::BrightPixels(*grab, 20, 157 + 75, 700, 25), 0);
    }
    EXPECT_NE(PastRegion(roll, 175, 157, 200, 25), PastRegion(cupRoll, 175, 157, 200, 25));  // other winners
    // The game records: the win and the crowd, and nothing in the empty lines.
    EXPECT_GT(testenv::BrightPixels(game, 250, 177 + 22, 300, 22), 20);
    EXPECT_GT(testenv::BrightPixels(game, 250, 177 + 44, 300, 22), 20);
    EXPECT_EQ(testenv::BrightPixels(game, 250, 177, 500, 22), 0);
    EXPECT_EQ(testenv::BrightPixels(game, 20, 177 + 22 * 7, 700, 22), 0);
    // The top scorers: the labels of this season and the three before, none further.
    for (int c = 0; c < 4; ++c) EXPECT_GT(testenv::BrightPixels(scorers, 90 + 130 * c, 82, 80, 16), 10) << c;
    EXPECT_GT(testenv::BrightPixels(scorers, 40, 120, 120, 20), 10);  // this season's scorer, second row
    EXPECT_EQ(testenv::BrightPixels(scorers, 40, 100, 120, 20), 0);
    for (int c = 1; c < 4; ++c)
        EXPECT_GT(testenv::BrightPixels(scorers, 40 + 130 * c, 100, 120, 20), 10) << c;
    EXPECT_EQ(testenv::BrightPixels(scorers, 40, 140, 120, 80), 0);  // no keeper
    EXPECT_EQ(testenv::BrightPixels(scorers, 40, 222, 720, 120), 0);
    // The log under "all": three rows, the unknown event's cell empty; one row filtered.
    for (int r = 0; r < 3; ++r) EXPECT_GT(testenv::BrightPixels(logAll, 150, 125 + 20 * r, 90, 20), 20) << r;
    EXPECT_GT(testenv::BrightPixels(logAll, 430, 125 + 2, 340, 16), 20);
    EXPECT_EQ(testenv::BrightPixels(logAll, 430, 145 + 2, 340, 16), 0);
    EXPECT_EQ(testenv::BrightPixels(logAll, 150, 185, 600, 20), 0);
    EXPECT_GT(testenv::BrightPixels(logFiltered, 150, 125, 90, 20), 20);
    EXPECT_EQ(testenv::BrightPixels(logFiltered, 150, 145, 600, 20), 0);
}

}  // namespace
