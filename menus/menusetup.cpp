#include "menus/menusetup.h"

BackgroundEntry BackgroundList[BACKGROUND_COUNT + 1] = {
    {"back00", nullptr}, {"back01", nullptr}, {"back02", nullptr}, {"back03", nullptr}, {"back04", nullptr},
    {"back05", nullptr}, {"back06", nullptr}, {"back07", nullptr}, {"back08", nullptr}, {"back09", nullptr},
    {"back10", nullptr}, {"back11", nullptr}, {"back12", nullptr}, {"back13", nullptr}, {"back14", nullptr},
    {"back15", nullptr}, {"back16", nullptr}, {"back17", nullptr}, {"back18", nullptr}, {"back19", nullptr},
    {"back20", nullptr}, {"back21", nullptr}, {"back22", nullptr}, {"back23", nullptr}, {"back24", nullptr},
    {"back25", nullptr}, {"back26", nullptr}, {"back27", nullptr}, {"back28", nullptr}, {"back29", nullptr},
    {"back30", nullptr}, {"back31", nullptr}, {"back32", nullptr}, {"back33", nullptr}, {nullptr, nullptr},
};

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
