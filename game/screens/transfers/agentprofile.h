// The agent profile: the agent of the player on view (SelectedPlayer), his
// name and profile, and his clients with their position, age, club and
// status.  An agent is a nationality with an agent number.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kAgentShownRows = 12;  // row 0 holds the column heads
constexpr int kAgentFilledRows = 13;

extern const MenuItem AgentProfileTable[];

void AgentProfileScreenProc();
int32_t AgentProfile_ScrollUp(MenuHotItem*);
int32_t AgentProfile_ScrollDown(MenuHotItem*);
int32_t AgentProfile_Back(MenuHotItem*);
int32_t AgentProfile_Row(MenuHotItem*);

// ---- Views (tests) ------------------------------------------------------
int AgentProfileClientCount();
uint16_t AgentProfileClient(int index);
int16_t AgentProfileScroll();
const char* AgentProfileName();
const char* AgentProfileCountText();
// Row 0..12: the player (0 none), position, club and status text ids (-1
// none) and the age (-32768 none).
struct AgentProfileRow {
    uint16_t player;
    int16_t positionText, age, clubText, statusText;
};
AgentProfileRow AgentProfileShownRow(int row);
