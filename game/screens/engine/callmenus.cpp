#include "game/screens/engine/callmenus.h"

#include <cstdio>

#include "core/base/debug.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"

HVStateRecord HVState;

const int16_t HVGraphicIcons[kHVGraphics] = {1,  41, 31, 14, 15, 16, 3,  4,  5,  6,  17,
                                             18, 19, 20, 21, 22, 23, 29, 25, 26, 27, 154};
const int16_t HVBackgroundNumbers[kHVBackgrounds] = {4, 11, 12, 12, 18, 4, 4};
const uint16_t HVRectColours[kHVColours] = {0xFFFF, 0xFFEF, 0x0000, 0x001F, 0xF800,
                                            0xF81F, 0x07E0, 0x07FF, 0xFFE0, 0x4A69};
const int16_t HVFontColours[kHVColours] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11};

namespace {

constexpr const char* kModule = "hvmenu";
constexpr uint16_t kButtonColour = 0x00D2;
constexpr int kTitleFont = 14;
constexpr int kTitleY = 60;
constexpr uint16_t kCentreMiddle = 10;

// The state check of a call, then its environment check.
void Require(int32_t state, const char* wrongState, const char* call, int line) {
    if (HVState.state != state) AbortError(kModule, line, wrongState);
    if (HVState.environment != 0) {
        char message[64];
        std::snprintf(message, sizeof message, "%s(): unknown environment", call);
        AbortError(kModule, line, message);
    }
}

// The calls that index the fixed tables by a caller's number skip a number
// past them rather than read beyond the table.
bool InTable(int number, int size) { return number >= 0 && number < size; }

}  // namespace

uint16_t HV_AlignCode(uint8_t flags) {
    uint16_t code = 0;
    switch (flags & 0x0F) {
        case 4:
            code = 1;
            break;
        case 5:
            code = 2;
            break;
        case 6:
            code = 3;
            break;
        default:
            break;
    }
    switch (flags & 0xF0) {
        case 0x40:
            code += 4;
            break;
        case 0x50:
            code += 8;
            break;
        case 0x60:
            code += 12;
            break;
        default:
            break;
    }
    return code;
}

void HV_Init(int32_t environment) {
    if (HVState.state != HV_STATE_NONE) AbortError(kModule, __LINE__, "HV_Init(): already initialised");
    if (environment != 0) AbortError(kModule, __LINE__, "HV_Init(): unknown environment");
    HVState = HVStateRecord{};
    HVState.environment = environment;
    HVState.state = HV_STATE_INITIALISED;
}

void HV_Uninit() {
    Require(HV_STATE_INITIALISED, "HV_Uninit(): not initialised, or other error", "HV_Uninit", __LINE__);
    HVState.state = HV_STATE_NONE;
}

void HV_StartSetOfMenus() {
    Require(HV_STATE_INITIALISED, "HV_StartSetOfMenus(): not initialised, or other error",
            "HV_StartSetOfMenus", __LINE__);
    HVState.state = HV_STATE_SET_OF_MENUS;
}

void HV_EndSetOfMenus() {
    Require(HV_STATE_SET_OF_MENUS, "HV_EndSetOfMenus(): not started, or other error", "HV_EndSetOfMenus",
            __LINE__);
    HVState.state = HV_STATE_INITIALISED;
}

void HV_StartMenu() {
    Require(HV_STATE_SET_OF_MENUS, "HV_StartMenu(): not starting set of menus, or other error",
            "HV_StartMenu", __LINE__);
    ResetDrawState();
    HVState.state = HV_STATE_MENU;
}

void HV_EndMenu() {
    Require(HV_STATE_MENU, "HV_EndMenu(): menu not started, or other error", "HV_EndMenu", __LINE__);
    HVState.state = HV_STATE_SET_OF_MENUS;
}

void HV_StartStaticItems() {
    Require(HV_STATE_MENU, "HV_StartStaticItems(): menu not started, or other error", "HV_StartStaticItems",
            __LINE__);
    HVState.staticBackground = 0;
    HVState.staticTitle = nullptr;
    HVState.state = HV_STATE_STATIC;
}

void HV_SetStaticBackground(int16_t number) {
    Require(HV_STATE_STATIC, "HV_SetStaticBackground(): not in static items", "HV_SetStaticBackground",
            __LINE__);
    HVState.staticBackground = number;
}

void HV_SetStaticTitle(const char* text) {
    Require(HV_STATE_STATIC, "HV_SetStaticTitle(): not in static items", "HV_SetStaticTitle", __LINE__);
    HVState.staticTitle = text;
}

void HV_EndStaticItems() {
    Require(HV_STATE_STATIC, "HV_EndStaticItems(): static items not started, or other error",
            "HV_EndStaticItems", __LINE__);
    // A number past the table shows the first background rather than
    // reading beyond it.
    const int16_t number = HVState.staticBackground;
    ShowMenuBackground(HVBackgroundNumbers[InTable(number, kHVBackgrounds) ? number : 0]);
    if (HVState.staticTitle != nullptr) {
        SetFont(kTitleFont);
        SetDrawParam(1, 0);
        DrawTextAddrAt(MenuScreenWidth() / 2, kTitleY, HVState.staticTitle, kCentreMiddle);
    }
    SaveScreen();
    HVState.state = HV_STATE_MENU;
}

void HV_StartDrawing() {
    Require(HV_STATE_MENU, "HV_StartDrawing(): menu not started, or other error", "HV_StartDrawing",
            __LINE__);
    RestoreRectFromBuffer(0, 0, MenuScreenWidth(), MenuScreenHeight());
    SetFont(8);
    SetDrawParam(1, 0);
    HVState.state = HV_STATE_DRAWING;
}

void HV_EndDrawing() {
    Require(HV_STATE_DRAWING, "HV_EndDrawing(): menu not drawing", "HV_EndDrawing", __LINE__);
    RefreshCursor();
    HVState.state = HV_STATE_MENU;
}

void HV_Sync() {
    Require(HV_STATE_MENU, "HV_Sync(): not in a menu, or other error", "HV_Sync", __LINE__);
    uint16_t buttons = 0;
    UpdateMouse(&HVState.mouseX, &HVState.mouseY, &buttons);
    HVState.mouseButtons = buttons;
    DrawCursor();
    WaitTickAndPoll();
    RestoreUnderCursor();
}

void HV_SetFontColour(int16_t number) {
    Require(HV_STATE_DRAWING, "HV_SetFontColour(): drawing not started", "HV_SetFontColour", __LINE__);
    if (InTable(number, kHVColours)) SetDrawParam(1, HVFontColours[number]);
}

void HV_DrawButton(int16_t x, int16_t y, int16_t width, int16_t height, int16_t type) {
    Require(HV_STATE_DRAWING, "HV_DrawButton(): drawing not started", "HV_DrawButton", __LINE__);
    switch (type) {
        case 1:
        case 2:
            SetDrawParam(4, type == 1 ? 2 : 0);
            SetDrawParam(2, kButtonColour);
            DoButton(x, y, width, height);
            break;
        case 3:
        case 4:
            SetDrawParam(2, 0x0000);
            DrawShadedRect(x, y, width, height, type == 3 ? 50 : 25);
            break;
        case 5:
            SetDrawParam(2, 0xF800);
            DrawShadedRect(x, y, width, height, 50);
            break;
        default:
            AbortError(kModule, __LINE__, "HV_DrawButton(): unknown button type");
    }
}

void HV_DrawRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t colour) {
    Require(HV_STATE_DRAWING, "HV_DrawGraphic(): drawing not started", "HV_DrawRect", __LINE__);
    if (!InTable(colour, kHVColours)) return;
    SetDrawParam(2, HVRectColours[colour]);
    DrawSolidRect(x1, y1, x2 - x1, y2 - y1);
}

void HV_DrawGraphic(int16_t x, int16_t y, uint8_t flags, int16_t graphic) {
    Require(HV_STATE_DRAWING, "HV_DrawGraphic(): drawing not started", "HV_DrawGraphic", __LINE__);
    if (InTable(graphic, kHVGraphics)) DrawIcon(x, y, HVGraphicIcons[graphic], HV_AlignCode(flags));
}

void HV_DrawTextNo(int16_t x, int16_t y, uint8_t flags, int32_t value) {
    Require(HV_STATE_DRAWING, "HV_DrawTextNo(): drawing not started", "HV_", __LINE__);
    DrawTextAddrAt(x, y, Number2Str(value), HV_AlignCode(flags));
}

void HV_DrawTextBox(int16_t x, int16_t y, int16_t width, int16_t height, uint8_t flags, const char* text) {
    Require(HV_STATE_DRAWING, "HV_DrawTextNo(): drawing not started", "HV_", __LINE__);
    DrawWrappedText(x, y, text != nullptr ? text : "", HV_AlignCode(flags), width, height);
}

void HV_DrawTextAddr(int16_t x, int16_t y, uint8_t flags, const char* text) {
    Require(HV_STATE_DRAWING, "HV_DrawTextNo(): drawing not started", "HV_DrawTextAddr", __LINE__);
    DrawTextAddrAt(x, y, text != nullptr ? text : "", HV_AlignCode(flags));
}

void HV_GetMousePos(int16_t* x, int16_t* y) {
    if (x != nullptr) *x = HVState.mouseX;
    if (y != nullptr) *y = HVState.mouseY;
}

int32_t HV_GetMouseButtons() { return HVState.mouseButtons; }
