#include "menus/menusetup.h"

int16_t BusyCursorNest;
int16_t MenuBackgroundShown = -1;
int32_t SavedScreenCount;
int32_t CursorRefreshCount;

// The menu painter is not there yet: these keep the state the callers
// change, so the nesting stays balanced.
void EnableCursorNest(int16_t on) {
    if (on != 0) {
        ++BusyCursorNest;
    } else if (BusyCursorNest > 0) {
        --BusyCursorNest;
    }
}

void ShowMenuBackground(int16_t n) { MenuBackgroundShown = n; }
void SaveScreen() { ++SavedScreenCount; }
void RefreshCursor() { ++CursorRefreshCount; }
