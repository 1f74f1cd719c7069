// The menu engine over a shared new-game world with the user managing the
// first club of country 0's second division: set-up and tear-down, grabs,
// the controller run over chosen screens, and the item matchers the
// scripted user's steps use.  Each fixture starts from the new game of its seed.
#pragma once
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/start/startmenu.h"
#include "tests/game/screens/club/staff_records.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

class UserClubScreenTest : public MenuEngineTest {
  protected:
    // Skips the test without a world; ready() is false then, and without a
    // display.
    void SetUpWorld(testenv::SharedNewWorld& world, uint32_t seed) {
        testenv::StartFromNewWorld(world, seed);
        if (!world.ready) GTEST_FAIL() << world.error;
        world_ = &world;
        MenuEngineTest::SetUp();
        if (!started_) return;
        BuildNameTables();
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SelectedClub = uint16_t(user_);
        MenuCurrentPlayer = 1;
        stafftest::ClearStaff();
        CurrentStaffRecord = nullptr;
        UpdateScreenHistory(0, 0, 3);
    }
    bool ready() const { return world_ != nullptr && world_->ready && started_; }
    void TearDown() override {
        if (ready()) {
            stafftest::ClearStaff();
            CurrentStaffRecord = nullptr;
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    static void Grab(std::vector<uint32_t>* grab) {
        testenv::MenuUserMoveTo(790, 590);
        testenv::MenuUserWait(3);
        testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([grab] { *grab = testenv::NewestGrabPixels(); });
    }
    // Runs the controller while the screens under test are shown.
    static void RunScreens(std::initializer_list<int16_t> screens) {
        int rounds = 0;
        while (!WinCloseRequested() && ++rounds < 12 &&
               std::find(screens.begin(), screens.end(), MenuOption) != screens.end())
            DoMainMenuOption();
    }
    static auto TableUp(const MenuItem* table) {
        return [table] { return testenv::MenuTableUp(table); };
    }
    static bool ItemAt(const MenuHotItem& item, int x, int y) { return item.x == x && item.y == y; }

    int16_t user_ = -1;
    testenv::SharedNewWorld* world_ = nullptr;
};
