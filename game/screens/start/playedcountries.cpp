#include "game/screens/start/playedcountries.h"

#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/season/playedleagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"

namespace {

constexpr int kRows = 8;
constexpr int kFirstRowY = 230;
constexpr int kRowStep = 29;
constexpr int kBoxSize = 25;
constexpr int kLeftBoxX = 75;
constexpr int kRightBoxX = 404;
constexpr int kMarkInset = 3;
constexpr int kMarkSize = 19;
constexpr uint16_t kMarkColour = 0x3186;
constexpr uint16_t kHighlighted = 8;

int16_t g_optionHighlight[2] = {0, 0};

int32_t PlayedCountries_SetOption(uint16_t option) {
    PlayedDetailOption = option;
    return MENU_REDRAW;
}
int32_t StandardDetail(MenuHotItem*) { return PlayedCountries_SetOption(0); }
int32_t FullDetail(MenuHotItem*) { return PlayedCountries_SetOption(1); }

void DrawFramedShade(int x, int y, int w, int h) {
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 30);
    DrawBox(x, y, w, h);
}

void DrawCountryBox(int x, int row, bool marked) {
    const int y = kFirstRowY + kRowStep * row;
    SetDrawParam(2, 0x5AD4);
    DoButton(x, y, kBoxSize, kBoxSize);
    if (marked) {
        SetDrawParam(2, kMarkColour);
        DrawSolidRect(x + kMarkInset, y + kMarkInset, kMarkSize, kMarkSize);
    }
    DrawTextAddrAt(x + 30, y + kBoxSize / 2, HVW_GetNationName(int16_t(row)), JUSTIFY_LEFT_MIDDLE);
}

void PlayedCountries_Draw(int, int, int, int) {
    const uint16_t colour = DrawColour;
    SetFont(8);
    DrawTextNoAt(105, 190, 1241, JUSTIFY_LEFT_MIDDLE);
    DrawTextNoAt(434, 190, 1242, JUSTIFY_LEFT_MIDDLE);
    const int16_t home = HVW_GetViewedCountry();
    for (int row = 0; row < kRows; ++row) {
        DrawCountryBox(kLeftBoxX, row, row == home);
        DrawCountryBox(kRightBoxX, row, row != home && PlayedLeagueFlags[row] == 1);
    }
    SetDrawParam(2, colour);
}

#define ROW_AREAS(y)                                                                     \
    {MI_HOT_RECT, kLeftBoxX, y, kBoxSize, kBoxSize, nullptr, PlayedCountries_SetHome}, { \
        31, kRightBoxX, y, kBoxSize, kBoxSize, nullptr, PlayedCountries_Toggle           \
    }

}  // namespace

int16_t PlayedCountriesRowAt(int y) {
    for (int16_t row = 0; row < kRows; ++row) {
        const int top = kFirstRowY + kRowStep * row;
        if (y >= top && y <= top + kBoxSize) return row;
    }
    return -1;
}

void PlayedCountriesMenu() {
    if (IsMenuFirstEntry() == 1) {
        PlayedLeagueFlags[8] = 0;
        SetMenuTitleDate(4);
    }
    g_optionHighlight[0] = PlayedDetailOption == 1 ? 0 : kHighlighted;
    g_optionHighlight[1] = PlayedDetailOption == 1 ? kHighlighted : 0;
}

int32_t PlayedCountries_SetHome(MenuHotItem*) {
    const int16_t row = PlayedCountriesRowAt(CursorY);
    if (row < 0) return MENU_REDRAW;
    HVW_SetViewedCountry(row);
    PlayedLeagueFlags[row] = 1;
    return MENU_REDRAW;
}

int32_t PlayedCountries_Toggle(MenuHotItem*) {
    const int16_t row = PlayedCountriesRowAt(CursorY);
    if (row < 0 || row == HVW_GetViewedCountry()) return MENU_REDRAW;
    PlayedLeagueFlags[row] = PlayedLeagueFlags[row] == 1 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t PlayedCountries_Done(MenuHotItem*) {
    PlayedLeagueFlags[8] = 0;
    MenuOption = kScreenNewGame;
    return MENU_CLOSE;
}

const MenuItem PlayedCountriesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(PlayedCountriesMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(459), nullptr},
    {MI_CUSTOM, 20, 150, 758, 347, MenuFunction(DrawFramedShade), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(PlayedCountries_Draw), nullptr},
    ROW_AREAS(230),
    ROW_AREAS(259),
    ROW_AREAS(288),
    ROW_AREAS(317),
    ROW_AREAS(375),
    ROW_AREAS(404),
    ROW_AREAS(433),
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_optionHighlight[0], nullptr},
    {MI_BUTTON_TEXT, 30, 462, 368, 25, MenuValue(1239), StandardDetail},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_optionHighlight[1], nullptr},
    {MI_BUTTON_TEXT, 400, 462, 368, 25, MenuValue(1240), FullDetail},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), PlayedCountries_Done},
    kMenuEnd,
};
