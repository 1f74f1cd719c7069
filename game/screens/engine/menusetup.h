// Menu set-up: opening and closing the menu display, the numbered
// backgrounds, screen updates, the arrow and busy cursors (with the progress
// bar the busy cursor's poll function draws) and a few small services of the
// menu engine.
#pragma once
#include <cstdint>

// The numbered menu backgrounds: 34 pictures of the full screen, "<name>.tga"
// in "menugfx\\bg", then an end entry without a name.
constexpr int BACKGROUND_COUNT = 34;
constexpr int BACKGROUND_WIDTH = 800;
constexpr int BACKGROUND_HEIGHT = 600;
struct BackgroundEntry {
    const char* name;
    uint8_t* picture;  // converted picture (GFX0), null while not loaded
};
extern BackgroundEntry BackgroundList[BACKGROUND_COUNT + 1];

// Cursor icons: the arrow (hot spot top left) and the 20 busy frames (hot
// spot 12 pixels right and down of the top left).
constexpr int CURSOR_ARROW_ICON = 64;
constexpr int CURSOR_BUSY_ICON = 65;
constexpr int CURSOR_BUSY_FRAMES = 20;
constexpr int CURSOR_BUSY_HOT_SPOT = 12;
// The cursor stays this far inside the right and bottom screen edges.
constexpr int CURSOR_EDGE = 6;

extern int16_t CursorX;
extern int16_t CursorY;
extern int16_t HideCursorCount;
// Nesting count of the busy cursor: shown while above 0.
extern int16_t BusyCursorNest;
extern int16_t BusyCursorFrame;
// 0 after a new screen until the first screen update, then 1.
extern int16_t ScreenPresented;
// Written by the long operations; the busy cursor shows a bar while the
// total is above 0.
extern int16_t ProgressTotal;
extern int16_t ProgressDone;

// 1 between InitSetOfMenus and UninitSetOfMenus.
int MenuDisplayIsOpen();

void InitSetOfMenus();
void UninitSetOfMenus();
[[noreturn]] void QuickTermination();

void ShowMenuBackground(int16_t n);
void UpdateScreen();
void SaveScreen();

void HideCursorNest(int16_t hide);
// 1 shows the busy cursor, 0 removes one level of it.
void EnableCursorNest(int16_t on);
void DrawCursor();
void RestoreUnderCursor();
// Shows the cursor where it is and flushes, leaving no copy of it in the
// back buffer.
void RefreshCursor();
// Moves the cursor by the mouse's motion (in a window onto the system
// pointer), clamped to the screen; its position and the two buttons.
void UpdateMouse(int16_t* x, int16_t* y, uint16_t* buttons);
// The busy cursor's poll function (registered by InitSetOfMenus).
void CursorPollFunction();
void DrawProgressBar();

void WaitTickAndPoll();
void Beep();
void ReadKeyIntoLastKey();
int16_t GetLastKey();
const char* GetAltText(int16_t textId);
void ResetDrawState();
// Draws the user's 32 x 32 picture "Edited\\<number>.tga" at (x, y) and
// answers 0; 1 when there is none to draw (the caller draws its own).
int DrawEditedImage(int number, int x, int y);
