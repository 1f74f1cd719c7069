#include "core/season/soak.h"

#include <chrono>

#include "core/season/calendar.h"

uint32_t SoakMode = 0;
int16_t SoakStopPointDay = 0;
int16_t SoakStopPointSeason = -1;

void SoakStopCheck() {
    if (SoakMode == 0 || SoakStopPointSeason < 0) return;
    if (SeasonCalendar.season == SoakStopPointSeason && SeasonCalendar.currentDay == SoakStopPointDay)
        SoakMode = 0;
}

SeasonEventCounts SeasonEvents;

bool DayPhaseTiming = false;
double DayPhaseSeconds[kDayPhaseCount] = {};

uint64_t DayPhaseNow() {
    return uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}
