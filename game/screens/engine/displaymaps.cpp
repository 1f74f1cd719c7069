#include "game/screens/engine/displaymaps.h"

#include <cstring>
#include <vector>

#include "core/base/debug.h"
#include "core/match/matchclock.h"
#include "core/match/matchstate.h"
#include "core/records/text.h"
#include "game/screens/engine/callmenus.h"
#include "game/system/mainwindow.h"

namespace {

constexpr const char* kModule = "hvmenusys";
constexpr int16_t kNoNumber = -32768;
constexpr int16_t kMinButtonSize = 8;

struct MenuState {
    const HVMapRecord* map = nullptr;
    std::vector<HVHotspot> hotspots;
    uint8_t alignFlags = 0;
    uint8_t buttonType = 0;
    bool hasCurrent = false;
    HVHotspot current{};
    int32_t lastButtons = 0;
};
MenuState g_menu;

bool SameHotspot(const HVHotspot& a, const HVHotspot& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.handler == b.handler &&
           a.value == b.value;
}

int16_t ValueOf(const HVMapRecord& r) {
    switch (r.kind) {
        case 1:
        case 3:
            return int16_t(reinterpret_cast<intptr_t>(r.data));
        case 2:
        case 4:
            return r.data != nullptr ? *static_cast<const int16_t*>(r.data) : int16_t(-1);
        default:
            return -1;
    }
}

const char* TextOf(const HVMapRecord& r) {
    switch (r.kind) {
        case 3:
        case 4:
            return GetText(ValueOf(r));
        case 5:
            return static_cast<const char*>(r.data);
        case 6:
            return r.data != nullptr ? *static_cast<const char* const*>(r.data) : nullptr;
        default:
            return nullptr;
    }
}

void AlignedPoint(const HVMapRecord& r, int16_t* x, int16_t* y) {
    *x = r.x;
    *y = r.y;
    if ((g_menu.alignFlags & 0x0F) == 5) *x = int16_t(r.x + r.width / 2);
    if ((g_menu.alignFlags & 0x0F) == 6) *x = int16_t(r.x + r.width);
    if ((g_menu.alignFlags & 0xF0) == 0x50) *y = int16_t(r.y + r.height / 2);
    if ((g_menu.alignFlags & 0xF0) == 0x60) *y = int16_t(r.y + r.height);
}

int16_t Send(const HVHotspot* hotspot, uint16_t code) {
    if (hotspot == nullptr || hotspot->handler == nullptr) return HV_GO_ON;
    int16_t mouseX = 0, mouseY = 0;
    HV_GetMousePos(&mouseX, &mouseY);
    const HVEvent event{code,
                        hotspot->value,
                        hotspot->x,
                        hotspot->y,
                        hotspot->width,
                        hotspot->height,
                        int16_t(mouseX - hotspot->x),
                        int16_t(mouseY - hotspot->y)};
    return hotspot->handler(&event);
}

const HVHotspot* HotspotUnder(int16_t x, int16_t y) {
    for (const HVHotspot& h : g_menu.hotspots) {
        if (x >= h.x && x < h.x + h.width && y >= h.y && y < h.y + h.height) return &h;
    }
    return nullptr;
}

}  // namespace

void DisplayHVMap(const HVMapRecord* map, int16_t mode) {
    const bool drawingPass = (mode & 1) != 0;
    const int mask = (drawingPass ? 2 : 0) | ((mode & 2) != 0 ? 1 : 0);
    const bool collect = (mode & 4) != 0;
    int16_t suppression = 0;
    int16_t hotspotValue = -1;
    for (const HVMapRecord* r = map; r != nullptr && r->type != 0; ++r) {
        if (r->kind > 7) AbortError(kModule, __LINE__, "DisplayHVMap(): unknown data type");
        if (r->type > 15) AbortError(kModule, __LINE__, "DisplayHVMap(): unknown type");
        if ((r->passes & mask) != 0) {
            const int16_t value = ValueOf(*r);
            const char* text = TextOf(*r);
            int16_t x = 0, y = 0;
            AlignedPoint(*r, &x, &y);
            const bool drawing = (suppression & 2) == 0;
            if (drawingPass && g_menu.buttonType != 0 && drawing && r->width >= kMinButtonSize &&
                r->height >= kMinButtonSize) {
                HV_DrawButton(r->x, r->y, r->width, r->height, g_menu.buttonType);
            }
            switch (r->type) {
                case 1:
                    if (drawing) HV_DrawTextAddr(x, y, g_menu.alignFlags, text);
                    break;
                case 2:
                    if (drawing) HV_DrawTextBox(r->x, r->y, r->width, r->height, g_menu.alignFlags, text);
                    break;
                case 3:
                    if (drawing && value != kNoNumber) HV_DrawTextNo(x, y, g_menu.alignFlags, value);
                    break;
                case 4:
                    if (drawing) HV_DrawGraphic(x, y, g_menu.alignFlags, value);
                    break;
                case 5:
                    if (drawing) HV_SetStaticTitle(text);
                    break;
                case 7:
                    hotspotValue = value;
                    break;
                case 8:
                    g_menu.alignFlags = uint8_t(value);
                    break;
                case 10:
                    // Only a record whose data is a drawing function is
                    // called: any other data is not code.
                    if (drawing && drawingPass && r->kind == 7 && r->data != nullptr)
                        reinterpret_cast<HVDrawFunction>(const_cast<void*>(r->data))(r->x, r->y, r->width,
                                                                                     r->height);
                    break;
                case 11:
                    HV_SetFontColour(value);
                    break;
                case 12:
                    g_menu.buttonType = uint8_t(value);
                    break;
                case 13:
                    if (drawing) HV_DrawButton(r->x, r->y, r->width, r->height, value);
                    break;
                case 14:
                    if (drawing) HV_SetStaticBackground(value);
                    break;
                case 15:
                    suppression = value;
                    break;
                default:  // 6 and 9: nothing to draw
                    break;
            }
        }
        if (collect && (suppression & 1) == 0 && r->handler != nullptr && r->width != 0 && r->height != 0) {
            g_menu.hotspots.push_back(HVHotspot{r->x, r->y, r->width, r->height, r->handler, hotspotValue});
        }
    }
}

void HV_MenuInit(const HVMapRecord* map) {
    if (g_menu.map != nullptr) AbortError(kModule, __LINE__, "HV_MenuInit(): already initialised");
    g_menu = MenuState{};
    g_menu.map = map;
    HV_StartMenu();
    HV_StartStaticItems();
    DisplayHVMap(map, 2);
    HV_EndStaticItems();
}

void HV_DrawMenuMap() {
    g_menu.hotspots.clear();
    HV_StartDrawing();
    DisplayHVMap(g_menu.map, 5);
    HV_EndDrawing();
}

int16_t HV_MenuLoop() {
    for (;;) {
        HV_Sync();
        // A closed window leaves the menu.
        if (WinCloseRequested()) return 1;
        int16_t x = 0, y = 0;
        HV_GetMousePos(&x, &y);
        const int32_t buttons = HV_GetMouseButtons();
        bool leave = false, redraw = false;
        const auto take = [&](int16_t result) {
            leave = leave || result == HV_LEAVE_MENU;
            redraw = redraw || result == HV_REDRAW;
        };
        const HVHotspot* under = HotspotUnder(x, y);
        const bool same =
            under != nullptr ? g_menu.hasCurrent && SameHotspot(*under, g_menu.current) : !g_menu.hasCurrent;
        if (!same) {
            if (g_menu.hasCurrent) {
                const HVHotspot left = g_menu.current;
                g_menu.hasCurrent = false;
                take(Send(&left, HV_LEAVE));
            }
            if (under != nullptr) {
                g_menu.current = *under;
                g_menu.hasCurrent = true;
                take(Send(under, HV_ENTER));
            }
        }
        if (buttons != g_menu.lastButtons) {
            if (g_menu.lastButtons != 0) {
                take(Send(under, HV_RELEASED));
                g_menu.lastButtons = 0;
            }
            if (buttons != 0) {
                take(Send(under, HV_PRESSED));
                g_menu.lastButtons = buttons;
            }
        }
        if (leave) return 1;
        if (redraw) return 0;
    }
}

void HV_FreeMenuMap() {
    g_menu.hotspots.clear();
    g_menu.hotspots.shrink_to_fit();
    g_menu.hasCurrent = false;
    HV_EndMenu();
    g_menu.map = nullptr;
}

int16_t GetMatchMinute() {
    constexpr uint32_t kLength[4] = {45, 45, 15, 15};
    constexpr int32_t kStart[4] = {0, 45, 90, 105};
    constexpr int16_t kShootOutMinute = 120;
    const int p = Period;
    if (p >= 4) return kShootOutMinute;
    // Before a period has a length there is no share of it to divide.
    if (PeriodLength == 0) return int16_t(kStart[p]);
    const uint32_t share = kLength[p] * PeriodClock * 60u / PeriodLength;
    const int16_t sum = int16_t(share + uint32_t(kStart[p]) * 60u);
    return int16_t(sum / 60);
}

int HVHotspotCount() { return int(g_menu.hotspots.size()); }
const HVHotspot* HVHotspotAt(int index) {
    return index >= 0 && index < HVHotspotCount() ? &g_menu.hotspots[size_t(index)] : nullptr;
}
