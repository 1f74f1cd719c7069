// The day's results browser and the league attendance chart over a new
// game's world: fixtures of a free day made by hand with their scores,
// crowds and events; the page, column and lines the browser opens on, the
// event lines in their colours, the page arrows and paging, second legs
// before and after the day's matches, the controls' refusals, leave and
// clear, a history of random bytes; the chart's scale, bars and goals page,
// and grabs of both screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/match/replay.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchevents.h"
#include "core/season/playedleagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/league/attendance.h"
#include "game/screens/league/historybrowser.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/start/startmenu.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

using testenv::FirstClubOf;

// Pixels of the colour in [x0, x1) x [y0, y1) of an 800 x 600 grab.
int CountColour(const std::vector<uint32_t>& pixels, int x0, int y0, int x1, int y1, uint32_t colour) {
    int n = 0;
    if (pixels.size() != 800u * 600u) return 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += pixels[size_t(y) * 800 + size_t(x)] == colour ? 1 : 0;
    return n;
}

class HistoryScreensTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        {
            StdoutCapture quiet;
            testenv::StartFromNewWorld(world_, testenv::kScreenWorldSeed);
            quiet.Text();
        }
        MenuEngineTest::SetUp();
        if (!started_) return;
        if (!world_.ready) GTEST_FAIL() << world_.error;
        user_ = FirstClubOf(0, 0);
        SetPlayerClub(1, uint16_t(user_));
        HVW_SetViewedCountry(0);
        MatchDayFlags &= uint16_t(~(kDayResultsListed | kDayLeftResults));
        std::memset(MatchEventHistory, 0, sizeof MatchEventHistory);
        MatchEvents_Clear();
        nextRecord_ = 0;
        EmptyShootOutList();
        day_ = EmptyDay();
        ASSERT_GE(day_, 0);
        SeasonCalendar.currentDay = day_;
    }
    void TearDown() override {
        // Today's hand-made fixtures go, so the next test finds its day free.
        for (int slot = kFixtureSlots - 1; slot >= 0; --slot)
            if (!IsFixtureEmpty(slot) && FixtureDay(slot) == day_) DeleteFixture(int16_t(slot));
        MenuEngineTest::TearDown();
    }

    static int16_t EmptyDay() {
        for (int16_t day = int16_t(SeasonCalendar.currentDay + 1); day < 350; ++day) {
            bool empty = true;
            for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= day && empty; ++slot)
                empty = FixtureDay(slot) != day;
            if (empty) return day;
        }
        return -1;
    }
    int16_t Add(int16_t type, int16_t home, int16_t away, int16_t day = -1) {
        HVW_AddFixture(day < 0 ? day_ : day, type, home, away, 0);
        return FindFixture(home, away, type);
    }
    static void Score(int16_t slot, int home, int away, uint32_t crowd = 0) {
        uint32_t word = FixtureScore(slot) & ~0x3FFu;
        recbits::StoreU32(FixtureTable[slot].bytes + kFixtureScoreWord,
                          word | uint32_t(home) | uint32_t(away) << 5);
        const uint32_t kept = recbits::LoadU32(FixtureTable[slot].bytes + kFixtureCrowdWord) & ~0x7FFFFFu;
        recbits::StoreU32(FixtureTable[slot].bytes + kFixtureCrowdWord, kept | crowd);
    }
    void Event(int16_t slot, uint16_t player, int side, int kind, int minute) {
        uint8_t* r = MatchEventHistory + nextRecord_++ * kMatchEventRecordSize;
        recbits::StoreU16(r, uint16_t(slot));
        recbits::StoreU16(r + 2, player);
        r[4] = uint8_t(side | kind << 1);
        r[8] = uint8_t(minute);
    }
    static uint16_t PlayerOf(int16_t club, int skip = 0) {
        for (uint16_t p = 1; p < PlayerCount; ++p)
            if (GetPlayerClub(p) == uint16_t(club) && skip-- == 0) return p;
        return 0;
    }
    // One pass of the screen function, as the first after entry or a later.
    static void Pass(bool first) {
        SetMenuFirstEntry(first ? 1 : 0);
        HistoryMenuProc();
        SetMenuFirstEntry(0);
    }
    // The screen line of the list entry; -1 when it is not on the page.
    static int LineOfEntry(int entry) {
        for (int line = 0; line < kHistoryScreenLines; ++line)
            if (HistoryScreen[line].entry == entry && !HistoryScreen[line].eventLine) return line;
        return -1;
    }
    static int EntryOf(int16_t slot) {
        for (int e = 0; e < HistoryLineCount; ++e)
            if (HistoryLines[e].fixture == slot) return e;
        return -1;
    }
    static int ButtonOfLeague(int8_t code) {
        for (int b = 0; b < HistoryButtonCount; ++b)
            if (HistoryColumns[HistoryBrowser.Row][HistoryButtonCells[b]].league == code) return b;
        return -1;
    }
    static std::string Short(uint16_t player) { return HVW_GetPlayerShortName(player); }
    // The colour the letters of a text get in the colour index (the commonest
    // pixel the text changes on the back buffer).
    static uint32_t LetterColour(int16_t colour) {
        FillSolidRect(0, 580, 200, 20, 0);
        SetFont(8);
        SetDrawParam(1, colour);
        DrawTextAddrAt(2, 590, "MMMMMMMM", JUSTIFY_LEFT_MIDDLE);
        std::vector<uint32_t> seen;
        for (int y = 580; y < 600; ++y)
            for (int x = 0; x < 200; ++x)
                if (testenv::BackPixel(x, y) != 0) seen.push_back(testenv::BackPixel(x, y));
        SetDrawParam(1, 0);
        return testenv::CommonestColour(seen);
    }

    static inline testenv::SharedNewWorld world_;
    int16_t user_ = -1;
    int16_t day_ = -1;
    int nextRecord_ = 0;
};

// The user's league match with its events, a second match of his division
// and a league match of another country.
struct UserDay {
    int16_t userSlot, otherSlot, abroadSlot;
    uint16_t scorer, booked, sentOff, awayScorer;
};

TEST_F(HistoryScreensTest, TheResultsListOpensOnTheUsersColumnWithHisFixturesEventsInTheirColours) {
    const int16_t rival = FirstClubOf(0, 0, user_);
    const int16_t c = FirstClubOf(0, 0, rival), d = FirstClubOf(0, 0, c);
    const int16_t e = FirstClubOf(1, 0), f = FirstClubOf(1, 0, e);
    UserDay u{};
    u.userSlot = Add(kCompLeague, user_, rival);
    u.otherSlot = Add(kCompLeague, c, d);
    u.abroadSlot = Add(kCompLeague, e, f);
    u.userSlot = FindFixture(user_, rival, kCompLeague);
    u.otherSlot = FindFixture(c, d, kCompLeague);
    ASSERT_GE(u.userSlot, 0);
    Score(u.userSlot, 3, 1, 23456);
    Score(u.otherSlot, 0, 0, 1000);
    u.scorer = PlayerOf(user_, 9);
    u.booked = PlayerOf(user_, 3);
    u.awayScorer = PlayerOf(rival, 9);
    u.sentOff = PlayerOf(rival, 2);
    Event(u.userSlot, u.scorer, 0, kKindGoal, 12);
    Event(u.userSlot, u.awayScorer, 1, kKindGoal, 20);
    Event(u.userSlot, u.scorer, 0, kKindGoal, 30);
    Event(u.userSlot, u.booked, 0, kKindBooking, 35);
    Event(u.userSlot, u.scorer, 0, kKindPenaltyGoal, 44);
    Event(u.userSlot, u.sentOff, 1, kKindSendingOff, 60);
    Event(u.userSlot, u.sentOff, 1, kKindSendingOff, 61);  // a second one is not listed
    EXPECT_EQ(MatchEvents_LinesForFixture(u.userSlot, 1), 3);
    // The club last looked at plays in the division below, today too: the
    // list still opens on the user's fixture's column.
    const int16_t below = FirstClubOf(0, 1), belowRival = FirstClubOf(0, 1, below);
    Add(kCompLeague, below, belowRival);
    SelectedClub = uint16_t(below);

    // As the day's results list: the whole column fits and opens.
    MatchDayFlags |= kDayResultsListed;
    HistoryOpenedFromContinue = 0;
    Pass(true);
    EXPECT_EQ(HistoryBrowser.Page, 0);
    EXPECT_EQ(HistoryBrowser.PageAvailable[0], 1);
    EXPECT_EQ(HistoryBrowser.PageAvailable[1], 1);
    EXPECT_EQ(HistoryBrowser.RefFixture, u.userSlot);
    const HistoryColumnCell& cell = HistoryColumns[0][HistoryBrowser.Column];
    EXPECT_EQ(cell.league, HVW_FindClubInDivisionRows(user_));
    EXPECT_EQ(cell.lines, 2);
    EXPECT_EQ(HistoryLineCount, 2);
    const int b = ButtonOfLeague(cell.league);
    ASSERT_GE(b, 0);
    EXPECT_EQ(HistoryButtonStates[b], 1);
    EXPECT_EQ(HistoryPageArrows, 1);

    const int entry = EntryOf(u.userSlot);
    ASSERT_GE(entry, 0);
    EXPECT_EQ(HistoryLines[entry].open, 1);
    EXPECT_EQ(HistoryLines[entry].extra, 3);
    const int line = LineOfEntry(entry);
    ASSERT_GE(line, 0);
    const HistoryScreenLine* s = HistoryScreen + line;
    EXPECT_STREQ(s[0].home, HVW_GetClubName(user_));
    EXPECT_EQ(s[0].homeColour, 1) << "the user's club is marked";
    EXPECT_EQ(s[0].awayColour, 7);
    EXPECT_EQ(std::string(s[0].score), "3 - 1");
    EXPECT_EQ(std::string(s[1].home), Short(u.scorer) + " 12, 30, 44 pen");
    EXPECT_EQ(s[1].homeColour, 7);
    EXPECT_EQ(std::string(s[2].home), Short(u.booked) + " booked 35");
    EXPECT_EQ(s[2].homeColour, 16);
    EXPECT_EQ(std::string(s[1].away), Short(u.awayScorer) + " 20");
    EXPECT_EQ(std::string(s[2].away), Short(u.sentOff) + " sent off 60");
    EXPECT_EQ(s[2].awayColour, 4);
    // Both sides take two lines: the crowd goes on the home side.
    EXPECT_EQ(std::string(s[3].home), "Attendance: 23,456");
    EXPECT_EQ(s[3].homeColour, 10);
    EXPECT_STREQ(s[3].away, "");

    // Closing and opening by a click on any of its lines.
    EXPECT_EQ(HistoryBrowser_ToggleScreenLine(int16_t(line + 2)), MENU_REDRAW);
    EXPECT_EQ(HistoryLines[entry].open, 0);
    EXPECT_EQ(HistoryBrowser_ToggleScreenLine(int16_t(line)), MENU_REDRAW);
    EXPECT_EQ(HistoryLines[entry].extra, 3);

    // Another country's page lists its match; the bad pages are refused.
    EXPECT_EQ(HistoryBrowser_ChoosePage(0), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_ChoosePage(9), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_ChoosePage(-1), MENU_CONTINUE);
    for (int k = 2; k < kHistoryPages; ++k) {
        if (HistoryBrowser.PageAvailable[k] == 0) {
            EXPECT_EQ(HistoryBrowser_ChoosePage(int16_t(k)), MENU_CONTINUE);
        }
    }
    EXPECT_EQ(HistoryBrowser_ChoosePage(1), MENU_REDRAW);
    Pass(false);
    EXPECT_EQ(HistoryBrowser.Row, 1);
    ASSERT_EQ(HistoryLineCount, 1);
    EXPECT_EQ(HistoryLines[0].fixture, FindFixture(e, f, kCompLeague));

    // Empty columns, lines and the toggles without fixtures change nothing.
    EXPECT_EQ(HistoryBrowser_ColumnByCode(false, 3), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_ColumnByCode(true, 12), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_ColumnByLeagueCode(3), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_ColumnByLeagueCode(9), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_ToggleScreenLine(5), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_ToggleLeagueSet(nullptr), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_AlternateColumn(nullptr), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_PageUp(nullptr), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_PageDown(nullptr), MENU_CONTINUE);
    HistoryLine_SetOpen(40, 1);
    EXPECT_EQ(HistoryLines[40].open, 0);

    // A country whose leagues are not played in full has no page.
    PlayedLeagueFlags[1] = 0;
    Pass(true);
    EXPECT_EQ(HistoryBrowser.PageAvailable[1], 0);
    EXPECT_EQ(HistoryBrowser_ChoosePage(1), MENU_CONTINUE);
    PlayedLeagueFlags[1] = 1;
}

TEST_F(HistoryScreensTest, TwentyOneFixturesShowThePageArrowsAndAScorerOfSixGoalsTakesTwoLines) {
    std::vector<int16_t> clubs;
    for (int16_t club = 0; club < kClubCount && clubs.size() < 42; ++club)
        if (GetClubNation(club) == 0 && club != user_ && GetClubRep(club) > 0) clubs.push_back(club);
    ASSERT_EQ(clubs.size(), 42u);
    clubs[0] = user_;
    for (int i = 0; i < 20; ++i) Score(Add(kCompFriendly, clubs[2 * i], clubs[2 * i + 1]), 1, 0);
    const int16_t userSlot = FindFixture(user_, clubs[1], kCompFriendly);
    const uint16_t scorer = PlayerOf(user_, 10);
    for (int minute : {3, 7, 11, 14, 15, 88}) Event(userSlot, scorer, 0, kKindGoal, minute);
    Score(userSlot, 6, 0, 800);

    Pass(true);
    EXPECT_EQ(HistoryColumns[0][HistoryBrowser.Column].league, 12);
    EXPECT_EQ(HistoryLineCount, 20);
    EXPECT_EQ(HistoryPageArrows, 1);
    // Home names in order.
    for (int e = 1; e < HistoryLineCount; ++e)
        EXPECT_LE(std::string(HistoryScreen[e - 1].home), std::string(HistoryScreen[e].home));

    const int entry = EntryOf(userSlot);
    ASSERT_GE(entry, 0);
    EXPECT_EQ(HistoryBrowser_ToggleScreenLine(int16_t(LineOfEntry(entry))), MENU_REDRAW);
    Pass(false);
    EXPECT_EQ(HistoryLines[entry].extra, 2);
    const int line = LineOfEntry(entry);
    ASSERT_GE(line, 0);
    EXPECT_EQ(std::string(HistoryScreen[line + 1].home), Short(scorer) + " 3, 7, 11, 14, 15");
    EXPECT_EQ(std::string(HistoryScreen[line + 2].home), "88");
    EXPECT_EQ(std::string(HistoryScreen[line + 1].away), "Attendance: 800");
    // Twenty entries, one open, take 22 lines: a page down from the top
    // still reaches the last ones.
    const int16_t openTop = HistoryTopLine;
    HistoryTopLine = 0;
    EXPECT_EQ(HistoryBrowser_PageDown(nullptr), MENU_REDRAW);
    EXPECT_GT(HistoryTopLine, 0);
    HistoryTopLine = openTop;
    HistoryBrowser_ToggleScreenLine(int16_t(line));

    Score(Add(kCompFriendly, clubs[40], clubs[41]), 2, 2);
    HistoryBrowser.Flags |= kHistRebuildLines;
    Pass(false);
    EXPECT_EQ(HistoryLineCount, 21);
    EXPECT_EQ(HistoryPageArrows, 154);
    // A page down leaves a full last page; past either end is refused.
    EXPECT_EQ(HistoryBrowser_PageUp(nullptr), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_PageDown(nullptr), MENU_REDRAW);
    EXPECT_EQ(HistoryTopLine, 1);
    EXPECT_EQ(HistoryBrowser_PageDown(nullptr), MENU_CONTINUE);
    EXPECT_EQ(HistoryBrowser_PageUp(nullptr), MENU_REDRAW);
    EXPECT_EQ(HistoryTopLine, 0);
}

TEST_F(HistoryScreensTest, ASecondLegShowsTheFirstLegReversedBeforeTheMatchesAndTheAggregateAfter) {
    const int16_t a = FirstClubOf(0, 0, user_), b = FirstClubOf(0, 1);
    // The first two-legged round of the country's cups.
    int16_t second = -1;
    for (int cup = 0; cup < 4 && second < 0; ++cup) {
        for (int round = 0; round < 8 && second < 0; ++round) {
            if (HVW_GetCupRoundCount(int16_t(cup), 0) <= round) break;
            const int16_t first = Add(CupCode(cup, round), a, b, int16_t(day_ - 7));
            if (first < 0) continue;
            Score(first, 2, 1);
            const int16_t slot = Add(int16_t(CupCode(cup, round) + kSecondMatchCodes), b, a);
            if (slot >= 0 && HVW_IsSecondLegFixture(slot) != 0) {
                second = slot;
                break;
            }
            if (slot >= 0) DeleteFixture(slot);
            DeleteFixture(FindFixture(a, b, CupCode(cup, round)));
        }
    }
    // The cup rules are the game's own fixed table, which has such rounds.
    ASSERT_GE(second, 0) << "no round of country 0's cups is played over two legs";
    const int16_t firstLeg = HVW_FindEarlierCupTie(b, a, FixtureType(second), day_);
    ASSERT_GE(firstLeg, 0);

    HistoryOpenedFromContinue = 1;
    Pass(true);
    ASSERT_EQ(HistoryLineCount, 1);
    EXPECT_NE(HistoryBrowser.Flags & kHistSecondLegs, 0);
    EXPECT_EQ(std::string(HistoryScreen[0].score), "v");
    EXPECT_EQ(std::string(HistoryScreen[0].aggregate), "(1 - 2)");

    Score(second, 3, 0, 5000);
    HistoryOpenedFromContinue = 0;
    Pass(true);
    EXPECT_EQ(std::string(HistoryScreen[0].score), "3 - 0");
    EXPECT_EQ(std::string(HistoryScreen[0].aggregate), "(4 - 2)");
    DeleteFixture(firstLeg);
}

TEST_F(HistoryScreensTest, AGroupRoundNamesEachFixturesGroupOnItsLine) {
    // Two drawn groups of the third European cup's first group round: the
    // user's club in group C (2), two others in group F (5).
    const int16_t a = FirstClubOf(0, 0, user_), b = FirstClubOf(0, 1), c = FirstClubOf(0, 1, b);
    const int16_t d = FirstClubOf(0, 2);
    int16_t kept[2][8][4];
    std::memcpy(kept, ChampionsLeagueGroups, sizeof kept);
    std::memset(ChampionsLeagueGroups, 0, sizeof kept);
    const int16_t groupC[4] = {user_, a, 900, 901}, groupF[4] = {b, c, d, 902};
    std::memcpy(ChampionsLeagueGroups[0][2], groupC, sizeof groupC);
    std::memcpy(ChampionsLeagueGroups[0][5], groupF, sizeof groupF);
    EXPECT_EQ(HVW_FindClubGroup(0, 1), -1) << "club 0 stands in no group that was not drawn";
    const int16_t ours = Add(CupCode(6, 0), user_, a);
    const int16_t theirs = Add(CupCode(6, 0), b, c);
    ASSERT_GE(ours, 0);
    ASSERT_GE(theirs, 0);
    Pass(true);
    ASSERT_EQ(HistoryLineCount, 2);
    const std::string groupCText = GetText(HVW_GetCompTextIdByIndex(2));
    const std::string groupFText = GetText(HVW_GetCompTextIdByIndex(5));
    ASSERT_FALSE(groupCText.empty());
    EXPECT_EQ(std::string(HistoryScreen[LineOfEntry(EntryOf(ours))].aggregate), groupCText);
    EXPECT_EQ(std::string(HistoryScreen[LineOfEntry(EntryOf(theirs))].aggregate), groupFText);
    EXPECT_EQ(std::string(HistoryHeaderLine).find(groupCText), std::string::npos)
        << "the header names the competition, the lines their groups";
    std::memcpy(ChampionsLeagueGroups, kept, sizeof kept);
}

TEST_F(HistoryScreensTest, EveryFixtureOfTheSeasonHasACellOnTheHomeCountrysPage) {
    HistoryColumns_Build();
    int checked = 0;
    for (int16_t slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int16_t type = FixtureType(slot);
        if (type == kCompNationalTeam || type == kCompNationalUnder21) continue;
        const int16_t home = FixtureHome(slot);
        if (!IsClubNumber(home) || GetClubNation(home) >= kHistoryPages) continue;
        const int16_t page = int16_t(GetClubNation(home));
        ASSERT_GE(HistoryBrowser_CellOnPage(slot, page), 0) << "slot " << slot << " type " << type;
        ++checked;
    }
    EXPECT_GT(checked, 1000);
    // A fixture of another country is not listed on a page.
    const int16_t abroad = Add(kCompLeague, FirstClubOf(1, 0), FirstClubOf(1, 0, FirstClubOf(1, 0)));
    EXPECT_EQ(HistoryBrowser_CellOnPage(abroad, 0), -1);
    EXPECT_GE(HistoryBrowser_CellOnPage(abroad, 1), 0);
    EXPECT_EQ(HistoryBrowser_CellOnPage(abroad, 9), -1);
    EXPECT_EQ(HistoryBrowser_CellOnPage(-1, 1), -1);
}

TEST_F(HistoryScreensTest, LeaveAndClearDeletesTheGoalFilesAndKeepsTheFolder) {
    std::filesystem::create_directories("SaveData/GOALS");
    for (const char* name : {"SaveData/GOALS/goal0001.dhf", "SaveData/GOALS/goal0002.dhf"})
        std::ofstream(name) << "replay";
    GoalReplayNumber = 5;
    MenuOption = kScreenContinueGame;
    EXPECT_EQ(HistoryBrowser_LeaveAndClearGoals(nullptr), MENU_CLOSE);
    EXPECT_TRUE(std::filesystem::is_directory("SaveData/GOALS"));
    EXPECT_TRUE(std::filesystem::is_empty("SaveData/GOALS"));
    EXPECT_EQ(GoalReplayNumber, 0);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(HistoryLeaveFlag, 1);
    EXPECT_NE(uint16_t(MatchDayFlags) & kDayLeftResults, 0);
    // A missing folder is no fault.
    std::filesystem::remove_all("SaveData/GOALS");
    EXPECT_EQ(HistoryBrowser_LeaveAndClearGoals(nullptr), MENU_CLOSE);

    SavedGoalCount = 3;
    MatchDayFlags &= uint16_t(~kDayLeftResults);
    EXPECT_EQ(HistoryBrowser_LeaveToClub(nullptr), MENU_CLOSE);
    EXPECT_EQ(SavedGoalCount, 0);
    EXPECT_NE(uint16_t(MatchDayFlags) & kDayLeftResults, 0);
    MatchDayFlags &= uint16_t(~kDayLeftResults);

    // The companion screen's two exits.
    EXPECT_EQ(HistoryCompanion_Quit(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenQuit);
    EXPECT_EQ(HistoryCompanion_ToClub(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(HistoryScreensTest, AHistoryOfRandomBytesNeverLeadsTheBrowserOutside) {
    std::vector<int16_t> clubs;
    for (int16_t club = 0; club < kClubCount && clubs.size() < 16; ++club)
        if (GetClubNation(club) == 0 && GetClubRep(club) > 0) clubs.push_back(club);
    std::vector<int16_t> slots;
    for (size_t i = 0; i + 1 < clubs.size(); i += 2)
        slots.push_back(Add(kCompFriendly, clubs[i], clubs[i + 1]));
    for (int16_t slot : slots) Score(slot, 1, 1);
    // Random bytes, most records naming one of today's fixtures.
    GameSeedRandom(103);
    for (uint8_t& byte : MatchEventHistory) byte = uint8_t(GameRandom() & 0xFF);
    for (int r = 0; r < kMatchEventRecords; r += 1 + GameRandom() % 3)
        recbits::StoreU16(MatchEventHistory + r * kMatchEventRecordSize,
                          uint16_t(slots[GameRandom() % slots.size()]));
    MatchDayFlags |= kDayResultsListed;
    Pass(true);
    for (int line = 0; line < kHistoryScreenLines; ++line) {
        HistoryBrowser_ToggleScreenLine(int16_t(line));
        Pass(false);
        for (const HistoryScreenLine& s : HistoryScreen) {
            EXPECT_LT(std::strlen(s.home), sizeof s.home);
            EXPECT_LT(std::strlen(s.away), sizeof s.away);
        }
    }
    EXPECT_LE(HistoryScreenLineTotal, kHistoryListEntries * kHistoryScreenLines);
}

TEST_F(HistoryScreensTest, AGrabOfTheResultsListShowsTheMarkedColumnAndTheOpenFixturesLines) {
    const int16_t rival = FirstClubOf(0, 0, user_);
    static int16_t slot;
    slot = Add(kCompLeague, user_, rival);
    Score(slot, 1, 0, 31000);
    Event(slot, PlayerOf(user_, 9), 0, kKindGoal, 77);
    Event(slot, PlayerOf(rival, 4), 1, kKindBooking, 50);
    const int16_t e = FirstClubOf(1, 0);
    Score(Add(kCompLeague, e, FirstClubOf(1, 0, e)), 2, 2, 900);
    MatchDayFlags |= kDayResultsListed;
    static std::vector<uint32_t> grab;
    static uint32_t marked, booking, attendance, plain;
    static int markedButton, buttons, line, pageAfter, listedAfter;
    static int16_t states[kHistoryColumnButtons];
    static uint32_t inactive;
    static std::vector<std::string> faults;
    grab.clear();
    pageAfter = listedAfter = -1;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == HistoryBrowserTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    testenv::MenuUserMoveTo(790, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        grab = testenv::NewestGrabPixels();
        marked = LetterColour(8);
        booking = LetterColour(16);
        attendance = LetterColour(10);
        plain = LetterColour(7);
        markedButton = ButtonOfLeague(HistoryColumns[0][HistoryBrowser.Column].league);
        buttons = HistoryButtonCount;
        std::copy(std::begin(HistoryButtonStates), std::end(HistoryButtonStates), states);
        inactive = LetterColour(10);
        line = LineOfEntry(EntryOf(slot));
        faults = testenv::StringFaults(testenv::ScreenStrings());
    });
    // The country pop-up's second row: the page of country 1.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 588 && item.y == 108; });
    testenv::MenuUserWait(5);
    testenv::MenuUserClickPopupRow(1);
    testenv::MenuUserWait(5);
    testenv::MenuUserDo([] {
        pageAfter = HistoryBrowser.Page;
        listedAfter = HistoryLineCount;
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    RunHistoryBrowser(1558, 0);
    ASSERT_EQ(grab.size(), 800u * 600u);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(HistoryLeaveFlag, 1);
    EXPECT_EQ(pageAfter, 1);
    EXPECT_EQ(listedAfter, 1);

    for (const std::string& fault : faults) ADD_FAILURE() << fault;
    ASSERT_GE(markedButton, 0);
    int emptyButtons = 0;
    for (int i = 0; i < buttons; ++i) {
        const int marks = CountColour(grab, 590, 133 + 24 * i, 766, 152 + 24 * i, marked);
        if (i == markedButton) {
            EXPECT_GT(marks, 20) << "the user's column is marked";
        } else {
            EXPECT_EQ(marks, 0) << i;
        }
        // A column without fixtures keeps a label that reads: light grey.
        if (states[i] != 10) continue;
        ++emptyButtons;
        EXPECT_GT(CountColour(grab, 590, 133 + 24 * i, 766, 152 + 24 * i, inactive), 20) << i;
    }
    EXPECT_GT(emptyButtons, 0);
    // The fixture, then the scorer and the crowd at home and the booking away.
    ASSERT_GE(line, 0);
    const auto rowTop = [](int l) { return 132 + 20 * l; };
    EXPECT_GT(CountColour(grab, 24, rowTop(line + 1), 210, rowTop(line + 2), plain), 10);
    EXPECT_GT(CountColour(grab, 240, rowTop(line + 1), 424, rowTop(line + 2), booking), 10);
    EXPECT_GT(CountColour(grab, 24, rowTop(line + 2), 210, rowTop(line + 3), attendance), 10);
}

// ---- The attendance chart ----------------------------------------------------------------

TEST_F(HistoryScreensTest, TheChartsScaleStepsAndBars) {
    EXPECT_EQ(Attendance_GridStep(40000), 5000);
    EXPECT_EQ(Attendance_GridStep(39999), 2000);
    EXPECT_EQ(Attendance_GridStep(30000), 2000);
    EXPECT_EQ(Attendance_GridStep(16000), 1000);
    EXPECT_EQ(Attendance_GridStep(10000), 500);
    EXPECT_EQ(Attendance_GridStep(4999), 200);
    EXPECT_EQ(Attendance_BarLength(31000, 31000), kAttendanceBarSpan);
    EXPECT_EQ(Attendance_BarLength(0, 10000), 0);
    EXPECT_EQ(Attendance_BarLength(5000, 10000), kAttendanceBarSpan / 2);
    EXPECT_EQ(Attendance_BarLength(5000, 0), 0);
    EXPECT_EQ(Attendance_ButtonTable(1), Attendance_ButtonTable(2));
    EXPECT_EQ(Attendance_ButtonTable(7), Attendance_ButtonTable(2));
    EXPECT_NE(Attendance_ButtonTable(6), Attendance_ButtonTable(2));
    // Six buttons 113 wide from x 60.
    const MenuItem* six = Attendance_ButtonTable(6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(six[2 * k + 1].x, 60 + 113 * k);
        EXPECT_EQ(six[2 * k + 1].w, 113);
        EXPECT_EQ(six[2 * k + 1].y, 559);
    }

    // An unplayed division: every bar 0 on a top of 10000.
    const int16_t division = HVW_FindClubInDivisionRows(user_);
    for (int place = 0; place < HVW_GetCompRoundWord(division, 0); ++place)
        SetClubAvgAttendance(HVW_GetLeagueTableClub(0, division, int16_t(place)), 0);
    SetMenuFirstEntry(1);
    AttendanceScreenProc();
    EXPECT_EQ(Attendance.division, division);
    EXPECT_EQ(Attendance.top, kAttendanceEmptyTop);
    EXPECT_EQ(Attendance_GridStep(Attendance.top), 500);
    EXPECT_EQ(Attendance.marks[division], 1);
    EXPECT_GT(Attendance.clubCount, 0);
    for (int i = 0; i < Attendance.clubCount; ++i) EXPECT_EQ(Attendance.attendance[i], 0);

    // Crowds sort the clubs, the biggest first.
    for (int i = 0; i < Attendance.clubCount; ++i) SetClubAvgAttendance(Attendance.clubs[i], 1000 * (i + 1));
    const int16_t biggest = Attendance.clubs[Attendance.clubCount - 1];
    SetMenuFirstEntry(0);
    AttendanceScreenProc();
    EXPECT_EQ(Attendance.clubs[0], biggest);
    EXPECT_EQ(Attendance.top, 1000 * Attendance.clubCount);
    for (int i = 1; i < Attendance.clubCount; ++i)
        EXPECT_GE(Attendance.attendance[i - 1], Attendance.attendance[i]);
    EXPECT_EQ(Attendance_ChooseDivision(-1), MENU_CONTINUE);
    EXPECT_EQ(Attendance_ChooseDivision(int16_t(Attendance.divisions)), MENU_CONTINUE);
    EXPECT_EQ(Attendance_OpenClub(Attendance.clubCount), MENU_CONTINUE);
}

TEST_F(HistoryScreensTest, TheGoalsPageCountsTheClubsGoalsByMinuteBand) {
    const int16_t rival = FirstClubOf(0, 0, user_);
    const int16_t played = Add(kCompLeague, user_, rival, int16_t(day_ - 1));
    Score(played, 2, 1);
    const int16_t later = Add(kCompLeague, rival, user_, int16_t(day_ + 1));
    Event(played, PlayerOf(user_, 9), 0, kKindGoal, 10);
    Event(played, PlayerOf(user_, 9), 0, kKindPenaltyGoal, 46);
    Event(played, PlayerOf(rival, 9), 1, kKindOwnGoal, 90);
    Event(played, PlayerOf(user_, 3), 0, kKindBooking, 30);
    Event(later, PlayerOf(user_, 9), 1, kKindGoal, 5);  // not played yet
    Attendance_CountGoals(user_);
    const AttendanceGoals& g = AttendanceGoalBands;
    EXPECT_EQ(g.scored[0], 1);
    EXPECT_EQ(g.scored[4], 1);
    EXPECT_EQ(g.conceded[7], 1);
    int total = 0;
    for (int band = 0; band < kGoalBands; ++band) total += g.scored[band] + g.conceded[band];
    EXPECT_EQ(total, 3);
    EXPECT_EQ(g.scale, 10);
    for (int i = 0; i < 12; ++i) Event(played, PlayerOf(user_, 9), 0, kKindGoal, 15);
    Attendance_CountGoals(user_);
    EXPECT_EQ(AttendanceGoalBands.scored[1], 12);
    EXPECT_EQ(AttendanceGoalBands.scale, 14);
    DeleteFixture(played);
    DeleteFixture(FindFixture(rival, user_, kCompLeague));
}

TEST_F(HistoryScreensTest, AGrabOfTheChartShowsTheTopBarFullThenANameOpensTheGoalsPage) {
    const int16_t division = HVW_FindClubInDivisionRows(user_);
    const int clubs = HVW_GetCompRoundWord(division, 0);
    for (int place = 0; place < clubs; ++place)
        SetClubAvgAttendance(HVW_GetLeagueTableClub(0, division, int16_t(place)), 20000 + 500 * place);
    static std::vector<uint32_t> chart, goals;
    static bool goalsUp;
    goalsUp = false;
    const auto up = [](const MenuItem* table) { return testenv::MenuTableUp(table); };
    testenv::MenuUserWaitFor([up] { return up(AttendanceTable); }, 3000);
    testenv::MenuUserMoveTo(790, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { chart = testenv::NewestGrabPixels(); });
    testenv::MenuUserClickAt(100, kAttendanceBarTop + 9);
    testenv::MenuUserWaitFor([up] { return up(AttendanceGoalsTable); }, 3000);
    testenv::MenuUserMoveTo(790, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        goals = testenv::NewestGrabPixels();
        goalsUp = true;
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    testenv::MenuUserWaitFor([up] { return up(AttendanceTable); }, 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    MenuOption = kScreenAttendance;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_TRUE(goalsUp);
    ASSERT_EQ(chart.size(), 800u * 600u);
    ASSERT_EQ(goals.size(), 800u * 600u);
    EXPECT_EQ(SelectedClub, uint16_t(HVW_GetLeagueTableClub(0, division, int16_t(clubs - 1))));

    // The top club's bar runs 529 from x 189: its middle row is in the bar's
    // strong colour from end to end (the grab keeps the red in its blue
    // byte), and nothing of it follows.
    constexpr int mid = kAttendanceBarTop + 9;
    const auto red = [](int x) {
        const uint32_t p = chart[size_t(mid) * 800 + size_t(x)];
        const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
        const uint32_t strong = std::max(r, b), weak = std::max(std::min(r, b), g);
        return strong > 60 && strong > 2 * weak;
    };
    int inside = 0, after = 0;
    for (int x = kAttendanceBarLeft; x < kAttendanceBarLeft + kAttendanceBarSpan; ++x) inside += red(x);
    for (int x = kAttendanceBarLeft + kAttendanceBarSpan; x < kAttendanceBarLeft + kAttendanceBarSpan + 12;
         ++x)
        after += red(x);
    EXPECT_EQ(inside, kAttendanceBarSpan);
    EXPECT_EQ(after, 0);
    // The goals page is another picture.
    int differ = 0;
    for (size_t i = 0; i < chart.size(); i += 37) differ += chart[i] != goals[i] ? 1 : 0;
    EXPECT_GT(differ, 500);
}

}  // namespace

namespace {

// The goals page runs over the chart: a screen chosen on its title bar
// opens, and the chart does not stay up over it.
TEST_F(HistoryScreensTest, TheGoalsPageLeftByTheTitleBarOpensTheChosenScreen) {
    static bool chartStayed;
    chartStayed = false;
    const auto up = [](const MenuItem* table) { return testenv::MenuTableUp(table); };
    testenv::MenuUserWaitFor([up] { return up(AttendanceTable); }, 3000);
    testenv::MenuUserClickAt(100, kAttendanceBarTop + 9);
    testenv::MenuUserWaitFor([up] { return up(AttendanceGoalsTable); }, 3000);
    testenv::MenuUserWait(14);  // past the engine's click latch
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);  // the first team's squad list
    // The round ends on the chosen screen at once; a chart still up after
    // that is left by its back icon.
    testenv::MenuUserWait(30);
    testenv::MenuUserDo([] {
        chartStayed = testenv::MenuTableUp(AttendanceTable);
        // Out by the chart's back icon, so that the test ends.
        if (chartStayed)
            testenv::MenuUserClickItem(
                [](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    });
    MenuOption = kScreenAttendance;
    DoMainMenuOption();
    EXPECT_FALSE(chartStayed) << "the chart stayed up over the chosen screen";
    EXPECT_EQ(MenuOption, kScreenSquadList);
}

}  // namespace
