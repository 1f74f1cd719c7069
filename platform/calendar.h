// The calendar clock, broken down as the support library's time stamps
// want it: in UTC (system time) or in the machine's time zone (local time).
#pragma once
#include <cstdint>

namespace plat {

struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;        // 1..12
    uint16_t day_of_week = 0;  // 0 = Sunday
    uint16_t day = 0;          // 1..31
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

void GetSystemTime(SystemTime* out);
void GetLocalTime(SystemTime* out);

}  // namespace plat
