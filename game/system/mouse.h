// The mouse, read as relative motion: each read measures how far the system
// cursor moved from a reference point and puts it back there (in a window
// the pointer stays where it is, see MousePointerPosition).  The system
// pointer is hidden over the window while the mouse driver runs.
#pragma once
#include <cstdint>

// Mouse modes.
constexpr int16_t MOUSE_MODE_OFF = 0;
constexpr int16_t MOUSE_MODE_NOT_READY = 1;
constexpr int16_t MOUSE_MODE_READY = 2;

// Button word bits.
constexpr uint16_t MOUSE_BUTTON_PRIMARY = 1u << 0;
constexpr uint16_t MOUSE_BUTTON_SECONDARY = 1u << 1;
constexpr uint16_t MOUSE_BUTTON_MIDDLE = 1u << 2;

// Where the cursor is put back after each read, from the client area's
// top-left corner.
constexpr int MOUSE_REFERENCE_OFFSET = 100;

void InitMouseDriver();
void ResetMouseDriver();
void UninitMouseDriver();
// The graphics code calls this on entering a mode: the mouse must be reset
// before it is read again.
void KeyResetMode();
void ReadMouseDriver(int16_t* x, int16_t* y, uint16_t* buttons);
void GetMouseClientPos(int16_t* x, int16_t* y, uint16_t* buttons);
// In a window the system pointer moves freely and can be put anywhere at
// once (a tablet, a remote desktop, a virtual machine's pointer), and the
// reads above leave it where it is, so their motion is the pointer's own:
// the game's cursor then stands where the pointer is.  True with the
// pointer's position in the client area once it has been over the window;
// false full screen, where the cursor moves by the motion alone.
bool MousePointerPosition(int16_t* x, int16_t* y);
