// The club history log (screen 95): the notable events of the selected
// club's history, newest season first, 18 a page, with sixteen filter
// buttons and "all" that pick the kinds of event shown.
#pragma once
#include <cstdint>

#include "core/records/history.h"
#include "game/screens/engine/screenmachine.h"

constexpr int kClubLogRows = 18;
constexpr int kClubLogFilters = 16;
constexpr uint16_t kClubLogAll = 100;
// Event types 0-17; a log entry of another type is not shown.
constexpr int kClubLogLastType = 17;
constexpr uint16_t kClubLogFreeEntry = 65535;

struct ClubLogState {
    ClubHistoryEntry log[100];
    int16_t count;
    int16_t top;
    uint16_t filter;
    uint16_t marks[kClubLogFilters];
    uint16_t allMark;
};
extern ClubLogState ClubLog;

extern const MenuItem ClubHistoryTable[];
void ClubHistoryScreenProc();
// The filter buttons top to bottom (0-15) and "all".
int32_t ClubHistory_Filter(int16_t button);
int32_t ClubHistory_All(MenuHotItem*);
int32_t ClubHistory_ScrollUp(MenuHotItem*);
int32_t ClubHistory_ScrollDown(MenuHotItem*);
int32_t ClubHistory_Back(MenuHotItem*);
// Every mark to 0; nothing on the screen calls it.
void ClubHistory_ClearMarks();
// The filter each button sets.
extern const uint16_t kClubLogButtonFilters[kClubLogFilters];

// The row badge of a marker word over x, y, w, h: 2, 3, 5 blue, 6, 7
// green, 4, 8 red; any other marker draws nothing.  True when drawn.
bool DrawHistoryRowBadge(int marker, int x, int y, int w, int h);

// Views (tests), row 0-17 of the page.
const char* ClubHistoryRowSeason(int row);
int16_t ClubHistoryRowLabel(int row);
const char* ClubHistoryRowText(int row);
int16_t ClubHistoryRowMarker(int row);
