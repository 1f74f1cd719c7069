// The new game the screen tests share: put back from its kept copy after
// another test changed the game, it is the new game made afresh, in every
// saved block, the tables beside them and the generator, and it plays on
// alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/club/transfercompletion.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::keptgame::Copy;

// Where two copies first differ: "saved block 39 at byte 1234", "table 3
// beside the saved blocks at byte 0", "the generator"; "" when alike.
std::string FirstDifference(const Copy& a, const Copy& b) {
    for (size_t i = 0; i < a.blocks.size() && i < b.blocks.size(); ++i) {
        if (a.blocks[i] == b.blocks[i]) continue;
        size_t at = 0;
        while (at < a.blocks[i].size() && at < b.blocks[i].size() && a.blocks[i][at] == b.blocks[i][at]) ++at;
        const std::string where =
            int(i) < kSaveGameBlockCount
                ? "saved block " + std::to_string(i)
                : "table " + std::to_string(int(i) - kSaveGameBlockCount) + " beside the saved blocks";
        return where + " at byte " + std::to_string(at);
    }
    if (a.blocks.size() != b.blocks.size()) return "the number of blocks";
    if (a.random != b.random) return "the generator";
    return "";
}

uint64_t BytesHash(const void* bytes, size_t size) {
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ static_cast<const uint8_t*>(bytes)[i]) * 1099511628211ull;
    return hash;
}

// After each of the days played, a hash of every saved block and the
// generator's state.
std::vector<std::vector<uint64_t>> PlayDays(int days) {
    std::vector<std::vector<uint64_t>> hashes;
    StdoutCapture quiet;
    for (int day = 0; day < days; ++day) {
        HVW_AdvanceDay();
        std::vector<uint64_t>& today = hashes.emplace_back();
        for (int i = 0; i < kSaveGameBlockCount; ++i)
            today.push_back(BytesHash(SaveGameDescriptors[i].address, SaveGameDescriptors[i].size));
        today.push_back(GameRandomState());
    }
    quiet.Text();
    return hashes;
}

class KeptNewGameTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        const std::string error = testenv::KeptNewGame(testenv::kScreenWorldSeed);
        if (!error.empty()) GTEST_FAIL() << error;
        MenuEngineTest::SetUp();
    }

    // What another test does to the game: the user takes a club, buys a
    // player, plays days and runs the club screen.
    static void ChangeTheGame() {
        const int16_t user = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user);
        SetClubControl(user, 1);
        SelectedClub = uint16_t(user);
        HVW_SetViewedCountry(0);
        uint16_t bought = 2;
        while (bought < PlayerCount &&
               (GetPlayerClub(bought) == uint16_t(user) || GetPlayerClub(bought) >= kClubCount ||
                GetPlayerHalvorn(bought) != 0 || GetPlayerPosition(bought) == 13))
            ++bought;
        ASSERT_LT(bought, PlayerCount);
        CompleteTransfer(bought, user, 250000, 0);
        ASSERT_EQ(GetPlayerClub(bought), uint16_t(user));
        PlayDays(3);
        // The club screen, left through the new-mail icon.
        testenv::MenuUserWaitFor(
            [] {
                return MenuOption == kScreenClubMain && MenuViewTopTable() == ClubMainTable &&
                       !MenuViewHotItems().empty() && ScreenPresented == 1;
            },
            3000);
        testenv::MenuUserWait(5);
        testenv::MenuUserDo([] { SetNewMessageFlag(1); });
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 227 && item.y == 288; });
        MenuOption = kScreenClubMain;
        int rounds = 0;
        while (MenuOption == kScreenClubMain && !WinCloseRequested() && ++rounds < 5) DoMainMenuOption();
        EXPECT_NE(MenuOption, kScreenClubMain) << "the club screen was left";
    }
};

TEST_F(KeptNewGameTest, PutBackAfterAnotherTestItIsTheNewGameMadeAfreshAndPlaysOnAlike) {
    ChangeTheGame();
    const int16_t changedDay = SeasonCalendar.currentDay;

    Copy fresh, back;
    {
        StdoutCapture quiet;
        ASSERT_EQ(testenv::keptgame::MakeFresh(testenv::kScreenWorldSeed), "");
        quiet.Text();
    }
    testenv::keptgame::Take(fresh);
    ASSERT_NE(SeasonCalendar.currentDay, changedDay);
    const auto freshDays = PlayDays(3);

    ASSERT_EQ(testenv::KeptNewGame(testenv::kScreenWorldSeed), "");
    testenv::keptgame::Take(back);
    EXPECT_EQ(FirstDifference(fresh, back), "");
    const auto backDays = PlayDays(3);
    for (size_t day = 0; day < freshDays.size(); ++day) {
        for (size_t block = 0; block < freshDays[day].size(); ++block) {
            if (freshDays[day][block] == backDays[day][block]) continue;
            ADD_FAILURE() << "day " << day + 1 << ": "
                          << (int(block) < kSaveGameBlockCount ? "saved block " + std::to_string(block)
                                                               : std::string("the generator"));
            break;
        }
    }
}

}  // namespace
