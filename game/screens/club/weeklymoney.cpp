#include "game/screens/club/weeklymoney.h"

#include <algorithm>
#include <cstdio>

#include "core/query/fields.h"
#include "core/query/financerecord.h"
#include "core/query/forwarders.h"
#include "core/records/frontstate.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"

namespace {

char g_values[kWeeklyMoneyValues][kWeeklyMoneyTextSize];
const char* g_valueText[kWeeklyMoneyValues];
int16_t g_resultColour = 6;
int16_t g_balanceColour = 8;

// "-" for nothing, else the second money form.
void SetValue(int index, int64_t value) {
    const int32_t clamped = int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    if (clamped == 0) {
        std::snprintf(g_values[index], kWeeklyMoneyTextSize, "-");
    } else {
        std::snprintf(g_values[index], kWeeklyMoneyTextSize, "%s", Number2Str(clamped));
    }
    g_valueText[index] = g_values[index];
}

void DrawFramedBox(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawBox(x, y, w, h);
    SetDrawParam(2, kept);
}

#define LINE(label, x, vx, y, index)                             \
    {MI_TEXT, x, y, 5, 0, MenuValue(label), nullptr}, {          \
        MI_STRING_VAR, vx, y, 7, 0, &g_valueText[index], nullptr \
    }

const MenuItem kShadeRow[] = {
    {MI_CUSTOM, 0, 0, 736, 18, MenuFunction(DrawRowShade), nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};
const MenuItem kShortShadeRow[] = {
    {MI_CUSTOM, 0, 0, 358, 18, MenuFunction(DrawRowShade), nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

}  // namespace

void WeeklyMoneyMenuProc() {
    const int16_t club = HVW_GetMyClub();
    SelectedClub = uint16_t(club);
    SetDrawParam(3, NUMBER_MONEY_PLAIN);
    int32_t in[5] = {}, out[4] = {};
    HVW_GetClubWeekIncome(&in[0], &in[1], &in[2], &in[3], &in[4], club, 0);
    HVW_GetClubWeekSpending(&out[0], &out[1], &out[2], &out[3], club, 0);
    int64_t income = 0, spending = 0;
    for (int i = 0; i < 5; ++i) {
        SetValue(i, in[i]);
        income += in[i];
    }
    SetValue(5, income);
    for (int i = 0; i < 4; ++i) {
        SetValue(6 + i, out[i]);
        spending += out[i];
    }
    SetValue(10, spending);
    const int64_t result = income - spending;
    SetValue(11, result);
    SetValue(12, HVW_GetClubWeekLastBalance(club, 0));
    const int32_t balance = club >= 0 ? HVW_GetClubBalance(club) : 0;
    SetValue(13, balance);
    SetValue(14, club >= 0 ? HVW_GetClubWageBudget(club) : 0);
    g_resultColour = result >= 0 ? 6 : 4;
    g_balanceColour = balance > 0 ? 8 : 4;
    SetDrawParam(3, NUMBER_PLAIN);
}

int32_t WeeklyMoney_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const char* WeeklyMoneyText(int value) {
    return value >= 0 && value < kWeeklyMoneyValues ? g_values[value] : "";
}
int16_t WeeklyMoneyResultColour() { return g_resultColour; }
int16_t WeeklyMoneyBalanceColour() { return g_balanceColour; }

const MenuItem WeeklyMoneyTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(WeeklyMoneyMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 64, 10, 0, MenuValue(253), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 32, 120, 9, 18, kShadeRow, nullptr},
    {MI_GROUP, 400, 336, 4, 18, kShortShadeRow, nullptr},
    {MI_CUSTOM, 32, 120, 736, 162, MenuFunction(DrawFramedBox), nullptr},
    {MI_CUSTOM, 400, 336, 358, 72, MenuFunction(DrawFramedBox), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 50, 120, 5, 0, MenuValue(939), nullptr},
    LINE(598, 50, 270, 156, 0),
    LINE(943, 50, 270, 174, 1),
    LINE(1376, 50, 270, 192, 2),
    LINE(1377, 50, 270, 210, 3),
    LINE(1379, 50, 270, 228, 4),
    LINE(1679, 50, 270, 246, 5),
    {MI_TEXT, 400, 120, 5, 0, MenuValue(1676), nullptr},
    LINE(597, 400, 672, 156, 6),
    LINE(186, 400, 672, 174, 7),
    LINE(1678, 400, 672, 192, 8),
    LINE(1379, 400, 672, 210, 9),
    LINE(1679, 400, 672, 228, 10),
    {MI_TEXT, 410, 336, 5, 0, MenuValue(944), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_resultColour, nullptr},
    {MI_STRING_VAR, 672, 336, 7, 0, &g_valueText[11], nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    LINE(1386, 410, 672, 354, 12),
    {MI_TEXT, 410, 372, 5, 0, MenuValue(259), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_balanceColour, nullptr},
    {MI_STRING_VAR, 672, 372, 7, 0, &g_valueText[13], nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    LINE(260, 410, 672, 390, 14),
    {MI_HOT_RECT, 570, 436, 40, 40, MenuValue(-1), WeeklyMoney_Back},
    {MI_ICON, 590, 456, 10, 0, MenuValue(153), WeeklyMoney_Back},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};
