// What the scripted user clicks on the in-match menus: a side's button on
// the bar and a row of its pop-up, the rows of the team screen's list and
// bench, the answer to the substitution question and the bar's back icon;
// a hurt player replaced or a sent-off player's roles given to another
// where the menus keep the user for them.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/match/matchfigure.h"
#include "core/match/matchsetup.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/teammenu.h"
#include "game/match3d/teamstatsmenu.h"
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

// On the open team screen: the bench row's player for the list row's,
// confirmed in the box, then the next steps.
inline void IgSubstituteOnTeamScreen(int benchRow, int listRow, std::function<void()> onTimeout,
                                     std::function<void()> then) {
    MenuUserClickItem(IgBenchRow(benchRow));
    MenuUserWait(20);
    MenuUserClickItem(IgListRow(listRow));
    IgConfirmSubstitution(std::move(onTimeout), std::move(then));
}

// The bar's back icon.
inline void IgLeave() {
    MenuUserClickItem([](const MenuHotItem& item) { return item.handler == IgButtonBar_Back; });
    MenuUserWait(5);
}

// The bench rows of the side whose players may still come on.
inline std::vector<int> IgFreeBenchRows(int side) {
    std::vector<int> rows;
    for (int row = 0; row < kIgBenchRows; ++row)
        if (MatchIsSubstituteAvailable(int16_t(side),
                                       GetMatchSideSlot(int16_t(side), int16_t(kIgListRows + row))) != 0)
            rows.push_back(row);
    return rows;
}

// A player of the side to be replaced: hurt on the pitch, or gone off it
// hurt in a foul (neither substituted nor sent off).
inline bool IgIsHurtPlayer(int16_t team, int16_t slot) {
    if (MatchIsPlayerHurt(team, slot) != 0) return true;
    const MatchFigure* f = MatchGetFigure(team, slot);
    return f != nullptr && MatchIsPlayerOnPitch(team, slot) == 0 && MatchIsPlayerInjured(team, slot) != 0 &&
           f->subbedOff == 0 && f->sentOff == 0;
}

// The menus let the user go only once a hurt player of his side is
// replaced while substitutions are left (and a keeper who went off hurt
// leaves the side without one).  At the engine's visit: the first free
// substitute brought on for the first hurt player from the team screen,
// then back to the match.  False, with nothing queued, when there is no
// visit of his side, nobody hurt or nobody to bring on; onTimeout (what)
// when a screen or the question does not open.
inline bool IgReplaceHurtPlayer(int side, std::function<void(const char*)> onTimeout) {
    const int16_t team = int16_t(side);
    if (InGameMenuActive != 1 || InGameMenuArgGiven == 0 || !MatchTeamHuman(&GameInfo, team)) return false;
    int hurt = -1;
    for (int row = 0; row < kIgListRows && hurt < 0; ++row)
        if (IgIsHurtPlayer(team, GetMatchSideSlot(team, int16_t(row)))) hurt = row;
    const std::vector<int> bench = IgFreeBenchRows(side);
    if (hurt < 0 || bench.empty()) return false;
    IgClickSideButtonRow(side, 0);
    IgWaitFor(IgTeamTable, [onTimeout] { onTimeout("the team screen for a hurt player"); });
    IgSubstituteOnTeamScreen(
        bench.front(), hurt, [onTimeout] { onTimeout("the substitution of a hurt player"); }, IgLeave);
    return true;
}

// The role rows under the bench: the captain and the corner taker on the
// left, the penalty and the free-kick takers on the right.
inline std::function<bool(const MenuHotItem&)> IgRoleRow(int role) {
    const int x = role < 2 ? 40 : 275, y = 360 + 22 * kIgBenchRows + 6 + 22 * (role % 2);
    return [x, y](const MenuHotItem& item) { return item.x == x && item.w == 225 && item.y == y; };
}

// Whether a player of the side's eleven on the pitch holds the role (0
// captain, 1 corner, 2 penalty, 3 free-kick taker).
inline bool IgRoleHeldOnPitch(int side, int role) {
    const int16_t team = int16_t(side);
    for (int row = 0; row < kIgListRows; ++row) {
        const int16_t slot = GetMatchSideSlot(team, int16_t(row));
        if (MatchIsPlayerOnPitch(team, slot) == 0) continue;
        const int16_t held = role == 0   ? MatchIsCaptain(team, slot)
                             : role == 1 ? MatchIsCornerTaker(team, slot)
                             : role == 2 ? MatchIsPenaltyTaker(team, slot)
                                         : MatchIsFreeKickTaker(team, slot);
        if (held != 0) return true;
    }
    return false;
}

// The menus let the user go only once every role is held by a player on
// the pitch: the roles of a player sent off go, on the team screen, to the
// first outfield player still on the pitch (his row picked, then the
// role's row), then back to the match.  False, with nothing queued, when
// no role is lost or nobody is left to take one; onTimeout (what) when the
// team screen does not open.
inline bool IgGiveLostRoles(int side, std::function<void(const char*)> onTimeout) {
    const int16_t team = int16_t(side);
    if (InGameMenuActive != 1 || !MatchTeamHuman(&GameInfo, team)) return false;
    std::vector<int> lost;
    for (int role = 0; role < kIgRoles; ++role)
        if (!IgRoleHeldOnPitch(side, role)) lost.push_back(role);
    int heir = -1;
    for (int row = 1; row < kIgListRows && heir < 0; ++row)
        if (MatchIsPlayerOnPitch(team, GetMatchSideSlot(team, int16_t(row))) != 0) heir = row;
    if (lost.empty() || heir < 0) return false;
    IgClickSideButtonRow(side, 0);
    IgWaitFor(IgTeamTable, [onTimeout] { onTimeout("the team screen for the lost roles"); });
    for (int role : lost) {
        MenuUserClickItem(IgListRow(heir));
        MenuUserWait(10);
        MenuUserClickItem(IgRoleRow(role));
        MenuUserWait(10);
    }
    IgLeave();
    return true;
}

// The player of the side's line-up entry holds one of the four roles.
inline bool IgEntryHasRole(int side, int entry) {
    const int16_t slot = GetMatchSideSlot(int16_t(side), int16_t(entry));
    return MatchIsCaptain(int16_t(side), slot) != 0 || MatchIsCornerTaker(int16_t(side), slot) != 0 ||
           MatchIsPenaltyTaker(int16_t(side), slot) != 0 || MatchIsFreeKickTaker(int16_t(side), slot) != 0;
}

}  // namespace testenv
