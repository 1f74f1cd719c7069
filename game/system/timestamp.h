// Time stamps for the network layer's records: the clock read in UTC or
// local time, and the date and time written as text.
#pragma once
#include <cstddef>

#include "platform/calendar.h"

using TimeRecord = plat::SystemTime;

constexpr size_t TIME_TEXT_SIZE = 32;  // enough for any of the three forms

void TimeGetSystem(TimeRecord* out);
void TimeGetLocal(TimeRecord* out);
// "2002-08-17"
void TimeFormatDate(char* out, size_t size, const TimeRecord& time);
// "15:04:09"
void TimeFormatTime(char* out, size_t size, const TimeRecord& time);
// "2002-08-17 15:04:09"
void TimeFormatDateTime(char* out, size_t size, const TimeRecord& time);
// True when the hour is over 23, the minute over 59, the second 60 or more,
// or any part negative.
bool TimeIsInvalid(int hour, int minute, int second);
