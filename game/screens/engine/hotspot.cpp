#include "game/screens/engine/hotspot.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"

int16_t HotRegionClicked = 0;

namespace {

// ---- Hot regions ---------------------------------------------------------------------

bool OnButton(int16_t kind) { return kind >= 500; }

int16_t TextIdOf(const HotRegion& region) {
    switch (region.kind) {
        case HOT_TEXT_ID:
        case HOT_BUTTON_TEXT_ID:
            return int16_t(reinterpret_cast<intptr_t>(region.text));
        case HOT_TEXT_ID_VARIABLE:
        case HOT_BUTTON_TEXT_ID_VARIABLE:
            return region.text != nullptr ? *static_cast<const int16_t*>(region.text) : int16_t(-1);
        default:
            return -1;
    }
}

const char* StringOf(const HotRegion& region) {
    const char* const* variable = static_cast<const char* const*>(region.text);
    return variable != nullptr && *variable != nullptr ? *variable : "";
}

// ---- The help panel ------------------------------------------------------------------

constexpr const char* kHelpFile = "textfile\\help.txt";
constexpr int16_t kNoHelpText = 1125;
constexpr int kHelpLineLimit = 1024;
constexpr int kHelpWrapWidth = 538;
constexpr int kHelpAreaHeight = 358;

// Text colour numbers of the panel.
constexpr int16_t kShadowColour = 2;
constexpr int16_t kTitleColour = 8;
constexpr int16_t kHeadingColour = 8;
constexpr int16_t kBodyColour = 0;
constexpr uint16_t kPanelFace = 0x5AD4;
constexpr uint16_t kArrowColour = 0xFFFF;
constexpr uint16_t kArrowOffColour = 0x8410;

enum HelpCode : int16_t { kClose = 1, kPageDown = 2, kLineDown = 3, kPageUp = 4, kLineUp = 5 };
// The panel's buttons are plain regions: the frame painter draws them.
constexpr int16_t kPlainRegion = 9;

const HotRegion kHelpRegions[] = {
    {kPlainRegion, 595, 35, 20, 20, 0, nullptr, 8, nullptr, kClose},
    {kPlainRegion, 590, 70, 20, 30, 0, nullptr, 8, nullptr, kPageUp},
    {kPlainRegion, 590, 104, 20, 30, 0, nullptr, 8, nullptr, kLineUp},
    {kPlainRegion, 590, 376, 20, 30, 0, nullptr, 8, nullptr, kLineDown},
    {kPlainRegion, 590, 410, 20, 30, 0, nullptr, 8, nullptr, kPageDown},
    {HOT_END, 0, 0, 0, 0, 0, nullptr, 0, nullptr, 0},
};

// Scan codes (extended keys + 128).
constexpr int kKeyEscape = 1;
constexpr int kKeyUp = 128 + 0x48;
constexpr int kKeyPageUp = 128 + 0x49;
constexpr int kKeyDown = 128 + 0x50;
constexpr int kKeyPageDown = 128 + 0x51;

std::string g_helpText;
bool g_helpLoaded = false;
HelpEntry g_helpTable[1] = {{"", -1, nullptr}};

int16_t g_lines = 0;
int16_t g_visible = 0;
int16_t g_first = 0;
int16_t g_lineHeight = 1;
char* g_lineStarts[kHelpLineLimit] = {};

// The general help, written beside the language texts; none when the file
// is missing.
void LoadHelpText() {
    if (g_helpLoaded) return;
    g_helpLoaded = true;
    if (PakCheckFile(kHelpFile) == 0) {
        std::printf("Warning: help text '%s' not found\n", kHelpFile);
        return;
    }
    char* block = nullptr;
    const uint32_t size = PakLoadWholeFile(kHelpFile, &block, MEM_TYPE_MANUAL_FREE);
    g_helpText.assign(block, strnlen(block, size));
    FreeMemory(&block);
    // The file keeps the text file's line ends; the wrap breaks at '\n'.
    g_helpText.erase(std::remove(g_helpText.begin(), g_helpText.end(), '\r'), g_helpText.end());
    g_helpTable[0].text = g_helpText.c_str();
}

void DrawArrowButton(const HotRegion& region, bool up, bool enabled) {
    SetDrawParam(2, kPanelFace);
    DoButton(region.x, region.y, region.w, region.h);
    SetDrawParam(2, enabled ? kArrowColour : kArrowOffColour);
    const int cx = region.x + region.w / 2;
    const int cy = region.y + region.h / 2;
    DrawArrowHead(cx, up ? cy + 4 : cy - 4, 0, up ? -8 : 8);
}

// The close box and the four arrow buttons; bit 0 of flags dims the up
// arrows (at the top), bit 1 the down arrows (at the end).
void HelpPanel_DrawFrame(int flags) {
    const uint16_t kept = DrawColour;
    const HotRegion& close = kHelpRegions[0];
    SetDrawParam(2, kPanelFace);
    DoButton(close.x, close.y, close.w, close.h);
    SetDrawParam(2, kArrowColour);
    DrawRelLine(close.x + 5, close.y + 5, 10, 10);
    DrawRelLine(close.x + 5, close.y + 15, 10, -10);
    DrawArrowButton(kHelpRegions[1], true, (flags & 1) == 0);
    DrawArrowButton(kHelpRegions[2], true, (flags & 1) == 0);
    DrawArrowButton(kHelpRegions[3], false, (flags & 2) == 0);
    DrawArrowButton(kHelpRegions[4], false, (flags & 2) == 0);
    SetDrawParam(2, kept);
}

void HelpPanel_DrawLines(int first) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, kPanelFace);
    DoButton(30, 70, 550, 370);
    // The thumb: its share of the bar is the share of lines in view.
    constexpr int kBarX = 590, kBarY = 138, kBarW = 20, kBarH = 234;
    const int hidden = std::max(0, g_lines - g_visible);
    const int thumb = g_lines > 0 ? std::clamp(kBarH * g_visible / g_lines, 8, kBarH) : kBarH;
    const int top = hidden > 0 ? (kBarH - thumb) * first / hidden : 0;
    DoButton(kBarX, kBarY, kBarW, kBarH);
    SetDrawParam(2, kArrowColour);
    DoButton(kBarX + 2, kBarY + top, kBarW - 4, thumb);
    SetDrawParam(2, kept);
    for (int i = 0; i < g_visible && first + i < g_lines; ++i) {
        const char* line = g_lineStarts[first + i];
        const int y = 76 + i * g_lineHeight;
        if (line[0] == '~') {
            SetDrawParam(1, kShadowColour);
            DrawTextAddrAt(47, y + 1, line + 1, JUSTIFY_LEFT_TOP);
            SetDrawParam(1, kHeadingColour);
            DrawTextAddrAt(46, y, line + 1, JUSTIFY_LEFT_TOP);
        } else {
            SetDrawParam(1, kBodyColour);
            DrawTextAddrAt(36, y, line, JUSTIFY_LEFT_TOP);
        }
    }
    SetDrawParam(1, 0);
}

int16_t KeyCode() {
    if (KeyWasPressed(kKeyUp)) return kLineUp;
    if (KeyWasPressed(kKeyDown)) return kLineDown;
    if (KeyWasPressed(kKeyPageUp)) return kPageUp;
    if (KeyWasPressed(kKeyPageDown)) return kPageDown;
    if (KeyWasPressed(kKeyEscape)) return kClose;
    return -1;
}

int16_t HelpPanel_WaitClick() {
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    int16_t code = -1;
    while (code == -1) {
        Hotspot_ReadMouse(&x, &y, &buttons);
        code = Hotspot_HitTest(kHelpRegions, x, y, buttons);
        const int16_t key = KeyCode();
        if (key != -1) code = key;
        // A closed window ends the panel as escape would.
        if (WinCloseRequested()) return kClose;
    }
    while (buttons != 0 && !WinCloseRequested()) Hotspot_ReadMouse(&x, &y, &buttons);
    return code;
}

}  // namespace

void Hotspot_Draw(const HotRegion& region) {
    int x = 0, y = 0;
    AlignInBox(region.x, region.y, region.w, region.h, uint16_t(region.alignment), &x, &y);
    SetFont(region.font);
    if (region.colour != nullptr) SetDrawParam(1, *region.colour);
    switch (region.kind) {
        case HOT_TEXT_ID:
        case HOT_TEXT_ID_VARIABLE:
        case HOT_BUTTON_TEXT_ID:
        case HOT_BUTTON_TEXT_ID_VARIABLE:
            DrawTextNoAt(x, y, TextIdOf(region), uint16_t(region.alignment));
            break;
        case HOT_STRING_VARIABLE:
        case HOT_BUTTON_STRING_VARIABLE:
            DrawTextAddrAt(x, y, StringOf(region), uint16_t(region.alignment));
            break;
        default:
            break;
    }
}

int16_t Hotspot_AddList(std::span<HotRegion> destination, const HotRegion* source, int16_t dx, int16_t dy) {
    const int capacity = std::min<int>(int(destination.size()), kHotRegionLimit);
    int index = Hotspot_Count(destination.data());
    if (index >= capacity - 1 || source == nullptr) return 0;
    for (const HotRegion* from = source;; ++from) {
        HotRegion& to = destination[size_t(index)];
        to = *from;
        to.x = int16_t(to.x + dx);
        to.y = int16_t(to.y + dy);
        if (from->kind == HOT_END) return 1;
        if (++index == capacity) break;
    }
    // The source did not fit with its end: the list keeps an end of its own
    // so that nothing walks past it.
    Hotspot_InitDefault(&destination[size_t(capacity - 1)]);
    return 0;
}

void Hotspot_InitDefault(HotRegion* region) {
    if (region != nullptr) *region = HotRegion{};
}

int16_t Hotspot_Count(const HotRegion* list) {
    int16_t count = 0;
    while (count < kHotRegionLimit && list[count].kind != HOT_END) ++count;
    return count;
}

int16_t Hotspot_Find(const HotRegion* list, int16_t result) {
    for (int16_t i = 0; i < kHotRegionLimit && list[i].kind != HOT_END; ++i)
        if (list[i].result == result) return i;
    return -1;
}

void Hotspot_Redraw(const HotRegion* list, int16_t result) {
    const int16_t index = Hotspot_Find(list, result);
    if (index < 0) return;
    const HotRegion& region = list[index];
    if (OnButton(region.kind)) DoButton(region.x, region.y, region.w, region.h);
    Hotspot_Draw(region);
}

int16_t Hotspot_HitTest(const HotRegion* list, int16_t x, int16_t y, uint16_t buttons) {
    for (int i = 0; i < kHotRegionLimit && list[i].kind != HOT_END; ++i) {
        const HotRegion& r = list[i];
        const bool inside = x > r.x && x < r.x + r.w && y > r.y && y < r.y + r.h;
        if (inside && buttons == 1) {
            HotRegionClicked = 1;
            return r.result;
        }
    }
    return -1;
}

void Hotspot_ReadMouse(int16_t* x, int16_t* y, uint16_t* buttons) {
    DrawCursor();
    // One poll a tick: waiting for the tick rather than spinning on it.
    WaitTickAndPoll();
    RestoreUnderCursor();
    UpdateMouse(x, y, buttons);
}

int16_t HelpPanel_Find(int16_t screen) {
    LoadHelpText();
    const HelpEntry& entry = g_helpTable[0];
    return entry.text != nullptr && entry.screen == screen ? 0 : -1;
}

void DoHelpPanel(int16_t index) {
    if (index != 0) {
        std::printf("Error: DoHelpPanel(): help value %d out of range\n", index);
        // The table has one entry: a panel for another index would read
        // past it, so none is shown.
        return;
    }
    LoadHelpText();
    const HelpEntry& entry = g_helpTable[0];
    if (entry.text == nullptr) return;
    SetFont(8);
    GetTextSize(" ", nullptr, &g_lineHeight);
    g_lineHeight = std::max<int16_t>(g_lineHeight, 1);
    g_visible = int16_t(std::max(1, kHelpAreaHeight / g_lineHeight - 1));

    const uint32_t length = uint32_t(std::strlen(entry.text));
    char* copy = nullptr;
    AllocateMemory(&copy, length + 2, MEM_TYPE_MANUAL_FREE);
    std::memcpy(copy, entry.text, length);
    copy[length] = copy[length + 1] = '\0';
    g_lines = int16_t(XDoTextAddr(std::span<char>(copy, length + 2), g_lineStarts, kHelpWrapWidth));

    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(0, 0, 640, 480, 75);
    SetDrawParam(2, kPanelFace);
    DoButton(20, 30, 600, 420);
    SetDrawParam(2, kept);
    const char* title = GetText(kTextHelpIndex);
    SetDrawParam(1, kShadowColour);
    DrawTextAddrAt(307, 37, title, JUSTIFY_CENTRE_TOP);
    SetDrawParam(1, kTitleColour);
    DrawTextAddrAt(305, 35, title, JUSTIFY_CENTRE_TOP);
    SetDrawParam(1, 0);

    g_first = 0;
    int shown = -1;
    for (int16_t code = 0; code != kClose;) {
        const int flags = (g_first == 0 ? 1 : 0) | (g_first >= g_lines - g_visible ? 2 : 0);
        HelpPanel_DrawFrame(flags);
        if (g_first != shown) {
            HelpPanel_DrawLines(g_first);
            shown = g_first;
        }
        UpdateScreen();
        code = HelpPanel_WaitClick();
        int first = g_first;
        if (code == kPageDown) first += g_visible - 1;
        if (code == kLineDown) first += 1;
        if (code == kPageUp) first -= g_visible - 1;
        if (code == kLineUp) first -= 1;
        first = std::min(first, g_lines - g_visible);
        g_first = int16_t(std::max(first, 0));
    }
    FreeMemory(&copy);
}

int32_t HelpPanel_Button(int16_t textId) {
    int16_t index = -1;
    if (textId == kTextHelp) index = HelpPanel_Find(MenuOption);
    if (textId == kTextHelpIndex) index = HelpPanel_Find(-1);
    if (index == -1) {
        ShowMessageBox(GetText(kNoHelpText), 0);
        return 7;
    }
    DoHelpPanel(index);
    return 2;
}

int16_t HelpPanelLineCount() { return g_lines; }
int16_t HelpPanelVisibleLines() { return g_visible; }
int16_t HelpPanelFirstLine() { return g_first; }
