// The replay control panel of the overlay panels: ten buttons under the
// pointer that send the replay commands, a time bar filled to the replay
// position, and the mouse pointer.
#pragma once
#include <cstdint>

constexpr int kReplayButtons = 10;
constexpr int kReplayGroups = kReplayButtons + 1;  // group 0 the frame

struct ReplayPanelState {
    int32_t highlighted;  // -1 none
    int32_t active;       // -1 none
    float offsets[kReplayGroups * 3];
    uint16_t switches[kReplayGroups];
    uint32_t repeatCountdown;
    int32_t hovered;
    uint32_t firedCountdown;
};
extern ReplayPanelState ReplayPanel;

// The repeat delay in frames of each button while it is held.
extern const uint32_t kReplayButtonDelay[kReplayButtons];

// Puts the replay control panel back to its start when a replay opens.
void ReplayPanel_Reset();
void ReplayPanel_SetActive(int32_t button);
void ReplayPanel_Update();
void ReplayPanel_Draw();
void ReplayPanel_DrawPointer();
// The pointer in panel space (x, y of the hit test, with the panel's shift).
void ReplayPanel_PointerToPanel(int32_t x, int32_t y, float* px, float* py);
// The button under a panel-space point, -1 none.
int32_t ReplayPanel_ButtonAt(float px, float py);
struct ScreenRect;
// The screen rectangle the buttons and the time bar cover together; false
// while their models are not loaded.
bool ReplayPanel_ScreenRect(ScreenRect* out);
