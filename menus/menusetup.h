// Menu set-up: backgrounds, the saved screen and the busy cursor.
#pragma once
#include <cstdint>

// Nesting count of the busy cursor: shown while above 0.
extern int16_t BusyCursorNest;
// The menu background shown last (-1 none) and how often the screen was
// saved.
extern int16_t MenuBackgroundShown;
extern int32_t SavedScreenCount;
extern int32_t CursorRefreshCount;

// The numbered menu backgrounds: 34 pictures of the full screen, "<name>.tga"
// in "menugfx\\bg", then an end entry without a name.
constexpr int BACKGROUND_COUNT = 34;
struct BackgroundEntry {
    const char* name;
    uint8_t* picture;  // converted picture, null while not loaded
};
extern BackgroundEntry BackgroundList[BACKGROUND_COUNT + 1];

// 1 shows the busy cursor, 0 removes one level of it.
void EnableCursorNest(int16_t on);
void ShowMenuBackground(int16_t n);
void SaveScreen();
void RefreshCursor();
