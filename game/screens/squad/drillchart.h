// The drill chart: the user picks up to six players of his club's selected
// team and sees, for each, a series of readings of a drill of 5 to 40
// steps, drawn together on one chart in the player's colour.  The readings
// are made up from the game's generator when a player is picked; nothing is
// stored in the game records.  The table has no screen id: the staff
// member's screen pushes it.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kDrillSquadSize = 32;
constexpr int kDrillShownNames = 16;
constexpr int kDrillSlots = 6;
constexpr int kDrillMostSteps = 40;
constexpr int kDrillLeastSteps = 5;
constexpr int8_t kNoReading = -1;

struct DrillState {
    uint16_t squad[kDrillSquadSize];
    uint8_t squadCount;
    int16_t pageStart;
    uint16_t players[kDrillSlots];
    int8_t readings[kDrillSlots][kDrillMostSteps];
    uint8_t length;
    int8_t order[kDrillSlots];
};
extern DrillState Drill;

extern const MenuItem DrillChartTable[];
void DrillMenuProc();
// The first walk's set-up: the squad copy sorted by position type, no
// players chosen, the length 40.
void Drill_Enter();
// Row r of the shown names: removes a chosen player (2), or gives the
// first free slot a new series and keeps the player when it has a
// reading (2); an empty place or a seventh player gives 1.
int32_t Drill_TogglePlayer(int row);
// The readings of slot k drawn afresh for the current length.
void Drill_NewSeries(int slot);
int32_t Drill_Shorter(MenuHotItem* item);
int32_t Drill_Longer(MenuHotItem* item);
int32_t Drill_PageUp(MenuHotItem* item);
int32_t Drill_PageDown(MenuHotItem* item);
int32_t Drill_Back(MenuHotItem* item);
void Drill_DrawChart(int x, int y, int w, int h);
void Drill_DrawPanels(int x, int y, int w, int h);
// A segment of the given thickness as filled rectangles: the series colour
// with the bright colour on its top row, and a black one a pixel below.
void Drill_DrawLine(int x1, int y1, int x2, int y2, int thickness, uint16_t colour, uint16_t bright);

// The series and bright colours of slot 0..5 (16-bit 5-6-5).
uint16_t Drill_SeriesColour(int slot);
uint16_t Drill_BrightColour(int slot);
// The height of a reading on the chart.
int Drill_ReadingY(int value);
// True when the text holds exactly one "%d" and no other conversion.
bool Drill_IsLengthFormat(const char* text);
