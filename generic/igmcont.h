// In-match menus: the requests through which the match and its keys open
// them, and the display state that start-up clears.
#pragma once
#include <cstdint>

// The display switches of the in-match keys back to their start values.
void ResetMatchDisplayValues();

// The menu to show next (65535 back to the match), the team a request
// hands over and whether it handed one, and 1 while the menus run.
extern uint16_t InGameMenuId;
extern int16_t InGameMenuArg;
extern int16_t InGameMenuArgGiven;
extern int16_t InGameMenuActive;

void IGMenu_Request1();
void IGMenu_Request2();
void IGMenu_Request6(int16_t team);
void IGMenu_Request6Auto();
void IGMenu_Request8(int16_t team);
void IGMenu_Request10();
// Runs the requested menus with the 3D display shut down for their time.
void InGameMenusLoop();
