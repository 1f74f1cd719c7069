// The league attendance chart (screen 101): the average home crowds of one
// division of the viewed country as bars, biggest first, with a button per
// division; a click on a club's name opens its goals chart (goals for and
// against by minute band over the season's played fixtures).
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kAttendanceClubs = 24;
constexpr int kAttendanceButtonMarks = 32;
constexpr int kAttendanceBarLeft = 189;
constexpr int kAttendanceBarTop = 97;
constexpr int kAttendanceBarSpan = 529;
constexpr int kAttendanceRowHeight = 18;
constexpr int32_t kAttendanceEmptyTop = 10000;
constexpr int kGoalBands = 8;

extern const MenuItem AttendanceTable[];
extern const MenuItem AttendanceGoalsTable[];
void AttendanceScreenProc();
void AttendanceDrawChart(int x, int y, int w, int h);

// The chart's state after a pass: the division shown, its clubs sorted
// by average crowd (-1 past the count), the scale's top and the button
// marks.
struct AttendanceState {
    int16_t division;
    int16_t clubCount;
    int16_t clubs[kAttendanceClubs];
    int32_t attendance[kAttendanceClubs];
    int32_t top;
    int16_t divisions;
    int16_t captions[kAttendanceButtonMarks];
    int16_t marks[kAttendanceButtonMarks];
};
extern AttendanceState Attendance;

// The grid step of a scale top: 5000 from 40000, 2000 from 30000, 1000
// from 16000, 500 from 5000, else 200.
int32_t Attendance_GridStep(int32_t top);
// A bar's length for the crowd on the scale.
int32_t Attendance_BarLength(int32_t crowd, int32_t top);
// The division buttons' sub-table for a number of divisions (2-6; any
// other number gets the two-button table).
const MenuItem* Attendance_ButtonTable(int16_t divisions);
int32_t Attendance_ChooseDivision(int16_t division);
// Opens the goals chart of the club on the chart's row.
int32_t Attendance_OpenClub(int row);

// The goals chart of SelectedClub: goal events of its played fixtures
// before today, its own side's and its opponents', by minute band (1-10,
// 11-20, 21-30, 31-45, 46-60, 61-70, 71-80, 81 on), and the scale (the
// largest count + 2, at least 10).
struct AttendanceGoals {
    int16_t club;
    int16_t scored[kGoalBands];
    int16_t conceded[kGoalBands];
    int16_t scale;
};
extern AttendanceGoals AttendanceGoalBands;
void Attendance_CountGoals(int16_t club);
void AttendanceGoalsProc();
void AttendanceDrawGoals(int x, int y, int w, int h);
