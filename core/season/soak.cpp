#include "core/season/soak.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "core/season/calendar.h"
#include "core/season/competitioncodes.h"

uint32_t SoakMode = 0;
int16_t SoakStopPointDay = 0;
int16_t SoakStopPointSeason = -1;

void SoakStopCheck() {
    if (SoakMode == 0 || SoakStopPointSeason < 0) return;
    if (SeasonCalendar.season == SoakStopPointSeason && SeasonCalendar.currentDay == SoakStopPointDay)
        SoakMode = 0;
}

SeasonEventCounts SeasonEvents;

void CountSpareSearch(int16_t club, int16_t competition, bool keeper) {
    ++SeasonEvents.spareSearches;
    if (keeper) ++SeasonEvents.spareKeeperSearches;
    // The sides searched for today; a side's places are filled one after
    // another, but another side's search may come between two of them.
    static int32_t searchDay = -1;
    static std::vector<int32_t> sidesToday;
    const int32_t day = SeasonCalendar.season * 400 + SeasonCalendar.currentDay;
    if (day != searchDay) {
        searchDay = day;
        sidesToday.clear();
    }
    const int32_t side = int32_t(club) * 65536 + uint16_t(competition);
    if (std::find(sidesToday.begin(), sidesToday.end(), side) != sidesToday.end()) return;
    sidesToday.push_back(side);
    ++SeasonEvents.spareSides;
    if (competition == kCompReserveLeague) ++SeasonEvents.spareReserveSides;
}

bool DayPhaseTiming = false;
double DayPhaseSeconds[kDayPhaseCount] = {};

uint64_t DayPhaseNow() {
    return uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}
