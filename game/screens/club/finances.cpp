#include "game/screens/club/finances.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/transfers.h"
#include "core/query/fields.h"
#include "core/query/financerecord.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/clubfinances.h"
#include "core/records/dates.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"

FinanceScreenState FinanceScreen = {};

namespace {

constexpr int kWeeks = kFinanceWeeks;
constexpr int kMoneyColumns = 3;
constexpr int kMoneyRows = 8;
constexpr int kTextSize = 48;
constexpr int16_t kOffText = 1198;
constexpr int16_t kWeekHeadingText = 977;
constexpr int16_t kSeasonText = 1022;
constexpr int16_t kWeekText = 1023;
constexpr int16_t kLegendTexts[kFinanceLines] = {1019, 1020, 1021};
constexpr uint16_t kLineColours[kFinanceLines] = {0xFFE0, 0x07E0, 0xF81F};
constexpr int kLastTransferRecord = 9999;

// The money columns: label text and field (-1 the total of the column).
struct MoneyLine {
    int16_t text;
    int16_t field;
};
constexpr MoneyLine kIncomeLines[] = {{598, 0},  {943, 1}, {1376, 2}, {1377, 3},
                                      {1379, 4}, {915, 5}, {946, 6},  {1679, -1}};
constexpr MoneyLine kExpenseLines[] = {{597, 7}, {186, 8}, {1678, 9}, {1379, 10}, {954, 11}, {1679, -1}};
constexpr int16_t kSummaryTexts[] = {1017, 1018, 1679, 1024, 1679, 259};
constexpr int kColumnLines[kMoneyColumns] = {8, 6, 6};
constexpr int kLabelX[kMoneyColumns] = {30, 249, 578};
constexpr int kValueX[kMoneyColumns] = {130, 349, 688};

char g_money[kMoneyColumns][kMoneyRows][kTextSize];
char g_heading[kTextSize];
const char* g_headingText = g_heading;
int16_t g_lineText[kFinanceLines] = {kTextDash, kTextDash, kTextDash};
int16_t g_viewText = kSeasonText;
std::vector<uint8_t> g_hoverSaved;
// A click on the plot picks its week: a press made on this screen, not the
// button still held from the click (on a list row over the plot's place)
// that opened it.
bool g_buttonHeld = false;
// The area the hover marks are drawn in, kept to wipe them: the plot and the
// value written beside it (which may reach past the panel's edge).
constexpr int kHoverX = 50, kHoverY = 125, kHoverW = 500, kHoverH = 206;
// The graph's labels and the money lines are written small: the labels
// stand in the narrow margin left of the plot, and the money lines' rows are
// 15 apart with a rule between some of them.
constexpr int16_t kSmallFont = 6;

// Sums of the money fields are taken in 64 bits (thirteen 32-bit fields can
// pass the 32-bit range) and shown at the 32-bit limit rather than wrapped.
int32_t Clamp32(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

const char* Money(int64_t value, int32_t type) {
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, type);
    const char* text = Number2Str(Clamp32(value));
    SetDrawParam(3, kept);
    return text;
}

int16_t UserClub() { return HVW_GetMyClub(); }

int64_t Field(int field) {
    const int16_t club = UserClub();
    return FinanceScreen.seasonView != 0
               ? HVW_GetClubSeasonField(club, int16_t(field))
               : HVW_GetClubWeekField(club, FinanceScreen.shownWeek, int16_t(field));
}

void FillMoneyLines() {
    int64_t income = 0, expenses = 0;
    for (int f = 0; f < kFinanceIncomeFields; ++f) income += Field(f);
    for (int f = kFinanceIncomeFields; f < kFinanceStartBalance; ++f) expenses += Field(f);
    const int64_t net = income - expenses;
    const int64_t start = Field(kFinanceStartBalance);
    for (int i = 0; i < kColumnLines[0]; ++i) {
        const int64_t v = kIncomeLines[i].field < 0 ? income : Field(kIncomeLines[i].field);
        std::snprintf(g_money[0][i], kTextSize, "%s", Money(v, NUMBER_MONEY));
    }
    for (int i = 0; i < kColumnLines[1]; ++i) {
        const int64_t v = kExpenseLines[i].field < 0 ? expenses : Field(kExpenseLines[i].field);
        std::snprintf(g_money[1][i], kTextSize, "%s", Money(v, NUMBER_MONEY));
    }
    std::snprintf(g_money[2][0], kTextSize, "%s", Money(income, NUMBER_MONEY));
    std::snprintf(g_money[2][1], kTextSize, "-%s", Money(expenses, NUMBER_MONEY));
    std::snprintf(g_money[2][2], kTextSize, "%s", Money(net, NUMBER_MONEY));
    std::snprintf(g_money[2][3], kTextSize, "%s", Money(start, NUMBER_MONEY));
    std::snprintf(g_money[2][4], kTextSize, net > 0 ? "+%s" : "%s", Money(net, NUMBER_MONEY));
    std::snprintf(g_money[2][5], kTextSize, "%s", Money(start + net, NUMBER_MONEY));
    if (FinanceScreen.seasonView != 0) {
        std::snprintf(g_heading, sizeof g_heading, "%s", GetText(kSeasonText));
    } else {
        std::snprintf(g_heading, sizeof g_heading, GetText(kWeekHeadingText), int(FinanceScreen.shownWeek));
    }
}

// ---- Painters ----------------------------------------------------------------------

void DrawPanel(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 50);
    DrawBox(x, y, w, h);
    SetDrawParam(2, kept);
}

void DrawMoneyLabel(int x, int y, int64_t value, int32_t type, uint16_t justify) {
    DrawTextAddrAt(x, y, Money(value, type), justify);
}

void FinanceDrawGraphFrame(int, int, int, int) {
    const FinanceScreenState& s = FinanceScreen;
    DrawGradientRect(kGraphLeft, kGraphTop, kGraphRight - kGraphLeft, kGraphBottom - kGraphTop, 24, 40, 72,
                     24, 40, 72, 8, 16, 32, 8, 16, 32);
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0xCE59);
    DrawRelLine(kGraphLeft, kGraphTop, 0, kGraphBottom - kGraphTop);
    DrawRelLine(kGraphLeft, kGraphBottom, kGraphRight - kGraphLeft, 0);
    // Thirty value ticks down the left edge.
    for (int t = 0; t < 30; ++t) {
        const int y = kGraphTop + t * (kGraphBottom - kGraphTop) / 29;
        DrawRelLine(kGraphLeft - 4, y, 3, 0);
    }
    // Fifty-two week ticks along the bottom.
    for (int k = 0; k < kWeeks; ++k) DrawRelLine(FinanceWeekX(k), kGraphBottom + 1, 0, 3);
    SetFont(kSmallFont);
    SetDrawParam(1, 0);
    const int32_t type = s.graphBottom == 0 ? NUMBER_MONEY : NUMBER_MONEY_PLAIN;
    DrawMoneyLabel(kGraphLeft - 6, kGraphTop, s.graphTop, type, JUSTIFY_RIGHT_MIDDLE);
    DrawMoneyLabel(kGraphLeft - 6, kGraphTop + 14 * (kGraphBottom - kGraphTop) / 29,
                   (int64_t(s.graphTop) + s.graphBottom) / 2, type, JUSTIFY_RIGHT_MIDDLE);
    DrawMoneyLabel(kGraphLeft - 6, kGraphBottom, s.graphBottom, type, JUSTIFY_RIGHT_MIDDLE);
    for (int k : {0, 25, 51}) {
        char week[8];
        std::snprintf(week, sizeof week, "%d", k);
        DrawTextAddrAt(FinanceWeekX(k), kGraphBottom + 5, week, JUSTIFY_CENTRE_TOP);
    }
    // The zero line, dashed, when the graph goes below 0.
    if (s.graphBottom < 0) {
        const int y = FinanceValueY(0);
        for (int x = kGraphLeft; x < kGraphRight; x += 8) DrawRelLine(x, y, 4, 0);
    }
    // The legend.
    for (int line = 0; line < kFinanceLines; ++line) {
        const int y = 345 + 13 * line;
        SetDrawParam(2, kLineColours[line]);
        DrawSolidRect(172, y, 30, 4);
        DrawTextNoAt(212, y + 2, kLegendTexts[line], JUSTIFY_LEFT_MIDDLE);
    }
    SetDrawParam(2, kept);
}

void FinanceDrawGraphLines(int, int, int, int) {
    const uint16_t kept = DrawColour;
    for (int line = 0; line < kFinanceLines; ++line) {
        if (FinanceScreen.lineOn[line] == 0) continue;
        SetDrawParam(2, kLineColours[line]);
        for (int k = 0; k + 1 < kWeeks; ++k) {
            int64_t a = 0, b = 0;
            if (!FinanceLineValue(line, k, &a) || !FinanceLineValue(line, k + 1, &b)) continue;
            const int x0 = FinanceWeekX(k), y0 = FinanceValueY(a);
            DrawRelLine(x0, y0, FinanceWeekX(k + 1) - x0, FinanceValueY(b) - y0);
        }
    }
    SetDrawParam(2, kept);
}

void FinanceDrawMoneyLines(int, int, int, int) {
    SetFont(kSmallFont);
    SetDrawParam(1, 0);
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0xCE59);
    for (int column = 0; column < kMoneyColumns; ++column) {
        for (int i = 0; i < kColumnLines[column]; ++i) {
            const int y = 413 + 15 * i;
            const int16_t text = column == 0   ? kIncomeLines[i].text
                                 : column == 1 ? kExpenseLines[i].text
                                               : kSummaryTexts[i];
            // Totals stand under a rule.
            if (text == 1679) DrawRelLine(kValueX[column] - 70, y - 2, 70, 0);
            DrawTextNoAt(kLabelX[column], y, text, JUSTIFY_LEFT_TOP);
            DrawTextAddrAt(kValueX[column], y, g_money[column][i], JUSTIFY_RIGHT_TOP);
        }
    }
    SetDrawParam(2, kept);
}

// The transfer panel's lines: headings, players (or "none"), sums.
struct TransferLine {
    int kind;  // 0 heading, 1 player, 2 none, 3 sum
    int16_t text;
    uint16_t player;
    int64_t money;
};

int BuildTransferLines(TransferLine* out) {
    int n = 0;
    const auto side = [&](int16_t heading, const FinanceTransfer* list, int count, int64_t sum) {
        out[n++] = {0, heading, 0, 0};
        for (int i = 0; i < count; ++i) out[n++] = {1, -1, list[i].player, list[i].fee};
        if (count == 0) out[n++] = {2, 1015, 0, 0};
        out[n++] = {3, -1, 0, sum};
    };
    side(978, FinanceScreen.bought, FinanceScreen.boughtCount, FinanceScreen.boughtSum);
    side(1016, FinanceScreen.sold, FinanceScreen.soldCount, FinanceScreen.soldSum);
    return n;
}

void FinanceDrawTransfers(int, int, int, int) {
    TransferLine lines[2 * kFinanceTransferSlots + 8];
    const int n = BuildTransferLines(lines);
    SetFont(9);
    SetDrawParam(1, 0);
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0xCE59);
    for (int i = 0; i < kFinanceTransferLines && FinanceScreen.listScroll + i < n; ++i) {
        const TransferLine& line = lines[FinanceScreen.listScroll + i];
        const int y = 126 + 15 * i;
        switch (line.kind) {
            case 0:
                DrawTextNoAt(509, y, line.text, JUSTIFY_LEFT_TOP);
                break;
            case 1:
                DrawTextAddrAt(514, y, IsValidPlayer(line.player) ? HVW_GetPlayerShortName(line.player) : "",
                               JUSTIFY_LEFT_TOP);
                DrawMoneyLabel(753, y, line.money, NUMBER_MONEY_PLAIN, JUSTIFY_RIGHT_TOP);
                break;
            case 2:
                DrawTextNoAt(514, y, line.text, JUSTIFY_LEFT_TOP);
                break;
            default:
                DrawRelLine(641, y - 1, 112, 0);
                DrawMoneyLabel(753, y, line.money, NUMBER_MONEY, JUSTIFY_RIGHT_TOP);
        }
    }
    // The net of the season's dealings: sales less purchases.
    DrawRelLine(641, 349, 112, 0);
    DrawTextNoAt(514, 351, 1679, JUSTIFY_LEFT_TOP);
    DrawMoneyLabel(753, 351, FinanceScreen.soldSum - FinanceScreen.boughtSum, NUMBER_MONEY,
                   JUSTIFY_RIGHT_TOP);
    SetDrawParam(2, kept);
}

void HoverTimer(int16_t frame) { FinanceGraphHover(frame); }
const MenuTimerRecord kHoverTimer = {8, 1, HoverTimer};

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

#define LINE_SWITCH(k)                                              \
    {                                                               \
        8207, 155, int16_t(339 + 13 * (k)), 12, 12, &g_lineText[k], \
            [](MenuHotItem*) { return Finance_ToggleLine(k); }      \
    }

}  // namespace

int FinanceWeekX(int week) { return kGraphLeft + int(std::lround(week * 406.0 / 52.0)); }

int FinanceValueY(int64_t value) {
    const int64_t top = FinanceScreen.graphTop, bottom = FinanceScreen.graphBottom;
    const int64_t span = std::max<int64_t>((top - bottom) / 100, 1);
    const int64_t p = std::llabs(bottom - value) / 100 * 100 / span;
    const int y = kGraphTop + int(std::lround(double(100 - p) * 193 * 0.01));
    return std::clamp(y, kGraphTop, kGraphBottom);
}

uint16_t FinanceLineColour(int line) { return line >= 0 && line < kFinanceLines ? kLineColours[line] : 0; }

bool FinanceLineValue(int line, int week, int64_t* value) {
    const int16_t club = UserClub();
    const int current = FinanceScreen.currentWeek;
    switch (line) {
        case 0:
            *value = HVW_GetClubForecastWeek(club, int16_t(week));
            return true;
        case 1:
            // The start balances of the weeks gone, up to this week's.
            if (week > current) return false;
            *value = HVW_GetClubWeekField(club, int16_t(week), kFinanceStartBalance);
            return true;
        case 2:
            if (week < current) return false;
            *value = FinanceForecast[week];
            return true;
        default:
            return false;
    }
}

void FinanceComputeRange() {
    const int16_t club = UserClub();
    int64_t top = 0, bottom = 0;
    for (int16_t k = 0; k < kWeeks; ++k) {
        const int64_t values[3] = {HVW_GetClubForecastWeek(club, k),
                                   HVW_GetClubWeekField(club, k, kFinanceStartBalance),
                                   k >= FinanceScreen.currentWeek ? FinanceForecast[k] : 0};
        for (int64_t v : values) {
            top = std::max(top, v);
            bottom = std::min(bottom, v);
        }
    }
    top = ((top / 1000) * 120 / 100) * 1000;
    if (bottom < 0) bottom = bottom * 120 / 100;
    // A flat graph (every figure 0) still has a span to place values in.
    if (top - bottom < 100) top = bottom + 100;
    FinanceScreen.graphTop = Clamp32(top);
    FinanceScreen.graphBottom = Clamp32(bottom);
    if (int64_t(FinanceScreen.graphTop) - FinanceScreen.graphBottom < 100)
        FinanceScreen.graphBottom = FinanceScreen.graphTop - 100;
}

void FinanceBuildTransfers() {
    FinanceScreenState& s = FinanceScreen;
    s.boughtCount = s.soldCount = 0;
    s.boughtSum = s.soldSum = 0;
    const int16_t club = UserClub();
    // Day 0 of the season is 13 July of its first year.
    const int32_t seasonStart = (int32_t(HVW_GetSeason()) + 2002) * 10000 + 6 * 100 + 13;
    for (int n = 0; n <= kLastTransferRecord; ++n) {
        const uint8_t* r = HVW_GetTransferRecord(int16_t(n))->bytes;
        const int16_t seller = int16_t(recbits::LoadU16(r + 0));
        const int16_t buyer = int16_t(recbits::LoadU16(r + 2));
        if (buyer == -1) break;
        // A record naming a club outside the table is nobody's dealing.
        if (seller < -1 || seller >= kClubCount || buyer < 0 || buyer >= kClubCount) continue;
        const int32_t date = int32_t(int16_t(recbits::LoadU16(r + 14))) * 10000 +
                             int16_t(recbits::LoadU16(r + 12)) * 100 + int16_t(recbits::LoadU16(r + 10));
        if (date < seasonStart) continue;
        const FinanceTransfer entry = {recbits::LoadU16(r + 4), int32_t(recbits::LoadU32(r + 6))};
        if (buyer == club && s.boughtCount < kFinanceTransferSlots) {
            s.bought[s.boughtCount++] = entry;
            s.boughtSum += entry.fee;
        } else if (seller == club && s.soldCount < kFinanceTransferSlots) {
            s.sold[s.soldCount++] = entry;
            s.soldSum += entry.fee;
        }
    }
}

void FinanceEnter() {
    FinanceScreenState& s = FinanceScreen;
    const int16_t club = UserClub();
    SelectedClub = uint16_t(club);
    SetMenuTitleDate(11);
    // The projection of the weeks to come (the third line), from this week on.
    if (club >= 0 && club < kClubCount) ForecastClubBalance(club);
    // Day 365 of a leap season converts to week 52, one past the weeks kept.
    s.currentWeek = int16_t(std::clamp<int>(DaysToWeeks(HVW_GetCurrentDay()), 0, kWeeks - 1));
    s.shownWeek = s.currentWeek;
    FinanceComputeRange();
    FinanceBuildTransfers();
    s.listScroll = 0;
    for (int16_t& on : s.lineOn) on = 1;
    s.seasonView = 0;
    s.hoverDrawn = 0;
    g_buttonHeld = (GetMenuButtons() & 1) != 0;
}

void FinanceScreenProc() {
    if (IsMenuFirstEntry() == 1) FinanceEnter();
    // A walk draws the whole screen: no hover marks are left to wipe.
    FinanceScreen.hoverDrawn = 0;
    for (int line = 0; line < kFinanceLines; ++line)
        g_lineText[line] = FinanceScreen.lineOn[line] != 0 ? kTextDash : kOffText;
    g_viewText = FinanceScreen.seasonView != 0 ? kWeekText : kSeasonText;
    FillMoneyLines();
}

void FinanceHoverAt(int x, int y, bool pressed) {
    FinanceScreenState& s = FinanceScreen;
    if (s.hoverDrawn != 0) {
        if (!g_hoverSaved.empty())
            CopyRectToBackBuffer(kHoverX, kHoverY, kHoverW, kHoverH, g_hoverSaved.data());
        MarkRectDirty(kHoverX, kHoverY, kHoverW, kHoverH);
        s.hoverDrawn = 0;
    }
    if (x < 56 || x > 460 || y < 132 || y > 323) return;
    g_hoverSaved.resize(size_t(kHoverW) * kHoverH * size_t(MenuBytesPerPixel()));
    CopyRectFromBackBuffer(kHoverX, kHoverY, kHoverW, kHoverH, g_hoverSaved.data());
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0xFFFF);
    DrawRelLine(kGraphLeft + 1, y, kGraphRight - kGraphLeft - 2, 0);
    DrawRelLine(x, kGraphTop + 1, 0, kGraphBottom - kGraphTop - 2);
    SetDrawParam(2, kept);
    const int64_t value =
        int64_t(s.graphBottom) + (int64_t(kGraphBottom) - y) * (int64_t(s.graphTop) - s.graphBottom) / 193;
    SetFont(kSmallFont);
    SetDrawParam(1, 0);
    DrawMoneyLabel(463, y, value, NUMBER_MONEY_PLAIN, JUSTIFY_LEFT_MIDDLE);
    MarkRectDirty(kHoverX, kHoverY, kHoverW, kHoverH);
    s.hoverDrawn = 1;
    if (pressed) {
        s.shownWeek = int16_t(std::clamp((x - kGraphLeft) * 52 / 406, 0, kWeeks - 1));
        SetMenuFrameResult(MENU_REDRAW);
    }
}

void FinanceGraphHover(int16_t) {
    const bool down = (GetMenuButtons() & 1) != 0;
    const bool pressed = down && !g_buttonHeld;
    g_buttonHeld = down;
    FinanceHoverAt(CursorX, CursorY, pressed);
}

int32_t Finance_ToggleLine(int16_t line) {
    if (line < 0 || line >= kFinanceLines) return MENU_CONTINUE;
    FinanceScreen.lineOn[line] = FinanceScreen.lineOn[line] != 0 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t Finance_ToggleView(MenuHotItem*) {
    FinanceScreen.seasonView = FinanceScreen.seasonView != 0 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t Finance_ScrollUp(MenuHotItem*) {
    FinanceScreen.listScroll = int16_t(std::max(FinanceScreen.listScroll - 1, 0));
    return MENU_REDRAW;
}

int32_t Finance_ScrollDown(MenuHotItem*) {
    const int limit =
        std::max(0, FinanceScreen.boughtCount + FinanceScreen.soldCount - kFinanceTransferLines);
    FinanceScreen.listScroll = int16_t(std::min(FinanceScreen.listScroll + 1, limit));
    return MENU_REDRAW;
}

const char* FinanceMoneyText(int column, int line) {
    if (column < 0 || column >= kMoneyColumns || line < 0 || line >= kColumnLines[column]) return "";
    return g_money[column][line];
}

const char* FinanceHeading() { return g_heading; }

const MenuItem FinanceTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(FinanceScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 20, 97, 476, 283, MenuFunction(DrawPanel), nullptr},
    {MI_CUSTOM, 504, 97, 274, 283, MenuFunction(DrawPanel), nullptr},
    {MI_CUSTOM, 20, 384, 758, 155, MenuFunction(DrawPanel), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(FinanceDrawGraphFrame), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(253), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 258, 101, 6, 0, MenuValue(254), nullptr},
    {MI_TEXT, 641, 101, 6, 0, MenuValue(1313), nullptr},
    {MI_STRING_VAR, 399, 388, 6, 0, &g_headingText, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(FinanceDrawTransfers), nullptr},
    {MI_ICON, 757, 126, 5, 0, MenuValue(192), Finance_ScrollUp},
    {MI_ICON, 757, 349, 5, 0, MenuValue(193), Finance_ScrollDown},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(FinanceDrawGraphLines), nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kHoverTimer, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    LINE_SWITCH(0),
    LINE_SWITCH(1),
    LINE_SWITCH(2),
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(FinanceDrawMoneyLines), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    {MI_BUTTON_TEXT_VAR, 60, 559, 678, 28, &g_viewText, Finance_ToggleView},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};
