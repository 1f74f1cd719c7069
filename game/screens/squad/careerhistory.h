// The player career history screen (screen 54): the career of
// SelectedPlayer season by season, his appearances, goals (clean sheets for
// a goalkeeper) and average rating in the two competition groups per season
// and club, the events of his career between them, and a totals row.
#pragma once
#include <cstdint>

#include "core/records/history.h"
#include "game/screens/engine/screenmachine.h"

constexpr int kCareerEntries = kPlayerHistoryLookup;  // 100
constexpr int kCareerRows = 14;
constexpr int kCareerTotalsRow = kCareerRows;

extern PlayerHistoryEntry CareerEntries[kCareerEntries];
extern int16_t CareerCount;
extern int16_t CareerTopRow;

// One competition group of a row: -1 in rating shows nothing; a group that
// is not shown has shown false.
struct CareerGroup {
    bool shown;
    int32_t apps, subs, goals;
    int32_t rating;
};

// What a row shows; kind -1 is an empty row.
struct CareerRowView {
    int16_t kind;      // 0 a season-and-club row (kinds 0 and 1), 2-8 an event
    int16_t season;    // -1 none
    int16_t clubText;  // the club's name text, -1 none
    char composed[80];
    int16_t composedAt;  // 179 or 300 (relative x), 0 none
    int16_t eventText;   // -1 none
    int32_t fee;         // money, INT32_MIN none
    int16_t feeText;     // -1 none
    CareerGroup groups[2];
};

extern const MenuItem CareerHistoryTable[];

void CareerHistoryMenu();
// The first-entry steps: the buffer cleared to player -1 and filled.
void CareerHistory_Enter();
// Rows 0-13 and the totals row 14.
const CareerRowView& CareerHistory_Row(int row);
int16_t CareerHistory_GoalsHeading();

int32_t CareerHistory_ScrollUp(MenuHotItem* item);
int32_t CareerHistory_ScrollDown(MenuHotItem* item);
int32_t CareerHistory_Back(MenuHotItem* item);
