#include "menus/historybrowser.h"

#include <cstdio>

#include "database/Access.h"
#include "database/disk.h"
#include "database/query/funcs_forward.h"
#include "database/query/funcs_people.h"
#include "database/text.h"
#include "generic/replay.h"
#include "menus/exmenu.h"
#include "menus/matchday.h"
#include "menus/menucont.h"
#include "season/calendar.h"
#include "season/fixtures.h"

uint16_t HistoryOpenedFromContinue;
int16_t HistoryLeaveFlag;
int16_t HistoryShownFixtures[kHistoryShownLines + 1] = {-1};

namespace {

constexpr int16_t kLeaveIcon = 153;
constexpr int16_t kScoreSeparatorText = 125;
constexpr int kLineTop = 142;
constexpr int kLineHeight = 20;

int16_t g_title = 887;

bool IsClubOfCountry(int16_t club, int country) {
    return club >= 0 && club < kClubCount && GetClubNation(club) == country;
}

// Today's fixtures of the user's country in table order; when there are
// more than a page, the page that holds the user's fixture.
void BuildLines() {
    const int16_t today = SeasonCalendar.currentDay;
    const int16_t user = HVW_GetMyClub();
    const int country = user >= 0 && user < kClubCount ? int(GetClubNation(user)) : 0;
    int16_t all[kFixtureSlots > 512 ? 512 : kFixtureSlots];
    int count = 0, userIndex = -1;
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= today && count < 512; ++slot) {
        if (FixtureDay(slot) != today) continue;
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (!IsClubOfCountry(home, country) && !IsClubOfCountry(away, country)) continue;
        if (home == user || away == user) userIndex = count;
        all[count++] = int16_t(slot);
    }
    const int first = userIndex >= kHistoryShownLines ? userIndex - kHistoryShownLines + 1 : 0;
    int shown = 0;
    for (int i = first; i < count && shown < kHistoryShownLines; ++i) HistoryShownFixtures[shown++] = all[i];
    HistoryShownFixtures[shown] = -1;
}

void HistoryBrowser_DrawLines(int, int, int, int) {
    const int16_t user = HVW_GetMyClub();
    SetFont(8);
    for (int line = 0; line < kHistoryShownLines && HistoryShownFixtures[line] >= 0; ++line) {
        const int16_t slot = HistoryShownFixtures[line];
        const int y = kLineTop + kLineHeight * line;
        DrawRowShade(24, y - 10, 752, kLineHeight);
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        SetDrawParam(1, home == user ? 9 : 0);
        DrawTextAddrAt(380, y, HVW_GetClubName(home), JUSTIFY_RIGHT_MIDDLE);
        SetDrawParam(1, away == user ? 9 : 0);
        DrawTextAddrAt(420, y, HVW_GetClubName(away), JUSTIFY_LEFT_MIDDLE);
        SetDrawParam(1, 0);
        if (IsFixturePlayed(slot)) {
            const uint32_t score = FixtureScore(slot);
            DrawNumberAt(392, y, int32_t(score & 31), JUSTIFY_RIGHT_MIDDLE);
            DrawTextNoAt(400, y, kScoreSeparatorText, JUSTIFY_CENTRE_MIDDLE);
            DrawNumberAt(408, y, int32_t(score >> 5 & 31), JUSTIFY_LEFT_MIDDLE);
        }
    }
}

void Leave() {
    HistoryLeaveFlag = 1;
    MatchDayFlags |= kDayLeftResults;
    MenuOption = 3;
}

}  // namespace

void HistoryMenuProc() {
    if (!IsMenuFirstEntry()) return;
    SetMenuTitleDate(2);
    BuildLines();
}

void RunHistoryBrowser(int16_t titleText, uint16_t openedFromContinue) {
    g_title = titleText;
    HistoryOpenedFromContinue = openedFromContinue;
    HistoryLeaveFlag = 0;
    RunMenuSet(HistoryBrowserTable);
}

int32_t HistoryBrowser_LeaveToClub(MenuHotItem*) {
    Leave();
    SavedGoalCount = 0;
    return MENU_CLOSE;
}

int32_t HistoryBrowser_LeaveAndClearGoals(MenuHotItem*) {
    RemoveAllFiles("SaveData\\GOALS\\");
    GoalReplayNumber = 0;
    Leave();
    return MENU_CLOSE;
}

const MenuItem HistoryBrowserTable[] = {
    {54, 0, 0, 0, 0, MenuFunction(HistoryMenuProc), nullptr},
    {11, 0, 0, 0, 0, MenuValue(4), nullptr},
    {56, 0, 0, 0, 0, nullptr, nullptr},
    {36, 0, 0, 0, 0, MenuFunction(HistoryBrowser_DrawLines), nullptr},
    {13, 0, 0, 0, 0, MenuValue(14), nullptr},
    {16, 400, 62, 10, 0, &g_title, nullptr},
    {3, 693, 559, 5, 0, MenuValue(kLeaveIcon), HistoryBrowser_LeaveAndClearGoals},
    {3, 743, 559, 5, 0, MenuValue(kLeaveIcon), HistoryBrowser_LeaveToClub},
    {55, 0, 0, 0, 0, nullptr, nullptr},
};
