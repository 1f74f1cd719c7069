#include "platform/calendar.h"

#include <time.h>
#include <ctime>

namespace plat {
namespace {

void Fill(const tm& parts, long nanoseconds, SystemTime* out) {
    out->year = uint16_t(parts.tm_year + 1900);
    out->month = uint16_t(parts.tm_mon + 1);
    out->day_of_week = uint16_t(parts.tm_wday);
    out->day = uint16_t(parts.tm_mday);
    out->hour = uint16_t(parts.tm_hour);
    out->minute = uint16_t(parts.tm_min);
    out->second = uint16_t(parts.tm_sec > 59 ? 59 : parts.tm_sec);  // no leap second
    out->milliseconds = uint16_t(nanoseconds / 1000000);
}

}  // namespace

void GetSystemTime(SystemTime* out) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm parts{};
    gmtime_r(&now.tv_sec, &parts);
    Fill(parts, now.tv_nsec, out);
}

void GetLocalTime(SystemTime* out) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm parts{};
    localtime_r(&now.tv_sec, &parts);
    Fill(parts, now.tv_nsec, out);
}

}  // namespace plat
