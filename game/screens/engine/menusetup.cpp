#include "game/screens/engine/menusetup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/clubseason.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/callmenus.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/system/display2d.h"
#include "game/system/keyboard.h"
#include "game/system/mouse.h"
#include "game/system/picture.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"

BackgroundEntry BackgroundList[BACKGROUND_COUNT + 1] = {
    {"stadium_dusk", nullptr},   {"pitch_top", nullptr},      {"stand_blue", nullptr},
    {"stand_red", nullptr},      {"office_panel", nullptr},   {"board_room", nullptr},
    {"tactics_board", nullptr},  {"training_field", nullptr}, {"transfer_desk", nullptr},
    {"league_table", nullptr},   {"cup_night", nullptr},      {"euro_night", nullptr},
    {"squad_room", nullptr},     {"finance_panel", nullptr},  {"news_desk", nullptr},
    {"scout_map", nullptr},      {"youth_field", nullptr},    {"medical_room", nullptr},
    {"match_day", nullptr},      {"results_wall", nullptr},   {"fixtures_wall", nullptr},
    {"options_panel", nullptr},  {"save_slots", nullptr},     {"world_map", nullptr},
    {"maker_mark", nullptr},     {"credits_design", nullptr}, {"credits_code", nullptr},
    {"credits_art", nullptr},    {"credits_sound", nullptr},  {"credits_test", nullptr},
    {"publisher_mark", nullptr}, {"title", nullptr},          {"stadium_night", nullptr},
    {"season_end", nullptr},     {nullptr, nullptr},
};

int16_t CursorX;
int16_t CursorY;
int16_t HideCursorCount;
int16_t BusyCursorNest;
int16_t BusyCursorFrame;
int16_t ScreenPresented;
int16_t ProgressTotal = -1;
int16_t ProgressDone = -1;

namespace {

constexpr const char* kModule = "menusetup";
constexpr int kScrollLockScanCode = 0x46;
constexpr int kBellCharacter = 7;
constexpr int kEditedSize = 32;

struct CursorRect {
    int16_t x, y, width, height;
};

bool g_open = false;
uint8_t* g_underCursor = nullptr;  // the back-buffer area the cursor covers
CursorRect g_underRect{};
bool g_underSaved = false;
int16_t g_pollKey = -1;
int16_t g_lastKey = 0;

uint32_t NowTicks() { return TimerIsRunning() ? GetTimerTicks() : 0u; }

bool BusyCursorShown() { return BusyCursorNest > 0 && HideCursorCount == 0; }

void ClampCursor() {
    CursorX = int16_t(std::clamp<int>(CursorX, 0, MenuScreenWidth() - CURSOR_EDGE));
    CursorY = int16_t(std::clamp<int>(CursorY, 0, MenuScreenHeight() - CURSOR_EDGE));
}

void MoveCursorByMouse(uint16_t* buttons) {
    int16_t dx = 0, dy = 0;
    uint16_t state = 0;
    ReadMouseDriver(&dx, &dy, &state);
    int16_t pointerX = 0, pointerY = 0;
    if (MousePointerPosition(&pointerX, &pointerY)) {
        // In a window the cursor stands on the system pointer, wherever the
        // clamp or a new screen left it before.
        CursorX = pointerX;
        CursorY = pointerY;
    } else {
        CursorX = int16_t(CursorX + dx);
        CursorY = int16_t(CursorY + dy);
    }
    ClampCursor();
    if (buttons != nullptr) *buttons = state & (MOUSE_BUTTON_PRIMARY | MOUSE_BUTTON_SECONDARY);
}

void FindGraphicModeOrEnd() {
    // Truest colour first: the menu pictures are drawn in 24 bits.
    constexpr int16_t kKinds[] = {GFX_KIND_24_BIT, GFX_KIND_32_BIT, GFX_KIND_HIGH_COLOUR};
    for (int16_t kind : kKinds) {
        const int mode = FindGraphicMode(BACKGROUND_WIDTH, BACKGROUND_HEIGHT, kind);
        if (mode >= 0) {
            SetGraphicMode(int16_t(mode), 0);
            return;
        }
    }
    FatalError("Error: InitSetOfMenus(): Your video card does not support a suitable graphics mode\n");
}

void AllocCursorBlock() {
    int16_t arrowWidth = 0, arrowHeight = 0, busyWidth = 0, busyHeight = 0;
    GetIconSize(CURSOR_ARROW_ICON, &arrowWidth, &arrowHeight);
    GetIconSize(CURSOR_BUSY_ICON, &busyWidth, &busyHeight);
    const uint32_t bytes = uint32_t(std::max(arrowWidth, busyWidth)) *
                           uint32_t(std::max(arrowHeight, busyHeight)) * uint32_t(MenuBytesPerPixel());
    AllocateMemory(&g_underCursor, bytes, MEM_TYPE_MANUAL_FREE);
    g_underSaved = false;
}

// A 32 x 32 picture, packed or not, is far below this.
constexpr long kEditedFileLimit = 1 << 20;

long EditedFileBytes(const char* path) {
    std::FILE* file = DOSOpenFile(path);
    long bytes = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) bytes = std::ftell(file);
    DOSCloseFile(file);
    return bytes < 0 ? kEditedFileLimit + 1 : bytes;
}

void RestoreAndUpdate() {
    RestoreUnderCursor();
    UpdateScreen();
}

void DrawAndUpdate() {
    DrawCursor();
    UpdateScreen();
}

}  // namespace

int MenuDisplayIsOpen() { return g_open ? 1 : 0; }

void InitSetOfMenus() {
    InitIconLists();
    FindGraphicModeOrEnd();
    const char* notice = GetText(kTextPleaseWait);
    const int length = int(std::strlen(notice));
    GfxDrawText((int(GfxGetScreenWidth()) - 8 * length) / 2, (int(GfxGetScreenHeight()) - 8) / 2, notice);

    MenuSetScreenFormat(int(GfxGetScreenWidth()), int(GfxGetScreenHeight()), GfxGetScreenFormat());
    AllocCursorBlock();
    AllocScreenBuffers();
    ScreenPresented = 0;
    ResetMouseDriver();
    CursorX = int16_t(MenuScreenWidth() / 2);
    CursorY = int16_t(MenuScreenHeight() / 2);
    for (int font = 0; font < FONT_COUNT; ++font) LoadFont(font);
    for (int section = 0; section < SCREEN_SECTION_COUNT; ++section) ResetScreenSection(int16_t(section));
    HV_Init(0);
    g_pollKey = AddPollFunction(CursorPollFunction, 20, 1);
    g_open = true;
}

void UninitSetOfMenus() {
    HV_Uninit();
    if (g_pollKey >= 0) RemovePollFunction(g_pollKey);
    g_pollKey = -1;
    if (ScreenPresented == 1) {
        ScreenWipe();
        ScreenPresented = 0;
    }
    FreeScreenBuffers();
    RestoreGraphicMode();
    if (g_underCursor != nullptr) FreeMemory(&g_underCursor);
    g_underSaved = false;
    for (int section = 0; section < SCREEN_SECTION_COUNT; ++section) ResetScreenSection(int16_t(section));
    g_open = false;
    FreeAutoMemory();
}

void QuickTermination() {
    UninitSetOfMenus();
    AbortError(kModule, __LINE__, "Quick termination");
}

void ShowMenuBackground(int16_t n) {
    if (n < 0 || n >= BACKGROUND_COUNT)
        FatalError("Error: ShowMenuBackground(): bad background number %d\n", n);
    if (!g_open) {
        // A season run without the menu display (tests, tools) has nothing
        // to show it on.
        DebugLog(DEBUG_GRAPHICS, 50, "ShowMenuBackground(): menu display not open (%d)\n", n);
        return;
    }
    if (ScreenPresented == 1) {
        ScreenWipe();
        ScreenPresented = 0;
    }
    BackgroundEntry& entry = BackgroundList[n];
    if (entry.picture == nullptr) {
        const char* path = MakeFileName("menugfx\\bg", entry.name, "tga");
        uint32_t size = PakLoadWholeFile(path, &entry.picture, MEM_TYPE_MANUAL_FREE);
        const uint32_t expected = GFX0_HEADER_SIZE + uint32_t(MenuScreenWidth()) *
                                                         uint32_t(MenuScreenHeight()) *
                                                         uint32_t(MenuBytesPerPixel());
        // A picture of another size would be copied past its end.
        if (LoadImageFile(&entry.picture, &size, 0, MenuScreenFormat()) < 0 || size != expected) {
            AbortError(kModule, __LINE__, "Error converting loaded background");
        }
        SetMemType(&entry.picture, MEM_TYPE_AUTO_FREE);
    } else {
        SetMemTag(&entry.picture, NowTicks());
    }
    CopyRectToBackBuffer(0, 0, MenuScreenWidth(), MenuScreenHeight(), entry.picture + GFX0_HEADER_SIZE);
    SetDrawParam(2, 0x03E0);
    SetDrawParam(1, 0);
    SetFont(8);
    SetDrawParam(3, 0);
    SetDrawParam(4, 0);
    SetTextOpacity(255);
}

void UpdateScreen() {
    if (MenuBackBuffer == nullptr) return;
    if (ScreenPresented == 0) {
        ScreenWipeFromBuffer();
        ScreenPresented = 1;
    } else {
        FlushDirtyCells();
    }
}

void SaveScreen() {
    if (MenuBackBuffer == nullptr) return;
    SaveScreenToBuffer();
}

void HideCursorNest(int16_t hide) {
    if (hide != 0) {
        ++HideCursorCount;
        if (HideCursorCount == 1 && BusyCursorNest > 0 && g_open) RestoreAndUpdate();
    } else if (HideCursorCount > 0) {
        --HideCursorCount;
        if (HideCursorCount == 0 && BusyCursorNest > 0 && g_open) DrawAndUpdate();
    }
}

void EnableCursorNest(int16_t on) {
    if (on != 0) {
        ++BusyCursorNest;
        if (BusyCursorNest == 1 && HideCursorCount == 0 && g_open) {
            BusyCursorFrame = 0;
            DrawAndUpdate();
        }
    } else if (BusyCursorNest > 0) {
        --BusyCursorNest;
        if (BusyCursorNest == 0 && HideCursorCount == 0 && g_open) RestoreAndUpdate();
    }
}

void DrawCursor() {
    if (g_underCursor == nullptr) return;
    const bool busy = BusyCursorShown();
    const int icon = busy ? CURSOR_BUSY_ICON + BusyCursorFrame : CURSOR_ARROW_ICON;
    int x = busy ? CursorX - CURSOR_BUSY_HOT_SPOT : CursorX;
    int y = busy ? CursorY - CURSOR_BUSY_HOT_SPOT : CursorY;
    int16_t width = 0, height = 0;
    GetIconSize(icon, &width, &height);
    // Cut what lies off the screen; the cut is the offset into the icon.
    const int iconX = x, iconY = y;
    const int offsetX = std::max(0, -x);
    const int offsetY = std::max(0, -y);
    x += offsetX;
    y += offsetY;
    const int visibleWidth = std::min(width - offsetX, MenuScreenWidth() - x);
    const int visibleHeight = std::min(height - offsetY, MenuScreenHeight() - y);
    g_underSaved = visibleWidth > 0 && visibleHeight > 0;
    if (g_underSaved) {
        g_underRect = {int16_t(x), int16_t(y), int16_t(visibleWidth), int16_t(visibleHeight)};
        CopyRectFromBackBuffer(x, y, visibleWidth, visibleHeight, g_underCursor);
        DrawIconPart(iconX, iconY, icon, JUSTIFY_LEFT_TOP, offsetX, offsetY, visibleWidth, visibleHeight);
    }
    FlushDirtyCells();
    if (KeyWasPressed(kScrollLockScanCode)) ScreenGrab();
}

void RestoreUnderCursor() {
    if (g_underCursor == nullptr || !g_underSaved) return;
    CopyRectToBackBuffer(g_underRect.x, g_underRect.y, g_underRect.width, g_underRect.height, g_underCursor);
}

void RefreshCursor() {
    if (!g_open) return;
    DrawCursor();
    RestoreUnderCursor();
}

void UpdateMouse(int16_t* x, int16_t* y, uint16_t* buttons) {
    uint16_t state = 0;
    MoveCursorByMouse(&state);
    if (x != nullptr) *x = CursorX;
    if (y != nullptr) *y = CursorY;
    if (buttons != nullptr) *buttons = state;
}

void CursorPollFunction() {
    if (!g_open || !BusyCursorShown()) return;
    BusyCursorFrame = int16_t((BusyCursorFrame + 1) % CURSOR_BUSY_FRAMES);
    RestoreUnderCursor();
    MoveCursorByMouse(nullptr);
    // The long work of the season code counts its steps in its own words
    // (65535 when it shows none).
    static bool mirrored = false;
    if (ProgressSteps != 65535) {
        ProgressTotal = int16_t(ProgressSteps);
        ProgressDone = int16_t(ProgressStep);
        mirrored = true;
    } else if (mirrored) {
        ProgressTotal = ProgressDone = -1;
        mirrored = false;
    }
    DrawProgressBar();
    DrawAndUpdate();
}

void DrawProgressBar() {
    if (ProgressTotal <= 0) return;
    const uint16_t colour = DrawColour;
    const int16_t font = CurrentFontNumber;
    const int16_t textColour = TextColourNumber;
    const int32_t style = ButtonStyle;

    SetDrawParam(2, 0x18C3);
    SetDrawParam(4, 0);
    DoButton(687, 562, 106, 21);
    const int percent = ProgressDone * 100 / ProgressTotal;
    if (percent >= 4 && percent <= 100) {
        SetDrawParam(4, 0);
        SetDrawParam(2, 0x9986);
        DoButton(690, 565, percent, 15);
    }
    SetFont(6);
    SetDrawParam(1, 0);
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    DrawTextAddrAt(740, 572, text, JUSTIFY_CENTRE_MIDDLE);

    SetDrawParam(2, colour);
    SetFont(font);
    SetDrawParam(1, textColour);
    SetDrawParam(4, style);
}

void WaitTickAndPoll() {
    if (TimerIsRunning()) {
        const uint32_t start = GetTimerTicks();
        while (GetTimerTicks() == start) WaitUntilTicks(start + 1);
    }
    Poll();
}

void Beep() {
    std::putchar(kBellCharacter);
    std::fflush(stdout);
}

void ReadKeyIntoLastKey() {
    if (KeyAsciiAvailable()) g_lastKey = KeyAsciiRead();
}

int16_t GetLastKey() {
    const int16_t key = g_lastKey;
    g_lastKey = 0;
    return key;
}

const char* GetAltText(int16_t) { return ""; }

void ResetDrawState() {
    KeyClearAll();
    SetFont(0);
    SetDrawParam(1, 0);
    SetDrawParam(2, 0xF81F);
}

namespace {
// 16 x 64 has the bytes of 32 x 32, but drawn as a badge it is a jumble.
bool IsEditedSize(const uint8_t* picture) {
    return recbits::LoadU16(picture + GFX0_WIDTH) == kEditedSize &&
           recbits::LoadU16(picture + GFX0_HEIGHT) == kEditedSize;
}
}  // namespace

int DrawEditedImage(int number, int x, int y) {
    char path[64];
    std::snprintf(path, sizeof path, "%s%d.tga", "Edited\\", number);
    if (!DOSFileExists(path) || MenuBackBuffer == nullptr) return 1;
    if (EditedFileBytes(path) > kEditedFileLimit) {
        DebugLog(DEBUG_GRAPHICS, 1, "Warning: DrawEditedImage(): %s is too large\n", path);
        return 1;
    }
    uint8_t* picture = nullptr;
    uint32_t size = LoadFileToMemory(path, &picture, MEM_TYPE_MANUAL_FREE);
    // A user's file: anything but a readable 32 x 32 picture gets the
    // caller's standard picture rather than ending the game.
    const uint32_t expected =
        GFX0_HEADER_SIZE + uint32_t(kEditedSize * kEditedSize) * uint32_t(MenuBytesPerPixel());
    int result = 1;
    if (picture != nullptr && LoadImageFile(&picture, &size, 0, MenuScreenFormat()) >= 0 &&
        size == expected && std::memcmp(picture, "GFX0", 4) == 0 && IsEditedSize(picture)) {
        CopyRectToBackBuffer(x, y, kEditedSize, kEditedSize, picture + GFX0_HEADER_SIZE);
        result = 0;
    } else {
        DebugLog(DEBUG_GRAPHICS, 1, "Warning: DrawEditedImage(): %s is not a 32 x 32 picture\n", path);
    }
    if (picture != nullptr) FreeMemory(&picture);
    return result;
}
