// The inbox, the vacancies, the board view and the money screens run by
// the controller over one new game played on for a month (a week in the
// short form): the folders with their unread labels in a grab, the read
// timer left to run, a sacking leading to the vacancies, the board view's
// grab; the finances graph with its lines, clicks and views, the weekly
// summary, the income forecast, and a table holding the twin charts.
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
#include "core/club/board.h"
#include "core/club/transfers.h"
#include "core/query/clubscreens.h"
#include "core/query/financerecord.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/newgame.h"
#include "game/screens/club/boardview.h"
#include "game/screens/club/finances.h"
#include "game/screens/club/inbox.h"
#include "game/screens/club/incomeforecast.h"
#include "game/screens/club/weeklymoney.h"
#include "game/screens/country/vacancies.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/engine/twinchart.h"
#include "game/system/display2d.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

bool g_inboxWorldReady = false;
std::string g_inboxWorldError;
int16_t g_inboxUser = -1;

// The new game played on for a month with the user at his club: played
// once per process and put back before every test.
void InboxNewWorld() {
    static testenv::keptgame::Copy month;
    static bool played = false;
    g_inboxWorldError = testenv::KeptNewGame(78);
    g_inboxWorldReady = g_inboxWorldError.empty();
    if (!g_inboxWorldReady) return;
    g_inboxUser = int16_t(DivisionClubLists[0][1][0]);
    if (played) {
        testenv::keptgame::PutBack(month);
        return;
    }
    char here[4096];
    if (getcwd(here, sizeof here) == nullptr || chdir(HALVORN_GAME_DIR) != 0) {
        g_inboxWorldError = "no game folder";
        g_inboxWorldReady = false;
        return;
    }
    SetPlayerClub(1, g_inboxUser);
    SetClubControl(g_inboxUser, 1);
    HVW_SetViewedCountry(int16_t(GetClubNation(g_inboxUser)));
    const int days = ShortTestRun() ? 22 : 30;
    StdoutCapture quiet;
    for (int day = 0; day < days; ++day) HVW_AdvanceDay();
    quiet.Text();
    testenv::keptgame::Take(month);
    played = true;
    if (chdir(here) != 0) {
        g_inboxWorldError = "cannot return to the test folder";
        g_inboxWorldReady = false;
    }
}

class InboxScreenTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        InboxNewWorld();
        if (!g_inboxWorldReady) GTEST_FAIL() << g_inboxWorldError;
        MenuEngineTest::SetUp();
        MenuCurrentPlayer = 1;
    }
    static void RunWhile(int16_t id) {
        int rounds = 0;
        while (MenuOption == id && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    }
    static void WaitForTable(const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
        testenv::MenuUserWait(3);
    }
    static void GrabInto(std::vector<uint32_t>* grab) {
        testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([grab] { *grab = testenv::NewestGrabPixels(); });
    }
    static void ClickBack() {
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    }
};

TEST_F(InboxScreenTest, TheMonthsMailTheReadTimerASackingAndTheBoard) {
    // The month's mail, in its folders, with a grab.
    int unread = 0;
    for (const MessageRecord& m : UserInbox) unread += m.bytes[kMsgType] != 0xFF && m.bytes[kMsgRead] == 0;
    ASSERT_GT(unread, 0);
    SetNewMessageFlag(1);
    MenuOption = kScreenInbox;
    static std::vector<uint32_t> grab;
    static int16_t opened, folder0Count, unreadBefore, unreadAfter;
    static std::string sender, title, date;
    grab.clear();
    WaitForTable(InboxTable);
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(2);
    GrabInto(&grab);
    testenv::MenuUserDo([] {
        opened = InboxCurrent;
        folder0Count = InboxFolderCounts[0];
        unreadBefore = InboxUnreadCounts[0];
        sender = InboxRowSender(InboxRows - 1);
        title = InboxRowTitle(InboxRows - 1);
        date = InboxRowDate(InboxRows - 1);
    });
    // Left alone for more than 50 timer calls of 8 ticks: read.
    testenv::MenuUserWait(8 * kInboxReadTicks + 40);
    testenv::MenuUserDo([] { unreadAfter = InboxUnreadCounts[0]; });
    ClickBack();
    RunWhile(99);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_EQ(grab.size(), 800u * 600u);
    ASSERT_GT(folder0Count, 0);
    ASSERT_GE(opened, 0);
    EXPECT_FALSE(sender.empty());
    EXPECT_FALSE(title.empty());
    EXPECT_FALSE(date.empty());
    EXPECT_EQ(UserInbox[opened].bytes[kMsgRead], 1);
    EXPECT_EQ(unreadAfter, unreadBefore - 1);
    EXPECT_EQ(GetNewMessageFlag(), 0);
    // The unread labels of the folders that have unread mail.
    for (int k = 0; k < kInboxFolders; ++k) {
        int count = 0;
        for (int16_t slot : InboxFolderLists[k]) count += slot >= 0 && UserInbox[slot].bytes[kMsgRead] == 0;
        EXPECT_EQ(std::string(InboxUnreadLabel(k)), count > 0 ? "(" + std::to_string(count) + ")" : "")
            << "folder " << k;
    }
    EXPECT_GT(testenv::InkInBox(grab, 122, 124, 30, 14), 10);
    // The opened message's row, on the bottom of the page, shows its text.
    EXPECT_GT(testenv::InkInBox(grab, 179, 128 + 20 * (InboxRows - 1), 100, 18), 20);

    // A sacking by the board's weekly review of a prepared club (a settled
    // manager the fans have given up on, out of the board's patience): the
    // day messages lead to the vacancies, which settle him.
    const SeasonCalendarState calendar = SeasonCalendar;
    SeasonCalendar.currentDay = std::max<int16_t>(SeasonCalendar.currentDay, 60);
    SeasonCalendar.weekday = int16_t(g_inboxUser % 7);
    SetPlayerField52(1, 40);
    SetPlayerFans(1, 0);
    SetClubTenure2(g_inboxUser, int16_t(GetClubSupport(g_inboxUser) + 10));
    {
        StdoutCapture quiet;
        BoardWeeklyReview();
        quiet.Text();
    }
    SeasonCalendar = calendar;
    ASSERT_EQ(SackedClubControl, 1);
    ASSERT_EQ(SackedClub, uint16_t(g_inboxUser));
    ASSERT_NE(GetPlayerClub(1), uint16_t(g_inboxUser));
    SetPlayerReputation(1, 63);
    MenuOption = kScreenDayMessages;
    testenv::MenuUserWait(20);
    testenv::MenuUserClickAt(400, 300);  // the sacking's message box
    static int16_t rows, noJob;
    static std::vector<int16_t> shownNations;
    WaitForTable(VacanciesTable);
    testenv::MenuUserDo([] {
        rows = VacancyRowsShown;
        noJob = VacancyNoJob;
        for (int r = 0; r < VacancyRowsShown; ++r)
            shownNations.push_back(int16_t(GetClubNation(VacancyRowClubs[r])));
    });
    ClickBack();
    for (int round = 0; round < 4 && MenuOption != kScreenClubMain && !WinCloseRequested(); ++round)
        DoMainMenuOption();
    SackedClubControl = 0;
    SackedClub = kNoClub;
    // He takes his club back for the screens that follow.
    SetPlayerClub(1, g_inboxUser);
    SetClubControl(g_inboxUser, 1);
    MenuCurrentPlayer = 1;
    EXPECT_EQ(MenuOption, kScreenClubMain);
    if (noJob != 0) {
        EXPECT_EQ(rows, 0);
    }
    for (int16_t nation : shownNations) EXPECT_EQ(nation, HVW_GetViewedCountry());
    EXPECT_LE(rows, kVacancyRows);

    // The board view: the manager's name and the three lines in a grab.
    SelectedClub = uint16_t(g_inboxUser);
    MenuOption = kScreenBoardView;
    grab.clear();
    WaitForTable(BoardViewTable);
    GrabInto(&grab);
    ClickBack();
    RunWhile(106);
    ASSERT_EQ(grab.size(), 800u * 600u);
    EXPECT_GT(testenv::InkInBox(grab, 130, 134, 200, 18), 20);  // the manager
    // The club's own board, as the new game drew it: a band of ten points
    // of support and of generosity each.
    EXPECT_EQ(BoardViewSupportText(), 3024 + GetClubSupport(g_inboxUser) / 10);
    EXPECT_EQ(BoardViewGenerosityText(), 3034 + GetClubGenerosity(g_inboxUser) / 10);
    for (int line = 0; line < 3; ++line) {
        EXPECT_GT(testenv::InkInBox(grab, 300, 349 + 50 * line, 200, 18), 20) << "line " << line;
        EXPECT_GT(testenv::InkInBox(grab, 150, 374 + 50 * line, 500, 18), 20) << "band " << line;
    }
}

// The back buffer's pixel as 0xRRGGBB.
// The same with red and blue in their places, whichever order the buffer keeps.
uint32_t MoneyRgb(int x, int y) {
    FillSolidRect(0, 0, 1, 1, 0xF800);
    const bool swapped = (testenv::BackPixel(0, 0) & 0xFF) > 0x80;
    const uint32_t c = testenv::BackPixel(x, y);
    return swapped ? (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16 : c;
}
bool MoneyReddish(uint32_t c) { return (c >> 16) > 120 && ((c >> 8) & 0xFF) < 60 && (c & 0xFF) < 60; }
bool MoneyTan(uint32_t c) {
    const int r = int(c >> 16), g = int((c >> 8) & 0xFF), b = int(c & 0xFF);
    return r > 100 && g > 70 && g < r && b < 60 && r > b + 60;
}

// Pixels of the plot, row by row.
std::vector<uint32_t> MoneyPlot() {
    std::vector<uint32_t> plot;
    for (int y = kGraphTop; y <= kGraphBottom; ++y)
        for (int x = kGraphLeft; x <= kGraphRight; ++x) plot.push_back(testenv::BackPixel(x, y));
    return plot;
}

// Pixels beside the plot, where the hover writes its value (past the
// graph panel's edge for a long one).
std::vector<uint32_t> BesidePlot() {
    std::vector<uint32_t> pixels;
    for (int y = kGraphTop - 6; y <= kGraphBottom + 6; ++y)
        for (int x = kGraphRight + 1; x < 560; ++x) pixels.push_back(testenv::BackPixel(x, y));
    return pixels;
}

// How a colour stands in the back buffer.
uint32_t MoneyColourPixel(uint16_t colour) {
    FillSolidRect(0, 0, 1, 1, colour);
    return testenv::BackPixel(0, 0);
}

// Fifteen transfer messages fill more than a page: the arrow icons, clicked
// where they stand, move the page to the older messages and back, and the
// rows are filled again from the new offset.
TEST_F(InboxScreenTest, TheArrowsScrollAFolderLongerThanAPage) {
    std::memset(UserInbox, 0xFF, sizeof UserInbox);
    for (int slot = 0; slot < 15; ++slot) {
        MessageRecord& m = UserInbox[slot];
        recbits::StoreU16(m.bytes + kMsgType, kMsgTransferFee);
        recbits::StoreU16(m.bytes + kMsgDay, uint16_t(40 - slot));
        m.bytes[kMsgRead] = 0;
        m.bytes[kMsgAnswered] = 0;
    }
    const int16_t folder = InboxFolderOfType(kMsgTransferFee);
    MenuOption = kScreenInbox;
    static int16_t shownFolder, rows, scroll[3];
    static std::string page[3][kInboxPageRows];
    auto keep = [](int k) {
        return [k] {
            scroll[k] = InboxScroll;
            for (int r = 0; r < kInboxPageRows; ++r) page[k][r] = InboxRowDate(r);
        };
    };
    WaitForTable(InboxTable);
    testenv::MenuUserClickAt(100, 124 + 30 * folder);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        shownFolder = InboxFolder;
        rows = InboxRows;
    });
    testenv::MenuUserDo(keep(0));
    testenv::MenuUserClickAt(780, 104);  // older
    testenv::MenuUserWait(3);
    testenv::MenuUserDo(keep(1));
    for (int i = 0; i < 9; ++i) {
        testenv::MenuUserClickAt(780, 104);
        testenv::MenuUserWait(3);
    }
    testenv::MenuUserClickAt(780, 273);  // newer
    testenv::MenuUserWait(3);
    testenv::MenuUserDo(keep(2));
    ClickBack();
    RunWhile(99);
    ASSERT_EQ(shownFolder, folder);
    ASSERT_EQ(rows, kInboxPageRows);
    EXPECT_EQ(scroll[0], 0);
    EXPECT_EQ(scroll[1], 1);
    EXPECT_EQ(scroll[2], 15 - kInboxPageRows - 1);
    // One step older: every message moves one row down.
    for (int r = 1; r < kInboxPageRows; ++r) EXPECT_EQ(page[1][r], page[0][r - 1]) << "row " << r;
    EXPECT_NE(page[1][0], page[0][0]);
    EXPECT_NE(page[2][kInboxPageRows - 1], page[0][kInboxPageRows - 1]);
}

TEST_F(InboxScreenTest, TheFinancesGraphItsLinesClicksAndViews) {
    const int16_t user = HVW_GetMyClub();
    ASSERT_GE(user, 0);
    MenuOption = kScreenFinance;
    static std::vector<uint32_t> allOn, aOff, grab, beside;
    static uint32_t colours[3];
    static int16_t week0, week51, bottom, boughtCount, soldCount;
    static int64_t boughtSum, soldSum;
    static std::string seasonIncome, weekHeading;
    static bool hovered, wiped;
    static int16_t weekAfterHeldButton = -1;
    // The button still held over the plot from the click that opened the
    // screen picks no week.
    testenv::MenuUserMoveTo(300, 200);
    testenv::MenuUserPress();
    WaitForTable(FinanceTable);
    testenv::MenuUserWait(10);
    testenv::MenuUserRelease();
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { weekAfterHeldButton = FinanceScreen.shownWeek; });
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(3);
    static std::vector<std::string> underArrows;
    testenv::MenuUserDo([] {
        // The transfer panel's scroll arrows cover none of its lines.
        for (const MenuHotItem& arrow : MenuViewHotItems()) {
            if (arrow.handler != Finance_ScrollUp && arrow.handler != Finance_ScrollDown) continue;
            for (const DrawnString& s : testenv::ScreenStrings())
                if (s.x < arrow.x + arrow.w && arrow.x < s.x + s.width && s.y < arrow.y + arrow.h &&
                    arrow.y < s.y + s.height)
                    underArrows.push_back(s.text);
        }
        allOn = MoneyPlot();
        beside = BesidePlot();
        bottom = int16_t(FinanceScreen.graphBottom == 0 ? 0 : FinanceScreen.graphBottom < 0 ? -1 : 1);
        boughtCount = FinanceScreen.boughtCount;
        soldCount = FinanceScreen.soldCount;
        boughtSum = FinanceScreen.boughtSum;
        soldSum = FinanceScreen.soldSum;
    });
    GrabInto(&grab);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 155 && item.y == 339; });
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(4);
    testenv::MenuUserDo([] {
        aOff = MoneyPlot();
        for (int line = 0; line < 3; ++line) colours[line] = MoneyColourPixel(FinanceLineColour(line));
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 155 && item.y == 339; });
    testenv::MenuUserMoveTo(56, 200);
    testenv::MenuUserWait(10);
    testenv::MenuUserPress();
    testenv::MenuUserWait(20);
    testenv::MenuUserRelease();
    testenv::MenuUserWait(10);
    testenv::MenuUserDo([] {
        week0 = FinanceScreen.shownWeek;
        weekHeading = FinanceHeading();
    });
    testenv::MenuUserMoveTo(460, 200);
    testenv::MenuUserWait(10);
    testenv::MenuUserPress();
    testenv::MenuUserWait(20);
    testenv::MenuUserRelease();
    testenv::MenuUserWait(10);
    testenv::MenuUserDo([] {
        week51 = FinanceScreen.shownWeek;
        hovered = MoneyPlot() != allOn;
    });
    // The cross goes with the mouse.
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(20);
    testenv::MenuUserDo([] { wiped = MoneyPlot() == allOn && BesidePlot() == beside; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 60 && item.y == 559; });
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { seasonIncome = FinanceMoneyText(0, 7); });
    ClickBack();
    RunWhile(68);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_NE((300 - kGraphLeft) * 52 / 406, FinanceScreen.currentWeek);  // the held place is another week
    EXPECT_EQ(weekAfterHeldButton, FinanceScreen.currentWeek);
    EXPECT_TRUE(underArrows.empty()) << "under a scroll arrow: " << underArrows.front();
    ASSERT_EQ(grab.size(), 800u * 600u);
    ASSERT_EQ(allOn.size(), aOff.size());

    // All three lines stand in the plot; line A off takes away its pixels
    // and nothing of the others'.
    int counts[3] = {}, changed = 0, changedNotA = 0, othersLost = 0;
    for (size_t i = 0; i < allOn.size(); ++i) {
        for (int line = 0; line < 3; ++line) counts[line] += allOn[i] == colours[line];
        if (allOn[i] != aOff[i]) {
            ++changed;
            changedNotA += allOn[i] != colours[0];
            othersLost += allOn[i] == colours[1] || allOn[i] == colours[2];
        }
    }
    // The grab shows the same three lines and the week's money columns.
    const auto swapRb = [](uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16; };
    for (int line = 0; line < 3; ++line) {
        int inGrab = 0;
        for (int y = kGraphTop; y <= kGraphBottom; ++y) {
            for (int x = kGraphLeft; x <= kGraphRight; ++x) {
                const uint32_t c = grab[size_t(y) * 800 + size_t(x)];
                inGrab += c == colours[line] || c == swapRb(colours[line]);
            }
        }
        EXPECT_EQ(inGrab, counts[line]) << "line " << line;
    }
    EXPECT_GT(testenv::InkInBox(grab, 60, 413, 70, 14), 10);   // income, first line
    EXPECT_GT(testenv::InkInBox(grab, 280, 413, 70, 14), 10);  // expenses
    EXPECT_GT(testenv::InkInBox(grab, 620, 413, 70, 14), 10);  // summary
    EXPECT_GT(counts[0], 50);
    EXPECT_GT(counts[1], 0);
    EXPECT_GT(counts[2], 20);
    EXPECT_GT(changed, 50);
    EXPECT_EQ(changedNotA, 0);
    EXPECT_EQ(othersLost, 0);
    EXPECT_EQ(week0, 0);
    EXPECT_EQ(weekHeading, "Week 0");
    EXPECT_EQ(week51, 51);
    EXPECT_TRUE(hovered);
    EXPECT_TRUE(wiped);
    // The season view's income is the season's totals.
    int64_t income = 0;
    for (int16_t f = 0; f < kFinanceIncomeFields; ++f) income += HVW_GetClubSeasonField(user, f);
    SetDrawParam(3, NUMBER_MONEY);
    EXPECT_EQ(seasonIncome, Number2Str(int32_t(std::clamp<int64_t>(income, INT32_MIN, INT32_MAX))));
    SetDrawParam(3, 0);
    // The club's balance stayed above 0: no zero line below the plot's floor.
    EXPECT_EQ(bottom, 0);
    // The lists are this season's records of the club.
    int bought = 0, sold = 0;
    int64_t boughtFees = 0, soldFees = 0;
    for (const TransferRecord& record : TransferRecords) {
        const uint8_t* r = record.bytes;
        const int16_t seller = int16_t(recbits::LoadU16(r)), buyer = int16_t(recbits::LoadU16(r + 2));
        if (buyer == -1) break;
        const int32_t fee = int32_t(recbits::LoadU32(r + 6));
        if (buyer == user && bought < 30) ++bought, boughtFees += fee;
        if (seller == user && buyer != user && sold < 30) ++sold, soldFees += fee;
    }
    EXPECT_EQ(boughtCount, bought);
    EXPECT_EQ(soldCount, sold);
    EXPECT_EQ(boughtSum, boughtFees);
    EXPECT_EQ(soldSum, soldFees);

    // A balance forecast that goes below 0 draws the dashed zero line.
    const int32_t kept = HVW_GetClubForecastWeek(user, 20);
    recbits::StoreI32(ClubFinanceRecords[user].bytes + 4 * 20, -5'000'000);
    MenuOption = kScreenFinance;
    static int dashes;
    static int zeroY;
    WaitForTable(FinanceTable);
    // Line A (the forecast) could hide the zero line.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 155 && item.y == 339; });
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(4);
    testenv::MenuUserDo([] {
        zeroY = FinanceValueY(0);
        const uint32_t grey = MoneyColourPixel(0xCE59);
        dashes = 0;
        for (int x = kGraphLeft + 1; x < kGraphRight; ++x) dashes += testenv::BackPixel(x, zeroY) == grey;
    });
    ClickBack();
    RunWhile(68);
    recbits::StoreI32(ClubFinanceRecords[user].bytes + 4 * 20, kept);
    EXPECT_LT(zeroY, kGraphBottom);
    EXPECT_GT(dashes, 80);
    EXPECT_LT(dashes, 300);
}

// The season's balance forecast the new game made: with the other two
// lines switched off, line A runs across the plot from the season's start
// balance, and the season view starts from that balance too.
TEST_F(InboxScreenTest, TheForecastLineRunsAcrossTheSeasonFromTheStartBalance) {
    const int16_t user = HVW_GetMyClub();
    ASSERT_GE(user, 0);
    const int32_t start = HVW_GetClubWeekLastBalance(user, 0);
    ASSERT_GT(start, 0);
    static std::vector<uint32_t> grab;
    static uint32_t colourA;
    static int16_t lineOnB, lineOnC;
    static int16_t graphBottomSign;
    static std::string seasonStart;
    grab.clear();
    MenuOption = kScreenFinance;
    WaitForTable(FinanceTable);
    // The switches of lines B and C (a click is found when the scripted
    // user gets to it, so each names its own row; the second comes once the
    // screen has been redrawn after the first).
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 155 && item.y == 339 + 13; });
    testenv::MenuUserWait(10);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 155 && item.y == 339 + 26; });
    testenv::MenuUserWait(3);
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(4);
    testenv::MenuUserDo([] {
        colourA = MoneyColourPixel(FinanceLineColour(0));
        lineOnB = FinanceScreen.lineOn[1];
        lineOnC = FinanceScreen.lineOn[2];
        graphBottomSign = int16_t(FinanceScreen.graphBottom < 0 ? -1 : FinanceScreen.graphBottom > 0 ? 1 : 0);
    });
    GrabInto(&grab);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 60 && item.y == 559; });
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { seasonStart = FinanceMoneyText(2, 3); });
    ClickBack();
    RunWhile(68);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_EQ(grab.size(), 800u * 600u);
    ASSERT_EQ(lineOnB, 0) << "line B switched off";
    ASSERT_EQ(lineOnC, 0) << "line C switched off";

    const auto swapRb = [](uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16; };
    const auto isA = [&](int x, int y) {
        const uint32_t c = grab[size_t(y) * 800 + size_t(x)];
        return c == colourA || c == swapRb(colourA);
    };
    // Line A in every column between week 0 and week 51 (the plot's left
    // edge is drawn over its first point, a line leaves out its last), and
    // off the floor.
    const int first = FinanceWeekX(0) + 1, last = FinanceWeekX(kFinanceWeeks - 1) - 1;
    int columns = 0, aboveFloor = 0;
    for (int x = first; x <= last; ++x) {
        bool in = false;
        for (int y = kGraphTop; y <= kGraphBottom; ++y) {
            if (!isA(x, y)) continue;
            in = true;
            aboveFloor += y < kGraphBottom - 10;
        }
        columns += in;
    }
    EXPECT_EQ(columns, last - first + 1);
    EXPECT_GT(aboveFloor, columns / 2);
    // Week 0 stands at the start balance.
    EXPECT_EQ(HVW_GetClubForecastWeek(user, 0), start);
    EXPECT_EQ(graphBottomSign, 0);
    bool atStart = false;
    for (int dy = -2; dy <= 2; ++dy) atStart |= isA(first, FinanceValueY(start) + dy);
    EXPECT_TRUE(atStart);
    SetDrawParam(3, NUMBER_MONEY);
    EXPECT_EQ(seasonStart, Number2Str(start));
    SetDrawParam(3, 0);
}

TEST_F(InboxScreenTest, TheWeeklySummaryAndTheIncomeForecastByTheController) {
    static std::string gate;
    static int32_t total;
    MenuOption = kScreenWeeklyMoney;
    WaitForTable(WeeklyMoneyTable);
    testenv::MenuUserDo([] { gate = WeeklyMoneyText(1); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 570 && item.y == 436; });
    RunWhile(57);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    const int32_t week0Gate = HVW_GetClubWeekField(HVW_GetMyClub(), 0, 1);
    if (week0Gate == 0) {
        EXPECT_EQ(gate, "-");
    } else {
        EXPECT_NE(gate, "-");
    }

    MenuOption = kScreenIncomeForecast;
    WaitForTable(IncomeForecastTable);
    testenv::MenuUserDo([] { total = IncomeForecastValues[kForecastTotal]; });
    ClickBack();
    RunWhile(96);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    int64_t lines[kForecastLines];
    IncomeForecast_Compute(HVW_GetMyClub(), lines);
    EXPECT_EQ(total, int32_t(std::clamp<int64_t>(lines[kForecastTotal], INT32_MIN, INT32_MAX)));
    EXPECT_GT(total, 0);
}

// A table holding the twin charts, its block filled by its screen function.
bool g_twinEmpty = false;
void TwinTestFill() {
    TwinChartData = {};
    if (!g_twinEmpty) {
        TwinChartData.rows = 3;
        TwinChartData.rightMax = 40;
        TwinChartData.leftMax = 10;
        const int16_t rightFirst[3] = {20, 40, 0}, rightSecond[3] = {10, 0, 40};
        const int16_t leftFirst[3] = {5, 2, 0}, leftSecond[3] = {10, 2, 10};
        for (int i = 0; i < 3; ++i) {
            TwinChartData.rightFirst[i] = rightFirst[i];
            TwinChartData.rightSecond[i] = rightSecond[i];
            TwinChartData.leftFirst[i] = leftFirst[i];
            TwinChartData.leftSecond[i] = leftSecond[i];
        }
    } else {
        TwinChartData.rows = 3;
    }
    const int16_t legend[4] = {1019, 1020, 1021, 598};
    for (int i = 0; i < 4; ++i) MenuScreenBuffers.rowTextIds[i] = legend[i];
}
const MenuItem kTwinTestTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(TwinTestFill), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TwinChartTable, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), MenuHandler_Close},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(InboxScreenTest, TwinChartsInATableWithFilledAndEmptyBlocks) {
    static std::vector<uint32_t> grab;
    static bool red[8], tan[8];
    static uint32_t axisPixel, axisGrey;
    for (bool empty : {false, true}) {
        g_twinEmpty = empty;
        grab.clear();
        WaitForTable(kTwinTestTable);
        testenv::MenuUserMoveTo(790, 590);
        testenv::MenuUserWait(3);
        GrabInto(&grab);
        testenv::MenuUserDo([] {
            // Right chart, row 0: first bar (20 of 40: 94 long) and second
            // (10 of 40: 47 long); left chart, row 0: 5 of 10 first, the
            // rest of the total 10 second; row 2 all second.
            tan[0] = MoneyTan(MoneyRgb(450, 95));
            tan[1] = MoneyTan(MoneyRgb(520, 95));
            red[0] = MoneyReddish(MoneyRgb(430, 85));
            red[1] = MoneyReddish(MoneyRgb(470, 85));
            tan[2] = MoneyTan(MoneyRgb(250, 95));
            red[2] = MoneyReddish(MoneyRgb(350, 95));
            red[3] = MoneyReddish(MoneyRgb(250, 135));
            red[4] = MoneyReddish(MoneyRgb(207, 397));  // legend squares
            tan[3] = MoneyTan(MoneyRgb(207, 411));
            axisGrey = MoneyColourPixel(kTwinChartAxisColour);
            axisPixel = testenv::BackPixel(300, 140);
        });
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        RunMenuSet(kTwinTestTable);
        ASSERT_EQ(grab.size(), 800u * 600u);
        EXPECT_EQ(axisPixel, axisGrey);
        EXPECT_TRUE(red[4]);
        EXPECT_TRUE(tan[3]);
        if (!empty) {
            EXPECT_TRUE(tan[0]);
            EXPECT_FALSE(tan[1]);
            EXPECT_TRUE(red[0]);
            EXPECT_FALSE(red[1]);
            EXPECT_TRUE(tan[2]);
            EXPECT_TRUE(red[2]);
            EXPECT_TRUE(red[3]);
        } else {
            EXPECT_FALSE(tan[0] || tan[2] || red[0] || red[2] || red[3]);
        }
    }
}

}  // namespace
