#include "game/system/timestamp.h"

#include <cstdio>

void TimeGetSystem(TimeRecord* out) { plat::GetSystemTime(out); }
void TimeGetLocal(TimeRecord* out) { plat::GetLocalTime(out); }

void TimeFormatDate(char* out, size_t size, const TimeRecord& time) {
    std::snprintf(out, size, "%04d-%02d-%02d", time.year, time.month, time.day);
}

void TimeFormatTime(char* out, size_t size, const TimeRecord& time) {
    std::snprintf(out, size, "%02d:%02d:%02d", time.hour, time.minute, time.second);
}

void TimeFormatDateTime(char* out, size_t size, const TimeRecord& time) {
    char date[TIME_TEXT_SIZE];
    char clock[TIME_TEXT_SIZE];
    TimeFormatDate(date, sizeof date, time);
    TimeFormatTime(clock, sizeof clock, time);
    std::snprintf(out, size, "%s %s", date, clock);
}

bool TimeIsInvalid(int hour, int minute, int second) {
    // Negative parts are not a time either.
    return hour < 0 || minute < 0 || second < 0 || hour > 23 || minute > 59 || second >= 60;
}
