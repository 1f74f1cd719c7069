// The news pages over a new-game world whose club archives the tests fill:
// ranked lines and their paging, a club's archive newest first, the
// headline variant and the date, the division pop-ups and the highlights;
// with the scripted user, the way in from the club screen's title bar.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/news.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/country/newspages.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/start/startmenu.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace news_pages_test {

constexpr uint16_t kRelegated = 45;  // "$0t relegated" is variant 0
constexpr int16_t kToday = 100;

void EmptyArchive(int16_t club) {
    for (MessageRecord& r : MessageArchive[club]) std::memset(r.bytes, 0xFF, sizeof r.bytes);
}

// A message of the type about clubA (no player) on the day.
void PutMessage(int16_t owner, int slot, uint16_t type, int day, int16_t clubA) {
    uint8_t* r = MessageArchive[owner][slot].bytes;
    std::memset(r, 0xFF, kMessageRecordSize);
    recbits::StoreU16(r + kMsgClubA, uint16_t(clubA));
    recbits::StoreU16(r + kMsgType, type);
    recbits::StoreU16(r + kMsgDay, uint16_t(day));
}

// The day of the last week on which a message about the club takes
// headline variant 0: (club - 1 + day) mod 5 = 0.
int VariantZeroDay(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    for (int day = today; day > today - 7; --day)
        if ((club - 1 + day) % 5 == 0) return day;
    return -1;
}

std::string Relegated(int16_t club) { return std::string(HVW_GetClubName(club)) + " relegated"; }

int16_t CountryClub(int division, int k) { return int16_t(DivisionClubLists[0][division][k]); }

void Enter() {
    SetMenuFirstEntry(1);
    NewsPagesMenu();
    SetMenuFirstEntry(0);
}

class NewsPagesTest : public MenuEngineTest {
  protected:
    static inline testenv::SharedNewWorld world_;
    static inline bool worldReady_ = false;

    void SetUp() override {
        worldReady_ = testenv::StartFromNamedWorld(world_);
        MenuEngineTest::SetUp();
        if (!started_) return;
        if (!worldReady_) GTEST_FAIL() << world_.error;
        BuildNameTables();  // with the texts the display's start loaded
        keptArchive_.assign(&MessageArchive[0][0], &MessageArchive[0][0] + kClubCount * kArchiveSlots);
        keptCalendar_ = SeasonCalendar;
        for (int16_t club = 0; club < kClubCount; ++club) EmptyArchive(club);
        SeasonCalendar.currentDay = kToday;
        SeasonCalendar.season = 0;
        HVW_SetViewedCountry(0);
    }
    void TearDown() override {
        if (started_ && worldReady_) {
            std::copy(keptArchive_.begin(), keptArchive_.end(), &MessageArchive[0][0]);
            SeasonCalendar = keptCalendar_;
        }
        MenuEngineTest::TearDown();
    }
    // One story each about the first n clubs of the country's top
    // division, each in its own archive.
    static void RankedStories(int n) {
        for (int k = 0; k < n; ++k) {
            const int16_t club = CountryClub(k / 20, k % 20);
            PutMessage(club, 0, kRelegated, VariantZeroDay(club), club);
        }
    }
    static int ShownLines() {
        int n = 0;
        for (int i = 0; i < kNewsLines; ++i) n += NewsPagesHeadline(i)[0] != '\0';
        return n;
    }

    std::vector<MessageRecord> keptArchive_;
    SeasonCalendarState keptCalendar_{};
};

TEST_F(NewsPagesTest, RankedLinesPageWithinTheList) {
    RankedStories(3);
    Enter();
    EXPECT_EQ(NewsPage, kNewsCountryPage);
    EXPECT_EQ(NewsCount, 3);
    EXPECT_EQ(ShownLines(), 3);
    for (int i = 3; i < kNewsLines; ++i) EXPECT_STREQ(NewsPagesDate(i), "") << i;
    for (int i = 0; i < 3; ++i) {
        const FrontPageEntry& e = NationalNewsList[i];
        EXPECT_EQ(NewsPagesHeadline(i), Relegated(e.club)) << i;
    }
    // Fewer than ten lines: paging does not move.
    EXPECT_EQ(NewsPages_LineDown(nullptr), MENU_REDRAW);
    NewsPagesMenu();
    EXPECT_EQ(NewsTop, 0);
    NewsPages_LineUp(nullptr);
    EXPECT_EQ(NewsTop, 0);

    // Twenty: paging stops with items 11-20 shown.
    RankedStories(20);
    NewsPagesMenu();
    EXPECT_EQ(NewsCount, 20);
    for (int i = 0; i < 15; ++i) {
        NewsPages_LineDown(nullptr);
        NewsPagesMenu();
    }
    EXPECT_EQ(NewsTop, 10);
    for (int i = 0; i < kNewsLines; ++i)
        EXPECT_EQ(NewsPagesHeadline(i), Relegated(NationalNewsList[10 + i].club));
    for (int i = 0; i < 15; ++i) NewsPages_LineUp(nullptr);
    EXPECT_EQ(NewsTop, 0);
}

TEST_F(NewsPagesTest, AClubsArchiveShowsNewestFirstAndItsDates) {
    SeasonCalendar.currentDay = 60;
    const int16_t club = CountryClub(1, 3);
    for (int k = 0; k < 37; ++k) PutMessage(club, k, kRelegated, 54 - k, club);
    Enter();
    // Some paging on the ranked list first: a pick starts at the first line.
    RankedStories(20);
    NewsPagesMenu();
    NewsPages_LineDown(nullptr);
    NewsPages_LineDown(nullptr);
    EXPECT_EQ(NewsTop, 2);
    int index = -1;
    for (int k = 0; k < NewsPagesDivisionClubCount(1); ++k)
        if (NewsPagesDivisionClub(1, k) == club) index = k;
    ASSERT_GE(index, 0);
    // The pop-up lists its clubs by name.
    for (int k = 1; k < NewsPagesDivisionClubCount(1); ++k)
        EXPECT_LE(std::strcmp(HVW_GetClubName(NewsPagesDivisionClub(1, k - 1)),
                              HVW_GetClubName(NewsPagesDivisionClub(1, k))),
                  0);
    EXPECT_EQ(NewsPages_PickClub(1, int16_t(index)), MENU_REDRAW);
    NewsPagesMenu();
    EXPECT_EQ(NewsTop, 0);
    EXPECT_EQ(NewsClubFilter, club);
    EXPECT_EQ(NewsCount, 37);
    EXPECT_EQ(NewsPagesTitle(), std::string(GetText(460)) + " " + HVW_GetClubName(club));
    EXPECT_EQ(NewsPagesHighlight(1), 8) << "the country page's button stays lit";
    // Day 54 of season 0 is Thursday 5 September.
    EXPECT_STREQ(NewsPagesDate(0), "Thu 05/09");
    EXPECT_STREQ(NewsPagesDate(1), "Wed 04/09");
    for (int i = 0; i < 40; ++i) NewsPages_LineDown(nullptr);
    NewsPagesMenu();
    EXPECT_EQ(NewsTop, 27);
    EXPECT_EQ(ShownLines(), 10);
    EXPECT_STREQ(NewsPagesDate(9), "Wed 31/07") << "message 37, day 18";
    // A pop-up entry past the division's clubs does nothing.
    EXPECT_EQ(NewsPages_PickClub(1, 30), MENU_CONTINUE);
    EXPECT_EQ(NewsPages_PickClub(7, 0), MENU_CONTINUE);
    EXPECT_EQ(NewsClubFilter, club);
}

TEST_F(NewsPagesTest, PagesAndFiltersLightTheirButtons) {
    Enter();
    EXPECT_EQ(NewsPagesHighlight(1), 8);
    EXPECT_EQ(NewsPagesHighlight(0), 0);
    EXPECT_EQ(NewsPagesTitle(), std::string(GetText(460)) + " " + HVW_GetNationName(0));
    // A club outside the league divisions: only the other-clubs filter has it.
    const int16_t outside = CountryClub(1, 5);
    const uint16_t keptDivision = GetClubDivision(outside);
    SetClubDivision(outside, 6);
    const int16_t league = CountryClub(0, 0);
    PutMessage(outside, 0, kRelegated, VariantZeroDay(outside), outside);
    PutMessage(league, 0, kRelegated, VariantZeroDay(league), league);
    NewsPagesMenu();
    EXPECT_EQ(NewsCount, 2);
    NewsPages_ShowOtherClubs(nullptr);
    NewsPagesMenu();
    EXPECT_EQ(NewsCount, 1);
    EXPECT_EQ(NewsPagesHeadline(0), Relegated(outside));
    EXPECT_EQ(NewsPagesHighlight(8), 8);
    EXPECT_EQ(NewsPagesHighlight(1), 0);
    SetClubDivision(outside, int16_t(keptDivision));
    // The region page leaves the viewed country out.
    NewsPages_ShowRegion(nullptr);
    NewsPagesMenu();
    EXPECT_EQ(NewsPage, kNewsRegionPage);
    EXPECT_EQ(NewsGroupFilter, kNewsNoFilter);
    EXPECT_EQ(NewsCount, 0);
    EXPECT_EQ(ShownLines(), 0);
    EXPECT_STREQ(NewsPagesTitle(), GetText(1179));
    EXPECT_EQ(NewsPagesHighlight(0), 8);
    HVW_SetViewedCountry(1);
    NewsPagesMenu();
    EXPECT_EQ(NewsCount, 2) << "country 0 is a region neighbour of country 1";
    EXPECT_EQ(NewsPages_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(NewsPagesTest, ScriptedUserOpensTheNewsFromTheTitleBar) {
    const int16_t user = CountryClub(0, 10);
    SetPlayerClub(1, uint16_t(user));
    SetClubControl(user, 1);
    SelectedClub = uint16_t(user);
    MenuCurrentPlayer = 1;
    RankedStories(3);
    static int16_t countryLit = -1, regionLit = -1, pageAfterClick = 0;
    MenuOption = kScreenClubMain;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == ClubMainTable && !MenuViewHotItems().empty() && ScreenPresented == 1;
        },
        3000);
    testenv::MenuUserWait(3);
    // The League caption's list (the third caption): its fifth entry is the news.
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 322; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(4);
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == NewsPagesTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { countryLit = NewsPagesHighlight(1); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 22 && item.y == 169; });
    testenv::MenuUserWait(15);
    testenv::MenuUserDo([] {
        pageAfterClick = int16_t(NewsPage);
        regionLit = NewsPagesHighlight(0);
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (!WinCloseRequested() && ++rounds < 6 && (rounds == 1 || MenuOption != kScreenClubMain))
        DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(countryLit, 8);
    EXPECT_EQ(pageAfterClick, kNewsRegionPage);
    EXPECT_EQ(regionLit, 8);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SetClubControl(user, 0);
    SetPlayerClub(1, uint16_t(kNoClub));
}

// Without a world: the death tests' children start afresh.
using NewsPagesDeathTest = MenuEngineTest;

TEST_F(NewsPagesDeathTest, ProgrammingErrorsEndTheProgram) {
    HVW_SetViewedCountry(0);
    EXPECT_DEATH(
        {
            NewsPage = 3;
            NewsPagesMenu();
        },
        "Invalid Web Page to view in A_MN3");
    EXPECT_DEATH(
        {
            DivisionLayout[0][1].clubs = 0;
            NewsPagesMenu();
        },
        "Invalid Number Of Divs A_MN3");
}

}  // namespace news_pages_test
