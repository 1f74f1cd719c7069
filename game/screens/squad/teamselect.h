// Team selection on the pitch (screen 24): the line-up and tactics of the
// user's team list, or of his second list in the second-list view, edited
// in the club's tactic books.  The grid conversions and the arrow painters
// are shared with the in-match team screen.
#pragma once
#include <cstdint>

#include "core/club/tactics.h"
#include "game/screens/engine/screenmachine.h"

// The pitch grid: 18 rows (row 17 at the top of the diagram) by 15 columns,
// over x 507-760 and y 119-452 of the layout.
constexpr int kPitchRows = 18;
constexpr int kPitchColumns = 15;
constexpr int kPitchLeft = 507, kPitchRight = 760, kPitchTop = 119, kPitchBottom = 452;

// Screen point to cell, kept on the grid (a point on the diagram's bottom
// or right edge belongs to the last cell); cell to the cell's centre.
int16_t ScreenYToPitchRow(int16_t y);
int16_t ScreenXToPitchColumn(int16_t x);
int16_t PitchRowToScreenY(int16_t row);
int16_t PitchColumnToScreenX(int16_t column);

// Curved arrows from (x1, y1) to (x2, y2), bending by the side of the
// diagram the arrow starts on: white, and the marking colour.
void DrawPitchArrowWhite(int x1, int y1, int x2, int y2);
void DrawPitchArrowColour(int x1, int y1, int x2, int y2);

// One entry of a tactic record as the screen reads it (points -1 when not
// set, marking -1 for none).
struct TacticEntryView {
    int16_t column, row;
    int16_t forwardColumn, forwardRow;
    int16_t backColumn, backRow;
    int16_t markColumn, markRow;
    int16_t marking;
    uint8_t a, b, c;
};
TacticEntryView ReadTacticEntry(const TacticRecord& record, int entry);

// The edit slot of each book and the tactic index that names it.
constexpr int16_t kEditTacticIndex = 21;
constexpr int kMarkerFrames = 25;

// Screen state shared with the handlers and the tests.
extern uint16_t PitchGrid[kPitchRows][kPitchColumns];
extern uint16_t TeamSelectPick;
extern uint16_t TeamSelectListPlayers[16];
struct PitchMarker {
    int16_t currentX, currentY, targetX, targetY;  // -1 idle
    float phase;
};
extern PitchMarker PitchMarkers[kTacticEntries];
extern int16_t TeamSelectColumnA, TeamSelectColumnB;
extern bool TeamSelectColumnAOff;

extern const MenuItem TeamSelectTable[];
void TeamSelectMenu();
// The first-entry set-up of the screen (the screen function runs it on its
// first walk).
void TeamSelect_Enter();
// The working record of the view (the last walk's copy).
const TacticRecord& TeamSelectShownTactic();

// The pitch's mouse handling, with the pointer on the layout and the
// buttons held (bit 0 the first, bit 1 the second).
void LogicalInfusion(int x, int y, int buttons);
void PositionPlayer(uint16_t player, int16_t column, int16_t row);
void SwapPitchPlayers(uint16_t a, uint16_t b);
// The diagram's per-frame painters: the drag line's follow-up, the pitch
// with its players and lines, and the moving markers.
void TeamSelect_DrawDrag();
void TeamSelect_DrawPitch();
void TeamSelect_AnimateMarkers();

// Handlers, by list row 0-15, instruction row 0-10 and role row 0-3.
int32_t TeamSelect_ListClick(int row, bool secondButton);
int32_t TeamSelect_CycleA(int row);
int32_t TeamSelect_CycleCB(int row);
int32_t TeamSelect_ClearMarking(int row);
int32_t TeamSelect_RoleClick(int role);
int32_t TeamSelect_CopyTactic(MenuHotItem* item);
// The pop-ups' choices: formation entry k, custom-tactic entry k, value
// column kinds (column A: -1 switches it off).
int32_t TeamSelect_ChooseFormation(int k);
int32_t TeamSelect_SaveCustom(int k);
int32_t TeamSelect_ChooseColumnA(int kind);
int32_t TeamSelect_ChooseColumnB(int kind);
// Custom slots 0-10 in use in the view's book, and the pop-ups' row counts.
int TeamSelect_CustomSlotsUsed();
int TeamSelect_FormationEntries();
int TeamSelect_CustomEntries();
// The player held in role row 0-3 of the view (0 none).
uint16_t TeamSelect_RolePlayer(int role);
