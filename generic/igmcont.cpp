#include "generic/igmcont.h"

#include "generic/matchkeys.h"
#include "match/matchsetup.h"
#include "zud3d/d3dgame.h"

uint16_t InGameMenuId = 65535;
int16_t InGameMenuArg;
int16_t InGameMenuArgGiven;
int16_t InGameMenuActive;

void ResetMatchDisplayValues() { MatchKeys_ResetSwitches(); }

namespace {

int16_t SecondTeamHuman() { return MatchTeamHuman(&GameInfo, 1) ? 1 : 0; }

void Request(uint16_t menu, int16_t argGiven) {
    InGameMenuId = menu;
    InGameMenuArgGiven = argGiven;
    InGameMenusLoop();
}

}  // namespace

void IGMenu_Request1() { Request(1, 0); }
void IGMenu_Request2() { Request(2, 0); }
void IGMenu_Request6(int16_t team) {
    InGameMenuArg = team;
    Request(6, 1);
}
void IGMenu_Request6Auto() {
    InGameMenuArg = SecondTeamHuman();
    Request(6, 0);
}
void IGMenu_Request8(int16_t team) {
    InGameMenuArg = team;
    Request(8, 1);
}
void IGMenu_Request10() {
    InGameMenuArg = SecondTeamHuman();
    Request(10, 0);
}

// Until the in-match screens are built a visit shows none of them: the
// display is closed and opened again around it, as every visit does, and
// the match goes on.
void InGameMenusLoop() {
    Match3D_DisplayOff();
    InGameMenuActive = 1;
    InGameMenuId = 65535;
    InGameMenuActive = 0;
    Match3D_DisplayOn();
}
