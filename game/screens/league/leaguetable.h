// The league table screen (screen 9): one division of the viewed country,
// 18 rows at a time, with each club's home and away record, goal
// difference, points, form, its move since the last league day and what
// is already settled of its season.  Fourteen column headers re-sort the
// table, division buttons switch the division, and divisions with a
// reserve league show its table on a toggle.  A club name opens the club's
// squad list.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kLeagueTableRows = 18;
constexpr int kLeagueTableCounters = 13;
constexpr uint16_t kNoTableClub = 65535;
constexpr int16_t kLeagueOrderView = 12;
constexpr int16_t kFormView = 13;
constexpr int16_t kLeagueTableViews = 14;
// A 16-bit cell that draws nothing.
constexpr int16_t kBlankCell = INT16_MIN;

// The club and division the ranking screens hand over to the table (65535
// none); the table forgets both when it is left.
extern uint16_t HandedOverClub;
extern uint16_t HandedOverDivision;

// Kept between visits: the column view (12 league order), the table (0
// league, 1 reserve league) and the index of the first row shown.
extern int16_t LeagueTableView;
extern int16_t LeagueTableMode;
extern int16_t LeagueTableTop;

extern const MenuItem LeagueTableTable[];
void LeagueTableMenu();

int32_t LeagueTable_SetColumnView(int16_t view);
int32_t LeagueTable_SetDivision(int16_t division);
int32_t LeagueTable_ToggleTable(MenuHotItem*);
int32_t LeagueTable_ScrollDown(MenuHotItem*);
int32_t LeagueTable_ScrollUp(MenuHotItem*);
int32_t LeagueTable_PickClub(int row);
int32_t LeagueTable_ToClubMain(MenuHotItem*);
void LeagueTable_Leave();

// Painters: the shaded bands behind the shown rows, and the promotion,
// play-off and relegation lines of one row.
void LeagueTable_DrawRowBands(int x, int y, int w, int h);
void LeagueTable_DrawZoneLines(int x, int y, int w, int h);
// The bands' colours (draw colour words) and the zone lines' colour.
constexpr uint16_t kRowBandColours[4] = {0, 0x3000, 0x0180, 0};
constexpr uint16_t kZoneLineColour = 0xB260;

// The zone lines of a shown row: the solid line under the promotion places
// or over the relegation places, the dashed line under the play-off places
// (0 for a row not shown).
constexpr int kZoneLineSolid = 1, kZoneLineDashed = 2;
int LeagueTableZoneLines(int row);

// ---- Views (tests) ----------------------------------------------------------
struct LeagueTableRow {
    uint16_t club;  // 65535 an empty row
    // Played; home won, drawn, lost, for, against; away the same; points;
    // place (1-based); kBlankCell on an empty row.
    int16_t counters[kLeagueTableCounters];
    int16_t goalDifference;
    int16_t movementIcon;  // 87 unchanged, 88 up, 89 down
    int16_t outcomeText;   // -1 none
    int16_t style;         // 0, 1 a human manager's club, 7 the handed-over club
    char goalDifferenceText[12];
    char formText[16];
};
const LeagueTableRow& LeagueTableShownRow(int row);
int16_t LeagueTableShownRows();
// The division's clubs in the order shown, and their count.
uint16_t LeagueTableSortedClub(int index);
int16_t LeagueTableClubCount();
const char* LeagueTableTitle();
// 1 when the division shows the reserve-league toggle.
bool LeagueTableHasToggle();
