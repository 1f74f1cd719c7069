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

#include "database/Access.h"
#include "database/frontstate.h"
#include "database/hvw/dataconv.h"
#include "database/query/funcs_clubscreens.h"
#include "database/query/funcs_comp.h"
#include "database/query/funcs_forward.h"
#include "database/query/funcs_people.h"
#include "database/query/funcs_state.h"
#include "database/text.h"
#include "generic/replay.h"
#include "management/transferprices.h"
#include "menus/clubmain.h"
#include "menus/exm_text.h"
#include "menus/exmenu.h"
#include "menus/matchday.h"
#include "menus/menuboxes.h"
#include "menus/menucont.h"
#include "menus/menusetup.h"
#include "menus/startmenu.h"
#include "season/calendar.h"
#include "season/fixtures.h"
#include "season/leagues.h"
#include "support/bytes.h"
#include "support/mem_win.h"
#include "support/picture.h"
#include "support/random.h"
#include "tests/menus/engine_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

// The new game is played once for the whole executable.
bool g_clubMainWorldReady = false;
std::string g_clubMainWorldError;
std::vector<Fixture> g_clubMainFixtures;
SeasonCalendarState g_clubMainCalendar;

void ClubMainNewWorld() {
    if (g_clubMainWorldReady || !g_clubMainWorldError.empty()) return;
    char here[4096];
    if (getcwd(here, sizeof here) == nullptr || chdir(HALVORN_GAME_DIR) != 0) {
        g_clubMainWorldError = "no game folder";
        return;
    }
    if (!std::filesystem::exists("stats/totstat.dat")) {
        g_clubMainWorldError = "no game data";
    } else {
        ClearTotStatTables();
        std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
        GameSeedRandom(2002);
        NewGameSetUp();
        g_clubMainFixtures.assign(std::begin(FixtureTable), std::end(FixtureTable));
        g_clubMainCalendar = SeasonCalendar;
        g_clubMainWorldReady = true;
    }
    if (chdir(here) != 0) g_clubMainWorldError = "cannot return to the test folder";
}

bool ClubMainItemAt(const MenuHotItem& item, int x, int y) { return item.x == x && item.y == y; }

auto ClubMainUp() {
    return [] {
        return MenuOption == 3 && MenuViewTopTable() == ClubMainTable && !MenuViewHotItems().empty() &&
               ScreenPresented == 1;
    };
}

class ClubMainTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        ClubMainNewWorld();
        if (!g_clubMainWorldReady) GTEST_SKIP() << g_clubMainWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
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
        HVW_SetViewedCountry(0);
        std::memset(ClubBids, 0, sizeof ClubBids);
        PendingDeal_ClearAll();
        MatchDayFlags = 0;
        ContinueMode = -7;
        MenuOption = 3;
        ScreenPresented = 0;
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
        while (MenuOption == 3 && !WinCloseRequested() && ++rounds < 5) DoMainMenuOption();
    }

    int16_t user_ = -1;
};

// Pixels of the newest grab, 800 x 600, as 0xRRGGBB.
std::vector<uint32_t> ClubMainNewestGrab() {
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

uint32_t ClubMainBackPixel(int x, int y) {
    const std::vector<uint8_t> p = MenuEngineTest::BackRect(x, y, 1, 1);
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

TEST_F(ClubMainTest, EntryOpensTheUsersDivisionOnItsFirstClubByNameAndGrabs) {
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
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    MenuUserWait(3);
    static int textPixels, matching;
    MenuUserDo([this] {
        grab = ClubMainNewestGrab();
        ASSERT_EQ(grab.size(), 800u * 600u);
        // The club name: every pixel that the same text paints over the
        // plain background is the grab's pixel there.
        ShowMenuBackground(4);
        std::vector<uint32_t> background(800 * 600);
        for (int y = 40; y < 85; ++y)
            for (int x = 55; x < 300; ++x) background[y * 800 + x] = ClubMainBackPixel(x, y);
        SetFont(1014);
        SetDrawParam(1, 15);
        DrawTextNoAt(60, 62, HVW_ClubTextId(user_), JUSTIFY_LEFT_MIDDLE);
        // The letters' own colour: the commonest colour the text changed;
        // their blended edges depend on what lies beneath.
        std::vector<uint32_t> changed;
        for (int y = 40; y < 85; ++y)
            for (int x = 55; x < 300; ++x)
                if (ClubMainBackPixel(x, y) != background[y * 800 + x])
                    changed.push_back(ClubMainBackPixel(x, y));
        std::sort(changed.begin(), changed.end());
        uint32_t letters = 0;
        size_t best = 0;
        for (size_t i = 0; i < changed.size();) {
            size_t j = i;
            while (j < changed.size() && changed[j] == changed[i]) ++j;
            if (j - i > best) best = j - i, letters = changed[i];
            i = j;
        }
        textPixels = matching = 0;
        for (int y = 40; y < 85; ++y) {
            for (int x = 55; x < 300; ++x) {
                if (ClubMainBackPixel(x, y) != letters || background[y * 800 + x] == letters) continue;
                ++textPixels;
                matching += grab[y * 800 + x] == letters ? 1 : 0;
            }
        }
    });
    testenv::MenuUserClose();
    RunScreen();
    ASSERT_EQ(grab.size(), 800u * 600u);
    EXPECT_GT(textPixels, 50);
    EXPECT_EQ(matching, textPixels);
    // The Continue button's face: dark edge then the full 0x5AD4.
    EXPECT_EQ(grab[569 * 800 + 400], 0x7B4343u);
    EXPECT_EQ(grab[569 * 800 + 403], 0xA55A5Au);
}

}  // namespace
