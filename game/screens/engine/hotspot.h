// Hot regions: a light alternative to screen tables for a few screens and
// the help panel.  A list of at most 30 rectangles, each drawn as a text
// (or a text on a button face) and answering a result code when clicked.
// The help panel is a modal, scrollable text window over the screen.
#pragma once
#include <cstdint>
#include <span>

constexpr int kHotRegionLimit = 30;

// Kinds: 0 ends the list; 1 a text id, 2 a text id through a pointer,
// 3 a string through a pointer to a string pointer; 501-503 the same on a
// button face.
enum : int16_t {
    HOT_END = 0,
    HOT_TEXT_ID = 1,
    HOT_TEXT_ID_VARIABLE = 2,
    HOT_STRING_VARIABLE = 3,
    HOT_BUTTON_TEXT_ID = 501,
    HOT_BUTTON_TEXT_ID_VARIABLE = 502,
    HOT_BUTTON_STRING_VARIABLE = 503,
};

struct HotRegion {
    int16_t kind;
    int16_t x, y, w, h;  // -1 in w or h: none
    int16_t alignment;   // bits 0-1: 2 centre, 3 right; bits 2-3: 8 middle, 12 bottom
    const void* text;    // text id (as a value), or the pointer the kind names
    int16_t font;
    const int16_t* colour;  // the text colour number; null keeps the current one
    int16_t result;
};

// Set by a hit with the button down.
extern int16_t HotRegionClicked;

void Hotspot_Draw(const HotRegion& region);
// Appends the source regions (moved by dx, dy) after the destination's
// last; 1 when every one fitted in the 30, else 0.
int16_t Hotspot_AddList(std::span<HotRegion> destination, const HotRegion* source, int16_t dx, int16_t dy);
void Hotspot_InitDefault(HotRegion* region);
int16_t Hotspot_Count(const HotRegion* list);
int16_t Hotspot_Find(const HotRegion* list, int16_t result);
void Hotspot_Redraw(const HotRegion* list, int16_t result);
// The result of the region strictly inside whose borders the point lies,
// when the button state is 1; -1 otherwise.
int16_t Hotspot_HitTest(const HotRegion* list, int16_t x, int16_t y, uint16_t buttons);
void Hotspot_ReadMouse(int16_t* x, int16_t* y, uint16_t* buttons);

// The help table: the general help (screen id -1) only.
struct HelpEntry {
    const char* title;
    int16_t screen;
    const char* text;
};
// 0 when the help entry belongs to that screen, else -1.
int16_t HelpPanel_Find(int16_t screen);
void DoHelpPanel(int16_t index);
// The help buttons' handling (texts 741 and 762): the panel and 2, or text
// 1125 in a box and 7 when the screen has no help.
int32_t HelpPanel_Button(int16_t textId);

// The panel's view, for tests: lines, visible lines, first shown line.
int16_t HelpPanelLineCount();
int16_t HelpPanelVisibleLines();
int16_t HelpPanelFirstLine();
