// What the scripted user clicks on the in-match menus: a side's button on
// the bar and a row of its pop-up, the rows of the team screen's list and
// bench, the answer to the substitution question and the bar's back icon.
#pragma once
#include <functional>
#include <string>

#include "game/match3d/igmcont.h"
#include "game/match3d/igscreens.h"
#include "game/match3d/matchquery.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "tests/fakes/menu_user.h"

namespace testenv {

// The in-match screen of the table is up, drawn and clickable.
inline bool IgScreenUp(const MenuItem* table) {
    return InGameMenuActive == 1 && ScreenPresented == 1 && !MenuViewHotItems().empty() &&
           MenuViewTopTable() == table;
}

// Holds the script until the screen is up; onTimeout after 3000 frames.
inline void IgWaitFor(const MenuItem* table, std::function<void()> onTimeout) {
    MenuUserWaitFor([table] { return IgScreenUp(table); }, 3000, std::move(onTimeout));
}

// The bar's button of the side (0 or 1) and a row of its pop-up: 0 the
// team screen, 1 the players' statistics.
inline void IgClickSideButtonRow(int side, int row) {
    const int x = side == 0 ? 60 : 512;
    MenuUserClickItem([x](const MenuHotItem& item) { return item.x == x && item.y >= 550; });
    MenuUserWait(15);
    MenuUserClickPopupRow(row);
}

// Row n of the team screen's list (line-up entries 0..10) and of its bench.
inline std::function<bool(const MenuHotItem&)> IgListRow(int row) {
    return
        [row](const MenuHotItem& item) { return item.x == 40 && item.w == 280 && item.y == 110 + 22 * row; };
}
inline std::function<bool(const MenuHotItem&)> IgBenchRow(int row) {
    return
        [row](const MenuHotItem& item) { return item.x == 40 && item.w == 280 && item.y == 360 + 22 * row; };
}

// Yes to the substitution question once its box is up (its buttons are
// placed when it opens); then() queues the next steps right behind the
// click, before anything else the script holds.  onTimeout when no box
// opens.
inline void IgConfirmSubstitution(std::function<void()> onTimeout, std::function<void()> then) {
    MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 300,
                    std::move(onTimeout));
    MenuUserWait(5);
    MenuUserDo([then = std::move(then)] {
        MenuUserClickAt(YesNoButtons[0].left + 4, YesNoButtons[0].top + 4);
        MenuUserWait(20);
        then();
    });
}

// The bar's back icon.
inline void IgLeave() {
    MenuUserClickItem([](const MenuHotItem& item) { return item.handler == IgButtonBar_Back; });
    MenuUserWait(5);
}

// The player of the side's line-up entry holds one of the four roles.
inline bool IgEntryHasRole(int side, int entry) {
    const int16_t slot = GetMatchSideSlot(int16_t(side), int16_t(entry));
    return MatchIsCaptain(int16_t(side), slot) != 0 || MatchIsCornerTaker(int16_t(side), slot) != 0 ||
           MatchIsPenaltyTaker(int16_t(side), slot) != 0 || MatchIsFreeKickTaker(int16_t(side), slot) != 0;
}

}  // namespace testenv
