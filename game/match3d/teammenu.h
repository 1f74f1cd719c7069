// The in-match team screen (in-game menu 1): one side of the running match
// with its players' ratings, statuses and instructions, the four roles, the
// formation, a pitch diagram of positions, run points and marking edited
// with the mouse, and at a stoppage the bench and substitutions.  Changes go
// straight into the match; the menu loop applies the tactic records when
// the menus close.  A computer side's screen only shows.
#pragma once
#include <cstdint>

#include "core/club/tactics.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/squad/teamselect.h"

constexpr uint16_t kIgNone = 65535;
constexpr int kIgListRows = 11;
constexpr int kIgBenchRows = 5;
constexpr int kIgRoles = 4;

extern int16_t IgTeamHuman;
extern TacticRecord* IgTactic;
extern uint16_t IgSelectedRow;
extern uint16_t IgBenchPick;
extern uint16_t IgShownRole;
extern int16_t IgValueColumnA;  // -1 off
extern int16_t IgValueColumnB;
extern uint16_t IgPitchGrid[kPitchRows][kPitchColumns];

extern const MenuItem IgTeamTable[];

// The first walk's set-up and every walk's rebuild (the screen function
// runs both).
void IgTeam_Enter();
void IgTeam_Build();
// The text a row (list 0-10, bench 11 up) shows in value column 0 (A) or
// 1 (B); "" past the rows.
const char* IgTeam_ValueText(int row, int column);

// The list's rows 0-10 (line-up entries 0-10) and the bench's rows 0-4
// (entries 11 up), with the button that clicked (right opens the player).
int32_t IgTeam_PickRow(int row, bool right);
int32_t IgTeam_PickBench(int row, bool right);
// The picked substitution made: phase to resume kept, phase 15, the two
// slots exchanged by the engine.
void IgTeam_Substitute();
int32_t IgTeam_SetRole(int role);
int32_t IgTeam_ShowRole(int role);
int32_t IgTeam_CycleA(int row);
int32_t IgTeam_CycleBC(int row);
int32_t IgTeam_ClearMarking(int row);
int32_t IgTeam_SetFormation(int entry);
int32_t IgTeam_ColumnA(int entry);
int32_t IgTeam_ColumnB(int entry);
int32_t IgTeam_ReturnToMatch();

// The diagram's mouse handling with the pointer on the layout and the
// buttons held (bit 0 left, bit 1 right), and its two edits.
void IgTeam_LogicalInfusion(int x, int y, int buttons);
void IgTeam_PositionPlayer(int entry, int16_t column, int16_t row);
void IgTeam_SwapPitchEntries(int a, int b);
void IgTeam_DrawPitch();
// While a button is held after a press on the diagram: a line from the
// press cell to the pointer, in the colour of the button.
void IgTeam_DrawDrag();

// The text of the first failing leave test (0 when leaving is allowed).
int16_t IgTeam_LeaveProblem();
// The leave check: shows the failing test's message and answers false.
bool IgLeaveCheck();
