// A scripted user for the day loop: once started it watches every frame
// what the day offers and clicks it, as a player who wants the day over
// would: a message box away, the team-news panel's bar, the result board's
// continue icon and the day's results list's leave icon.  It counts what it
// clicked, so a test can tell which screens the day went through.
#pragma once
#include <algorithm>
#include <functional>

#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/league/historybrowser.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/resultboard.h"
#include "tests/fakes/menu_user.h"

namespace testenv {

struct DayUserCounts {
    int boxes = 0;
    int panelClicks = 0;
    int watchClicks = 0;
    int resultBoards = 0;
    int resultsLists = 0;
};

inline bool& DayUserRunning() {
    static bool running = false;
    return running;
}

inline DayUserCounts& DayUserSeen() {
    static DayUserCounts counts;
    return counts;
}

// Called on every step of the day user: tests hook checks in here.
inline std::function<void()>& DayUserWatch() {
    static std::function<void()> watch;
    return watch;
}

// Asked first on every step: true when it queued what the user does on the
// screen up now (the club screen, the save screen), so the day user waits.
inline std::function<bool()>& DayUserScreen() {
    static std::function<bool()> screen;
    return screen;
}

inline void DayUserStep();

// True when it queued the way back to the club from a screen with the title
// bar that has stood untouched for a while.
inline bool DayUserLeaveTitledScreen() {
    constexpr int kStepsBeforeLeaving = 20;
    static const MenuItem* standing = nullptr;
    static int steps = 0;
    const MenuItem* top = MenuViewTopTable();
    if (top == nullptr || top == ClubMainTable || ScreenPresented != 1 || MenuOption == kScreenClubMain) {
        standing = nullptr;
        return false;
    }
    const auto& items = MenuViewHotItems();
    const bool titled = std::any_of(items.begin(), items.end(), [](const MenuHotItem& item) {
        return item.popup != nullptr && item.x == 171;
    });
    if (!titled) {
        standing = nullptr;
        return false;
    }
    steps = top == standing ? steps + 1 : 0;
    standing = top;
    if (steps < kStepsBeforeLeaving) return false;
    standing = nullptr;
    MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    MenuUserWait(15);
    MenuUserClickPopupRow(0);  // the club screen
    return true;
}

inline void DayUserAgain(int frames) {
    MenuUserWait(frames);
    MenuUserDo(DayUserStep);
}

inline void DayUserStep() {
    if (!DayUserRunning()) return;
    if (DayUserWatch()) DayUserWatch()();
    DayUserCounts& seen = DayUserSeen();
    if (ScreenSection[MODAL_BOX_SECTION].pixels == nullptr && DayUserScreen() && DayUserScreen()()) {
        DayUserAgain(3);
        return;
    }
    if (ScreenSection[MODAL_BOX_SECTION].pixels != nullptr) {
        ++seen.boxes;
        MenuUserClickAt(400, 300);
        DayUserAgain(3);
        return;
    }
    if (testenv::MenuTableUp(ResultBoardTable)) {
        ++seen.resultBoards;
        MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        DayUserAgain(3);
        return;
    }
    if (testenv::MenuTableUp(HistoryBrowserTable)) {
        ++seen.resultsLists;
        MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        DayUserAgain(3);
        return;
    }
    // A screen the day messages opened that the game has only in its least
    // form: back to the club.
    if (testenv::MenuTableUp(PlainScreenTable)) {
        MenuUserClickItem([](const MenuHotItem& item) { return item.popup == nullptr && item.y > 500; });
        DayUserAgain(3);
        return;
    }
    // Any other screen with the title bar that the day messages opened (a
    // bid, talks, a loan, the inbox) and the test leaves alone: once it has
    // stood for a while, back to the club by the title bar's club list.
    if (DayUserLeaveTitledScreen()) {
        DayUserAgain(3);
        return;
    }
    // The panel's regions answer only while the day runs its panel, with no
    // screen up: those of a panel left from an earlier day are stale.
    const auto regions = MatchDayViewRegions();
    if (!regions.empty() && MenuViewTopTable() == nullptr) {
        const HotRegion& bar = regions.front();
        (bar.result == 9 ? seen.watchClicks : seen.panelClicks) += 1;
        MenuUserClickAt(bar.x + bar.w / 2, bar.y + bar.h / 2);
        DayUserAgain(3);
        return;
    }
    DayUserAgain(1);
}

inline void DayUserStart() {
    DayUserRunning() = true;
    DayUserSeen() = DayUserCounts{};
    MenuUserDo(DayUserStep);
}

inline void DayUserStop() { DayUserRunning() = false; }

}  // namespace testenv
