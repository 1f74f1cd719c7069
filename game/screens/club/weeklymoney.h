// The weekly income and expenditure summary (screen 57): the money of the
// user's club for week 0 of its finance record, the week's result, the
// balance and the wage budget.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kWeeklyMoneyValues = 15;
constexpr int kWeeklyMoneyTextSize = 100;

extern const MenuItem WeeklyMoneyTable[];
void WeeklyMoneyMenuProc();
int32_t WeeklyMoney_Back(MenuHotItem* item);

// What the lines show, for tests: values 0-5 income (five items and the
// total), 6-10 expenditure (four and the total), 11 the result, 12 the
// week's start balance, 13 the balance, 14 the wage budget.
const char* WeeklyMoneyText(int value);
int16_t WeeklyMoneyResultColour();
int16_t WeeklyMoneyBalanceColour();
