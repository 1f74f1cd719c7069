// Display maps: static arrays of records that say what a call-based menu
// draws where, and which rectangles are hotspots with a handler; the
// hotspot loop that sends enter, leave, press and release events to them;
// and the match minute the match screens show.
#pragma once
#include <cstdint>

// What a handler receives: the event (200 enter, 201 leave, 202 pressed,
// 203 released), the hotspot's value and rectangle, and the mouse relative
// to its top-left corner.
struct HVEvent {
    uint16_t code;
    int16_t value;
    int16_t x, y, width, height;
    int16_t mouseX, mouseY;
};
static_assert(sizeof(HVEvent) == 16);

enum : uint16_t { HV_ENTER = 200, HV_LEAVE = 201, HV_PRESSED = 202, HV_RELEASED = 203 };
// Handler results: 302 ends the loop with 0 (draw again), 303 with 1
// (leave the menu); anything else goes on.
enum : int16_t { HV_GO_ON = 300, HV_GO_ON_TOO = 301, HV_REDRAW = 302, HV_LEAVE_MENU = 303 };
using HVHandler = int16_t (*)(const HVEvent* event);
using HVDrawFunction = void (*)(int16_t x, int16_t y, int16_t width, int16_t height);

// One record of a map; a type of 0 ends it.  passes: 1 the static pass,
// 2 the drawing pass.  The data kind says how data gives the value (an
// i16, or the i16 it points to; 3 and 4 a text id) and the text (5 a text,
// 6 a pointer to a text pointer); kind 7 is a drawing function.
struct HVMapRecord {
    uint8_t type;
    uint8_t kind;
    uint8_t passes;
    int16_t x, y, width, height;
    const void* data;
    HVHandler handler;
};

struct HVHotspot {
    int16_t x, y, width, height;
    HVHandler handler;
    int16_t value;
};

// Mode: 1 the drawing pass, 2 the static pass, 4 collects hotspots.
void DisplayHVMap(const HVMapRecord* map, int16_t mode);
void HV_MenuInit(const HVMapRecord* map);
void HV_DrawMenuMap();
// Runs until a handler ends it: 1 leave the menu, 0 draw it again.
int16_t HV_MenuLoop();
void HV_FreeMenuMap();

// The minute of the running period's match clock (120 in the shoot-out).
int16_t GetMatchMinute();

// For tests: the hotspots of the last collecting walk.
int HVHotspotCount();
const HVHotspot* HVHotspotAt(int index);
