// The club finances screen (screen 68): the user's club's balance over the
// 52 weeks of the season in a graph of three switchable lines (the balance
// forecast, the week's start balance, the projection from this week on),
// the thirteen money fields of one week or of the season, and this
// season's purchases and sales with their fees.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kFinanceLines = 3;
constexpr int kFinanceTransferSlots = 30;
constexpr int kFinanceTransferLines = 15;
// The plot.
constexpr int kGraphLeft = 55, kGraphRight = 461, kGraphTop = 131, kGraphBottom = 324;

struct FinanceTransfer {
    uint16_t player;
    int32_t fee;
};

struct FinanceScreenState {
    int16_t shownWeek;
    int16_t seasonView;
    int16_t lineOn[kFinanceLines];
    int32_t graphTop, graphBottom;
    FinanceTransfer bought[kFinanceTransferSlots], sold[kFinanceTransferSlots];
    int16_t boughtCount, soldCount;
    int64_t boughtSum, soldSum;
    int16_t listScroll;
    int16_t hoverDrawn;
    int16_t currentWeek;
};
extern FinanceScreenState FinanceScreen;

extern const MenuItem FinanceTable[];
void FinanceScreenProc();
// The first pass after entry: club, projection, range, transfer lists.
void FinanceEnter();
// Timer item: the cross and value under the mouse; a click picks the week.
void FinanceGraphHover(int16_t frame);
// The hover's step for a mouse point and button state.
void FinanceHoverAt(int x, int y, bool pressed);

void FinanceComputeRange();
void FinanceBuildTransfers();
// Plot places.
int FinanceWeekX(int week);
int FinanceValueY(int64_t value);
// The value of a line (0 A, 1 B, 2 C) at a week; false where the line
// has no point there.
bool FinanceLineValue(int line, int week, int64_t* value);
// Line colours (5-6-5).
uint16_t FinanceLineColour(int line);

int32_t Finance_ToggleLine(int16_t line);
int32_t Finance_ToggleView(MenuHotItem* item);
int32_t Finance_ScrollUp(MenuHotItem* item);
int32_t Finance_ScrollDown(MenuHotItem* item);

// What the money columns show, for tests: column 0 income (8 lines), 1
// expenses (6), 2 summary (6); the heading.
const char* FinanceMoneyText(int column, int line);
const char* FinanceHeading();
