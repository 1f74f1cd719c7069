// The club main screen from prepared states over one new-game world: the
// division list and its first club, the Continue pop-up on ordinary days,
// on match days and on the season's last day, the bids, another country,
// both mouse buttons on a club row, an empty rotating panel and a grab.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/club/transferprices.h"
#include "core/match/replay.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/userroles.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/start/startmenu.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/role_choices.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

// The new game is played once for the whole executable.
bool g_clubMainWorldReady = false;
std::string g_clubMainWorldError;
std::vector<Fixture> g_clubMainFixtures;
SeasonCalendarState g_clubMainCalendar;

void ClubMainNewWorld() {
    g_clubMainWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_clubMainWorldReady = g_clubMainWorldError.empty();
    if (!g_clubMainWorldReady) return;
    g_clubMainFixtures.assign(std::begin(FixtureTable), std::end(FixtureTable));
    g_clubMainCalendar = SeasonCalendar;
}

bool ClubMainItemAt(const MenuHotItem& item, int x, int y) { return item.x == x && item.y == y; }

auto ClubMainUp() {
    return [] {
        return MenuOption == kScreenClubMain && MenuViewTopTable() == ClubMainTable &&
               !MenuViewHotItems().empty() && ScreenPresented == 1;
    };
}

class ClubMainTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        ClubMainNewWorld();
        if (!g_clubMainWorldReady) GTEST_FAIL() << g_clubMainWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        PrepareScene();
    }
    void TearDown() override {
        if (g_clubMainWorldReady) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }

    // The user's fixture from today on that is not a reserve-league match.
    int16_t NextOrdinaryFixture() const {
        for (int slot = std::max<int>(HVW_FindClubNextFixtureSlot(user_), 0); slot < kFixtureSlots; ++slot) {
            if (IsFixtureEmpty(slot)) break;
            if (IsFixtureOfClub(slot, user_) && FixtureType(slot) != kCompReserveLeague &&
                FixtureType(slot) != kCompNationalTeam && FixtureType(slot) != kCompNationalUnder21) {
                return int16_t(slot);
            }
        }
        return -1;
    }
    static void WaitForScreen() {
        testenv::MenuUserWaitFor(ClubMainUp(), 3000);
        MenuUserWait(5);
    }
    static void OpenContinue() {
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 399, 559); });
        MenuUserWait(15);
    }
    // Runs screen 3 until it closes (or gives up after a few rounds).
    static void RunScreen() {
        int rounds = 0;
        while (MenuOption == kScreenClubMain && !WinCloseRequested() && ++rounds < 5) DoMainMenuOption();
    }
    // Play Match from the open pop-up starts the day's matches.
    static void PlayMatchStartsTheDay() {
        testenv::MenuUserClickPopupRow(2);
        RunScreen();
        EXPECT_EQ(MenuOption, kScreenContinueGame);
        EXPECT_EQ(ContinueMode, 2);
    }
    // Play Match held back by a box: the box is seen and closed, then the
    // screen runs to where the box sends him.
    static void PlayMatchMeetsABox() {
        WaitForScreen();
        OpenContinue();
        testenv::MenuUserClickPopupRow(2);
        testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 200);
        MenuUserDo([] { EXPECT_NE(ScreenSection[MODAL_BOX_SECTION].pixels, nullptr); });
        testenv::MenuUserClickAt(400, 300);
        RunScreen();
    }

    int16_t user_ = -1;

  public:
    // Back to the prepared state between the scenes of one test.
    void PrepareScene();
    // Leaves the screen through the new-mail icon (the window stays open).
    static void LeaveScreen() {
        MenuUserDo([] { SetNewMessageFlag(1); });
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 227, 288); });
    }
    void Entry();
    void LastDay();
    int16_t LeagueDayOnly() const;
    void MatchDay();
    void PlayMatchHeldBack();
    void ReserveDay();
    int16_t ReserveOnlyDay() const;
    void ReserveDayAfterABorrowingPick();
    void OrdinaryDay();
    void Bids();
    void AnotherCountry();
    void MouseButtons();
    void NoFixtures();
    void Graph();
    void Queries();
};

void ClubMainTest::PrepareScene() {
    BuildNameTables();
    std::copy(g_clubMainFixtures.begin(), g_clubMainFixtures.end(), FixtureTable);
    SeasonCalendar = g_clubMainCalendar;
    // The user manages the first club by name of country 0's second
    // division, so that the screen opens on his own club.
    int16_t list[kLeagueRowClubs];
    const int16_t count = int16_t(DivisionLayout[0][1].clubs);
    for (int i = 0; i < kLeagueRowClubs; ++i) list[i] = int16_t(DivisionClubLists[0][1][i]);
    HVW_SortClubListByName(list, count, 0);
    user_ = list[0];
    SetPlayerClub(1, user_);
    SetClubControl(user_, 1);
    HVW_PickClubTeam(user_);
    testenv::ChooseSideRoles(user_, false);
    HVW_SetViewedCountry(0);
    std::memset(ClubBids, 0, sizeof ClubBids);
    PendingDeal_ClearAll();
    MatchDayFlags = 0;
    ContinueMode = -7;
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    SetNewMessageFlag(0);
}

// Entry: the user's division, its first club by name, and a grab.
void ClubMainTest::Entry() {
    static std::vector<uint32_t> grab;
    WaitForScreen();
    MenuUserDo([this] {
        EXPECT_EQ(ViewedDivision, 1);
        EXPECT_EQ(SelectedClub, uint16_t(user_));
        ASSERT_EQ(ClubMainClubCount(), DivisionLayout[0][1].clubs);
        const uint16_t* list = ClubMainClubList();
        for (int i = 1; i < ClubMainClubCount(); ++i) {
            EXPECT_LE(std::strcmp(HVW_GetClubName(int16_t(list[i - 1])), HVW_GetClubName(int16_t(list[i]))),
                      0);
        }
        if (ClubMainClubCount() < kClubMainListSlots) {
            EXPECT_EQ(list[ClubMainClubCount()], kClubMainEmpty);
        }
        // The user's own club shows its money, the others their manager.
        EXPECT_EQ(std::string(ClubMainFactLine(0)).rfind(std::string(GetText(253)) + ": ", 0), 0u);
        EXPECT_EQ(std::string(ClubMainFactLine(1)).rfind(std::string(GetText(256)) + ": ", 0), 0u);
        // Three fixtures ahead, "Sat 3/8 v Name(H) League" style.
        for (int line = 0; line < kClubMainFixtureLines; ++line) {
            const std::string text = ClubMainFixtureLine(line);
            EXPECT_NE(text.find(std::string(" ") + GetText(152) + " "), std::string::npos) << text;
            EXPECT_TRUE(text.find("(H)") != std::string::npos || text.find("(A)") != std::string::npos ||
                        text.find("(N)") != std::string::npos)
                << text;
        }
        EXPECT_EQ(ClubMainContinueText(0), 1);
        EXPECT_EQ(ClubMainContinueText(1), 547);
        EXPECT_EQ(ClubMainContinueText(2), 552);
    });
    // Each fact line hangs from its y: the first one clear of the mode
    // button (287-307) and the mail icon (288-308) above it.
    MenuUserDo([] {
        std::vector<DrawnString> drawn;
        SetDrawnStringLog(&drawn);
        MenuWalkTopTable(MENU_REDRAW);
        SetDrawnStringLog(nullptr);
        const auto first = std::find_if(drawn.begin(), drawn.end(),
                                        [](const DrawnString& d) { return d.text == ClubMainFactLine(0); });
        ASSERT_NE(first, drawn.end());
        EXPECT_GE(first->y, 308);
        EXPECT_LE(first->y + first->height, 328);
    });
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    MenuUserWait(3);
    static int textPixels, matching;
    MenuUserDo([this] {
        grab = testenv::NewestGrabPixels();
        ASSERT_EQ(grab.size(), 800u * 600u);
        // The club name: every pixel that the same text paints over the
        // plain background is the grab's pixel there.
        ShowMenuBackground(4);
        const testenv::LettersFound name = testenv::LettersInGrab(grab, 55, 40, 300, 85, [this] {
            SetFont(1014);
            SetDrawParam(1, 15);
            DrawTextNoAt(60, 62, HVW_ClubTextId(user_), JUSTIFY_LEFT_MIDDLE);
        });
        textPixels = name.letters;
        matching = name.same;
    });
    LeaveScreen();
    RunScreen();
    ASSERT_EQ(grab.size(), 800u * 600u);
    EXPECT_GT(textPixels, 50);
    EXPECT_EQ(matching, textPixels);
    // The Continue button's face: dark edge then the full 0x5AD4.
    EXPECT_EQ(grab[569 * 800 + 400], 0x7B4343u);
    EXPECT_EQ(grab[569 * 800 + 403], 0xA55A5Au);
}

// The pop-up's row views while it is open: whether each can be chosen.
std::vector<bool> ClubMainPopupRowsEnabled() {
    std::vector<bool> enabled;
    for (const MenuPopupRowView& row : MenuViewPopupRows()) {
        enabled.push_back((row.entry->flags & POPUP_SELECTABLE) != 0);
    }
    return enabled;
}

// Day 364: the next season's texts; run on refused late in the season.
void ClubMainTest::LastDay() {
    SeasonCalendar.currentDay = 364;
    MatchDayFlags = 0x00C1;
    SavedGoalCount = 7;
    WaitForScreen();
    MenuUserDo([] {
        EXPECT_EQ(ClubMainContinueText(0), 766);
        EXPECT_EQ(ClubMainContinueText(1), 765);
        EXPECT_EQ(ClubMainContinueText(2), 552);
    });
    OpenContinue();
    MenuUserDo([] { EXPECT_EQ(ClubMainPopupRowsEnabled(), (std::vector<bool>{true, true, false})); });
    // Run on: the season is over for it; the box is clicked away and the
    // screen stays.
    testenv::MenuUserClickPopupRow(1);
    MenuUserWait(30);
    MenuUserDo([] {
        EXPECT_NE(ScreenSection[MODAL_BOX_SECTION].pixels, nullptr);
        EXPECT_EQ(MenuOption, kScreenClubMain);
    });
    testenv::MenuUserClickAt(400, 300);
    WaitForScreen();
    MenuUserDo([] { EXPECT_EQ(ContinueMode, -7); });
    // One day ("Next Season") still plays.
    OpenContinue();
    testenv::MenuUserClickPopupRow(0);
    RunScreen();
    EXPECT_EQ(MenuOption, kScreenContinueGame);
    EXPECT_EQ(ContinueMode, 0);
    EXPECT_EQ(uint16_t(MatchDayFlags), 0x0002);
    EXPECT_EQ(SavedGoalCount, 0);
}

// A day on which the user's club plays one league match and nothing else.
int16_t ClubMainTest::LeagueDayOnly() const {
    int16_t slot = -1;
    for (int s = 0; s < kFixtureSlots && !IsFixtureEmpty(s) && slot < 0; ++s) {
        if (FixtureDay(s) <= SeasonCalendar.currentDay || !IsFixtureOfClub(s, user_)) continue;
        if (FixtureType(s) != kCompLeague) continue;
        int ofTheDay = 0;
        for (int t = 0; t < kFixtureSlots && !IsFixtureEmpty(t); ++t)
            ofTheDay += FixtureDay(t) == FixtureDay(s) && IsFixtureOfClub(t, user_) ? 1 : 0;
        if (ofTheDay == 1) slot = int16_t(s);
    }
    return slot;
}

// A match day: only Play Match is offered, and it starts the day.
void ClubMainTest::MatchDay() {
    const int16_t slot = LeagueDayOnly();
    ASSERT_GE(slot, 0);
    SeasonCalendar.currentDay = FixtureDay(slot);
    ASSERT_EQ(HVW_CheckTeamForMatch(user_, 0), 0);
    ASSERT_EQ(HVW_CheckClubRoleChoices(user_), -1);
    MatchDayFlags = 0x00C1;
    SavedGoalCount = 3;
    WaitForScreen();
    MenuUserDo([] {
        EXPECT_NE(uint16_t(MatchDayFlags) & kDayLoopPlaysToday, 0);
        // One day and run on do nothing today.
        EXPECT_EQ(ClubMain_OneDay(nullptr), MENU_REDRAW);
        EXPECT_EQ(ClubMain_RunOn(nullptr), MENU_REDRAW);
        EXPECT_EQ(MenuOption, kScreenClubMain);
        EXPECT_EQ(ContinueMode, -7);
    });
    OpenContinue();
    MenuUserDo([] { EXPECT_EQ(ClubMainPopupRowsEnabled(), (std::vector<bool>{false, false, true})); });
    PlayMatchStartsTheDay();
    EXPECT_EQ(uint16_t(MatchDayFlags) & 0x00C3, 0x0002);
    EXPECT_EQ(SavedGoalCount, 0);
    EXPECT_EQ(SquadListSecond, 0);
}

// A day on which the user's reserves play and his first team does not.
int16_t ClubMainTest::ReserveOnlyDay() const {
    int16_t slot = -1;
    for (int s = 0; s < kFixtureSlots && !IsFixtureEmpty(s) && slot < 0; ++s) {
        if (FixtureDay(s) <= SeasonCalendar.currentDay || !IsFixtureOfClub(s, user_)) continue;
        if (FixtureType(s) == kCompReserveLeague && HVW_FindClubFixtureOnDay(user_, FixtureDay(s), 0) < 0) {
            slot = int16_t(s);
        }
    }
    return slot;
}

// A reserve-league match day plays on the reserve sheet.
void ClubMainTest::ReserveDay() {
    const int16_t slot = ReserveOnlyDay();
    ASSERT_GE(slot, 0);
    SeasonCalendar.currentDay = FixtureDay(slot);
    SquadListSecond = 0;
    // The reserve side named and its roles chosen, as on the team screens.
    SelectReserveTeamByFormation(user_, 5, 0, kCompReserveLeague);
    ASSERT_NE(testenv::ChooseSideRoles(user_, true), 0);
    WaitForScreen();
    OpenContinue();
    MenuUserDo([] { EXPECT_EQ(ClubMainPopupRowsEnabled(), (std::vector<bool>{false, false, true})); });
    PlayMatchStartsTheDay();
    EXPECT_EQ(SquadListSecond, 1);
}

// A reserve-league day late in a season: the first team has no fit keeper,
// so its pick borrows one from the reserve list, which holds one player
// more than the sixteen a reserve sheet needs.  The sides picked for the
// day's fixture keep the reserves at sixteen and Play Match starts the day;
// a reserve list short of sixteen gets the box and the user's reserve list.
void ClubMainTest::ReserveDayAfterABorrowingPick() {
    const int16_t slot = ReserveOnlyDay();
    ASSERT_GE(slot, 0);
    SeasonCalendar.currentDay = FixtureDay(slot);
    const std::vector<PlayerRecord> saved(PlayerRecords, PlayerRecords + PlayerCount);
    // Down to `count` reserves: the others, keepers last, join the first
    // team (a new young player among them no longer counted as new, or the
    // lists would send him back).
    const auto keepReserves = [this](int count) {
        BuildClubSquadList(user_);
        for (int i = ReserveList.count - 1; i >= 0 && ReserveList.count > count; --i) {
            const uint16_t p = ReserveList.players[i];
            if (GetPlayerPosition(p) == 0) continue;
            SetPlayerFlag95(p, 0);
            AddToTeamList(p);
            RemoveFromReserveList(p);
        }
        BuildClubSquadList(user_);
        return ReserveList.count;
    };
    ASSERT_EQ(keepReserves(17), 17);
    for (int i = 0; i < FirstTeamList.count; ++i) {
        if (GetPlayerPosition(FirstTeamList.players[i]) == 0) SetPlayerIT(FirstTeamList.players[i], 3);
    }
    testenv::PickSidesForFixture(user_, kCompReserveLeague);
    EXPECT_EQ(HVW_CheckTeamForMatch(user_, 1), 0);
    EXPECT_EQ(HVW_CheckCode120RoleChoices(user_), -1);
    WaitForScreen();
    OpenContinue();
    PlayMatchStartsTheDay();

    std::copy(saved.begin(), saved.end(), PlayerRecords);
    ASSERT_EQ(keepReserves(15), 15);
    MenuOption = kScreenClubMain;
    ContinueMode = -7;
    ScreenPresented = 0;
    PlayMatchMeetsABox();
    EXPECT_EQ(MenuOption, kScreenSquadListSecond);
    EXPECT_EQ(SquadListSecond, 1);
    EXPECT_EQ(ContinueMode, -7);
    std::copy(saved.begin(), saved.end(), PlayerRecords);
}

// An ordinary day plays one day; a match late in the season is still played.
void ClubMainTest::OrdinaryDay() {
    MatchDayFlags = 0x00C1;
    WaitForScreen();
    OpenContinue();
    MenuUserDo([] { EXPECT_EQ(ClubMainPopupRowsEnabled(), (std::vector<bool>{true, true, false})); });
    // Play Match without a match today does nothing.
    testenv::MenuUserClickPopupRow(2);
    MenuUserWait(10);
    MenuUserDo([] { EXPECT_EQ(MenuOption, kScreenClubMain); });
    WaitForScreen();
    OpenContinue();
    testenv::MenuUserClickPopupRow(0);
    RunScreen();
    EXPECT_EQ(MenuOption, kScreenContinueGame);
    EXPECT_EQ(ContinueMode, 0);
    EXPECT_EQ(uint16_t(MatchDayFlags), 0x0002);

    // A cup final after day 300: the match is offered and played.
    const int16_t final = AddFixture(320, CupCode(0, 7), user_, int16_t(DivisionClubLists[0][2][0]), 0);
    ASSERT_GE(final, 0);
    SeasonCalendar.currentDay = 320;
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    WaitForScreen();
    OpenContinue();
    MenuUserDo([] { EXPECT_EQ(ClubMainPopupRowsEnabled(), (std::vector<bool>{false, false, true})); });
    PlayMatchStartsTheDay();
}

// Play Match held back: by a role without a valid choice (a box with the
// role's text, then team selection) and by a chosen player who cannot play
// (a box, then the squad list); once the user has mended it the match goes.
void ClubMainTest::PlayMatchHeldBack() {
    const int16_t slot = LeagueDayOnly();
    ASSERT_GE(slot, 0);
    SeasonCalendar.currentDay = FixtureDay(slot);
    // No corner taker: every other role is chosen.
    std::fill(std::begin(ClubRoleLists[kRoleCornerTaker]), std::end(ClubRoleLists[kRoleCornerTaker]), 0);
    PlayMatchMeetsABox();
    EXPECT_EQ(MenuOption, kScreenTeamSelect);
    EXPECT_EQ(SelectedClub, uint16_t(user_));
    EXPECT_EQ(HVW_CheckClubRoleChoices(user_), 983);

    // Roles chosen, then a chosen player injured while fit players wait.
    PrepareScene();
    SeasonCalendar.currentDay = FixtureDay(slot);
    const uint16_t injured = HVW_FindSquadPlayerByShirt(11);
    ASSERT_NE(injured, 0);
    SetPlayerIT(injured, 3);
    PlayMatchMeetsABox();
    EXPECT_EQ(MenuOption, kScreenSquadList);
    EXPECT_EQ(SelectedClub, uint16_t(user_));
    // The user gives his shirt to a fit player without one, as on the squad
    // list, and the match is played.
    uint16_t fit = 0;
    for (uint16_t p : FirstTeamList.players) {
        if (fit == 0 && p != 0 && p < PlayerCount && GetPlayerShirt(p) == 0 && GetPlayerIT(p) == 0 &&
            GetPlayerPosition(p) != 0)
            fit = p;
    }
    ASSERT_NE(fit, 0);
    HVW_SetPlayerShirt(injured, 0);
    HVW_SetPlayerShirt(fit, 11);
    testenv::ChooseSideRoles(user_, false);
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    WaitForScreen();
    OpenContinue();
    PlayMatchStartsTheDay();
    SetPlayerIT(injured, 0);
}

void ClubMainSetBid(int16_t club, int slot, uint16_t player, uint32_t price) {
    recbits::StoreU16(ClubBids[club].bytes + 2 * slot, player);
    recbits::StoreU32(ClubBids[club].bytes + 16 + 4 * slot, price);
}

std::string ClubMainMoney(int32_t amount) {
    const int32_t saved = CurrentNumberType;
    SetDrawParam(3, NUMBER_MONEY);
    std::string text = Number2Str(amount);
    SetDrawParam(3, saved);
    return text;
}

// Bid rows without a player show no price; huge prices are clamped.
void ClubMainTest::Bids() {
    const uint16_t first = FirstTeamList.players[1], second = FirstTeamList.players[2];
    const uint16_t wanted = FirstTeamList.players[3];
    ClubMainSetBid(user_, 0, 0, 900);
    ClubMainSetBid(user_, 1, first, 0xFFFFFFFFu);
    ClubMainSetBid(user_, 3, second, 12345);
    PendingDeal_Add(wanted, 0, 0, 0, 0, 5, user_, int16_t(DivisionClubLists[0][2][0]), 1000, 2500, 1);
    WaitForScreen();
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 298, 287); });
    MenuUserWait(10);
    MenuUserDo([&] {
        EXPECT_EQ(ClubMainMode(), 0);
        for (int line = 0; line < kClubMainFacts; ++line) EXPECT_STREQ(ClubMainFactLine(line), "") << line;
        const uint32_t players[kClubMainBidRows] = {0, first, 0, second, wanted, 0, 0, 0};
        const std::string prices[kClubMainBidRows] = {
            "", ClubMainMoney(INT32_MAX), "", ClubMainMoney(1234500), ClubMainMoney(250000), "", "", ""};
        for (int row = 0; row < kClubMainBidRows; ++row) {
            EXPECT_EQ(ClubMainBidPlayer(row), players[row]) << row;
            EXPECT_EQ(ClubMainBidPrice(row), prices[row]) << row;
        }
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 298, 287); });
    MenuUserWait(10);
    MenuUserDo([] {
        EXPECT_EQ(ClubMainMode(), 1);
        EXPECT_EQ(ClubMainBidPlayer(1), 0u);
        EXPECT_STRNE(ClubMainFactLine(0), "");
    });
    LeaveScreen();
    RunScreen();
}

// Another country opens at its first division; the pop-up picks another.
void ClubMainTest::AnotherCountry() {
    HVW_SetViewedCountry(3);
    ViewedDivision = 2;
    WaitForScreen();
    MenuUserDo([] {
        EXPECT_EQ(ViewedDivision, 0);
        EXPECT_EQ(ClubMainClubCount(), DivisionLayout[3][0].clubs);
        EXPECT_EQ(SelectedClub, ClubMainClubList()[0]);
        EXPECT_EQ(GetClubNation(int16_t(SelectedClub)), 3);
        // Not the user's club: its manager, not its money.
        EXPECT_EQ(std::string(ClubMainFactLine(0)).rfind(std::string(GetText(30)) + ":", 0), 0u);
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 60, 559); });
    MenuUserWait(15);
    MenuUserDo([] { EXPECT_EQ(MenuViewPopupRows().size(), size_t(HVW_CountDivisions(3))); });
    testenv::MenuUserClickPopupRow(2);
    MenuUserWait(10);
    MenuUserDo([] {
        EXPECT_EQ(ViewedDivision, 2);
        EXPECT_EQ(ClubMainClubCount(), DivisionLayout[3][2].clubs);
        // The division's first club as stored, not as sorted.
        EXPECT_EQ(SelectedClub, DivisionClubLists[3][2][0]);
    });
    LeaveScreen();
    RunScreen();
}

// The first button selects a club, the second opens its squad list.
void ClubMainTest::MouseButtons() {
    static uint16_t third, fourth;
    WaitForScreen();
    // Scrolling stops at both ends of a division of 24.
    for (int i = 0; i < 9; ++i) {
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 20, 573); });
        MenuUserWait(4);
    }
    MenuUserDo([] { EXPECT_EQ(ClubMainListTop(), ClubMainClubCount() - kClubMainShownRows); });
    for (int i = 0; i < 9; ++i) {
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 20, 559); });
        MenuUserWait(4);
    }
    MenuUserDo([] {
        EXPECT_EQ(ClubMainListTop(), 0);
        third = ClubMainClubList()[3];
        fourth = ClubMainClubList()[4];
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 20, 97 + 3 * 26); });
    MenuUserWait(10);
    MenuUserDo([] {
        EXPECT_EQ(MenuOption, kScreenClubMain);
        EXPECT_EQ(SelectedClub, third);
        EXPECT_EQ(std::string(ClubMainFactLine(0)).rfind(std::string(GetText(30)) + ":", 0), 0u);
    });
    testenv::MenuUserRightClickAt(60, 97 + 4 * 26 + 10);
    RunScreen();
    EXPECT_EQ(MenuOption, kScreenSquadList);
    EXPECT_EQ(PreviousMenuOption, kScreenClubMain);
    EXPECT_EQ(SelectedClub, fourth);
}

// A club without fixtures: empty lines and an empty panel.
void ClubMainTest::NoFixtures() {
    ClearFixtureTable();
    WaitForScreen();
    MenuUserDo([] {
        for (int i = 0; i < kClubMainPanelSlots; ++i) EXPECT_EQ(ClubMainPanelSequence()[i], kClubMainEmpty);
        EXPECT_EQ(ClubMainPanelKind(), kClubMainEmpty);
        EXPECT_EQ(ClubMainGraphPlace(0), kClubMainEmpty);
        for (int line = 0; line < kClubMainFixtureLines; ++line) EXPECT_STREQ(ClubMainFixtureLine(line), "");
    });
    // A whole fade cycle later the panel is still empty.
    MenuUserWait(300);
    MenuUserDo([] {
        EXPECT_EQ(ClubMainPanelKind(), kClubMainEmpty);
        std::copy(g_clubMainFixtures.begin(), g_clubMainFixtures.end(), FixtureTable);
    });
    // With the fixtures back the club shows them; without, its lines are
    // emptied rather than kept.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 20, 97); });
    MenuUserWait(10);
    MenuUserDo([] {
        EXPECT_STRNE(ClubMainFixtureLine(0), "");
        ClearFixtureTable();
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ClubMainItemAt(item, 20, 97); });
    MenuUserWait(10);
    MenuUserDo([] {
        for (int line = 0; line < kClubMainFixtureLines; ++line) EXPECT_STREQ(ClubMainFixtureLine(line), "");
    });
    LeaveScreen();
    RunScreen();
}

// Stores a played league result with the places recorded after it.
void ClubMainPlay(int slot, uint32_t homeGoals, uint32_t awayGoals, uint32_t homePlace, uint32_t awayPlace) {
    uint8_t* bytes = FixtureTable[slot].bytes;
    const uint32_t score = recbits::LoadU32(bytes + kFixtureScoreWord) & ~0x3FFu;
    recbits::StoreU32(bytes + kFixtureScoreWord, score | homeGoals | awayGoals << 5);
    const uint32_t crowd = recbits::LoadU32(bytes + kFixtureCrowdWord) & ~(0x1Fu << 23);
    recbits::StoreU32(bytes + kFixtureCrowdWord, crowd | homePlace << 23);
    const uint32_t away = recbits::LoadU32(bytes + kFixtureAwaySideWord) & ~0x1Fu;
    recbits::StoreU32(bytes + kFixtureAwaySideWord, away | awayPlace);
}

// The graph takes the recorded places and ends at today's place.
void ClubMainTest::Graph() {
    std::vector<int> league;
    for (int s = 0; s < kFixtureSlots && !IsFixtureEmpty(s) && league.size() < 4; ++s) {
        if (FixtureType(s) == kCompLeague && IsFixtureOfClub(s, user_)) league.push_back(s);
    }
    ASSERT_EQ(league.size(), 4u);
    ClubMainPlay(league[0], 2, 1, 3, 5);
    ClubMainPlay(league[1], 0, 0, 0, 0);  // no places recorded: left out
    ClubMainPlay(league[2], 1, 3, 7, 2);
    SeasonCalendar.currentDay = FixtureDay(league[3]);
    const bool homeFirst = FixtureHome(league[0]) == user_;
    EXPECT_EQ(HVW_GetFixtureHomePlace(int16_t(league[0])), 3);
    EXPECT_EQ(HVW_GetFixtureAwayPlace(int16_t(league[2])), 2);
    WaitForScreen();
    MenuUserDo([homeFirst, this] {
        EXPECT_EQ(ClubMainGraphPlace(0), homeFirst ? 3 : 5);
        EXPECT_EQ(ClubMainGraphPlace(1), uint16_t(HVW_GetClubTablePosition(user_)));
        EXPECT_EQ(ClubMainGraphPlace(2), kClubMainEmpty);
    });
    // Hovering over the first point shows its tooltip without harm.
    testenv::MenuUserMoveTo(243, 118 + (homeFirst ? 3 : 5) * 143 / 24);
    MenuUserWait(5);
    testenv::MenuUserMoveTo(600, 400);
    MenuUserWait(5);
    LeaveScreen();
    RunScreen();
}

// Best performer, top scorer and the team checks.
void ClubMainTest::Queries() {
    const std::vector<PlayerRecord> saved(PlayerRecords, PlayerRecords + PlayerCount);
    // Five league matches played before today.
    std::vector<int> league;
    for (int s = 0; s < kFixtureSlots && !IsFixtureEmpty(s) && league.size() < 6; ++s) {
        if (FixtureType(s) == kCompLeague && IsFixtureOfClub(s, user_)) league.push_back(s);
    }
    ASSERT_EQ(league.size(), 6u);
    for (int i = 0; i < 5; ++i) ClubMainPlay(league[i], 1, 0, 1, 2);
    SeasonCalendar.currentDay = FixtureDay(league[5]);

    HVW_BuildSquadList(user_);
    std::vector<uint16_t> outfield;
    uint16_t keeper = 0;
    for (uint16_t p : FirstTeamList.players) {
        if (p == 0 || p >= PlayerCount) continue;
        SetPlayerApps(p, 0);
        SetPlayerPerf(p, 0);
        SetPlayerGoals(p, 0);
        if (GetPlayerPosition(p) == 0 && keeper == 0) {
            keeper = p;
        } else if (GetPlayerPosition(p) != 0) {
            outfield.push_back(p);
        }
    }
    ASSERT_NE(keeper, 0);
    ASSERT_GE(outfield.size(), 4u);
    EXPECT_EQ(HVW_GetBestPerformer(user_), 0);
    EXPECT_EQ(HVW_GetTopScorer(user_), 0);
    // More than 60 percent of five matches is four or more.
    const uint16_t a = outfield[0], b = outfield[1], c = outfield[2];
    SetPlayerApps(a, 4), SetPlayerPerf(a, 50);
    SetPlayerApps(b, 3), SetPlayerPerf(b, 90);
    SetPlayerApps(c, 5), SetPlayerPerf(c, 60);
    EXPECT_EQ(HVW_GetBestPerformer(user_), c);
    SetPlayerPerf(a, 70);
    EXPECT_EQ(HVW_GetBestPerformer(user_), a);
    // The keeper's goals do not count.
    SetPlayerGoals(keeper, 9);
    SetPlayerGoals(a, 3);
    SetPlayerGoals(outfield[3], 5);
    EXPECT_EQ(HVW_GetTopScorer(user_), outfield[3]);

    HVW_PickClubTeam(user_);
    EXPECT_EQ(HVW_CheckTeamForMatch(user_, 0), 0);
    // A chosen player injured.
    SetPlayerIT(HVW_FindSquadPlayerByShirt(5), 3);
    EXPECT_EQ(HVW_CheckTeamForMatch(user_, 0), 1);

    // A club left with fifteen players cannot play at all.
    const int16_t small = int16_t(DivisionClubLists[8][1][0]);
    int kept = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        if (GetPlayerClub(p) != uint16_t(small)) continue;
        if (++kept <= 15) continue;
        SetPlayerClub(p, int16_t(kNoClub));
        SetPlayerLoanClub(p, int16_t(kNoClub));
    }
    RebuildClubRoster(small);
    EXPECT_EQ(HVW_CheckTeamForMatch(small, 0), 2);
    EXPECT_EQ(HVW_CheckTeamForMatch(-1, 0), 2);

    std::copy(saved.begin(), saved.end(), PlayerRecords);
    RebuildClubRoster(small);
    HVW_PickClubTeam(user_);
}

TEST_F(ClubMainTest, TheScreenShowsTheDivisionItsClubsAndTheirFactsBidsAndGraph) {
    Entry();
    PrepareScene();
    Bids();
    PrepareScene();
    AnotherCountry();
    PrepareScene();
    MouseButtons();
    PrepareScene();
    Graph();
}

TEST_F(ClubMainTest, TheContinuePopUpOffersWhatTheDayAllows) {
    LastDay();
    PrepareScene();
    MatchDay();
    PrepareScene();
    PlayMatchHeldBack();
    PrepareScene();
    ReserveDay();
    PrepareScene();
    ReserveDayAfterABorrowingPick();
    PrepareScene();
    OrdinaryDay();
}

TEST_F(ClubMainTest, TheClubQueriesAndAClubWithoutFixtures) {
    Queries();
    PrepareScene();
    NoFixtures();
}

}  // namespace
