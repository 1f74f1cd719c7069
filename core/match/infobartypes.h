// The information bar's item types (the type InfoBar is given, -6..19),
// each named by the text the bar shows for it.  The types named "silent"
// are accepted and show nothing.
#pragma once
#include <cstdint>

constexpr int16_t kInfoUnusedA = -6;        // silent
constexpr int16_t kInfoRadarSwitch = -5;    // silent: the pitch radar was switched
constexpr int16_t kInfoUnusedB = -4;        // silent
constexpr int16_t kInfoUnusedC = -3;        // silent
constexpr int16_t kInfoDetailSetting = -2;  // Detail: Low, Medium or High
constexpr int16_t kInfoUnusedD = -1;        // silent
constexpr int16_t kInfoKickOff = 0;         // Kick-off
constexpr int16_t kInfoHalfTime = 1;        // silent
constexpr int16_t kInfoOffside = 2;         // Offside <player>
constexpr int16_t kInfoCorner = 3;          // Corner
constexpr int16_t kInfoThrowIn = 4;         // silent
constexpr int16_t kInfoSubstitution = 5;    // Substitution
constexpr int16_t kInfoBooked = 6;          // Booked: <player>
constexpr int16_t kInfoSentOff = 7;         // Sent off: <player>
constexpr int16_t kInfoGoal = 8;            // GOAL! <player> <minute> mins
constexpr int16_t kInfoOwnGoal = 9;         // Own goal: <player> <minute> mins
constexpr int16_t kInfoGoalKick = 10;       // Goal kick
// On : <the value's player> Off : <the figure's player>, or only the first
// half without a figure.
constexpr int16_t kInfoOnOff = 11;
constexpr int16_t kInfoOnOffSecond = 12;
constexpr int16_t kInfoHandball = 13;    // Handball
constexpr int16_t kInfoFoul = 14;        // Foul
constexpr int16_t kInfoFoulTackle = 15;  // Foul tackle
constexpr int16_t kInfoInjuryTime = 16;  // silent
constexpr int16_t kInfoFullTime = 17;    // silent
constexpr int16_t kInfoAdvantage = 18;   // Advantage
constexpr int16_t kInfoAttendance = 19;  // Attendance: <number>

constexpr int16_t kInfoFirstType = kInfoUnusedA;
constexpr int kInfoTypeCount = kInfoAttendance - kInfoFirstType + 1;
