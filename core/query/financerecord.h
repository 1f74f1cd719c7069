// Query layer: a club's finance record as the money screens read it (the
// balance forecast, the thirteen fields of a week and of the season), the
// week getters, and the club's current tie in a cup.
#pragma once
#include <cstdint>

constexpr int kFinanceFields = 13;
constexpr int kFinanceIncomeFields = 7;   // fields 0-6
constexpr int kFinanceStartBalance = 12;  // the balance at the start of the week

// 0 for a club outside 0-1199 or a week outside 0-51 / field outside 0-12.
int32_t HVW_GetClubForecastWeek(int16_t club, int16_t week);
int32_t HVW_GetClubWeekField(int16_t club, int16_t week, int16_t field);
int32_t HVW_GetClubSeasonField(int16_t club, int16_t field);

// The four expenditures of the week to the outs, their sum (64-bit,
// clamped to 32 bits) returned; all 0 for a bad club or week.
int32_t HVW_GetClubWeekSpending(int32_t* signings, int32_t* wages, int32_t* coachingWages, int32_t* other,
                                int16_t club, int16_t week);
int32_t HVW_GetClubWeekLastBalance(int16_t club, int16_t week);

// The fixture slot of the club's latest tie in cup slot 0-6; -1 none.
int16_t HVW_FindClubCupTie(int16_t club, int16_t cup);
