// In-match menus: the requests through which the match and its keys open
// them, the loop that runs the in-match screens with the 3D display shut
// down for their time, the button bar those screens share, and the display
// state that start-up clears.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// The display switches of the in-match keys back to their start values.
void ResetMatchDisplayValues();

// The menu ids the loop knows; 65535 leaves the menus.
enum : uint16_t {
    kIgTeamMenu = 1,
    kIgPlayerStatsMenu = 2,
    kIgLineupsMenu = 3,
    kIgTeamStatsMenu = 6,
    kIgShootoutMenu = 8,
    kIgVideoMenu = 10,
    kIgProfileMenu = 12,
    kIgLeaveMenus = 65535,
};

// The menu to show next (65535 back to the match), the team a request
// hands over and whether it handed one, and 1 while the menus run.
extern uint16_t InGameMenuId;
extern int16_t InGameMenuArg;
extern int16_t InGameMenuArgGiven;
extern int16_t InGameMenuActive;
// The side (0 or 1) the team screens show; kept from visit to visit.
extern uint16_t IgViewSide;
// The text of the first pop-up entry of each side's bar button (the team
// screen of a human-managed or of a computer side), and each side's club.
extern int16_t IgSideMenuText[2];
extern int16_t IgSideClub[2];

void IGMenu_Request1();
void IGMenu_Request2();
void IGMenu_Request6(int16_t team);
void IGMenu_Request6Auto();
void IGMenu_Request8(int16_t team);
void IGMenu_Request10();
// Runs the requested menus with the 3D display shut down for their time.
void InGameMenusLoop();

// The button bar at the foot of the team, statistics and line-up screens:
// a nested table (type 33) to include in a screen table.
extern const MenuItem IgButtonBarTable[];
// The bar's texts for the coming walk (the screens' functions call it).
void IgButtonBar_Prepare();
// The bar's back icon: leaves when the team screen's leave check passes.
int32_t IgButtonBar_Back(MenuHotItem* item);
