// The inbox, the vacancies and the board view run by the controller over
// one new game played on for a month (a week in the short form): the
// folders with their unread labels in a grab, the read timer left to run,
// a sacking leading to the vacancies, and the board view's grab.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "database/Access.h"
#include "database/frontstate.h"
#include "database/hvw/dataconv.h"
#include "database/query/funcs_clubscreens.h"
#include "database/query/funcs_forward.h"
#include "database/query/funcs_state.h"
#include "management/board.h"
#include "menus/boardview.h"
#include "menus/inbox.h"
#include "menus/menucont.h"
#include "menus/screentables.h"
#include "menus/vacancies.h"
#include "season/calendar.h"
#include "season/leagues.h"
#include "season/messages.h"
#include "season/newgame.h"
#include "support/gfx.h"
#include "support/mem_win.h"
#include "support/picture.h"
#include "support/random.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/menus/engine_fixture.h"

namespace {

bool g_inboxWorldReady = false;
std::string g_inboxWorldError;
int16_t g_inboxUser = -1;

void InboxNewWorld() {
    if (g_inboxWorldReady || !g_inboxWorldError.empty()) return;
    char here[4096];
    if (getcwd(here, sizeof here) == nullptr || chdir(HALVORN_GAME_DIR) != 0) {
        g_inboxWorldError = "no game folder";
        return;
    }
    if (!std::filesystem::exists("stats/totstat.dat")) {
        g_inboxWorldError = "no game data";
    } else {
        ClearTotStatTables();
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        GameSeedRandom(78);
        NewGameSetUp();
        g_inboxUser = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, g_inboxUser);
        SetClubControl(g_inboxUser, 1);
        HVW_SetViewedCountry(int16_t(GetClubNation(g_inboxUser)));
        const int days = ShortTestRun() ? 7 : 30;
        StdoutCapture quiet;
        for (int day = 0; day < days; ++day) HVW_AdvanceDay();
        quiet.Text();
        g_inboxWorldReady = true;
    }
    if (chdir(here) != 0) g_inboxWorldError = "cannot return to the test folder";
}

// The newest grab's pixels, 800 x 600, as 0xRRGGBB.
std::vector<uint32_t> InboxNewestGrab() {
    char name[32], last[32] = "";
    for (int n = 1; n < 10000; ++n) {
        std::snprintf(name, sizeof name, "grab%04d.tga", n);
        if (!std::filesystem::exists(name)) break;
        std::snprintf(last, sizeof last, "%s", name);
    }
    std::vector<uint32_t> pixels;
    if (last[0] == '\0') return pixels;
    const std::vector<uint8_t> bytes = testenv::ReadHostFile(last);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(bytes.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, bytes.data(), bytes.size());
    uint32_t size = uint32_t(bytes.size());
    if (LoadImageFile(&block, &size, 0, &ColFmt_B8G8R8) == 0) {
        const uint8_t* p = block + GFX0_HEADER_SIZE;
        for (int i = 0; i < 800 * 600; ++i)
            pixels.push_back(uint32_t(p[i * 3 + 2]) << 16 | p[i * 3 + 1] << 8 | p[i * 3]);
    }
    FreeMemory(&block);
    return pixels;
}

// Pixels of a box that differ from its most common colour: text drawn there.
int InboxInkInBox(const std::vector<uint32_t>& grab, int x, int y, int w, int h) {
    std::vector<uint32_t> box;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) box.push_back(grab[size_t(row) * 800 + size_t(col)]);
    std::vector<uint32_t> sorted = box;
    std::sort(sorted.begin(), sorted.end());
    uint32_t common = 0;
    size_t best = 0;
    for (size_t i = 0; i < sorted.size();) {
        size_t j = i;
        while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
        if (j - i > best) best = j - i, common = sorted[i];
        i = j;
    }
    return int(std::count_if(box.begin(), box.end(), [common](uint32_t c) { return c != common; }));
}

class InboxScreenTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        InboxNewWorld();
        if (!g_inboxWorldReady) GTEST_SKIP() << g_inboxWorldError;
        MenuEngineTest::SetUp();
        MenuCurrentPlayer = 1;
    }
    static void RunWhile(int16_t id) {
        int rounds = 0;
        while (MenuOption == id && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    }
    static void WaitForTable(const MenuItem* table) {
        testenv::MenuUserWaitFor(
            [table] {
                return MenuViewTopTable() == table && !MenuViewHotItems().empty() && ScreenPresented == 1;
            },
            3000);
        testenv::MenuUserWait(3);
    }
    static void GrabInto(std::vector<uint32_t>* grab) {
        testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([grab] { *grab = InboxNewestGrab(); });
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
    MenuOption = 99;
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
    EXPECT_EQ(MenuOption, 3);
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
    EXPECT_GT(InboxInkInBox(grab, 122, 124, 30, 14), 10);
    // The opened message's row, on the bottom of the page, shows its text.
    EXPECT_GT(InboxInkInBox(grab, 179, 128 + 20 * (InboxRows - 1), 100, 18), 20);

    // A sacking: the day messages lead to the vacancies, which settle him.
    SackedClubControl = 1;
    SetPlayerReputation(1, 63);
    MenuOption = 56;
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
    for (int round = 0; round < 4 && MenuOption != 3 && !WinCloseRequested(); ++round) DoMainMenuOption();
    SackedClubControl = 0;
    EXPECT_EQ(MenuOption, 3);
    if (noJob != 0) {
        EXPECT_EQ(rows, 0);
    }
    for (int16_t nation : shownNations) EXPECT_EQ(nation, HVW_GetViewedCountry());
    EXPECT_LE(rows, kVacancyRows);

    // The board view: the manager's name and the three lines in a grab.
    SelectedClub = uint16_t(g_inboxUser);
    MenuOption = 106;
    grab.clear();
    WaitForTable(BoardViewTable);
    GrabInto(&grab);
    ClickBack();
    RunWhile(106);
    ASSERT_EQ(grab.size(), 800u * 600u);
    EXPECT_GT(InboxInkInBox(grab, 130, 134, 200, 18), 20);  // the manager
    for (int line = 0; line < 3; ++line) {
        EXPECT_GT(InboxInkInBox(grab, 300, 349 + 50 * line, 200, 18), 20) << "line " << line;
        EXPECT_GT(InboxInkInBox(grab, 150, 374 + 50 * line, 500, 18), 20) << "band " << line;
    }
}

}  // namespace
