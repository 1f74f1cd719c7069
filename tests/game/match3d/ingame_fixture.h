// The in-match menus over a match of two generated sides (no 3D display
// around the visits), with the scripted user's helpers for their screens.
#pragma once
#include <gtest/gtest.h>

#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/videochoice.h"
#include "tests/core/match/scenario.h"
#include "tests/game/screens/engine_fixture.h"

class InGameScreenTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        CommittedVideoChoice.Device = -1;  // no 3D display around the visits
        scenario::FillTwoClubs(77);
        MatchHooks = MatchDisplayHooks{};
        DisplayModeFlags = kDisplayOff;
        Match3D_PrepareData();
        MatchResetEngineState();
        Goals[0] = Goals[1] = 0;
        ShootOutGoals[0] = ShootOutGoals[1] = 0;
        Period = 0;
        Match_SetupPeriod();
        MatchSubsUsed[0] = MatchSubsUsed[1] = 0;
        ChangePending[0] = ChangePending[1] = 0;
        InGameMenuId = kIgLeaveMenus;
    }
    void TearDown() override {
        if (started_) Match3D_FreeData();
        CommittedVideoChoice = VideoChoice{};
        MenuEngineTest::TearDown();
    }
    // A visit as a shown match makes it: the menus released before (the
    // match runs without them) and started again after.
    static void RunVisit(void (*request)()) {
        ReleaseMenuBuffers();
        request();
        StdoutCapture quiet;
        RestartMenus();
        quiet.Text();
    }
    // Holds the script until the screen (any when null) is up and shown:
    // the first screen after the menus start is wiped in.
    static void WaitForScreen(const MenuItem* table) {
        testenv::MenuUserWaitFor([table] {
            return InGameMenuActive == 1 && ScreenPresented == 1 && !MenuViewHotItems().empty() &&
                   (table == nullptr || MenuViewTopTable() == table);
        });
    }
    // The scripted user clicks the first item with the handler.
    static void ClickHandler(MenuHandler handler) {
        testenv::MenuUserClickItem([handler](const MenuHotItem& item) { return item.handler == handler; });
    }
};
