// The player condition screen (screen 80): one player of the user's club,
// SelectedPlayer, with a header line, remarks on his condition, his twenty
// trainable stats with what training has added to each, a 60-day chart of
// two daily histories of his training record, and a panel on his individual
// coaching (or, for a flag-95 player, a panel of two buttons).
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// The screen the condition screen returns to: 4 when the profile opened it,
// 76 the training schedule, 83 the coaching list.
extern int16_t ConditionReturnOption;
// 0 charts histories 1 and 2, 1 histories 3 and 4; kept between visits.
extern uint8_t ConditionChartPair;

constexpr int kConditionStatRows = 20;
constexpr int kConditionRemarkLines = 8;
constexpr int kConditionChartDays = 60;

extern const MenuItem PlayerConditionTable[];
void PlayerConditionMenuProc();
int32_t Condition_ToggleChart(MenuHotItem* item);
int32_t Condition_Back(MenuHotItem* item);
int32_t Condition_OpenCoach(MenuHotItem* item);
void Condition_Leave();
int32_t Condition_TabStaff(MenuHotItem* item);
int32_t Condition_TabIndividual(MenuHotItem* item);
int32_t Condition_TabTraining(MenuHotItem* item);
void Condition_DrawPanels(int x, int y, int w, int h);
void Condition_DrawStatBars(int x, int y, int w, int h);
void Condition_DrawChartFrame(int x, int y, int w, int h);
void Condition_DrawChart(int x, int y, int w, int h);
void Condition_DrawProgressBar(int x, int y, int w, int h);

// The stat code, label, value and gain of stat row 0..19 as last filled.
struct ConditionStatRow {
    int16_t code, label, value, gain;
    const char* gainText;
};
ConditionStatRow Condition_StatRow(int row);
// Remark line 0..9 (empty past the last), and how many arose.
const char* Condition_Remark(int line);
int Condition_RemarkCount();
const char* Condition_Header();
// The coaching panel's fields as last filled.
struct ConditionCoaching {
    const char* coach;
    int16_t courseText, gradeText, weeks, value;
    bool alternative;  // the flag-95 panel is shown
};
ConditionCoaching Condition_Coaching();
// The chart's point of a history value: y for the first (0..100) or the
// second (0..50) history of a pair, values clamped into range; x of day i.
int Condition_ChartY(int value, bool second);
int Condition_ChartX(int day);
// The base and change lengths of a stat bar of value and gain.
void Condition_BarLengths(int value, int gain, int* base, int* change);
