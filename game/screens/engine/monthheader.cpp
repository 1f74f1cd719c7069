#include "game/screens/engine/monthheader.h"

#include "core/query/datesandform.h"
#include "core/query/layerstate.h"
#include "game/screens/engine/frontendloop.h"

namespace {

constexpr int16_t kFirstMonthText = 2356;  // January

int16_t g_monthTexts[kMonthColumns] = {};

const MenuItem kMonthColumn[] = {
    {MI_TEXT_VAR, 0, 0, 6, sizeof(int16_t), g_monthTexts, nullptr},
    kMenuEnd,
};

}  // namespace

void MonthHeaderMenuProc() {
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(HVW_GetCurrentDay(), HVW_GetSeason(), &weekday, &dayOfMonth, &month, &year);
    for (int i = 0; i < kMonthColumns; ++i) g_monthTexts[i] = int16_t(kFirstMonthText + (month + i) % 12);
}

int32_t MonthHeader_Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

int16_t MonthHeaderColumnText(int column) {
    return column >= 0 && column < kMonthColumns ? g_monthTexts[column] : int16_t(-1);
}

const MenuItem MonthHeaderTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MonthHeaderMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ROW_GROUP, 50, 380, kMonthColumns, 40, kMonthColumn, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    // The way back is an area; the back icon shows where it is.
    {MI_ICON, 590, 456, 10, 0, MenuValue(153), nullptr},
    {MI_HOT_RECT, 570, 436, 40, 40, MenuValue(75), MonthHeader_Back},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    kMenuEnd,
};
