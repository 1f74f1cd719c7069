#include "game/screens/club/boardview.h"

#include <algorithm>
#include <cstdio>

#include "core/query/clubscreens.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "game/screens/engine/frontendloop.h"

namespace {

constexpr int kRatings = 3;
constexpr int kTextSize = 120;
constexpr int16_t kRatingLabels[kRatings] = {1232, 758, 1233};

char g_managerLabel[kTextSize];
char g_standingLabel[kTextSize];
char g_manager[kTextSize];
char g_standing[kTextSize];
char g_lines[kRatings][kTextSize];
const char* g_managerLabelText = g_managerLabel;
const char* g_standingLabelText = g_standingLabel;
const char* g_managerText = g_manager;
const char* g_standingText = g_standing;
const char* g_lineText[kRatings] = {g_lines[0], g_lines[1], g_lines[2]};
int16_t g_supportText = -1;
int16_t g_generosityText = -1;
int16_t g_bandText[kRatings] = {-1, -1, -1};

// The selected club; the user's own when none is selected.
int16_t ShownClub() {
    const int16_t club = int16_t(SelectedClub);
    if (club >= 0 && club < kClubCount) return club;
    return HVW_GetMyClub();
}

void DrawShadedBox(int x, int y, int w, int h) { DrawBlackShade30Box(x, y, w, h); }

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

}  // namespace

void BoardViewMenuProc() {
    if (IsMenuFirstEntry() == 1) BoardViewBuild();
}

void BoardViewBuild() {
    SetMenuTitleDate(11);
    std::snprintf(g_managerLabel, sizeof g_managerLabel, "%s:", GetText(1091));
    std::snprintf(g_standingLabel, sizeof g_standingLabel, "%s:", GetText(1901));
    g_manager[0] = g_standing[0] = '\0';
    g_supportText = g_generosityText = -1;
    for (int i = 0; i < kRatings; ++i) {
        g_lines[i][0] = '\0';
        g_bandText[i] = -1;
    }
    const int16_t club = ShownClub();
    if (club < 0 || club >= kClubCount) return;
    const uint16_t manager = HVW_GetClubManager(club);
    std::snprintf(g_manager, sizeof g_manager, "%s",
                  IsValidPlayer(manager) ? HVW_GetPlayerShortName(manager) : "");
    const int32_t ratings[kRatings] = {HVW_GetBoardConfidence(club), HVW_GetClubManagerFansPct(club),
                                       HVW_GetClubSquadHappinessPct(club)};
    // Each rating's words: one of 21 band texts of its percentage.
    int16_t (*const bandText[kRatings])(int16_t) = {HVW_GetBoardConfidenceText, HVW_GetManagerFansText,
                                                    HVW_GetSquadHappinessText};
    for (int i = 0; i < kRatings; ++i) {
        const int32_t percent = std::clamp<int32_t>(ratings[i], 0, 100);
        std::snprintf(g_lines[i], kTextSize, "%s: %d%%", GetText(kRatingLabels[i]), int(percent));
        g_bandText[i] = bandText[i](int16_t(percent));
    }
    std::snprintf(g_standing, sizeof g_standing, "%s",
                  GetText(HVW_GetStandingClassText(HVW_GetClubStandingClass(club))));
    g_supportText = HVW_GetClubSupportText(int16_t(GetClubSupport(club)));
    g_generosityText = HVW_GetClubGenerosityText(int16_t(GetClubGenerosity(club)));
}

const char* BoardViewManagerName() { return g_manager; }
const char* BoardViewRatingLine(int line) { return line >= 0 && line < kRatings ? g_lines[line] : ""; }
int16_t BoardViewBandText(int line) { return line >= 0 && line < kRatings ? g_bandText[line] : int16_t(-1); }
int16_t BoardViewSupportText() { return g_supportText; }
int16_t BoardViewGenerosityText() { return g_generosityText; }

const MenuItem BoardViewTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(BoardViewMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 28, 16, 1, 0, MenuFunction(DrawTitleButton), nullptr},
    {MI_CUSTOM, 20, 97, 758, 170, MenuFunction(DrawShadedBox), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 117, 10, 0, MenuValue(1090), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_STRING_VAR, 120, 142, 11, 0, &g_managerLabelText, nullptr},
    {MI_STRING_VAR, 120, 242, 11, 0, &g_standingLabelText, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(15), nullptr},
    {MI_STRING_VAR, 130, 142, 9, 0, &g_managerText, nullptr},
    {MI_TEXT_VAR, 80, 167, 9, 0, &g_supportText, nullptr},
    {MI_TEXT_VAR, 80, 192, 9, 0, &g_generosityText, nullptr},
    {MI_STRING_VAR, 130, 242, 9, 0, &g_standingText, nullptr},
    {MI_CUSTOM, 20, 287, 758, 220, MenuFunction(DrawShadedBox), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 307, 10, 0, MenuValue(1231), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(15), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1012), nullptr},
    {MI_STRING_VAR, 400, 357, 10, 0, &g_lineText[0], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1011), nullptr},
    {MI_TEXT_VAR, 400, 382, 10, 0, &g_bandText[0], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1012), nullptr},
    {MI_STRING_VAR, 400, 407, 10, 0, &g_lineText[1], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1011), nullptr},
    {MI_TEXT_VAR, 400, 432, 10, 0, &g_bandText[1], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1012), nullptr},
    {MI_STRING_VAR, 400, 457, 10, 0, &g_lineText[2], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1011), nullptr},
    {MI_TEXT_VAR, 400, 482, 10, 0, &g_bandText[2], nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};
