// The history browser (screen 43's table): today's fixtures, one country
// per page and one competition per column, each a line with both clubs and
// its score; an opened fixture shows its scorers, cards and crowd under it
// from the match event history.  Shown before the day's matches (title
// 887, second legs with the first leg's score) and as the day's results
// list (title 1558, second legs with the aggregate).  Also its control
// handlers and the companion screen with its two exits.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kHistoryPages = 9;
constexpr int kHistoryCells = 20;
constexpr int kHistoryListEntries = 64;
constexpr int kHistoryScreenLines = 20;
constexpr int kHistoryColumnButtons = 13;
constexpr int16_t kHistoryNoFixture = -1;

// Flags of the browser state.
enum : uint16_t {
    kHistSecondLeagueSet = 0x0001,    // the league buttons pick the reserve codes 6-11
    kHistSetAllowedWhenOn = 0x0002,   // the league-set toggle may go back (ordinary fixtures listed)
    kHistSetAllowedWhenOff = 0x0004,  // the league-set toggle may go on (reserve fixtures listed)
    kHistAltShown = 0x0008,           // the alternate column (13/14) is shown
    kHistAlt13 = 0x0010,              // national-team fixtures listed
    kHistAlt14 = 0x0020,              // under-21 fixtures listed
    kHistRebuildLines = 0x0040,       // the column changed: rebuild the lines
    kHistNewPage = 0x0080,            // the page changed: rebuild everything
    kHistSecondLegs = 0x0100,         // second legs listed: the aggregate cells (rows 430 wide)
};

struct HistoryBrowserState {
    uint16_t Flags;
    int16_t Page;
    uint8_t PageAvailable[kHistoryPages];
    int8_t Column;
    int8_t Row;
    int8_t ColumnCount;
    int16_t RefFixture;
};
extern HistoryBrowserState HistoryBrowser;

// League codes 0-5 a division row, 6-11 the same rows' reserve fixtures,
// 12 friendlies, 13 and 14 the two alternate columns; cup codes the cup
// index for texts and 7 the season opener (type 4).  -1 none.
struct HistoryColumnCell {
    int8_t league;
    int8_t cup;
    int8_t lines;    // fixtures of the column today; 0 or less an empty column
    int8_t topLine;  // the column's saved top line
};
extern HistoryColumnCell HistoryColumns[kHistoryPages][kHistoryCells];
// Fills the rows: row 0 fixed, rows 1-8 from the authored table
// (data/world/history_columns.inc): each country's divisions, their reserve
// twins, its cups, the season opener where the country has one, the
// European cups and 12, 13, 14.
void HistoryColumns_Build();

struct HistoryLine {
    int16_t fixture;
    uint8_t open;
    uint8_t extra;  // event lines under the fixture while open
};
extern HistoryLine HistoryLines[kHistoryListEntries];
extern int16_t HistoryTopLine;
// Entries of the list (at most 64) and the screen lines they take.
extern int16_t HistoryLineCount;
extern int16_t HistoryScreenLineTotal;

// 1 when the browser was opened before the day's matches.
extern uint16_t HistoryOpenedFromContinue;
// Set by the leave controls.
extern int16_t HistoryLeaveFlag;

extern const MenuItem HistoryBrowserTable[];
extern const MenuItem HistoryCompanionTable[];
void HistoryMenuProc();
// Runs the browser's table with the title text and the opened-from-Continue
// word.
void RunHistoryBrowser(int16_t titleText, uint16_t openedFromContinue);

// Searches of the browser over the event history.
void HistoryLine_SetOpen(int16_t line, int16_t open);
char* HistoryBrowser_RoundEntry(int16_t n);
int16_t HistoryBrowser_ColumnOfFixture(int16_t fixture);
// The cell of page's row that lists the fixture when it is played on the
// page; -1 when the page does not list it or its row has no cell for it.
int16_t HistoryBrowser_CellOnPage(int16_t fixture, int16_t page);

// Control handlers (the results of the menu engine: 1 nothing, 2 redraw,
// 6 close).
int32_t HistoryBrowser_ToggleScreenLine(int16_t screenLine);
int32_t HistoryBrowser_ChoosePage(int16_t page);
int32_t HistoryBrowser_ColumnByCode(bool league, int8_t code);
int32_t HistoryBrowser_ColumnByLeagueCode(int8_t division);
int32_t HistoryBrowser_AlternateColumn(MenuHotItem* item);
int32_t HistoryBrowser_ToggleLeagueSet(MenuHotItem* item);
int32_t HistoryBrowser_PageUp(MenuHotItem* item);
int32_t HistoryBrowser_PageDown(MenuHotItem* item);
void HistoryBrowser_DrawMarker(int x, int y, int w, int h);

// Exits: the back button (leave flag, close), to the club screen (the
// saved-goal count cleared) and to the club screen with every saved goal
// replay deleted; all but the first set the match-day bit that draws the
// end-of-day panel.
int32_t HistoryBrowser_Leave(MenuHotItem* item);
int32_t HistoryBrowser_LeaveToClub(MenuHotItem* item);
int32_t HistoryBrowser_LeaveAndClearGoals(MenuHotItem* item);
// The companion screen: its function clears three selection slots, its
// buttons end the front end or go to the club screen.
void HistoryCompanionProc();
extern int16_t HistoryCompanionSlots[3];
int32_t HistoryCompanion_Quit(MenuHotItem* item);
int32_t HistoryCompanion_ToClub(MenuHotItem* item);

// The prepared screen lines: a fixture line (clubs, score cells, winner
// marks) or an event line under an open fixture (home and away texts in
// their colours).
struct HistoryScreenLine {
    int16_t entry;  // the list entry the line belongs to; -1 an unused line
    bool eventLine;
    char home[1000];
    char away[300];
    char score[24];
    char aggregate[24];
    int16_t homeColour, awayColour;
};
extern HistoryScreenLine HistoryScreen[kHistoryScreenLines];
// The column buttons of the page: labels, states (1 the current column, 0
// one with fixtures, 10 an empty one) and the cells they stand for.
extern const char* HistoryButtonLabels[kHistoryColumnButtons];
extern int16_t HistoryButtonStates[kHistoryColumnButtons];
extern int8_t HistoryButtonCells[kHistoryColumnButtons];
extern int16_t HistoryButtonCount;
// The header line over the list, the page arrows' icon (154, 0 none), the
// league-set and alternate buttons' texts and states.
extern char HistoryHeaderLine[160];
extern int16_t HistoryPageArrows;
extern int16_t HistoryLeagueSetText, HistoryLeagueSetState;
extern int16_t HistoryAltText, HistoryAltState;
extern int16_t HistoryTitleText;
