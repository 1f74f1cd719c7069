// The test screens over a new game's world on the headless display: the
// soak screen's stop point by weeks, matches and dates with its floors and
// the season ends both ways, the club summary's counts and its ways on and
// back, and the message tester's keys and news box.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/transfers.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/query/clubscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/diarynotes.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/newgame.h"
#include "core/season/services.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/clubsummary.h"
#include "game/screens/club/weeklymoney.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/league/clubfixtures.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/squad/teamselect.h"
#include "game/screens/start/msgtester.h"
#include "game/screens/start/soakscreen.h"
#include "game/system/startup.h"
#include "platform/window.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/soak_checks.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/user_club_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

testenv::SharedNewWorld g_soakScreensWorld;

class SoakScreensTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_soakScreensWorld, testenv::kScreenWorldSeed);
        if (!ready()) return;
        keptCalendar_ = SeasonCalendar;
        SoakScreen_Reset();
        SoakMode = 0;
        SoakStopPointSeason = -1;
        SoakStopPointDay = 0;
    }
    void TearDown() override {
        if (ready()) {
            SeasonCalendar = keptCalendar_;
            SoakMode = 0;
            // The hooks the test program starts with: a later test may need the
            // front end called from the core (the progress a new game shows).
            InstallGameHooks();
        }
        UserClubScreenTest::TearDown();
    }

    // Clicks the first selectable item with the handler, with a mouse
    // button (0 the first, 1 the second).
    static void ClickHandler(MenuHandler handler, int button = 0) {
        testenv::MenuUserClickItem([handler](const MenuHotItem& item) { return item.handler == handler; },
                                   button);
        MenuUserWait(14);  // past the engine's click latch
    }
    static void OpenSoakScreen() {
        PreviousMenuOption = kScreenClubMain;
        MenuOption = kScreenSoak;
        testenv::MenuUserWaitFor(TableUp(SoakScreenTable), 3000);
        MenuUserWait(3);
    }
    // The stop point as (season, day), read at the script's step.
    static void ExpectStop(int16_t season, int16_t day, int16_t weeks, const char* what) {
        MenuUserDo([season, day, weeks, what] {
            EXPECT_EQ(SoakStopSeason, season) << what;
            EXPECT_EQ(SoakStopDay, day) << what;
            EXPECT_EQ(SoakScreenShown().weeks, weeks) << what;
        });
    }
    // The user's matches after the day, in table order.
    std::vector<int16_t> UserMatchDaysAfter(int day) const {
        std::vector<int16_t> days;
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            if (FixtureDay(slot) > day && IsFixtureOfClub(slot, user_) &&
                FixtureType(slot) < kCompNationalTeam)
                days.push_back(int16_t(FixtureDay(slot)));
        }
        return days;
    }

    SeasonCalendarState keptCalendar_{};
};

TEST_F(SoakScreensTest, TheStopPointMovesByWeeksAndMatchesWithinItsFloorsAndAcrossSeasonEnds) {
    // From day 0: the stop point starts two days on, with no weeks or
    // matches counted.
    SeasonCalendar.season = 0;
    SeasonCalendar.currentDay = 0;
    const std::vector<int16_t> matchDays = UserMatchDaysAfter(0);
    ASSERT_GE(matchDays.size(), 2u);
    OpenSoakScreen();
    MenuUserDo([] {
        const SoakScreenView view = SoakScreenShown();
        EXPECT_EQ(view.dayOfMonth, 15);
        EXPECT_EQ(view.month, 6);
        EXPECT_EQ(view.year, 2002);
        EXPECT_EQ(view.weekday, 2) << "Monday 15 July 2002";
        EXPECT_EQ(view.matches, 0);
        // Every cup row says something: its next round or why there is none.
        for (int row = 0; row < kSoakCupRows; ++row) EXPECT_GE(view.cupRowText[row], 0) << row;
        // Each row names its own competition: the qualifying rounds' row is
        // not a second "Champions' Cup".
        std::vector<std::string> names;
        for (const DrawnString& s : testenv::ScreenStrings())
            if (s.x == 30 && s.y >= 70 && s.y < 70 + 14 * kSoakCupRows) names.push_back(s.text);
        ASSERT_EQ(names.size(), size_t(kSoakCupRows));
        std::sort(names.begin(), names.end());
        const auto twin = std::adjacent_find(names.begin(), names.end());
        EXPECT_TRUE(twin == names.end()) << "two rows named " << *twin;
    });
    ExpectStop(0, 2, 0, "first entry");
    ClickHandler(SoakScreen_ChangeWeeks, 1);
    ExpectStop(0, 2, 0, "no weeks to take away");
    ClickHandler(SoakScreen_ChangeWeeks);
    ExpectStop(0, 9, 1, "a week on");
    ClickHandler(SoakScreen_ChangeWeeks, 1);
    ExpectStop(0, 9, 1, "weeks stay at least 1");
    // The matches up to the week's stop, then two more.
    static int16_t matchesBefore;
    static std::vector<int16_t> days;
    days = matchDays;
    MenuUserDo([] { matchesBefore = SoakScreenShown().matches; });
    ClickHandler(SoakScreen_ChangeMatches);
    ClickHandler(SoakScreen_ChangeMatches);
    MenuUserDo([] {
        EXPECT_EQ(SoakScreenShown().matches, matchesBefore + 2);
        ASSERT_LT(size_t(matchesBefore + 1), days.size());
        EXPECT_EQ(SoakStopDay, days[size_t(matchesBefore + 1)]) << "the day of that match";
        EXPECT_EQ(SoakStopKind, 4);
    });
    for (int i = 0; i < 4; ++i) ClickHandler(SoakScreen_ChangeMatches, 1);
    MenuUserDo([] {
        if (matchesBefore + 2 <= 5) {
            EXPECT_EQ(SoakScreenShown().matches, 1) << "matches stay at least 1";
        }
        EXPECT_EQ(SoakStopDay, days[size_t(SoakScreenShown().matches - 1)]);
    });
    // Leaving with the soak off leaves the day loop's stop point alone.
    ClickHandler(SoakScreen_Exit);
    RunScreens({61});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(SoakStopPointSeason, -1);
    // The count runs from after the start day to before the end day, to
    // the season's end when the end lies in a later season.
    const auto countBetween = [&](int from, int to) {
        return int16_t(
            std::count_if(matchDays.begin(), matchDays.end(), [&](int d) { return d > from && d < to; }));
    };
    EXPECT_EQ(SoakScreen_CountMatches(0, 0, matchDays[1], 0), countBetween(0, matchDays[1]));
    EXPECT_EQ(SoakScreen_CountMatches(matchDays[0], 0, 200, 0), countBetween(matchDays[0], 200));
    EXPECT_EQ(SoakScreen_CountMatches(0, 0, 5, 1), int16_t(matchDays.size()));
    EXPECT_EQ(SoakScreen_CountMatches(0, 1, 300, 0), 0);

    // Near the end of season 0 (365 days): two weeks on cross into season
    // 1, one back crosses into season 0 again.
    SoakScreen_Reset();
    SeasonCalendar.currentDay = 355;
    OpenSoakScreen();
    ExpectStop(0, 357, 0, "two days on");
    ClickHandler(SoakScreen_ChangeWeeks);
    ClickHandler(SoakScreen_ChangeWeeks);
    ExpectStop(1, 6, 2, "into the next season");
    MenuUserDo([] {
        const SoakScreenView view = SoakScreenShown();
        EXPECT_EQ(view.dayOfMonth, 19);
        EXPECT_EQ(view.month, 6);
        EXPECT_EQ(view.year, 2003);
    });
    ClickHandler(SoakScreen_ChangeWeeks, 1);
    ExpectStop(0, 364, 1, "back into the season before");
    MenuUserDo([] { EXPECT_EQ(SoakScreenShown().dayOfMonth, 12); });
    // The day field crosses too, and the year field moves a whole year.
    ClickHandler(SoakScreen_ChangeDay);
    ExpectStop(1, 0, 1, "the last day and one");
    ClickHandler(SoakScreen_ChangeDay, 1);
    ExpectStop(0, 364, 1, "and back");
    // 12 July 2004 closes season 1, whose February has a 29th; the date
    // conversion counts no leap day for July's first days and so does not
    // bring the date back: the stop stays.
    ClickHandler(SoakScreen_ChangeYear);
    ExpectStop(0, 364, 1, "12 July 2004 refused");
    ClickHandler(SoakScreen_ChangeMonth, 1);
    ExpectStop(0, 334, 0, "12 June 2003, before today");
    ClickHandler(SoakScreen_ChangeYear, 1);
    ExpectStop(0, 334, 0, "before the first season");
    ClickHandler(SoakScreen_Exit);
    RunScreens({61});

    // Season 1 has 366 days: a week on from its day 362 is day 3 of season 2.
    SoakScreen_Reset();
    SeasonCalendar.season = 1;
    SeasonCalendar.currentDay = 360;
    OpenSoakScreen();
    ClickHandler(SoakScreen_ChangeWeeks);
    ExpectStop(2, 3, 1, "across a season of 366 days");
    ClickHandler(SoakScreen_Exit);
    RunScreens({61});
    EXPECT_EQ(SoakSeasonLength(0), 365);
    EXPECT_EQ(SoakSeasonLength(1), 366);
}

TEST_F(SoakScreensTest, ADateThatCannotBeIsRefusedAndTheDayButtonStepsOverIt) {
    // 31 July 2002 a month on is 31 August; a month more is no date.
    SeasonCalendar.season = 0;
    SeasonCalendar.month = 6;
    SeasonCalendar.currentDay = 16;
    OpenSoakScreen();
    ExpectStop(0, 18, 0, "31 July");
    ClickHandler(SoakScreen_ChangeMonth);
    ExpectStop(0, 49, 4, "31 August");
    ClickHandler(SoakScreen_ChangeMonth);
    ExpectStop(0, 49, 4, "31 September refused, not cut to the 30th");
    MenuUserDo([] {
        EXPECT_EQ(SoakScreenShown().dayOfMonth, 31);
        EXPECT_EQ(SoakScreenShown().month, 7);
    });
    ClickHandler(SoakScreen_Exit);
    RunScreens({61});

    // 28 February 2003 a day on is 1 March: the 29th is never a date.
    SoakScreen_Reset();
    SeasonCalendar.month = 1;
    SeasonCalendar.currentDay = 228;
    OpenSoakScreen();
    ExpectStop(0, 230, 0, "28 February");
    ClickHandler(SoakScreen_ChangeDay);
    ExpectStop(0, 231, 0, "1 March");
    MenuUserDo([] {
        EXPECT_EQ(SoakScreenShown().dayOfMonth, 1);
        EXPECT_EQ(SoakScreenShown().month, 2);
        EXPECT_EQ(SoakScreenShown().year, 2003);
    });
    ClickHandler(SoakScreen_Exit);
    RunScreens({61});
}

TEST_F(SoakScreensTest, MoreMatchesThanRemainKeepTheStopAndLeavingWithSoakOnWritesIt) {
    // One match left after today.
    const std::vector<int16_t> matchDays = UserMatchDaysAfter(0);
    ASSERT_GE(matchDays.size(), 2u);
    const int16_t last = matchDays.back();
    SeasonCalendar.currentDay = matchDays[matchDays.size() - 2];
    ASSERT_LT(SeasonCalendar.currentDay, last);
    static int16_t lastDay;
    lastDay = last;
    OpenSoakScreen();
    ClickHandler(SoakScreen_ChangeMatches);
    MenuUserDo([] {
        EXPECT_EQ(SoakStopDay, lastDay);
        EXPECT_EQ(SoakScreenShown().matches, 1);
    });
    ClickHandler(SoakScreen_ChangeMatches);
    MenuUserDo([] {
        EXPECT_EQ(SoakScreenShown().matches, 2) << "the count changes";
        EXPECT_EQ(SoakStopDay, lastDay) << "the stop point stays";
        EXPECT_EQ(SoakStopSeason, SeasonCalendar.season);
    });
    // His next match day, and the fix of his next match.
    ClickHandler(SoakScreen_ToMatchday);
    MenuUserDo([] {
        EXPECT_EQ(SoakStopKind, 1);
        EXPECT_EQ(FixtureDay(SoakScreenShown().chosenFixture), lastDay);
        // The fix is for the first match still to be played: today's.
        EXPECT_EQ(FixtureDay(SoakScreenShown().fixFixture), SeasonCalendar.currentDay);
    });
    ClickHandler(SoakScreen_CycleHomeGoals, 1);
    ClickHandler(SoakScreen_CycleAwayGoals);
    MenuUserDo([] {
        EXPECT_EQ(FixingOn, 1);
        EXPECT_EQ(FixHomeGoals, 2) << "the second button steps down from 0 to 2";
        EXPECT_EQ(FixAwayGoals, 1);
    });
    ClickHandler(SoakScreen_ToggleSoak);
    MenuUserDo([] { EXPECT_EQ(SoakMode, 1u); });
    ClickHandler(SoakScreen_Exit);
    RunScreens({61});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(SoakStopPointDay, lastDay);
    EXPECT_EQ(SoakStopPointSeason, SeasonCalendar.season);
    EXPECT_EQ(FixHomeGoals, 2) << "kept while fixing is on";
}

// A club of prepared figures: a suspended and injured keeper, an injured
// player and one away with his nation; transfer records of a player bought
// and later sold, one past the end marker, and records with clubs or
// players out of range; a season that cost more than it brought in.
TEST_F(SoakScreensTest, TheSummaryCountsAPreparedClubAndKeepsItsWayBack) {
    const int16_t club = user_;
    HVW_BuildSquadList(club);
    std::vector<uint16_t> squad;
    for (uint16_t p : FirstTeamList.players)
        if (IsPlayerNumber(p)) squad.push_back(p);
    ASSERT_GE(squad.size(), 4u);
    const auto typeOf = [](uint16_t p) { return HVW_GetPositionType(p); };
    const uint16_t keeper =
        *std::find_if(squad.begin(), squad.end(), [&](uint16_t p) { return typeOf(p) == 0; });
    const uint16_t outfield =
        *std::find_if(squad.begin(), squad.end(), [&](uint16_t p) { return typeOf(p) > 0; });
    const uint16_t third =
        *std::find_if(squad.begin(), squad.end(), [&](uint16_t p) { return p != keeper && p != outfield; });
    SetPlayerSusp(keeper, 2);
    SetPlayerIT(keeper, 5);
    SetPlayerIT(outfield, 3);
    SetPlayerIntDuty(third, 1);

    std::vector<TransferRecord> keptLog(std::begin(TransferRecords), std::end(TransferRecords));
    std::memset(TransferRecords, 0xFF, sizeof TransferRecords);  // all ends: no club named
    const int16_t other = int16_t(club == 0 ? 1 : 0);
    const auto put = [](int n, int16_t seller, int16_t buyer, uint16_t player, uint32_t fee) {
        uint8_t* r = TransferRecords[n].bytes;
        recbits::StoreU16(r, uint16_t(seller));
        recbits::StoreU16(r + 2, uint16_t(buyer));
        recbits::StoreU16(r + 4, player);
        recbits::StoreU32(r + 6, fee);
    };
    const uint16_t moved = outfield;
    put(0, other, club, moved, 1'000'000);          // bought ...
    put(1, club, other, moved, 3'000'000);          // ... and sold on
    put(2, -1, club, keeper, 0);                    // a free signing
    put(3, club, 1500, moved, 7);                   // the club's sale to a club out of range
    put(4, club, other, 65535, 9);                  // a player out of range: the fee, no row
    put(5, -1, -1, 0, 0);                           // the end marker
    put(9000, club, other, third, 2'000'000'000u);  // past it, still counted
    const int boughtType = typeOf(moved);

    SetClubSeasonGateReceipts(club, 100'000);
    SetClubSeasonSales(club, 0);
    SetClubSeasonSponsorship(club, 0);
    SetClubSeasonTVIncome(club, 0);
    SetClubSeasonMerchandising(club, 0);
    SetClubSeasonPlayerWages(club, 400'000);
    SetClubSeasonSignings(club, 0);
    SetClubSeasonCoachingStaffWages(club, 50'000);

    // Recounts of the squad by type: players, and the first absence each.
    int16_t recount[4][4] = {};
    int64_t wages = 0;
    for (uint16_t p : squad) {
        wages += std::max(0, HVW_GetPlayerWage(p));
        const int t = typeOf(p);
        if (t < 0 || t > 3) continue;
        ++recount[t][0];
        if (GetPlayerSusp(p) != 0) {
            ++recount[t][1];
        } else if (GetPlayerIT(p) != 0) {
            ++recount[t][2];
        } else if (GetPlayerIntDuty(p) != 0) {
            ++recount[t][3];
        }
    }

    static std::vector<SummaryRowCounts> rows;
    static SummaryMoney money;
    static int16_t savedPrevious = -1, clubOnSquadList = -1, previousOnSquadList = -1;
    rows.clear();
    PreviousMenuOption = kScreenClubFixtures;
    SelectedClub = uint16_t(club);
    MenuOption = kScreenClubSummary;
    testenv::MenuUserWaitFor(TableUp(SummaryScreenTable), 3000);
    MenuUserWait(3);
    MenuUserDo([] {
        for (int t = 0; t < 4; ++t) rows.push_back(SummaryShownRow(t));
        money = SummaryShownMoney();
    });
    // The squad button, and back from the squad list to the summary.
    ClickHandler(SummaryScreen_ToClubSquad);
    testenv::MenuUserWaitFor(TableUp(SquadListTable), 3000);
    MenuUserWait(3);
    MenuUserDo([] {
        clubOnSquadList = int16_t(SelectedClub);
        previousOnSquadList = PreviousMenuOption;
    });
    ClickHandler(SquadList_Back);
    testenv::MenuUserWaitFor(TableUp(SummaryScreenTable), 3000);
    MenuUserWait(3);
    MenuUserDo([] { savedPrevious = SummarySavedPrevious; });
    ClickHandler(SummaryScreen_ToMoney);
    testenv::MenuUserWaitFor(TableUp(WeeklyMoneyTable), 3000);
    MenuUserWait(3);
    ClickHandler(WeeklyMoney_Back);
    RunScreens({60, 2, 7, 57});
    EXPECT_EQ(MenuOption, kScreenClubMain);

    ASSERT_EQ(rows.size(), 4u);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(rows[size_t(t)].positionText, 32 + t);
        EXPECT_EQ(rows[size_t(t)].squad, recount[t][0]) << t;
        EXPECT_EQ(rows[size_t(t)].suspended, recount[t][1]) << t;
        EXPECT_EQ(rows[size_t(t)].injured, recount[t][2]) << t;
        EXPECT_EQ(rows[size_t(t)].onDuty, recount[t][3]) << t;
    }
    EXPECT_GE(rows[0].suspended, 1) << "the suspended and injured keeper counts as suspended";
    // The player bought and sold on counts in both groups.
    EXPECT_EQ(rows[size_t(boughtType)].bought, 1);
    EXPECT_EQ(rows[0].bought, 1) << "the free signing";
    int sold = 0;
    for (const SummaryRowCounts& r : rows) sold += r.sold;
    EXPECT_EQ(sold, 3);
    EXPECT_EQ(money.feesPaid, 1'000'000);
    EXPECT_EQ(money.feesReceived, 3'000'000 + 7 + 9 + 2'000'000'000LL);
    EXPECT_EQ(money.wageBill, wages);
    EXPECT_EQ(money.income, 100'000);
    EXPECT_EQ(money.expenditure, 450'000);
    EXPECT_EQ(money.profit, -350'000);
    // The way back was kept across the squad list it opened.
    EXPECT_EQ(clubOnSquadList, club);
    EXPECT_EQ(previousOnSquadList, kScreenClubSummary);
    EXPECT_EQ(savedPrevious, 8);

    // Each button: its screen, with the way back of the summary.
    struct Button {
        MenuHandler handler;
        int16_t option;
        const MenuItem* table;
    };
    const Button buttons[] = {
        {SummaryScreen_ToMoney, 57, WeeklyMoneyTable},   {SummaryScreen_ToSquads, 58, SquadListTable},
        {SummaryScreen_ToFixtures, 61, SoakScreenTable}, {SummaryScreen_ToPickTeam, 59, TeamSelectTable},
        {SummaryScreen_ToClubSquad, 2, SquadListTable},  {SummaryScreen_Exit, 8, ClubFixturesTable}};
    SummarySavedPrevious = 8;
    SummarySavedClub = other;
    SummaryClub = club;
    for (const Button& b : buttons) {
        EXPECT_EQ(b.handler(nullptr), MENU_CLOSE);
        EXPECT_EQ(MenuOption, b.option);
        const bool squad = b.handler == SummaryScreen_ToClubSquad;
        EXPECT_EQ(PreviousMenuOption, squad ? kScreenClubSummary : 8);
        EXPECT_EQ(int16_t(SelectedClub), squad ? club : other);
        if (MenuOption == kScreenSelectedClubSquad || MenuOption == kScreenSquads ||
            MenuOption == kScreenPickTeam)
            DoMainMenuOption();  // the controller's turn
        EXPECT_EQ(FrontEndScreenTable(MenuOption), b.table) << b.option;
    }
    SummarySavedPrevious = 3;
    SummaryScreen_Exit(nullptr);
    EXPECT_EQ(MenuOption, kScreenClubMain);

    std::copy(keptLog.begin(), keptLog.end(), TransferRecords);
    SetPlayerSusp(keeper, 0);
    SetPlayerIT(keeper, 0);
    SetPlayerIT(outfield, 0);
    SetPlayerIntDuty(third, 0);
}

TEST_F(SoakScreensTest, TheMessageTesterStepsItsNumberAndShowsTheBodyInTheNewsBox) {
    InstallGameHooks();
    // The first message type with a body, and the key presses of the pad.
    static int16_t withBody = -1;
    for (int16_t n = 0; n <= kMsgTestLastNumber && withBody < 0; ++n) {
        if (TextMsg_ExpandBody(n, 0)[0] != '\0') withBody = n;
    }
    ASSERT_GE(withBody, 0);
    const auto pad = [](uint8_t scan, bool extended) {
        testenv::MenuUserKey(scan, extended);
        MenuUserWait(2);
    };
    const auto up = [&] { pad(0x48, true); };

    static int16_t numbers[4] = {};
    static MsgTestArguments before{}, after{};
    static std::string body;
    static std::vector<uint32_t> grab;
    static bool backOnSoak = false;
    PopupSwitch = 0;  // no box while stepping
    OpenSoakScreen();
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 408 && item.y == 440; });
    testenv::MenuUserWaitFor([] { return MenuViewPopupRows().size() >= 2; }, 200);
    MenuUserWait(3);
    testenv::MenuUserClickPopupRow(1);  // "Message Test"
    testenv::MenuUserWaitFor(TableUp(MsgTestTable), 3000);
    MenuUserWait(3);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.handler == MsgTest_Run; });
    MenuUserWait(5);
    pad(0x50, true);  // down at 0
    MenuUserDo([] { numbers[0] = MsgTestNumber(); });
    for (int i = 0; i < withBody; ++i) up();
    MenuUserDo([] {
        numbers[1] = MsgTestNumber();
        before = MsgTestShownArguments();
    });
    pad(0x4D, true);   // right: new arguments
    pad(0x39, false);  // start: the same again
    MenuUserDo([] {
        numbers[2] = MsgTestNumber();
        after = MsgTestShownArguments();
        PopupSwitch = 1;
    });
    pad(0x1C, false);  // select: shown again, now in the box
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 200);
    MenuUserWait(3);
    Grab(&grab);
    MenuUserDo([] { body = MsgTestLastBody(); });
    testenv::MenuUserClickAt(400, 300);
    MenuUserWait(5);
    MenuUserDo([] { PopupSwitch = 0; });
    for (int i = 0; i < kMsgTestLastNumber + 3; ++i) up();
    MenuUserDo([] { numbers[3] = MsgTestNumber(); });
    pad(0x4B, true);  // left: quit
    MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 570 && item.y == 436; });
    // Back on the soak screen, and from there to the club screen.
    testenv::MenuUserWaitFor(TableUp(SoakScreenTable), 3000);
    MenuUserWait(3);
    MenuUserDo([] { backOnSoak = MenuViewTopTable() == SoakScreenTable; });
    ClickHandler(SoakScreen_Exit);
    RunScreens({61});
    PopupSwitch = 1;

    EXPECT_TRUE(backOnSoak) << "leaving the tester comes back to the soak screen";
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(numbers[0], 0) << "numbers stop at 0";
    EXPECT_EQ(numbers[1], withBody);
    EXPECT_EQ(numbers[2], withBody);
    EXPECT_EQ(numbers[3], kMsgTestLastNumber) << "and at 149";
    EXPECT_NE(std::memcmp(&before, &after, sizeof before), 0) << "right draws new arguments";
    for (int i = 0; i < 2; ++i) {
        EXPECT_LT(after.clubs[i], 100);
        EXPECT_GE(after.players[i], 100);
        EXPECT_LT(after.players[i], 200);
        EXPECT_LT(after.numbers[i], 10);
    }
    EXPECT_FALSE(body.empty());
    ASSERT_EQ(grab.size(), 800u * 600u);
    // The news box stands in the middle of the screen with the body in it.
    EXPECT_GT(testenv::InkInBox(grab, 300, 250, 200, 60), 100);
}

// With the soak on nobody is at the keys: a box of the day loop is logged
// and closes at once, a job offer is left waiting, and Run On goes on into
// the season's last weeks.
TEST_F(SoakScreensTest, NobodyAtTheKeysWhileTheSoakRuns) {
    SoakMode = 1;
    DayLoopRunning = true;
    std::string logged;
    {
        StdoutCapture capture;
        ShowMessageBox("The board is pleased", 0);
        logged = capture.Text();
    }
    EXPECT_NE(logged.find("ShowMessageBox(): soak: The board is pleased"), std::string::npos) << logged;
    EXPECT_EQ(ScreenSection[MODAL_BOX_SECTION].pixels, nullptr) << "the box is gone";

    const int16_t offering = int16_t(user_ == 5 ? 6 : 5);
    JobOfferPending = 1;
    JobOfferClubShown = uint16_t(offering);
    MenuOption = kScreenClubMain;
    ProcessHalvornDayMessagesUnattended();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(JobOfferPending, 1) << "left for the user";
    DayLoopRunning = false;
    SoakMode = 0;
    ProcessHalvornDayMessages();
    EXPECT_EQ(MenuOption, kScreenClubInfo) << "once he is back the offer opens the club's screen";
    EXPECT_EQ(int16_t(SelectedClub), offering);
    // The offer answered, as the club's screen's back button leaves it: a
    // club still picked from an offer would make a later new game's job
    // taken an offer's.
    JobOfferPending = 0;
    ClubPickedFlag = 0;

    // Late in the season, on a day without his match.
    int16_t day = 320;
    while (day < 360 && !UserMatchDaysAfter(day - 1).empty() && UserMatchDaysAfter(day - 1).front() == day)
        ++day;
    SeasonCalendar.currentDay = day;
    SoakMode = 1;
    ContinueMode = -1;
    EXPECT_EQ(ClubMain_RunOn(nullptr), MENU_CLOSE);
    EXPECT_EQ(ContinueMode, 1);
    EXPECT_EQ(MenuOption, kScreenContinueGame);
    SoakMode = 0;
    ContinueMode = 0;
}

}  // namespace

// ---- Seasons played by themselves from the screens --------------------------------

namespace {

testenv::SharedNewWorld g_screenSoakWorld;

// What the run saw, from the hooks around each day and each match.
struct SoakRunSeen {
    int days = 0;
    int userMatches = 0;
    int userMatchesShown = 0;          // must stay 0: nobody watches
    int userMatchesNotOnlyResult = 0;  // must stay 0
    int framesWhileSoaking = 0;        // frames waited on the clock during soak days: must stay 0
    int lastFrames = 0;
    std::string fault;  // the first failed daily check
    int16_t lastDay = -1, lastSeason = -1;
};
SoakRunSeen g_seen;
SoakSeasonWatch* g_watch = nullptr;
CoreHooks g_gameHooks{};
FixtureResultMakers g_realMakers{};

// His club of the day: a soak with nobody managing may see him sacked.
bool IsUsersMatch(int16_t home, int16_t away) {
    const int16_t user = HVW_GetMyClub();
    return user >= 0 && (home == user || away == user);
}

void NoteUserMatch(bool shown) {
    ++g_seen.userMatches;
    if (shown) ++g_seen.userMatchesShown;
    if ((uint16_t(MatchDayFlags) & kDayResultOnly) == 0) {
        ++g_seen.userMatchesNotOnlyResult;
    }
}

void WatchedPlayMatch() {
    const EnterGameInfo* block = GetMatchSetupBlock();
    if (IsUsersMatch(block->TeamI16(0, gameinfo::kTeamClub), block->TeamI16(1, gameinfo::kTeamClub)))
        NoteUserMatch((DisplayModeFlags & kDisplayOff) == 0);
    g_realMakers.playMatch();
}

void WatchedPredict(int16_t home, int16_t away, int16_t competition, int16_t extraTime, int16_t fifth,
                    int16_t penalties, int16_t user, int16_t slot) {
    if (competition < kCompNationalTeam && IsUsersMatch(home, away)) NoteUserMatch(false);
    g_realMakers.predict(home, away, competition, extraTime, fifth, penalties, user, slot);
}

// The busy cursor goes off right after each day's end: the daily checks of
// the whole-world soak run there, once a day.
void BusyCursorThenDailyChecks(int16_t on) {
    if (g_gameHooks.busyCursor != nullptr) g_gameHooks.busyCursor(on);
    if (on != 0 ||
        (SeasonCalendar.currentDay == g_seen.lastDay && SeasonCalendar.season == g_seen.lastSeason))
        return;
    g_seen.lastDay = SeasonCalendar.currentDay;
    g_seen.lastSeason = SeasonCalendar.season;
    ++g_seen.days;
    const int frames = testenv::MenuUserFrames();
    if (SoakMode != 0) g_seen.framesWhileSoaking += frames - g_seen.lastFrames;
    g_seen.lastFrames = frames;
    if (!g_seen.fault.empty()) return;
    std::string fault = CheckSoakDay();
    if (fault.empty() && g_watch != nullptr) fault = g_watch->AfterDay();
    if (!fault.empty()) {
        g_seen.fault = "season " + std::to_string(SeasonCalendar.season) + " day " +
                       std::to_string(SeasonCalendar.currentDay) + ": " + fault;
    }
}

// Whole seasons wanted (HALVORN_SOAK_SEASONS); 0 plays the suite's
// quarter of a season, which the test command's time allows (the headless
// soak plays the season's end).
int ScreenSoakSeasons() {
    const char* wanted = std::getenv("HALVORN_SOAK_SEASONS");
    return wanted != nullptr ? std::clamp(std::atoi(wanted), 1, 10) : 0;
}

class ScreenSoakTest : public SoakScreensTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_screenSoakWorld, 1);
        if (!ready()) return;
        keptCalendar_ = SeasonCalendar;
        SoakScreen_Reset();
        SoakMode = 0;
        SoakStopPointSeason = -1;
        // As the start screen takes a job: his club's manager makes way.
        for (int16_t other = 0; other < kClubCount; ++other)
            if (GetClubControl(other) == 1) SetClubControl(other, 0);
        SetPlayerClub(1, int16_t(kNoClub));
        const uint16_t replaced = HVW_GetClubManager(user_);
        SetClubControl(user_, 1);
        InstallPlayerManagers(replaced);
        ComputerTransferActivity(0, 0);
        InitCustomTactics();
        InstallGameHooks();
        g_gameHooks = CoreGetHooks();
        CoreHooks hooks = g_gameHooks;
        hooks.busyCursor = BusyCursorThenDailyChecks;
        CoreSetHooks(hooks);
        g_realMakers = ResultMakers;
        ResultMakers = {WatchedPlayMatch, WatchedPredict};
        std::filesystem::create_directories("SaveData");
    }
    void TearDown() override {
        testenv::DayUserStop();
        if (ready()) ResultMakers = g_realMakers;
        g_watch = nullptr;
        // The title-click sequence unlocked the soak screen for the rest of the
        // run; the next test in this program starts with it locked.
        ClubFixtures_ResetTitleClick();
        SoakScreensTest::TearDown();
    }
};

TEST_F(ScreenSoakTest, TheWorldPlaysOnFromTheSoakScreenToItsStopPoint) {
    const bool shortRun = ShortTestRun();
    const int seasons = ScreenSoakSeasons();
    auto watch = std::make_unique<SoakSeasonWatch>();
    watch->Start();
    g_watch = watch.get();
    g_seen = SoakRunSeen{};
    g_seen.lastDay = SeasonCalendar.currentDay;
    g_seen.lastSeason = SeasonCalendar.season;
    const int16_t startSeason = SeasonCalendar.season;

    // The club fixtures' title, clicked in its sequence, opens the soak screen.
    static std::vector<uint32_t> grab;
    static int16_t soakButtonText = -1;
    MenuOption = kScreenClubFixtures;
    testenv::MenuUserWaitFor(TableUp(ClubFixturesTable), 3000);
    MenuUserWait(3);
    for (int button : {0, 0, 0, 1, 0, 1}) {
        testenv::MenuUserMoveTo(74, 62);
        MenuUserWait(2);
        testenv::MenuUserPress(button);
        MenuUserWait(2);
        testenv::MenuUserRelease(button);
        MenuUserWait(14);
    }
    testenv::MenuUserWaitFor(TableUp(SoakScreenTable), 3000);
    MenuUserWait(3);
    Grab(&grab);
    MenuUserDo([] {
        for (const MenuHotItem& item : MenuViewHotItems())
            if (item.handler == SoakScreen_ToggleSoak) soakButtonText = int16_t(item.value);
    });
    // The stop point: a month on in the short form, a quarter in the suite,
    // else the seasons ahead through the year field; then the soak on, and
    // away.
    const int weekClicks = shortRun ? 4 : 12;
    if (shortRun || seasons == 0) {
        for (int i = 0; i < weekClicks; ++i) ClickHandler(SoakScreen_ChangeWeeks);
    } else {
        for (int i = 0; i < seasons; ++i) ClickHandler(SoakScreen_ChangeYear);
    }
    ClickHandler(SoakScreen_ToggleSoak);
    ClickHandler(SoakScreen_Exit);
    testenv::MenuUserWaitFor(TableUp(ClubFixturesTable), 3000);
    MenuUserWait(3);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    // Run On from the club screen's Continue list, and nothing more.
    testenv::MenuUserWaitFor(TableUp(ClubMainTable), 3000);
    MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 399 && item.y == 559; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);
    // Once the soak has stopped the screens are the user's: a box is
    // clicked away as a user would.
    testenv::DayUserStart();

    double seconds = 0;
    int framesDuringRun = 0;
    int rounds = 0;
    while (!WinCloseRequested() && ++rounds < 12) {
        if (MenuOption == kScreenContinueGame) {
            ASSERT_EQ(SoakMode, 1u);
            ASSERT_EQ(ContinueMode, 1);
            const int frames = testenv::MenuUserFrames();
            g_seen.lastFrames = frames;
            const auto start = std::chrono::steady_clock::now();
            {
                StdoutCapture quiet;
                DoMainMenuOption();
                quiet.Text();
            }
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            framesDuringRun = testenv::MenuUserFrames() - frames;
            break;
        }
        DoMainMenuOption();
    }
    ASSERT_FALSE(WinCloseRequested());
    std::printf(
        "soak from the screens: %d days to season %d day %d in %.1f s (%d frames), %d matches of his\n",
        g_seen.days, SeasonCalendar.season, SeasonCalendar.currentDay, seconds, framesDuringRun,
        g_seen.userMatches);

    // The screen as the tester found it.
    ASSERT_EQ(grab.size(), 800u * 600u);
    EXPECT_STREQ(GetText(5344), "Soak until");
    EXPECT_GT(testenv::InkInBox(grab, 30, 300, 90, 14), 20) << "Soak until";
    EXPECT_EQ(soakButtonText, 5347) << "Soak is Off";
    EXPECT_GT(testenv::InkInBox(grab, 314, 442, 92, 26), 20) << "Soak is Off";

    // Played to the stop point, which switched the soak off; the loop then
    // stopped at its next ordinary stop.
    EXPECT_EQ(g_seen.fault, "");
    EXPECT_EQ(SoakMode, 0u);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    const bool byYear = !shortRun && seasons > 0;
    EXPECT_EQ(SoakStopPointSeason, byYear ? startSeason + seasons : startSeason);
    const int stopDays = (SoakStopPointSeason - startSeason) * 365 + SoakStopPointDay;
    const int playedDays = (SeasonCalendar.season - startSeason) * 365 + SeasonCalendar.currentDay;
    EXPECT_GE(playedDays, stopDays);
    EXPECT_LE(playedDays, stopDays + 8) << "stopped at the first ordinary stop after the stop point";
    EXPECT_GE(g_seen.days, byYear ? 364 * seasons : 7 * weekClicks);
    // Every match of his a result only; no screen waited for anyone.
    EXPECT_GT(g_seen.userMatches, byYear ? 10 : weekClicks / 2);
    EXPECT_EQ(g_seen.userMatchesShown, 0);
    EXPECT_EQ(g_seen.userMatchesNotOnlyResult, 0);
    EXPECT_EQ(g_seen.framesWhileSoaking, 0);

    // Escape ends a soak early, at the next day.
    const int16_t day = SeasonCalendar.currentDay, season = SeasonCalendar.season;
    const bool seasonEnds = day + 1 == SoakSeasonLength(season);
    SoakMode = 1;
    SoakStopPointSeason = -1;
    plat::InjectKey(1, false, true);
    plat::InjectKey(1, false, false);
    ContinueMode = 1;
    MenuOption = kScreenContinueGame;
    {
        StdoutCapture quiet;
        DoMainMenuOption();
        quiet.Text();
    }
    EXPECT_EQ(SeasonCalendar.currentDay, seasonEnds ? 0 : day + 1);
    EXPECT_EQ(SeasonCalendar.season, seasonEnds ? season + 1 : season);
    EXPECT_EQ(SoakMode, 1u) << "ended by the key, not by a stop point";
    SoakMode = 0;
}

}  // namespace
