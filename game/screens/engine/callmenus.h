// The call-based menu interface: a menu is declared and then drawn frame
// after frame through HV_ calls, each checking that it comes at its place
// in a fixed nesting (initialised, set of menus, menu, static items,
// drawing).  A call out of place ends the program with its message.
#pragma once
#include <cstdint>

enum HVStateValue : int32_t {
    HV_STATE_NONE = 0,
    HV_STATE_INITIALISED = 1,
    HV_STATE_SET_OF_MENUS = 2,
    HV_STATE_MENU = 3,
    HV_STATE_STATIC = 4,
    HV_STATE_DRAWING = 5,
};

struct HVStateRecord {
    int32_t state;
    int32_t environment;  // 0 is the only one
    int16_t mouseX, mouseY;
    int32_t mouseButtons;
    int16_t staticBackground;
    const char* staticTitle;  // null: none
};
extern HVStateRecord HVState;

constexpr int kHVGraphics = 22;
constexpr int kHVBackgrounds = 7;
constexpr int kHVColours = 10;
extern const int16_t HVGraphicIcons[kHVGraphics];
extern const int16_t HVBackgroundNumbers[kHVBackgrounds];
extern const uint16_t HVRectColours[kHVColours];
extern const int16_t HVFontColours[kHVColours];

// The painters' alignment code of the interface's flags: low nibble 4 left,
// 5 centre, 6 right; high nibble 0x40 top, 0x50 middle, 0x60 bottom.
uint16_t HV_AlignCode(uint8_t flags);

void HV_Init(int32_t environment);
void HV_Uninit();
void HV_StartSetOfMenus();
void HV_EndSetOfMenus();
void HV_StartMenu();
void HV_EndMenu();
void HV_StartStaticItems();
void HV_SetStaticBackground(int16_t number);
void HV_SetStaticTitle(const char* text);
// Draws the static part (background, title) and keeps it as the saved
// screen that every drawing pass starts from.
void HV_EndStaticItems();
void HV_StartDrawing();
void HV_EndDrawing();
// Between frames: the mouse read into HVState, the cursor shown while the
// next tick's poll runs.
void HV_Sync();
void HV_SetFontColour(int16_t number);
// Types: 1 raised button, 2 shaded button, 3 black at 50 %, 4 black at
// 25 %, 5 red at 50 %.
void HV_DrawButton(int16_t x, int16_t y, int16_t width, int16_t height, int16_t type);
void HV_DrawRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t colour);
void HV_DrawGraphic(int16_t x, int16_t y, uint8_t flags, int16_t graphic);
void HV_DrawTextNo(int16_t x, int16_t y, uint8_t flags, int32_t value);
void HV_DrawTextBox(int16_t x, int16_t y, int16_t width, int16_t height, uint8_t flags, const char* text);
void HV_DrawTextAddr(int16_t x, int16_t y, uint8_t flags, const char* text);
void HV_GetMousePos(int16_t* x, int16_t* y);
int32_t HV_GetMouseButtons();
