// The overlay panels over the 3D match: score, clock, one panel per side,
// the information bar's message and the simulation's menu, each a small
// model with text on it.  A panel slides out when it is not wanted and turns
// half a turn about its long axis to change its content, taking the new
// content while its back faces the viewer.
#pragma once
#include <cstdint>

// Model slots of the panels.
constexpr int kPanelSlotReplay = 0;
constexpr int kPanelSlotTimeBar = 1;
constexpr int kPanelSlotClock = 2;
constexpr int kPanelSlotScore = 3;
constexpr int kPanelSlotSpare = 4;
constexpr int kPanelSlotMenu = 5;
constexpr int kPanelSlotInfo = 6;
constexpr int kPanelSlotHome = 7;
constexpr int kPanelSlotAway = 8;
constexpr int kPanelSlotRadar = 9;

constexpr int32_t kPanelNoKey = -1;

struct FlipPanel {
    float hide;   // 0 fully shown, 1 hidden
    float angle;  // 0..2 pi
    int32_t key;  // the content shown, kPanelNoKey none
};

extern FlipPanel ScorePanel, ClockPanel, TeamPanels[2], MenuPanel, InfoPanel;

void Panel_LoadModels();
// Each side's flag texture and the flag mesh; freed by Panel_FreeFlags.
void Panel_LoadFlags();
void Panel_FreeFlags();
struct PanelFlag {
    uint32_t texture;  // 0 none
    float aspect;      // width / height
};
const PanelFlag& Panel_GetFlag(int side);
constexpr int kFlagMeshColumns = 30, kFlagMeshRows = 20;
// The flag mesh's vertex texture coordinates (u, v per vertex), null before
// Panel_LoadFlags.
const float* Panel_GetFlagMeshUv();
// The flag table row of a name, -1 when the table has none.
int Panel_FindFlag(const char* name);

// One step of a flip panel toward hide wantedHide with content key; showBack
// turns its back to the viewer whatever the key.
void FlipPanel_Step(FlipPanel* panel, float wantedHide, int32_t key, bool showBack);

void MenuPanel_Init();
void MenuPanel_Update();
void Panel_DrawMenu();
void InfoPanel_Init();
void InfoPanel_Update();
void InfoPanel_Draw();
void TeamPanel_Init();
void TeamPanel_Update();
void TeamPanel_Draw();
void ScorePanel_Init();
void ScorePanel_Update();
void ScorePanel_Draw();
void ClockPanel_Init();
void ClockPanel_Update();
void ClockPanel_Draw();

// The clock text of the running period ("%3d:%02d"), or false when the
// period has no clock (the shoot-out).
bool ClockPanel_Time(int* minutes, int* seconds);

struct ScreenRect;
// The screen rectangle of a flip panel, the information panel or the menu
// panel (by model slot) fully shown; false for another slot or one not
// loaded.
bool Panel_ShownScreenRect(int slot, ScreenRect* out);

// Every panel's init, and the frame's updates and draws in their order.
void Panels_Init();
void Panels_Update();
void Panels_Draw();
