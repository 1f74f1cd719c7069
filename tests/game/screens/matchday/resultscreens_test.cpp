// The screens after the user's match over a constructed kept match on the
// headless display: the result board's header, goal list and cards, the
// tabs through the statistics (a 0-0 row split 50-50), the share chart
// (its curve from 50) and the results views and back, icon 153 ending the
// loop; the shoot-out in brackets; the goal list's bounds; the match chart's
// minute labels, event labels and title after later fixtures; the match
// statistics screen's views, information row, heat map and title, and the
// last fixture of a club.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/matchevents.h"
#include "core/season/matchsetup.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchchart.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchstatsscreen.h"
#include "game/screens/matchday/resultboard.h"
#include "game/screens/matchday/sharechart.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/world_records.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

constexpr int16_t kSlot = 7;
constexpr int16_t kPenaltyGoal = 5;  // the goal event's detail word of a penalty

void SetName(int side, const char* name) {
    EnterGameInfo* block = GetMatchSetupBlock();
    std::memset(block->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName, 0,
                gameinfo::kTeamNameLength);
    std::memcpy(block->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName, name, std::strlen(name));
}

uint8_t* Report(int side, int entry) { return MatchPlayerReport(side, entry); }

void SetPlayer(int side, int entry, uint16_t player) {
    GetMatchSetupBlock()->SetI16(gameinfo::PlayerInfoAt(side, entry) + gameinfo::kPlayerInfoNumber,
                                 int16_t(player));
    recbits::StoreU16(Report(side, entry) + kPlayerNumber, player);
}

void AddEvent(int& count, uint8_t kind, int minute, int team, uint16_t player, int16_t detail = 0) {
    uint8_t* row = MatchResult.events[count++];
    row[kEventKind] = kind;
    recbits::StoreU16(row + kEventMinute, uint16_t(minute));
    recbits::StoreU16(row + kEventTeam, uint16_t(team));
    recbits::StoreU16(row + kEventPlayer, player);
    recbits::StoreU16(row + kEventValue2, uint16_t(detail));
    MatchResult.events[count][kEventKind] = kEventEnd;
}

uint16_t HomePlayer(int entry) { return uint16_t(1 + entry); }
uint16_t AwayPlayer(int entry) { return uint16_t(101 + entry); }

// A 2-1 home win with a penalty and an own goal, bookings and a sending
// off, 12,345 spectators and referee K Marlow; kept, then the live blocks
// are overwritten as a later fixture would.
void KeepConstructedMatch(bool shootOut) {
    EnterGameInfo* block = ClearMatchSetupBlock();
    std::memset(&MatchResult, 0, sizeof MatchResult);
    SetName(0, "Home Town");
    SetName(1, "Away Rovers");
    block->SetI16(gameinfo::kNumAvailableSubs, 5);
    block->SetI16(gameinfo::kRefereeNumber, 3);
    RefereeRecords[3].bytes[0] = 'K';
    std::memset(RefereeRecords[3].bytes + 1, 0, 16);
    std::memcpy(RefereeRecords[3].bytes + 1, "Marlow", 6);
    for (int e = 0; e < 16; ++e) {
        SetPlayer(0, e, HomePlayer(e));
        SetPlayer(1, e, AwayPlayer(e));
        for (int side = 0; side < 2; ++side) {
            recbits::StoreU16(Report(side, e) + kPlayerRating, uint16_t(e < 11 ? 60 + e : 0));
            Report(side, e)[kStatsEndMinute] = e < 11 ? 90 : 0;
        }
    }
    recbits::StoreU16(Report(0, 2) + kPlayerCards, 1);
    recbits::StoreU16(Report(1, 3) + kPlayerCards, 3);
    recbits::StoreU16(MatchResult.teams[0].bytes + kReportGoals, 2);
    recbits::StoreU16(MatchResult.teams[1].bytes + kReportGoals, 1);
    recbits::StoreU16(MatchResult.teams[0].bytes + kReportShootOutGoals, shootOut ? 4 : 0);
    recbits::StoreU16(MatchResult.teams[1].bytes + kReportShootOutGoals, shootOut ? 3 : 0);
    recbits::StoreU16(MatchResult.teams[0].bytes + kReportManOfTheMatch, HomePlayer(9));
    recbits::StoreU16(MatchResult.teams[1].bytes + kReportManOfTheMatch, 0xFFFF);
    int count = 0;
    MatchResult.events[0][kEventKind] = kEventEnd;
    AddEvent(count, 0, 12, 0, HomePlayer(9));
    AddEvent(count, 2, 30, 0, HomePlayer(2));  // a caution: never labelled
    AddEvent(count, 0, 40, 0, HomePlayer(9), kPenaltyGoal);
    AddEvent(count, 3, 55, 1, AwayPlayer(3));
    AddEvent(count, 4, 70, 1, AwayPlayer(5));  // an own goal for the home side
    for (int m = 0; m < kMatchMinutes; ++m) MatchResult.minutes[m] = 100;
    // Shots 6-2, none offside on either side.
    MatchTeamTotals[0][kTotalOffsides] = 0;
    MatchTeamTotals[1][kTotalOffsides] = 0;
    MatchEvents_Clear();
    MatchEvents_Record(kSlot);
    FixtureTable[kSlot] = Fixture{};
    recbits::StoreU16(FixtureTable[kSlot].bytes + kFixtureHomeClub, 0);
    recbits::StoreU16(FixtureTable[kSlot].bytes + kFixtureAwayClub, 1);
    recbits::StoreU32(FixtureTable[kSlot].bytes + kFixtureScoreWord, 2u | 1u << 5);
    LastAttendance = 12345;
    LastMatch_Keep(kSlot);
    // A later fixture takes the live blocks.
    ClearMatchSetupBlock();
    SetName(0, "Later Side");
    std::memset(&MatchResult, 0, sizeof MatchResult);
    LastAttendance = 7;
}

// A grab pixel as 0xRRGGBB whichever order the grab keeps: the share
// chart's top level line (0x5CDE, blue above red) tells.
bool g_grabSwapped = false;
uint32_t Rgb(uint32_t pixel) {
    return g_grabSwapped ? (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF) : pixel;
}
bool Reddish(uint32_t pixel) { return int(Rgb(pixel) >> 16 & 255) > int(Rgb(pixel) & 255) + 40; }
bool Bluish(uint32_t pixel) { return int(Rgb(pixel) & 255) > int(Rgb(pixel) >> 16 & 255) + 40; }
int Near(uint32_t pixel, int r, int g, int b) {
    const uint32_t rgb = Rgb(pixel);
    return std::abs(int(rgb >> 16 & 255) - r) + std::abs(int(rgb >> 8 & 255) - g) +
           std::abs(int(rgb & 255) - b);
}

int DifferentPixels(const std::vector<uint32_t>& grab, int x0, int y0, int x1, int y1, int w, int h) {
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            n += grab[size_t((y0 + y) * 800 + x0 + x)] != grab[size_t((y1 + y) * 800 + x1 + x)];
    return n;
}

class ResultScreensTest : public MenuEngineTest {
  protected:
    static void SetUpTestSuite() { worldError_ = LoadWorldRecords(HALVORN_GAME_DIR); }
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        if (!worldError_.empty()) GTEST_FAIL() << worldError_;
        keptReferee_ = RefereeRecords[3];
    }
    void TearDown() override {
        if (started_ && worldError_.empty()) {
            RefereeRecords[3] = keptReferee_;
            FixtureTable[kSlot] = Fixture{};
            MatchEvents_Clear();
            LastMatch_Forget();
        }
        MenuEngineTest::TearDown();
    }
    static void WaitForTable(const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
        testenv::MenuUserWait(3);
    }
    static void Grab(std::vector<uint32_t>* grab) {
        testenv::MenuUserMoveTo(790, 300);
        testenv::MenuUserWait(2);
        testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([grab] { *grab = testenv::NewestGrabPixels(); });
    }
    static void ClickAt(int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    }
    // What the page up writes must read.
    static void CheckStrings(const char* page) {
        testenv::MenuUserDo([page] {
            for (const std::string& fault : testenv::StringFaults(testenv::ScreenStrings()))
                ADD_FAILURE() << page << ": " << fault;
        });
    }
    static inline std::string worldError_;
    RefereeRecord keptReferee_{};
};

TEST_F(ResultScreensTest, TheTabsLeadThroughTheResultsScreensAndIcon153EndsTheLoop) {
    KeepConstructedMatch(false);
    LastMatchCopy copy = LastMatch();
    copy.minute = 90;
    LastMatch_Set(copy);
    static std::vector<uint32_t> board, stats, chart;
    static int boardsSeen = 0, statsShare = -1, curveStart = -1, sideAfterToggle = -1, buttonAfterToggle = -1;
    static std::string titleAfterToggle;
    static const MenuItem* afterSameTab = nullptr;
    board.clear();
    stats.clear();
    chart.clear();
    WaitForTable(ResultBoardTable);
    Grab(&board);
    CheckStrings("the result board");
    // The board's own tab does nothing.
    ClickAt(567, 559);
    testenv::MenuUserWait(5);
    testenv::MenuUserDo([] { afterSameTab = MenuViewTopTable(); });
    ClickAt(229, 559);
    WaitForTable(MatchStatsTable);
    Grab(&stats);
    CheckStrings("the match statistics");
    testenv::MenuUserDo([] { statsShare = MatchStatsShown().rowShare[6]; });
    ClickAt(60, 559);
    WaitForTable(ShareChartTable);
    Grab(&chart);
    CheckStrings("the share chart");
    testenv::MenuUserDo([] { curveStart = ShareChartCurve[0]; });
    ClickAt(70, 507);
    testenv::MenuUserWait(5);
    testenv::MenuUserDo([] {
        sideAfterToggle = ShareChartSide;
        buttonAfterToggle = ShareChartButtonText();
        titleAfterToggle = ShareChartTitle();
    });
    ClickAt(398, 559);
    WaitForTable(FrontEndScreenTable(kScreenResults));
    CheckStrings("the results views");
    // Back from the results views: its result-board tab, or the back icon
    // of the plain screen that an id without a screen of its own opens.
    if (FrontEndScreenTable(kScreenResults) == PlainScreenTable) {
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup == nullptr && item.y > 500; });
    } else {
        ClickAt(567, 559);
    }
    WaitForTable(ResultBoardTable);
    testenv::MenuUserDo([] { ++boardsSeen; });
    ClickAt(743, 559);
    MatchDay_RunResultsLoop();

    EXPECT_EQ(MatchDayResultsView, -1);
    EXPECT_EQ(boardsSeen, 1);
    EXPECT_EQ(afterSameTab, ResultBoardTable);
    // The header, from the kept match and not the later fixture.
    EXPECT_STREQ(ResultBoardHomeLine(), "Home Town 2");
    EXPECT_STREQ(ResultBoardAwayLine(), "1 Away Rovers");
    EXPECT_STREQ(ResultBoardAttendanceLine(), (std::string(GetText(2429)) + " 12,345").c_str());
    EXPECT_STREQ(ResultBoardRefereeLine(), (std::string(GetText(1152)) + ": K Marlow").c_str());
    const std::string scorer = GetPlayerSurname(HomePlayer(9));
    EXPECT_EQ(ResultBoardGoalText(0), scorer + " 12,40 " + GetText(630) + " ");
    EXPECT_EQ(ResultBoardGoalText(1),
              std::string(GetPlayerSurname(AwayPlayer(5))) + " 70 " + GetText(698) + " ");
    ASSERT_EQ(board.size(), 800u * 600u);
    EXPECT_GT(testenv::BrightPixels(board, 396, 104, 9, 16), 0);    // "-"
    EXPECT_GT(testenv::BrightPixels(board, 250, 104, 128, 16), 0);  // the home line
    EXPECT_GT(testenv::BrightPixels(board, 422, 104, 128, 16), 0);  // the away line
    EXPECT_GT(testenv::BrightPixels(board, 25, 152, 354, 20), 0);   // the home goals
    // Row 2's booked home player carries a card at (200, y + 10) that row 4
    // has not; row 3's away player was sent off (597-610 right of 603).
    EXPECT_GT(DifferentPixels(board, 200, 217 + 40 + 3, 200, 217 + 80 + 3, 14, 14), 10);
    EXPECT_GT(DifferentPixels(board, 603, 217 + 60 + 3, 603, 217 + 100 + 3, 14, 14), 10);
    // Offsides 0 against 0: a bar split in the middle.
    EXPECT_EQ(statsShare, 50);

    ASSERT_EQ(stats.size(), 800u * 600u);
    ASSERT_EQ(chart.size(), 800u * 600u);
    const uint32_t topLine = chart[size_t(262 * 800 + 300)];
    g_grabSwapped = (topLine & 0xFF) < (topLine >> 16 & 0xFF);
    const int barY = 278 + 38 * 6 + 6;

    EXPECT_TRUE(Reddish(stats[size_t(barY * 800 + 284 + 110)]));
    EXPECT_TRUE(Bluish(stats[size_t(barY * 800 + 284 + 122)]));
    // The share chart starts at 50 in the home colour (0x98C3).
    EXPECT_EQ(curveStart, 50);
    EXPECT_LT(Near(topLine, 88, 152, 240), 40);
    EXPECT_LT(Near(chart[size_t(363 * 800 + 70)], 152, 24, 24), 40);
    EXPECT_EQ(sideAfterToggle, 1);
    EXPECT_EQ(buttonAfterToggle, 1155);
    EXPECT_EQ(titleAfterToggle, std::string("Away Rovers ") + GetText(970));
}

TEST_F(ResultScreensTest, AShootOutShowsThePenaltyScoresInBracketsOnBothScreens) {
    KeepConstructedMatch(true);
    static std::string board[2], stats[2];
    WaitForTable(ResultBoardTable);
    testenv::MenuUserDo([] {
        board[0] = ResultBoardHomeLine();
        board[1] = ResultBoardAwayLine();
    });
    ClickAt(229, 559);
    WaitForTable(MatchStatsTable);
    testenv::MenuUserDo([] {
        stats[0] = MatchStatsHomeLine();
        stats[1] = MatchStatsAwayLine();
    });
    ClickAt(743, 559);
    MatchDay_RunResultsLoop();
    EXPECT_EQ(board[0], "Home Town 2 (4)");
    EXPECT_EQ(board[1], "(3) 1 Away Rovers");
    EXPECT_EQ(stats[0], "Home Town 2 (4)-");
    EXPECT_EQ(stats[1], "(3) 1 Away Rovers");
}

TEST_F(ResultScreensTest, LastMatchInTheLeagueListOnlyWhileAMatchIsKept) {
    static int16_t option[2] = {-1, -1};
    for (int kept = 0; kept < 2; ++kept) {
        if (kept == 1) {
            KeepConstructedMatch(false);
        } else {
            LastMatch_Forget();
        }
        MenuOption = kScreenSuspensions;  // any screen with the title bar
        WaitForTable(PlainScreenTable);
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 322; });
        testenv::MenuUserWait(10);
        testenv::MenuUserClickPopupRow(5);  // Last Match
        testenv::MenuUserWait(10);
        testenv::MenuUserDo([] {
            if (MenuViewTopTable() == PlainScreenTable) {
                testenv::MenuUserKey(0x01);  // Escape closes the list if it stayed open
                testenv::MenuUserWait(5);
                testenv::MenuUserClickItem(
                    [](const MenuHotItem& item) { return item.popup == nullptr && item.y > 500; });
            }
        });
        RunMenuSet(PlainScreenTable);
        option[kept] = MenuOption;
    }
    EXPECT_NE(option[0], 50);
    EXPECT_EQ(option[1], 50);
}

TEST_F(ResultScreensTest, TheResultsViewsRunByTheControllerLeaveToTheClub) {
    KeepConstructedMatch(false);
    WaitForTable(FrontEndScreenTable(kScreenResults));
    if (FrontEndScreenTable(kScreenResults) == PlainScreenTable) {
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup == nullptr && item.y > 500; });
    } else {
        ClickAt(567, 559);  // its result-board tab names a results view only
    }
    MenuOption = kScreenResults;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(ResultScreensTest, TheGoalListKeepsFifteenScorersOfSevenGoalsAndStaysBounded) {
    KeepConstructedMatch(false);
    // Twenty scorers of nine goals each for the home side.
    int count = 0;
    MatchResult.events[0][kEventKind] = kEventEnd;
    for (int p = 0; p < 20; ++p)
        for (int g = 0; g < 9 && count < kMatchEvents - 1; ++g)
            AddEvent(count, 0, g + 1, 0, uint16_t(200 + p));
    MatchEvents_Clear();
    MatchEvents_Record(kSlot);
    ResultBoard_BuildHeader();
    const std::string text = ResultBoardGoalText(0);
    EXPECT_LT(text.size(), 512u);
    // The first scorer has his seven first goals; scorer 16 and later none.
    const std::string first = GetPlayerSurname(200);
    EXPECT_EQ(text.rfind(first + " 1,2,3,4,5,6,7 ", 0), 0u);
    int scorers = 0;
    for (size_t at = text.find(" 1,2,3,4,5,6,7 "); at != std::string::npos;
         at = text.find(" 1,2,3,4,5,6,7 ", at + 1))
        ++scorers;
    EXPECT_EQ(scorers, 15);
    EXPECT_EQ(text.find(",8"), std::string::npos);
    EXPECT_STREQ(ResultBoardGoalText(1), "");
}

TEST_F(ResultScreensTest, TheMatchChartLabelsItsMinutesAndEventsAndShowsTheKeptScore) {
    static int16_t labels[2][9];
    static int labelCount[2] = {}, eventLabels[2] = {};
    static std::string title, firstLabel;
    static int16_t optionAfterClick = 0;
    for (int run = 0; run < 2; ++run) {
        KeepConstructedMatch(false);
        LastMatchCopy copy = LastMatch();
        if (run == 1) {
            // Extra time, and 35 events of which the first 30 labelled.
            copy.result.teams[0].bytes[kReportPlayers + 4 * kPlayerReportSize + kStatsEndMinute] = 120;
            for (int e = 0; e < 35; ++e) {
                uint8_t* row = copy.result.events[e];
                row[kEventKind] = uint8_t(e % 2 == 0 ? 0 : 3);
                recbits::StoreU16(row + kEventMinute, uint16_t(e * 3));
                recbits::StoreU16(row + kEventTeam, uint16_t(e % 2));
                recbits::StoreU16(row + kEventPlayer, HomePlayer(1));
            }
            copy.result.events[35][kEventKind] = kEventEnd;
            LastMatch_Set(copy);
        }
        WaitForTable(MatchChartTable);
        testenv::MenuUserDo([run] {
            labelCount[run] = MatchChartMinuteLabels(labels[run], 9);
            eventLabels[run] = MatchChartEventLabels();
            title = MatchChartTitle();
            if (run == 0) firstLabel = MatchChartEventLabel(0);
        });
        testenv::MenuUserClickAt(590, 456);
        RunMenuSet(MatchChartTable);
        optionAfterClick = MenuOption;
    }
    // 90 minutes: 0, 15, ..., 90; extra time adds 105 and 120.
    EXPECT_EQ(labelCount[0], 7);
    EXPECT_EQ(labels[0][6], 90);
    EXPECT_EQ(labelCount[1], 9);
    EXPECT_EQ(labels[1][8], 120);
    // The caution (kind 2) is not labelled: goal, goal, sending-off, own goal.
    EXPECT_EQ(eventLabels[0], 4);
    EXPECT_EQ(firstLabel, std::string(" 12") + GetText(1448) + " " + GetText(238) + " " +
                              HVW_GetPlayerShortName(HomePlayer(9)));
    EXPECT_EQ(eventLabels[1], 30);
    EXPECT_EQ(title, "Home Town 2 - 1 Away Rovers");
    EXPECT_EQ(optionAfterClick, kScreenMatchStats);
}

// The cell of the grid holding the position (shirt - 1).
bool CellOf(int shirt, int* row, int* column) {
    for (int r = 0; r < kStatsGridRows; ++r)
        for (int c = 0; c < kStatsGridColumns; ++c)
            if (MatchStatsGrid[r][c] == shirt - 1) {
                *row = r;
                *column = c;
                return true;
            }
    return false;
}

TEST_F(ResultScreensTest, TheMatchStatisticsScreenShowsEachViewOfTheKeptMatch) {
    KeepConstructedMatch(false);
    LastMatchCopy copy = LastMatch();
    copy.setup.SetTeamU8(0, gameinfo::kHumanManaged, 1);
    copy.setup.SetTeamI16(0, gameinfo::kTacticChoice, 0);
    // Shirt 5: an outfield player with counters of known values; shirt 13
    // came on at minute 60.
    uint16_t outfield = 1;
    while (HVW_GetPositionType(outfield) == 0) ++outfield;
    copy.setup.SetI16(gameinfo::PlayerInfoAt(0, 4) + gameinfo::kPlayerInfoNumber, int16_t(outfield));
    uint8_t* e = copy.result.teams[0].bytes + kReportPlayers + 4 * kPlayerReportSize;
    recbits::StoreU16(e + kPlayerRating, 77);
    recbits::StoreU16(e + kPlayerGoals, 2);
    recbits::StoreU16(e + kPlayerCards, 1);
    e[kStatsAssists] = 1;
    e[kStatsTacklesWon] = 6;
    e[kStatsClearances] = 4;
    e[kStatsFouls] = 2;
    e[kStatsHandballs] = 1;
    e[kStatsIntercepts] = 3;
    e[kStatsOwnHalfHeaders] = 5;
    e[kStatsPossessionLost] = 7;
    e[kStatsStartMinute] = 0;
    e[kStatsEndMinute] = 90;
    e[kStatsOutfieldFlags] = 1;
    uint8_t* keeper = copy.result.teams[0].bytes + kReportPlayers;
    keeper[kStatsSaves] = 4;
    keeper[kStatsCatches] = 2;
    keeper[kStatsOtherStops] = 1;
    keeper[kStatsOwnHalfHeaders] = 0;
    // Four substitutes came on (shirts 12, 13, 15 and 16): the first three are listed.
    for (int shirt : {12, 13, 15, 16})
        copy.result.teams[0].bytes[kReportPlayers + (shirt - 1) * kPlayerReportSize + kStatsStartMinute] = 60;
    // Shirt 5's heat map: two cells of the top row full, one at a tenth.
    std::memset(copy.result.heatMaps[4], 0, sizeof copy.result.heatMaps[4]);
    copy.result.heatMaps[4][2][0] = 100;
    copy.result.heatMaps[4][8][0] = 100;
    copy.result.heatMaps[4][5][0] = 10;
    LastMatch_Set(copy);

    static MatchStatsInfoRow keeperRow, view5, view0;
    static std::string title, keeperCounter;
    static int subs = 0;
    static int16_t subShirts[3] = {}, shirtAfterClick = 0, optionAfter = 0;
    static int alphaFull = 0, alphaLow = 0, alphaEmptyMap = -1;
    static std::vector<uint32_t> heat;
    heat.clear();
    WaitForTable(MatchStatsScreenTable);
    testenv::MenuUserDo([] {
        keeperRow = MatchStats_Info();
        title = MatchStats_Title();
        keeperCounter = MatchStats_CounterString(1);
        subs = MatchStats_SubCount();
        for (int k = 0; k < 3; ++k) subShirts[k] = MatchStats_SubShirt(k);
        int row = 0, column = 0;
        if (CellOf(5, &row, &column)) testenv::MenuUserClickAt(column * 37 + 82, row * 23 + 65);
        testenv::MenuUserWait(5);
        testenv::MenuUserDo([] {
            shirtAfterClick = MatchStatsShirt;
            view5 = MatchStats_Info();
            // View 0 from the pop-up, then shirt 5 again.
            testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 30 && item.y == 559; });
            testenv::MenuUserWait(10);
            testenv::MenuUserClickPopupRow(0);
            testenv::MenuUserWait(5);
            testenv::MenuUserDo([] {
                int row = 0, column = 0;
                if (CellOf(5, &row, &column)) testenv::MenuUserClickAt(column * 37 + 82, row * 23 + 65);
                testenv::MenuUserWait(5);
                testenv::MenuUserDo([] {
                    view0 = MatchStats_Info();
                    testenv::MenuUserClickItem(
                        [](const MenuHotItem& item) { return item.x == 30 && item.y == 559; });
                    testenv::MenuUserWait(10);
                    testenv::MenuUserClickPopupRow(6);  // the heat map
                    testenv::MenuUserWait(5);
                    testenv::MenuUserDo([] {
                        int row = 0, column = 0;
                        if (CellOf(5, &row, &column))
                            testenv::MenuUserClickAt(column * 37 + 82, row * 23 + 65);
                        testenv::MenuUserWait(5);
                        Grab(&heat);
                        testenv::MenuUserDo([] {
                            alphaFull = MatchStats_HeatAlpha(0, 2);
                            alphaLow = MatchStats_HeatAlpha(0, 5);
                            // Shirt 6 was counted nowhere: nothing to draw.
                            MatchStatsShirt = 6;
                            alphaEmptyMap = MatchStats_HeatAlpha(0, 2);
                            MatchStatsShirt = 5;
                            ClickAt(743, 559);
                        });
                    });
                });
            });
        });
    });
    RunMenuSet(MatchStatsScreenTable);
    optionAfter = MenuOption;

    EXPECT_EQ(title, "Home Town 2 - 1 Away Rovers");
    // Shirt 1 on entry: the keeper's labels and counters in every view.
    const int16_t keeperLabels[6] = {1409, 1412, -1, 1405, 936, -1};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(keeperRow.labels[k], keeperLabels[k]) << k;
    EXPECT_EQ(keeperRow.values[0], 7);
    EXPECT_EQ(keeperRow.values[1], 2);
    EXPECT_EQ(keeperRow.values[2], kStatsNoValue);
    EXPECT_EQ(keeperCounter, "7-2-0-0");
    EXPECT_EQ(subs, 3);
    EXPECT_EQ(subShirts[0], 12);
    EXPECT_EQ(subShirts[1], 13);
    EXPECT_EQ(subShirts[2], 15);
    // Shirt 5 in view 5: rating, goals, assists, minutes, one booking.
    EXPECT_EQ(shirtAfterClick, 5);
    const int16_t view5Labels[6] = {243, 64, 956, 963, 1411, 1410};
    const int16_t view5Values[6] = {77, 2, 1, 90, 1, 0};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(view5.labels[k], view5Labels[k]) << k;
        EXPECT_EQ(view5.values[k], view5Values[k]) << k;
    }
    EXPECT_EQ(view5.rating, 77);
    EXPECT_STREQ(view5.goals, "(2)");
    EXPECT_EQ(view5.icons[0], 15);
    EXPECT_EQ(view5.icons[1], kStatsNoValue);
    // View 0: tackles, clearances, the foul counts, interceptions, headers,
    // possession lost.
    const int16_t view0Labels[6] = {1415, 935, 1437, 1416, 936, 918};
    const int16_t view0Values[6] = {6, 4, 3, 3, 5, 7};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(view0.labels[k], view0Labels[k]) << k;
        EXPECT_EQ(view0.values[k], view0Values[k]) << k;
    }
    // The heat map: the full cells at 100 per cent (pure red), the one under
    // 14 per cent of the largest at 53.
    EXPECT_EQ(alphaFull, 100);
    EXPECT_EQ(alphaEmptyMap, 0);
    EXPECT_EQ(alphaLow, 53);
    ASSERT_EQ(heat.size(), 800u * 600u);
    const uint32_t full = heat[size_t(65 * 800 + (17 - 2) * 37 + 64 + 18)];
    const uint32_t low = heat[size_t(65 * 800 + (17 - 5) * 37 + 64 + 18)];
    EXPECT_TRUE((full & 0xFF) >= 0xF0 || (full >> 16 & 0xFF) >= 0xF0) << std::hex << full;
    EXPECT_TRUE(((full >> 8) & 0xFF) < 0x10) << std::hex << full;
    EXPECT_NE(low, full);
    EXPECT_EQ(optionAfter, kScreenClubMain);
}

TEST_F(ResultScreensTest, TheLastFixtureOfAClubBeforeToday) {
    ClearFixtureTable();
    const int16_t kept = SeasonCalendar.currentDay;
    const uint16_t keptClub = SelectedClub;
    HVW_AddFixture(5, 0, 10, 11, 0);
    HVW_AddFixture(8, 0, 12, 10, 0);
    HVW_AddFixture(12, 0, 10, 13, 0);
    SelectedClub = 10;
    SeasonCalendar.currentDay = 10;
    FindLastClubFixture();
    EXPECT_EQ(FixtureDay(LastClubFixture), 8);
    SeasonCalendar.currentDay = 3;
    LastClubFixture = 9;
    FindLastClubFixture();
    EXPECT_EQ(LastClubFixture, 0);
    SelectedClub = 14;
    SeasonCalendar.currentDay = 20;
    FindLastClubFixture();
    EXPECT_EQ(LastClubFixture, 0);
    SeasonCalendar.currentDay = kept;
    SelectedClub = keptClub;
    ClearFixtureTable();
}

TEST(MatchChartCurve, AMinuteWithoutAValueIsFiftyAndTheNextSmoothsFromIt) {
    uint8_t minutes[kMatchMinutes];
    std::memset(minutes, 100, sizeof minutes);
    minutes[0] = 80;
    minutes[3] = kNoMinuteValue;
    MatchChart_BuildCurve(minutes);
    EXPECT_EQ(MatchChartCurve[0], 80);
    EXPECT_EQ(MatchChartCurve[1], 84);
    EXPECT_EQ(MatchChartCurve[3], 50);
    EXPECT_EQ(MatchChartCurve[4], 60);
}

TEST(ShareChartCurve, StartsAtFiftyAndAZeroMinuteMatchDrawsNoCurve) {
    uint8_t minutes[kMatchMinutes];
    std::memset(minutes, 0, sizeof minutes);
    ShareChart_BuildCurve(minutes, 90);
    EXPECT_EQ(ShareChartMinutes, 90);
    EXPECT_EQ(ShareChartCurve[0], 50);
    EXPECT_EQ(ShareChartCurve[1], 40);
    EXPECT_EQ(ShareChartCurve[2], 32);
    ShareChart_BuildCurve(minutes, 0);
    EXPECT_EQ(ShareChartMinutes, 0);
    ShareChart_BuildCurve(minutes, 150);
    EXPECT_EQ(ShareChartMinutes, 120);
    EXPECT_EQ(ResultsShare(0, 0), 50);
    EXPECT_EQ(ResultsShare(3, 1), 75);
}

}  // namespace
